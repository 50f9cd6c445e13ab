// Pieces shared by the single coverage computations and the automatic POT11 run.
#pragma once

#include "core/Coverage.h"

#include <span>

namespace kviro {

// One candidate while it is valued: rows at 0, 1 and 2 differences, and the sum of the mana
// of the rows counted into it, in network order.
struct CandidateFigures {
    std::uint32_t code = 0;
    std::uint32_t hits[3] = {0, 0, 0};
    float sumMana = 0.0f;
};

// Values candidates[0] (X) and the rest against the network, by index or by comparison with
// every row. Rows at `sumLimit` differences or fewer enter sumMana.
void evaluateCandidates(const Table& network, std::span<CandidateFigures> candidates, int sumLimit,
                        NetworkIndex* networkIndex, const CandidateProgress& progress);

// Values one candidate by comparing it with every code (codes[k] is network[k]'s code).
void scanCandidate(std::span<const std::uint32_t> codes, const Table& network, int sumLimit,
                   CandidateFigures& f);

// `out` receives the candidate rows (new records of `pool`), figures[0] being X's copy, in the
// order of the list: sumMana for POTA12, hits then sumMana for POT11.
void buildCandidateTable(Table& out, const Combination& x,
                         std::span<const CandidateFigures> figures, bool pota12,
                         const ProbabilityTable& p, RecordPool& pool);

// The POT11 order: more hits first, then the larger sum (floatOrderKey order).
bool candidateBefore(std::uint32_t hitsA, float sumA, std::uint32_t hitsB, float sumB);

} // namespace kviro
