#include "core/MoreRows.h"

#include <algorithm>
#include <vector>

namespace kviro {

std::optional<std::uint32_t> findKey(const Digits& digits) {
    for (int d : digits)
        if (d < 0 || d > 2) return std::nullopt;
    return codeOf(digits);
}

std::optional<std::size_t> findCode(const Table& table, std::uint32_t key) {
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i]->code == key) return i;
    return std::nullopt;
}

std::size_t deleteRows(Table& table, std::span<const int> indices) {
    std::vector<std::size_t> drop;
    drop.reserve(indices.size());
    for (int i : indices)
        if (i >= 0 && static_cast<std::size_t>(i) < table.size()) drop.push_back(static_cast<std::size_t>(i));
    if (drop.empty()) return 0;
    std::sort(drop.begin(), drop.end());
    drop.erase(std::unique(drop.begin(), drop.end()), drop.end());
    // Close the gaps from the first removed row on.
    std::size_t out = drop.front();
    std::size_t next = 0;
    for (std::size_t i = drop.front(); i < table.size(); ++i) {
        if (next < drop.size() && drop[next] == i) {
            ++next;
            continue;
        }
        table[out++] = table[i];
    }
    table.resize(out);
    return drop.size();
}

void takeSnapshot(Tables& t) { t.MORE0 = t.MORE; }

bool resetFromSnapshot(Tables& t) {
    if (t.MORE0.empty()) return false;
    t.MORE = t.MORE0;
    return true;
}

} // namespace kviro
