#include "app/Menu.h"

#include "more/Cesljaj.h"
#include "more/Fi.h"
#include "more/Brisac.h"
#include "more/Infic.h"
#include "more/Limiti.h"
#include "more/Unosnik.h"
#include "mreza/Autoopc.h"
#include "mreza/Info2.h"
#include "mreza/Mreza.h"
#include "output/Kontrola.h"
#include "output/Printic.h"
#include "output/Saver.h"
#include "platform/Dialogs.h"
#include "platform/Keyboard.h"
#include "platform/Widgets.h"
#include "platform/Printers.h"

#include <QApplication>
#include <QGuiApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

TForm2* Form2 = nullptr;

using kviro::ui::arial;

namespace {

// Arial of `pixels`, made smaller where needed so that `text` fits `room` whole (a system
// without Arial or its metric twin falls back on a wider face).
QFont fittingArial(int pixels, const QString& text, int room) {
    QFont f = arial(pixels, true);
    while (f.pixelSize() > 8 && QFontMetrics(f).horizontalAdvance(text) > room)
        f.setPixelSize(f.pixelSize() - 1);
    return f;
}

constexpr int kButtonPadding = 6; // left padding of the menu buttons' text

QPushButton* menuButton(QWidget* parent, const char* name, const QString& text, int y) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setFlat(true);
    b->setGeometry(42, y, 291, 39);
    b->setFont(fittingArial(16, text, 291 - 2 * kButtonPadding));
    b->setStyleSheet(QStringLiteral(
        "QPushButton { text-align: left; color: black; border: none; padding-left: 6px; }"
        "QPushButton:hover { background: rgba(255,255,255,60); }"
        // Disabled: a light grey-green that reads clearly on teal and still differs from black.
        "QPushButton:disabled { color: rgb(220, 235, 235); }"));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace

TForm2::TForm2(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    Form2 = this;
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("KVIRO"));
    setFixedSize(375, 148);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 128));
    setPalette(pal);

    // Decoration: the product name scattered behind the buttons.
    const struct {
        const char* name;
        int x, y;
    } decor[] = {{"Label9", -8, -10}, {"Label10", 150, 20}, {"Label11", 250, -18},
                 {"Label12", 60, 62}, {"Label13", 230, 78}};
    QLabel** decorLabels[] = {&Label9, &Label10, &Label11, &Label12, &Label13};
    for (int i = 0; i < 5; ++i) {
        auto* l = new QLabel(QStringLiteral("KVIRO"), this);
        l->setObjectName(QLatin1String(decor[i].name));
        l->setFont(arial(53, true));
        l->setStyleSheet(QStringLiteral("color: rgb(128, 160, 160); background: transparent;"));
        l->move(decor[i].x, decor[i].y);
        l->adjustSize();
        *decorLabels[i] = l;
    }

    SpeedButton1 = menuButton(this, "SpeedButton1", QStringLiteral("A        Otpočni izvođenja programa"), 18);
    SpeedButton1->setEnabled(false);
    SpeedButton2 = menuButton(this, "SpeedButton2",
                              QStringLiteral("B        Kontrola rezultata                    "), 58);
    SpeedButton3 = menuButton(this, "SpeedButton3",
                              QStringLiteral(" C        Nastavi program                        "), 98);
    SpeedButton3->setEnabled(false);
    SpeedButton3->hide();

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 148 - 21, 375, 21);
    Panel1->setAutoFillBackground(true);
    QPalette black = Panel1->palette();
    black.setColor(QPalette::Window, Qt::black);
    Panel1->setPalette(black);

    Label14 = new QLabel(QStringLiteral("Traje generiranje svih kombinacija..."), Panel1);
    Label14->setObjectName(QStringLiteral("Label14"));
    // From (6, 3) to the strip's foot, up to the exit button.
    const QRect status(6, 3, 375 - 41 - 2 - 6 - 6, 21 - 3);
    Label14->setFont(fittingArial(11, Label14->text(), status.width()));
    Label14->setStyleSheet(QStringLiteral("color: yellow;"));
    Label14->setGeometry(status);
    Label14->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    SpeedButton5 = new QPushButton(QStringLiteral("Izlazak"), Panel1);
    SpeedButton5->setObjectName(QStringLiteral("SpeedButton5"));
    SpeedButton5->setFlat(true);
    SpeedButton5->setGeometry(375 - 41 - 2, 0, 41, 21);
    SpeedButton5->setFocusPolicy(Qt::NoFocus);
    SpeedButton5->setStyleSheet(QStringLiteral(
        "QPushButton { color: white; border: none; font: bold 11px 'Arial'; }"
        "QPushButton:hover { color: yellow; }"));

    for (QLabel* l : {Label9, Label10, Label11, Label12, Label13}) l->lower();

    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(SpeedButton5, &QPushButton::clicked, this, [this] { SpeedButton5Click(SpeedButton5); });

    // The window sees every key before its controls do.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);

    kviro::ui::centreOnScreen(this);
}

