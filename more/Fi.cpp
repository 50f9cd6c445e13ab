#include "more/Fi.h"

#include "app/Menu.h"
#include "core/MorFile.h"
#include "core/MoreNp.h"
#include "core/MoreRows.h"
#include "core/MoreSort.h"
#include "core/MoreStats.h"
#include "core/NumberText.h"
#include "core/TextInput.h"
#include "more/BusyAnimation.h"
#include "more/Cesljaj.h"
#include "more/FULLFiller.h"
#include "more/Infic.h"
#include "more/Limiti.h"
#include "more/MoreRowPainter.h"
#include "more/Unosnik.h"
#include "mreza/Mreza.h"
#include "platform/Dialogs.h"
#include "platform/FormParts.h"
#include "platform/Locale.h"
#include "platform/ProbabilityStore.h"
#include "platform/SafeFile.h"
#include "platform/Widgets.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QValidator>

#include <new>
#include <algorithm>

using namespace kviro;

TForm1* Form1 = nullptr;

namespace {

using ui::arial;

// At most three characters typed or pasted into a field: what goes beyond is dropped, as a
// field's length limit does (pasting "12345" leaves "123"). Texts the program puts there may be
// longer (a stored 33.3 shows as 33.2999992370605); they are taken whole, and such a text can
// be shortened and retyped but not lengthened.
class MaxTypedLength : public QValidator {
public:
    MaxTypedLength(QLineEdit* edit, int length) : QValidator(edit), edit_(edit), length_(length) {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& t) { last_ = t; });
    }
    State validate(QString& input, int& pos) const override {
        // A text set by the program clears the field's undo history; an edit of the user's
        // has just been recorded in it.
        if (input.size() <= length_ || !edit_->isUndoAvailable()) return Acceptable;
        // What the user put in ends at the cursor; before it stands the unchanged start of the
        // old text, after it the old text's end.
        const qsizetype tail = input.size() - pos;
        const qsizetype oldStart = last_.size() - tail;
        qsizetype head = 0;
        while (head < pos && head < oldStart && input[head] == last_[head]) ++head;
        const qsizetype inserted = pos - head;
        const qsizetype room = std::max<qsizetype>(0, length_ - (head + tail));
        const qsizetype drop = inserted - std::min(inserted, room);
        input.remove(pos - drop, drop);
        pos -= static_cast<int>(drop);
        return input == last_ ? Invalid : Acceptable;
    }

private:
    QLineEdit* edit_;
    int length_;
    QString last_; // the text the field last held
};

using ui::button;
using ui::panel;

constexpr int kRowHeight = 16;

// A .MOR file chosen in the standard file dialog, for saving or for loading; empty when the
// user cancels. A chosen name ending in ".MOR" also goes into the name field, without it.
QString chooseMorFile(TForm1* form, bool save) {
    QFileDialog dialog(form, save ? QStringLiteral("Spremi tablicu MORE")
                                  : QStringLiteral("Učitaj tablicu MORE"));
    dialog.setObjectName(save ? QStringLiteral("SaveMorDialog") : QStringLiteral("OpenMorDialog"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("Tablica MORE (*.MOR *.mor)"));
    if (save) dialog.setDefaultSuffix(QStringLiteral("MOR"));
    if (ui::runDialog(dialog) != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return {};
    if (files.first().endsWith(QStringLiteral(".MOR")))
        form->Edit14->setText(QDir::toNativeSeparators(files.first().chopped(4)));
    return files.first();
}

// What is wrong with a refused line of a .MOR file, for the message.
QString morFaultText(const MorLineFault& f) {
    using K = MorLineFault::Kind;
    const QString word = QString::fromStdString(quotedWord(f.word));
    const QString field = QString::number(f.field);
    switch (f.kind) {
    case K::TooLong:
        return QStringLiteral("redak je dulji od %1 znakova").arg(kMorMaxLineLength);
    case K::FieldCount:
        return f.fields > 6 ? QStringLiteral("u retku je više od šest polja")
                            : QStringLiteral("broj polja u retku je %1").arg(f.fields);
    case K::NotANumber:
        return QStringLiteral("%1. polje \"%2\" nije broj").arg(field, word);
    case K::TooLarge:
        if (f.field == 2) return QStringLiteral("MANA \"%1\" je prevelika").arg(word);
        return QStringLiteral("%1. polje \"%2\" je preveliko (najviše %3)")
            .arg(field, word, QString::number(f.hi));
    case K::TooSmall:
        return QStringLiteral("%1. polje \"%2\" je premaleno (najmanje %3)")
            .arg(field, word, QString::number(f.lo));
    }
    return {};
}

// Paints the MORE list's rows through the workbench, from the row index alone.
class MoreRowDelegate : public QStyledItemDelegate {
public:
    MoreRowDelegate(TForm1* form, QObject* parent) : QStyledItemDelegate(parent), form_(form) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        form_->MOREShowDrawItem(painter, index.row(), option.rect,
                                option.state.testFlag(QStyle::State_Selected));
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), kRowHeight};
    }

