// The neighbourhood engine: the space of the 3^13 combinations seen from one code. Every piece
// of the program that asks "which combinations, or which rows of a table, lie within r
// differing signs of this one" uses what is here, and only this:
//
//   ternaryRank / codeOfRank    dense number 0 ... 3^13 - 1 of a combination, and back
//   differingMatches            differing signs of two codes, 0 ... 13 (core/Toto13class.h)
//   forEachWithin<R>            the combinations within R = 0 ... 3 signs of a combination
//                               (1, 27, 339 and 2,627 of them), by rank, each exactly once
//   pota12CandidateCodes        the 27 and 339 codes of a ball in the order in which POTA12 and
//   pot11CandidateCodes         POT11 build their candidates (the lists the user sees)
//   RankIndex                   a table indexed by rank: the rows of any code within R signs of
//                               a code, repeated rows (chains in table order) and codes with a
//                               digit 3 (a short side list) included
//
// Codes are the base-4 codes of Toto13class.h (match 1 most significant). A digit 3 only comes
// from files: such a code has no rank and is no combination, but it is still a row of a table,
// and a digit 3 differs from every sign but another 3.
#pragma once

#include "core/Toto13class.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kviro {

constexpr int kPota12Candidates = 1 + kMatches * 2;                                // 27
constexpr int kPot11Candidates = 1 + kMatches * 2 + kMatches * (kMatches - 1) * 2; // 339
static_assert(kPot11Candidates == 339);

// Combinations within r differing signs of one combination: kBallSize[r] (r = 0 ... 3).
inline constexpr std::array<int, 4> kBallSize = {1, 27, 339, 2627};

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
// The code of a rank 0 ... 3^13 - 1 (the inverse of ternaryRank).
std::uint32_t codeOfRank(std::int32_t rank);

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

// Calls visit(rank, differences) for every combination within `Radius` (0 ... 3) differing
// signs of a combination given by its code and rank: itself (0), its 26 neighbours at one
// difference (1), its 312 at two (2) and its 2,288 at three (3), each exactly once. The order is
// fixed (a depth-first walk over the matches) but it is not the candidate order.
template <int Radius, class Visit>
inline void forEachWithin(std::uint32_t code, std::int32_t rank, Visit&& visit) {
    static_assert(Radius >= 0 && Radius <= 3);
    visit(rank, 0);
    if constexpr (Radius >= 1) {
        std::int32_t delta[kMatches][2];
        for (int a = 1; a <= kMatches; ++a) {
            const int s = signAt(code, a);
            delta[a - 1][0] = (nextSign(s) - s) * kRankStep[a - 1];
            delta[a - 1][1] = (nextSign(nextSign(s)) - s) * kRankStep[a - 1];
        }
        for (int i = 0; i < kMatches; ++i) {
            for (int u = 0; u < 2; ++u) {
                const std::int32_t r1 = rank + delta[i][u];
                visit(r1, 1);
                if constexpr (Radius == 2) { // the hot walk of POT11: kept as flat as it goes
                    for (int j = i + 1; j < kMatches; ++j) {
                        visit(r1 + delta[j][0], 2);
                        visit(r1 + delta[j][1], 2);
                    }
                } else if constexpr (Radius == 3) {
                    for (int j = i + 1; j < kMatches; ++j) {
                        for (int v = 0; v < 2; ++v) {
                            const std::int32_t r2 = r1 + delta[j][v];
                            visit(r2, 2);
                            for (int k = j + 1; k < kMatches; ++k) {
                                visit(r2 + delta[k][0], 3);
                                visit(r2 + delta[k][1], 3);
                            }
                        }
                    }
                }
            }
        }
    }
}

// The radius-2 walk (the neighbourhood of POT11 and of the strike-out).
template <class Visit>
inline void forEachWithinTwo(std::uint32_t code, std::int32_t rank, Visit&& visit) {
    forEachWithin<2>(code, rank, static_cast<Visit&&>(visit));
}

// forEachWithin for a radius (0 ... 3, larger taken as 3) chosen at run time; visit(rank).
template <class Visit>
inline void forEachWithinRadius(std::uint32_t code, std::int32_t rank, int radius, Visit&& visit) {
    const auto v = [&visit](std::int32_t q, int) { visit(q); };
    switch (radius) {
    case 0: forEachWithin<0>(code, rank, v); break;
    case 1: forEachWithin<1>(code, rank, v); break;
    case 2: forEachWithin<2>(code, rank, v); break;
    default: forEachWithin<3>(code, rank, v); break;
    }
}

// A table of codes indexed by rank. Position k of the index is row k of the table it was built
// from; positions never move, so a caller may keep its own per-position data (marks, MANA)
// beside the index. Build costs one pass over the rows and 4 bytes per combination of the
// space for the chain heads.
class RankIndex {
  public:
    static constexpr std::int32_t kNone = -1;

    // Indexes the codes (position k holds codes[k]) or the codes of a table's rows. The
    // look-ups below need an index built (from any table, an empty one too) and not cleared.
    void build(std::span<const std::uint32_t> codes);
    void build(const Table& table);
    // Releases the memory; the index then describes no rows.
    void clear();

    std::size_t size() const { return codes_.size(); }
    std::uint32_t code(std::int32_t pos) const { return codes_[static_cast<std::size_t>(pos)]; }
    // Rank of the code at `pos`, -1 for a code with a digit 3.
    std::int32_t rank(std::int32_t pos) const { return ranks_[static_cast<std::size_t>(pos)]; }
    // The first position holding the combination of this rank, kNone when none does; then the
    // next position with the same code (chains run in table order).
    std::int32_t first(std::int32_t rank) const { return head_[static_cast<std::size_t>(rank)]; }
    std::int32_t next(std::int32_t pos) const { return next_[static_cast<std::size_t>(pos)]; }
    // Positions of the codes without a rank, in table order.
    const std::vector<std::int32_t>& irregular() const { return irregular_; }

    // Calls visit(position, differences) for every row whose code lies within `Radius`
    // (0 ... 3) differing signs of `code`, each once; `code` may be any code, a digit 3 too.
    // For a combination: its ball through the chains, then the rows with a digit 3 (in table
    // order); for a code with a digit 3: every row compared in table order.
    template <int Radius, class Visit>
    void forEachRowWithin(std::uint32_t code, Visit&& visit) const {
        const std::int32_t r = ternaryRank(code);
        if (r < 0) {
            for (std::size_t k = 0; k < codes_.size(); ++k) {
                const int d = differingMatches(code, codes_[k]);
                if (d <= Radius) visit(static_cast<std::int32_t>(k), d);
            }
            return;
        }
        const std::int32_t* head = head_.data();
        const std::int32_t* next = next_.data();
        forEachWithin<Radius>(code, r, [&](std::int32_t rank, int d) {
            for (std::int32_t p = head[rank]; p >= 0; p = next[p])
                visit(p, d);
        });
        for (const std::int32_t p : irregular_) {
            const int d = differingMatches(code, codes_[static_cast<std::size_t>(p)]);
            if (d <= Radius) visit(p, d);
        }
    }

  private:
    void link(); // builds head_, next_, ranks_ and irregular_ from codes_

    std::vector<std::uint32_t> codes_;    // per position
    std::vector<std::int32_t> ranks_;     // per position
    std::vector<std::int32_t> head_;      // per rank: the first position with that code
    std::vector<std::int32_t> next_;      // per position: the next position with the same code
    std::vector<std::int32_t> irregular_; // positions of codes without a rank
};

} // namespace kviro
