// Start-up, the main menu, the percentage grid, the generation command and exit.
#include "GuiTestUtil.h"

#include "app/Menu.h"
#include "core/Probability.h"
#include "more/BusyAnimation.h"
#include "more/FULLFiller.h"
#include "more/Fi.h"
#include "output/Kontrola.h"
#include "platform/ProbabilityStore.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>

using namespace kviro;
using namespace kviro::test;

class FoundationTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { destroyWindows(); }

    // No settings file is a new user: the design values, and nothing said. A store that holds
    // the table but with a damaged value is reported once, naming the value.
    void startWithoutOrWithDamagedStore_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("named");
        QTest::newRow("no file") << QByteArray() << QString();
        QTest::newRow("only the price") << QByteArray("[Software]\nDrevalmark\\KVIRO\\Cijena%20kombinacije=2\n")
                                        << QString();
        QTest::newRow("damaged value")
            << QByteArray("[Software]\nDrevalmark\\KVIRO\\0%200=1\n") << QStringLiteral("\"0 0\"");
    }
    void startWithoutOrWithDamagedStore() {
        QFETCH(QByteArray, file);
        QFETCH(QString, named);
        TempSettings store(false);
        if (!file.isEmpty()) {
            QVERIFY(QDir().mkpath(QFileInfo(TempSettings::file()).path()));
            writeFile(TempSettings::file(), file);
        }
        MessageBoxWatcher boxes;
        createWindowsAndWait();
        if (named.isEmpty()) {
            QTest::qWait(200);
            QVERIFY2(boxes.texts().isEmpty(), qPrintable(boxes.texts().join(QLatin1Char('\n'))));
        } else {
            QTRY_COMPARE(boxes.texts().size(), 1);
            QTest::qWait(100);
            QCOMPARE(boxes.texts().size(), 1);
            QVERIFY(boxes.texts().first().contains(QStringLiteral("Greška pri čitanju postavki")));
            QVERIFY(boxes.texts().first().contains(named));
        }
        QCOMPARE(Form1->ttv(1, 1)->text(), QStringLiteral("10"));
        QCOMPARE(Form1->ttv(1, 0)->text(), QStringLiteral("20"));
        QCOMPARE(Form1->ttv(1, 2)->text(), QStringLiteral("70"));
        QCOMPARE(Form1->ttv(10, 0)->text(), QStringLiteral("5"));
        // The first generation command fills the store.
        QTest::mouseClick(Form1->OziviMGumb, Qt::LeftButton);
        ProbabilityTable back{};
        QVERIFY(ui::ProbabilityStore::load(back));
        QCOMPARE(back, defaultProbabilities());
    }

    void menuStatesBeforeAndAfterGeneration() {
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        // The completion handler runs on this thread, so nothing has changed yet.
        QCOMPARE(Form2->Label14->text(), QStringLiteral("Traje generiranje svih kombinacija..."));
        QVERIFY(!Form2->SpeedButton1->isEnabled());
        QVERIFY(Form2->SpeedButton2->isEnabled());
        QTest::keyClick(Form2, Qt::Key_A, Qt::NoModifier);
        QTest::keyClick(Form2, Qt::Key_A, Qt::ShiftModifier);
        QVERIFY(!Form1->isVisible());
        QTest::keyClick(Form2, Qt::Key_B);
        QVERIFY(Form4->isVisible());
        Form4->hide();

        QTRY_VERIFY_WITH_TIMEOUT(Form2->SpeedButton1->isEnabled(), 60000);
        QCOMPARE(Form2->Label14->text(), QStringLiteral("Sve kombinacije su definirane."));
        QVERIFY(Form2->Label14->styleSheet().contains(QStringLiteral("white")));
        QVERIFY(Form2->SpeedButton3->isHidden());
        QCOMPARE(Form1->MORE.size(), std::size_t(kAllCombinations));
        QTest::keyClick(Form2, Qt::Key_A);
        QVERIFY(Form1->isVisible());
        Form1->hide();
        QTest::mouseClick(Form2->SpeedButton1, Qt::LeftButton);
        QVERIFY(Form1->isVisible());
        QVERIFY(boxes.texts().isEmpty());
    }

    void gridCompletion_data() {
        QTest::addColumn<int>("match");
        QTest::addColumn<QString>("one");
        QTest::addColumn<QString>("zero");
        QTest::addColumn<QString>("two");
        QTest::newRow("10+20") << 1 << "10" << "20" << "70";
        QTest::newRow("5 with 60") << 5 << "5" << "60" << "35";
        QTest::newRow("50 with 60") << 5 << "50" << "60" << "-10";
        QTest::newRow("both empty") << 7 << "" << "" << "100";
        // Longer than anyone can type: put there as a loaded table would.
        QTest::newRow("33.3 twice") << 13 << "33.3" << "33.3" << "33.4000015258789";
    }
    void gridCompletion() {
        QFETCH(int, match);
        QFETCH(QString, one);
        QFETCH(QString, zero);
        QFETCH(QString, two);
        TempSettings store;
        MessageBoxWatcher boxes;
        createWindowsAndWait();
        QLineEdit* f1 = Form1->ttv(match, 1);
        QLineEdit* f0 = Form1->ttv(match, 0);
        f1->clear();
        f0->clear();
        if (one.size() > 3) {
            f0->setText(zero);
            f1->setText(one);
        } else {
            QTest::keyClicks(f0, zero);
            QTest::keyClicks(f1, one);
        }
        QCOMPARE(Form1->ttv(match, 2)->text(), two);
        QVERIFY(boxes.texts().isEmpty());
    }

    void typingIsLimitedToThreeCharacters() {
        TempSettings store;
        MessageBoxWatcher boxes;
        createWindowsAndWait();
        QLineEdit* f = Form1->ttv(2, 1);
        f->clear();
        QTest::keyClicks(f, QStringLiteral("12345"));
        QCOMPARE(f->text(), QStringLiteral("123"));
        // A longer text put there by the program can still be shortened and retyped.
        f->setText(QStringLiteral("33.2999992370605"));
        QTest::keyClick(f, Qt::Key_Backspace);
        QCOMPARE(f->text(), QStringLiteral("33.299999237060"));
        f->selectAll();
        QTest::keyClicks(f, QStringLiteral("4567"));
        QCOMPARE(f->text(), QStringLiteral("456"));
        QVERIFY(Form1->ttv(2, 2)->isReadOnly());
    }

    void notANumberKeepsTheRemainder() {
        TempSettings store;
        MessageBoxWatcher boxes;
        createWindowsAndWait();
        QLineEdit* f = Form1->ttv(3, 1);
        f->clear();
        QCOMPARE(Form1->ttv(3, 2)->text(), QStringLiteral("60"));
        QTest::keyClicks(f, QStringLiteral("x"));
        QTRY_COMPARE(boxes.texts().size(), 1);
        QVERIFY(boxes.texts().first().contains(QStringLiteral("'x'")));
        QCOMPARE(Form1->ttv(3, 2)->text(), QStringLiteral("60"));
        // The generation command stops at the same field and values nothing.
        boxes.clear();
        QTest::mouseClick(Form1->OziviMGumb, Qt::LeftButton);
        QCOMPARE(boxes.texts().size(), 1);
        QCOMPARE(Form1->MORE.back()->mana, 0.0f);
        QVERIFY(Form1->MORE0.empty());
        QVERIFY(!Form1->SpeedButton5->isEnabled());
    }

    void enterMovesThroughTheEntryOrder() {
        TempSettings store;
        MessageBoxWatcher boxes;
        createWindowsAndWait();
        Form1->show();
        QApplication::setActiveWindow(Form1);
        QStringList order;
        for (int m = 1; m <= kMatches; ++m) order << QStringLiteral("ttv%1").arg(m) + QLatin1Char('1')
                                                << QStringLiteral("ttv%1").arg(m) + QLatin1Char('0');
        Form1->ttv(1, 1)->setFocus();
        for (int i = 0; i < order.size(); ++i) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(focused);
            QCOMPARE(focused->objectName(), order[i]);
            QTest::keyClick(focused, Qt::Key_Return);
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("ttv130"));
    }

    void clearAllSetsEveryFieldToZero() {
        TempSettings store;
        MessageBoxWatcher boxes;
        createWindowsAndWait();
        QTest::mouseClick(Form1->SpeedButton1, Qt::LeftButton);
        for (int m = 1; m <= kMatches; ++m)
            for (int s = 0; s < 3; ++s) QCOMPARE(Form1->ttv(m, s)->text(), QStringLiteral("0"));
        // Followed at once by the generation command: 39 zeros stored, every MANA 0.
        QTest::mouseClick(Form1->OziviMGumb, Qt::LeftButton);
        ProbabilityTable back{};
        QVERIFY(ui::ProbabilityStore::load(back));
        for (const auto& row : back)
            for (float v : row) QCOMPARE(v, 0.0f);
        QCOMPARE(Form1->MORE[12345]->mana, 0.0f);
        QVERIFY(boxes.texts().isEmpty());
    }

    void generationCommandValuesAndSnapshots() {
        TempSettings store;
        MessageBoxWatcher boxes;
        createWindowsAndWait();
        Form1->MORE[7]->np = 3;
        QTest::mouseClick(Form1->OziviMGumb, Qt::LeftButton);
        QCOMPARE(Form1->MORE.back()->mana, 2.0249178f);
        QCOMPARE(Form1->MORE[7]->np, std::int8_t(0));
        QVERIFY(Form1->MORE0 == Form1->MORE);
        for (QPushButton* b : {Form1->SpeedButton5, Form1->SpeedButton6, Form1->SpeedButton7,
                               Form1->SpeedButton9, Form1->BitBtn1, Form1->BitBtn2, Form1->BitBtn3,
                               Form1->BitBtn4})
            QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
        QVERIFY(Form1->Animate1->isHidden());
        // A narrowed MORE: only its rows are revalued and it becomes the snapshot.
        Form1->MORE.resize(10);
        Form1->ttv(1, 1)->setText(QStringLiteral("20"));
        const float before = Form1->MORE0.back()->mana;
        QTest::mouseClick(Form1->OziviMGumb, Qt::LeftButton);
        QCOMPARE(Form1->MORE0.size(), std::size_t(10));
        QCOMPARE(Form1->MORE.back()->mana, manaOf(Form1->MORE.back()->code, Form1->probability));
        QCOMPARE(Form1->tables.pool.blockCount() > 1, true);
        QCOMPARE(before, 2.0249178f);
        QVERIFY(boxes.texts().isEmpty());
    }

    void percentagesPersistAcrossStarts() {
        TempSettings store;
        MessageBoxWatcher boxes;
        createWindowsAndWait();
        Form1->ttv(4, 1)->setText(QStringLiteral("33.3"));
        Form1->ttv(4, 0)->setText(QStringLiteral("33.3"));
        QTest::mouseClick(Form1->OziviMGumb, Qt::LeftButton);
        destroyWindows();
        createWindowsAndWait();
        QCOMPARE(Form1->ttv(4, 1)->text(), QStringLiteral("33.2999992370605"));
        QCOMPARE(Form1->ttv(4, 0)->text(), QStringLiteral("33.2999992370605"));
        QCOMPARE(Form1->ttv(4, 2)->text(), QStringLiteral("33.4000015258789"));
        QCOMPARE(Form1->ttv(1, 1)->text(), QStringLiteral("10"));
        QCOMPARE(Form1->ttv(13, 2)->text(), QStringLiteral("50"));
        // Exactly 8-byte doubles under the program's key path.
        QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Drevalmark"),
                    QStringLiteral("KVIRO"));
        const QByteArray raw = s.value(QStringLiteral("Software/Drevalmark/KVIRO/3 1")).toByteArray();
        QCOMPARE(raw.size(), 8);
        QVERIFY(boxes.texts().isEmpty());
    }

    void exitDuringGeneration() {
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        QTest::mouseClick(Form2->SpeedButton5, Qt::LeftButton);
        QVERIFY(Form2->isHidden());
        QVERIFY(Form1->generator.isNull() || Form1->generator->isFinished());
        QVERIFY(Form1->MORE.empty());
        QCOMPARE(Form1->tables.pool.blockCount(), std::size_t(0));
        QTest::qWait(50); // the completion notice must not revive the menu
        QCOMPARE(Form2->Label14->text(), QStringLiteral("Traje generiranje svih kombinacija..."));
    }

    void exitFromWorkbenchAfterGeneration() {
        TempSettings store;
        MessageBoxWatcher boxes;
        createWindowsAndWait();
        QTest::mouseClick(Form1->OziviMGumb, Qt::LeftButton);
        Form1->TUK.push_back(Form1->MORE[3]);
        Form1->MREZA.push_back(Form1->MORE[3]);
        Form1->show();
        QTest::mouseClick(Form1->SpeedButton2, Qt::LeftButton);
        QVERIFY(Form1->isHidden());
        QVERIFY(Form2->isHidden());
        QVERIFY(Form1->MORE0.empty() && Form1->TUK.empty() && Form1->MREZA.empty());
        QCOMPARE(Form1->tables.pool.blockCount(), std::size_t(0));
    }

    void closeRequestOnTheMenuExits() {
        TempSettings store;
        MessageBoxWatcher boxes;
        createWindowsAndWait();
        QVERIFY(!Form2->close()); // the window stays; the program ends through the exit command
        QVERIFY(Form2->exiting());
        QVERIFY(Form1->MORE.empty());
    }

    void mainMenuButtonReturnsFromWorkbench() {
        TempSettings store;
        MessageBoxWatcher boxes;
        createWindowsAndWait();
        Form2->hide();
        Form1->show();
        QTest::mouseClick(Form1->SpeedButton3, Qt::LeftButton);
        QVERIFY(Form1->isHidden());
        QVERIFY(Form2->isVisible());
        QCOMPARE(Form1->MORE.size(), std::size_t(kAllCombinations));
    }
};

QTEST_MAIN(FoundationTest)
#include "tst_foundation.moc"
