#include "core/Network.h"

#include "core/Coverage.h"
#include "core/NumberText.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kviro {

HandOver handOverNetwork(const Table& more, Table& mreza, Table& mreza0, Table& tuk) {
    mreza.clear();
    mreza0.clear();
    mreza.reserve(more.size());
    mreza0.reserve(more.size());
    HandOver h;
    const std::size_t n = more.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i + 16 < n) __builtin_prefetch(more[i + 16]);
        Combination* rec = more[i];
        rec->ordinal = static_cast<std::int32_t>(i + 1);
        mreza.push_back(rec);
        mreza0.push_back(rec);
        h.manaSum += rec->mana;
    }
    h.rows = n;
    tuk.clear();
    return h;
}

std::string networkCountText(std::size_t rows) {
    return std::to_string(rows);
}

std::string networkManaText(double sum, char sep) {
    return formatFixed(sum, 7, 2, sep);
}

void copyNetworkToTuk(const Table& mreza, Table& tuk) {
    tuk.assign(mreza.begin(), mreza.end());
}

void restoreNetwork(Table& mreza, const Table& mreza0) {
    mreza.assign(mreza0.begin(), mreza0.end());
}

double manaSum(const Table& table) {
    double sum = 0.0;
    const std::size_t n = table.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i + 16 < n) __builtin_prefetch(table[i + 16]);
        sum += table[i]->mana;
    }
    return sum;
}

namespace {

std::string rowPercent(std::size_t rows, std::size_t of, char sep) {
    const std::uint64_t whole = of == 0 ? 0 : static_cast<std::uint64_t>(rows) * 100 / of;
    return formatFixed(static_cast<double>(whole), 15, 2, sep) + " %";
}

std::string manaPercent(double sum, double manuNum, char sep) {
    if (manuNum == 0.0) return formatFixed(0.0, 5, 2, sep);
    return formatFixed(sum * 100.0 / manuNum, 5, 2, sep);
}

} // namespace

NetworkInfo networkInfo(const Table& mreza, const Table& mreza0, const Table& tuk, double manuNum,
                        char sep) {
    NetworkInfo info;
    const double mrezaSum = manaSum(mreza);
    const double tukSum = manaSum(tuk);
    info.mrezaRows = std::to_string(mreza.size());
    info.mrezaPercent = rowPercent(mreza.size(), mreza0.size(), sep);
    info.mrezaMana = formatFixed(mrezaSum, 7, 2, sep);
    info.mrezaManaPercent = manaPercent(mrezaSum, manuNum, sep);
    info.tukRows = std::to_string(tuk.size());
    info.tukPercent = rowPercent(tuk.size(), mreza0.size(), sep);
    info.tukMana = formatFixed(tukSum, 7, 2, sep);
    info.tukManaPercent = manaPercent(tukSum, manuNum, sep);
    return info;
}

namespace {

// Stable sort of the table by a 64-bit key, highest first, over a compact copy of the keys so
// that the records are read once.
template <class KeyOf> void sortByKeyDescending(Table& table, KeyOf keyOf) {
    struct Keyed {
        std::uint64_t key;
        Combination* rec;
    };
    const std::size_t n = table.size();
    std::vector<Keyed> keyed(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (i + 16 < n) __builtin_prefetch(table[i + 16]);
        keyed[i] = {keyOf(*table[i]), table[i]};
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const Keyed& a, const Keyed& b) { return a.key > b.key; });
    for (std::size_t i = 0; i < n; ++i)
        table[i] = keyed[i].rec;
}

std::uint64_t int8Key(std::int8_t v) {
    return static_cast<std::uint8_t>(v) ^ 0x80u;
}

} // namespace

bool sortNetworkBySection(Table& mreza, int section) {
    switch (section) {
    case 2: // TIP: "1" signs, then "0" signs, then MANA
        sortByKeyDescending(mreza, [](const Combination& r) {
            return (int8Key(r.count1) << 40) | (int8Key(r.count0) << 32) | floatOrderKey(r.mana);
        });
        return true;
    case 3:
        sortByKeyDescending(
            mreza, [](const Combination& r) -> std::uint64_t { return floatOrderKey(r.mana); });
        return true;
    case 4:
        sortByKeyDescending(mreza, [](const Combination& r) { return int8Key(r.np); });
        return true;
    default:
        return false;
    }
}

} // namespace kviro
