#include "core/MoreStats.h"

#include "core/Network.h"
#include "core/NumberText.h"

namespace kviro {

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
