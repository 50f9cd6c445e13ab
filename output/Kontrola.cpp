#include "output/Kontrola.h"

#include "app/Menu.h"
#include "core/Guarantee.h"
#include "core/ResultsCount.h"
#include "core/TukFile.h"
#include "more/Fi.h"
#include "mreza/Jamstvo.h"
#include "output/Printthread.h"
#include "platform/Activation.h"
#include "platform/Dialogs.h"
#include "platform/FontMetrics.h"
#include "platform/Locale.h"
#include "platform/Printers.h"
#include "platform/Widgets.h"

#include <QAbstractItemDelegate>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

using namespace kviro;
using kviro::ui::control;
using kviro::ui::label;

TForm4* Form4 = nullptr;

namespace {

constexpr int kRowHeight = 15;

// The rows of the results list are drawn by the window, from the table.
class ResultsDelegate final : public QAbstractItemDelegate {
  public:
    explicit ResultsDelegate(TForm4* form) : QAbstractItemDelegate(form), form_(form) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        form_->ListBox1DrawItem(*painter, index.row(), option.rect,
                                option.state.testFlag(QStyle::State_Selected));
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), kRowHeight};
    }

  private:
    TForm4* form_;
};

QString readErrorText(const QString& file, const TukReadError& e) {
    const QString word = QString::fromUtf8(e.word.data(), static_cast<qsizetype>(e.word.size()));
    QString what;
    switch (e.kind) {
    case TukReadError::Kind::NotANumber:
        what = QStringLiteral("\"%1\" nije broj").arg(word);
        break;
    case TukReadError::Kind::CodeOutOfRange:
        what = QStringLiteral("\"%1\" nije kod kombinacije (0 ... 44739242)").arg(word);
        break;
    case TukReadError::Kind::SerialOutOfRange:
        what = QStringLiteral("redni broj \"%1\" je prevelik").arg(word);
        break;
    }
    return QStringLiteral("Datoteka \"%1\" nije ispravna TUK tablica: u retku %2, na mjestu %3 "
                          "%4. Tablica ostaje kakva je bila.")
        .arg(file, QString::number(e.line), QString::number(e.column), what);
}

} // namespace

