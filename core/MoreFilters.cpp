#include "core/MoreFilters.h"

#include "core/NumberText.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace kviro {

namespace {

// Rounds to the nearest float; values past the float range become +-infinity instead of the
// undefined conversion.
float roundToFloat(double x) {
    constexpr double halfwayPastMax = 0x1.ffffffp127; // FLT_MAX + half its last unit
    if (std::fabs(x) >= halfwayPastMax)
        return x > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    if (std::fabs(x) > FLT_MAX) return x > 0 ? FLT_MAX : -FLT_MAX;
    return static_cast<float>(x);
}

bool isManaRow(LimitRow row) { return row == LimitRow::LimitMANA1 || row == LimitRow::LimitMANA2; }

template <class Field>
std::size_t limitBy(Table& table, Field field, std::int32_t x, bool removeAtLeast) {
    if (removeAtLeast) return filterTable(table, [&](const Combination& c) { return field(c) < x; });
    return filterTable(table, [&](const Combination& c) { return field(c) > x; });
}

} // namespace

std::optional<Limit> parseLimit(LimitRow row, std::string_view text, char sep) {
    Limit limit;
    limit.row = row;
    if (isManaRow(row)) {
        const std::optional<double> x = parseDecimal(text, sep);
        if (!x) return std::nullopt;
        limit.mana = roundToFloat(*x);
    } else {
        const std::optional<int> x = parseInteger(text);
        if (!x) return std::nullopt;
        limit.value = *x;
    }
    return limit;
}

bool limitRemoves(const Limit& limit, const Combination& rec) {
    const std::int32_t x = limit.value;
    switch (limit.row) {
    case LimitRow::LimitMANA1: return rec.mana >= limit.mana;
    case LimitRow::LimitMANA2: return rec.mana <= limit.mana;
    case LimitRow::Limit11: return rec.count1 >= x;
    case LimitRow::Limit12: return rec.count1 <= x;
    case LimitRow::Limit01: return rec.count0 >= x;
    case LimitRow::Limit02: return rec.count0 <= x;
    case LimitRow::Limit21: return rec.count2 >= x;
    case LimitRow::Limit22: return rec.count2 <= x;
    case LimitRow::LimitNP1: return rec.np >= x;
    case LimitRow::LimitNP2: return rec.np <= x;
    }
    return false;
}

std::size_t limitTable(Table& table, const Limit& limit) {
    const float m = limit.mana;
    const std::int32_t x = limit.value;
    // One loop per row, so the comparison is fixed inside the walk.
    switch (limit.row) {
    case LimitRow::LimitMANA1: // a NaN MANA is kept, as no comparison with it holds
        return filterTable(table, [m](const Combination& c) { return !(c.mana >= m); });
    case LimitRow::LimitMANA2:
        return filterTable(table, [m](const Combination& c) { return !(c.mana <= m); });
    case LimitRow::Limit11: return limitBy(table, [](const Combination& c) { return c.count1; }, x, true);
    case LimitRow::Limit12: return limitBy(table, [](const Combination& c) { return c.count1; }, x, false);
    case LimitRow::Limit01: return limitBy(table, [](const Combination& c) { return c.count0; }, x, true);
    case LimitRow::Limit02: return limitBy(table, [](const Combination& c) { return c.count0; }, x, false);
    case LimitRow::Limit21: return limitBy(table, [](const Combination& c) { return c.count2; }, x, true);
    case LimitRow::Limit22: return limitBy(table, [](const Combination& c) { return c.count2; }, x, false);
    case LimitRow::LimitNP1: return limitBy(table, [](const Combination& c) { return c.np; }, x, true);
    case LimitRow::LimitNP2: return limitBy(table, [](const Combination& c) { return c.np; }, x, false);
    }
    return 0;
}

std::optional<std::int32_t> combSignField(std::string_view text) {
    if (text.empty()) return -1;
    return parseInteger(text);
}

bool validHitBounds(const CombPattern& pattern) {
    return pattern.most >= 0 && pattern.most <= kMatches && pattern.fewest >= 0 &&
           pattern.fewest <= kMatches;
}

int combHits(std::uint32_t code, const CombPattern& pattern) {
    int hits = 0;
    for (int k = 1; k <= kMatches; ++k) {
        const int s = signAt(code, k);
        if (s == pattern.left[k - 1] || s == pattern.right[k - 1]) ++hits;
    }
    return hits;
}

std::size_t combTable(Table& table, const CombPattern& pattern) {
    if (!validHitBounds(pattern)) return 0;
    // Hits of the first seven matches (code bits 12 ... 25) and of the last six (bits 0 ... 11),
    // taken from two tables built from the pattern.
    constexpr int kHigh = 7;
    constexpr int kLow = kMatches - kHigh;
    std::uint8_t accepted[kMatches][4];
    for (int k = 0; k < kMatches; ++k)
        for (int d = 0; d < 4; ++d)
            accepted[k][d] = (pattern.left[k] == d || pattern.right[k] == d) ? 1 : 0;
    std::array<std::uint8_t, 1 << (2 * kHigh)> high;
    std::array<std::uint8_t, 1 << (2 * kLow)> low;
    for (std::uint32_t v = 0; v < high.size(); ++v) {
        int h = 0;
        for (int k = 0; k < kHigh; ++k) h += accepted[k][(v >> (2 * (kHigh - 1 - k))) & 3u];
        high[v] = static_cast<std::uint8_t>(h);
    }
    for (std::uint32_t v = 0; v < low.size(); ++v) {
        int h = 0;
        for (int k = 0; k < kLow; ++k) h += accepted[kHigh + k][(v >> (2 * (kLow - 1 - k))) & 3u];
        low[v] = static_cast<std::uint8_t>(h);
    }
    const int fewest = pattern.fewest;
    const int most = pattern.most;
    return filterTable(table, [&](const Combination& c) {
        const int h = high[(c.code >> (2 * kLow)) & ((1u << (2 * kHigh)) - 1)] +
                      low[c.code & ((1u << (2 * kLow)) - 1)];
        return fewest <= h && h <= most;
    });
}

} // namespace kviro
