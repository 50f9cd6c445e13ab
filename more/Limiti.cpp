#include "more/Limiti.h"

#include "more/Fi.h"
#include "platform/FormParts.h"
#include "platform/Widgets.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TForm3* Form3 = nullptr;

namespace {

using kviro::ui::arial;

struct RowDef {
    const char* label;
    const char* edit;
    const char* button;
    void (*operation)(const QString&); // the row's operation on the workbench
};

const RowDef kRowDefs[TForm3::kRows] = {
    {"matematičku nadu veću od", "Edit1", "SpeedButton1",
     [](const QString& t) { Form1->LimitMANA1(t); }},
    {"matematičku nadu manju od", "Edit2", "SpeedButton2",
     [](const QString& t) { Form1->LimitMANA2(t); }},
    {"broj tipova \"1\" veći od", "Edit3", "SpeedButton3",
     [](const QString& t) { Form1->Limit11(t); }},
    {"broj tipova \"1\" manji od", "Edit4", "SpeedButton4",
     [](const QString& t) { Form1->Limit12(t); }},
    {"broj tipova \"0\" veći od", "Edit5", "SpeedButton5",
     [](const QString& t) { Form1->Limit01(t); }},
    {"broj tipova \"0\" manji od", "Edit6", "SpeedButton6",
     [](const QString& t) { Form1->Limit02(t); }},
    {"broj tipova \"2\" veći od", "Edit7", "SpeedButton7",
     [](const QString& t) { Form1->Limit21(t); }},
    {"broj tipova \"2\" manji od", "Edit8", "SpeedButton8",
     [](const QString& t) { Form1->Limit22(t); }},
    {"broj NP veći od", "Edit9", "SpeedButton10", [](const QString& t) { Form1->LimitNP1(t); }},
    {"broj NP manji od", "Edit10", "SpeedButton11", [](const QString& t) { Form1->LimitNP2(t); }},
};

} // namespace

TForm3::TForm3(QWidget* parent) : QWidget(parent) {
    Form3 = this;
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Limitiranje tablice"));
    setWindowFlags(Qt::Dialog);
    setFixedSize(339, 295);

    Label1 = kviro::ui::label(this, "Label1", QStringLiteral("IZBACI SVE KOMBINACIJE KOJE IMAJU :"),
                              QRect(8, 6, 325, 22), arial(16, true));
    Label1->setStyleSheet(QStringLiteral("color: blue;"));

    for (int i = 0; i < kRows; ++i) {
        const RowDef& d = kRowDefs[i];
        const int y = 34 + 22 * i;
        auto* l = kviro::ui::control<QLabel>(this, QStringLiteral("Label") + QString::number(i + 2),
                                             QRect(10, y, 200, 20), QString::fromUtf8(d.label));
        l->setFont(arial(13, true));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rowLabel[i] = l;

        QLineEdit* e = kviro::ui::silverField(this, QLatin1String(d.edit), QRect(218, y, 80, 20),
                                              arial(13, true), QStringLiteral("0"));
        rowEdit[i] = e;

        QPushButton* b = kviro::ui::applyButton(this, d.button, 19, QRect(304, y - 1, 26, 22));
        connect(b, &QPushButton::clicked, this, [this, i] { applyRow(i); });
        rowButton[i] = b;
    }

    SpeedButton9 = kviro::ui::okStrip(this, "Panel1", "SpeedButton9", 263, &Panel1);
    connect(SpeedButton9, &QPushButton::clicked, this, [this] { SpeedButton9Click(); });

    kviro::ui::centreOnScreen(this);
}

void TForm3::applyRow(int row) {
    const QString text = rowEdit[row]->text();
    if (text.isEmpty()) return;
    kRowDefs[row].operation(text);
}

void TForm3::SpeedButton9Click() {
    hide();
    Form1->show();
}