TForm4::TForm4(QWidget* parent) : QWidget(parent) {
    Form4 = this;
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Provjera rezultata"));
    setFixedSize(487, 463);

    Label6 = label(this, "Label6", QStringLiteral("Tražena kombinacija :"), 8, 13);
    for (int k = 1; k <= kMatches; ++k) {
        const QByteArray name = "Edit" + QByteArray::number(k);
        auto* e = control<QLineEdit>(this, name.constData(), QRect(150 + 20 * (k - 1), 10, 21, 21));
        e->setMaxLength(1);
        e->setAlignment(Qt::AlignCenter);
        e->setStyleSheet(QStringLiteral("background: silver;"));
        connect(e, &QLineEdit::returnPressed, this, [this, k] { EditKeyPress(k); });
        edits_[static_cast<std::size_t>(k - 1)] = e;
    }
    for (int k = 1; k < kMatches; ++k)
        QWidget::setTabOrder(Edit(k), Edit(k + 1));

    SpeedButton3 = control<QPushButton>(this, "SpeedButton3", QRect(150, 38, 160, 24),
                                        QStringLiteral("Prebroji pogotke"));
    SpeedButton3->setFlat(true);
    QFont bold = SpeedButton3->font();
    bold.setBold(true);
    SpeedButton3->setFont(bold);
    SpeedButton3->setEnabled(false);

    ListBox1 = control<QListWidget>(this, "ListBox1", QRect(8, 70, 245, 349));
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPixelSize(11);
    ListBox1->setFont(courier);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setItemDelegate(new ResultsDelegate(this));

    ScrollBar1 = control<QScrollBar>(this, "ScrollBar1", QRect(253, 70, 17, 349), Qt::Vertical);
    ScrollBar1->setPageStep(kResultRows);
    ScrollBar1->setMaximum(0);
    ScrollBar1->hide();

    GroupBox1 = control<QGroupBox>(this, "GroupBox1", QRect(280, 64, 199, 132),
                                   QStringLiteral(" Naredbe : "));
    Label1 = label(GroupBox1, "Label1", QStringLiteral("Tablica :"), 10, 22);
    Edit14 = control<QLineEdit>(GroupBox1, "Edit14", QRect(10, 40, 140, 22));
    Button1 =
        control<QPushButton>(GroupBox1, "Button1", QRect(154, 40, 34, 22), QStringLiteral("..."));
    SpeedButton1 = control<QPushButton>(GroupBox1, "SpeedButton1", QRect(10, 70, 178, 24),
                                        QStringLiteral("Učitaj TUK"));
    SpeedButton2 = control<QPushButton>(GroupBox1, "SpeedButton2", QRect(10, 100, 178, 24),
                                        QStringLiteral("Izlazak"));

    ButtonPrint = control<QGroupBox>(this, "ButtonPrint", QRect(280, 202, 199, 217),
                                     QStringLiteral(" Ispis : "));
    Label2 = label(ButtonPrint, "Label2", QStringLiteral("Naslov :"), 10, 22);
    Edit15 = control<QLineEdit>(ButtonPrint, "Edit15", QRect(10, 40, 178, 22));
    Label3 = label(ButtonPrint, "Label3", QStringLiteral("Printer :"), 10, 70);
    ComboBox1 = control<QComboBox>(ButtonPrint, "ComboBox1", QRect(10, 88, 140, 22));
    SpeedButton4 = control<QPushButton>(ButtonPrint, "SpeedButton4", QRect(154, 88, 34, 22),
                                        QStringLiteral("..."));
    SpeedButton5 = control<QPushButton>(ButtonPrint, "SpeedButton5", QRect(10, 120, 178, 24),
                                        QStringLiteral("Font..."));
    ButtonPrint2 = control<QPushButton>(ButtonPrint, "ButtonPrint2", QRect(10, 160, 178, 34),
                                        QStringLiteral("Ispiši TUK"));
    ButtonPrint->hide();

    // Below everything else, in room added at the bottom for it.
    GroupIzgledi = new ChancesBox(this, false);
    GroupIzgledi->setGeometry(8, 426, 471, GroupIzgledi->height());
    GroupIzgledi->hide();
    setFixedSize(487, 426 + GroupIzgledi->height() + 6);

    OpenDialog1 = new QFileDialog(this, QStringLiteral("Odredite ime TUK tablice"));
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    // The program writes ".TUK"; file names are case-sensitive here.
    OpenDialog1->setNameFilter(QStringLiteral("Tablica uplaćenih kombinacija (*.tuk *.TUK)"));
    OpenDialog1->setDefaultSuffix(QStringLiteral("TUK"));

    printFont = QFont(QStringLiteral("MS Sans Serif"));
    printFont.setPointSizeF(8.25); // 11 pixels on a 96 dpi screen
    FontDialog1 = new QFontDialog(printFont, this);
    FontDialog1->setObjectName(QStringLiteral("FontDialog1"));

    connect(SpeedButton3, &QPushButton::clicked, this, [this] { SpeedButton3Click(); });
    connect(Edit14, &QLineEdit::textChanged, this, [this] { Edit14Change(); });
    connect(Edit14, &QLineEdit::returnPressed, this, [this] { Edit14KeyPress(); });
    connect(Edit15, &QLineEdit::returnPressed, this, [this] { Edit14KeyPress(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this](int p) { ScrollBar1Change(p); });
    connect(ComboBox1, &QComboBox::activated, this, [this](int i) { ComboBox1Change(i); });
    connect(SpeedButton4, &QPushButton::clicked, this, [this] { SpeedButton4Click(); });
    connect(SpeedButton5, &QPushButton::clicked, this, [this] { SpeedButton5Click(); });
    connect(ButtonPrint2, &QPushButton::clicked, this, [this] { ButtonPrint2Click(); });
    ui::onFormActivate(this, [this] { FormActivate(); });

    ui::centreOnScreen(this);
}

TForm4::~TForm4() {
    // A print started here runs on copies, but it must end before the program does.
    ui::finishPrinting();
    resultList.clear();
}

void TForm4::FormActivate() {
    Edit(1)->setFocus();
    {
        // The table and the rows shown stay; only the scroll bar goes until the next load.
        const QSignalBlocker block(ScrollBar1);
        ScrollBar1->hide();
        ScrollBar1->setMaximum(0);
    }
    ComboBox1->clear();
    ComboBox1->addItems(ui::Printers::names());
    ComboBox1->setCurrentIndex(-1);
    ShowChances(); // the percentages may have changed meanwhile
}

void TForm4::ShowChances() {
    if (resultList.empty() || !Form1) {
        GroupIzgledi->hide();
        return;
    }
    GroupIzgledi->showReport(guaranteeReport({}, resultList, Form1->probability),
                             ui::decimalSeparator());
    GroupIzgledi->show();
}

void TForm4::EditKeyPress(int k) {
    if (k < kMatches)
        Edit(k + 1)->setFocus();
    else
        SpeedButton3Click(); // also while the button is disabled
}

void TForm4::SpeedButton3Click() {
    std::array<std::string, kMatches> texts;
    for (int k = 1; k <= kMatches; ++k)
        texts[static_cast<std::size_t>(k - 1)] = Edit(k)->text().toStdString();
    const ResultSigns result = readResultFields(texts);
    if (!result.ok()) {
        const ResultEntryError& e = *result.error;
        const QString text = QString::fromStdString(e.text);
        switch (e.kind) {
        case ResultEntryError::Kind::NotAnInteger:
            ui::conversionError(this, text, true);
            break;
        case ResultEntryError::Kind::Empty:
            ui::notice(this, QStringLiteral("Krivi unos kombinacije !"));
            break;
        case ResultEntryError::Kind::NotASign:
            ui::notice(this, QStringLiteral("Krivi unos kombinacije ! U polju %1 stoji \"%2\", a "
                                            "rezultat utakmice može biti samo 1, 0 ili 2.")
                                 .arg(QString::number(e.field), text));
            break;
        }
        return;
    }
    countHits(resultList, codeOf(result.digits));
    resultTopRow = 0;
    {
        const QSignalBlocker block(ScrollBar1);
        ScrollBar1->setValue(0);
    }
    ShowResults();
}

void TForm4::Edit14Change() {
    chosenFile.clear();
}

void TForm4::Edit14KeyPress() {
    SpeedButton1Click();
}

void TForm4::Button1Click() {
    if (ui::runDialog(*OpenDialog1) != QDialog::Accepted) return;
    const QStringList files = OpenDialog1->selectedFiles();
    if (!files.isEmpty()) chosenFile = files.first();
}

bool TForm4::loadTuk(const QString& fileName) {
    const QString shown = QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath());
    QFile file(fileName);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        ui::errorNotice(this, QStringLiteral("Datoteku \"%1\" nije moguće pročitati (%2). Tablica "
                                             "ostaje kakva je bila.")
                                  .arg(shown, file.errorString()));
        return false;
    }
    const TukReadResult read =
        readTuk(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!read.ok()) {
        ui::errorNotice(this, readErrorText(shown, *read.error));
        return false;
    }
    RecordPool pool;
    Table table = makeTukRecords(read.entries, pool);
    resultList = std::move(table);
    resultPool = std::move(pool); // the records of the table before are released here
    return true;
}

