#include "more/Fi.h"

#include "app/Menu.h"
#include "core/NumberText.h"
#include "more/BusyAnimation.h"
#include "more/FULLFiller.h"
#include "more/Infic.h"
#include "mreza/Mreza.h"
#include "platform/Dialogs.h"
#include "platform/Locale.h"
#include "platform/ProbabilityStore.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QValidator>

using namespace kviro;

TForm1* Form1 = nullptr;

namespace {

QFont arial(int pixels, bool bold) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// At most three characters typed into a field; texts the program puts there may be longer
// (a stored 33.3 shows as 33.2999992370605), and such a text can still be shortened.
class MaxTypedLength : public QValidator {
public:
    MaxTypedLength(QLineEdit* edit, int length) : QValidator(edit), length_(length) {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& t) { last_ = t.size(); });
    }
    State validate(QString& input, int&) const override {
        return input.size() > length_ && input.size() > last_ ? Invalid : Acceptable;
    }

private:
    int length_;
    qsizetype last_ = 0; // length of the text the field last held
};

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                    bool enabled = true) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setEnabled(enabled);
    return b;
}

QFrame* panel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* p = new QFrame(parent);
    p->setObjectName(QLatin1String(name));
    p->setGeometry(geometry);
    p->setFrameShape(QFrame::Panel);
    p->setFrameShadow(QFrame::Raised);
    return p;
}

} // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
    Form1 = this;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kombiniranje"));
    setFixedSize(633, 554);

    buildTopPanel();
    buildGrid();
    buildMorePart();

    // Creation steps: hint and caption, the empty tables, the view, the generator, the store.
    MOREShow->setToolTip(QStringLiteral("Desna tipka miša za izbornik !"));
    OziviMGumb->setText(QStringLiteral("oživi\nMORE"));
    topRow = 0;
    pageRows = 25;
    ScrollBar1->setMaximum(kAllCombinations - 25 - 1);
    ScrollBar1->setValue(0);
    ScrollBar1->setPageStep(25);

    auto* filler = new FULLFiller(tables.MORE, tables.pool, this);
    generator = filler;
    connect(filler, &QThread::finished, this, &TForm1::ThrTerminate);
    connect(filler, &QThread::finished, filler, &QObject::deleteLater);
    filler->start();

    loadProbabilities();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

TForm1::~TForm1() { releaseTables(); }

void TForm1::buildTopPanel() {
    Panel2 = panel(this, "Panel2", QRect(0, 0, 143, 150));
    Label21 = new QLabel(QStringLiteral("Upiši tipske vjerojatnosti !"), Panel2);
    Label21->setObjectName(QStringLiteral("Label21"));
    Label21->setFont(arial(12, true));
    Label21->setStyleSheet(QStringLiteral("color: red;"));
    Label21->setWordWrap(true);
    Label21->setGeometry(6, 6, 131, 30);

    OziviMGumb = button(Panel2, "OziviMGumb", QString(), QRect(8, 52, 80, 60));
    OziviMGumb->setFont(arial(16, true));
    connect(OziviMGumb, &QPushButton::clicked, this, [this] { Button10Click(); });

    Animate1 = new BusyAnimation(Panel2);
    Animate1->setObjectName(QStringLiteral("Animate1"));
    Animate1->move(92, 56);
    Animate1->hide();
}

