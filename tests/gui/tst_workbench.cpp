// The MORE workbench: the paged view, statistics, find, sorting and NP, limits, comb, .MOR files,
// reset and deletion, driven through the windows' controls.
#include "GuiTestUtil.h"

#include "app/Menu.h"
#include "core/MoreSort.h"
#include "core/NumberText.h"
#include "more/BusyAnimation.h"
#include "more/Cesljaj.h"
#include "more/Fi.h"
#include "more/Infic.h"
#include "more/Limiti.h"
#include "more/MoreRowPainter.h"
#include "more/Unosnik.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>

using namespace kviro;
using namespace kviro::test;

namespace {

// Answers the NP entry dialog, whenever it is shown, with `text` and its button.
class NpEntryAnswer {
public:
    explicit NpEntryAnswer(const QString& text) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this, text] {
            if (!Form9->isVisible()) return;
            ++shown_;
            Form9->Edit1->setText(text);
            QTest::mouseClick(Form9->Button1, Qt::LeftButton);
        });
        timer_.start();
    }
    int shown() const { return shown_; }

private:
    QTimer timer_;
    int shown_ = 0;
};

QString infoText(QLabel* TInfoBox::*label) {
    return (InfoBox->*label)->text();
}

void mouseOverList(QEvent::Type type, Qt::MouseButton button, int line) {
    const QPointF at(40, line * 16 + 8);
    QMouseEvent e(type, at, Form1->MOREShow->viewport()->mapToGlobal(at), button,
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::MouseButtons(button),
                  Qt::NoModifier);
    QApplication::sendEvent(Form1->MOREShow->viewport(), &e);
}

// Selects list lines of the page and moves the mouse over the list, as a user would.
void selectLines(std::initializer_list<int> lines) {
    for (int line : lines)
        Form1->MOREShow->item(line)->setSelected(true);
    mouseOverList(QEvent::MouseMove, Qt::NoButton, 0);
}

void typeFind(const QString& signs) {
    for (int m = 1; m <= kMatches; ++m)
        Form1->Edit(m)->setText(signs.mid(m - 1, 1));
}

QString codeDigits(const Combination* rec) {
    return QString::fromStdString(signText(*rec));
}

// Paints list line `line` of the page into an image of one row.
QImage paintLine(int line, bool selected) {
    QImage img(386, 16, QImage::Format_RGB32);
    img.fill(Qt::green);
    QPainter p(&img);
    Form1->MOREShowDrawItem(&p, line, img.rect(), selected);
    return img;
}

bool saveFile(const QString& name) {
    Form1->Edit14->setText(name);
    QTest::mouseClick(Form1->BitBtn5, Qt::LeftButton);
    return QFile::exists(name + QStringLiteral(".MOR"));
}

