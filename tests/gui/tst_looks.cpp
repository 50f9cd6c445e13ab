// How the windows look: captions readable whole, and the painted columns of every list under
// the titles of their header.
#include "GuiTestUtil.h"
#include "NetworkTestUtil.h"

#include "app/Menu.h"
#include "core/MoreSort.h"
#include "core/RecordPool.h"
#include "more/Fi.h"
#include "mreza/Mreza.h"
#include "output/Kontrola.h"

#include <QFrame>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

using namespace kviro;
using namespace kviro::test;

namespace {

double luminance(const QColor& c) {
    auto lin = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(c.red()) + 0.7152 * lin(c.green()) + 0.0722 * lin(c.blue());
}

// Contrast ratio of two colours, 1 (none) to 21 (black on white).
double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The part of the window's picture that a child covers.
QImage pictureOf(QWidget* child) {
    QWidget* window = child->window();
    const QImage all = window->grab().toImage();
    return all.copy(QRect(child->mapTo(window, QPoint(0, 0)), child->size()));
}

// Columns (x) holding a pixel of at least `minContrast` against `background`.
std::vector<int> inkColumns(const QImage& img, const QColor& background, double minContrast) {
    std::vector<int> xs;
    for (int x = 0; x < img.width(); ++x)
        for (int y = 0; y < img.height(); ++y)
            if (contrast(img.pixelColor(x, y), background) >= minContrast) {
                xs.push_back(x);
                break;
            }
    return xs;
}

const QColor kTeal(0, 128, 128);

// One painted line of a list and where its columns change, in the window's coordinates.
struct PaintedLine {
    QImage image;
    int top = 0;             // the pixel row looked at: the line's first
    int left = 0;            // the line's left edge, in the window
    std::vector<int> changes; // where a pixel differs from the one before, in the window
    std::vector<int> lines;   // black pixels, in the window
};

PaintedLine paintedLine(QListWidget* list) {
    PaintedLine p;
    p.image = list->viewport()->grab().toImage();
    const QRect r = list->visualItemRect(list->item(0));
    p.top = r.top();
    const auto inWindow = [list](int x) {
        return list->viewport()->mapTo(list->window(), QPoint(x, 0)).x();
    };
    p.left = inWindow(r.left());
    for (int x = r.left() + 1; x <= r.right() && x < p.image.width(); ++x) {
        const QColor c = p.image.pixelColor(x, p.top);
        if (c != p.image.pixelColor(x - 1, p.top)) p.changes.push_back(inWindow(x));
        if (c == QColor(Qt::black)) p.lines.push_back(inWindow(x));
    }
    return p;
}

// The left edge of the header's first section and the right edge of every section.
std::vector<int> headerEdges(QHeaderView* h) {
    const auto inWindow = [h](int x) {
        return h->viewport()->mapTo(h->window(), QPoint(x, 0)).x();
    };
    std::vector<int> edges{inWindow(h->sectionViewportPosition(0))};
    for (int i = 0; i < h->count(); ++i)
        edges.push_back(inWindow(h->sectionViewportPosition(i) + h->sectionSize(i)));
    return edges;
}

bool near(const std::vector<int>& xs, int x, int tolerance = 1) {
    return std::any_of(xs.begin(), xs.end(), [&](int v) { return std::abs(v - x) <= tolerance; });
}

QString list(const std::vector<int>& xs) {
    QStringList t;
    for (int x : xs) t << QString::number(x);
    return t.join(QLatin1Char(' '));
}

} // namespace

class LooksTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { destroyWindows(); }

    // Every caption of the main menu can be read whole, in both of its states.
    void mainMenuCaptionsReadableWhole() {
        TempSettings store;
        MessageBoxWatcher boxes;
        ui::createWindows();
        Form2->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form2));
        for (bool generating : {true, false}) {
            if (!generating) QTRY_VERIFY_WITH_TIMEOUT(Form2->SpeedButton1->isEnabled(), 60000);
            const QString state = generating ? QStringLiteral("generating") : QStringLiteral("ready");
            // The status line: Arial bold 11 pixels, inside its black strip, text not cut.
            QLabel* l = Form2->Label14;
            QCOMPARE(l->font().pixelSize(), 11);
            QVERIFY(l->font().bold());
            const QFontMetrics fm(l->font());
            QVERIFY2(fm.horizontalAdvance(l->text()) <= l->contentsRect().width(), qPrintable(state));
            QVERIFY2(fm.height() <= l->contentsRect().height(), qPrintable(state));
            QVERIFY(Form2->Panel1->rect().contains(l->geometry()));
            QVERIFY(l->geometry().right() < Form2->SpeedButton5->geometry().left());

            for (QPushButton* b : {Form2->SpeedButton1, Form2->SpeedButton2}) {
                const QString what = state + QLatin1Char(' ') + b->objectName();
                const QImage img = pictureOf(b);
                // The text stands clear of the button's right edge: it is not cut.
                const std::vector<int> ink = inkColumns(img, kTeal, 3.0);
                QVERIFY2(!ink.empty(), qPrintable(what + QStringLiteral(": no readable text")));
                QVERIFY2(ink.back() < img.width() - 4,
                         qPrintable(what + QStringLiteral(": ink at x = ") +
                                    QString::number(ink.back())));
                // The text spans about what the caption needs (so it is all there).
                const int needed = QFontMetrics(b->font()).horizontalAdvance(b->text().trimmed());
                QVERIFY2(ink.back() - ink.front() + 1 >= needed - 4, qPrintable(what));
            }
            const QPushButton* exit = Form2->SpeedButton5;
            QVERIFY(QFontMetrics(exit->font()).horizontalAdvance(exit->text()) < exit->width());
        }
    }

    // The columns a list paints stand under the sections of its header; lists without a header
    // paint their cells inside the list.
    void columnsLineUpWithHeaders() {
        NetworkWindows windows;
        sortByMana(Form1->MORE);
        Form1->ShowMORE();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));

        struct Case {
            const char* name;
            std::function<void()> prepare;
            std::function<QHeaderView*()> header; // none: the list has no header
            std::function<QListWidget*()> list;
        };
        const Case cases[] = {
            {"MORE", [] {}, [] { return Form1->HeaderControl1; }, [] { return Form1->MOREShow; }},
            {"MREZA",
             [] {
                 Form1->MORE.resize(60);
                 Form1->SpeedButton6->click(); // MORE = MREŽA
                 QVERIFY(QTest::qWaitForWindowExposed(MrezaForm));
                 MrezaForm->MREZAShow->setCurrentRow(-1);
             },
             [] { return MrezaForm->HeaderControl1; }, [] { return MrezaForm->MREZAShow; }},
            {"POTA12",
             [] {
                 MrezaForm->SpeedButton3->click(); // Dvanaesterac
                 MrezaForm->MREZAShow->setCurrentRow(0);
                 MrezaForm->ToPOT->click();
                 QCOMPARE(Form1->POTA12.size(), std::size_t(27));
             },
             [] { return MrezaForm->HeaderControl2; }, [] { return MrezaForm->POTA12Show; }},
            {"POT11",
             [] {
                 MrezaForm->SpeedButton4->click(); // Jedanaesterac
                 MrezaForm->MREZAShow->setCurrentRow(0);
                 MrezaForm->ToPOT->click();
                 QTRY_VERIFY_WITH_TIMEOUT(!MrezaForm->running(), 30000);
                 QCOMPARE(Form1->POT11.size(), std::size_t(339));
             },
             [] { return MrezaForm->HeaderControl3; }, [] { return MrezaForm->POT11Show; }},
            {"TUK", [] { MrezaForm->SpeedButton2->click(); }, // TUK = MREŽA
             [] { return nullptr; }, [] { return MrezaForm->TUKShow; }},
            {"results control",
             [] {
                 static RecordPool pool;
                 Form4->resultList.clear();
                 for (int i = 0; i < 30; ++i) {
                     Combination* rec = pool.make();
                     rec->code = Form1->MREZA[static_cast<std::size_t>(i)]->code;
                     rec->serial = 1000 + i;
                     Form4->resultList.push_back(rec);
                 }
                 Form4->show();
                 QVERIFY(QTest::qWaitForWindowExposed(Form4));
                 Form4->ShowResults();
             },
             [] { return nullptr; }, [] { return Form4->ListBox1; }},
        };
        for (const Case& c : cases) {
            const QString name = QString::fromLatin1(c.name);
            c.prepare();
            if (QTest::currentTestFailed()) return;
            QListWidget* lines = c.list();
            QVERIFY2(lines->count() > 0, c.name);
            QTest::qWait(20);
            const PaintedLine p = paintedLine(lines);
            QHeaderView* h = c.header();
            if (!h) {
                // The cells end inside the list: its last pixel shows the line's own fill.
                const QColor last = p.image.pixelColor(p.image.width() - 1, p.top);
                QCOMPARE(last, QColor(Qt::white));
                QVERIFY2(!p.changes.empty(), c.name);
                continue;
            }
            const std::vector<int> edges = headerEdges(h);
            QVERIFY2(std::abs(edges.front() - p.left) <= 1,
                     qPrintable(name + QStringLiteral(": header starts at %1, line at %2")
                                           .arg(edges.front())
                                           .arg(p.left)));
            for (std::size_t i = 1; i < edges.size(); ++i)
                QVERIFY2(near(p.changes, edges[i]),
                         qPrintable(name + QStringLiteral(": section %1 ends at %2; painted "
                                                          "edges: %3")
                                               .arg(i - 1)
                                               .arg(edges[i])
                                               .arg(list(p.changes))));
            // Each title reads whole in its section.
            const int margin = h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
            for (int i = 0; i < h->count(); ++i) {
                const QString title = h->model()->headerData(i, Qt::Horizontal).toString();
                QVERIFY2(QFontMetrics(h->font()).horizontalAdvance(title) + 2 * margin <=
                             h->sectionSize(i),
                         qPrintable(name + QStringLiteral(": title ") + title));
            }
            for (int x : p.lines)
                QVERIFY2(near(edges, x, 2),
                         qPrintable(name + QStringLiteral(": a painted line at %1 under no "
                                                          "section edge (%2)")
                                               .arg(x)
                                               .arg(list(edges))));
        }
    }
};

QTEST_MAIN(LooksTest)
#include "tst_looks.moc"
