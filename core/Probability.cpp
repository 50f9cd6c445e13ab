#include "core/Probability.h"

namespace kviro {

ProbabilityTable defaultProbabilities() {
    // match: "1", "0", "2"
    static constexpr float rows[kMatches][3] = {
        {10, 20, 70}, {20, 30, 50}, {50, 40, 10}, {30, 40, 30}, {0, 60, 40},
        {20, 0, 80},  {40, 50, 10}, {15, 15, 70}, {50, 20, 30}, {50, 5, 45},
        {10, 70, 20}, {10, 50, 40}, {40, 10, 50}};
    ProbabilityTable t{};
    for (int m = 0; m < kMatches; ++m) {
        t[m][1] = rows[m][0];
        t[m][0] = rows[m][1];
        t[m][2] = rows[m][2];
    }
    return t;
}

void valueTable(const Table& table, const ProbabilityTable& p) {
    // The running product over the first seven matches depends only on their signs, so it is
    // taken from a table built once (exactly the same float operations, in the same order).
    constexpr int kPrefix = 7;
    constexpr int kRest = kMatches - kPrefix;
    static_assert(kRest == 6);
    float prefix[1 << (2 * kPrefix)];
    for (std::uint32_t hi = 0; hi < (1u << (2 * kPrefix)); ++hi) {
        float prod = 1.0f;
        for (int m = 1; m <= kPrefix; ++m) {
            const int d = static_cast<int>((hi >> (2 * (kPrefix - m))) & 3u);
            prod = (d == 3 ? 0.0f : p[m - 1][d]) * prod;
        }
        prefix[hi] = prod;
    }
    // Digit 3 never occurs in a generated code, but codes read from files may carry one:
    // it counts as percentage 0, as in manaOf.
    float rest[kRest][4];
    for (int j = 0; j < kRest; ++j) {
        for (int d = 0; d < 3; ++d) rest[j][d] = p[kPrefix + j][d];
        rest[j][3] = 0.0f;
    }
    for (Combination* rec : table) {
        const std::uint32_t code = rec->code;
        float prod = prefix[(code >> (2 * kRest)) & ((1u << (2 * kPrefix)) - 1)];
        prod = rest[0][(code >> 10) & 3u] * prod;
        prod = rest[1][(code >> 8) & 3u] * prod;
        prod = rest[2][(code >> 6) & 3u] * prod;
        prod = rest[3][(code >> 4) & 3u] * prod;
        prod = rest[4][(code >> 2) & 3u] * prod;
        prod = rest[5][code & 3u] * prod;
        rec->mana = finishMana(prod);
        rec->np = 0;
    }
}

long double remainderPercentage(float one, float zero) {
    return 100.0L - static_cast<long double>(one) - static_cast<long double>(zero);
}

} // namespace kviro
