// The coverage procedures POTA12 and POT11: the candidates of one network row, valued by the
// network rows they hit, and the orders of the candidate lists.
#pragma once

#include "core/CodeSpace.h"
#include "core/MoreSort.h"
#include "core/Probability.h"
#include "core/RecordPool.h"
#include "core/Toto13class.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace kviro {

// Index of a network by code (a RankIndex of core/CodeSpace.h and the rows it was built from),
// so that the rows within two signs of a combination are found by looking up its
// neighbourhood instead of comparing it with every row. Keep one per
// network window and pass it to every computation: sync() rebuilds it only when the rows or
// their order changed since it was built (checking that costs one pass over the row
// pointers, no record is read). Not thread-safe: one computation at a time.
class NetworkIndex {
  public:
    // Makes the index describe `network`, rebuilding it when it does not already.
    void sync(const Table& network);
    // True when the index describes exactly these rows in this order.
    bool describes(const Table& network) const;
    // Releases the memory.
    void clear();

    struct Access; // the computations' view of the index

  private:
    Table rows_;     // the rows as indexed
    RankIndex rank_; // their codes by rank
    // Scratch of a computation: a bit per position, and the place of a position among the
    // positions the computation met.
    std::vector<std::uint64_t> seen_;
    std::vector<std::int32_t> place_;
    bool built_ = false;
};

// Networks below this many rows are compared row by row: building an index costs more.
constexpr std::size_t kIndexMinRows = 2048;

using CandidateProgress = std::function<void(int done)>;

// POTA12 of network row `index`: `pota12` is emptied (its old rows are left to the pool's
// sweep) and receives the 27 candidates, new records of `pool`, with hits13 (rows equal),
// hits12 (one sign differs), hitCount (two signs differ) and sumMana (mana of the rows with
// 12 or 13 hits, added in network order in 32-bit floating point), sorted by sumMana, highest
// first; equal sums keep the order in which the candidates were built. `progress`, when set,
// is called with 1 ... 27 as the candidates are valued. `index` optional (see NetworkIndex).
// Returns false, changing nothing, when `index` is not a row of the network.
bool fillPota12(Table& pota12, const Table& network, std::size_t index, const ProbabilityTable& p,
                RecordPool& pool, NetworkIndex* networkIndex = nullptr,
                const CandidateProgress& progress = {});

// POT11 of network row `index`: `pot11` receives the 339 candidates with hitCount (rows with
// 11 or more hits) and sumMana (their mana in network order, 32-bit), hits13 and hits12 zero,
// sorted by hitCount then sumMana, highest first, equal ones in the order of building.
// `progress` is called with 1 ... 339. Returns false, changing nothing, for a bad `index`.
bool fillPot11(Table& pot11, const Table& network, std::size_t index, const ProbabilityTable& p,
               RecordPool& pool, NetworkIndex* networkIndex = nullptr,
               const CandidateProgress& progress = {});

// The candidate orders (sortByMana, sortBySumMana, sortByHitsThenSumMana and floatOrderKey)
// are those of core/MoreSort.h.

// A click on a section of the POTA12 list's header: 3 "MANA", 5 "sum MANA"; others do
// nothing. Returns true when the list was sorted.
bool sortPota12BySection(Table& pota12, int section);
// A click on a section of the POT11 list's header: 3 "MANA", 4 "br.pog.", 5 "sum MANA".
bool sortPot11BySection(Table& pot11, int section);

// A new row of `pool` with the code's thirteen signs and their counts, valued by `p`.
Combination* makeValuedRecord(RecordPool& pool, std::uint32_t code, const ProbabilityTable& p);

// A new candidate row: X's copy (code, sign counts, mana and serial of X) when `code` is the
// first candidate, otherwise a row built from the code's thirteen signs and valued by `p`.
Combination* makeCandidate(RecordPool& pool, const Combination& x, std::uint32_t code, bool isX,
                           const ProbabilityTable& p);

} // namespace kviro
