// The keyboard as a user meets it in every window: Enter and Tab chains followed by typing,
// Enter on buttons, pasting into the percentage grid; every control found by its name; the
// windows' captions; the question before leaving with TUK not written to a file.
#include "GuiTestUtil.h"

#include "app/Menu.h"
#include "core/Toto13class.h"
#include "more/Cesljaj.h"
#include "more/Fi.h"
#include "more/Limiti.h"
#include "mreza/Mreza.h"
#include "output/Kontrola.h"
#include "output/Saver.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace kviro;
using namespace kviro::test;

namespace {

QWidget* window(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name) return w;
    return nullptr;
}

template <class W = QWidget> W* control(const QString& windowName, const QString& name) {
    QWidget* w = window(windowName);
    return w ? w->findChild<W*>(name) : nullptr;
}

// Shows the window and makes it the active one, as a click on it would.
bool activate(QWidget* w) {
    w->show();
    QApplication::setActiveWindow(w);
    return QTest::qWaitFor([w] { return w->isActiveWindow(); });
}

// Presses the keys named in `keys` ("Return", "Tab"), each on whatever has the focus then.
void press(const QString& keys) {
    for (const QString& k : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused);
        QTest::keyClick(focused, k == QLatin1String("Tab") ? Qt::Key_Tab : Qt::Key_Return);
    }
}

// Every window with its caption and the names of its controls, as the program's design gives
// them.
struct WindowNames {
    const char* window;
    const char* caption;
    QStringList names;
};

QStringList numbered(const QString& stem, int from, int to) {
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << stem + QString::number(i);
    return out;
}

QStringList gridNames(bool withTwo) {
    QStringList out;
    for (int m = 1; m <= kMatches; ++m) {
        const QString stem = QStringLiteral("ttv") + QString::number(m);
        out << stem + QLatin1Char('1') << stem + QLatin1Char('0');
        if (withTwo) out << stem + QLatin1Char('2');
    }
    return out;
}

const QStringList kMoreMenu = {
    QStringLiteral("PopupMenu1"),         QStringLiteral("PostaviNPnaodreenuvrijednost1"),
    QStringLiteral("PoveajNPza11"),       QStringLiteral("SmanjiNPza11"),
    QStringLiteral("ResetirajsveNPna01"),
};

std::vector<WindowNames> windowNames() {
    return {
        {"Form2", "KVIRO",
         QStringList{"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton5", "Panel1",
                     "Label14"} +
             numbered(QStringLiteral("Label"), 9, 13)},
        {"Form1", "Kombiniranje",
         gridNames(true) + numbered(QStringLiteral("Edit"), 1, 14) +
             numbered(QStringLiteral("BitBtn"), 1, 6) +
             numbered(QStringLiteral("SpeedButton"), 1, 7) + kMoreMenu +
             QStringList{"TTV",           "Label2",          "Label3",         "Label4",
                         "Label21",       "OziviMGumb",      "Animate1",       "Panel1",
                         "Finder",        "Button2",         "HeaderControl1", "MOREShow",
                         "ScrollBar1",    "Label22",         "SpeedButton9",   "N1",
                         "Obriioznaene1", "SortirajpoMANA1", "SortirajpoTIP1", "SortirajpoNP1"}},
        {"InfoBox", "Info", numbered(QStringLiteral("Label"), 5, 12) + QStringList{"BitBtn1"}},
        {"Form3", "Limitiranje tablice",
         numbered(QStringLiteral("Edit"), 1, 10) + numbered(QStringLiteral("SpeedButton"), 1, 11)},
        {"Form5", "Češljaj MORE",
         gridNames(false) +
             QStringList{"Panel1", "Edit1", "Edit2", "SpeedButton1", "SpeedButton9"}},
        {"MrezaForm", "MREŽA",
         numbered(QStringLiteral("Edit"), 1, 13) + numbered(QStringLiteral("BitBtn"), 4, 9) +
             numbered(QStringLiteral("SpeedButton"), 1, 8) + kMoreMenu +
             QStringList{"BitBtn1",        "Label1",     "MREZANum",       "Label3",
                         "MANUNum",        "Menu",       "HeaderControl1", "MREZAShow",
                         "ScrollBar1",     "ToPOT",      "PageControl1",   "Tab12",
                         "Tab11",          "Label2",     "Label4",         "TUKShow",
                         "ScrollBar2",     "GroupBox2",  "GroupBox3",      "HeaderControl2",
                         "HeaderControl3", "POTA12Show", "POT11Show",      "POTA12Progress",
                         "POT11Progress",  "Button1",    "Animate1"}},
        {"Form8", "Info", numbered(QStringLiteral("Label"), 1, 12) + QStringList{"BitBtn1"}},
        {"Form6", "Ispis na printer",
         QStringList{"GroupBox2", "Label1", "PrinterList", "Button1", "Bevel1", "Label3", "Edit1",
                     "Button2", "CheckBox1", "Panel1", "BitBtn2", "BitBtn1", "FontDialog1"}},
        {"Form7", "Kopiranje TUK na disk i/ili disketu",
         QStringList{"Label1", "Edit1", "BitBtn3", "BitBtn1", "BitBtn2", "SaveDialog1"}},
        {"Form4", "Provjera rezultata",
         numbered(QStringLiteral("Edit"), 1, 15) + numbered(QStringLiteral("SpeedButton"), 1, 5) +
             QStringList{"Label6", "ListBox1", "ScrollBar1", "GroupBox1", "Label1", "Button1",
                         "ButtonPrint", "Label2", "Label3", "ComboBox1", "ButtonPrint2",
                         "OpenDialog1", "FontDialog1"}},
        {"Form9", "Unesite vrijednost za NP", QStringList{"Edit1", "Button1"}},
        {"Form10", "Automatski POT11 podešavanje",
         QStringList{"CheckBox1", "Label1", "ComboBox1", "Button1"}},
        {"Form11", "Brisanje svih sa NP>X", QStringList{"Edit1", "Button1"}},
    };
}

