#include "mreza/Mreza.h"

#include "core/MoreNp.h"
#include "core/MoreSort.h"
#include "core/Network.h"
#include "core/NumberText.h"
#include "core/TukEntry.h"
#include "more/Brisac.h"
#include "more/BusyAnimation.h"
#include "more/Fi.h"
#include "more/Infic.h"
#include "mreza/Autoopc.h"
#include "mreza/Info2.h"
#include "mreza/Jamstvo.h"
#include "mreza/NetworkPaint.h"
#include "mreza/Optimiz.h"
#include "mreza/Pot11autothread.h"
#include "output/Printic.h"
#include "output/Saver.h"
#include "platform/Dialogs.h"
#include "platform/FormParts.h"
#include "platform/Locale.h"
#include "platform/Widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>

#include <functional>
#include <string>

using namespace kviro;

TMrezaForm* MrezaForm = nullptr;

using ui::arial;

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                    const QString& hint = QString()) {
    auto* b = ui::control<QPushButton>(parent, name, geometry, text);
    if (!hint.isEmpty()) b->setToolTip(hint);
    return b;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, const QPoint& at,
              const QFont& font) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setFont(font);
    l->move(at);
    l->adjustSize();
    return l;
}

// A header over a list: fixed sections with captions, clicks reported by section.
QHeaderView* header(QWidget* parent, const char* name, const QStringList& captions,
                    const QList<int>& widths, const QRect& geometry) {
    auto* h = new QHeaderView(Qt::Horizontal, parent);
    h->setObjectName(QLatin1String(name));
    auto* model = new QStandardItemModel(0, static_cast<int>(captions.size()), h);
    model->setHorizontalHeaderLabels(captions);
    h->setModel(model);
    h->setSectionsClickable(true);
    h->setHighlightSections(false);
    h->setStretchLastSection(false);
    h->setSectionResizeMode(QHeaderView::Fixed);
    h->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    h->setFont(ui::headerFont());
    for (int i = 0; i < widths.size(); ++i)
        h->resizeSection(i, widths[i]);
    h->setGeometry(geometry);
    return h;
}

// Puts the header right over the lines of its list, whose cells start at the list's inner edge.
void alignHeader(QHeaderView* h, const QListWidget* list) {
    const int frame = list->frameWidth();
    h->setGeometry(list->x() + frame, h->y(), list->width() - 2 * frame, h->height());
}

// Lines drawn by the program: the list holds one item per shown line and the paint routine
// draws it from the table.
class LineDelegate : public QStyledItemDelegate {
  public:
    using Paint = std::function<void(QPainter*, const QRect&, int line, bool selected)>;
    LineDelegate(QObject* parent, int height, Paint paint)
        : QStyledItemDelegate(parent), height_(height), paint_(std::move(paint)) {}
    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        paint_(p, option.rect, index.row(), option.state.testFlag(QStyle::State_Selected));
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), height_};
    }

  private:
    int height_;
    Paint paint_;
};

