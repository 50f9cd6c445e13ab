#include "core/MoreNp.h"

#include "core/MoreFilters.h"
#include "core/NumberText.h"

namespace kviro {

namespace {

template <class Change> void forRows(const Table& table, std::span<const int> indices, Change change) {
    for (int i : indices)
        if (i >= 0 && static_cast<std::size_t>(i) < table.size())
            change(table[static_cast<std::size_t>(i)]->np);
}

} // namespace

void raiseNp(const Table& table, std::span<const int> indices) {
    forRows(table, indices, [](std::int8_t& np) {
        if (np < 127) ++np;
    });
}

void lowerNp(const Table& table, std::span<const int> indices) {
    forRows(table, indices, [](std::int8_t& np) { np = static_cast<std::int8_t>(np > 0 ? np - 1 : 0); });
}

void setNp(const Table& table, std::span<const int> indices, std::int8_t value) {
    forRows(table, indices, [value](std::int8_t& np) { np = value; });
}

void resetAllNp(const Table& table) {
    for (Combination* rec : table) rec->np = 0;
}

std::optional<int> purgeThreshold(std::string_view text) {
    const std::optional<int> x = parseInteger(text);
    if (!x || *x == -1) return std::nullopt;
    return x;
}

std::size_t purgeNpAbove(Table& table, int x) {
    return filterTable(table, [x](const Combination& rec) { return rec.np <= x; });
}

} // namespace kviro