void TForm1::buildGrid() {
    TTV = panel(this, "TTV", QRect(0, 150, 143, 404));
    const char* heads[] = {"Label2", "Label3", "Label4"};
    const char* signs[] = {"\"1\"", "\"0\"", "\"2\""};
    const int xs[] = {28, 62, 96};
    QLabel** headLabels[] = {&Label2, &Label3, &Label4};
    for (int c = 0; c < 3; ++c) {
        auto* l = new QLabel(QLatin1String(signs[c]), TTV);
        l->setObjectName(QLatin1String(heads[c]));
        l->setFont(arial(13, true));
        l->setAlignment(Qt::AlignCenter);
        l->setGeometry(xs[c], 10, 33, 20);
        *headLabels[c] = l;
    }
    // Column order on screen: "1", "0", "2"; cells indexed by sign digit.
    const int signOfColumn[] = {1, 0, 2};
    for (int m = 1; m <= kMatches; ++m) {
        const int y = 34 + 24 * (m - 1);
        auto* rowLabel = new QLabel(QString::number(m), TTV);
        rowLabel->setFont(arial(12, true));
        rowLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rowLabel->setGeometry(2, y, 22, 23);
        for (int c = 0; c < 3; ++c) {
            const int s = signOfColumn[c];
            auto* e = new QLineEdit(TTV);
            e->setObjectName(QStringLiteral("ttv%1%2").arg(m).arg(s));
            e->setGeometry(xs[c], y, 33, 23);
            e->setFont(arial(12, true));
            e->setStyleSheet(QStringLiteral("background: silver;"));
            e->setValidator(new MaxTypedLength(e, 3));
            if (s == 2) {
                e->setReadOnly(true);
                e->setFocusPolicy(Qt::ClickFocus); // skipped by Tab
            } else {
                connect(e, &QLineEdit::textChanged, this, [this, m] { ttvChange(m); });
                connect(e, &QLineEdit::returnPressed, this, [this, m, s] { ttvKeyPress(m, s); });
            }
            ttv_[m - 1][s] = e;
        }
    }
    // The form's design values.
    const ProbabilityTable defaults = defaultProbabilities();
    for (int m = 1; m <= kMatches; ++m)
        for (int s : {1, 0, 2})
            ttv(m, s)->setText(QString::fromStdString(formatGeneral(defaults[m - 1][s])));
    // Tab runs through the editable fields in entry order.
    for (int m = 1; m <= kMatches; ++m) {
        QWidget::setTabOrder(ttv(m, 1), ttv(m, 0));
        if (m < kMatches) QWidget::setTabOrder(ttv(m, 0), ttv(m + 1, 1));
    }

    SpeedButton1 = button(TTV, "SpeedButton1", QStringLiteral("Obriši sve"), QRect(28, 360, 101, 25));
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
}

void TForm1::buildMorePart() {
    Panel1 = panel(this, "Panel1", QRect(143, 0, 490, 554));
    MOREShow = new QListWidget(Panel1);
    MOREShow->setObjectName(QStringLiteral("MOREShow"));
    MOREShow->setGeometry(4, 60, 386, 404);
    MOREShow->setSelectionMode(QAbstractItemView::ExtendedSelection);
    MOREShow->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBar1 = new QScrollBar(Qt::Vertical, Panel1);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setGeometry(390, 60, 17, 404);
    ScrollBar1->setSingleStep(25);
    ScrollBar1->setPageStep(25);

    BitBtn1 = button(Panel1, "BitBtn1", QStringLiteral("MANA"), QRect(412, 60, 72, 25), false);
    BitBtn2 = button(Panel1, "BitBtn2", QStringLiteral("TIP"), QRect(412, 88, 72, 25), false);
    BitBtn4 = button(Panel1, "BitBtn4", QStringLiteral("NP"), QRect(412, 116, 72, 25), false);
    BitBtn3 = button(Panel1, "BitBtn3", QStringLiteral("Info"), QRect(412, 150, 72, 25), false);
    SpeedButton4 = button(Panel1, "SpeedButton4", QStringLiteral("Obriši označene redove"),
                          QRect(4, 470, 190, 22), false);
    SpeedButton5 = button(Panel1, "SpeedButton5", QStringLiteral("Limitiraj tablicu MORE"),
                          QRect(200, 470, 190, 22), false);
    SpeedButton9 = button(Panel1, "SpeedButton9", QStringLiteral("Češljaj tablicu MORE"),
                          QRect(200, 494, 190, 22), false);
    SpeedButton7 = button(Panel1, "SpeedButton7", QStringLiteral("Ponovno (reset tablice)"),
                          QRect(4, 494, 190, 22), false);
    SpeedButton6 = button(Panel1, "SpeedButton6", QStringLiteral("MORE = MREŽA"),
                          QRect(394, 470, 90, 46), false);
    SpeedButton3 = button(Panel1, "SpeedButton3", QStringLiteral("Glavni izbornik"),
                          QRect(4, 524, 120, 24));
    SpeedButton3->setStyleSheet(QStringLiteral("color: lime; background: black;"));
    SpeedButton2 = button(Panel1, "SpeedButton2", QStringLiteral("Izlazak"), QRect(404, 524, 80, 24));
    SpeedButton2->setStyleSheet(QStringLiteral("color: white; background: black;"));
    connect(SpeedButton3, &QPushButton::clicked, this, [this] { SpeedButton3Click(); });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(SpeedButton6, &QPushButton::clicked, this, [] { MrezaForm->handOver(); });
}

// ---- percentage table ---------------------------------------------------

