#include "mreza/Jamstvo.h"

#include "core/NumberText.h"
#include "more/Fi.h"
#include "mreza/Mreza.h"
#include "platform/Locale.h"
#include "platform/ProbabilityStore.h"
#include "platform/Widgets.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>

using namespace kviro;
using ui::arial;

TJamstvoForm* JamstvoForm = nullptr;

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// Refreshes while an automatic run goes on: at most this often.
constexpr int kRunRefreshMs = 250;

// A hash of the records a table holds, in order (the records never move, so the same pointers
// are the same rows).
std::uint64_t recordsHash(const Table& table) {
    std::uint64_t h = 0x9E3779B97F4A7C15ULL;
    for (const Combination* r : table)
        h = (h ^ reinterpret_cast<std::uintptr_t>(r)) * 0x100000001B3ULL;
    return h;
}

QLabel* value(QWidget* parent, const char* name, const QRect& geometry) {
    auto* l = ui::control<QLabel>(parent, name, geometry);
    l->setFont(arial(12, true));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

} // namespace

// ---- chances ---------------------------------------------------------------------------------

ChancesBox::ChancesBox(QWidget* parent, bool withNetwork)
    : QGroupBox(QStringLiteral(" Izgledi prema postocima : "), parent) {
    setObjectName(QStringLiteral("GroupIzgledi"));
    int y = 20;
    if (withNetwork) {
        ui::label(this, "LabelMreza", QStringLiteral("Ishod je u mreži :"), 10, y + 3);
        IzgledMreza = value(this, "IzgledMreza", {150, y, 110, 22});
        y += 24;
    }
    const char* captions[] = {"13 pogodaka :", "12 i više :", "11 i više :", "10 i više :"};
    const char* names[] = {"Izgled13", "Izgled12", "Izgled11", "Izgled10"};
    const char* labels[] = {"Label13", "Label12", "Label11", "Label10"};
    for (std::size_t k = 0; k < 4; ++k, y += 24) {
        ui::label(this, labels[k], QString::fromUtf8(captions[k]), 10, y + 3);
        Izgled[k] = value(this, names[k], {150, y, 110, 22});
    }
    resize(272, y + 6);
}

void ChancesBox::showReport(const GuaranteeReport& r, char sep) {
    if (IzgledMreza) IzgledMreza->setText(qs(chanceText(r.inNetwork, sep)));
    for (std::size_t k = 0; k < 4; ++k)
        Izgled[k]->setText(qs(chanceText(r.atLeast[k], sep)));
}

void ChancesBox::clear() {
    if (IzgledMreza) IzgledMreza->clear();
    for (QLabel* l : Izgled)
        l->clear();
}

// ---- the window ------------------------------------------------------------------------------

TJamstvoForm::TJamstvoForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    JamstvoForm = this;
    setObjectName(QStringLiteral("JamstvoForm"));
    setWindowTitle(QStringLiteral("Jamstvo TUK"));
    setFixedSize(420, 470);

    Naslov = ui::control<QLabel>(this, "Naslov", {10, 8, 400, 40});
    Naslov->setFont(arial(13, true));
    Naslov->setWordWrap(true);
    Stanje = ui::control<QLabel>(this, "Stanje", {10, 48, 400, 20});
    Stanje->setFont(arial(12));

    GroupJamstvo = ui::control<QGroupBox>(this, "GroupJamstvo", {6, 72, 408, 176},
                                          QStringLiteral(" Jamstvo prema predanoj mreži : "));
    JamstvoTable =
        ui::control<QTableWidget>(GroupJamstvo, "JamstvoTable", {8, 20, 392, 148}, kHitClasses, 3);
    JamstvoTable->setHorizontalHeaderLabels(
        {QStringLiteral("Kombinacija"), QStringLiteral("Udio mreže"), QStringLiteral("Udio MANA")});
    JamstvoTable->setVerticalHeaderLabels({QStringLiteral("13 pogodaka"), QStringLiteral("12"),
                                           QStringLiteral("11"), QStringLiteral("10"),
                                           QStringLiteral("9 i manje")});
    JamstvoTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    JamstvoTable->setSelectionMode(QAbstractItemView::NoSelection);
    JamstvoTable->setFocusPolicy(Qt::NoFocus);
    JamstvoTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    JamstvoTable->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int row = 0; row < kHitClasses; ++row)
        for (int col = 0; col < 3; ++col) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            JamstvoTable->setItem(row, col, item);
        }

    GroupIzgledi = new ChancesBox(this, true);
    GroupIzgledi->move(6, 254);
    GroupIzgledi->resize(408, GroupIzgledi->height());

    GroupCijena = ui::control<QGroupBox>(this, "GroupCijena", {6, 392, 408, 72},
                                         QStringLiteral(" Cijena : "));
    ui::label(GroupCijena, "LabelCijena", QStringLiteral("Cijena kombinacije :"), 10, 23);
    CijenaEdit = ui::control<QLineEdit>(GroupCijena, "CijenaEdit", {150, 20, 110, 22});
    CijenaEdit->setAlignment(Qt::AlignRight);
    CijenaEdit->setText(qs(formatGeneral(ui::loadCombinationPrice(), ui::decimalSeparator())));
    Ukupno = ui::control<QLabel>(GroupCijena, "Ukupno", {10, 46, 390, 20});
    Ukupno->setFont(arial(12, true));
    connect(CijenaEdit, &QLineEdit::textEdited, this, [this] { CijenaEditChange(); });

    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] { refresh(); });
}

