// The .TUK copy dialog and the results-control window.
#include "GuiTestUtil.h"

#include "app/Menu.h"
#include "core/RecordPool.h"
#include "core/TukFile.h"
#include "more/Fi.h"
#include "mreza/Mreza.h"
#include "output/Kontrola.h"
#include "output/Saver.h"
#include "platform/Dialogs.h"
#include "tests/core/CodeText.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace kviro;
using namespace kviro::test;

namespace {

// Answers the next choosers with `path` (or cancels them when it is empty).
void answerFileDialogsWith(const QString& path) {
    ui::setDialogRunner([path](QDialog& d) {
        auto* files = qobject_cast<QFileDialog*>(&d);
        if (!files || path.isEmpty()) return int(QDialog::Rejected);
        files->selectFile(path);
        return int(QDialog::Accepted);
    });
}

// The 13 result fields, "_" for an empty one.
void typeResult(const QString& signs) {
    for (int k = 1; k <= kMatches; ++k) {
        const QChar ch = signs.at(k - 1);
        Form4->Edit(k)->setText(ch == QLatin1Char('_') ? QString() : QString(ch));
    }
}

// Serials of the loaded table in its order, and their hit counts.
QList<int> serials() {
    QList<int> out;
    for (const Combination* rec : Form4->resultList)
        out << rec->serial;
    return out;
}
QList<int> hits() {
    QList<int> out;
    for (const Combination* rec : Form4->resultList)
        out << rec->np;
    return out;
}

} // namespace

class TukFilesTest : public QObject {
    Q_OBJECT
  private:
    RecordPool pool_;
    QTemporaryDir dir_;

    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    Table table(std::initializer_list<const char*> signs) {
        Table t;
        for (const char* s : signs) {
            Combination* rec = pool_.make();
            rec->code = codeOfText(s);
            t.push_back(rec);
        }
        return t;
    }
    // A .TUK file of n combinations (serials 1 ... n) named <name>.TUK; returns the path
    // without the extension.
    QString tukFile(const QString& name, std::size_t n) {
        Table t;
        for (std::size_t i = 0; i < n; ++i) {
            Combination* rec = pool_.make();
            rec->code = codeOf([&] {
                Digits d{};
                std::uint32_t x = static_cast<std::uint32_t>(i * 7919 + 13);
                for (int& digit : d) {
                    digit = static_cast<int>(x % 3);
                    x /= 3;
                }
                return d;
            }());
            t.push_back(rec);
        }
        writeFile(path(name + QStringLiteral(".TUK")), QByteArray::fromStdString(tukFileBytes(t)));
        return path(name);
    }
    void load(const QString& withoutExtension) {
        Form4->Edit14->setText(withoutExtension);
        QTest::mouseClick(Form4->SpeedButton1, Qt::LeftButton);
    }

  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void init() { QVERIFY(QDir::setCurrent(dir_.path())); }
    void cleanup() {
        ui::setDialogRunner({});
        destroyWindows();
    }

    // ---- "Kopiranje TUK na disk i/ili disketu"

    void copyWritesTheNamedFile_data() {
        QTest::addColumn<QString>("chosen"); // by "Odredi...", relative to the folder
        QTest::addColumn<QString>("typed");  // typed by hand instead
        QTest::addColumn<QString>("field");  // Edit1 afterwards, relative to the folder
        QTest::addColumn<QString>("written");
        QTest::newRow("chosen KOLO12.tuk") << "KOLO12.tuk"
                                           << ""
                                           << "KOLO12"
                                           << "KOLO12.TUK";
        QTest::newRow("chosen KOLO12.TUK") << "KOLO12.TUK"
                                           << ""
                                           << "KOLO12"
                                           << "KOLO12.TUK";
        QTest::newRow("chosen without extension") << "KOLO13"
                                                  << ""
                                                  << "KOLO13"
                                                  << "KOLO13.TUK";
        QTest::newRow("only a final extension goes") << "a.tuk.d/KOLO12.tuk"
                                                     << ""
                                                     << "a.tuk.d/KOLO12"
                                                     << "a.tuk.d/KOLO12.TUK";
        QTest::newRow("typed KOLO12.TUK") << ""
                                          << "KOLO12.TUK"
                                          << "KOLO12.TUK"
                                          << "KOLO12.TUK.TUK";
        QTest::newRow("typed without folder") << ""
                                              << "KOLO7"
                                              << "KOLO7"
                                              << "KOLO7.TUK";
    }
    void copyWritesTheNamedFile() {
        QFETCH(QString, chosen);
        QFETCH(QString, typed);
        QFETCH(QString, field);
        QFETCH(QString, written);
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        QDir(dir_.path()).mkpath(QStringLiteral("a.tuk.d"));
        QFile::remove(path(written));
        Form1->TUK = table({"1021100221012", "1111111111111"});
        Form7->show();
        if (!chosen.isEmpty()) {
            answerFileDialogsWith(path(chosen));
            QTest::mouseClick(Form7->BitBtn3, Qt::LeftButton);
            QCOMPARE(Form7->Edit1->text(), QDir::toNativeSeparators(path(field)));
        } else {
            Form7->Edit1->setText(typed);
            QCOMPARE(Form7->Edit1->text(), field);
        }
        QTest::mouseClick(Form7->BitBtn1, Qt::LeftButton);
        QCOMPARE(readAll(path(written)), QByteArray("19204678 1\r\n22369621 2\r\n"));
        QVERIFY(Form7->isHidden());
        QVERIFY(MrezaForm->isVisible());
        QVERIFY(boxes.texts().isEmpty());
    }

