// Printing: the print dialog, the print thread, the printer list with its PDF entry, and a real
// print queue.
#include "GuiTestUtil.h"

#include "app/Menu.h"
#include "core/PrintLayout.h"
#include "core/RecordPool.h"
#include "core/TukFile.h"
#include "more/Fi.h"
#include "mreza/Mreza.h"
#include "output/Kontrola.h"
#include "output/Printic.h"
#include "output/Printthread.h"
#include "platform/Dialogs.h"
#include "platform/Printers.h"
#include "tests/core/CodeText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <cmath>
#include <thread>

using namespace kviro;
using namespace kviro::test;

namespace {

const char* const kRows[] = {"1021100221012", "1111111111111", "2222222222222", "0000000000000",
                             "1201201201201", "0120120120120", "2012012012012", "1100220011002",
                             "2211002211001", "0101010101010"};

// The signs of a printed line as the printout groups them: 3, 3, 3 and 4.
QString grouped(const char* signs) {
    const QString s = QString::fromLatin1(signs);
    return s.mid(0, 3) + QLatin1Char(' ') + s.mid(3, 3) + QLatin1Char(' ') + s.mid(6, 3) +
           QLatin1Char(' ') + s.mid(9, 4);
}

QString today() {
    return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
}

// The words of every text line of a PDF, blanks collapsed.
QStringList pdfLines(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    QStringList lines;
    for (const QString& line :
         QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const QString simple = line.simplified();
        if (!simple.isEmpty()) lines << simple;
    }
    return lines;
}

QString pdfTitle(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(60000);
    const auto m =
        QRegularExpression(QStringLiteral("^Title:\\s*(.*)$"), QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(p.readAllStandardOutput()));
    QString title = m.hasMatch() ? m.captured(1).trimmed() : QString();
    // Ghostscript (behind the CUPS-PDF queue) keeps the brackets of a PDF string.
    if (title.startsWith(QLatin1Char('(')) && title.endsWith(QLatin1Char(')')))
        title = title.mid(1, title.size() - 2);
    return title;
}

// The top (in points) of each word of a PDF's first page, in reading order.
QList<QPair<QString, double>> pdfWordTops(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
             QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"[^\"]*\" yMin=\"([^\"]*)\"[^>]*>([^<]*)</word>"));
    QList<QPair<QString, double>> words;
    auto it = word.globalMatch(QString::fromUtf8(p.readAllStandardOutput()));
    while (it.hasNext()) {
        const auto m = it.next();
        words.append({m.captured(2), m.captured(1).toDouble()});
    }
    return words;
}

// The file-save chooser of a PDF print answers with `path`.
void answerFileDialogsWith(const QString& path) {
    ui::setDialogRunner([path](QDialog& d) {
        auto* files = qobject_cast<QFileDialog*>(&d);
        if (!files) return int(QDialog::Rejected);
        files->selectFile(path);
        return int(QDialog::Accepted);
    });
}

bool waitForPrint(int ms = 60000) {
    QElapsedTimer t;
    t.start();
    while (ui::runningPrint() && t.elapsed() < ms)
        QTest::qWait(20);
    QTest::qWait(50); // the failure notice, if any, is queued to this thread
    return !ui::runningPrint();
}

void choosePrinter(QComboBox* list, const QString& name) {
    const int i = list->findText(name);
    QVERIFY2(i >= 0, qPrintable(name));
    list->setCurrentIndex(i);
    emit list->activated(i);
}

} // namespace

class PrintingTest : public QObject {
    Q_OBJECT
  private:
    RecordPool pool_;
    QTemporaryDir dir_;

    void fillTuk(std::size_t n) {
        Form1->TUK.clear();
        for (std::size_t i = 0; i < n; ++i) {
            Combination* rec = pool_.make();
            rec->code = codeOfText(kRows[i % std::size(kRows)]);
            Form1->TUK.push_back(rec);
        }
    }
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

    // Checks a printout of the first n fixture rows: numbered lines with grouped signs.
    static void checkLines(const QStringList& lines, int first, std::size_t n) {
        QVERIFY(lines.size() >= first + static_cast<int>(n));
        for (std::size_t i = 0; i < n; ++i)
            QCOMPARE(lines[first + static_cast<int>(i)],
                     QString::number(i + 1) + QLatin1Char(' ') + grouped(kRows[i]));
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is needed to read the printouts");
    }
    void cleanup() {
        ui::setDialogRunner({});
        destroyWindows();
    }

