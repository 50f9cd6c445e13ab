// What a TUK promises: the guarantee against the network as handed over (the best hits of every
// network row among the TUK rows), the chances of a prize under the user's percentages over all
// 3^13 results, and the texts of the "Jamstvo TUK" window.
#pragma once

#include "core/Probability.h"
#include "core/Toto13class.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kviro {

// Classes of best hits: 13, 12, 11, 10, and 9 or fewer.
constexpr int kHitClasses = 5;
constexpr int hitClassOf(int hits) {
    return hits >= 10 ? 13 - hits : 4;
}

struct GuaranteeReport {
    std::size_t tukRows = 0;
    // Against the network (MREZA0): rows and their MANA (double sums in table order) by the
    // class of their best hits; minHits is the fewest best hits of a row, 0 standing for 9 or
    // fewer (13 when the network is empty).
    std::size_t networkRows = 0;
    double networkMana = 0.0;
    std::array<std::size_t, kHitClasses> rows{};
    std::array<double, kHitClasses> mana{};
    int minHits = 13;
    // Chances under the percentages (probability of a result = product of its 13 sign
    // percentages / 100): the result lies in the network (each combination once however often
    // the network holds it), and the best hits of the result among the TUK rows reach 13, at
    // least 12, 11, 10 (atLeast[0 ... 3]). `total` is the sum over all results (1 when the
    // percentages of every match add up to 100).
    double inNetwork = 0.0;
    std::array<double, 4> atLeast{};
    double total = 0.0;
};

// One byte per combination (by ternary rank): its best hits among the TUK rows when 10 or more,
// else 0. Every TUK row writes its ball of radius 3; a row with a digit 3 reaches the
// combinations within three signs counting each digit 3 as a difference.
void bestHitsByRank(const Table& tuk, std::vector<std::uint8_t>& best);

// The whole report. Linear in the TUK's size (2,627 combinations a row) and the network's, plus
// one pass over the 3^13 combinations for the chances.
GuaranteeReport guaranteeReport(const Table& network, const Table& tuk, const ProbabilityTable& p);

// Probability of every result as a product hi[rank / 729] * lo[rank % 729] (matches 1 ... 7
// and 8 ... 13), in double from the percentage table.
struct ResultProbability {
    std::array<double, 2187> hi{};
    std::array<double, 729> lo{};
    explicit ResultProbability(const ProbabilityTable& p);
    double of(std::int32_t rank) const {
        const auto r = static_cast<std::uint32_t>(rank);
        return hi[r / 729] * lo[r % 729];
    }
};

// ---- texts of the window (Croatian; `sep` is the user's decimal separator)

// The headline of the guarantee: "Ako je ishod u mreži, imate najmanje 11 pogodaka." or, with
// rows below 11, "Ako je ishod u mreži, imate najmanje 11 pogodaka, osim 37 kombinacija mreže."
std::string guaranteeHeadline(const GuaranteeReport& r);
// A share 0 ... 1 as a percentage with two decimals: "12,50 %".
std::string shareText(double share, char sep);
// A chance 0 ... 1 as a percentage; very small chances keep significant digits ("0,0031 %").
std::string chanceText(double chance, char sep);
// An amount with two decimals: "1234,50".
std::string amountText(double amount, char sep);

} // namespace kviro