    void copyDialogKeysAndEmptyCases() {
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        Form7->show();
        // A cancelled chooser and an empty name change nothing.
        Form7->Edit1->setText(QStringLiteral("PRAZNO"));
        answerFileDialogsWith(QString());
        QTest::mouseClick(Form7->BitBtn3, Qt::LeftButton);
        QCOMPARE(Form7->Edit1->text(), QStringLiteral("PRAZNO"));
        Form7->Edit1->clear();
        QTest::mouseClick(Form7->BitBtn1, Qt::LeftButton);
        QVERIFY(Form7->isVisible());
        // Enter copies: an empty TUK gives an empty file.
        Form7->Edit1->setText(QStringLiteral("PRAZNO"));
        QTest::keyClick(Form7->Edit1, Qt::Key_Return);
        QVERIFY(Form7->isHidden());
        QCOMPARE(readAll(path(QStringLiteral("PRAZNO.TUK"))), QByteArray());
        // Esc leaves without writing; the name is kept for the next time.
        Form1->TUK = table({"2222222222222"});
        Form7->show();
        QCOMPARE(Form7->Edit1->text(), QStringLiteral("PRAZNO"));
        QTest::keyClick(Form7, Qt::Key_Escape);
        QVERIFY(Form7->isHidden());
        QVERIFY(MrezaForm->isVisible());
        QCOMPARE(readAll(path(QStringLiteral("PRAZNO.TUK"))), QByteArray());
        QVERIFY(boxes.texts().isEmpty());
    }

