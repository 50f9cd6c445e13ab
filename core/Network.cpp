#include "core/Network.h"

#include "core/MoreSort.h"
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

// TUK's rows against the handed-over network, rounded to two decimals.
std::string roundedRowPercent(std::size_t rows, std::size_t of, char sep) {
    const double share = of == 0 ? 0.0 : static_cast<double>(rows) * 100.0 / static_cast<double>(of);
    return formatFixed(share, 15, 2, sep) + " %";
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
    info.tukPercent = roundedRowPercent(tuk.size(), mreza0.size(), sep);
    info.tukMana = formatFixed(tukSum, 7, 2, sep);
    info.tukManaPercent = manaPercent(tukSum, manuNum, sep);
    return info;
}

bool sortNetworkBySection(Table& mreza, int section) {
    switch (section) {
    case 2: sortByTip(mreza); return true;
    case 3: sortByMana(mreza); return true;
    case 4: sortByNp(mreza); return true;
    default: return false;
    }
}

} // namespace kviro
