// "MORE = MREŽA" on the full MORE: the MANA sort and the hand-over into MREZA and MREZA0.
#include "core/Fillerthread.h"
#include "core/MoreSort.h"
#include "core/Network.h"
#include "core/Probability.h"
#include "core/Tables.h"

#include <benchmark/benchmark.h>

#include <algorithm>

using namespace kviro;

namespace {

struct GeneratedTable {
    Tables t;
    GeneratedTable() {
        std::atomic<bool> stop{false};
        generateAllCombinations(t.MORE, t.pool, stop);
        valueTable(t.MORE, defaultProbabilities());
    }
};

GeneratedTable& generated() {
    static GeneratedTable g;
    return g;
}

// MORE in generation order each time, as after the generation command.
template <class HandOverFn> void handOverFullMore(benchmark::State& state, HandOverFn handOver) {
    GeneratedTable& g = generated();
    Table more;
    Table mreza;
    Table mreza0;
    Table tuk;
    for (auto _ : state) {
        state.PauseTiming();
        more = g.t.MORE;
        state.ResumeTiming();
        handOver(more, mreza, mreza0, tuk);
        benchmark::DoNotOptimize(mreza.data());
    }
}

void BM_HandOver_FullMore(benchmark::State& state) {
    handOverFullMore(state, [](Table& more, Table& mreza, Table& mreza0, Table& tuk) {
        sortByMana(more);
        handOverNetwork(more, mreza, mreza0, tuk);
    });
}
BENCHMARK(BM_HandOver_FullMore)->Unit(benchmark::kMillisecond);

void BM_HandOver_FullMore_Straightforward(benchmark::State& state) {
    handOverFullMore(state, [](Table& more, Table& mreza, Table& mreza0, Table& tuk) {
        std::sort(more.begin(), more.end(), manaOrder);
        mreza.clear();
        mreza0.clear();
        for (std::size_t i = 0; i < more.size(); ++i) {
            more[i]->ordinal = static_cast<std::int32_t>(i + 1);
            mreza.push_back(more[i]);
            mreza0.push_back(more[i]);
        }
        tuk.clear();
    });
}
BENCHMARK(BM_HandOver_FullMore_Straightforward)->Unit(benchmark::kMillisecond);

} // namespace
