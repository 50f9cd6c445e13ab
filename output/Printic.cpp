#include "output/Printic.h"

#include "more/Fi.h"
#include "mreza/Mreza.h"
#include "output/Printthread.h"
#include "platform/Activation.h"
#include "platform/Dialogs.h"
#include "platform/Printers.h"
#include "platform/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>

TForm6* Form6 = nullptr;

using kviro::ui::control;
using kviro::ui::label;

namespace {

// Enter is for "Ispiši" alone.
const auto button = kviro::ui::dialogButton;

QFont courierNew10() {
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSize(10);
    return f;
}

} // namespace

TForm6::TForm6(QWidget* parent) : QDialog(parent) {
    Form6 = this;
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Ispis na printer"));
    setFixedSize(400, 196);
    setModal(false);

    GroupBox2 =
        control<QGroupBox>(this, "GroupBox2", QRect(8, 6, 384, 140), QStringLiteral("Ispis : "));
    Label1 = label(GroupBox2, "Label1", QStringLiteral("Printer :"), 14, 29);
    PrinterList = control<QComboBox>(GroupBox2, "PrinterList", QRect(80, 24, 196, 24));
    Button1 = button(GroupBox2, "Button1", QStringLiteral("Podešenja"), QRect(284, 23, 90, 26));
    Bevel1 = control<QFrame>(GroupBox2, "Bevel1", QRect(10, 58, 364, 4));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Label3 = label(GroupBox2, "Label3", QStringLiteral("Header :"), 14, 77);
    Edit1 = control<QLineEdit>(GroupBox2, "Edit1", QRect(80, 72, 196, 24));
    Button2 = button(GroupBox2, "Button2", QStringLiteral("Font..."), QRect(284, 71, 90, 26));
    CheckBox1 = control<QCheckBox>(GroupBox2, "CheckBox1", QRect(80, 104, 120, 22),
                                   QStringLiteral("Datum"));

    Panel1 = control<QFrame>(this, "Panel1", QRect(0, 154, 400, 42));
    Panel1->setAutoFillBackground(true);
    QPalette teal = Panel1->palette();
    teal.setColor(QPalette::Window, QColor(0, 128, 128));
    Panel1->setPalette(teal);
    BitBtn2 = button(Panel1, "BitBtn2", QStringLiteral("Ispiši"), QRect(196, 7, 94, 28));
    QFont bold = BitBtn2->font();
    bold.setBold(true);
    BitBtn2->setFont(bold);
    BitBtn2->setDefault(true); // Enter
    BitBtn1 = button(Panel1, "BitBtn1", QStringLiteral("Otkaži"), QRect(298, 7, 94, 28));

    printFont = courierNew10();
    FontDialog1 = new QFontDialog(printFont, this);
    FontDialog1->setObjectName(QStringLiteral("FontDialog1"));

    connect(PrinterList, &QComboBox::activated, this, [this](int i) { PrinterListChange(i); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    kviro::ui::onFormActivate(this, [this] { FormActivate(); });

    kviro::ui::centreOnScreen(this);
}

TForm6::~TForm6() {
    kviro::ui::finishPrinting();
}

void TForm6::FormActivate() {
    // The list always ends with the PDF entry, so there is always somewhere to print.
    const QStringList names = kviro::ui::Printers::names();
    PrinterList->clear();
    PrinterList->addItems(names);
    PrinterList->setCurrentIndex(kviro::ui::Printers::currentIndex(names));
    printFont = courierNew10();
}

void TForm6::PrinterListChange(int index) {
    if (index >= 0) kviro::ui::Printers::setCurrent(PrinterList->itemText(index));
}

void TForm6::Button1Click() {
    if (!PrintDialog1) {
        PrintDialog1 = new QPrintDialog(&kviro::ui::Printers::printer(), this);
        PrintDialog1->setObjectName(QStringLiteral("PrintDialog1"));
    }
    if (kviro::ui::runDialog(*PrintDialog1) != QDialog::Accepted) return;
    kviro::ui::Printers::adoptDialogChoice();
    PrinterList->setCurrentIndex(PrinterList->findText(kviro::ui::Printers::current()));
}

void TForm6::Button2Click() {
    FontDialog1->setCurrentFont(printFont);
    if (kviro::ui::runDialog(*FontDialog1) != QDialog::Accepted) return;
    printFont = FontDialog1->currentFont();
    if (printFont.pointSizeF() > 0 && printFont.pointSizeF() < 6) printFont.setPointSize(6);
}

void TForm6::BitBtn2Click() {
    if (kviro::ui::startTukPrint(this, Form1->TUK, printFont, Edit1->text(),
                                 CheckBox1->isChecked()))
        hide();
}

void TForm6::BitBtn1Click() {
    hide();
    MrezaForm->show();
}

void TForm6::reject() {
    BitBtn1Click();
}