    void pdfEntryPrintsTheTukTable() {
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        fillTuk(10);
        Form6->show();
        QCOMPARE(Form6->PrinterList->itemText(Form6->PrinterList->count() - 1),
                 QStringLiteral("PDF datoteka"));
        choosePrinter(Form6->PrinterList, QStringLiteral("PDF datoteka"));
        Form6->Edit1->setText(QStringLiteral("Kolo 12"));
        Form6->CheckBox1->setChecked(true);
        const QString pdf = path(QStringLiteral("tuk.pdf"));
        answerFileDialogsWith(pdf);
        QTest::mouseClick(Form6->BitBtn2, Qt::LeftButton);
        QVERIFY(Form6->isHidden());
        // The print has its own copy: the table may change at once.
        Form1->TUK.clear();
        QVERIFY(waitForPrint());
        QVERIFY2(boxes.texts().isEmpty(), qPrintable(boxes.texts().join(QLatin1Char('\n'))));
        QCOMPARE(pdfTitle(pdf), QString::fromUtf8(kPrintJobName));
        const QStringList lines = pdfLines(pdf);
        QCOMPARE(lines.value(0), QStringLiteral("Kolo 12 ") + today());
        checkLines(lines, 1, 10);
        QCOMPARE(lines.size(), 11);
    }

    // Blocks of eight lines stand apart by page height mod 55 pixels. On a 1,200 dpi printer
    // that came to a quarter of a point on A4; the page is laid out at a fixed resolution, so
    // the gap is a good part of a line on A4 whatever the printer.
    void blocksOfEightStandApart() {
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        fillTuk(17);
        Form6->show();
        choosePrinter(Form6->PrinterList, QStringLiteral("PDF datoteka"));
        const QString pdf = path(QStringLiteral("blocks.pdf"));
        answerFileDialogsWith(pdf);
        QTest::mouseClick(Form6->BitBtn2, Qt::LeftButton);
        QVERIFY(waitForPrint());
        QVERIFY2(boxes.texts().isEmpty(), qPrintable(boxes.texts().join(QLatin1Char('\n'))));

        // The place numbers 1 ... 17 begin the lines; the header is empty.
        QList<double> top;
        for (const auto& [text, y] : pdfWordTops(pdf))
            if (text == QString::number(top.size() + 1)) top.append(y);
        QCOMPARE(top.size(), 17);
        const double pitch = top[1] - top[0];
        QVERIFY(pitch > 8.0);
        for (int i : {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14}) // within a block
            QVERIFY2(std::abs(top[i + 1] - top[i] - pitch) < 0.3, qPrintable(QString::number(i)));
        const double gap1 = top[8] - top[7] - pitch;
        const double gap2 = top[16] - top[15] - pitch;
        QVERIFY2(gap1 > 0.25 * pitch,
                 qPrintable(QStringLiteral("gap %1 pt, line %2 pt").arg(gap1).arg(pitch)));
        QVERIFY(std::abs(gap2 - gap1) < 0.3);
        // Still the page height mod 55, in the pixels of the layout.
        QPrinter a4(QPrinter::HighResolution);
        a4.setOutputFormat(QPrinter::PdfFormat);
        a4.setPageSize(QPageSize(QPageSize::A4));
        const double scale = ui::layoutScale(a4);
        const int layoutHeight = ui::layoutPixels(a4.height(), scale);
        const double expected = (layoutHeight % 55) * scale * 72.0 / a4.logicalDpiY();
        QVERIFY2(std::abs(gap1 - expected) < 0.3,
                 qPrintable(QStringLiteral("gap %1 pt, expected %2 pt").arg(gap1).arg(expected)));
    }