void writeText(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class WorkbenchTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempSettings> store_;
    std::unique_ptr<MessageBoxWatcher> boxes_;
    std::unique_ptr<QTemporaryDir> dir_;

    // Windows up, generation done, and (unless `valued` is false) the generation command given.
    void start(bool valued = true) {
        dir_ = std::make_unique<QTemporaryDir>();
        store_ = std::make_unique<TempSettings>();
        boxes_ = std::make_unique<MessageBoxWatcher>(QMessageBox::Yes);
        createWindowsAndWait();
        Form1->show();
        if (valued) QTest::mouseClick(Form1->OziviMGumb, Qt::LeftButton);
    }
    QString path(const QString& name) const { return dir_->filePath(name); }

  private slots:
    void cleanup() {
        ui::setDialogRunner({});
        destroyWindows();
        boxes_.reset();
        store_.reset();
        dir_.reset();
    }

    void viewAfterGeneration() {
        start();
        QCOMPARE(Form1->MOREShow->count(), 25);
        QCOMPARE(Form1->MOREShow->item(0)->text(), QStringLiteral("1"));
        QCOMPARE(Form1->ScrollBar1->maximum(), kAllCombinations - 25);
        QCOMPARE(Form1->ScrollBar1->value(), 0);
        QVERIFY(InfoBox->isVisible());
        QCOMPARE(InfoBox->pos(), QPoint(105, 493));
        QVERIFY(!Form1->SpeedButton4->isEnabled());
        QVERIFY(Form1->Animate1->isHidden());
        QCOMPARE(Form1->HeaderControl1->count(), 5);
        // "Kombinacija" is as wide as the painted signs column (tst_looks checks every edge).
        const ui::MoreRowColumns columns = ui::moreRowColumns();
        QCOMPARE(Form1->HeaderControl1->sectionSize(1), columns.counts - columns.signs);
        QVERIFY(boxes_->texts().isEmpty());
    }

    // The statistics of a full, a narrowed and an empty table.
    void infoTexts_data() {
        QTest::addColumn<int>("keep");
        QTest::addColumn<QStringList>("labels"); // Label5 ... Label12
        QTest::newRow("full") << kAllCombinations
                              << QStringList{"1594323",     "100.0%", "0", "0",
                                             "1594323.000", "100.0%", "0", "0%"};
        // Without the last row (all "2", MANA 2.0249178); the deleted MANA is checked below.
        QTest::newRow("one deleted")
            << kAllCombinations - 1
            << QStringList{"1594322", "100.0%", "1", "0.0%", "1594321.000", "100.0%", "", "0.0%"};
        QTest::newRow("empty") << 0 << QStringList{"0",     "0.0%", "1594323",     "100.0%",
                                                   "0.000", "0.0%", "1594323.000", "100.0%"};
    }
    void infoTexts() {
        QFETCH(int, keep);
        QFETCH(QStringList, labels);
        start();
        Form1->MORE.resize(static_cast<std::size_t>(keep));
        QTest::mouseClick(InfoBox->BitBtn1, Qt::LeftButton); // "Refresh"
        QLabel* TInfoBox::*cells[] = {&TInfoBox::Label5,  &TInfoBox::Label6, &TInfoBox::Label7,
                                      &TInfoBox::Label8,  &TInfoBox::Label9, &TInfoBox::Label10,
                                      &TInfoBox::Label11, &TInfoBox::Label12};
        for (int i = 0; i < 8; ++i)
            if (!labels[i].isEmpty()) QCOMPARE(infoText(cells[i]), labels[i]);
        if (keep == kAllCombinations - 1) {
            // The sum of the live MANA is exact enough that the deleted MANA is the deleted
            // row's own (give or take the rounding of the stored values), not hundreds off.
            const double deleted = InfoBox->Label11->text().toDouble();
            QVERIFY2(std::fabs(deleted - 2.0249178) < 0.05, qPrintable(InfoBox->Label11->text()));
        }
    }

    void infoButtonToggles() {
        start();
        QVERIFY(InfoBox->isVisible());
        QTest::mouseClick(Form1->BitBtn3, Qt::LeftButton);
        QVERIFY(InfoBox->isHidden());
        Form1->MORE.resize(10);
        QTest::mouseClick(Form1->BitBtn3, Qt::LeftButton);
        QVERIFY(InfoBox->isVisible());
        QCOMPARE(InfoBox->Label5->text(), QStringLiteral("10"));
        QTest::mouseClick(Form1->SpeedButton3, Qt::LeftButton); // "Glavni izbornik"
        QVERIFY(InfoBox->isHidden() && Form1->isHidden() && Form2->isVisible());
    }

    void shortTableShowsBlankRows_data() {
        QTest::addColumn<int>("rows");
        QTest::newRow("ten") << 10;
        QTest::newRow("empty") << 0;
    }
    void shortTableShowsBlankRows() {
        QFETCH(int, rows);
        start();
        Form1->MORE.resize(static_cast<std::size_t>(rows));
        Form1->topRow = 0;
        Form1->ShowMORE();
        QCOMPARE(Form1->MOREShow->count(), 25);
        QCOMPARE(Form1->ScrollBar1->maximum(), 0);
        Form1->ScrollBar1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(Form1->topRow, 0);
        for (int line : {0, 9, 10, 24}) {
            const QImage img = paintLine(line, false);
            const bool painted = img.pixelColor(1, 8) == ui::kMoreSilver;
            QCOMPARE(painted, line < rows);
            if (!painted) QCOMPARE(img.pixelColor(1, 8), QColor(Qt::green));
        }
    }

    void scrolling() {
        start();
        QScrollBar* bar = Form1->ScrollBar1;
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(Form1->topRow, 25);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(Form1->topRow, 125);
        QCOMPARE(Form1->MOREShow->item(0)->text(), QStringLiteral("126"));
        bar->setValue(bar->maximum());
        QCOMPARE(Form1->topRow, kAllCombinations - 25);
        // The last line of the last page is the last row of MORE.
        QVERIFY(Form1->page().rowAt(24) == kAllCombinations - 1);
        QCOMPARE(paintLine(24, false).pixelColor(1, 8), ui::kMoreSilver);
    }

    void scrollingClearsTheSelection() {
        start();
        selectLines({1, 4});
        QVERIFY(Form1->SpeedButton4->isEnabled());
        // The right button (the pop-up menu) leaves the selection alone.
        mouseOverList(QEvent::MouseButtonPress, Qt::RightButton, 8);
        mouseOverList(QEvent::MouseButtonRelease, Qt::RightButton, 8);
        QCOMPARE(Form1->selectedRows(), (std::vector<int>{1, 4}));
        Form1->ScrollBar1->setValue(50);
        QCOMPARE(Form1->topRow, 50);
        QVERIFY(Form1->MOREShow->selectedItems().isEmpty());
        QVERIFY(Form1->selectedRows().empty());
        // The delete button follows at the next mouse move over the list.
        QVERIFY(Form1->SpeedButton4->isEnabled());
        mouseOverList(QEvent::MouseMove, Qt::NoButton, 3);
        QVERIFY(!Form1->SpeedButton4->isEnabled());
    }

    void rowPainting() {
        start();
        Form1->MORE[0]->np = -7;
        for (bool selected : {false, true}) {
            const QImage img = paintLine(0, selected);
            const ui::MoreRowColumns c = ui::moreRowColumns();
            // Number column silver; signs on teal (white when selected); the rest white or blue.
            QCOMPARE(img.pixelColor(c.number + 1, 1), ui::kMoreSilver);
            QCOMPARE(img.pixelColor(c.signs + 1, 1), selected ? QColor(Qt::white) : ui::kMoreTeal);
            QCOMPARE(img.pixelColor(c.counts + 2, 1), selected ? ui::kMoreBlue : QColor(Qt::white));
            QCOMPARE(img.pixelColor(c.end + 3, 1), selected ? ui::kMoreBlue : QColor(Qt::white));
            // Black lines at the column edges.
            for (int x : {c.counts, c.mana, c.np, c.end})
                QCOMPARE(img.pixelColor(x, 8), QColor(Qt::black));
            // Some text in the NP column (the minus and the 7).
            int ink = 0;
            const QColor back = selected ? ui::kMoreBlue : QColor(Qt::white);
            for (int x = c.np + 1; x < c.end; ++x)
                for (int y = 0; y < 16; ++y)
                    ink += img.pixelColor(x, y) != back;
            QVERIFY(ink > 5);
        }
    }

    void find_data() {
        QTest::addColumn<QString>("signs");
        QTest::addColumn<QString>("message"); // part of the message shown, or empty for none
        QTest::newRow("found") << ""
                               << "";
        QTest::newRow("digit 3") << "2210300211002"
                                 << "Utakmica 5: znak \"3\" ne postoji";
        QTest::newRow("letter") << "22100x0211002"
                                << "'x' nije ispravan cijeli broj";
        QTest::newRow("empty field") << "221002021100"
                                     << "'' nije ispravan cijeli broj";
    }
    void find() {
        QFETCH(QString, signs);
        QFETCH(QString, message);
        start();
        QTest::mouseClick(Form1->BitBtn2, Qt::LeftButton); // sorted by TIP
        Form1->ScrollBar1->setValue(300);
        const std::size_t at = 777777;
        if (signs.isEmpty()) signs = codeDigits(Form1->MORE[at]);
        typeFind(signs);
        QTest::mouseClick(Form1->Button2, Qt::LeftButton);
        if (message.isEmpty()) {
            QCOMPARE(Form1->topRow, int(at));
            QCOMPARE(Form1->MOREShow->item(0)->text(), QString::number(at + 1));
            QVERIFY(boxes_->texts().isEmpty());
        } else {
            QCOMPARE(Form1->topRow, 300);
            QCOMPARE(boxes_->texts().size(), 1);
            QVERIFY2(boxes_->texts().first().contains(message),
                     qPrintable(boxes_->texts().first()));
        }
        QVERIFY(Form1->Animate1->isHidden());
    }

    void findOfARemovedRowSaysSoAndChangesNothing() {
        start();
        const QString signs = codeDigits(Form1->MORE[5000]);
        Form1->MORE.erase(Form1->MORE.begin() + 5000);
        Form1->ScrollBar1->setValue(75);
        typeFind(signs);
        QTest::mouseClick(Form1->Button2, Qt::LeftButton);
        QCOMPARE(Form1->topRow, 75);
        QCOMPARE(boxes_->texts(),
                 QStringList{QStringLiteral("Tražena kombinacija nije u tablici MORE.")});
    }

    void wheelOverTheListScrolls() {
        start();
        Form1->ScrollBar1->setValue(100);
        QWidget* viewport = Form1->MOREShow->viewport();
        const QPointF at(40, 40);
        auto wheel = [&](int delta) {
            QWheelEvent e(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(viewport, &e);
        };
        wheel(-120); // one notch towards the user: three rows on
        QCOMPARE(Form1->topRow, 103);
        QCOMPARE(Form1->MOREShow->item(0)->text(), QStringLiteral("104"));
        wheel(2 * 120);
        QCOMPARE(Form1->topRow, 97);
        wheel(60); // half a notch waits for the other half
        QCOMPARE(Form1->topRow, 97);
        wheel(60);
        QCOMPARE(Form1->topRow, 94);
    }

    void enterMovesThroughTheSearchRow() {
        start();
        QApplication::setActiveWindow(Form1);
        Form1->Edit(1)->setFocus();
        for (int m = 1; m <= kMatches; ++m) {
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form1->Edit(m)));
            QTest::keyClick(Form1->Edit(m), Qt::Key_Return);
        }
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form1->Button2));
        QTest::keyClicks(Form1->Edit(1), QStringLiteral("12"));
        QCOMPARE(Form1->Edit(1)->text().size(), 1);
    }

    void sorts_data() {
        QTest::addColumn<int>("order"); // 0 MANA, 1 TIP, 2 NP
        QTest::addColumn<bool>("shortcut");
        QTest::newRow("MANA button") << 0 << false;
        QTest::newRow("TIP button") << 1 << false;
        QTest::newRow("NP button") << 2 << false;
        QTest::newRow("MANA Ctrl+Alt+M") << 0 << true;
        QTest::newRow("TIP Ctrl+Alt+T") << 1 << true;
        QTest::newRow("NP Ctrl+Alt+P") << 2 << true;
    }
    void sorts() {
        QFETCH(int, order);
        QFETCH(bool, shortcut);
        start();
        Form1->MORE[100]->np = 5;
        Form1->MORE[200]->np = -3;
        Form1->ScrollBar1->setValue(400);
        QPushButton* buttons[] = {Form1->BitBtn1, Form1->BitBtn2, Form1->BitBtn4};
        const Qt::Key keys[] = {Qt::Key_M, Qt::Key_T, Qt::Key_P};
        if (shortcut) {
            QApplication::setActiveWindow(Form1);
            QVERIFY(QTest::qWaitForWindowActive(Form1));
            QTest::keyClick(Form1, keys[order], Qt::ControlModifier | Qt::AltModifier);
        } else {
            QTest::mouseClick(buttons[order], Qt::LeftButton);
        }
        bool (*const orders[])(const Combination*, const Combination*) = {manaOrder, tipOrder,
                                                                          npOrder};
        QVERIFY(std::is_sorted(Form1->MORE.begin(), Form1->MORE.end(), orders[order]));
        QCOMPARE(Form1->topRow, 0);
        QCOMPARE(Form1->ScrollBar1->value(), 0);
        QVERIFY(Form1->Animate1->isHidden());
        if (order == 2) QCOMPARE(Form1->MORE.front()->np, std::int8_t(5));
        if (order == 1) QCOMPARE(Form1->MORE.front()->count1, std::int8_t(13));
    }

    void sortShortcutsWaitForTheButtons() {
        start(false);
        QApplication::setActiveWindow(Form1);
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        const Combination* first = Form1->MORE.front();
        QTest::keyClick(Form1, Qt::Key_T, Qt::ControlModifier | Qt::AltModifier);
        Form1->SortirajpoMANA1->trigger();
        QCOMPARE(Form1->MORE.front(), first);
        QVERIFY(!Form1->BitBtn1->isEnabled());
    }

    void npCommands() {
        start();
        Form1->ScrollBar1->setValue(50);
        Combination* a = Form1->MORE[52];
        Combination* b = Form1->MORE[55];
        Combination* other = Form1->MORE[53];
        // Nothing selected: nothing happens and the dialog is not shown.
        NpEntryAnswer answer(QStringLiteral("300"));
        Form1->PostaviNPnaodreenuvrijednost1->trigger();
        Form1->PoveajNPza11->trigger();
        QCOMPARE(answer.shown(), 0);
        QCOMPARE(a->np, std::int8_t(0));

        selectLines({2, 5});
        Form1->PoveajNPza11->trigger();
        QCOMPARE(a->np, std::int8_t(1));
        QCOMPARE(b->np, std::int8_t(1));
        QCOMPARE(other->np, std::int8_t(0));
        QCOMPARE(Form1->topRow, 50); // rebuilt at the same first row, selection gone
        QVERIFY(Form1->MOREShow->selectedItems().isEmpty());

        selectLines({2});
        Form1->SmanjiNPza11->trigger();
        QCOMPARE(a->np, std::int8_t(0));
        selectLines({2});
        Form1->SmanjiNPza11->trigger();
        QCOMPARE(a->np, std::int8_t(0)); // not below 0

        selectLines({2, 5});
        Form1->PostaviNPnaodreenuvrijednost1->trigger(); // answered with 300
        QCOMPARE(answer.shown(), 1);
        QCOMPARE(a->np, std::int8_t(44));
        QCOMPARE(b->np, std::int8_t(44));
        QCOMPARE(Form9->Edit1->text(), QStringLiteral("300")); // kept for the next use

        // Resetting reaches rows outside the page.
        Form1->MORE[3]->np = 9;
        Form1->ResetirajsveNPna01->trigger();
        QCOMPARE(a->np, std::int8_t(0));
        QCOMPARE(Form1->MORE[3]->np, std::int8_t(0));
        QCOMPARE(Form1->topRow, 50);
        QVERIFY(boxes_->texts().isEmpty());
    }

    void npEntry_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("np"); // -1000: cancelled, NP unchanged
        QTest::newRow("300") << "300" << 44;
        QTest::newRow("200") << "200" << -56;
        QTest::newRow("-5") << "-5" << -5;
        QTest::newRow("12x") << "12x" << -1000;
        QTest::newRow("empty") << "" << -1000;
    }
    void npEntry() {
        QFETCH(QString, text);
        QFETCH(int, np);
        start();
        Form1->MORE[1]->np = 3;
        selectLines({1});
        NpEntryAnswer answer(text);
        Form1->PostaviNPnaodreenuvrijednost1->trigger();
        QCOMPARE(answer.shown(), 1);
        QCOMPARE(int(Form1->MORE[1]->np), np == -1000 ? 3 : np);
        QCOMPARE(Form1->MOREShow->selectedItems().isEmpty(), np != -1000);
    }

    void deleteSelectedRows() {
        start();
        Form1->ScrollBar1->setValue(50);
        const Combination* r53 = Form1->MORE[53];
        const Combination* r57 = Form1->MORE[57];
        const Combination* r54 = Form1->MORE[54];
        selectLines({3, 7});
        QTest::mouseClick(Form1->SpeedButton4, Qt::LeftButton);
        QCOMPARE(Form1->MORE.size(), std::size_t(kAllCombinations - 2));
        QVERIFY(std::find(Form1->MORE.begin(), Form1->MORE.end(), r53) == Form1->MORE.end());
        QVERIFY(std::find(Form1->MORE.begin(), Form1->MORE.end(), r57) == Form1->MORE.end());
        QCOMPARE(Form1->MORE[53], r54);
        QCOMPARE(Form1->topRow, 0);
        QCOMPARE(InfoBox->Label7->text(), QStringLiteral("2"));
        QCOMPARE(Form1->MORE0.size(), std::size_t(kAllCombinations));
        // The pop-up item deletes only while the button is enabled.
        Form1->MOREShowMouseMove();
        QVERIFY(!Form1->SpeedButton4->isEnabled());
        Form1->MOREShow->item(0)->setSelected(true);
        Form1->Obriioznaene1->trigger();
        QCOMPARE(Form1->MORE.size(), std::size_t(kAllCombinations - 2));
        Form1->MOREShowMouseMove();
        Form1->Obriioznaene1->trigger();
        QCOMPARE(Form1->MORE.size(), std::size_t(kAllCombinations - 3));
    }

    void limits_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("left"); // rows left; -1: MANA > 1 check
        QTest::addColumn<QString>("message");
        QTest::newRow("veći od 0") << 2 << "0" << 0 << "";
        QTest::newRow("MANA veći od 0") << 0 << "0" << 0 << "";
        QTest::newRow("1 veći od 5") << 2 << "5" << 880128 << "";
        QTest::newRow("1 manji od 5") << 3 << "5" << 384723 << "";
        QTest::newRow("2 veći od 200") << 6 << "200" << kAllCombinations << "";
        QTest::newRow("2 manji od 200") << 7 << "200" << 0 << "";
        QTest::newRow("NP manji od 0") << 9 << "0" << 0 << "";
        QTest::newRow("NP manji od -1") << 9 << "-1" << kAllCombinations << "";
        QTest::newRow("MANA manji od 1") << 1 << "1" << -1 << "";
        QTest::newRow("empty field") << 4 << "" << kAllCombinations << "";
        QTest::newRow("not a number")
            << 4 << "abc" << kAllCombinations << "'abc' nije ispravan cijeli broj";
        QTest::newRow("MANA not a number")
            << 0 << "1,5" << kAllCombinations << "'1,5' nije ispravan broj";
    }
    void limits() {
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(int, left);
        QFETCH(QString, message);
        start();
        Form1->ScrollBar1->setValue(100);
        QTest::mouseClick(Form1->SpeedButton5, Qt::LeftButton);
        QVERIFY(Form3->isVisible());
        Form3->rowEdit[row]->setText(text);
        QTest::mouseClick(Form3->rowButton[row], Qt::LeftButton);
        if (left >= 0) {
            QCOMPARE(Form1->MORE.size(), std::size_t(left));
        } else {
            const auto expected =
                std::count_if(Form1->MORE0.begin(), Form1->MORE0.end(),
                              [](const Combination* c) { return c->mana > 1.0f; });
            QCOMPARE(std::ptrdiff_t(Form1->MORE.size()), expected);
        }
        if (message.isEmpty()) {
            QVERIFY(boxes_->texts().isEmpty());
        } else {
            QCOMPARE(boxes_->texts().size(), 1);
            QVERIFY2(boxes_->texts().first().contains(message),
                     qPrintable(boxes_->texts().first()));
        }
        const bool applied = !text.isEmpty() && message.isEmpty();
        QCOMPARE(Form1->topRow, applied ? 0 : 100);
        QCOMPARE(InfoBox->Label5->text(),
                 applied ? QString::number(Form1->MORE.size()) : QString::number(kAllCombinations));
        QCOMPARE(Form1->MORE0.size(), std::size_t(kAllCombinations));
    }

    void limitDialogPlacesTheInfoWindow() {
        start();
        // The info window reaches under the dialog's left edge: it moves to end 1 pixel left of it.
        QTest::mouseClick(Form1->SpeedButton5, Qt::LeftButton);
        const QRect d = Form3->frameGeometry();
        InfoBox->move(d.left() - 100, 300);
        Form3->hide();
        QTest::mouseClick(Form1->SpeedButton5, Qt::LeftButton);
        QCOMPARE(InfoBox->frameGeometry().right(), d.left() - 2);
        QCOMPARE(InfoBox->x(), d.left() - InfoBox->frameGeometry().width() - 1);
        QCOMPARE(InfoBox->y(), 300);
        // Lying under the dialog: moved right of it. Clear of it: left alone.
        InfoBox->move(d.left() + 10, 300);
        Form1->SpeedButton9Click();
        const QRect c = Form5->frameGeometry();
        QCOMPARE(InfoBox->x(),
                 c.left() <= d.left() + 10 ? c.left() + c.width() + 1 : d.left() + 10);
        const int clear = d.left() - InfoBox->frameGeometry().width() - 10;
        InfoBox->move(clear, 300);
        Form1->SpeedButton5Click();
        QCOMPARE(InfoBox->x(), clear);
        // "U redu" hides the dialog and shows the workbench.
        Form1->hide();
        QTest::mouseClick(Form3->SpeedButton9, Qt::LeftButton);
        QVERIFY(Form3->isHidden() && Form1->isVisible());
    }

    void comb_data() {
        QTest::addColumn<QStringList>("pattern"); // "m:left:right"
        QTest::addColumn<QString>("most");
        QTest::addColumn<QString>("fewest");
        QTest::addColumn<int>("left");
        QTest::addColumn<QString>("message");
        QStringList full;
        for (int m = 1; m <= kMatches; ++m)
            full << QStringLiteral("%1:1:0").arg(m);
        QStringList pattern2210;
        const QString signs = QStringLiteral("2210020211002");
        for (int m = 1; m <= kMatches; ++m)
            pattern2210 << QStringLiteral("%1:%2:").arg(m).arg(signs[m - 1]);
        QStringList twoThenTwos{QStringLiteral("1:1:0")};
        for (int m = 2; m <= kMatches; ++m)
            twoThenTwos << QStringLiteral("%1:2:").arg(m);
        QTest::newRow("empty pattern") << QStringList() << "0"
                                       << "0" << kAllCombinations << "";
        QTest::newRow("full pattern") << full << "0"
                                      << "0" << 1 << "";
        QTest::newRow("13 and 13") << pattern2210 << "13"
                                   << "13" << 1 << "";
        QTest::newRow("Y above X") << pattern2210 << "3"
                                   << "4" << 0 << "";
        QTest::newRow("256 is 0") << QStringList() << "256"
                                  << "0" << kAllCombinations << "";
        QTest::newRow("two for match 1") << twoThenTwos << "12"
                                         << "0" << kAllCombinations - 2 << "";
        QTest::newRow("bound 14") << QStringList() << "14"
                                  << "0" << kAllCombinations
                                  << "Krivo definirani brojevi pogodaka - moraju biti 0..13";
        QTest::newRow("bound -1") << QStringList() << "0"
                                  << "-1" << kAllCombinations
                                  << "Krivo definirani brojevi pogodaka - moraju biti 0..13";
        QTest::newRow("letter in pattern")
            << QStringList{"4:a:"} << "0"
            << "0" << kAllCombinations << "'a' nije ispravan cijeli broj";
        QTest::newRow("empty bound") << QStringList() << ""
                                     << "0" << kAllCombinations << "'' nije ispravan cijeli broj";
    }
    void comb() {
        QFETCH(QStringList, pattern);
        QFETCH(QString, most);
        QFETCH(QString, fewest);
        QFETCH(int, left);
        QFETCH(QString, message);
        start();
        Form1->ScrollBar1->setValue(100);
        QTest::mouseClick(Form1->SpeedButton9, Qt::LeftButton);
        QVERIFY(Form5->isVisible());
        for (const QString& field : pattern) {
            const QStringList parts = field.split(QLatin1Char(':'));
            QTest::keyClicks(Form5->ttv(parts[0].toInt(), 1), parts[1]);
            QTest::keyClicks(Form5->ttv(parts[0].toInt(), 0), parts[2]);
        }
        Form5->Edit1->setText(most);
        Form5->Edit2->setText(fewest);
        QTest::mouseClick(Form5->SpeedButton1, Qt::LeftButton);
        QCOMPARE(Form1->MORE.size(), std::size_t(left));
        if (message.isEmpty()) {
            QVERIFY(boxes_->texts().isEmpty());
            QCOMPARE(Form1->topRow, 0);
            QCOMPARE(InfoBox->Label5->text(), QString::number(left));
        } else {
            QCOMPARE(boxes_->texts().size(), 1);
            QVERIFY2(boxes_->texts().first().contains(message),
                     qPrintable(boxes_->texts().first()));
            QCOMPARE(Form1->topRow, 100);
        }
        if (left == 1 && pattern.size() == kMatches && most == QLatin1String("13"))
            QCOMPARE(codeDigits(Form1->MORE.front()), QStringLiteral("2210020211002"));
        if (left == 1 && most == QLatin1String("0"))
            QCOMPARE(codeDigits(Form1->MORE.front()), QStringLiteral("2222222222222"));
    }

    void morRoundTrip() {
        start();
        // A narrowed, sorted table with NP marks and a MANA too small for six decimals.
        Form3->rowEdit[2]->setText(QStringLiteral("1")); // no "1" signs: 8192 rows
        Form3->applyRow(2);
        QTest::mouseClick(Form1->BitBtn1, Qt::LeftButton);
        QCOMPARE(Form1->MORE.size(), std::size_t(8192));
        Form1->MORE[0]->np = 7;
        Form1->MORE[1]->np = -3;
        Form1->MORE.back()->mana = 4e-7f;
        std::vector<Combination> saved;
        for (const Combination* c : Form1->MORE)
            saved.push_back(*c);

        QVERIFY(saveFile(path(QStringLiteral("tablica"))));
        QFile f(path(QStringLiteral("tablica.MOR")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QCOMPARE(text.count('\n'), 8192);
        char first[80];
        std::snprintf(first, sizeof first, "%u %f %d %d %d %d\r\n", saved[0].code,
                      double(saved[0].mana), saved[0].count0, saved[0].count1, saved[0].count2, 7);
        QVERIFY(text.startsWith(first));

        // Back to the full table, then load: MORE is the saved table again.
        QTest::mouseClick(Form1->SpeedButton7, Qt::LeftButton);
        QCOMPARE(Form1->MORE.size(), std::size_t(kAllCombinations));
        Form1->ScrollBar1->setValue(500);
        InfoBox->hide();
        QTest::mouseClick(Form1->BitBtn6, Qt::LeftButton);
        QCOMPARE(Form1->MORE.size(), saved.size());
        for (std::size_t i = 0; i < saved.size(); ++i) {
            const Combination* c = Form1->MORE[i];
            QCOMPARE(c->code, saved[i].code);
            QCOMPARE(c->count1, saved[i].count1);
            QCOMPARE(c->np, saved[i].np);
            QVERIFY(std::fabs(c->mana - saved[i].mana) <= 5e-7f * (1 + std::fabs(saved[i].mana)));
        }
        QCOMPARE(Form1->MORE.back()->mana, 0.0f);
        QVERIFY(Form1->MORE0 == Form1->MORE);
        QCOMPARE(Form1->topRow, 0);
        QVERIFY(InfoBox->isVisible());
        QCOMPARE(InfoBox->Label5->text(), QStringLiteral("8192"));
        QVERIFY(boxes_->texts().size() == 2); // the two questions, nothing else
    }

    void repeatedLoadsReleaseTheReplacedRecords() {
        start();
        Form1->MORE.resize(20000);
        QVERIFY(saveFile(path(QStringLiteral("mala"))));
        QTest::mouseClick(Form1->BitBtn6, Qt::LeftButton);
        QCOMPARE(Form1->MORE.size(), std::size_t(20000));
        // The generated records are gone: nothing refers to them any more.
        // Blocks hold about 100,000 records: eight loads run through two of them.
        for (int i = 0; i < 8; ++i) {
            QVERIFY(Form1->tables.pool.blockCount() <= 2);
            QTest::mouseClick(Form1->BitBtn6, Qt::LeftButton);
        }
        QVERIFY(Form1->tables.pool.blockCount() <= 2);
        QCOMPARE(Form1->MORE.size(), std::size_t(20000));
    }

    void loadBeforeGenerationEnablesTheCommands() {
        start(false);
        writeText(path(QStringLiteral("jedan.MOR")), "22369621 2.500000 0 13 0 0\r\n");
        Form1->Edit14->setText(path(QStringLiteral("jedan")));
        QTest::mouseClick(Form1->BitBtn6, Qt::LeftButton);
        QCOMPARE(Form1->MORE.size(), std::size_t(1));
        QCOMPARE(Form1->MORE[0]->mana, 2.5f);
        QCOMPARE(Form1->MORE[0]->count1, std::int8_t(13));
        for (QPushButton* b :
             {Form1->SpeedButton5, Form1->SpeedButton6, Form1->SpeedButton7, Form1->SpeedButton9,
              Form1->BitBtn1, Form1->BitBtn2, Form1->BitBtn3, Form1->BitBtn4})
            QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
    }

    // Files that must leave MORE, MORE0 and the view exactly as they were.
    void loadRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content"); // written unless the name says otherwise
        QTest::addColumn<QString>("message");    // empty: nothing is said
        const QByteArray good = "0 1.000000 13 0 0 0\r\n1 1.000000 12 0 1 0\r\n";
        QTest::newRow("five numbers") << "kriva" << good + "2 1.0 12 0 1\r\n"
                                      << "redak 3 datoteke";
        QTest::newRow("code too large")
            << "kriva" << QByteArray("44739243 1.0 0 0 13 0\n") << "redak 1 datoteke";
        QTest::newRow("np out of range") << "kriva" << good + good + "4 1.0 12 1 0 128\n"
                                         << "redak 5 datoteke";
        QTest::newRow("word") << "kriva" << good + "riječ\n"
                              << "redak 3 datoteke";
        QTest::newRow("no such file") << "nema" << QByteArray() << "ne postoji";
        QTest::newRow("empty name, file dialog cancelled") << "" << QByteArray() << "";
        QTest::newRow("a folder") << "mapa" << QByteArray() << "nije moguće";
        QTest::newRow("answered No") << "dobra" << good << "";
    }
    void loadRefused() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        start();
        if (name == QLatin1String("mapa"))
            QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("mapa.MOR")));
        else if (!content.isEmpty())
            writeText(path(name + QStringLiteral(".MOR")), content);
        Form1->MORE.resize(1000);
        const Table more = Form1->MORE;
        const Table more0 = Form1->MORE0;
        Form1->ScrollBar1->setValue(100);
        Form1->Edit14->setText(name.isEmpty() ? QString() : path(name));
        if (QTest::currentDataTag() == QLatin1String("answered No"))
            boxes_->setAnswer(QMessageBox::No);
        int dialogs = 0;
        ui::setDialogRunner([&dialogs](QDialog&) { return ++dialogs, int(QDialog::Rejected); });
        QTest::mouseClick(Form1->BitBtn6, Qt::LeftButton);
        QCOMPARE(dialogs, name.isEmpty() ? 1 : 0);
        QVERIFY(Form1->MORE == more);
        QVERIFY(Form1->MORE0 == more0);
        QCOMPARE(Form1->topRow, 100);
        QCOMPARE(boxes_->texts().size(), message.isEmpty() ? 1 : 2); // the question first
        if (!message.isEmpty()) {
            QVERIFY2(boxes_->texts().last().contains(message), qPrintable(boxes_->texts().last()));
            QVERIFY(boxes_->texts().last().contains(QStringLiteral("nije učitana")) ||
                    boxes_->texts().last().contains(QStringLiteral("otvoriti")) ||
                    boxes_->texts().last().contains(QStringLiteral("ne postoji")));
            QVERIFY(boxes_->texts().last().contains(name + QStringLiteral(".MOR")));
        }
        QVERIFY(Form1->Animate1->isHidden());
    }

    void emptyFileGivesAnEmptyTable() {
        start();
        Form1->MORE.clear();
        QVERIFY(saveFile(path(QStringLiteral("prazna"))));
        QCOMPARE(QFileInfo(path(QStringLiteral("prazna.MOR"))).size(), 0);
        Form1->MORE = Form1->MORE0;
        Form1->ScrollBar1->setValue(100);
        QTest::mouseClick(Form1->BitBtn6, Qt::LeftButton);
        QVERIFY(Form1->MORE.empty());
        QVERIFY(Form1->MORE0.empty());
        QCOMPARE(Form1->topRow, 0);
        QCOMPARE(InfoBox->Label5->text(), QStringLiteral("0"));
        QCOMPARE(InfoBox->Label11->text(), QStringLiteral("1594323.000"));
        QVERIFY(Form1->tables.pool.blockCount() <= 1); // at most the block last filled
    }

    void failedSaveKeepsTheEarlierFile() {
        start();
        Form1->MORE.resize(3);
        QVERIFY(saveFile(path(QStringLiteral("stara"))));
        const QByteArray before = [&] {
            QFile f(path(QStringLiteral("stara.MOR")));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        QCOMPARE(before.count('\n'), 3);

        // The full table does not fit under a 64 KiB file size limit.
        Form1->MORE = Form1->MORE0;
        {
            const FileSizeLimit limit(64 * 1024);
            saveFile(path(QStringLiteral("stara")));
        }

        QFile f(path(QStringLiteral("stara.MOR")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files).size(), 1); // no temporary left behind
        QCOMPARE(boxes_->texts().size(), 1);
        QVERIFY(boxes_->texts().first().contains(QStringLiteral("nije spremljena")));

        // A folder that does not exist.
        boxes_->clear();
        QVERIFY(!saveFile(path(QStringLiteral("nema/tablica"))));
        QCOMPARE(boxes_->texts().size(), 1);
        QVERIFY(boxes_->texts().first().contains(QStringLiteral("nije spremljena")));
        // An empty name asks for a file; cancelling the dialog does nothing.
        boxes_->clear();
        int dialogs = 0;
        ui::setDialogRunner([&dialogs](QDialog&) { return ++dialogs, int(QDialog::Rejected); });
        QVERIFY(!saveFile(QString()));
        QCOMPARE(dialogs, 1);
        QVERIFY(boxes_->texts().isEmpty());
    }

    void resetFromSnapshot() {
        start();
        Form3->rowEdit[2]->setText(QStringLiteral("5"));
        Form3->applyRow(2);
        QCOMPARE(Form1->MORE.size(), std::size_t(880128));
        Form1->MORE0[7]->np = 4; // NP changes live in the records and stay
        boxes_->setAnswer(QMessageBox::No);
        QTest::mouseClick(Form1->SpeedButton7, Qt::LeftButton);
        QCOMPARE(Form1->MORE.size(), std::size_t(880128));
        boxes_->setAnswer(QMessageBox::Yes);
        Form1->ScrollBar1->setValue(100);
        QTest::mouseClick(Form1->SpeedButton7, Qt::LeftButton);
        QVERIFY(Form1->MORE == Form1->MORE0);
        QCOMPARE(Form1->MORE[7]->np, std::int8_t(4));
        QCOMPARE(Form1->topRow, 0);
        QCOMPARE(InfoBox->Label5->text(), QStringLiteral("1594323"));
        QCOMPARE(boxes_->texts(), QStringList(2, QStringLiteral("Jeste li sigurni da želite "
                                                                "prekopirati MORE0 u MORE ?")));
    }
};

QTEST_MAIN(WorkbenchTest)
#include "tst_workbench.moc"