TJamstvoForm::~TJamstvoForm() {
    if (JamstvoForm == this) JamstvoForm = nullptr;
}

void TJamstvoForm::toggle() {
    if (isVisible()) {
        hide();
        return;
    }
    if (QWidget* net = MrezaForm) move(net->frameGeometry().topRight() + QPoint(6, 0));
    show();
    raise();
}

void TJamstvoForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void TJamstvoForm::tablesChanged() {
    if (!isVisible()) return;
    const bool run = MrezaForm && MrezaForm->autoRunning();
    // A refresh already due stays due; once the run is over the last state shows at once.
    if (timer_->isActive() && (run || timer_->interval() == 0)) return;
    timer_->start(run ? kRunRefreshMs : 0);
}

void TJamstvoForm::refresh() {
    timer_->stop();
    ++refreshes_;
    const char sep = ui::decimalSeparator();
    const Table& tuk = Form1->TUK;
    const Table& mreza0 = Form1->MREZA0;
    Stanje->setText(QStringLiteral("TUK: %1 kombinacija      MREŽA: %2 od %3")
                        .arg(tuk.size())
                        .arg(Form1->MREZA.size())
                        .arg(mreza0.size()));
    const bool figures = !tuk.empty();
    GroupJamstvo->setVisible(figures && !mreza0.empty());
    GroupIzgledi->setVisible(figures);
    GroupCijena->setVisible(figures);
    if (!figures) {
        Naslov->setText(QStringLiteral("TUK je prazan."));
        return;
    }
    Inputs now{tableCodes(tuk), mreza0.size(), recordsHash(mreza0), Form1->probability};
    if (!inputs_ || !(*inputs_ == now)) {
        report_ = guaranteeReport(mreza0, tuk, Form1->probability);
        inputs_ = std::move(now);
    }
    const GuaranteeReport& r = report_;
    Naslov->setText(qs(guaranteeHeadline(r)));
    const double rows = static_cast<double>(r.networkRows);
    for (int c = 0; c < kHitClasses; ++c) {
        const auto k = static_cast<std::size_t>(c);
        JamstvoTable->item(c, 0)->setText(QString::number(r.rows[k]));
        JamstvoTable->item(c, 1)->setText(
            qs(shareText(rows > 0 ? static_cast<double>(r.rows[k]) / rows : 0.0, sep)));
        JamstvoTable->item(c, 2)->setText(
            qs(shareText(r.networkMana > 0 ? r.mana[k] / r.networkMana : 0.0, sep)));
    }
    GroupIzgledi->showReport(r, sep);
    showCost();
}

void TJamstvoForm::showCost() {
    const char sep = ui::decimalSeparator();
    const auto price = parseDecimal(CijenaEdit->text().toStdString(), sep);
    const std::size_t n = Form1->TUK.size();
    if (!price || *price < 0) {
        Ukupno->setText(QStringLiteral("Cijena nije ispravan broj."));
        return;
    }
    Ukupno->setText(QStringLiteral("Ukupno: %1 × %2 = %3")
                        .arg(n)
                        .arg(qs(formatGeneral(*price, sep)))
                        .arg(qs(amountText(static_cast<double>(n) * *price, sep))));
}

void TJamstvoForm::CijenaEditChange() {
    const auto price = parseDecimal(CijenaEdit->text().toStdString(), ui::decimalSeparator());
    if (price && *price >= 0) ui::saveCombinationPrice(*price);
    showCost();
}
