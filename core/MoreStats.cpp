#include "core/MoreStats.h"

#include "core/NumberText.h"

namespace kviro {

double manaSum(const Table& table) {
    // Four partial sums keep the additions independent; each is exact to far below the
    // precision of a float record.
    double s[4] = {0, 0, 0, 0};
    const std::size_t n = table.size();
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        s[0] += table[i]->mana;
        s[1] += table[i + 1]->mana;
        s[2] += table[i + 2]->mana;
        s[3] += table[i + 3]->mana;
    }
    for (; i < n; ++i) s[0] += table[i]->mana;
    return (s[0] + s[1]) + (s[2] + s[3]);
}

InfoTexts infoTexts(const Table& more, char sep) {
    constexpr double full = kAllCombinations;
    const long long n = static_cast<long long>(more.size());
    const long long d = kAllCombinations - n;
    const double s = manaSum(more);
    const double livePercent = static_cast<double>(n * 100) / full;
    const double liveManaPercent = 100.0 * s / full;

    InfoTexts t;
    t.Label5 = std::to_string(n);
    t.Label6 = formatFixed(livePercent, 4, 1, sep) + "%";
    t.Label7 = std::to_string(d);
    t.Label9 = formatFixed(s, 7, 3, sep);
    t.Label10 = formatFixed(liveManaPercent, 4, 1, sep) + "%";
    if (d == 0) {
        t.Label8 = "0";
        t.Label11 = "0";
        t.Label12 = "0%";
    } else {
        t.Label8 = formatFixed(100.0 - livePercent, 4, 1, sep) + "%";
        t.Label11 = formatFixed(full - s, 7, 3, sep);
        t.Label12 = formatFixed(100.0 - liveManaPercent, 4, 1, sep) + "%";
    }
    return t;
}

} // namespace kviro
