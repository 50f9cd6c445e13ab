// The space of the 3^13 combinations seen from one code: candidate lists of the coverage
// procedures, the dense numbering of valid codes, and neighbourhoods within two signs.
#pragma once

#include "core/Toto13class.h"

#include <array>
#include <cstdint>

namespace kviro {

constexpr int kPota12Candidates = 1 + kMatches * 2;                                // 27
constexpr int kPot11Candidates = 1 + kMatches * 2 + kMatches * (kMatches - 1) * 2; // 339
static_assert(kPot11Candidates == 339);

// The sign after s in the cycle 0 -> 1 -> 2 -> 0. A digit 3 (only in codes read from files)
// is followed by 1, so its two replacements 1 and 2 still differ from it.
constexpr int nextSign(int s) {
    return (s + 1) % 3;
}

// The code with the sign of match a (1 ... 13) replaced by s.
constexpr std::uint32_t withSign(std::uint32_t code, int a, int s) {
    const int shift = 2 * (kMatches - a);
    return (code & ~(3u << shift)) | (static_cast<std::uint32_t>(s) << shift);
}

// Bits of the thirteen signs; a code with any bit above them is not a combination.
constexpr std::uint32_t kSignBits = (1u << (2 * kMatches)) - 1;

// The candidates of X in the order the coverage procedures build them: X itself, then for
// every match i the sign after X's sign and the one after that (27 codes).
std::array<std::uint32_t, kPota12Candidates> pota12CandidateCodes(std::uint32_t x);
// X, then for every match i: first(x_i) at i; the same with first/second(x_j) at each later j;
// second(x_i) at i; the same with first/second(x_j) at each later j (339 codes).
std::array<std::uint32_t, kPot11Candidates> pot11CandidateCodes(std::uint32_t x);

// Dense number 0 ... 3^13 - 1 of a code whose thirteen digits are all 0, 1 or 2 (the digits
// read as a base-3 number); -1 for any other code (a digit 3, or bits above the signs).
std::int32_t ternaryRank(std::uint32_t code);

// Place values of the base-3 number: kRankStep[a - 1] for match a.
inline constexpr std::array<std::int32_t, kMatches> kRankStep = [] {
    std::array<std::int32_t, kMatches> p{};
    std::int32_t v = 1;
    for (int a = kMatches; a >= 1; --a) {
        p[a - 1] = v;
        v *= 3;
    }
    return p;
}();

// Calls visit(rank, differences) for every valid code within two differing signs of a valid
// code (given with its rank): itself (0), its 26 neighbours at one difference (1) and its 312
// at two (2), each once. The order is fixed but not the candidate order.
template <class Visit>
inline void forEachWithinTwo(std::uint32_t code, std::int32_t rank, Visit&& visit) {
    std::int32_t delta[kMatches][2];
    for (int a = 1; a <= kMatches; ++a) {
        const int s = signAt(code, a);
        delta[a - 1][0] = (nextSign(s) - s) * kRankStep[a - 1];
        delta[a - 1][1] = (nextSign(nextSign(s)) - s) * kRankStep[a - 1];
    }
    visit(rank, 0);
    for (int i = 0; i < kMatches; ++i) {
        for (int u = 0; u < 2; ++u) {
            const std::int32_t r1 = rank + delta[i][u];
            visit(r1, 1);
            for (int j = i + 1; j < kMatches; ++j) {
                visit(r1 + delta[j][0], 2);
                visit(r1 + delta[j][1], 2);
            }
        }
    }
}

} // namespace kviro
