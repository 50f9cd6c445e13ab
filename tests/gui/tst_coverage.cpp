// Coverage in the network window: the POTA12 list, POT11 on its worker thread, the automatic
// POT11 run with its options, commands locked during a run, stopping a run and exit during one.
// The window's results are checked against the straightforward procedures of the core tests.
#include "GuiTestUtil.h"
#include "NetworkTestUtil.h"

#include "app/Menu.h"
#include "core/MoreSort.h"
#include "more/BusyAnimation.h"
#include "more/Fi.h"
#include "mreza/Autoopc.h"
#include "mreza/Info2.h"
#include "mreza/Mreza.h"
#include "mreza/Pot11autothread.h"
#include "output/Printic.h"
#include "output/Saver.h"
#include "tests/core/CoverageReference.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QStackedWidget>
#include <QTest>

#include <vector>

using namespace kviro;
using namespace kviro::test;

namespace {

void clickSection(QHeaderView* h, int section) {
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                      QPoint(h->sectionViewportPosition(section) + 5, h->height() / 2));
}

// The largest value a progress bar took.
struct ProgressPeak {
    int peak = 0;
    QMetaObject::Connection c;
    explicit ProgressPeak(QProgressBar* bar) {
        c = QObject::connect(bar, &QProgressBar::valueChanged, bar,
                             [this](int v) { peak = std::max(peak, v); });
    }
    ~ProgressPeak() { QObject::disconnect(c); }
};

// Commands that could change MREZA, TUK, the candidate lists or the percentages.
std::vector<QWidget*> lockedDuringRuns() {
    return {MrezaForm->SpeedButton2,
            MrezaForm->SpeedButton6,
            MrezaForm->SpeedButton3,
            MrezaForm->SpeedButton4,
            MrezaForm->SpeedButton8,
            MrezaForm->ToPOT,
            MrezaForm->SpeedButton7,
            MrezaForm->SpeedButton1,
            MrezaForm->SpeedButton5,
            MrezaForm->BitBtn5,
            MrezaForm->BitBtn4,
            MrezaForm->HeaderControl1,
            MrezaForm->HeaderControl2,
            MrezaForm->HeaderControl3,
            Form1->SpeedButton6,
            Form1->ttv(1, 1),
            Form1->OziviMGumb,
            Form6,
            Form7};
}

// All of them disabled while a run is in progress; afterwards enabled as far as the tables allow.
void checkLocked(bool locked) {
    const bool network = !Form1->MREZA.empty();
    const bool tuk = !Form1->TUK.empty();
    for (QWidget* w : lockedDuringRuns()) {
        bool expectEnabled = !locked;
        if (w == MrezaForm->SpeedButton2 || w == MrezaForm->SpeedButton3 ||
            w == MrezaForm->SpeedButton4 || w == MrezaForm->ToPOT)
            expectEnabled = !locked && network;
        if (w == MrezaForm->SpeedButton1 || w == MrezaForm->SpeedButton5 || w == MrezaForm->BitBtn4)
            expectEnabled = !locked && tuk;
        QVERIFY2(w->isEnabled() == expectEnabled, qPrintable(w->objectName()));
    }
    for (QAction* a : {MrezaForm->PostaviNPnaodreenuvrijednost1, MrezaForm->PoveajNPza11,
                       MrezaForm->SmanjiNPza11, MrezaForm->ResetirajsveNPna01})
        QVERIFY2(a->isEnabled() != locked, qPrintable(a->objectName()));
}

// MREZA0 without the rows within two signs of a TUK row, in order: the network after any
// number of automatic steps from an empty TUK.
Table uncovered(const Table& mreza0, const Table& tuk) {
    std::vector<bool> covered(static_cast<std::size_t>(kAllCombinations), false);
    for (const Combination* t : tuk)
        forEachWithinTwo(t->code, ternaryRank(t->code),
                         [&](std::int32_t r, int) { covered[static_cast<std::size_t>(r)] = true; });
    Table out;
    for (Combination* r : mreza0)
        if (!covered[static_cast<std::size_t>(ternaryRank(r->code))]) out.push_back(r);
    return out;
}

