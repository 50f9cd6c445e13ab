// Drawing of one row of the MORE list: number, the 13 signs in groups, the sign counts, MANA
// and NP. It reads the one record it is given and nothing else, so a page costs 25 records.
#pragma once

#include "core/Toto13class.h"

#include <QColor>
#include <QFont>

class QPainter;
class QRect;

namespace kviro::ui {

// Fonts of the row. Sizes are those of 8 and 9 points on a 96-dpi screen, given in pixels so
// that a row looks the same on every device (and in a test's image).
QFont moreRowFont(bool large, bool bold);

inline const QColor kMoreSilver{192, 192, 192};
inline const QColor kMoreTeal{0, 128, 128};
inline const QColor kMoreBlue{0, 0, 255};

// Left edges of the columns of a row that starts at x = 0: number, signs, counts, MANA, NP,
// and the NP column's right edge.
struct MoreRowColumns {
    int number = 0;
    int signs = 0;
    int counts = 0;
    int mana = 0;
    int np = 0;
    int end = 0;
};
MoreRowColumns moreRowColumns();

// Paints table row `row` (0-based; shown 1-based) holding `rec` into `rect`; `sep` is the
// decimal separator of the MANA text.
void paintMoreRow(QPainter* painter, const QRect& rect, const Combination& rec, int row,
                  bool selected, char sep);

} // namespace kviro::ui
