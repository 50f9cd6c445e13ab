// NP commands on chosen rows of a table, and the purge of rows by NP.
#pragma once

#include "core/Toto13class.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace kviro {

// NP + 1 on the rows at the given indices (indices past the end are ignored). NP stops at
// 127 instead of wrapping round to -128.
void raiseNp(const Table& table, std::span<const int> indices);
// NP - 1 on the given rows; a result below 0 becomes 0 (so -128 gives 0, not 127).
void lowerNp(const Table& table, std::span<const int> indices);
// NP := value on the given rows (the entry dialog's text read with parseInteger8).
void setNp(const Table& table, std::span<const int> indices, std::int8_t value);
// NP := 0 on every row.
void resetAllNp(const Table& table);

// X of the purge "NP > X": the text as a decimal integer; nothing when it is not one or when
// it is -1 (both mean the purge does nothing).
std::optional<int> purgeThreshold(std::string_view text);
// Removes every row whose np is greater than x; the others keep their order. Returns rows removed.
std::size_t purgeNpAbove(Table& table, int x);

} // namespace kviro