// The caption the X11 window manager shows: Qt's X11 integration appends the application's
// display name (after " — ") when one has been set and the title does not end with it.
QString captionShown(const QWidget* w) {
    const QString name = QCoreApplication::applicationName();
    const QString probe = QStringLiteral("kviro-probe");
    QCoreApplication::setApplicationName(probe);
    const QString display = QGuiApplication::applicationDisplayName();
    QCoreApplication::setApplicationName(name);
    QString title = w->windowTitle();
    if (display != probe && !title.endsWith(display))
        title += QStringLiteral(" \u2014 ") + display;
    return title;
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempSettings> store_;
    std::unique_ptr<MessageBoxWatcher> boxes_;

    void start(bool valued = false) {
        store_ = std::make_unique<TempSettings>();
        boxes_ = std::make_unique<MessageBoxWatcher>(QMessageBox::Yes);
        createWindowsAndWait();
        if (valued) QTest::mouseClick(Form1->OziviMGumb, Qt::LeftButton);
    }

  private slots:
    void initTestCase() {
        // As the program's start-up does.
        ui::nameApplication();
    }
    void cleanup() {
        destroyWindows();
        boxes_.reset();
        store_.reset();
    }

    // Enter (or Tab) moves on, then the user types: what was in the next field is replaced.
    void typingAfterEnterReplaces_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("preset"); // put into the next field first, unless empty
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("otherField"); // a field the typing completes, with its text
        QTest::addColumn<QString>("otherText");
        QTest::newRow("grid 1 to 0") << "Form1" << "ttv11" << "Return" << "" << "35" << "ttv10"
                                     << "35" << "ttv12" << "55";
        QTest::newRow("grid 0 to next match") << "Form1" << "ttv10" << "Return" << "" << "45"
                                              << "ttv21" << "45" << "ttv22" << "25";
        QTest::newRow("grid twice") << "Form1" << "ttv11" << "Return Return" << "" << "7"
                                    << "ttv21" << "7" << "ttv22" << "63";
        QTest::newRow("grid last match") << "Form1" << "ttv120" << "Return" << "" << "5"
                                         << "ttv131" << "5" << "ttv132" << "85";
        QTest::newRow("grid Tab") << "Form1" << "ttv51" << "Tab" << "" << "25" << "ttv50" << "25"
                                  << "ttv52" << "75";
        QTest::newRow("find row") << "Form1" << "Edit1" << "Return" << "" << "2" << "Edit2" << "2"
                                  << "" << "";
        QTest::newRow("find row to 13") << "Form1" << "Edit12" << "Return" << "1" << "2" << "Edit13"
                                        << "2" << "" << "";
        QTest::newRow("TUK entry row") << "MrezaForm" << "Edit5" << "Return" << "" << "1"
                                       << "Edit6" << "1" << "" << "";
        QTest::newRow("results control") << "Form4" << "Edit3" << "Return" << "1" << "2"
                                         << "Edit4" << "2" << "" << "";
        QTest::newRow("limit dialog") << "Form3" << "Edit1" << "Tab Tab" << "" << "15" << "Edit2"
                                      << "15" << "" << "";
        QTest::newRow("comb pattern") << "Form5" << "ttv11" << "Tab" << "1" << "2" << "ttv10"
                                      << "2" << "" << "";
        QTest::newRow("comb bound") << "Form5" << "ttv130" << "Tab" << "" << "12" << "Edit1"
                                    << "12" << "" << "";
    }
    void typingAfterEnterReplaces() {
        QFETCH(QString, window);
        QFETCH(QString, from);
        QFETCH(QString, keys);
        QFETCH(QString, preset);
        QFETCH(QString, typed);
        QFETCH(QString, to);
        QFETCH(QString, result);
        QFETCH(QString, otherField);
        QFETCH(QString, otherText);
        start();
        QWidget* w = ::window(window);
        QVERIFY(w);
        auto* next = w->findChild<QLineEdit*>(to);
        QVERIFY(next);
        if (!preset.isEmpty()) next->setText(preset);
        QVERIFY(activate(w));
        auto* first = w->findChild<QLineEdit*>(from);
        QVERIFY(first);
        first->setFocus();
        press(keys);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(next));
        QTest::keyClicks(next, typed);
        QCOMPARE(next->text(), result);
        if (!otherField.isEmpty())
            QCOMPARE(w->findChild<QLineEdit*>(otherField)->text(), otherText);
        QVERIFY(boxes_->texts().isEmpty());
    }

    // The whole search row by keyboard: the 13 signs, Enter after each, Enter on "Pronađi".
    void findRowByKeyboardAlone() {
        start(true);
        const std::size_t at = 777777;
        const QString signs = QString::fromStdString(signText(*Form1->MORE[at]));
        QVERIFY(activate(Form1));
        Form1->Edit(1)->setFocus();
        for (int m = 1; m <= kMatches; ++m) {
            QTest::keyClicks(QApplication::focusWidget(), signs.mid(m - 1, 1));
            press(QStringLiteral("Return"));
        }
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form1->Button2));
        press(QStringLiteral("Return"));
        QCOMPARE(Form1->topRow, int(at));
        QVERIFY(boxes_->texts().isEmpty());
    }

    // Enter on a focused button does what Space and the mouse do.
    void enterPressesTheFocusedButton() {
        start(true);
        QTemporaryDir dir;
        int choosers = 0;
        ui::setDialogRunner([&choosers](QDialog&) {
            ++choosers;
            return int(QDialog::Rejected);
        });
        struct Case {
            const char* what;
            QWidget* window;
            std::function<QPushButton*()> prepare;
            std::function<bool()> done;
        };
        const std::vector<Case> cases = {
            {"limit row", Form3,
             [] {
                 Form3->rowEdit[2]->setText(QStringLiteral("13")); // at least 13 signs "1"
                 return Form3->rowButton[2];
             },
             [] { return Form1->MORE.size() == std::size_t(kAllCombinations - 1); }},
            {"comb U redu", Form5, [] { return Form5->SpeedButton9; },
             [] { return Form5->isHidden(); }},
            {"clear grid", Form1, [] { return Form1->SpeedButton1; },
             [] { return Form1->ttv(1, 2)->text() == QLatin1String("0"); }},
            {"network Povratak", MrezaForm, [] { return MrezaForm->SpeedButton8; },
             [] { return MrezaForm->isHidden() && Form1->isVisible(); }},
            {"results Izlazak", Form4, [] { return Form4->SpeedButton2; },
             [] { return Form4->isHidden(); }},
            // A copy-dialog button that leaves Enter alone: Enter is "Kopiraj", not "Odredi...".
            {"copy dialog", Form7,
             [&dir] {
                 Form7->Edit1->setText(dir.filePath(QStringLiteral("ENTER")));
                 return Form7->BitBtn3;
             },
             [&dir, &choosers] {
                 return choosers == 0 && QFile::exists(dir.filePath(QStringLiteral("ENTER.TUK"))) &&
                        Form7->isHidden();
             }},
        };
        for (const Case& c : cases) {
            QPushButton* b = c.prepare();
            QVERIFY2(activate(c.window), c.what);
            b->setFocus();
            QVERIFY2(b->hasFocus(), c.what);
            QTest::keyClick(b, Qt::Key_Return);
            QVERIFY2(c.done(), c.what);
        }
        ui::setDialogRunner({});
        QVERIFY(boxes_->texts().isEmpty());
    }

    void pasteKeepsTheFirstThreeCharacters_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor"); // -1: the whole text selected
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("two"); // the completed "2" field (the "0" field holds 20)
        QTest::newRow("into an empty field") << "" << 0 << "12345" << "123" << "-43";
        QTest::newRow("after a digit") << "1" << 1 << "4567" << "145" << "-65";
        QTest::newRow("before a digit") << "9" << 0 << "12" << "129" << "-49";
        QTest::newRow("into a full field") << "123" << 3 << "4" << "123" << "-43";
        QTest::newRow("over the selection") << "10" << -1 << "3512" << "351" << "-271";
        QTest::newRow("over a long loaded text")
            << "33.2999992370605" << -1 << "12345" << "123" << "-43";
        QTest::newRow("three fit") << "" << 0 << "7.5" << "7.5" << "72.5";
    }
    void pasteKeepsTheFirstThreeCharacters() {
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, pasted);
        QFETCH(QString, after);
        QFETCH(QString, two);
        start();
        QLineEdit* f = Form1->ttv(1, 1);
        f->setText(before);
        if (cursor < 0)
            f->selectAll();
        else
            f->setCursorPosition(cursor);
        QApplication::clipboard()->setText(pasted);
        QTest::keySequence(f, QKeySequence::Paste);
        QCOMPARE(f->text(), after);
        QCOMPARE(Form1->ttv(1, 2)->text(), two);
        QVERIFY(boxes_->texts().isEmpty());
    }

    // Each control exactly once under its name, in its window.
    void everyControlByItsName() {
        start();
        for (const WindowNames& w : windowNames()) {
            QWidget* win = window(QLatin1String(w.window));
            QVERIFY2(win, w.window);
            for (const QString& name : w.names) {
                const auto found = win->findChildren<QObject*>(name);
                QVERIFY2(found.size() == 1, qPrintable(QStringLiteral("%1: %2 found %3 times")
                                                           .arg(QLatin1String(w.window), name,
                                                                QString::number(found.size()))));
            }
        }
    }

    void captionsAsDesigned() {
        start();
        for (const WindowNames& w : windowNames()) {
            QWidget* win = window(QLatin1String(w.window));
            QVERIFY2(win, w.window);
            QCOMPARE(captionShown(win), QString::fromUtf8(w.caption));
        }
        QCOMPARE(ui::applicationTitle(), QStringLiteral("KVIRO 13"));
    }

    void leavingWithAnEmptyTukAsksNothing() {
        start(true);
        QTest::mouseClick(Form2->SpeedButton5, Qt::LeftButton);
        QVERIFY(Form2->exiting());
        QVERIFY(boxes_->texts().isEmpty());
    }

    void leavingAsksWhileTukIsNotWritten() {
        start(true);
        const QString question =
            QStringLiteral("Tablica uplaćenih kombinacija nije spremljena. Izaći bez spremanja?");
        Form1->TUK.push_back(Form1->MORE[3]);
        Form1->TUK.push_back(Form1->MORE[4]);
        boxes_->setAnswer(QMessageBox::No);
        // "Izlazak" of the menu, "Izlazak" of the workbench, and the window manager's close.
        QTest::mouseClick(Form2->SpeedButton5, Qt::LeftButton);
        Form1->show();
        QTest::mouseClick(Form1->SpeedButton2, Qt::LeftButton);
        QVERIFY(!Form2->close());
        QCOMPARE(boxes_->texts(), QStringList(3, question));
        QVERIFY(!Form2->exiting());
        QVERIFY(Form2->isVisible() && Form1->isVisible());
        QCOMPARE(Form1->TUK.size(), std::size_t(2));

        // Written to a file: leaving asks nothing until TUK changes again.
        QTemporaryDir dir;
        boxes_->clear();
        Form7->Edit1->setText(dir.filePath(QStringLiteral("T")));
        QTest::mouseClick(Form7->BitBtn1, Qt::LeftButton);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("T.TUK"))));
        QVERIFY(!MrezaForm->tukUnsaved());
        Form1->TUK.erase(Form1->TUK.begin());
        QVERIFY(MrezaForm->tukUnsaved());
        Form1->TUK.insert(Form1->TUK.begin(), Form1->MORE[3]);
        QVERIFY(!MrezaForm->tukUnsaved());
        Form1->TUK.push_back(Form1->MORE[5]);
        boxes_->setAnswer(QMessageBox::Yes);
        QTest::mouseClick(Form1->SpeedButton2, Qt::LeftButton);
        QCOMPARE(boxes_->texts(), QStringList{question});
        QVERIFY(Form2->exiting());
        QVERIFY(Form1->isHidden());
    }
};

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