void TForm4::SpeedButton1Click() {
    QString name = chosenFile;
    if (name.isEmpty() && !Edit14->text().isEmpty()) name = Edit14->text() + QStringLiteral(".TUK");
    if (name.isEmpty() || !QFileInfo(name).isFile()) return;
    if (!loadTuk(name)) return;
    ShowChances();
    if (resultList.empty()) {
        ListBox1->viewport()->update(); // rows without a combination stay blank
        return;
    }
    resultTopRow = 0;
    {
        const QSignalBlocker block(ScrollBar1);
        ScrollBar1->setValue(0);
        ScrollBar1->setRange(0, static_cast<int>(resultsLastTopRow(resultList.size())));
    }
    ScrollBar1->show();
    ShowResults();
    ButtonPrint->show();
    SpeedButton3->setEnabled(true);
}

void TForm4::SpeedButton2Click() {
    hide();
    Form2->show();
}

void TForm4::ScrollBar1Change(int position) {
    resultTopRow = position;
    ShowResults();
}

void TForm4::ComboBox1Change(int index) {
    if (index >= 0) ui::Printers::setCurrent(ComboBox1->itemText(index));
}

void TForm4::SpeedButton4Click() {
    if (!PrintDialog1) {
        PrintDialog1 = new QPrintDialog(&ui::Printers::printer(), this);
        PrintDialog1->setObjectName(QStringLiteral("PrintDialog1"));
    }
    if (ui::runDialog(*PrintDialog1) == QDialog::Accepted) ui::Printers::adoptDialogChoice();
}

