// The user's percentage table and the MANA valuation.
#pragma once

#include "core/Toto13class.h"

#include <array>

namespace kviro {

// probability[m - 1][s]: percentage of sign digit s in match m.
using ProbabilityTable = std::array<std::array<float, 3>, kMatches>;

// The form's design values: columns are the signs "0", "1", "2".
ProbabilityTable defaultProbabilities();

// The last step of MANA from the running product. Percentages far above 100 can carry the
// product past the largest float: MANA is then infinite, and a sign of 0 % met after that
// (infinity times zero) still gives 0, as a 0 % sign always does.
inline float finishMana(float prod) {
    const float mana = static_cast<float>(1594323.0 * static_cast<double>(prod) * 1e-26);
    return mana != mana ? 0.0f : mana;
}

// MANA of a code under the table: a 32-bit running product in match order, then
// 3^13 * prod * 1e-26 in double, rounded once to float.
inline float manaOf(std::uint32_t code, const ProbabilityTable& p) {
    float prod = 1.0f;
    for (int m = 1; m <= kMatches; ++m) {
        const int d = signAt(code, m); // a digit 3 (only in codes read from files) counts as 0 %
        prod = (d < 3 ? p[m - 1][d] : 0.0f) * prod;
    }
    return finishMana(prod);
}

// Sets the record's mana; touches no other field.
inline void valueCombination(Combination& rec, const ProbabilityTable& p) {
    rec.mana = manaOf(rec.code, p);
}

// Sets mana of every record of the table and clears its np, in table order.
void valueTable(const Table& table, const ProbabilityTable& p);

// The "2" completion of a match: 100 - a - b in extended precision from the two floats.
long double remainderPercentage(float one, float zero);

} // namespace kviro
