#include "mreza/NetworkPaint.h"

#include "core/NumberText.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>

#include <algorithm>
#include <QPainter>

namespace kviro::ui {

namespace {

const QColor kSilver(192, 192, 192);
const QColor kTeal(0, 128, 128);
const QColor kBlue(0, 0, 255);

constexpr int kPad = 2; // room between a right-aligned text and the cell's edge

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// One cell: filled, its text drawn, a thin black line on its right edge. Returns its right.
struct Cell {
    QPainter* p;
    QRect line;
    int x = 0;

    QRect take(int width) {
        const QRect c(x, line.top(), width, line.height());
        x += width;
        return c;
    }
    void fill(const QRect& c, const QColor& bg) { p->fillRect(c, bg); }
    void edge(const QRect& c) {
        p->setPen(Qt::black);
        p->drawLine(c.right(), c.top(), c.right(), c.bottom());
    }
    void text(const QRect& c, const QString& t, const QColor& fg, Qt::Alignment align) {
        p->setPen(fg);
        const QRect room = c.adjusted(kPad, 0, -kPad - 1, 0);
        const int width = QFontMetrics(p->font()).horizontalAdvance(t);
        if (width <= room.width() || width <= 0) {
            p->drawText(room, static_cast<int>(align | Qt::AlignVCenter), t);
            return;
        }
        // A number wider than its cell (a count of many repeated rows) is narrowed to fit,
        // never cut: every digit stays readable.
        p->save();
        p->translate(room.left(), 0);
        p->scale(double(room.width()) / width, 1.0);
        p->drawText(QRect(0, room.top(), width, room.height()), Qt::AlignLeft | Qt::AlignVCenter,
                    t);
        p->restore();
    }
    // Two numbers in one cell, the first at its left edge and the second at its right, narrowed
    // together when they would touch.
    void pair(const QRect& c, const QString& left, const QString& right, const QColor& fg) {
        const QFontMetrics fm(p->font());
        const int room = c.width() - 2 * kPad - 1;
        const int needed = fm.horizontalAdvance(left + QLatin1Char(' ') + right);
        if (needed <= room) {
            text(c, left, fg, Qt::AlignLeft);
            text(c, right, fg, Qt::AlignRight);
            return;
        }
        text(c, left + QLatin1Char(' ') + right, fg, Qt::AlignLeft);
    }
};

// The 13 signs, `step` M-widths apart, with `gap` extra M-widths after the 3rd, 6th and 9th.
void drawSigns(QPainter* p, const QRect& c, std::uint32_t code, double step, double gap,
               const QColor& fg) {
    const QFontMetrics fm(p->font());
    const double m = fm.horizontalAdvance(QLatin1Char('M'));
    p->setPen(fg);
    double x = c.left() + m / 2;
    for (int a = 1; a <= kMatches; ++a) {
        const QRectF box(x, c.top(), m, c.height());
        p->drawText(box, Qt::AlignCenter, QString::number(signAt(code, a)));
        x += step * m;
        if (a == 3 || a == 6 || a == 9) x += gap * m;
    }
}

int widthOf(const QFont& f, const QString& text) {
    return QFontMetrics(f).horizontalAdvance(text);
}

QString mWidths(int n) {
    return QString(n, QLatin1Char('M'));
}

// The cells common to the network and candidate lines: "##", signs, counts, MANA.
void drawFront(Cell& cell, const Combination& rec, const QString& number, int numberWidth,
               bool selected, char sep) {
    QPainter* p = cell.p;
    const QFont normal = listFont(9);
    const QColor fg = selected ? Qt::white : Qt::black;
    const QColor bg = selected ? kBlue : Qt::white;

    QRect c = cell.take(numberWidth);
    cell.fill(c, kSilver);
    p->setFont(listFont(9, true));
    cell.text(c, number, Qt::black, Qt::AlignRight);
    cell.edge(c);

    p->setFont(normal);
    c = cell.take(widthOf(normal, mWidths(21)));
    cell.fill(c, selected ? QColor(Qt::white) : kTeal);
    drawSigns(p, c, rec.code, 1.5, 0.5, selected ? Qt::black : Qt::white);
    cell.edge(c);

    c = cell.take(widthOf(normal, mWidths(8)));
    cell.fill(c, bg);
    const int third = c.width() / 3;
    const int counts[3] = {rec.count1, rec.count0, rec.count2};
    for (int k = 0; k < 3; ++k)
        cell.text(QRect(c.left() + k * third, c.top(), third, c.height()),
                  QString::number(counts[k]), fg, Qt::AlignRight);
    cell.edge(c);

    c = cell.take(widthOf(normal, QStringLiteral("1600000.0000")));
    cell.fill(c, bg);
    p->setFont(listFont(8));
    cell.text(c, qs(formatFixed(rec.mana, 7, 4, sep)), fg, Qt::AlignRight);
    p->setFont(normal);
    cell.edge(c);
}

} // namespace

QFont listFont(int points, bool bold) {
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

NetworkCells NetworkCells::measure() {
    const QFont f = listFont(9);
    NetworkCells c;
    c.number = widthOf(listFont(9), QStringLiteral("MM1600000"));
    c.combination = widthOf(f, mWidths(21));
    c.counts = widthOf(f, mWidths(8));
    c.mana = widthOf(f, QStringLiteral("1600000.0000"));
    c.np = widthOf(f, mWidths(4));
    return c;
}

void paintBlankLine(QPainter* p, const QRect& r) {
    p->fillRect(r, Qt::white);
}

void paintNetworkLine(QPainter* p, const QRect& r, const Combination& rec, bool selected,
                      char sep) {
    p->save();
    paintBlankLine(p, r);
    Cell cell{p, r, r.left()};
    drawFront(cell, rec, QString::number(rec.ordinal), NetworkCells::measure().number, selected,
              sep);
    const QColor fg = selected ? Qt::white : Qt::black;
    const QColor bg = selected ? kBlue : Qt::white;
    const QRect c = cell.take(widthOf(listFont(9), mWidths(4)));
    cell.fill(c, bg);
    cell.text(c, QString::number(rec.np), fg, Qt::AlignRight);
    cell.edge(c);
    // The rest of the line, if the list is wider than the cells.
    if (cell.x <= r.right())
        p->fillRect(QRect(cell.x, r.top(), r.right() - cell.x + 1, r.height()), bg);
    p->restore();
}

void paintTukLine(QPainter* p, const QRect& r, const Combination& rec, int place, std::size_t rows,
                  bool selected) {
    p->save();
    p->fillRect(r, selected ? kBlue : QColor(Qt::white));
    Cell cell{p, r, r.left()};
    const QFont f9 = listFont(9);
    QRect c = cell.take(widthOf(f9, QStringLiteral("MM") + QString::number(rows)));
    cell.fill(c, kSilver);
    p->setFont(f9);
    cell.text(c, QString::number(place) + QLatin1Char('.'), selected ? Qt::red : Qt::black,
              Qt::AlignRight);
    cell.edge(c);
    const QFont f10 = listFont(10);
    p->setFont(f10);
    c = cell.take(widthOf(f10, mWidths(25)));
    cell.fill(c, selected ? QColor(Qt::white) : kTeal);
    drawSigns(p, c, rec.code, 1.5, 1.0, selected ? Qt::black : Qt::white);
    cell.edge(c);
    p->restore();
}

QFont headerFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(9);
    return f;
}

QStringList candidateCaptions(CandidateList list) {
    QStringList c{QStringLiteral("##"), QStringLiteral("Kombinacija"), QStringLiteral("1 0 2"),
                  QStringLiteral("MANA")};
    if (list == CandidateList::Pota12)
        c << QStringLiteral("13  12") << QStringLiteral("sum MANA") << QStringLiteral("11");
    else
        c << QStringLiteral("br.pog.") << QStringLiteral("sum MANA");
    return c;
}

std::vector<int> candidateCells(std::size_t rows, CandidateList list) {
    const QFont f9 = listFont(9);
    const NetworkCells front = NetworkCells::measure();
    std::vector<int> w{widthOf(f9, QStringLiteral("MM") + QString::number(rows)),
                       front.combination, front.counts, front.mana};
    if (list == CandidateList::Pota12) {
        w.push_back(widthOf(f9, mWidths(5)));
        w.push_back(front.mana);
        w.push_back(widthOf(f9, mWidths(5)));
    } else {
        w.push_back(widthOf(f9, mWidths(4)));
        w.push_back(front.mana);
    }
    const QStringList titles = candidateCaptions(list);
    const int margins = 2 * QApplication::style()->pixelMetric(QStyle::PM_HeaderMargin) + 2;
    for (std::size_t i = 0; i < w.size(); ++i)
        w[i] = std::max(w[i], widthOf(headerFont(), titles[static_cast<qsizetype>(i)]) + margins);
    return w;
}

void paintCandidateLine(QPainter* p, const QRect& r, const Combination& rec, int place,
                        std::size_t rows, bool selected, CandidateList list, char sep) {
    p->save();
    paintBlankLine(p, r);
    Cell cell{p, r, r.left()};
    const std::vector<int> widths = candidateCells(rows, list);
    const QFont f9 = listFont(9);
    drawFront(cell, rec, QString::number(place) + QLatin1Char('.'), widths[0], selected, sep);
    const QColor fg = selected ? Qt::white : Qt::black;
    const QColor bg = selected ? kBlue : Qt::white;
    const QFont f8 = listFont(8);
    QRect c = cell.take(widths[4]);
    cell.fill(c, bg);
    if (list == CandidateList::Pota12)
        cell.pair(c, QString::number(rec.hits13), QString::number(rec.hits12), fg);
    else
        cell.text(c, QString::number(rec.hitCount), fg, Qt::AlignRight);
    cell.edge(c);
    c = cell.take(widths[5]);
    cell.fill(c, bg);
    p->setFont(f8);
    cell.text(c, qs(formatFixed(rec.sumMana, 7, 4, sep)), fg, Qt::AlignRight);
    p->setFont(f9);
    cell.edge(c);
    if (list == CandidateList::Pota12) {
        c = cell.take(widths[6]);
        cell.fill(c, bg);
        cell.text(c, QString::number(rec.hitCount), fg, Qt::AlignRight);
        cell.edge(c);
    }
    if (cell.x <= r.right())
        p->fillRect(QRect(cell.x, r.top(), r.right() - cell.x + 1, r.height()), bg);
    p->restore();
}

} // namespace kviro::ui