private:
    TForm1* form_;
};

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
    // A click in the track moves 100 rows; over 1.6 million rows the thumb has its least size
    // either way.
    ScrollBar1->setPageStep(100);

    auto* filler = new FULLFiller(tables.MORE, tables.pool, this);
    generator = filler;
    connect(filler, &QThread::finished, this, &TForm1::ThrTerminate);
    connect(filler, &QThread::finished, filler, &QObject::deleteLater);
    filler->start();

    loadProbabilities();

    ui::centreOnScreen(this);
}

TForm1::~TForm1() { releaseTables(); }

void TForm1::buildTopPanel() {
    Panel2 = panel(this, "Panel2", QRect(0, 0, 143, 150));
    Label21 = ui::label(Panel2, "Label21", QStringLiteral("Upiši tipske vjerojatnosti !"),
                        QRect(6, 6, 131, 30), arial(12, true));
    Label21->setStyleSheet(QStringLiteral("color: red;"));
    Label21->setWordWrap(true);

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
        auto* l = ui::label(TTV, heads[c], QLatin1String(signs[c]), QRect(xs[c], 10, 33, 20),
                            arial(13, true));
        l->setAlignment(Qt::AlignCenter);
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
            auto* e = ui::silverField(
                TTV, QStringLiteral("ttv") + QString::number(m) + QString::number(s),
                QRect(xs[c], y, 33, 23), arial(12, true));
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
    buildFinder();

    HeaderControl1 = new QHeaderView(Qt::Horizontal, Panel1);
    HeaderControl1->setObjectName(QStringLiteral("HeaderControl1"));
    auto* titles = new QStandardItemModel(0, 5, HeaderControl1);
    titles->setHorizontalHeaderLabels({QStringLiteral("##"), QStringLiteral("Kombinacija"),
                                       QStringLiteral("\"1\" \"0\" \"2\""), QStringLiteral("MANA"),
                                       QStringLiteral("NP")});
    HeaderControl1->setModel(titles);
    HeaderControl1->setFont(arial(9, false));
    HeaderControl1->setDefaultAlignment(Qt::AlignCenter);
    HeaderControl1->setSectionResizeMode(QHeaderView::Fixed);
    HeaderControl1->setSectionsClickable(false);
    HeaderControl1->setMinimumSectionSize(10);
    // The sections are the columns as the rows paint them (the two pixels between the MANA and
    // NP columns are shared by their sections), so each title stands over its column.
    const ui::MoreRowColumns col = ui::moreRowColumns();
    const int sectionWidths[] = {col.signs - col.number, col.counts - col.signs,
                                 col.mana - col.counts, col.np - 1 - col.mana,
                                 col.end + 2 - col.np};
    for (int i = 0; i < 5; ++i)
        HeaderControl1->resizeSection(i, sectionWidths[i]);

    MOREShow = new QListWidget(Panel1);
    MOREShow->setObjectName(QStringLiteral("MOREShow"));
    QFont listFont(QStringLiteral("Courier New"));
    listFont.setPixelSize(13);
    MOREShow->setFont(listFont);
    MOREShow->setSelectionMode(QAbstractItemView::ExtendedSelection);
    MOREShow->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MOREShow->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MOREShow->setUniformItemSizes(true);
    MOREShow->setItemDelegate(new MoreRowDelegate(this, MOREShow));
    MOREShow->setContextMenuPolicy(Qt::CustomContextMenu);
    MOREShow->viewport()->setMouseTracking(true);
    MOREShow->viewport()->installEventFilter(this);
    MOREShow->setGeometry(4, 57, 386, pageRows * kRowHeight + 2 * MOREShow->frameWidth());
    // Over the list's inner edge, where the rows start.
    HeaderControl1->setGeometry(4 + MOREShow->frameWidth(), 40, 386 - 2 * MOREShow->frameWidth(),
                                17);
    connect(MOREShow, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenu1->popup(MOREShow->viewport()->mapToGlobal(pos));
    });

    ScrollBar1 = new QScrollBar(Qt::Vertical, Panel1);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setGeometry(390, 57, 17, MOREShow->height());
    ScrollBar1->setSingleStep(25);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this](int v) { ScrollBar1Change(v); });
    ui::wheelScrolls(MOREShow, ScrollBar1);

    const QIcon sortIcon = style()->standardIcon(QStyle::SP_ArrowDown);
    BitBtn1 = button(Panel1, "BitBtn1", QStringLiteral("MANA"), QRect(412, 57, 72, 25));
    BitBtn2 = button(Panel1, "BitBtn2", QStringLiteral("TIP"), QRect(412, 85, 72, 25));
    BitBtn4 = button(Panel1, "BitBtn4", QStringLiteral("NP"), QRect(412, 113, 72, 25));
    for (auto [b, tip] :
         {std::pair{BitBtn1, "Sortiraj po MANA"}, std::pair{BitBtn2, "Sortiraj po TIP"},
          std::pair{BitBtn4, "Sortiraj po NP"}}) {
        b->setIcon(sortIcon);
        b->setToolTip(QString::fromUtf8(tip));
    }
    BitBtn3 = button(Panel1, "BitBtn3", QStringLiteral("Info"), QRect(412, 150, 72, 27));
    BitBtn3->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    BitBtn3->setFont(arial(11, true));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });

    Label22 = ui::label(Panel1, "Label22", QStringLiteral("Tablica :"), QRect(412, 380, 72, 16),
                        arial(11, true));
    Edit14 = ui::control<QLineEdit>(Panel1, "Edit14", QRect(412, 398, 72, 20));
    Edit14->setFont(arial(9, false));
    Edit14->setToolTip(QStringLiteral("Ime datoteke tablice (.MOR)"));
    BitBtn6 = button(Panel1, "BitBtn6", QString(), QRect(412, 422, 35, 30));
    BitBtn6->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    BitBtn6->setToolTip(QStringLiteral("Učitaj tablicu"));
    BitBtn5 = button(Panel1, "BitBtn5", QString(), QRect(449, 422, 35, 30));
    BitBtn5->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    BitBtn5->setToolTip(QStringLiteral("Spremi tablicu"));
    connect(BitBtn6, &QPushButton::clicked, this, [this] { BitBtn6Click(); });
    connect(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });

    SpeedButton4 = button(Panel1, "SpeedButton4", QStringLiteral("Obriši označene redove"),
                          QRect(4, 470, 190, 22));
    SpeedButton5 = button(Panel1, "SpeedButton5", QStringLiteral("Limitiraj tablicu MORE"),
                          QRect(200, 470, 190, 22));
    SpeedButton9 = button(Panel1, "SpeedButton9", QStringLiteral("Češljaj tablicu MORE"),
                          QRect(200, 494, 190, 22));
    SpeedButton7 = button(Panel1, "SpeedButton7", QStringLiteral("Ponovno (reset tablice)"),
                          QRect(4, 494, 190, 22));
    SpeedButton6 = button(Panel1, "SpeedButton6", QStringLiteral("MORE = MREŽA"),
                          QRect(394, 470, 90, 46));
    SpeedButton6->setFont(arial(11, true));
    connect(SpeedButton4, &QPushButton::clicked, this, [this] { SpeedButton4Click(); });
    connect(SpeedButton5, &QPushButton::clicked, this, [this] { SpeedButton5Click(); });
    connect(SpeedButton9, &QPushButton::clicked, this, [this] { SpeedButton9Click(); });
    connect(SpeedButton7, &QPushButton::clicked, this, [this] { SpeedButton7Click(); });
    SpeedButton3 =
        button(Panel1, "SpeedButton3", QStringLiteral("Glavni izbornik"), QRect(4, 524, 120, 24));
    SpeedButton3->setStyleSheet(QStringLiteral("color: lime; background: black;"));
    SpeedButton2 =
        button(Panel1, "SpeedButton2", QStringLiteral("Izlazak"), QRect(404, 524, 80, 24));
    SpeedButton2->setStyleSheet(QStringLiteral("color: white; background: black;"));
    connect(SpeedButton3, &QPushButton::clicked, this, [this] { SpeedButton3Click(); });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(SpeedButton6, &QPushButton::clicked, this, [] { MrezaForm->handOver(); });
    // Until MORE has been valued or loaded.
    for (QPushButton* b : {SpeedButton4, SpeedButton5, SpeedButton6, SpeedButton7, SpeedButton9,
                           BitBtn1, BitBtn2, BitBtn3, BitBtn4})
        b->setEnabled(false);

    buildPopupMenu();
}