    void resultsControlPrintHasNoDate() {
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        Form6->CheckBox1->setChecked(true);
        Table three;
        for (const char* s : {"0000000000000", "2222222222222", "1111111111111"}) {
            Combination* rec = pool_.make();
            rec->code = codeOfText(s);
            three.push_back(rec);
        }
        const QString tuk = path(QStringLiteral("TRI.TUK"));
        QFile f(tuk);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(tukFileBytes(three)));
        f.close();
        Form4->show();
        Form4->Edit14->setText(path(QStringLiteral("TRI")));
        QTest::mouseClick(Form4->SpeedButton1, Qt::LeftButton);
        for (int k = 1; k <= kMatches; ++k)
            Form4->Edit(k)->setText(QStringLiteral("1"));
        QTest::mouseClick(Form4->SpeedButton3, Qt::LeftButton);
        QVERIFY(Form4->ButtonPrint->isVisible());
        choosePrinter(Form4->ComboBox1, QStringLiteral("PDF datoteka"));
        Form4->Edit15->setText(QStringLiteral("Provjera"));
        const QString pdf = path(QStringLiteral("kontrola.pdf"));
        answerFileDialogsWith(pdf);
        QTest::mouseClick(Form4->ButtonPrint2, Qt::LeftButton);
        QVERIFY(Form4->isVisible());
        QVERIFY(waitForPrint());
        QVERIFY2(boxes.texts().isEmpty(), qPrintable(boxes.texts().join(QLatin1Char('\n'))));
        const QStringList lines = pdfLines(pdf);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QStringLiteral("Provjera")); // and no date
        // The counted order: the 13-hit combination first.
        QCOMPARE(lines[1], QStringLiteral("1 ") + grouped("1111111111111"));
        QCOMPARE(lines[2], QStringLiteral("2 ") + grouped("0000000000000"));
        QCOMPARE(lines[3], QStringLiteral("3 ") + grouped("2222222222222"));
    }

    // The thread is held at the opening of its file (a pipe nobody reads yet): a second print
    // is refused with a notice, and the end of the program waits for the print, which comes
    // out whole.
    void onePrintAtATimeAndExitWaitsForIt() {
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        fillTuk(9);
        const QString pipe = path(QStringLiteral("held.pdf"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        ui::Printers::setCurrent(QStringLiteral("PDF datoteka"));
        answerFileDialogsWith(pipe);
        Form6->show();
        QTest::mouseClick(Form6->BitBtn2, Qt::LeftButton);
        QVERIFY(ui::runningPrint());

        Form6->show();
        QTest::mouseClick(Form6->BitBtn2, Qt::LeftButton);
        QTRY_COMPARE(boxes.texts().size(), 1);
        QVERIFY(boxes.texts().first().startsWith(QStringLiteral("Ispis je u tijeku.")));
        QVERIFY(Form6->isVisible()); // nothing started, the window stays
        Form4->show();
        Form4->ButtonPrint2->click();
        QTRY_COMPARE(boxes.texts().size(), 2);

        QByteArray printed;
        std::thread reader([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            QFile in(pipe);
            if (in.open(QIODevice::ReadOnly)) printed = in.readAll();
        });
        destroyWindows(); // waits for the print thread
        reader.join();
        QVERIFY(!ui::runningPrint());
        QVERIFY(printed.startsWith("%PDF"));
        QVERIFY(printed.trimmed().endsWith("%%EOF"));
    }

    void failingPrintTellsTheUser() {
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        fillTuk(3);
        ui::Printers::setCurrent(QStringLiteral("PDF datoteka"));
        const QString pdf = path(QStringLiteral("missing-folder/tuk.pdf"));
        answerFileDialogsWith(pdf);
        Form6->show();
        QTest::mouseClick(Form6->BitBtn2, Qt::LeftButton);
        QVERIFY(waitForPrint());
        QTRY_COMPARE(boxes.texts().size(), 1);
        QVERIFY2(boxes.texts().first().contains(QDir::toNativeSeparators(pdf)),
                 qPrintable(boxes.texts().first()));
        QVERIFY(boxes.texts().first().contains(QStringLiteral("nije moguć")));
        // The program goes on: the next print works.
        answerFileDialogsWith(path(QStringLiteral("tuk.pdf")));
        Form6->show();
        QTest::mouseClick(Form6->BitBtn2, Qt::LeftButton);
        QVERIFY(waitForPrint());
        QCOMPARE(boxes.texts().size(), 1);
        checkLines(pdfLines(path(QStringLiteral("tuk.pdf"))), 0, 3);
        // A cancelled choice of the PDF file prints nothing and keeps the window.
        ui::setDialogRunner([](QDialog&) { return int(QDialog::Rejected); });
        Form6->show();
        QTest::mouseClick(Form6->BitBtn2, Qt::LeftButton);
        QVERIFY(!ui::runningPrint());
        QVERIFY(Form6->isVisible());
    }

    void printerListsShareTheCurrentPrinter() {
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        const QStringList names = ui::Printers::names();
        QCOMPARE(names.last(), QStringLiteral("PDF datoteka"));
        QCOMPARE(names.mid(0, names.size() - 1), QPrinterInfo::availablePrinterNames());
        Form4->show();
        QCOMPARE(Form4->ComboBox1->count(), names.size());
        QCOMPARE(Form4->ComboBox1->currentIndex(), -1); // no entry selected
        choosePrinter(Form4->ComboBox1, QStringLiteral("PDF datoteka"));
        Form6->show();
        QCOMPARE(Form6->PrinterList->currentText(), QStringLiteral("PDF datoteka"));
        if (names.size() > 1) {
            choosePrinter(Form6->PrinterList, names.first());
            QCOMPARE(ui::Printers::current(), names.first());
            QVERIFY(!ui::Printers::pdfChosen());
        }
        // "Otkaži" (and Esc) go back to the network window.
        QTest::keyClick(Form6, Qt::Key_Escape);
        QVERIFY(Form6->isHidden());
        QVERIFY(MrezaForm->isVisible());
        QVERIFY(boxes.texts().isEmpty());
    }

    // A printer picked in the system print dialog ("...") shows in the results control's list.
    void printDialogChoiceShowsInResultsList() {
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        const QStringList names = ui::Printers::names();
        Form4->show();
        QCOMPARE(Form4->ComboBox1->currentIndex(), -1);
        auto pick = [](const QString& entry) {
            ui::setDialogRunner([entry](QDialog& d) {
                auto* dialog = qobject_cast<QPrintDialog*>(&d);
                if (!dialog) return int(QDialog::Rejected);
                if (entry == ui::Printers::pdfEntry()) {
                    dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
                } else {
                    dialog->printer()->setOutputFormat(QPrinter::NativeFormat);
                    dialog->printer()->setPrinterName(entry);
                }
                return int(QDialog::Accepted);
            });
        };
        QStringList entries{ui::Printers::pdfEntry()};
        if (names.size() > 1) entries.prepend(names.first()); // a system printer first
        for (const QString& entry : entries) {
            pick(entry);
            Form4->SpeedButton4->click(); // its group shows only once a table is loaded
            QCOMPARE(ui::Printers::current(), entry);
            QCOMPARE(Form4->ComboBox1->currentText(), entry);
        }
        QVERIFY(boxes.texts().isEmpty());
    }

    // Through a real print queue: scripts/print-queue.sh makes a CUPS-PDF printer that writes
    // each job into a PDF file named after the job.
    void printQueueEndToEnd() {
        const QString queue = QStringLiteral("KVIRO_PDF");
        const QDir out(QStringLiteral("/var/spool/cups-pdf/kviro"));
        const bool required = qEnvironmentVariableIntValue("KVIRO_PRINT_QUEUE_REQUIRED") == 1;
        if (QPrinterInfo::printerInfo(queue).isNull() || !out.exists()) {
            if (required) QFAIL("the print queue KVIRO_PDF is missing although it was set up");
            QSKIP("no print queue KVIRO_PDF: run scripts/print-queue.sh as root to create it");
        }
        const QStringList before = out.entryList({QStringLiteral("*.pdf")}, QDir::Files);

        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        fillTuk(10);
        Form6->show();
        choosePrinter(Form6->PrinterList, queue);
        Form6->Edit1->setText(QStringLiteral("Kolo 12"));
        ui::setDialogRunner([](QDialog&) { return int(QDialog::Rejected); }); // none may open
        QTest::mouseClick(Form6->BitBtn2, Qt::LeftButton);
        QVERIFY(Form6->isHidden());
        QVERIFY(waitForPrint());
        QVERIFY2(boxes.texts().isEmpty(), qPrintable(boxes.texts().join(QLatin1Char('\n'))));

        // The queue names its file after the job: "KVIRO - ispis kombinacija" as
        // "KVIRO_-_ispis_kombinacija-job_<n>.pdf".
        QString pdf;
        QElapsedTimer t;
        t.start();
        while (pdf.isEmpty() && t.elapsed() < 90000) {
            QTest::qWait(200);
            for (const QString& name : out.entryList({QStringLiteral("*.pdf")}, QDir::Files))
                if (!before.contains(name)) pdf = name;
        }
        QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF file");
        QVERIFY2(pdf.startsWith(QStringLiteral("KVIRO_-_ispis_kombinacija-job_")), qPrintable(pdf));
        const QString file = out.filePath(pdf);
        const auto removeFile = qScopeGuard([&] { QFile::remove(file); });
        // The file is there before the queue has finished writing it.
        QTRY_COMPARE_WITH_TIMEOUT(pdfTitle(file), QString::fromUtf8(kPrintJobName), 30000);
        QStringList lines;
        QTRY_VERIFY_WITH_TIMEOUT((lines = pdfLines(file)).size() >= 11, 30000);
        QCOMPARE(lines.value(0), QStringLiteral("Kolo 12"));
        checkLines(lines, 1, 10);
    }
};

QTEST_MAIN(PrintingTest)
#include "tst_printing.moc"
