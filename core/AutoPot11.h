// Automatic POT11: the greedy run that fills TUK with POT11 candidates until the network is
// covered.
#pragma once

#include "core/Probability.h"
#include "core/RecordPool.h"
#include "core/Toto13class.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace kviro {

class AutoPot11Run;

// What one finished step did, handed to the per-step callback while the run waits.
class AutoPot11Step {
  public:
    std::size_t step = 0;       // 1-based number of the step
    bool added = false;         // false: the row was skipped (too few hits)
    bool alreadyInTuk = false;  // added step whose combination TUK held already
    std::uint32_t code = 0;     // added step: the combination that covered the rows
    std::uint32_t hitCount = 0; // the best candidate's network rows with 11 or more hits
    std::size_t struck = 0;     // rows that left the network in this step
    std::size_t mrezaRows = 0;  // network rows after the step
    std::size_t tukRows = 0;    // TUK rows after the step
    bool last = false;          // the run ends after this step

    // Writes the network and TUK as they stand after this step into the given tables (one
    // pass over the network: call it as often as the views need, not necessarily every step).
    // Only valid during the callback.
    void writeTables(Table& mreza, Table& tuk) const;

  private:
    friend class AutoPot11Run;
    const AutoPot11Run* run_ = nullptr;
};

using AutoPot11StepFn = std::function<void(const AutoPot11Step&)>;

struct AutoPot11Result {
    std::size_t steps = 0;
    std::size_t added = 0; // steps that covered rows (new TUK rows plus rows TUK held already)
    std::size_t skipped = 0;
    bool stopped = false; // ended by the stop flag
};

// The automatic POT11 run. Step: the POT11 candidates of the current network row (the first
// one, or further down after skips); the best one B (most rows with 11 or more hits, then the
// largest sum of their mana in network order, then the first built) is skipped when
//   minHits is 0 or below (but not -1), or minHits >= 1 and B hits fewer rows, or
//   minHits is -1 and B hits nothing,
// and then the next row is tried (past the last row the run ends). Otherwise a new row with
// B's signs, valued by `p`, tukSource 1, goes to the top of TUK unless TUK holds its code, and
// every network row within two differing signs of it leaves the network; the next step starts
// again from the first row. The run ends when the network is empty.
//
// `mreza` and `tuk` are read at the start and written only at the end and by
// AutoPot11Step::writeTables; `pot11` receives, at the end, the candidates of the last finished
// step as POT11 lists them (new records of `pool`; the old rows are left to the pool's sweep).
// `onStep` runs on the calling thread after every step, the run waiting for it. `stop` is read
// before every step: a stopped run leaves the tables as after its last finished step.
// An empty network ends the run at once and changes nothing.
AutoPot11Result autoPot11(Table& mreza, Table& tuk, Table& pot11, RecordPool& pool,
                          const ProbabilityTable& p, int minHits, const std::atomic<bool>& stop,
                          const AutoPot11StepFn& onStep = {});

// The skip test of a step whose best candidate hits `hits` network rows.
constexpr bool autoPot11Skips(int minHits, std::uint32_t hits) {
    if (minHits == -1) return hits == 0;
    if (minHits <= 0) return true;
    return hits < static_cast<std::uint32_t>(minHits);
}

} // namespace kviro