void TForm1::buildFinder() {
    Finder = panel(Panel1, "Finder", QRect(2, 2, 486, 38));
    Label1 = ui::label(Finder, "Label1", QStringLiteral("Tražilica :"), QRect(6, 10, 64, 18),
                       arial(11, true));
    int x = 72;
    for (int m = 1; m <= kMatches; ++m) {
        auto* e = ui::silverField(Finder, QStringLiteral("Edit") + QString::number(m),
                                  QRect(x, 8, 17, 22), arial(12, true), QStringLiteral("0"));
        e->setMaxLength(1);
        e->setAlignment(Qt::AlignCenter);
        x += 19 + (m % 3 == 0 && m < 12 ? 4 : 0);
        finder_[m - 1] = e;
    }
    Button2 = button(Finder, "Button2", QStringLiteral("Pronađi"), QRect(x + 8, 7, 80, 24));
    Button2->setFont(arial(12, true));
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    for (int m = 1; m <= kMatches; ++m) {
        QWidget* next = m < kMatches ? static_cast<QWidget*>(Edit(m + 1)) : Button2;
        connect(Edit(m), &QLineEdit::returnPressed, next, [next] { next->setFocus(); });
    }
}

void TForm1::buildPopupMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](QAction*& action, const char* name, const QString& caption,
                       const QKeySequence& keys, void (TForm1::*handler)()) {
        action = new QAction(caption, this);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        addAction(action); // the shortcuts work anywhere in the window
        PopupMenu1->addAction(action);
    };
    item(PostaviNPnaodreenuvrijednost1, "PostaviNPnaodreenuvrijednost1",
         QStringLiteral("Postavi NP na određenu vrijednost"),
         QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_N), &TForm1::PostaviNPnaodreenuvrijednost1Click);
    item(PoveajNPza11, "PoveajNPza11", QStringLiteral("Povećaj NP za 1"),
         QKeySequence(Qt::CTRL | Qt::Key_N), &TForm1::PoveajNPza11Click);
    item(SmanjiNPza11, "SmanjiNPza11", QStringLiteral("Smanji NP za 1"),
         QKeySequence(Qt::CTRL | Qt::Key_P), &TForm1::SmanjiNPza11Click);
    item(ResetirajsveNPna01, "ResetirajsveNPna01", QStringLiteral("Resetiraj sve NP na 0"),
         QKeySequence(), &TForm1::ResetirajsveNPna01Click);
    N1 = PopupMenu1->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    item(Obriioznaene1, "Obriioznaene1", QStringLiteral("Obriši označene retke"),
         QKeySequence(Qt::CTRL | Qt::Key_Delete), &TForm1::Obriioznaene1Click);
    item(SortirajpoMANA1, "SortirajpoMANA1", QStringLiteral("Sortiraj po MANA"),
         QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_M), &TForm1::SortirajpoMANA1Click);
    item(SortirajpoTIP1, "SortirajpoTIP1", QStringLiteral("Sortiraj po TIP"),
         QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_T), &TForm1::SortirajpoTIP1Click);
    item(SortirajpoNP1, "SortirajpoNP1", QStringLiteral("Sortiraj po NP"),
         QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P), &TForm1::SortirajpoNP1Click);
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
        if (failed.isEmpty()) return; // nothing stored yet: the design values stand
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
    if (!storeFailureShown_) {
        storeFailureShown_ = true;
        ui::notice(this, QStringLiteral("Vjerojatnosti nisu spremljene za idući početak rada: %1. "
                                        "Tablica MORE se svejedno vrednuje.")
                             .arg(reason));
    }
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
    saveProbabilities(); // a store that cannot be written does not stop the valuation
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
    takeSnapshot();
}