QListWidget* lineList(QWidget* parent, const char* name, const QRect& geometry, int lineHeight,
                      LineDelegate::Paint paint, bool ownScrollBar) {
    auto* l = new QListWidget(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setUniformItemSizes(true);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    l->setVerticalScrollBarPolicy(ownScrollBar ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    l->setItemDelegate(new LineDelegate(l, lineHeight, std::move(paint)));
    l->setFont(ui::listFont(9));
    return l;
}

void fillLines(QListWidget* list, int lines, bool numbered, int first = 0) {
    list->clear();
    for (int i = 0; i < lines; ++i)
        list->addItem(numbered ? QString::number(first + i + 1) : QString());
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

TMrezaForm::TMrezaForm(QWidget* parent) : QWidget(parent) {
    MrezaForm = this;
    setObjectName(QStringLiteral("MrezaForm"));
    setWindowTitle(QStringLiteral("MREŽA"));
    setFixedSize(579, 568);

    buildHead();
    buildNetwork();
    buildCoverage();
    buildTukPanel();

    stopShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    stopShortcut_->setContext(Qt::WindowShortcut);
    stopShortcut_->setEnabled(false);
    connect(stopShortcut_, &QShortcut::activated, this, [this] {
        if (optimising())
            stopOptimise();
        else
            stopAutoRun();
    });

    minHits = -1; // FormCreate
    updateCommands();

    ui::centreOnScreen(this);
}

TMrezaForm::~TMrezaForm() {
    stopRuns();
    if (MrezaForm == this) MrezaForm = nullptr;
}

void TMrezaForm::buildHead() {
    const QFont normal = arial(12);
    const QFont bold = arial(12, true);
    Label1 = label(this, "Label1", QStringLiteral("Početni broj kombinacija u MREŽI :"), {8, 10},
                   normal);
    Label3 = label(this, "Label3", QStringLiteral("Suma matematičkih nada :"), {8, 32}, normal);
    MREZANum = label(this, "MREZANum", QStringLiteral("0"), {222, 10}, bold);
    MANUNum = label(this, "MANUNum", QStringLiteral("0"), {222, 32}, bold);
    for (QLabel* l : {MREZANum, MANUNum}) {
        l->setStyleSheet(QStringLiteral("color: blue;"));
        l->resize(100, l->height());
    }

    Menu = new QFrame(this);
    Menu->setObjectName(QStringLiteral("Menu"));
    Menu->setFrameShape(QFrame::Panel);
    Menu->setFrameShadow(QFrame::Raised);
    Menu->setGeometry(326, 2, 251, 58);
    Menu->setFont(arial(11));
    SpeedButton2 = button(Menu, "SpeedButton2", QStringLiteral("TUK = MREŽA"), {4, 4, 120, 24},
                          QStringLiteral("Kopira sve kombinacije iz MREŽA u TUK"));
    SpeedButton6 = button(Menu, "SpeedButton6", QStringLiteral("MREŽA = MREŽA0"), {126, 4, 121, 24},
                          QStringLiteral("Vraća MREŽA u prvobitno stanje"));
    SpeedButton3 = button(Menu, "SpeedButton3", QStringLiteral("Dvanaesterac"), {4, 30, 82, 24});
    SpeedButton4 = button(Menu, "SpeedButton4", QStringLiteral("Jedanaesterac"), {88, 30, 86, 24});
    SpeedButton8 = button(Menu, "SpeedButton8", QStringLiteral("Povratak"), {176, 30, 71, 24},
                          QStringLiteral("Povratak na prethodni ekran"));
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(SpeedButton6, &QPushButton::clicked, this, [this] { SpeedButton6Click(); });
    connect(SpeedButton3, &QPushButton::clicked, this, [this] { SpeedButton3Click(); });
    connect(SpeedButton4, &QPushButton::clicked, this, [this] { SpeedButton4Click(); });
    connect(SpeedButton8, &QPushButton::clicked, this, [this] { SpeedButton8Click(); });
}

void TMrezaForm::buildNetwork() {
    const ui::NetworkCells cells = ui::NetworkCells::measure();
    const int width = cells.total() + 2;
    HeaderControl1 =
        header(this, "HeaderControl1",
               {QStringLiteral("##"), QStringLiteral("Kombinacija"), QStringLiteral("1 0 2"),
                QStringLiteral("MANA"), QStringLiteral("NP")},
               {cells.number, cells.combination, cells.counts, cells.mana, cells.np},
               {4, 66, width, 18});
    connect(HeaderControl1, &QHeaderView::sectionClicked, this,
            [this](int s) { HeaderControl1SectionClick(s); });

    const char sep = ui::decimalSeparator();
    MREZAShow = lineList(
        this, "MREZAShow", {4, 84, width, 6 * 15 + 2}, 15,
        [this, sep](QPainter* p, const QRect& r, int line, bool selected) {
            const int row = mrezaPage.rowAt(line);
            const Table& net = Form1->MREZA;
            if (row < 0 || static_cast<std::size_t>(row) >= net.size())
                ui::paintBlankLine(p, r);
            else
                ui::paintNetworkLine(p, r, *net[static_cast<std::size_t>(row)], selected, sep);
        },
        false);
    alignHeader(HeaderControl1, MREZAShow);
    ScrollBar1 = new QScrollBar(Qt::Vertical, this);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setGeometry(4 + width, 84, 17, 6 * 15 + 2);
    ScrollBar1->setPageStep(6);
    ScrollBar1->setSingleStep(1);
    ScrollBar1->setRange(0, 0);
    ScrollBar1->hide();
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this](int v) { ScrollBar1Change(v); });
    ui::wheelScrolls(MREZAShow, ScrollBar1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](const char* name, const QString& text, const QKeySequence& keys) {
        auto* a = new QAction(text, this);
        a->setObjectName(QLatin1String(name));
        if (!keys.isEmpty()) {
            a->setShortcut(keys);
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            MREZAShow->addAction(a);
        }
        PopupMenu1->addAction(a);
        return a;
    };
    PostaviNPnaodreenuvrijednost1 =
        item("PostaviNPnaodreenuvrijednost1", QStringLiteral("Obriši kombinacije sa NP > X"), {});
    PoveajNPza11 =
        item("PoveajNPza11", QStringLiteral("Povećaj NP za 1"), QKeySequence(Qt::CTRL | Qt::Key_N));
    SmanjiNPza11 =
        item("SmanjiNPza11", QStringLiteral("Smanji NP za 1"), QKeySequence(Qt::CTRL | Qt::Key_P));
    ResetirajsveNPna01 = item("ResetirajsveNPna01", QStringLiteral("Resetiraj sve NP na 0"), {});
    connect(PostaviNPnaodreenuvrijednost1, &QAction::triggered, this,
            [this] { PostaviNPnaodreenuvrijednost1Click(); });
    connect(PoveajNPza11, &QAction::triggered, this, [this] { PoveajNPza11Click(); });
    connect(SmanjiNPza11, &QAction::triggered, this, [this] { SmanjiNPza11Click(); });
    connect(ResetirajsveNPna01, &QAction::triggered, this, [this] { ResetirajsveNPna01Click(); });
    MREZAShow->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(MREZAShow, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (QListWidgetItem* it = MREZAShow->itemAt(at)) MREZAShow->setCurrentItem(it);
        PopupMenu1->popup(MREZAShow->viewport()->mapToGlobal(at));
    });

    const int x = 4 + width + 17 + 8;
    BitBtn9 = button(this, "BitBtn9", QStringLiteral("Info"), {x, 84, 70, 24},
                     QStringLiteral("Prikaži/sakrij informacije o listama"));
    BitBtn1 = button(this, "BitBtn1", QString(), {x, 112, 70, 24},
                     QStringLiteral("Prebaci kombinaciju iz MREŽA u TUK direktno"));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    ToPOT = button(this, "ToPOT", QString(), {x, 140, 70, 24},
                   QStringLiteral("Obradi kombinaciju iz MREŽA u POT11/POT12"));
    ToPOT->setFont(arial(13, true));
    ToPOT->hide();
    connect(BitBtn9, &QPushButton::clicked, this, [this] { BitBtn9Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(ToPOT, &QPushButton::clicked, this, [this] { ToPOTClick(); });
}

void TMrezaForm::buildCoverage() {
    PageControl1 = new QStackedWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(4, 182, 571, 178);
    PageControl1->hide();
    const char sep = ui::decimalSeparator();

    // A page of candidates: group box, header, list, progress bar and the button that takes the
    // selected candidate into the entry row.
    struct Page {
        const char* tab;
        const char* box;
        const char* title;
        const char* header;
        QStringList captions;
        QString headerHint;
        const char* list;
        int listWidth;
        const Table* table;
        ui::CandidateList kind;
        const char* progress;
        int candidates;
        const char* take;
        QString takeHint;
        QRect takeGeometry;
    };
    auto page = [this, sep](const Page& pg, QWidget*& tab, QGroupBox*& box, QHeaderView*& head,
                            QListWidget*& list, QProgressBar*& progress, QPushButton*& take) {
        tab = new QWidget;
        tab->setObjectName(QLatin1String(pg.tab));
        box = new QGroupBox(QLatin1String(pg.title), tab);
        box->setObjectName(QLatin1String(pg.box));
        box->setGeometry(0, 0, 571, 178);
        // The sections are the cells of a full list, as its lines paint them.
        QList<int> widths;
        for (int w : ui::candidateCells(static_cast<std::size_t>(pg.candidates), pg.kind))
            widths.append(w);
        head = header(box, pg.header, pg.captions, widths, {6, 18, pg.listWidth, 18});
        head->setToolTip(pg.headerHint);
        const Table* table = pg.table;
        const ui::CandidateList kind = pg.kind;
        list = lineList(
            box, pg.list, {6, 36, pg.listWidth, 8 * 15 + 2}, 15,
            [table, kind, sep](QPainter* p, const QRect& r, int line, bool selected) {
                if (static_cast<std::size_t>(line) >= table->size())
                    ui::paintBlankLine(p, r);
                else
                    ui::paintCandidateLine(p, r, *(*table)[static_cast<std::size_t>(line)],
                                           line + 1, table->size(), selected, kind, sep);
            },
            true);
        alignHeader(head, list);
        progress = new QProgressBar(box);
        progress->setObjectName(QLatin1String(pg.progress));
        progress->setGeometry(6, 160, pg.listWidth, 12);
        progress->setRange(0, pg.candidates);
        progress->setValue(0);
        progress->setTextVisible(false);
        take = button(box, pg.take, QString(), pg.takeGeometry, pg.takeHint);
        take->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
        PageControl1->addWidget(tab);
    };
    page({"Tab12",
          "GroupBox2",
          "POTA 12 :",
          "HeaderControl2",
          ui::candidateCaptions(ui::CandidateList::Pota12),
          QStringLiteral("Za sortiranje kliknite na MANA ili sum MANA"),
          "POTA12Show",
          504,
          &Form1->POTA12,
          ui::CandidateList::Pota12,
          "POTA12Progress",
          kPota12Candidates,
          "BitBtn6",
          QStringLiteral("Prebaci kombinaciju iz POT12 u polje za unos u TUK"),
          {514, 36, 50, 24}},
         Tab12, GroupBox2, HeaderControl2, POTA12Show, POTA12Progress, BitBtn6);
    page({"Tab11",
          "GroupBox3",
          "POTA 11 :",
          "HeaderControl3",
          ui::candidateCaptions(ui::CandidateList::Pot11),
          QStringLiteral("Sortiranje po MANA, br.pog ili sum MANA klikom na naziv"),
          "POT11Show",
          471,
          &Form1->POT11,
          ui::CandidateList::Pot11,
          "POT11Progress",
          kPot11Candidates,
          "BitBtn7",
          QStringLiteral("Prebaci kombinaciju iz POT11 u polje za unos u TUK"),
          {478, 36, 86, 24}},
         Tab11, GroupBox3, HeaderControl3, POT11Show, POT11Progress, BitBtn7);
    connect(HeaderControl2, &QHeaderView::sectionClicked, this,
            [this](int s) { HeaderControl2SectionClick(s); });
    connect(HeaderControl3, &QHeaderView::sectionClicked, this,
            [this](int s) { HeaderControl3SectionClick(s); });
    connect(BitBtn6, &QPushButton::clicked, this, [this] { BitBtn6Click(); });

    BitBtn8 = button(GroupBox3, "BitBtn8", QString(), {478, 64, 86, 24},
                     QStringLiteral("Automatski POT11"));
    BitBtn8->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    Button1 = button(GroupBox3, "Button1", QStringLiteral("OPCIJE"), {478, 92, 86, 24},
                     QStringLiteral("Dodatni zahtjevi - minimalan broj pogodaka..."));
    Animate1 = new BusyAnimation(GroupBox3);
    Animate1->setObjectName(QStringLiteral("Animate1"));
    Animate1->move(497, 120);
    Animate1->hide();
    connect(BitBtn7, &QPushButton::clicked, this, [this] { BitBtn7Click(); });
    connect(BitBtn8, &QPushButton::clicked, this, [this] { BitBtn8Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    // The optimiser sits above the take button, where the page has room to spare.
    OptimirajTUK = button(GroupBox3, "OptimirajTUK", QStringLiteral("Optimiraj TUK"),
                          {478, 9, 86, 24},
                          QStringLiteral("Najmanje kombinacija za isto jamstvo (10, 11 ili 12 "
                                         "pogodaka)"));
    OptimirajTUK->setFont(arial(11));
    connect(OptimirajTUK, &QPushButton::clicked, this, [this] { OptimirajTUKClick(); });
}

void TMrezaForm::buildTukPanel() {
    TukPanel = new QFrame(this);
    TukPanel->setObjectName(QStringLiteral("TukPanel"));
    TukPanel->setGeometry(0, 364, 579, 204);

    Label2 = new QLabel(QStringLiteral("  Tablica uplaćenih kombinacija"), TukPanel);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(0, 0, 579, 20);
    Label2->setFont(arial(13, true));
    Label2->setAutoFillBackground(true);
    Label2->setStyleSheet(QStringLiteral("background: black; color: white;"));

    // Shown in the title bar while an automatic run can be stopped.
    StopHint =
        new QLabel(QStringLiteral("Prekid: Esc ili ponovni klik na Automatski POT11"), TukPanel);
    StopHint->setObjectName(QStringLiteral("StopHint"));
    StopHint->setFont(arial(11, true));
    StopHint->setStyleSheet(QStringLiteral("color: yellow; background: transparent;"));
    StopHint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    StopHint->setGeometry(220, 0, 353, 20);
    StopHint->hide();

    Label4 = label(TukPanel, "Label4", QStringLiteral("Kombinacija :"), {6, 30}, arial(12));
    int x = 92;
    for (int m = 1; m <= kMatches; ++m) {
        auto* e = new QLineEdit(QStringLiteral("0"), TukPanel);
        e->setObjectName(QStringLiteral("Edit%1").arg(m));
        e->setMaxLength(1);
        e->setAlignment(Qt::AlignCenter);
        e->setFont(arial(12, true));
        e->setStyleSheet(QStringLiteral("background: silver;"));
        e->setGeometry(x, 26, 17, 22);
        x += 19;
        if (m == 3 || m == 6 || m == 9) x += 7;
        if (m < kMatches)
            connect(e, &QLineEdit::returnPressed, this, [this, m] { EditKeyPress(m); });
        edits_[static_cast<std::size_t>(m - 1)] = e;
    }
    BitBtn5 = button(TukPanel, "BitBtn5", QString(), {x + 6, 25, 40, 24},
                     QStringLiteral("Prebaci kombinaciju u TUK"));
    BitBtn5->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    connect(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });

    const int width = 360;
    TUKShow = lineList(
        TukPanel, "TUKShow", {6, 56, width, 8 * 16 + 2}, 16,
        [this](QPainter* p, const QRect& r, int line, bool selected) {
            const int row = tukPage.rowAt(line);
            const Table& tuk = Form1->TUK;
            if (row < 0 || static_cast<std::size_t>(row) >= tuk.size())
                ui::paintBlankLine(p, r);
            else
                ui::paintTukLine(p, r, *tuk[static_cast<std::size_t>(row)], row + 1, tuk.size(),
                                 selected);
        },
        false);
    ScrollBar2 = new QScrollBar(Qt::Vertical, TukPanel);
    ScrollBar2->setObjectName(QStringLiteral("ScrollBar2"));
    ScrollBar2->setGeometry(6 + width, 56, 17, 8 * 16 + 2);
    ScrollBar2->setPageStep(8);
    ScrollBar2->setRange(0, 0);
    ScrollBar2->hide();
    connect(ScrollBar2, &QScrollBar::valueChanged, this, [this](int v) { ScrollBar2Change(v); });
    ui::wheelScrolls(TUKShow, ScrollBar2);

    const int bx = 6 + width + 17 + 24;
    SpeedButton1 =
        button(TukPanel, "SpeedButton1", QStringLiteral("ispiši TUK"), {bx, 56, 150, 26});
    SpeedButton5 =
        button(TukPanel, "SpeedButton5", QStringLiteral("kopiraj TUK"), {bx, 86, 150, 26});
    SpeedButton7 = button(TukPanel, "SpeedButton7", QStringLiteral("obriši TUK"),
                          {bx, 116, 150, 26}, QStringLiteral("Obriši sve kombinacije iz TUK"));
    BitBtn4 = button(TukPanel, "BitBtn4", QStringLiteral("OK"), {bx, 156, 150, 30},
                     QStringLiteral("Briše kombinacije sa 11,12 i 13 p. iz MREŽE"));
    BitBtn4->setFont(arial(13, true));
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(SpeedButton5, &QPushButton::clicked, this, [this] { SpeedButton5Click(); });
    connect(SpeedButton7, &QPushButton::clicked, this, [this] { SpeedButton7Click(); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });

    // Right of the entry row's arrow, level with the sign fields.
    JamstvoButton = button(TukPanel, "JamstvoButton", QStringLiteral("Jamstvo TUK"),
                           {bx + 10, 25, 140, 24},
                           QStringLiteral("Što TUK jamči, izgledi dobitka i cijena (Ctrl+J)"));
    JamstvoButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    connect(JamstvoButton, &QPushButton::clicked, this, [this] { JamstvoButtonClick(); });
    jamstvo_ = new TJamstvoForm(this);
}

// ---- views --------------------------------------------------------------------------------

int TMrezaForm::selectedLine(const QListWidget* list) const {
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.first());
}

int TMrezaForm::selectedNetworkRow() const {
    const int row = mrezaPage.rowAt(selectedLine(MREZAShow));
    return row >= 0 && static_cast<std::size_t>(row) < Form1->MREZA.size() ? row : -1;
}

void TMrezaForm::ShowMREZA() {
    const Table& net = Form1->MREZA;
    mrezaPage.setCount(static_cast<int>(net.size()));
    {
        const QSignalBlocker block(ScrollBar1);
        ScrollBar1->setRange(0, mrezaPage.scrollMaximum());
        ScrollBar1->setValue(mrezaPage.topRow());
    }
    fillLines(MREZAShow, mrezaPage.visibleLines(), true, mrezaPage.topRow());
    ScrollBar1->setVisible(!net.empty());
    updateCommands();
    if (jamstvo_) jamstvo_->tablesChanged();
}

void TMrezaForm::ShowTUK() {
    const Table& tuk = Form1->TUK;
    tukPage.setCount(static_cast<int>(tuk.size()));
    {
        const QSignalBlocker block(ScrollBar2);
        ScrollBar2->setRange(0, tukPage.scrollMaximum());
        ScrollBar2->setValue(tukPage.topRow());
    }
    fillLines(TUKShow, tukPage.visibleLines(), false);
    ScrollBar2->setVisible(!tuk.empty());
    updateCommands();
    if (jamstvo_) jamstvo_->tablesChanged();
    if (Form8 && Form8->isVisible()) ShowInfo(); // the Info window follows every change of TUK
}

void TMrezaForm::ShowPOTA12() {
    fillLines(POTA12Show, static_cast<int>(Form1->POTA12.size()), false);
}

void TMrezaForm::ShowPOT11() {
    fillLines(POT11Show, static_cast<int>(Form1->POT11.size()), false);
}

void TMrezaForm::ShowInfo() {
    const char sep = ui::decimalSeparator();
    const double manu = parseDecimal(MANUNum->text().toStdString(), sep).value_or(0.0);
    const NetworkInfo info = networkInfo(Form1->MREZA, Form1->MREZA0, Form1->TUK, manu, sep);
    Form8->Label5->setText(qs(info.mrezaRows));
    Form8->Label6->setText(qs(info.mrezaPercent));
    Form8->Label9->setText(qs(info.mrezaMana));
    Form8->Label10->setText(qs(info.mrezaManaPercent));
    Form8->Label7->setText(qs(info.tukRows));
    Form8->Label8->setText(qs(info.tukPercent));
    Form8->Label11->setText(qs(info.tukMana));
    Form8->Label12->setText(qs(info.tukManaPercent));
    if (!Form8->isVisible()) Form8->show();
}

void TMrezaForm::updateCommands() {
    const bool idle = !running();
    const bool network = !Form1->MREZA.empty();
    const bool tuk = !Form1->TUK.empty();
    for (QPushButton* b : {SpeedButton2, SpeedButton3, SpeedButton4, ToPOT})
        b->setEnabled(idle && network);
    BitBtn1->setEnabled(network);
    for (QPushButton* b : {SpeedButton6, SpeedButton8, SpeedButton7, BitBtn5})
        b->setEnabled(idle);
    for (QPushButton* b : {SpeedButton1, SpeedButton5, BitBtn4})
        b->setEnabled(idle && tuk);
    for (QHeaderView* h : {HeaderControl1, HeaderControl2, HeaderControl3})
        h->setEnabled(idle);
    for (QAction* a :
         {PostaviNPnaodreenuvrijednost1, PoveajNPza11, SmanjiNPza11, ResetirajsveNPna01})
        a->setEnabled(idle);
    BitBtn8->setEnabled(idle || autoRunning());
    OptimirajTUK->setEnabled((idle && network) || optimising());
}

void TMrezaForm::ScrollBar1Change(int position) {
    if (mrezaPage.scrollTo(position)) ShowMREZA();
}

void TMrezaForm::ScrollBar2Change(int position) {
    if (tukPage.scrollTo(position)) ShowTUK();
}

// ---- hand-over and table commands ---------------------------------------------------------

void TMrezaForm::handOver() {
    if (running()) return;
    // The hand-over empties TUK: a TUK never written to a file is not lost without a question.
    if (tukUnsaved() && !confirmTukDiscard(Form1)) return;
    Form1->Animate1->begin();
    sortByMana(Form1->MORE);
    Form1->topRow = 0;
    Form1->ShowMORE();
    Form1->Animate1->end();
    index_.clear(); // records of an earlier network may have been released meanwhile
    const HandOver h = handOverNetwork(Form1->MORE, Form1->MREZA, Form1->MREZA0, Form1->TUK);
    InfoBox->hide();
    MREZANum->setText(qs(networkCountText(h.rows)));
    MANUNum->setText(qs(networkManaText(h.manaSum, ui::decimalSeparator())));
    show();
    raise();
    activateWindow();
    mrezaPage.reset();
    ShowMREZA();
    tukPage.reset();
    ShowTUK();
    ShowInfo();
    Form1->hide();
}

void TMrezaForm::SpeedButton2Click() {
    if (running()) return;
    tukPage.reset();
    copyNetworkToTuk(Form1->MREZA, Form1->TUK);
    ShowInfo();
    ShowTUK();
}

void TMrezaForm::SpeedButton6Click() {
    if (running()) return;
    if (!ui::confirm(this,
                     QStringLiteral("Jeste li sigurni da želite prekopirati MREŽA0 u MREŽA ?")))
        return;
    restoreNetwork(Form1->MREZA, Form1->MREZA0);
    mrezaPage.reset();
    ShowInfo();
    ShowMREZA();
}

void TMrezaForm::SpeedButton3Click() {
    if (running()) return;
    ToPOT->setText(QStringLiteral("12"));
    ToPOT->show();
    PageControl1->setCurrentWidget(Tab12);
    PageControl1->show();
    pota12Pending = true;
}

void TMrezaForm::SpeedButton4Click() {
    if (running()) return;
    ToPOT->setText(QStringLiteral("11"));
    ToPOT->show();
    PageControl1->setCurrentWidget(Tab11);
    PageControl1->show();
    if (pota12Pending) {
        purgeNpMarked(Form1->MREZA);
        mrezaPage.reset();
        ShowMREZA();
        pota12Pending = false;
    }
}

void TMrezaForm::SpeedButton8Click() {
    if (running()) return;
    Form8->hide();
    hide();
    Form1->show();
}

void TMrezaForm::closeEvent(QCloseEvent* event) {
    // Closing the window is "Povratak"; not while a run is in progress.
    if (running()) {
        event->ignore();
        return;
    }
    Form8->hide();
    Form1->show();
    event->accept();
}

void TMrezaForm::BitBtn9Click() {
    if (Form8->isVisible())
        Form8->hide();
    else
        ShowInfo();
}

bool TMrezaForm::confirmTukDiscard(QWidget* parent) {
    return ui::confirm(parent, QStringLiteral("Jeste li sigurni da želite obrisati podatke u TUK ? "
                                              "Ako niste prije ih iskopirajte na disk !"));
}

void TMrezaForm::SpeedButton7Click() {
    if (running()) return;
    if (!confirmTukDiscard(this)) return;
    Form1->TUK.clear();
    tukPage.reset();
    ShowTUK();
}

void TMrezaForm::SpeedButton1Click() {
    if (running() || Form1->TUK.empty()) return;
    Form6->show();
    Form6->raise();
}

void TMrezaForm::SpeedButton5Click() {
    if (running()) return;
    Form7->show();
    Form7->raise();
}

void TMrezaForm::HeaderControl1SectionClick(int section) {
    if (running()) return;
    if (!sortNetworkBySection(Form1->MREZA, section)) return;
    mrezaPage.reset();
    ShowMREZA();
}

void TMrezaForm::HeaderControl2SectionClick(int section) {
    if (running()) return;
    if (sortPota12BySection(Form1->POTA12, section)) ShowPOTA12();
}

void TMrezaForm::HeaderControl3SectionClick(int section) {
    if (running()) return;
    if (sortPot11BySection(Form1->POT11, section)) ShowPOT11();
}

// ---- TUK against its last copy -------------------------------------------------------------

void TMrezaForm::tukCopied() {
    copiedTuk_ = tableCodes(Form1->TUK);
}

bool TMrezaForm::tukUnsaved() const {
    // The file holds the codes in table order and nothing else.
    return !Form1->TUK.empty() && tableCodes(Form1->TUK) != copiedTuk_;
}

// ---- NP menu --------------------------------------------------------------------------------

void TMrezaForm::PostaviNPnaodreenuvrijednost1Click() {
    if (running()) return;
    Form11->exec(); // its result does not matter: the question below decides
    const QString text = Form11->Edit1->text();
    if (!ui::confirm(this,
                     QStringLiteral("Jeste li sigurni da želite obrisati sve kombinacije sa NP >") +
                         text))
        return;
    const auto x = purgeThreshold(text.toStdString());
    if (!x) return;
    purgeNpAbove(Form1->MREZA, *x);
    mrezaPage.reset();
    ShowMREZA();
}

void TMrezaForm::stepNp(void (*step)(const Table&, std::span<const int>)) {
    const int line = selectedLine(MREZAShow);
    const int row = selectedNetworkRow();
    if (running() || row < 0) return;
    const int rows[] = {row};
    step(Form1->MREZA, std::span<const int>(rows));
    ShowMREZA();
    MREZAShow->setCurrentRow(line);
}

void TMrezaForm::PoveajNPza11Click() {
    stepNp(raiseNp);
}

void TMrezaForm::SmanjiNPza11Click() {
    stepNp(lowerNp);
}

void TMrezaForm::ResetirajsveNPna01Click() {
    if (running()) return;
    resetAllNp(Form1->MREZA);
    ShowMREZA();
}

// ---- entry row and strike-out ---------------------------------------------------------------

void TMrezaForm::takeIntoEntryRow(const Combination& rec, std::int8_t source) {
    for (int a = 1; a <= kMatches; ++a)
        edit(a)->setText(QString::number(signAt(rec, a)));
    entrySource = source;
}

void TMrezaForm::BitBtn1Click() {
    const int row = selectedNetworkRow();
    if (row >= 0) takeIntoEntryRow(*Form1->MREZA[static_cast<std::size_t>(row)], FromNetwork);
}

void TMrezaForm::BitBtn6Click() {
    const int line = selectedLine(POTA12Show);
    if (line >= 0 && static_cast<std::size_t>(line) < Form1->POTA12.size())
        takeIntoEntryRow(*Form1->POTA12[static_cast<std::size_t>(line)], FromPota12);
}

void TMrezaForm::BitBtn7Click() {
    const int line = selectedLine(POT11Show);
    if (line >= 0 && static_cast<std::size_t>(line) < Form1->POT11.size())
        takeIntoEntryRow(*Form1->POT11[static_cast<std::size_t>(line)], FromPot11);
}

void TMrezaForm::EditKeyPress(int match) {
    if (match < kMatches) edit(match + 1)->setFocus();
}

void TMrezaForm::BitBtn5Click() {
    if (running()) return;
    std::array<std::string, kMatches> texts;
    std::array<std::string_view, kMatches> fields;
    for (int a = 1; a <= kMatches; ++a) {
        texts[static_cast<std::size_t>(a - 1)] = edit(a)->text().toStdString();
        fields[static_cast<std::size_t>(a - 1)] = texts[static_cast<std::size_t>(a - 1)];
    }
    const EntryRow row = readEntryRow(fields);
    if (row.problem == EntryRow::NotANumber) {
        ui::conversionError(this, edit(row.field)->text(), true);
        return;
    }
    if (row.problem == EntryRow::NotASign) {
        ui::errorNotice(this, QString::fromUtf8(kEntrySignMessage));
        edit(row.field)->setFocus();
        return;
    }
    if (tukHolds(Form1->TUK, codeOf(row.digits))) {
        ui::notice(this, QString::fromUtf8(kTukHoldsMessage));
        return;
    }
    if (!Form1->readProbabilities()) return;
    addToTuk(Form1->TUK, row.digits, entrySource, Form1->probability, Form1->tables.pool);
    tukPage.reset();
    ShowTUK();
    if (!Form8->isVisible()) Form8->show();
    TUKShow->setCurrentRow(0);
}

void TMrezaForm::BitBtn4Click() {
    if (running()) return;
    const int row = tukPage.rowAt(selectedLine(TUKShow));
    if (row < 0 || static_cast<std::size_t>(row) >= Form1->TUK.size()) return;
    strikeOut(Form1->MREZA, *Form1->TUK[static_cast<std::size_t>(row)]);
    mrezaPage.reset();
    ShowMREZA();
    ShowInfo();
}

void TMrezaForm::JamstvoButtonClick() {
    jamstvo_->toggle();
}

// ---- coverage -------------------------------------------------------------------------------

void TMrezaForm::sweepPool() {
    if (running()) return;
    RecordPool& pool = Form1->tables.pool;
    if (pool.blockCount() <= blocksAfterSweep_) return;
    Form1->tables.sweep();
    blocksAfterSweep_ = pool.blockCount();
}

void TMrezaForm::ToPOTClick() {
    if (running()) return;
    const int row = selectedNetworkRow();
    if (row < 0) return;
    if (ToPOT->text() != QLatin1String("12")) {
        startSingleRun(row);
        return;
    }
    if (!Form1->readProbabilities()) return;
    POTA12Progress->setValue(0);
    fillPota12(Form1->POTA12, Form1->MREZA, static_cast<std::size_t>(row), Form1->probability,
               Form1->tables.pool, &index_, [this](int done) {
                   POTA12Progress->setValue(done);
                   POTA12Progress->repaint();
               });
    ShowPOTA12();
    POTA12Progress->setValue(0);
    sweepPool();
}

void TMrezaForm::setRunning(bool on, bool automatic) {
    running_ = on ? (automatic ? Run::Auto : Run::Single) : Run::None;
    // Nothing on the workbench (hand-over, percentages) may change while a run works, and the
    // print and copy dialogs, which read TUK, wait too.
    for (QWidget* w :
         {static_cast<QWidget*>(Form1), static_cast<QWidget*>(Form6), static_cast<QWidget*>(Form7)})
        if (w) w->setEnabled(!on);
    stopShortcut_->setEnabled(on && automatic);
    StopHint->setText(QStringLiteral("Prekid: Esc ili ponovni klik na Automatski POT11"));
    StopHint->setVisible(on && automatic);
    BitBtn8->setIcon(
        style()->standardIcon(on && automatic ? QStyle::SP_MediaStop : QStyle::SP_MediaPlay));
    BitBtn8->setToolTip(on && automatic ? QStringLiteral("Zaustavi automatski POT11 (Esc)")
                                        : QStringLiteral("Automatski POT11"));
    updateCommands();
}

void TMrezaForm::startSingleRun(int row) {
    if (!Form1->readProbabilities()) return;
    auto* t = new POT11Auto(this);
    t->setObjectName(QStringLiteral("POT11Auto"));
    t->singleRun = true;
    t->mrezaIndex = row;
    t->network = Form1->MREZA;
    t->probability = Form1->probability;
    t->pool = &Form1->tables.pool;
    t->index = &index_;
    t->RepaintProgress = [this](int done) {
        POT11Progress->setValue(done);
        POT11Progress->repaint();
    };
    singleThread = t;
    POT11Progress->setValue(0);
    setRunning(true, false);
    const QPointer<POT11Auto> guard(t);
    connect(t, &QThread::finished, this, [this, guard] { finishRun(guard.data()); });
    t->start();
}

void TMrezaForm::BitBtn8Click() {
    if (autoRunning()) {
        stopAutoRun();
        return;
    }
    if (running()) return;
    if (!Form1->readProbabilities()) return; // the run values its rows by these percentages
    Animate1->begin();
    Label2->setText(QStringLiteral("Izvodi se automatski POT11"));
    auto* t = new POT11Auto(this);
    t->setObjectName(QStringLiteral("POT11Auto"));
    t->singleRun = false;
    t->minHits = minHits;
    t->network = Form1->MREZA;
    t->tuk = Form1->TUK;
    t->probability = Form1->probability;
    t->pool = &Form1->tables.pool;
    t->RefreshViews = [this](const AutoPot11Step& step) { refreshViews(step); };
    autoThread = t;
    viewRefreshes = 0;
    setRunning(true, true);
    const QPointer<POT11Auto> guard(t);
    connect(t, &QThread::finished, this, [this, guard] { finishRun(guard.data()); });
    t->start();
}

void TMrezaForm::stopAutoRun() {
    if (!autoRunning() || !autoThread) return;
    autoThread->requestStop();
    StopHint->setText(QStringLiteral("Zaustavljanje..."));
    BitBtn8->setEnabled(false);
}

void TMrezaForm::refreshViews(const AutoPot11Step& step) {
    ++viewRefreshes;
    step.writeTables(Form1->MREZA, Form1->TUK);
    ShowMREZA();
    ShowTUK();
    SpeedButton5->repaint();
}

void TMrezaForm::finishRun(POT11Auto* t) {
    if (!t || (t != singleThread.data() && t != autoThread.data())) return; // already done
    t->wait();
    const bool automatic = !t->singleRun;
    if (automatic) {
        autoThread = nullptr;
        Form1->MREZA.swap(t->network);
        Form1->TUK.swap(t->tuk);
        if (t->result.steps > 0) Form1->POT11.swap(t->candidates);
    } else {
        singleThread = nullptr;
        if (t->filled) Form1->POT11.swap(t->candidates);
        POT11Progress->setValue(0);
    }
    t->deleteLater();
    setRunning(false, false);
    ShowPOT11();
    if (automatic) {
        ShowMREZA();
        ShowTUK();
        endAutoRun();
    }
    sweepPool();
}

void TMrezaForm::endAutoRun() {
    Animate1->end();
    Label2->setText(QStringLiteral("Tablica uplaćenih kombinacija"));
    ShowInfo();
}

void TMrezaForm::stopRuns() {
    for (POT11Auto* t : {singleThread.data(), autoThread.data()}) {
        if (!t) continue;
        t->requestStop();
        t->wait();
        finishRun(t);
    }
    if (TUKOptimiser* t = optimThread.data()) {
        t->requestStop();
        t->wait();
        finishOptimise(t, false);
    }
}

// ---- TUK optimiser ------------------------------------------------------------------------------

void TMrezaForm::OptimirajTUKClick() {
    if (optimising()) {
        stopOptimise();
        return;
    }
    if (running() || Form1->MREZA.empty()) return;
    if (!OptimForm) OptimForm = new TOptimForm(this);
    if (ui::runDialog(*OptimForm) != QDialog::Accepted) return;
    if (!Form1->readProbabilities()) return; // the new rows are valued by these percentages
    startOptimise(OptimForm->radius(), OptimForm->effort());
}

void TMrezaForm::startOptimise(int radius, OptimiseEffort effort) {
    auto* t = new TUKOptimiser(this);
    t->setObjectName(QStringLiteral("TUKOptimiser"));
    t->network = Form1->MREZA;
    t->probability = Form1->probability;
    t->options.radius = radius;
    t->options.effort = effort;
    optimThread = t;
    optimBest_ = 0;
    optimClock_.start();
    if (!optimTicker_) {
        optimTicker_ = new QTimer(this);
        optimTicker_->setInterval(1000);
        connect(optimTicker_, &QTimer::timeout, this, [this] { showOptimiseProgress(); });
    }
    setRunning(true, false);
    running_ = Run::Optimise;
    stopShortcut_->setEnabled(true);
    StopHint->setVisible(true);
    OptimirajTUK->setText(QStringLiteral("Zaustavi"));
    Animate1->begin();
    Label2->setText(QStringLiteral("Izvodi se optimizacija TUK"));
    showOptimiseProgress();
    optimTicker_->start();
    updateCommands();
    const QPointer<TUKOptimiser> guard(t);
    connect(t, &TUKOptimiser::improved, this, [this, guard](qulonglong rows) {
        if (guard && guard == optimThread) {
            optimBest_ = static_cast<std::size_t>(rows);
            showOptimiseProgress();
        }
    });
    connect(t, &QThread::finished, this, [this, guard] { finishOptimise(guard.data(), true); });
    t->start();
}

void TMrezaForm::showOptimiseProgress() {
    const QString time = QString::number(optimClock_.elapsed() / 1000) + QStringLiteral(" s");
    const QString best = optimBest_ ? QStringLiteral("najbolje %1 komb., ").arg(optimBest_)
                                    : QStringLiteral("traženje, ");
    StopHint->setText(best + time + QStringLiteral(" — prekid: Esc"));
}

void TMrezaForm::stopOptimise() {
    if (!optimising() || !optimThread) return;
    optimThread->requestStop();
    StopHint->setText(QStringLiteral("Zaustavljanje..."));
}

void TMrezaForm::finishOptimise(TUKOptimiser* t, bool apply) {
    if (!t || t != optimThread.data()) return; // already done
    t->wait();
    optimThread = nullptr;
    optimTicker_->stop();
    const OptimiseResult r = t->result;
    const int radius = t->options.radius;
    t->deleteLater();
    Animate1->end();
    OptimirajTUK->setText(QStringLiteral("Optimiraj TUK"));
    Label2->setText(QStringLiteral("Tablica uplaćenih kombinacija"));
    setRunning(false, false);
    // Only a cover checked against the whole network reaches TUK.
    if (!apply || !r.verified || r.codes.empty()) return;
    const std::int8_t source = radius == 1 ? FromPota12 : FromPot11;
    const std::size_t before = Form1->TUK.size();
    const std::size_t added =
        addCoverToTuk(Form1->TUK, r.codes, source, Form1->probability, Form1->tables.pool);
    Form1->MREZA.clear();
    mrezaPage.scrollTo(0);
    tukPage.scrollTo(0);
    ShowMREZA(); // these two bring the guarantee window up to date as well
    ShowTUK();
    ShowInfo();
    const auto count = [](std::size_t n) { return QString::fromStdString(combinationsCount(n)); };
    const QString automatic =
        r.automaticRows ? QString::number(r.automaticRows)
                        : QStringLiteral("(nije izračunato, optimiranje je prekinuto)");
    const QString head =
        r.stopped ? QStringLiteral("Optimiranje je prekinuto. Najbolji TUK nađen do prekida za %1 "
                                   "pogodaka ima %2.")
                  : QStringLiteral("Optimirani TUK za %1 pogodaka ima %2.");
    ui::notice(this, head.arg(13 - radius).arg(count(r.codes.size())) +
                         QStringLiteral("\nNovih u TUK: %1. TUK sada ima %2 (prije: %3).\n"
                                        "Automatski POT11 bi uzeo: %4.")
                             .arg(added)
                             .arg(count(Form1->TUK.size()))
                             .arg(before)
                             .arg(automatic));
}

void TMrezaForm::Button1Click() {
    Form10->CheckBox1->setChecked(minHits != -1);
    if (minHits >= 0) Form10->ComboBox1->setEditText(QString::number(minHits));
    Form10->exec();
    if (!Form10->CheckBox1->isChecked()) {
        minHits = -1;
        return;
    }
    const QString text = Form10->ComboBox1->currentText();
    if (const auto x = parseInteger(text.toStdString()))
        minHits = *x;
    else
        ui::conversionError(this, text, true);
}
