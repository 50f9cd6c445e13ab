#include "more/MoreRowPainter.h"

#include "core/NumberText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <QString>

namespace kviro::ui {

QFont moreRowFont(bool large, bool bold) {
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPixelSize(large ? 12 : 11); // 9 and 8 points at 96 dpi
    f.setBold(bold);
    return f;
}

namespace {

struct Metrics {
    int numberWidth; // W("MM1600000"), 8 points bold
    int signsWidth;  // W(21 x "M"), 9 points bold
    int signM;       // W("M"), 9 points bold
    int m;           // W("M"), 8 points
    int m2, m4, m7, m8;
    int manaWidth; // W("1600000.0000"), 8 points
};

Metrics metrics() {
    const QFontMetrics number(moreRowFont(false, true));
    const QFontMetrics signs(moreRowFont(true, true));
    const QFontMetrics plain(moreRowFont(false, false));
    Metrics k{};
    k.numberWidth = number.horizontalAdvance(QStringLiteral("MM1600000"));
    k.signsWidth = signs.horizontalAdvance(QString(21, QLatin1Char('M')));
    k.signM = signs.horizontalAdvance(QLatin1Char('M'));
    k.m = plain.horizontalAdvance(QLatin1Char('M'));
    k.m2 = plain.horizontalAdvance(QStringLiteral("MM"));
    k.m4 = plain.horizontalAdvance(QStringLiteral("MMMM"));
    k.m7 = plain.horizontalAdvance(QStringLiteral("MMMMMMM"));
    k.m8 = plain.horizontalAdvance(QStringLiteral("MMMMMMMM"));
    k.manaWidth = plain.horizontalAdvance(QStringLiteral("1600000.0000"));
    return k;
}

// Draws `text` with its top at `top` so that it ends at `right`.
void drawEndingAt(QPainter* p, int right, int top, const QString& text) {
    const QFontMetrics fm(p->font());
    p->drawText(QPoint(right - fm.horizontalAdvance(text), top + fm.ascent()), text);
}

void verticalLines(QPainter* p, int left, int right, const QRect& r) {
    p->drawLine(left, r.top(), left, r.bottom());
    p->drawLine(right, r.top(), right, r.bottom());
}

} // namespace

MoreRowColumns moreRowColumns() {
    const Metrics k = metrics();
    MoreRowColumns c;
    c.number = 0;
    c.signs = c.number + k.numberWidth;
    c.counts = c.signs + k.signsWidth;
    c.mana = c.counts + k.m8;
    c.np = c.mana + k.manaWidth + 2;
    c.end = c.np + k.m4;
    return c;
}

void paintMoreRow(QPainter* p, const QRect& r, const Combination& rec, int row, bool selected,
                  char sep) {
    const Metrics k = metrics();
    p->save();
    p->setClipRect(r);
    p->setPen(Qt::NoPen);
    p->fillRect(r, selected ? kMoreBlue : QColor(Qt::white));

    // Number column on silver.
    const int c1 = r.left();
    const int c2 = c1 + k.numberWidth;
    p->fillRect(QRect(c1, r.top(), c2 - c1, r.height()), kMoreSilver);
    p->setFont(moreRowFont(false, true));
    p->setPen(Qt::black);
    drawEndingAt(p, c2, r.top(), QString::number(row + 1) + QLatin1Char('.'));

    // The 13 signs in groups of 3, 3, 3 and 4.
    const int c3 = c2 + k.signsWidth;
    p->fillRect(QRect(c2, r.top(), c3 - c2, r.height()), selected ? QColor(Qt::white) : kMoreTeal);
    p->setFont(moreRowFont(true, true));
    p->setPen(selected ? Qt::black : Qt::white);
    const QFontMetrics signFm(p->font());
    int o = 0;
    for (int match = 1; match <= kMatches; ++match) {
        p->drawText(QPoint(c2 + o + 5, r.top() + signFm.ascent()),
                    QString::number(signAt(rec, match)));
        o += 3 * k.signM / 2;
        if (match == 3 || match == 6 || match == 9) o += k.signM / 2;
    }

    // Counts, MANA and NP over the row's own fill, between black lines.
    p->setFont(moreRowFont(false, false));
    const QColor text = selected ? QColor(Qt::white) : QColor(Qt::black);
    const int c4 = c3 + k.m8;
    p->setPen(Qt::black);
    verticalLines(p, c3, c4, r);
    p->setPen(text);
    drawEndingAt(p, c3 + k.m2 + 5, r.top(), QString::number(rec.count1));
    drawEndingAt(p, c3 + k.m4 + k.m / 2 + 5, r.top(), QString::number(rec.count0));
    drawEndingAt(p, c3 + k.m7 + 5, r.top(), QString::number(rec.count2));

    const int c5 = c4 + k.manaWidth;
    p->setPen(Qt::black);
    verticalLines(p, c4, c5, r);
    p->setPen(text);
    drawEndingAt(p, c5 - 5, r.top(), QString::fromStdString(formatFixed(rec.mana, 7, 4, sep)));

    const int c6 = c5 + 2;
    const int c7 = c6 + k.m4;
    p->setPen(Qt::black);
    verticalLines(p, c6, c7, r);
    p->setPen(text);
    drawEndingAt(p, c7 - 5, r.top(), QString::number(rec.np));
    p->restore();
}

} // namespace kviro::ui