void TForm1::ttvChange(int match) {
    const char sep = ui::decimalSeparator();
    float values[2] = {0.0f, 0.0f};
    const int signs[2] = {1, 0};
    for (int i = 0; i < 2; ++i) {
        const QString text = ttv(match, signs[i])->text();
        if (text.isEmpty()) continue;
        const auto v = parseDecimal(text.toStdString(), sep);
        if (!v) {
            ui::conversionError(this, text);
            return; // the "2" field keeps its text
        }
        values[i] = static_cast<float>(*v);
    }
    const long double rest = remainderPercentage(values[0], values[1]);
    ttv(match, 2)->setText(QString::fromStdString(formatGeneral(static_cast<double>(rest), sep)));
}

void TForm1::ttvKeyPress(int match, int sign) {
    if (sign == 1) {
        ttv(match, 0)->setFocus();
    } else if (match < kMatches) {
        ttv(match + 1, 1)->setFocus();
    }
}

void TForm1::SpeedButton1Click() {
    for (int m = 1; m <= kMatches; ++m)
        for (int s : {1, 0, 2}) ttv(m, s)->setText(QStringLiteral("0"));
}

void TForm1::loadProbabilities() {
    QString failed;
    if (!ui::ProbabilityStore::load(probability, &failed)) {
        // Shown once the program is up, over the main menu.
        QTimer::singleShot(0, this, [this, failed] {
            ui::errorNotice(Form2 ? static_cast<QWidget*>(Form2) : this,
                            QStringLiteral("Greška pri čitanju postavki: vrijednost \"%1\" "
                                           "nedostaje ili nije ispravna. Vrijede zadane "
                                           "vjerojatnosti.")
                                .arg(failed));
        });
        return;
    }
    const char sep = ui::decimalSeparator();
    for (int s : {1, 0, 2})
        for (int m = 1; m <= kMatches; ++m)
            ttv(m, s)->setText(QString::fromStdString(formatGeneral(probability[m - 1][s], sep)));
}

bool TForm1::readProbabilities() {
    const char sep = ui::decimalSeparator();
    for (int s : {1, 0, 2}) {
        for (int m = 1; m <= kMatches; ++m) {
            const QString text = ttv(m, s)->text();
            const auto v = parseDecimal(text.toStdString(), sep);
            if (!v) {
                ui::conversionError(this, text);
                return false;
            }
            probability[m - 1][s] = static_cast<float>(*v);
        }
    }
    return true;
}

bool TForm1::saveProbabilities() {
    QString reason;
    if (ui::ProbabilityStore::save(probability, &reason)) return true;
    ui::errorNotice(this, QStringLiteral("Vjerojatnosti nisu spremljene: %1.").arg(reason));
    return false;
}

bool TForm1::valueCombination(Combination& rec) {
    if (!readProbabilities()) return false;
    kviro::valueCombination(rec, probability);
    return true;
}

// ---- generation and valuation -------------------------------------------

void TForm1::ThrTerminate() {
    if (Form2 && !Form2->exiting()) Form2->showGenerationDone();
}

bool TForm1::OziviMORE() {
    if (!readProbabilities()) return false;
    if (!saveProbabilities()) return false;
    valueTable(MORE, probability);
    topRow = 0;
    ScrollBar1->setValue(0);
    return true;
}

void TForm1::Button10Click() {
    Animate1->begin();
    if (!OziviMORE()) {
        Animate1->end();
        return;
    }
    RefreshInfo();
    InfoBox->show();
    enableTableCommands();
    Animate1->end();
    topRow = 0;
    ShowMORE();
    MORE0.assign(MORE.begin(), MORE.end());
}

void TForm1::enableTableCommands() {
    for (QPushButton* b : {SpeedButton5, SpeedButton6, SpeedButton7, SpeedButton9, BitBtn1, BitBtn2,
                           BitBtn3, BitBtn4})
        b->setEnabled(true);
}

// ---- MORE view ------------------------------------------------------------

void TForm1::ShowMORE() {
    MOREShow->clear();
    {
        const QSignalBlocker block(ScrollBar1);
        ScrollBar1->setValue(topRow);
        ScrollBar1->setMaximum(std::max(0, static_cast<int>(MORE.size()) - 1));
    }
    for (int i = 0; i < pageRows; ++i) MOREShow->addItem(QString::number(topRow + i + 1));
}

void TForm1::RefreshInfo() {}

void TForm1::SpeedButton3Click() {
    hide();
    InfoBox->hide();
    Form2->show();
}

void TForm1::SpeedButton2Click() {
    hide();
    Form2->SpeedButton5Click(this);
}

void TForm1::releaseTables() {
    if (generator) {
        generator->requestStop();
        generator->wait();
    }
    tables.releaseAll();
}
