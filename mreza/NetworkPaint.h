// Drawing of one line of the network window's lists: the network (MREZA), TUK and the two
// candidate lists. Each routine paints one record into a rectangle on any painter, so the
// lists draw only their visible lines and tests can paint into an image.
#pragma once

#include "core/Toto13class.h"

#include <QFont>
#include <QRect>
#include <QStringList>

#include <cstddef>
#include <vector>

class QPainter;
class QFontMetrics;

namespace kviro::ui {

// Courier New (or the nearest fixed-pitch font) in points, as the lists use it.
QFont listFont(int points = 9, bool bold = false);

// Cell widths of a network line in the list font.
struct NetworkCells {
    int number = 0;      // "##": "MM" followed by 1600000
    int combination = 0; // 21 letters "M"
    int counts = 0;      // "1" "0" "2": "MMMMMMMM"
    int mana = 0;        // "1600000.0000"
    int np = 0;          // "MMMM"
    int total() const { return number + combination + counts + mana + np; }
    static NetworkCells measure();
};

// Network line: ordinal, the signs, count1/count0/count2, MANA and NP.
void paintNetworkLine(QPainter* p, const QRect& r, const Combination& rec, bool selected, char sep);

// TUK line: its 1-based place among `rows` TUK rows and the signs; the rest of the line blank.
void paintTukLine(QPainter* p, const QRect& r, const Combination& rec, int place, std::size_t rows,
                  bool selected);

enum class CandidateList { Pota12, Pot11 };

// The font of the headers over the lists.
QFont headerFont();
// The titles of a candidate list's header, one per cell.
QStringList candidateCaptions(CandidateList list);
// Cell widths of a candidate line, left to right, for a list of `rows` rows: "##", signs,
// counts, MANA, then "13  12", "sum MANA", "11" (POTA12) or "br.pog.", "sum MANA" (POT11).
// A cell is as wide as its contents, or as its title when that is wider, so that the title
// reads whole; the list's header takes its sections from here.
std::vector<int> candidateCells(std::size_t rows, CandidateList list);

// Candidate line of the POTA12 or POT11 list: place, signs, counts, MANA and the list's figures.
void paintCandidateLine(QPainter* p, const QRect& r, const Combination& rec, int place,
                        std::size_t rows, bool selected, CandidateList list, char sep);

// A line past the last row: white.
void paintBlankLine(QPainter* p, const QRect& r);

} // namespace kviro::ui
