// The network window: hand-over, table commands, Info, NP menu, entry row, strike-out, purge,
// scroll bars and the painting of its lines.
#include "GuiTestUtil.h"
#include "NetworkTestUtil.h"

#include "app/Menu.h"
#include "core/MoreSort.h"
#include "core/NumberText.h"
#include "core/Probability.h"
#include "core/TukEntry.h"
#include "more/Brisac.h"
#include "more/Fi.h"
#include "mreza/Info2.h"
#include "mreza/Mreza.h"
#include "mreza/NetworkPaint.h"

#include <QAction>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTest>

#include <algorithm>

using namespace kviro;
using namespace kviro::test;

namespace {

// X and rows at 1, 2 and 3 differences from it.
const char* const X = "1111111111111";
const char* const D1 = "2111111111111";
const char* const D1b = "1111111111110";
const char* const D2 = "2211111111111";
const char* const D2b = "1111111111100";
const char* const D3 = "2221111111111";
const char* const D3b = "0000000000000";

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

QString label(QLabel* l) {
    return l->text();
}

} // namespace

class NetworkTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        windows_ = std::make_unique<NetworkWindows>();
        boxes_ = &windows_->boxes;
    }
    void cleanup() { windows_.reset(); }

    void handOverSortsNumbersAndShares() {
        // Every 997th combination, in code order, some with NP; TUK holds something already.
        Table rows;
        for (std::size_t i = 0; i < Form1->MORE0.size(); i += 997)
            rows.push_back(Form1->MORE0[i]);
        rows[3]->np = 4;
        Form1->TUK.push_back(rows[5]);
        Form1->show();
        handOver(rows);

        QVERIFY(MrezaForm->isVisible());
        QVERIFY(Form1->isHidden());
        const Table& net = Form1->MREZA;
        QCOMPARE(net.size(), rows.size());
        QVERIFY(Form1->MREZA0 == net);
        QVERIFY(Form1->MORE == net); // the very rows, in MANA order
        QVERIFY(Form1->TUK.empty());
        for (std::size_t i = 0; i < net.size(); ++i) {
            QCOMPARE(net[i]->ordinal, static_cast<std::int32_t>(i + 1));
            if (i > 0) QVERIFY(net[i - 1]->mana >= net[i]->mana);
        }
        QCOMPARE(Form1->topRow, 0);
        QCOMPARE(label(MrezaForm->MREZANum), QString::number(rows.size()));
        double sum = 0;
        for (const Combination* r : rows)
            sum += r->mana;
        QCOMPARE(label(MrezaForm->MANUNum), QString::fromStdString(formatFixed(sum, 7, 2)));
        QCOMPARE(MrezaForm->mrezaTopRow(), 0);
        QCOMPARE(MrezaForm->MREZAShow->count(), 6);

        // Right after the hand-over: all of the network, none of TUK.
        QVERIFY(Form8->isVisible());
        QCOMPARE(label(Form8->Label5), QString::number(rows.size()));
        QCOMPARE(label(Form8->Label6), QStringLiteral("100.00 %"));
        QCOMPARE(label(Form8->Label10), QStringLiteral("100.00"));
        QCOMPARE(label(Form8->Label7), QStringLiteral("0"));
        QCOMPARE(label(Form8->Label8), QStringLiteral("0.00 %"));
        QCOMPARE(label(Form8->Label12), QStringLiteral("0.00"));

        // Shared records: an NP raised in the network shows in MORE and TUK.
        QTest::mouseClick(MrezaForm->SpeedButton2, Qt::LeftButton); // "TUK = MREŽA"
        QVERIFY(Form1->TUK == net);
        QVERIFY(selectNetworkRow(signText(*rows[3])));
        const int line = MrezaForm->MREZAShow->currentRow();
        MrezaForm->PoveajNPza11->trigger();
        QCOMPARE(rows[3]->np, std::int8_t(5));
        QCOMPARE(MrezaForm->MREZAShow->currentRow(), line); // the same line stays selected
        QVERIFY(std::find(Form1->TUK.begin(), Form1->TUK.end(), rows[3]) != Form1->TUK.end());
        QVERIFY(std::find(Form1->MORE.begin(), Form1->MORE.end(), rows[3]) != Form1->MORE.end());

        // A second hand-over would empty a TUK never written to a file: it asks first, and
        // No keeps TUK and the network as they are.
        Form1->show();
        boxes_->clear();
        boxes_->setAnswer(QMessageBox::No);
        handOver(rows);
        QVERIFY(Form1->TUK == net);
        QCOMPARE(boxes_->texts().size(), 1);
        QVERIFY(boxes_->texts().first().contains(QStringLiteral("obrisati podatke u TUK")));
        boxes_->setAnswer(QMessageBox::Yes);
        handOver(rows);
        QVERIFY(Form1->TUK.empty());
        QCOMPARE(boxes_->texts().size(), 2);
        // An empty TUK has nothing to lose: no question.
        handOver(rows);
        QCOMPARE(boxes_->texts().size(), 2);
    }

    void handOverOfTheWholeTableSumsInDouble() {
        QElapsedTimer clock;
        clock.start();
        handOver(Form1->MORE0); // MORE in code order: the sort has all to do
        qInfo("hand-over of the whole table, sort included: %lld ms", clock.elapsed());
        // A 32-bit running sum drifts by hundreds over 1,594,323 rows; the figures must not.
        long double exact = 0;
        for (const Combination* r : Form1->MORE0)
            exact += r->mana;
        const QString expected =
            QString::fromStdString(formatFixed(static_cast<double>(exact), 7, 2));
        QCOMPARE(label(MrezaForm->MANUNum), expected);
        QCOMPARE(label(Form8->Label9), expected);
        QCOMPARE(label(Form8->Label10), QStringLiteral("100.00"));
        QVERIFY(MrezaForm->ScrollBar1->isVisible());
        QCOMPARE(MrezaForm->ScrollBar1->maximum(), kAllCombinations - 6);
    }

    void emptyHandOver() {
        handOver({});
        QCOMPARE(label(MrezaForm->MREZANum), QStringLiteral("0"));
        QCOMPARE(label(MrezaForm->MANUNum), QStringLiteral("0.00"));
        for (QPushButton* b : {MrezaForm->SpeedButton2, MrezaForm->SpeedButton3,
                               MrezaForm->SpeedButton4, MrezaForm->BitBtn1, MrezaForm->ToPOT})
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        QVERIFY(MrezaForm->ScrollBar1->isHidden());
        QCOMPARE(MrezaForm->MREZAShow->count(), 0);
        QCOMPARE(label(Form8->Label6), QStringLiteral("0.00 %"));
        QCOMPARE(label(Form8->Label8), QStringLiteral("0.00 %"));
        QCOMPARE(label(Form8->Label10), QStringLiteral("0.00")); // MANUNum is 0
        QCOMPARE(label(Form8->Label12), QStringLiteral("0.00"));
        // Commands without a selected line do nothing.
        MrezaForm->BitBtn4Click();
        MrezaForm->PoveajNPza11Click();
        QVERIFY(boxes_->texts().isEmpty());
    }

    void infoPercentages() {
        Table rows = Form1->MORE0;
        sortByMana(rows);
        rows.resize(20);
        handOver(rows);
        Form1->MREZA.resize(9);
        Form1->TUK.assign(rows.begin(), rows.begin() + 3);
        QTest::mouseClick(Form8->BitBtn1, Qt::LeftButton); // "Refresh"
        QCOMPARE(label(Form8->Label5), QStringLiteral("9"));
        QCOMPARE(label(Form8->Label6), QStringLiteral("45.00 %"));
        QCOMPARE(label(Form8->Label7), QStringLiteral("3"));
        QCOMPARE(label(Form8->Label8), QStringLiteral("15.00 %"));
        const double manu = label(MrezaForm->MANUNum).toDouble();
        double netSum = 0, tukSum = 0;
        for (std::size_t i = 0; i < 9; ++i)
            netSum += Form1->MREZA[i]->mana;
        for (const Combination* r : Form1->TUK)
            tukSum += r->mana;
        QCOMPARE(label(Form8->Label9), QString::number(netSum, 'f', 2));
        QCOMPARE(label(Form8->Label10), QString::number(netSum * 100 / manu, 'f', 2));
        QCOMPARE(label(Form8->Label12), QString::number(tukSum * 100 / manu, 'f', 2));
        // "Info" toggles the window.
        QTest::mouseClick(MrezaForm->BitBtn9, Qt::LeftButton);
        QVERIFY(Form8->isHidden());
        QTest::mouseClick(MrezaForm->BitBtn9, Qt::LeftButton);
        QVERIFY(Form8->isVisible());
    }

    void strikeOut_data() {
        QTest::addColumn<int>("source");
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<QStringList>("markedNp1");
        // Typed in or taken from the network: 12 and 13 hits leave, 11 hits stay with NP 1.
        QTest::newRow("typed") << 0 << QStringList{D2, D2b, D3, D3b} << QStringList{D2, D2b};
        QTest::newRow("from network")
            << -1 << QStringList{D2, D2b, D3, D3b} << QStringList{D2, D2b};
        QTest::newRow("from POTA12") << 2 << QStringList{D2, D2b, D3, D3b} << QStringList{D2, D2b};
        // From POT11: 11 hits and more leave, NP untouched.
        QTest::newRow("from POT11") << 1 << QStringList{D3, D3b} << QStringList{};
    }
    void strikeOut() {
        QFETCH(int, source);
        QFETCH(QStringList, kept);
        QFETCH(QStringList, markedNp1);
        const Table rows = recordsOf({D3b, D1, X, D2, D3, D1b, D2b});
        for (Combination* r : rows)
            r->np = 7;
        handOver(rows);
        if (source == -1) {
            QVERIFY(selectNetworkRow(X));
            QTest::mouseClick(MrezaForm->BitBtn1, Qt::LeftButton);
            QCOMPARE(MrezaForm->edit(1)->text(), QStringLiteral("1"));
        } else if (source > 0) {
            // Take any candidate of the list, then type X over it.
            QVERIFY(selectNetworkRow(D3b));
            QTest::mouseClick(source == 2 ? MrezaForm->SpeedButton3 : MrezaForm->SpeedButton4,
                              Qt::LeftButton);
            QVERIFY(selectNetworkRow(D3b));
            QTest::mouseClick(MrezaForm->ToPOT, Qt::LeftButton);
            QTRY_VERIFY(!MrezaForm->running());
            QListWidget* list = source == 2 ? MrezaForm->POTA12Show : MrezaForm->POT11Show;
            list->setCurrentRow(4);
            QTest::mouseClick(source == 2 ? MrezaForm->BitBtn6 : MrezaForm->BitBtn7,
                              Qt::LeftButton);
        }
        if (source != -1) typeEntry(X);
        QTest::mouseClick(MrezaForm->BitBtn5, Qt::LeftButton);
        QCOMPARE(Form1->TUK.size(), std::size_t(1));
        QCOMPARE(Form1->TUK[0]->tukSource, static_cast<std::int8_t>(std::max(source, 0)));
        QCOMPARE(Form1->TUK[0]->mana, manaOf(codeOfText(X), Form1->probability));
        QCOMPARE(MrezaForm->TUKShow->currentRow(), 0);

        QTest::mouseClick(MrezaForm->BitBtn4, Qt::LeftButton); // "OK"
        std::vector<std::string> expectKept;
        for (const QString& s : kept)
            expectKept.push_back(s.toStdString());
        QCOMPARE(sorted(signsOf(Form1->MREZA)), sorted(expectKept));
        // MREZA keeps its order.
        for (std::size_t i = 1; i < Form1->MREZA.size(); ++i)
            QVERIFY(Form1->MREZA[i - 1]->ordinal < Form1->MREZA[i]->ordinal);
        for (const Combination* r : rows) {
            const bool marked = markedNp1.contains(QString::fromStdString(signText(*r)));
            const int expectNp = source == 1 ? 7 : marked ? 1 : 0;
            QCOMPARE(static_cast<int>(r->np), expectNp);
        }
        QCOMPARE(MrezaForm->mrezaTopRow(), 0);
        QVERIFY(Form8->isVisible());
        QCOMPARE(label(Form8->Label5), QString::number(kept.size()));

        // "MREŽA = MREŽA0": No changes nothing; Yes brings every row back in hand-over order.
        boxes_->setAnswer(QMessageBox::No);
        QTest::mouseClick(MrezaForm->SpeedButton6, Qt::LeftButton);
        QCOMPARE(Form1->MREZA.size(), std::size_t(kept.size()));
        boxes_->setAnswer(QMessageBox::Yes);
        QTest::mouseClick(MrezaForm->SpeedButton6, Qt::LeftButton);
        QCOMPARE(boxes_->texts().last(),
                 QStringLiteral("Jeste li sigurni da želite prekopirati MREŽA0 u MREŽA ?"));
        QVERIFY(Form1->MREZA == Form1->MREZA0);
        QCOMPARE(Form1->TUK.size(), std::size_t(1));
    }

    void strikeFarFromEveryRowClearsNp() {
        const Table rows = recordsOf({D3, D3b});
        for (Combination* r : rows)
            r->np = 3;
        handOver(rows);
        typeEntry("0101010101010");
        QTest::mouseClick(MrezaForm->BitBtn5, Qt::LeftButton);
        MrezaForm->TUKShow->setCurrentRow(0);
        QTest::mouseClick(MrezaForm->BitBtn4, Qt::LeftButton);
        QCOMPARE(Form1->MREZA.size(), std::size_t(2));
        QCOMPARE(rows[0]->np, std::int8_t(0));
        QCOMPARE(rows[1]->np, std::int8_t(0));
    }

    void purgeAfterDvanaesterac() {
        const Table rows = recordsOf({X, D1, D2, D2b, D3, D3b});
        handOver(rows);
        typeEntry(X);
        QTest::mouseClick(MrezaForm->BitBtn5, Qt::LeftButton);
        MrezaForm->TUKShow->setCurrentRow(0);
        QTest::mouseClick(MrezaForm->BitBtn4, Qt::LeftButton);
        QCOMPARE(sorted(signsOf(Form1->MREZA)), sorted({D2, D2b, D3, D3b}));
        recordOf(D3b)->np = -2; // any NP other than 0 goes too
        // "Jedanaesterac" alone purges nothing.
        QTest::mouseClick(MrezaForm->SpeedButton4, Qt::LeftButton);
        QCOMPARE(Form1->MREZA.size(), std::size_t(4));
        QVERIFY(MrezaForm->PageControl1->isVisible());
        QCOMPARE(MrezaForm->PageControl1->currentWidget(), MrezaForm->Tab11);
        QCOMPARE(MrezaForm->ToPOT->text(), QStringLiteral("11"));
        // After "Dvanaesterac" it purges once.
        QTest::mouseClick(MrezaForm->SpeedButton3, Qt::LeftButton);
        QVERIFY(MrezaForm->pota12Pending);
        QCOMPARE(MrezaForm->PageControl1->currentWidget(), MrezaForm->Tab12);
        QCOMPARE(MrezaForm->ToPOT->text(), QStringLiteral("12"));
        QTest::mouseClick(MrezaForm->SpeedButton4, Qt::LeftButton);
        QCOMPARE(signsOf(Form1->MREZA), std::vector<std::string>{D3});
        QVERIFY(!MrezaForm->pota12Pending);
        recordOf(D3)->np = 1;
        QTest::mouseClick(MrezaForm->SpeedButton4, Qt::LeftButton);
        QCOMPARE(Form1->MREZA.size(), std::size_t(1));
    }

    void entryRow_data() {
        QTest::addColumn<QString>("signs");
        QTest::addColumn<QString>("message");
        QTest::newRow("digit 3") << "1111131111111" << QString::fromUtf8(kEntrySignMessage);
        QTest::newRow("digit 9") << "9111111111111" << QString::fromUtf8(kEntrySignMessage);
        QTest::newRow("letter") << "11111111111x1"
                                << QStringLiteral("'x' nije ispravan cijeli broj.");
        QTest::newRow("blank") << "1111111 11111"
                               << QStringLiteral("' ' nije ispravan cijeli broj.");
        QTest::newRow("already in TUK")
            << QString::fromStdString(D1)
            << QStringLiteral("TUK već sadrži kombinaciju koju želite dodati !");
    }
    void entryRow() {
        QFETCH(QString, signs);
        QFETCH(QString, message);
        handOver(recordsOf({X, D1}));
        typeEntry(D1);
        QTest::mouseClick(MrezaForm->BitBtn5, Qt::LeftButton);
        QCOMPARE(Form1->TUK.size(), std::size_t(1));
        boxes_->clear();
        typeEntry(signs.toStdString());
        QTest::mouseClick(MrezaForm->BitBtn5, Qt::LeftButton);
        QCOMPARE(boxes_->texts(), QStringList{message});
        QCOMPARE(Form1->TUK.size(), std::size_t(1));
        // A new one goes to the top, selected.
        typeEntry(X);
        QTest::mouseClick(MrezaForm->BitBtn5, Qt::LeftButton);
        QCOMPARE(signsOf(Form1->TUK), (std::vector<std::string>{X, D1}));
        QCOMPARE(MrezaForm->TUKShow->currentRow(), 0);
        QVERIFY(MrezaForm->BitBtn4->isEnabled());
    }

    void enterMovesThroughTheEntryRow() {
        handOver(recordsOf({X}));
        QApplication::setActiveWindow(MrezaForm);
        MrezaForm->edit(1)->setFocus();
        for (int m = 1; m < kMatches; ++m) {
            QTest::keyClick(MrezaForm->edit(m), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(MrezaForm->edit(m + 1)));
        }
        QTest::keyClick(MrezaForm->edit(13), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(MrezaForm->edit(13)));
    }

    void npMenu() {
        const Table rows = recordsOf({X, D1, D2, D3});
        rows[0]->np = 5;
        rows[1]->np = 1;
        rows[2]->np = 127;
        rows[3]->np = -3;
        handOver(rows);
        struct Step {
            std::string signs;
            QAction* action;
            int np;
        };
        const Step steps[] = {{X, MrezaForm->SmanjiNPza11, 4},    {D1, MrezaForm->SmanjiNPza11, 0},
                              {D1, MrezaForm->SmanjiNPza11, 0},   {D3, MrezaForm->SmanjiNPza11, 0},
                              {D2, MrezaForm->PoveajNPza11, 127}, {D1, MrezaForm->PoveajNPza11, 1}};
        for (const Step& s : steps) {
            QVERIFY(selectNetworkRow(s.signs));
            s.action->trigger();
            QCOMPARE(static_cast<int>(recordOf(s.signs)->np), s.np);
        }
        // Without a selected line the step commands do nothing.
        MrezaForm->MREZAShow->clearSelection();
        MrezaForm->PoveajNPza11->trigger();
        QCOMPARE(static_cast<int>(recordOf(X)->np), 4);

        // Purge "NP > X" through its dialog: X = 1 keeps NP 0 and 1.
        whenShown(Form11, [] {
            Form11->Edit1->setText(QStringLiteral("1"));
            QTest::mouseClick(Form11->Button1, Qt::LeftButton);
        });
        MrezaForm->PostaviNPnaodreenuvrijednost1->trigger();
        QCOMPARE(boxes_->texts().last(),
                 QStringLiteral("Jeste li sigurni da želite obrisati sve kombinacije sa NP >1"));
        QCOMPARE(sorted(signsOf(Form1->MREZA)), sorted({D1, D3}));
        // A text that is no integer purges nothing (the dialog closes as Cancel).
        whenShown(Form11, [] {
            Form11->Edit1->setText(QStringLiteral("1x"));
            QTest::mouseClick(Form11->Button1, Qt::LeftButton);
        });
        MrezaForm->PostaviNPnaodreenuvrijednost1->trigger();
        QCOMPARE(Form1->MREZA.size(), std::size_t(2));
        QCOMPARE(Form11->Edit1->text(), QStringLiteral("1x")); // kept for the next use

        MrezaForm->ResetirajsveNPna01->trigger();
        QCOMPARE(recordOf(D1)->np, std::int8_t(0));
        QCOMPARE(recordOf(X)->np, std::int8_t(4)); // not in MREZA any more
    }

    void headerSorts() {
        const Table rows = recordsOf({D3b, X, D1, D2, "2222222222222", "1110000000000"});
        rows[0]->np = 3;
        rows[5]->np = -1;
        handOver(rows);
        auto click = [](int section) {
            QHeaderView* h = MrezaForm->HeaderControl1;
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                              QPoint(h->sectionViewportPosition(section) + 5, h->height() / 2));
        };
        const Table byMana = Form1->MREZA;
        click(4); // NP
        QCOMPARE(Form1->MREZA.front(), rows[0]);
        QCOMPARE(Form1->MREZA.back(), rows[5]);
        click(2); // TIP: most "1", then most "0", then MANA
        QCOMPARE(signsOf(Form1->MREZA),
                 (std::vector<std::string>{X, D1, D2, "1110000000000", D3b, "2222222222222"}));
        const Table tip = Form1->MREZA;
        click(0);
        click(1);
        QVERIFY(Form1->MREZA == tip);
        click(3);
        for (std::size_t i = 1; i < Form1->MREZA.size(); ++i)
            QVERIFY(Form1->MREZA[i - 1]->mana >= Form1->MREZA[i]->mana);
        QVERIFY(Form1->MREZA0 == byMana); // the hand-over order stays in MREZA0
        QVERIFY(Form1->MORE == byMana);   // sorting MREZA leaves MORE alone
    }

    void scrollBars_data() {
        QTest::addColumn<int>("rows");
        QTest::newRow("0") << 0;
        QTest::newRow("1") << 1;
        QTest::newRow("6") << 6;
        QTest::newRow("7") << 7;
        QTest::newRow("8") << 8;
        QTest::newRow("9") << 9;
        QTest::newRow("many") << 5000;
    }
    void scrollBars() {
        QFETCH(int, rows);
        Table t(Form1->MORE0.begin(), Form1->MORE0.begin() + rows);
        handOver(t);
        QTest::mouseClick(MrezaForm->SpeedButton2, Qt::LeftButton); // TUK = MREŽA
        struct View {
            QListWidget* list;
            QScrollBar* bar;
            int page;
            std::function<int()> top;
        };
        const View views[] = {
            {MrezaForm->MREZAShow, MrezaForm->ScrollBar1, 6,
             [] { return MrezaForm->mrezaTopRow(); }},
            {MrezaForm->TUKShow, MrezaForm->ScrollBar2, 8, [] { return MrezaForm->tukTopRow(); }}};
        for (const View& v : views) {
            QCOMPARE(v.bar->isVisible(), rows > 0);
            QCOMPARE(v.list->count(), std::min(rows, v.page));
            QCOMPARE(v.bar->minimum(), 0);
            QCOMPARE(v.bar->maximum(), std::max(rows - v.page, 0));
            // Down to the end: the last page ends with the last row.
            v.bar->setValue(v.bar->maximum());
            QCOMPARE(v.top(), std::max(rows - v.page, 0));
            QCOMPARE(v.list->count(), std::min(rows, v.page));
            v.bar->setValue(0);
            QCOMPARE(v.top(), 0);
        }
        // The network list paints only its page, whatever the table's size.
        if (rows > 0) {
            MrezaForm->ScrollBar1->setValue(MrezaForm->ScrollBar1->maximum());
            const int lastLine = MrezaForm->MREZAShow->count() - 1;
            QCOMPARE(MrezaForm->mrezaTopRow() + lastLine, rows - 1);
        }
    }

    void returnAndClearTuk() {
        handOver(recordsOf({X, D1}));
        QTest::mouseClick(MrezaForm->SpeedButton2, Qt::LeftButton);
        boxes_->setAnswer(QMessageBox::No);
        QTest::mouseClick(MrezaForm->SpeedButton7, Qt::LeftButton);
        QCOMPARE(Form1->TUK.size(), std::size_t(2));
        boxes_->setAnswer(QMessageBox::Yes);
        QTest::mouseClick(MrezaForm->SpeedButton7, Qt::LeftButton);
        QCOMPARE(boxes_->texts().last(),
                 QStringLiteral("Jeste li sigurni da želite obrisati podatke u TUK ? "
                                "Ako niste prije ih iskopirajte na disk !"));
        QVERIFY(Form1->TUK.empty());
        QVERIFY(MrezaForm->ScrollBar2->isHidden());
        for (QPushButton* b :
             {MrezaForm->SpeedButton1, MrezaForm->SpeedButton5, MrezaForm->BitBtn4})
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        QCOMPARE(Form1->MREZA.size(), std::size_t(2));

        QTest::mouseClick(MrezaForm->SpeedButton8, Qt::LeftButton); // "Povratak"
        QVERIFY(MrezaForm->isHidden());
        QVERIFY(Form8->isHidden());
        QVERIFY(Form1->isVisible());
    }

    void paintsCellsAndSelection() {
        const Combination& rec = *recordOf(X);
        const ui::NetworkCells cells = ui::NetworkCells::measure();
        for (bool selected : {false, true}) {
            QImage img(cells.total() + 20, 15, QImage::Format_RGB32);
            img.fill(Qt::magenta);
            QPainter p(&img);
            ui::paintNetworkLine(&p, img.rect(), rec, selected, '.');
            p.end();
            QCOMPARE(img.pixelColor(1, 1), QColor(192, 192, 192));            // "##" on silver
            QCOMPARE(img.pixelColor(cells.number - 1, 7), QColor(Qt::black)); // its right edge
            const QColor signs = img.pixelColor(cells.number + 1, 1);
            QCOMPARE(signs, selected ? QColor(Qt::white) : QColor(0, 128, 128));
            const QColor rest = img.pixelColor(cells.total() + 10, 1);
            QCOMPARE(rest, selected ? QColor(0, 0, 255) : QColor(Qt::white));
            // The signs are drawn: the combination cell holds more than its background.
            bool ink = false;
            for (int x = cells.number; x < cells.number + cells.combination - 1 && !ink; ++x)
                for (int y = 0; y < 15 && !ink; ++y)
                    ink = img.pixelColor(x, y) != signs;
            QVERIFY(ink);
        }
    }

  private:
    std::unique_ptr<NetworkWindows> windows_;
    MessageBoxWatcher* boxes_ = nullptr;
};

QTEST_MAIN(NetworkTest)
#include "tst_network.moc"