void TForm1::enableTableCommands() {
    for (QPushButton* b : {SpeedButton5, SpeedButton6, SpeedButton7, SpeedButton9, BitBtn1, BitBtn2,
                           BitBtn3, BitBtn4})
        b->setEnabled(true);
}

// ---- MORE view ------------------------------------------------------------

PagedView TForm1::page() const {
    PagedView v(pageRows);
    v.setCount(static_cast<int>(MORE.size()));
    v.setTopRow(topRow);
    return v;
}

void TForm1::ShowMORE() {
    MOREShow->clear(); // also drops the selection
    const PagedView v = page();
    topRow = v.topRow();
    {
        // Setting the range must not start a second rebuild from the scroll bar.
        const QSignalBlocker block(ScrollBar1);
        ScrollBar1->setMaximum(v.scrollMaximum());
        ScrollBar1->setValue(topRow);
    }
    for (int i = 0; i < pageRows; ++i)
        MOREShow->addItem(QString::number(topRow + i + 1));
}

void TForm1::ScrollBar1Change(int position) {
    if (position != topRow) topRow = position;
    ShowMORE();
}

void TForm1::MOREShowDrawItem(QPainter* painter, int line, const QRect& rect, bool selected) {
    const int row = page().rowAt(line);
    if (row < 0) return;
    ui::paintMoreRow(painter, rect, *MORE[static_cast<std::size_t>(row)], row, selected,
                     ui::decimalSeparator());
}