void TForm4::SpeedButton5Click() {
    FontDialog1->setCurrentFont(printFont);
    if (ui::runDialog(*FontDialog1) == QDialog::Accepted) printFont = FontDialog1->currentFont();
}

void TForm4::ButtonPrint2Click() {
    ui::startTukPrint(this, resultList, printFont, Edit15->text(), false);
}

void TForm4::ShowResults() {
    ListBox1->clear();
    const std::size_t n = resultList.size();
    const std::size_t top = static_cast<std::size_t>(std::max(resultTopRow, 0));
    for (std::size_t i = top; i < top + resultsRowsShown(top, n); ++i)
        ListBox1->addItem(QString::fromStdString(resultRowText(*resultList[i])));
}

void TForm4::ListBox1DrawItem(QPainter& painter, int row, const QRect& rect, bool selected) const {
    const std::size_t n = resultList.size();
    const std::size_t index = static_cast<std::size_t>(std::max(resultTopRow, 0) + row);
    if (index >= n) return;

    struct CellStyle {
        QColor fillSelected, fill, textSelected, text;
        bool bold;
    };
    static const CellStyle styles[4] = {
        {Qt::red, QColor(192, 192, 192), Qt::yellow, Qt::black, true},       // place
        {QColor(0, 0, 255), Qt::white, Qt::white, QColor(0, 0, 255), false}, // serial
        {Qt::white, QColor(0, 128, 128), Qt::black, Qt::white, false},       // signs
        {QColor(0, 0, 255), Qt::white, Qt::white, Qt::black, true},          // hits
    };

    const QFont font = ListBox1->font();
    const ui::FontTextMetrics metrics{QFontMetrics(font)};
    const auto cells =
        resultRowCells(*resultList[index], index, n, rect.left(), rect.top(), metrics);

    painter.save();
    painter.setPen(Qt::NoPen);
    painter.fillRect(rect, selected ? QColor(0, 0, 255) : QColor(Qt::white));
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const ResultCell& cell = cells[c];
        const CellStyle& style = styles[c];
        painter.fillRect(QRect(cell.left, rect.top(), cell.width, rect.height()),
                         selected ? style.fillSelected : style.fill);
        QFont cellFont = font;
        cellFont.setBold(style.bold);
        painter.setFont(cellFont);
        painter.setPen(selected ? style.textSelected : style.text);
        painter.drawText(QPoint(cell.textX, cell.textY + QFontMetrics(cellFont).ascent()),
                         QString::fromStdString(cell.text));
    }
    painter.restore();
}