void expectSameCandidates(const Table& got, const Table& expected, bool pota12) {
    QCOMPARE(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        QCOMPARE(got[i]->code, expected[i]->code);
        QCOMPARE(got[i]->mana, expected[i]->mana);
        QCOMPARE(got[i]->hitCount, expected[i]->hitCount);
        QCOMPARE(got[i]->sumMana, expected[i]->sumMana);
        if (pota12) {
            QCOMPARE(got[i]->hits13, expected[i]->hits13);
            QCOMPARE(got[i]->hits12, expected[i]->hits12);
        }
    }
}

// The same sort keys row by row: the order again, up to rows equal in the keys.
void expectSameKeys(const Table& got, const Table& expected, bool byHits) {
    QCOMPARE(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (byHits) QCOMPARE(got[i]->hitCount, expected[i]->hitCount);
        QCOMPARE(got[i]->sumMana, expected[i]->sumMana);
    }
}

void setOptions(bool on, const QString& x) {
    whenShown(Form10, [on, x] {
        Form10->CheckBox1->setChecked(on);
        Form10->ComboBox1->setEditText(x);
        QTest::mouseClick(Form10->Button1, Qt::LeftButton);
    });
    QTest::mouseClick(MrezaForm->Button1, Qt::LeftButton);
}

} // namespace

class CoverageTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        windows_ = std::make_unique<NetworkWindows>();
        boxes_ = &windows_->boxes;
    }
    void cleanup() { windows_.reset(); }

    void pota12List() {
        handOver(bestRows(400));
        QTest::mouseClick(MrezaForm->SpeedButton3, Qt::LeftButton);
        QVERIFY(MrezaForm->ToPOT->isVisible());
        MrezaForm->MREZAShow->setCurrentRow(2);
        ProgressPeak progress(MrezaForm->POTA12Progress);
        QTest::mouseClick(MrezaForm->ToPOT, Qt::LeftButton);
        QCOMPARE(progress.peak, 27);
        QCOMPARE(MrezaForm->POTA12Progress->value(), 0);
        QCOMPARE(MrezaForm->POTA12Show->count(), 27);

        RecordPool pool;
        Table expected;
        reference::pota12(expected, Form1->MREZA, 2, Form1->probability, pool);
        expectSameCandidates(Form1->POTA12, expected, true);

        clickSection(MrezaForm->HeaderControl2, 3); // MANA
        for (std::size_t i = 1; i < 27; ++i)
            QVERIFY(Form1->POTA12[i - 1]->mana >= Form1->POTA12[i]->mana);
        clickSection(MrezaForm->HeaderControl2, 0); // nothing
        clickSection(MrezaForm->HeaderControl2, 5); // sum MANA
        expectSameKeys(Form1->POTA12, expected, false);

        MrezaForm->POTA12Show->setCurrentRow(1);
        QTest::mouseClick(MrezaForm->BitBtn6, Qt::LeftButton);
        QCOMPARE(MrezaForm->entrySource, std::int8_t(2));
        for (int a = 1; a <= kMatches; ++a)
            QCOMPARE(MrezaForm->edit(a)->text(), QString::number(signAt(*Form1->POTA12[1], a)));
        QVERIFY(boxes_->texts().isEmpty());
    }

    void pot11OnTheWorkerThread() {
        handOver(bestRows(3000));
        QTest::mouseClick(MrezaForm->SpeedButton4, Qt::LeftButton);
        MrezaForm->MREZAShow->setCurrentRow(4);
        ProgressPeak progress(MrezaForm->POT11Progress);
        QTest::mouseClick(MrezaForm->ToPOT, Qt::LeftButton);
        // The worker waits for its first progress repaint on this thread: the run is in progress.
        QVERIFY(MrezaForm->running());
        QVERIFY(MrezaForm->singleThread);
        checkLocked(true);
        QVERIFY(!MrezaForm->BitBtn8->isEnabled());
        // Commands called anyway do nothing.
        MrezaForm->SpeedButton6Click();
        MrezaForm->ToPOTClick();
        QVERIFY(boxes_->texts().isEmpty());

        QTRY_VERIFY_WITH_TIMEOUT(!MrezaForm->running(), 60000);
        QVERIFY(!MrezaForm->singleThread);
        checkLocked(false);
        QCOMPARE(progress.peak, 339);
        QCOMPARE(MrezaForm->POT11Progress->value(), 0);
        QCOMPARE(MrezaForm->POT11Show->count(), 339);
        RecordPool pool;
        Table expected;
        reference::pot11(expected, Form1->MREZA, 4, Form1->probability, pool);
        expectSameCandidates(Form1->POT11, expected, false);

        clickSection(MrezaForm->HeaderControl3, 3); // MANA
        for (std::size_t i = 1; i < 339; ++i)
            QVERIFY(Form1->POT11[i - 1]->mana >= Form1->POT11[i]->mana);
        clickSection(MrezaForm->HeaderControl3, 5); // sum MANA
        for (std::size_t i = 1; i < 339; ++i)
            QVERIFY(Form1->POT11[i - 1]->sumMana >= Form1->POT11[i]->sumMana);
        clickSection(MrezaForm->HeaderControl3, 4); // br.pog.: the order of the run again
        expectSameKeys(Form1->POT11, expected, true);

        MrezaForm->POT11Show->setCurrentRow(0);
        QTest::mouseClick(MrezaForm->BitBtn7, Qt::LeftButton);
        QCOMPARE(MrezaForm->entrySource, std::int8_t(1));
        for (int a = 1; a <= kMatches; ++a)
            QCOMPARE(MrezaForm->edit(a)->text(), QString::number(signAt(*Form1->POT11[0], a)));
    }

    void automaticRun_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("option");
        QTest::addColumn<QString>("x");
        QTest::addColumn<bool>("tukFromNetwork");
        QTest::newRow("option off") << 600 << false << "10" << false;
        QTest::newRow("one row") << 1 << false << "10" << false;
        QTest::newRow("X = 13") << 600 << true << "13" << false;
        QTest::newRow("X = 40") << 600 << true << "40" << false;
        QTest::newRow("X = 0 adds nothing") << 600 << true << "0" << false;
        QTest::newRow("TUK holds the network") << 300 << false << "10" << true;
    }
    void automaticRun() {
        QFETCH(int, rows);
        QFETCH(bool, option);
        QFETCH(QString, x);
        QFETCH(bool, tukFromNetwork);
        handOver(bestRows(static_cast<std::size_t>(rows)));
        if (tukFromNetwork) QTest::mouseClick(MrezaForm->SpeedButton2, Qt::LeftButton);
        setOptions(option, x);
        QCOMPARE(MrezaForm->minHits, option ? x.toInt() : -1);

        Table refMreza = Form1->MREZA;
        Table refTuk = Form1->TUK;
        Table refPot11;
        RecordPool pool;
        reference::autoPot11(refMreza, refTuk, refPot11, Form1->probability, MrezaForm->minHits,
                             pool);

        QTest::mouseClick(MrezaForm->SpeedButton4, Qt::LeftButton);
        QTest::mouseClick(MrezaForm->BitBtn8, Qt::LeftButton);
        QVERIFY(MrezaForm->autoRunning());
        QCOMPARE(MrezaForm->Label2->text(), QStringLiteral("Izvodi se automatski POT11"));
        QVERIFY(MrezaForm->Animate1->isVisible());
        setOptions(true, QStringLiteral("1")); // changes nothing in the run under way
        QTRY_VERIFY_WITH_TIMEOUT(!MrezaForm->running(), 120000);

        QCOMPARE(signsOf(Form1->TUK), signsOf(refTuk));
        QVERIFY(Form1->MREZA == refMreza);
        QCOMPARE(signsOf(Form1->POT11), signsOf(refPot11));
        for (std::size_t i = 0; i + (tukFromNetwork ? rows : 0) < Form1->TUK.size(); ++i)
            QCOMPARE(Form1->TUK[i]->tukSource, std::int8_t(1));
        QCOMPARE(MrezaForm->Label2->text(), QStringLiteral("Tablica uplaćenih kombinacija"));
        QVERIFY(MrezaForm->Animate1->isHidden());
        QVERIFY(Form8->isVisible());
        QCOMPARE(Form8->Label7->text(), QString::number(Form1->TUK.size()));
        QCOMPARE(MrezaForm->ScrollBar1->isVisible(), !Form1->MREZA.empty());
        checkLocked(false);
        QVERIFY(boxes_->texts().isEmpty());
    }

    void wholeNetworkRunLocksRefreshesAndStops() {
        handOver(Form1->MORE0);
        QTest::mouseClick(MrezaForm->SpeedButton4, Qt::LeftButton);
        QTest::mouseClick(MrezaForm->BitBtn8, Qt::LeftButton);
        QVERIFY(MrezaForm->autoRunning());
        checkLocked(true);
        QVERIFY(MrezaForm->BitBtn8->isEnabled()); // it stops the run
        QVERIFY(MrezaForm->StopHint->isVisible());
        // Commands called anyway do nothing.
        MrezaForm->SpeedButton6Click();
        MrezaForm->SpeedButton7Click();
        MrezaForm->HeaderControl1SectionClick(3);
        Form1->SpeedButton6->click();
        QVERIFY(boxes_->texts().isEmpty());
        QVERIFY(MrezaForm->isVisible());

        // The views follow the run, at most about 30 times a second.
        QTRY_VERIFY_WITH_TIMEOUT(!Form1->TUK.empty(), 120000);
        const int before = MrezaForm->viewRefreshes;
        QElapsedTimer clock;
        clock.start();
        // Short enough that the run (about 1.5 s on an idle machine) is still under way after it.
        QTest::qWait(700);
        const double perSecond =
            (MrezaForm->viewRefreshes - before) * 1000.0 / static_cast<double>(clock.elapsed());
        QVERIFY2(perSecond <= 34, qPrintable(QString::number(perSecond)));
        QVERIFY(MrezaForm->viewRefreshes > before);
        QVERIFY(MrezaForm->running());

        // Esc stops it after the step under way; TUK and MREZA agree with each other.
        QApplication::setActiveWindow(MrezaForm);
        QTest::keyClick(MrezaForm, Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(!MrezaForm->running(), 60000);
        QVERIFY(!Form1->TUK.empty());
        QVERIFY(Form1->MREZA.size() < Form1->MREZA0.size());
        QVERIFY(Form1->MREZA == uncovered(Form1->MREZA0, Form1->TUK));
        for (const Combination* t : Form1->TUK)
            QCOMPARE(t->tukSource, std::int8_t(1));
        checkLocked(false);
        QVERIFY(MrezaForm->StopHint->isHidden());
        QCOMPARE(MrezaForm->Label2->text(), QStringLiteral("Tablica uplaćenih kombinacija"));

        // A second run goes on from there and is stopped with its button.
        const std::size_t tukBefore = Form1->TUK.size();
        QTest::mouseClick(MrezaForm->BitBtn8, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(Form1->TUK.size() > tukBefore, 120000);
        QTest::mouseClick(MrezaForm->BitBtn8, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!MrezaForm->running(), 60000);
        QVERIFY(Form1->MREZA == uncovered(Form1->MREZA0, Form1->TUK));
    }

    void exitDuringARun_data() {
        QTest::addColumn<bool>("automatic");
        QTest::newRow("automatic") << true;
        QTest::newRow("single") << false;
    }
    void exitDuringARun() {
        QFETCH(bool, automatic);
        handOver(Form1->MORE0);
        QTest::mouseClick(MrezaForm->SpeedButton4, Qt::LeftButton);
        if (automatic) {
            QTest::mouseClick(MrezaForm->BitBtn8, Qt::LeftButton);
            QTest::qWait(50);
        } else {
            MrezaForm->MREZAShow->setCurrentRow(0);
            QTest::mouseClick(MrezaForm->ToPOT, Qt::LeftButton);
        }
        QVERIFY(MrezaForm->running());
        QPointer<POT11Auto> worker = automatic ? MrezaForm->autoThread : MrezaForm->singleThread;
        Form2->SpeedButton5Click();
        QVERIFY(!MrezaForm->running());
        QVERIFY(!worker || worker->isFinished());
        QVERIFY(Form1->MREZA.empty() && Form1->TUK.empty() && Form1->POT11.empty());
        QCOMPARE(Form1->tables.pool.blockCount(), std::size_t(0));
        QTest::qWait(50); // calls the worker had queued must not touch the released tables
    }

    void badPercentageStopsTheStart_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("automatic") << "auto";
        QTest::newRow("POT11") << "11";
        QTest::newRow("POTA12") << "12";
        QTest::newRow("entry row") << "entry";
    }
    void badPercentageStopsTheStart() {
        QFETCH(QString, command);
        handOver(bestRows(50));
        const Table pot11 = Form1->POT11;
        const Table pota12 = Form1->POTA12;
        Form1->ttv(3, 0)->setText(QStringLiteral("y"));
        boxes_->clear();
        if (command == QLatin1String("auto")) {
            QTest::mouseClick(MrezaForm->SpeedButton4, Qt::LeftButton);
            QTest::mouseClick(MrezaForm->BitBtn8, Qt::LeftButton);
        } else if (command == QLatin1String("entry")) {
            typeEntry("1111111111111");
            QTest::mouseClick(MrezaForm->BitBtn5, Qt::LeftButton);
        } else {
            QTest::mouseClick(command == QLatin1String("11") ? MrezaForm->SpeedButton4
                                                              : MrezaForm->SpeedButton3,
                              Qt::LeftButton);
            MrezaForm->MREZAShow->setCurrentRow(0);
            QTest::mouseClick(MrezaForm->ToPOT, Qt::LeftButton);
        }
        QCOMPARE(boxes_->texts(), QStringList{QStringLiteral("'y' nije ispravan broj.")});
        QVERIFY(!MrezaForm->running());
        QVERIFY(Form1->TUK.empty());
        QCOMPARE(Form1->MREZA.size(), std::size_t(50));
        QVERIFY(Form1->POT11 == pot11 && Form1->POTA12 == pota12);
        QCOMPARE(MrezaForm->Label2->text(), QStringLiteral("  Tablica uplaćenih kombinacija"));
    }

    void options() {
        handOver(bestRows(10));
        QCOMPARE(MrezaForm->minHits, -1);
        setOptions(true, QStringLiteral("12"));
        QCOMPARE(MrezaForm->minHits, 12);
        // The dialog shows the option as it stands; a text that is not an integer changes nothing.
        bool shownTicked = false;
        QString shownX;
        whenShown(Form10, [&] {
            shownTicked = Form10->CheckBox1->isChecked();
            shownX = Form10->ComboBox1->currentText();
            Form10->ComboBox1->setEditText(QStringLiteral("1a"));
            QTest::mouseClick(Form10->Button1, Qt::LeftButton);
        });
        QTest::mouseClick(MrezaForm->Button1, Qt::LeftButton);
        QVERIFY(shownTicked);
        QCOMPARE(shownX, QStringLiteral("12"));
        QCOMPARE(boxes_->texts(), QStringList{QStringLiteral("'1a' nije ispravan cijeli broj.")});
        QCOMPARE(MrezaForm->minHits, 12);
        setOptions(false, QStringLiteral("5"));
        QCOMPARE(MrezaForm->minHits, -1);
    }

    // The whole space in the window with its views refreshing (long: run with KVIRO_MEASURE=1).
    void wholeSpaceRunInTheWindow() {
        if (qEnvironmentVariableIsEmpty("KVIRO_MEASURE"))
            QSKIP("a measurement; set KVIRO_MEASURE=1");
        handOver(Form1->MORE0);
        QTest::mouseClick(MrezaForm->SpeedButton4, Qt::LeftButton);
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(MrezaForm->BitBtn8, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!MrezaForm->running(), 600000);
        const qint64 ms = clock.elapsed();
        qInfo("whole space in the window: %lld ms, %zu TUK rows, %d view refreshes", ms,
              Form1->TUK.size(), MrezaForm->viewRefreshes);
        QVERIFY(Form1->MREZA.empty());
        QVERIFY(ms <= 25000);
    }

  private:
    std::unique_ptr<NetworkWindows> windows_;
    MessageBoxWatcher* boxes_ = nullptr;
};

QTEST_MAIN(CoverageTest)
#include "tst_coverage.moc"
