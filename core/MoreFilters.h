// Filters that cut a table down by a rule: the limit rows and the comb. Kept rows stay in
// table order; removed records are not released (other tables may still refer to them).
#pragma once

#include "core/Toto13class.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace kviro {

// Keeps the rows for which keep(const Combination&) is true, in order. Returns rows removed.
template <class Keep> std::size_t filterTable(Table& table, Keep keep) {
    const std::size_t n = table.size();
    std::size_t out = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (i + 16 < n) __builtin_prefetch(table[i + 16]); // sorted tables visit records at random
        Combination* rec = table[i];
        table[out] = rec;
        out += keep(*rec) ? 1 : 0;
    }
    table.resize(out);
    return n - out;
}

// ---- limits ---------------------------------------------------------------------------------

// The ten rows of the limit dialog, named after the workbench operation each one runs.
// "...1" rows remove values >= X, "...2" rows remove values <= X.
enum class LimitRow {
    LimitMANA1, // mana >= X removed
    LimitMANA2, // mana <= X removed
    Limit11,    // count1 >= X removed
    Limit12,    // count1 <= X removed
    Limit01,    // count0 >= X removed
    Limit02,    // count0 <= X removed
    Limit21,    // count2 >= X removed
    Limit22,    // count2 <= X removed
    LimitNP1,   // np >= X removed
    LimitNP2,   // np <= X removed
};

// One limit row with its threshold read: `mana` for the two MANA rows, `value` for the others.
struct Limit {
    LimitRow row = LimitRow::LimitMANA1;
    float mana = 0.0f;
    std::int32_t value = 0;
};

// Reads a row's threshold text: a decimal number with separator `sep` rounded to a float for
// the MANA rows (beyond the float range it becomes +-infinity), a 32-bit decimal integer for
// the others. Nothing when the text does not convert (an empty text included).
std::optional<Limit> parseLimit(LimitRow row, std::string_view text, char sep);

// True when the limit removes the record.
bool limitRemoves(const Limit& limit, const Combination& rec);

// Applies one limit row to the table. Returns rows removed.
std::size_t limitTable(Table& table, const Limit& limit);

// ---- comb -----------------------------------------------------------------------------------

// The comb dialog after reading its fields. A combination scores a hit at match k when its
// sign digit equals left[k] or right[k]; rows with more than `most` hits (X) or fewer than
// `fewest` hits (Y) are removed.
struct CombPattern {
    std::array<std::int32_t, kMatches> left{};  // ttv11 ... ttv131; -1 for an empty field
    std::array<std::int32_t, kMatches> right{}; // ttv10 ... ttv130; -1 for an empty field
    std::int8_t most = 0;                       // X, bound "više od" (read with parseInteger8)
    std::int8_t fewest = 0;                     // Y, bound "manje od"
};

// A pattern field: -1 when empty, its decimal integer otherwise; nothing when not an integer.
std::optional<std::int32_t> combSignField(std::string_view text);

// True when both bounds lie in 0 ... 13; otherwise the dialog shows its message and stops.
bool validHitBounds(const CombPattern& pattern);

// Hits of a code against the pattern (0 ... 13).
int combHits(std::uint32_t code, const CombPattern& pattern);

// Keeps the rows with fewest <= hits <= most. Does nothing (returns 0) when the bounds are
// not valid. Returns rows removed.
std::size_t combTable(Table& table, const CombPattern& pattern);

} // namespace kviro