void TForm1::MOREShowMouseMove() {
    SpeedButton4->setEnabled(!MOREShow->selectedItems().isEmpty());
}

std::vector<int> TForm1::selectedRows() const {
    std::vector<int> lines;
    for (const QModelIndex& i : MOREShow->selectionModel()->selectedIndexes())
        lines.push_back(i.row());
    return page().selectedRows(lines);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MOREShow->viewport()) {
        if (event->type() == QEvent::MouseMove) {
            MOREShowMouseMove();
        } else if (event->type() == QEvent::MouseButtonPress ||
                   event->type() == QEvent::MouseButtonRelease ||
                   event->type() == QEvent::MouseButtonDblClick) {
            // The right button opens the pop-up menu and leaves the selection as it is.
            if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::Button2Click() {
    Digits digits{};
    for (int m = 1; m <= kMatches; ++m) {
        const QString text = Edit(m)->text();
        const auto d = parseInteger(text.toStdString());
        if (!d) {
            ui::conversionError(this, text, true);
            return;
        }
        digits[m - 1] = *d;
    }
    const auto key = findKey(digits);
    if (!key) {
        for (int m = 1; m <= kMatches; ++m) {
            if (digits[m - 1] < 0 || digits[m - 1] > 2) {
                ui::errorNotice(this,
                                QStringLiteral("Utakmica %1: znak \"%2\" ne postoji. U tražilicu "
                                               "se upisuju samo znakovi 1, 0 i 2.")
                                    .arg(QString::number(m), Edit(m)->text()));
                break;
            }
        }
        return;
    }
    Animate1->begin();
    const auto at = findCode(MORE, *key);
    if (at) {
        topRow = static_cast<int>(*at);
        ShowMORE();
    }
    Animate1->end();
    if (!at) ui::notice(this, QStringLiteral("Tražena kombinacija nije u tablici MORE."));
}

void TForm1::RefreshInfo() {
    const InfoTexts t = infoTexts(MORE, ui::decimalSeparator());
    const std::pair<QLabel*, const std::string*> cells[] = {
        {InfoBox->Label5, &t.Label5},   {InfoBox->Label6, &t.Label6},
        {InfoBox->Label7, &t.Label7},   {InfoBox->Label8, &t.Label8},
        {InfoBox->Label9, &t.Label9},   {InfoBox->Label10, &t.Label10},
        {InfoBox->Label11, &t.Label11}, {InfoBox->Label12, &t.Label12}};
    for (const auto& [label, text] : cells)
        label->setText(QString::fromStdString(*text));
}

void TForm1::BitBtn3Click() {
    InfoBox->setVisible(!InfoBox->isVisible());
    RefreshInfo();
}

void TForm1::placeInfoBeside(QWidget* dialog) {
    const QRect d = dialog->frameGeometry();
    const QRect i = InfoBox->frameGeometry();
    const int left = ui::leftBesideDialog(d.left(), d.width(), i.left(), i.width());
    if (left != i.left()) InfoBox->move(left, InfoBox->y());
}

void TForm1::SpeedButton3Click() {
    hide();
    InfoBox->hide();
    Form2->show();
}

void TForm1::SpeedButton2Click() {
    if (!Form2->mayLeave()) return;
    hide();
    Form2->SpeedButton5Click(this);
}

// ---- sorting and NP ---------------------------------------------------------

namespace {
// Runs a command that reorders MORE behind the busy sign, then shows the first page.
template <class Sort> void sortMore(TForm1* form, Sort sort) {
    form->Animate1->begin();
    sort(form->MORE);
    form->topRow = 0;
    form->ShowMORE();
    form->Animate1->end();
}
} // namespace

void TForm1::BitBtn1Click() {
    sortMore(this, sortByMana);
}
void TForm1::BitBtn2Click() {
    sortMore(this, sortByTip);
}
void TForm1::BitBtn4Click() {
    sortMore(this, sortByNp);
}

void TForm1::PoveajNPza11Click() {
    const std::vector<int> rows = selectedRows();
    if (rows.empty()) return;
    raiseNp(MORE, rows);
    ShowMORE();
}

void TForm1::SmanjiNPza11Click() {
    const std::vector<int> rows = selectedRows();
    if (rows.empty()) return;
    lowerNp(MORE, rows);
    ShowMORE();
}

void TForm1::ResetirajsveNPna01Click() {
    Animate1->begin();
    resetAllNp(MORE);
    Animate1->end();
    ShowMORE();
}

void TForm1::PostaviNPnaodreenuvrijednost1Click() {
    const std::vector<int> rows = selectedRows();
    if (rows.empty()) return;
    if (Form9->exec() != QDialog::Accepted) return;
    const auto value = Form9->value();
    if (!value) return;
    setNp(MORE, rows, *value);
    ShowMORE();
}

void TForm1::Obriioznaene1Click() {
    if (SpeedButton4->isEnabled()) SpeedButton4Click();
}
void TForm1::SortirajpoMANA1Click() {
    if (BitBtn1->isEnabled()) BitBtn1Click();
}
void TForm1::SortirajpoTIP1Click() {
    if (BitBtn2->isEnabled()) BitBtn2Click();
}
void TForm1::SortirajpoNP1Click() {
    if (BitBtn4->isEnabled()) BitBtn4Click();
}

// ---- limits and comb ----------------------------------------------------------

void TForm1::SpeedButton5Click() {
    Form3->show();
    Form3->raise();
    placeInfoBeside(Form3);
}

void TForm1::SpeedButton9Click() {
    Form5->show();
    Form5->raise();
    placeInfoBeside(Form5);
}

void TForm1::tableNarrowed() {
    topRow = 0;
    RefreshInfo();
    ShowMORE();
}

void TForm1::limit(LimitRow row, const QString& threshold) {
    const auto parsed = parseLimit(row, threshold.toStdString(), ui::decimalSeparator());
    if (!parsed) {
        const bool integer = row != LimitRow::LimitMANA1 && row != LimitRow::LimitMANA2;
        ui::conversionError(this, threshold, integer);
        return;
    }
    Animate1->begin();
    limitTable(MORE, *parsed);
    tableNarrowed();
    Animate1->end();
}

void TForm1::LimitMANA1(const QString& t) {
    limit(LimitRow::LimitMANA1, t);
}
void TForm1::LimitMANA2(const QString& t) {
    limit(LimitRow::LimitMANA2, t);
}
void TForm1::Limit11(const QString& t) {
    limit(LimitRow::Limit11, t);
}
void TForm1::Limit12(const QString& t) {
    limit(LimitRow::Limit12, t);
}
void TForm1::Limit01(const QString& t) {
    limit(LimitRow::Limit01, t);
}
void TForm1::Limit02(const QString& t) {
    limit(LimitRow::Limit02, t);
}
void TForm1::Limit21(const QString& t) {
    limit(LimitRow::Limit21, t);
}
void TForm1::Limit22(const QString& t) {
    limit(LimitRow::Limit22, t);
}
void TForm1::LimitNP1(const QString& t) {
    limit(LimitRow::LimitNP1, t);
}
void TForm1::LimitNP2(const QString& t) {
    limit(LimitRow::LimitNP2, t);
}

void TForm1::combMORE(const CombPattern& pattern) {
    Animate1->begin();
    combTable(MORE, pattern);
    tableNarrowed();
    Animate1->end();
}

// ---- .MOR file, reset and deletion ------------------------------------------

QString TForm1::morPath() const {
    return QString::fromStdString(morFileName(Edit14->text().toStdString()));
}

void TForm1::BitBtn5Click() {
    QString path = morPath();
    if (path.isEmpty()) path = chooseMorFile(this, true);
    if (path.isEmpty()) return;
    Animate1->begin();
    // A failed save leaves an earlier file of that name as it was.
    ui::SafeWrite file(path);
    writeMor(MORE, [&file](std::string_view piece) { file.write(piece); });
    const bool ok = file.commit();
    Animate1->end();
    if (!ok)
        ui::errorNotice(this, QStringLiteral("Tablica MORE nije spremljena u datoteku \"%1\".\n%2")
                                  .arg(ui::shownFileName(path), file.errorString()));
}

void TForm1::BitBtn6Click() {
    if (!ui::confirm(this, QStringLiteral("Jeste li sigurni da želite učitati tablicu ? Postojeća "
                                          "MORE tablica će biti obrisana !!")))
        return;
    QString path = morPath();
    if (path.isEmpty()) path = chooseMorFile(this, false);
    if (path.isEmpty()) return;
    const QString shown = ui::shownFileName(path);
    const QString kept = QStringLiteral("Tablica MORE je ostala nepromijenjena.");
    if (!QFileInfo::exists(path)) {
        ui::notice(this, QStringLiteral("Datoteka \"%1\" ne postoji.").arg(shown));
        return;
    }
    if (const auto refusal = ui::refusalToRead(path, kMaxMorFileBytes)) {
        ui::errorNotice(this, QStringLiteral("Tablica nije učitana: %1\n%2").arg(*refusal, kept));
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ui::errorNotice(this, QStringLiteral("Datoteku \"%1\" nije moguće otvoriti.\n%2")
                                  .arg(shown, file.errorString()));
        return;
    }
    Animate1->begin();
    // The whole file is read before MORE is touched; a bad line leaves every table as it was.
    MorReadResult read;
    try {
        read = loadMor(
            tables,
            [&file](char* buf, std::size_t cap) -> long long {
                return file.read(buf, static_cast<qint64>(cap));
            },
            static_cast<std::size_t>(file.size()));
    } catch (const std::bad_alloc&) {
        tables.sweep(); // the records made so far belong to no table
        Animate1->end();
        ui::errorNotice(this, QStringLiteral("Tablica nije učitana: za datoteku \"%1\" nema "
                                             "dovoljno memorije.\n%2")
                                  .arg(shown, kept));
        return;
    }
    Animate1->end();
    if (read.badLine != 0) {
        ui::errorNotice(
            this, QStringLiteral("Tablica nije učitana: redak %1 datoteke \"%2\" nije "
                                 "ispravan redak tablice (šest brojeva): %3.\n%4")
                      .arg(QString::number(read.badLine), shown, morFaultText(read.fault), kept));
        return;
    }
    if (read.readFailed) {
        ui::errorNotice(this, QStringLiteral("Tablica nije učitana: datoteku \"%1\" nije moguće "
                                             "pročitati do kraja.\n%2\n%3")
                                  .arg(shown, file.errorString(), kept));
        return;
    }
    // MORE and MORE0 hold the new rows; the records of the replaced MORE are released.
    topRow = 0;
    ScrollBar1->show();
    ShowMORE();
    RefreshInfo();
    InfoBox->show();
    enableTableCommands();
}

void TForm1::SpeedButton7Click() {
    if (!ui::confirm(this, QStringLiteral("Jeste li sigurni da želite prekopirati MORE0 u MORE ?")))
        return;
    if (!resetFromSnapshot(tables)) return;
    topRow = 0;
    ShowMORE();
    RefreshInfo();
}

void TForm1::SpeedButton4Click() {
    Animate1->begin();
    const std::vector<int> rows = selectedRows();
    if (!rows.empty()) deleteRows(MORE, rows);
    topRow = 0;
    ShowMORE();
    RefreshInfo();
    Animate1->end();
}

void TForm1::takeSnapshot() {
    kviro::takeSnapshot(tables);
}

void TForm1::releaseTables() {
    if (generator) {
        generator->requestStop();
        generator->wait();
    }
    tables.releaseAll();
}
