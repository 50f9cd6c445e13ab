// The whole space as a network for the benchmarks: every combination valued by the default
// percentages, in MANA order as the hand-over leaves it (equal MANA in code order, so that the
// order is the same in every run). Built once per process.
#pragma once

#include "core/Fillerthread.h"
#include "core/Probability.h"
#include "core/Tables.h"

#include <algorithm>
#include <atomic>

namespace kviro::bench {

struct FullNetwork {
    Tables t;
    ProbabilityTable p = defaultProbabilities();
    FullNetwork() {
        std::atomic<bool> stop{false};
        generateAllCombinations(t.MORE, t.pool, stop);
        valueTable(t.MORE, p);
        std::stable_sort(
            t.MORE.begin(), t.MORE.end(),
            [](const Combination* a, const Combination* b) { return a->mana > b->mana; });
    }
    Table best(std::size_t n) const {
        return Table(t.MORE.begin(), t.MORE.begin() + static_cast<long>(n));
    }
};

inline FullNetwork& full() {
    static FullNetwork f;
    return f;
}

} // namespace kviro::bench
