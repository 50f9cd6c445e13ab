// The TUK optimiser: the fewest combinations that give every network row the chosen guarantee
// (13 - radius hits or more with one of them). Starts from a structured code when the network
// is a whole "system", from a global greedy and from the automatic run, then shrinks the best
// cover by a local search counted in steps, so that a run repeats on any machine.
#pragma once

#include "core/Probability.h"
#include "core/RecordPool.h"
#include "core/Toto13class.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace kviro {

// Named amounts of work: "brzo", "temeljito", "najbolje".
enum class OptimiseEffort { Quick = 0, Thorough = 1, Best = 2 };

// Local-search steps of an effort level.
std::uint64_t optimiseSteps(OptimiseEffort effort);

struct OptimiseOptions {
    int radius = 2; // 1: 12 hits, 2: 11 hits, 3: 10 hits
    OptimiseEffort effort = OptimiseEffort::Thorough;
    std::uint64_t seed = 0x4B5649524FULL;
    std::uint64_t steps = 0; // local-search steps; 0: those of `effort`
    // Steps of one round of the search (each round starts from the best cover so far with fresh
    // weights); 0: 20,000,000.
    std::uint64_t roundSteps = 0;
};

// Where the returned cover came from.
enum class OptimiseMethod { None, Structured, Greedy, LocalSearch, Automatic };

struct OptimiseResult {
    std::vector<std::uint32_t> codes; // the cover, most likely combination first
    bool verified = false;            // every network row checked against `codes`
    bool stopped = false;             // ended by the stop flag (codes: the best cover so far)
    OptimiseMethod method = OptimiseMethod::None;
    // Rows the automatic run takes on the same network (automatic POT11 for 11 hits, the same
    // first-row greedy over the 27 or 2,627 codes within reach for 12 and 10 hits); 0 when the
    // run was stopped before it finished.
    std::size_t automaticRows = 0;
    std::size_t greedyRows = 0;     // the global greedy after removal of redundant rows
    std::size_t structuredRows = 0; // the structured start, 0 when the network has no such shape
    std::uint64_t steps = 0;        // local-search steps made
    double sumMana = 0.0;           // sum of the cover's MANA under the percentages
};

// Progress: the size of the best cover found so far.
using OptimiseProgress = std::function<void(std::size_t bestRows)>;

// The optimiser. `network`: the rows to cover (repeated rows and codes with a digit 3 allowed).
// The result is never larger than the automatic run on the same network, and among covers of
// equal size the one with the larger MANA sum is kept. An empty network gives an empty,
// verified result. The first cover (structured or greedy) is always finished; a stop then ends
// the run and returns the best cover so far. A cover that fails the check is never returned.
OptimiseResult optimiseTuk(const Table& network, const ProbabilityTable& p,
                           const OptimiseOptions& options, const std::atomic<bool>& stop,
                           const OptimiseProgress& progress = {});

// Puts the cover's combinations that TUK does not hold yet at the top of TUK, in the cover's
// order: new records of `pool`, valued by `p`, with tukSource `source`. Returns rows added.
std::size_t addCoverToTuk(Table& tuk, const std::vector<std::uint32_t>& codes, std::int8_t source,
                          const ProbabilityTable& p, RecordPool& pool);

// True when every network row has at most `radius` differing signs from one of `codes`.
bool coversNetwork(const Table& network, const std::vector<std::uint32_t>& codes, int radius);

// Structured codes, exposed for their tests: the ternary Golay code [11,6,5] (729 words of
// length 11 as base-4 codes of 11 digits) and the ternary Hamming code of length 4 or 13.
std::vector<std::uint32_t> golayCode11();
std::vector<std::uint32_t> hammingCode(int length);

// The per-match sign sets of a network that is a whole product of them (every combination of
// the allowed signs present, no other row), as bit masks (bit s: sign s); empty otherwise.
std::vector<std::uint8_t> productShape(const Table& network);

} // namespace kviro