void TForm2::SpeedButton1Click() {
    if (!SpeedButton1->isEnabled()) return;
    Form1->show();
    Form1->raise();
    Form1->activateWindow();
}

void TForm2::SpeedButton2Click() {
    Form4->show();
    Form4->raise();
    Form4->activateWindow();
}

bool TForm2::FormKeyPress(QChar key) {
    if (key == QLatin1Char('A') || key == QLatin1Char('a')) {
        if (SpeedButton1->isEnabled()) SpeedButton1Click();
        return true;
    }
    if (key == QLatin1Char('B') || key == QLatin1Char('b')) {
        SpeedButton2Click();
        return true;
    }
    return false;
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->text().size() == 1 && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            if (FormKeyPress(key->text().at(0))) return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm2::showGenerationDone() {
    Label14->setText(QStringLiteral("Sve kombinacije su definirane."));
    Label14->setStyleSheet(QStringLiteral("color: white;"));
    SpeedButton1->setEnabled(true);
    SpeedButton2->setEnabled(true);
    SpeedButton3->setEnabled(true);
}

bool TForm2::mayLeave() {
    if (!MrezaForm || !MrezaForm->tukUnsaved()) return true;
    return kviro::ui::confirm(isVisible() ? static_cast<QWidget*>(this) : Form1,
                              QStringLiteral("Tablica uplaćenih kombinacija nije spremljena. "
                                             "Izaći bez spremanja?"));
}

void TForm2::SpeedButton5Click(QObject* sender) {
    if (exiting_) return;
    // The workbench has asked before hiding itself.
    if (sender != Form1 && !mayLeave()) return;
    exiting_ = true;
    hide();
    // Stops the generator and any coverage run (waiting for them) before any table is released.
    if (MrezaForm) MrezaForm->stopRuns();
    Form1->releaseTables();
    QApplication::quit();
}

void TForm2::closeEvent(QCloseEvent* event) {
    // No close box, but the window manager can still ask (Alt+F4): end the program properly.
    event->ignore();
    SpeedButton5Click(this);
}

namespace kviro::ui {

void createWindows() {
    installKeyboardHabits();
    new TForm2;
    new TForm4;
    new TForm3;
    new TForm1;
    new TInfoBox;
    new TForm5;
    new TMrezaForm;
    new TForm6;
    new TForm8;
    new TForm7;
    new TForm9;
    new TForm10;
    new TForm11;
    Form2->show();
}

void destroyWindows() {
    // The workbench first: it owns the tables and stops its threads before they go; a coverage
    // run working on them is stopped before that.
    if (MrezaForm) MrezaForm->stopRuns();
    delete Form1;
    Form1 = nullptr;
    delete Form11;
    Form11 = nullptr;
    delete Form10;
    Form10 = nullptr;
    delete Form9;
    Form9 = nullptr;
    delete Form7;
    Form7 = nullptr;
    delete Form8;
    Form8 = nullptr;
    delete Form6;
    Form6 = nullptr;
    delete MrezaForm;
    MrezaForm = nullptr;
    delete Form5;
    Form5 = nullptr;
    delete InfoBox;
    InfoBox = nullptr;
    delete Form3;
    Form3 = nullptr;
    delete Form4;
    Form4 = nullptr;
    delete Form2;
    Form2 = nullptr;
    // The printer object the print dialogs of the windows worked on.
    kviro::ui::Printers::release();
}

} // namespace kviro::ui