    void copyThatCannotBeWrittenKeepsTheOldFile_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing folder") << "no-such-folder/KOLO";
        // Long enough that nothing can be written beside the old file.
        QTest::newRow("no room beside the old file") << QString(250, QLatin1Char('K'));
    }
    void copyThatCannotBeWrittenKeepsTheOldFile() {
        QFETCH(QString, name);
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        const QString file = path(name + QStringLiteral(".TUK"));
        if (!name.contains(QLatin1Char('/'))) writeFile(file, "1 1\r\n");
        Form1->TUK = table({"1111111111111"});
        Form7->show();
        Form7->Edit1->setText(path(name));
        QTest::mouseClick(Form7->BitBtn1, Qt::LeftButton);
        QTRY_COMPARE(boxes.texts().size(), 1);
        QVERIFY2(boxes.texts().first().startsWith(QStringLiteral("TUK nije kopiran")),
                 qPrintable(boxes.texts().first()));
        QVERIFY(Form7->isVisible());
        QCOMPARE(readAll(file),
                 name.contains(QLatin1Char('/')) ? QByteArray("<missing>") : QByteArray("1 1\r\n"));
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files).filter(QStringLiteral("KKKK")).size(),
                 name.contains(QLatin1Char('/')) ? 0 : 1);
    }

    // ---- "Provjera rezultata"

    void loadAndScrollThirtyRows() {
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        Form4->show();
        QVERIFY(Form4->ScrollBar1->isHidden());
        QVERIFY(Form4->ButtonPrint->isHidden());
        QVERIFY(!Form4->SpeedButton3->isEnabled());
        load(tukFile(QStringLiteral("TRIDESET"), 30));
        QCOMPARE(Form4->resultList.size(), std::size_t(30));
        QCOMPARE(serials().first(), 1);
        QCOMPARE(serials().last(), 30);
        QCOMPARE(hits(), QList<int>(30, 0));
        QVERIFY(Form4->ScrollBar1->isVisible());
        QVERIFY(Form4->ButtonPrint->isVisible());
        QVERIFY(Form4->SpeedButton3->isEnabled());
        // Places 1 ... 23, then 8 ... 30 at the end of the scroll bar.
        QCOMPARE(Form4->ListBox1->count(), 23);
        QCOMPARE(Form4->resultTopRow, 0);
        QVERIFY(Form4->ListBox1->item(0)->text().startsWith(QStringLiteral("1  ")));
        QCOMPARE(Form4->ScrollBar1->maximum(), 7);
        Form4->ScrollBar1->setValue(Form4->ScrollBar1->maximum());
        QCOMPARE(Form4->resultTopRow, 7);
        QCOMPARE(Form4->ListBox1->count(), 23);
        QVERIFY(Form4->ListBox1->item(0)->text().startsWith(QStringLiteral("8  ")));
        QVERIFY(Form4->ListBox1->item(22)->text().startsWith(QStringLiteral("30  ")));
        QVERIFY(Form4->ListBox1->item(22)->text().endsWith(QStringLiteral("  0")));
        // A short table: one page, no scrolling.
        load(tukFile(QStringLiteral("PET"), 5));
        QCOMPARE(Form4->ListBox1->count(), 5);
        QCOMPARE(Form4->ScrollBar1->maximum(), 0);
        QVERIFY(boxes.texts().isEmpty());
    }

    void countingSortsFromTheCurrentOrder() {
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        Form1->TUK.clear();
        writeFile(path(QStringLiteral("PET.TUK")),
                  QByteArray::fromStdString(
                      tukFileBytes(table({"0000000000000", "1111111111111", "2222222222222",
                                          "1111111111110", "1111100000000"}))));
        Form4->show();
        load(path(QStringLiteral("PET")));
        Form4->ScrollBar1->setValue(0);
        typeResult(QStringLiteral("1111111111111"));
        QTest::mouseClick(Form4->SpeedButton3, Qt::LeftButton);
        QCOMPARE(serials(), (QList<int>{2, 4, 5, 1, 3}));
        QCOMPARE(hits(), (QList<int>{13, 12, 5, 0, 0}));
        QCOMPARE(Form4->ListBox1->item(0)->text(), QStringLiteral("2  1111111111111  13"));
        // Enter in the field of match 13 counts again, from the order the list has now.
        typeResult(QStringLiteral("2222222222222"));
        QTest::keyClick(Form4->Edit(13), Qt::Key_Return);
        QCOMPARE(serials(), (QList<int>{3, 2, 4, 5, 1}));
        QCOMPARE(hits(), (QList<int>{13, 0, 0, 0, 0}));
        QCOMPARE(Form4->resultTopRow, 0);
        // Enter in the table name reloads: the file's order and no hits.
        QTest::keyClick(Form4->Edit14, Qt::Key_Return);
        QCOMPARE(serials(), (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(hits(), QList<int>(5, 0));
        QVERIFY(boxes.texts().isEmpty());
    }

    void wrongResultsChangeNothing_data() {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty field") << "111111111111_"
                                     << "Krivi unos kombinacije !";
        QTest::newRow("all empty") << "_____________"
                                   << "Krivi unos kombinacije !";
        QTest::newRow("3 in match 13")
            << "1111111111113"
            << "Krivi unos kombinacije ! U polju 13 stoji \"3\", a rezultat utakmice može biti "
               "samo 1, 0 ili 2.";
        QTest::newRow("9 in match 1") << "9111111111111"
                                      << "Krivi unos kombinacije ! U polju 1 "
                                         "stoji \"9\", a rezultat utakmice "
                                         "može biti samo 1, 0 ili 2.";
        QTest::newRow("empty before a 3") << "_111111111113"
                                          << "Krivi unos kombinacije !";
        QTest::newRow("letter before an empty field") << "_11x111111111"
                                                      << "'x' nije ispravan cijeli broj.";
    }
    void wrongResultsChangeNothing() {
        QFETCH(QString, result);
        QFETCH(QString, message);
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        Form4->show();
        load(tukFile(QStringLiteral("TRIDESET"), 30));
        Form4->ScrollBar1->setValue(0);
        typeResult(QStringLiteral("0000000000000"));
        QTest::mouseClick(Form4->SpeedButton3, Qt::LeftButton);
        const QList<int> order = serials();
        const QList<int> counted = hits();
        Form4->ScrollBar1->setValue(4);
        typeResult(result);
        QTest::keyClick(Form4->Edit(13), Qt::Key_Return);
        QCOMPARE(boxes.texts(), QStringList{message});
        QCOMPARE(serials(), order);
        QCOMPARE(hits(), counted);
        QCOMPARE(Form4->resultTopRow, 4);
        // The notice is the window's own: coming back from it keeps the scroll bar.
        QVERIFY(Form4->ScrollBar1->isVisible());
    }

    void enterInTheLastFieldCountsBeforeAnyLoad() {
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        Form4->show();
        QApplication::setActiveWindow(Form4);
        QVERIFY(QTest::qWaitForWindowActive(Form4));
        // Enter in fields 1 ... 12 moves on.
        Form4->Edit(3)->setFocus();
        QTest::keyClick(Form4->Edit(3), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), Form4->Edit(4));
        // In field 13 it counts, also while "Prebroji pogotke" is disabled.
        QVERIFY(!Form4->SpeedButton3->isEnabled());
        QTest::keyClick(Form4->Edit(13), Qt::Key_Return);
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Krivi unos kombinacije !")});
    }

    void chosenFileUntilTheNameIsEdited() {
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        Form4->show();
        const QString typed = tukFile(QStringLiteral("UPISANA"), 4);
        const QString chosen = tukFile(QStringLiteral("ODABRANA"), 6);
        Form4->Edit14->setText(typed);
        answerFileDialogsWith(chosen + QStringLiteral(".TUK"));
        QTest::mouseClick(Form4->Button1, Qt::LeftButton);
        QCOMPARE(Form4->Edit14->text(), typed);
        QTest::mouseClick(Form4->SpeedButton1, Qt::LeftButton);
        QCOMPARE(Form4->resultList.size(), std::size_t(6));
        QTest::keyClicks(Form4->Edit14, QStringLiteral("X"));
        QTest::keyClick(Form4->Edit14, Qt::Key_Backspace);
        QTest::keyClick(Form4->Edit14, Qt::Key_Return);
        QCOMPARE(Form4->resultList.size(), std::size_t(4));
        // No file of that name, or no name at all: nothing happens.
        load(path(QStringLiteral("NEMA")));
        load(QString());
        QCOMPARE(Form4->resultList.size(), std::size_t(4));
        QVERIFY(boxes.texts().isEmpty());
    }

    void badFilesKeepTheTable_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("word") << QByteArray("19204678 1\r\nabc 2\r\n")
                              << "u retku 2, na mjestu 1 \"abc\" nije broj";
        QTest::newRow("code past the last combination")
            << QByteArray("1 1\n2 2 44739243 3\n")
            << "u retku 2, na mjestu 5 \"44739243\" nije kod kombinacije (0 ... 44739242)";
        QTest::newRow("place too large") << QByteArray("1 99999999999\n")
                                         << "u retku 1, na mjestu 3 redni broj \"99999999999\" je "
                                            "prevelik";
    }
    void badFilesKeepTheTable() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        Form4->show();
        load(tukFile(QStringLiteral("DOBRA"), 25));
        Form4->ScrollBar1->setValue(2);
        writeFile(path(QStringLiteral("LOSA.TUK")), bytes);
        load(path(QStringLiteral("LOSA")));
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY2(boxes.texts().first().contains(message), qPrintable(boxes.texts().first()));
        QVERIFY(boxes.texts().first().contains(QStringLiteral("LOSA.TUK")));
        QCOMPARE(Form4->resultList.size(), std::size_t(25));
        QCOMPARE(Form4->resultTopRow, 2);
        QVERIFY(Form4->ListBox1->item(0)->text().startsWith(QStringLiteral("3  ")));
    }

    void emptyFileEmptiesTheTableOnly() {
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        Form4->show();
        load(tukFile(QStringLiteral("DOBRA"), 3));
        writeFile(path(QStringLiteral("PRAZNA.TUK")), "\r\n \t\r\n");
        load(path(QStringLiteral("PRAZNA")));
        QVERIFY(Form4->resultList.empty());
        QVERIFY(Form4->ButtonPrint->isVisible());
        QVERIFY(Form4->SpeedButton3->isEnabled());
        // The rows left in the list draw nothing.
        QImage image(245, 15, QImage::Format_RGB32);
        image.fill(Qt::green);
        QPainter painter(&image);
        Form4->ListBox1DrawItem(painter, 0, QRect(0, 0, 245, 15), false);
        painter.end();
        QCOMPARE(image.pixelColor(3, 7), QColor(Qt::green));
        QVERIFY(boxes.texts().isEmpty());
    }

    void rowCellWidths_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("digits");
        QTest::newRow("N = 5") << 5 << 1;
        QTest::newRow("N = 1200") << 1200 << 4;
    }
    void rowCellWidths() {
        QFETCH(int, n);
        QFETCH(int, digits);
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        Form4->show();
        load(tukFile(QStringLiteral("N"), static_cast<std::size_t>(n)));
        // Letters M of the list's font; a cell is a whole number of pixels.
        const qreal m = QFontMetricsF(Form4->ListBox1->font()).horizontalAdvance(QLatin1Char('M'));
        const auto near = [](int pixels, qreal width) { return qAbs(pixels - width) <= 1.0; };
        for (bool selected : {false, true}) {
            QImage image(300, 15, QImage::Format_RGB32);
            image.fill(Qt::green);
            QPainter painter(&image);
            Form4->ListBox1DrawItem(painter, 0, QRect(0, 0, 300, 15), selected);
            painter.end();
            // Runs of one colour along the bottom line, which holds no text.
            QList<QPair<QColor, int>> runs;
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, 14);
                if (runs.isEmpty() || runs.last().first != c) runs.append({c, 0});
                ++runs.last().second;
            }
            const QColor row = selected ? QColor(0, 0, 255) : QColor(Qt::white);
            const QList<QColor> colours = {selected ? QColor(Qt::red) : QColor(192, 192, 192), row,
                                           selected ? QColor(Qt::white) : QColor(0, 128, 128), row};
            QCOMPARE(runs.size(), 4);
            for (int i = 0; i < 4; ++i)
                QCOMPARE(runs[i].first, colours[i]);
            // Cell 1: "MM" and the digits of N. Then gap, cell 2 (the row's colour, as wide
            // as cell 1) and gap; cell 3: 15 letters M; then gap, cell 4 and the row.
            QVERIFY2(near(runs[0].second, (2 + digits) * m),
                     qPrintable(QString::number(runs[0].second)));
            QVERIFY(near(runs[1].second, 2 + (2 + digits) * m + 2));
            QVERIFY(near(runs[2].second, 15 * m));
        }
    }

    void comingBackHidesOnlyTheScrollBar() {
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        Form2->SpeedButton2Click();
        load(tukFile(QStringLiteral("TRIDESET"), 30));
        Form4->ScrollBar1->setValue(5);
        QTest::mouseClick(Form4->SpeedButton2, Qt::LeftButton);
        QVERIFY(Form4->isHidden());
        QVERIFY(Form2->isVisible());
        Form2->SpeedButton2Click();
        QVERIFY(Form4->isVisible());
        QVERIFY(Form4->ScrollBar1->isHidden());
        QCOMPARE(Form4->ScrollBar1->maximum(), 0);
        QCOMPARE(Form4->resultTopRow, 5);
        QVERIFY(Form4->ListBox1->item(0)->text().startsWith(QStringLiteral("6  ")));
        QVERIFY(Form4->ButtonPrint->isVisible());
        QCOMPARE(Form4->ComboBox1->currentIndex(), -1);
        QCOMPARE(Form4->ComboBox1->itemText(Form4->ComboBox1->count() - 1),
                 QStringLiteral("PDF datoteka"));
        // A new load shows it again.
        QTest::mouseClick(Form4->SpeedButton1, Qt::LeftButton);
        QVERIFY(Form4->ScrollBar1->isVisible());
        QCOMPARE(Form4->ScrollBar1->maximum(), 7);
        QVERIFY(boxes.texts().isEmpty());
    }
};

QTEST_MAIN(TukFilesTest)
#include "tst_tukfiles.moc"
