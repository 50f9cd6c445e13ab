// "Optimiraj TUK" in the network window: a run at each guarantee fills TUK with a checked cover
// and empties the network, a stop keeps the best cover so far, an empty network does nothing.
#include "GuiTestUtil.h"
#include "NetworkTestUtil.h"

#include "core/MoreSort.h"
#include "core/TukOptimiser.h"
#include "more/Fi.h"
#include "mreza/Info2.h"
#include "mreza/Jamstvo.h"
#include "mreza/Mreza.h"
#include "mreza/Optimiz.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <set>

using namespace kviro;
using namespace kviro::test;

namespace {

std::vector<std::uint32_t> codesOf(const Table& t) {
    std::vector<std::uint32_t> out;
    for (const Combination* r : t)
        out.push_back(r->code);
    return out;
}

// Answers the optimiser's dialog with a guarantee (combo index 0 ... 2) and an effort, counting
// how often it was shown.
struct DialogAnswer {
    int shown = 0;
    DialogAnswer(int guarantee, int effort) {
        ui::setDialogRunner([this, guarantee, effort](QDialog& d) {
            auto* form = qobject_cast<TOptimForm*>(&d);
            if (!form) return int(QDialog::Rejected);
            ++shown;
            form->Jamstvo->setCurrentIndex(guarantee);
            form->Trud->setCurrentIndex(effort);
            return int(QDialog::Accepted);
        });
    }
    ~DialogAnswer() { ui::setDialogRunner({}); }
};

} // namespace

class OptimiserTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { windows_ = std::make_unique<NetworkWindows>(); }
    void cleanup() { windows_.reset(); }

    void run_data() {
        QTest::addColumn<int>("guarantee"); // index of the dialog's combo box
        QTest::addColumn<int>("radius");
        QTest::addColumn<int>("source");
        QTest::newRow("10 hits") << 0 << 3 << 1;
        QTest::newRow("11 hits") << 1 << 2 << 1;
        QTest::newRow("12 hits") << 2 << 1 << 2;
    }
    void run() {
        QFETCH(int, guarantee);
        QFETCH(int, radius);
        QFETCH(int, source);
        handOver(bestRows(2500));
        // A TUK row already there stays, below the new ones, and is not added twice.
        typeEntry(signText(*Form1->MREZA[0]));
        QTest::mouseClick(MrezaForm->BitBtn5, Qt::LeftButton);
        Combination* held = Form1->TUK.at(0);
        QTest::mouseClick(MrezaForm->SpeedButton4, Qt::LeftButton);
        MrezaForm->JamstvoButton->click(); // the guarantee window follows the run's result
        QVERIFY(JamstvoForm->isVisible());
        QVERIFY(MrezaForm->OptimirajTUK->isVisible());
        QVERIFY(MrezaForm->OptimirajTUK->isEnabled());

        DialogAnswer answer(guarantee, 0);
        windows_->boxes.clear();
        QTest::mouseClick(MrezaForm->OptimirajTUK, Qt::LeftButton);
        QCOMPARE(answer.shown, 1);
        QVERIFY(MrezaForm->optimising());
        QCOMPARE(MrezaForm->Label2->text(), QStringLiteral("Izvodi se optimizacija TUK"));
        QVERIFY(MrezaForm->StopHint->isVisible());
        QVERIFY(!MrezaForm->SpeedButton6->isEnabled());
        QVERIFY(!MrezaForm->BitBtn8->isEnabled());
        QVERIFY(!MrezaForm->BitBtn4->isEnabled());
        QVERIFY(!Form1->isEnabled());
        QVERIFY(MrezaForm->OptimirajTUK->isEnabled()); // it stops the run
        QTRY_VERIFY_WITH_TIMEOUT(!MrezaForm->running(), 120000);

        QVERIFY(Form1->MREZA.empty());
        QVERIFY(Form1->TUK.size() > 1);
        QCOMPARE(Form1->TUK.back(), held);
        const std::vector<std::uint32_t> codes = codesOf(Form1->TUK);
        QCOMPARE(std::set<std::uint32_t>(codes.begin(), codes.end()).size(), codes.size());
        QVERIFY(coversNetwork(Form1->MREZA0, codes, radius));
        for (std::size_t i = 0; i + 1 < Form1->TUK.size(); ++i)
            QCOMPARE(Form1->TUK[i]->tukSource, std::int8_t(source));
        QCOMPARE(Form8->Label7->text(), QString::number(Form1->TUK.size()));
        QCOMPARE(Form8->Label5->text(), QStringLiteral("0"));
        // Below 11 hits the headline counts the rows that miss 11.
        QTRY_VERIFY(JamstvoForm->Naslov->text().contains(
            radius == 3 ? QStringLiteral("11 pogodaka, osim ")
                        : QStringLiteral("najmanje %1 pogodaka.").arg(13 - radius)));
        QCOMPARE(MrezaForm->Label2->text(), QStringLiteral("Tablica uplaćenih kombinacija"));
        QVERIFY(MrezaForm->StopHint->isHidden());
        QVERIFY(Form1->isEnabled());
        QCOMPARE(MrezaForm->OptimirajTUK->text(), QStringLiteral("Optimiraj TUK"));
        QVERIFY(!MrezaForm->OptimirajTUK->isEnabled()); // nothing left to cover
        QCOMPARE(windows_->boxes.texts().size(), 1);
        const QString notice = windows_->boxes.texts().at(0);
        QVERIFY2(notice.contains(QStringLiteral("za %1 pogodaka").arg(13 - radius)), qPrintable(notice));
        QVERIFY2(notice.contains(QStringLiteral("Automatski POT11 bi uzeo: ")), qPrintable(notice));
    }

    void stopKeepsTheBestCover() {
        handOver(Form1->MORE0); // the whole space: the structured cover comes first
        QTest::mouseClick(MrezaForm->SpeedButton4, Qt::LeftButton);
        DialogAnswer answer(1, 2);
        windows_->boxes.clear();
        QTest::mouseClick(MrezaForm->OptimirajTUK, Qt::LeftButton);
        QVERIFY(MrezaForm->optimising());
        QTRY_VERIFY_WITH_TIMEOUT(MrezaForm->StopHint->text().contains(QStringLiteral("najbolje")),
                                 60000);
        QApplication::setActiveWindow(MrezaForm);
        QTest::keyClick(MrezaForm, Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(!MrezaForm->running(), 120000);
        QVERIFY(Form1->MREZA.empty());
        QVERIFY(Form1->TUK.size() <= 6561);
        QVERIFY(coversNetwork(Form1->MREZA0, codesOf(Form1->TUK), 2));
        QCOMPARE(windows_->boxes.texts().size(), 1);
    }

    void emptyNetworkDoesNothing() {
        handOver({});
        QVERIFY(!MrezaForm->OptimirajTUK->isEnabled());
        DialogAnswer answer(1, 0);
        windows_->boxes.clear();
        MrezaForm->OptimirajTUKClick();
        QCOMPARE(answer.shown, 0);
        QVERIFY(!MrezaForm->running());
        QVERIFY(Form1->TUK.empty());
        QVERIFY(windows_->boxes.texts().isEmpty());
    }

  private:
    std::unique_ptr<NetworkWindows> windows_;
};

QTEST_MAIN(OptimiserTest)
#include "tst_optimiser.moc"
