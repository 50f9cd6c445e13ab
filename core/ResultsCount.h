// Results control: the drawn signs, the hit count of a loaded table, and its list rows.
#pragma once

#include "core/TextMetrics.h"
#include "core/Toto13class.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace kviro {

// Why the 13 result fields do not give a result.
struct ResultEntryError {
    enum class Kind {
        NotAnInteger, // a field's text does not convert; reported before any empty field
        Empty,        // a field is empty
        NotASign      // an integer other than 0, 1 and 2
    };
    Kind kind = Kind::Empty;
    int field = 1;    // the first field (1 ... 13) with this fault
    std::string text; // that field's text
};

struct ResultSigns {
    Digits digits{}; // valid when error is empty
    std::optional<ResultEntryError> error;
    bool ok() const { return !error.has_value(); }
};

// Reads the drawn result from the texts of the 13 fields, match 1 first. The fields are
// converted in order and the first text that is not an integer stops at once; then an
// empty field refuses the entry; then a value other than 0, 1 or 2.
ResultSigns readResultFields(const std::array<std::string, kMatches>& fields);

// Stores in every combination's np the number of matches at which its sign equals the
// result's, then orders the table by that count, most hits first. Combinations with equal
// counts keep the order they had.
void countHits(Table& list, std::uint32_t resultCode);

// The text of a list row: serial, two blanks, the 13 signs, two blanks, hits.
std::string resultRowText(const Combination& rec);

// Rows of the results list and how the scroll bar walks over them.
constexpr int kResultRows = 23;
// The greatest first row the scroll bar reaches: the last page ends with the last row.
inline std::size_t resultsLastTopRow(std::size_t n) {
    return n > kResultRows ? n - kResultRows : 0;
}
// Number of rows shown from the first row `top`: min(n, top + 23) - top.
inline std::size_t resultsRowsShown(std::size_t top, std::size_t n) {
    return top >= n ? 0 : (n - top < kResultRows ? n - top : kResultRows);
}

// One cell of a drawn results row: its rectangle spans the row's height from `left` for
// `width` pixels; the text's top-left corner is at (textX, textY).
struct ResultCell {
    int left = 0;
    int width = 0;
    std::string text;
    int textX = 0;
    int textY = 0;
};
enum ResultCellIndex { kPlaceCell, kSerialCell, kSignsCell, kHitsCell };

// The four cells of the row that shows the combination at `index` (0-based) of a table of
// `n`, for a row whose rectangle starts at (rowLeft, rowTop), measured in the list's font:
// place "i + 1." right-aligned in "MM" + n; the serial ending one "M" before the right edge
// of n + "MM"; the signs 5 pixels into 15 "M"; the hits ending "MM" before the right edge of
// 5 "M". Cells stand 2 pixels apart.
std::array<ResultCell, 4> resultRowCells(const Combination& rec, std::size_t index, std::size_t n,
                                         int rowLeft, int rowTop, const TextMetrics& metrics);

} // namespace kviro
