// The TUK optimiser beside the automatic POT11 on the same networks. Each benchmark reports the
// rows of its cover (`rows`, checked before it counts) and of the automatic run (`auto_rows`).
#include "bench/FullNetwork.h"
#include "core/AutoPot11.h"
#include "core/Fillerthread.h"
#include "core/MoreFilters.h"
#include "core/Probability.h"
#include "core/Tables.h"
#include "core/TukOptimiser.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

using namespace kviro;

namespace {

kviro::bench::FullNetwork& space() {
    return kviro::bench::full();
}

// Rows of the whole space whose signs at the given matches are fixed to 0.
Table withFixed(std::initializer_list<int> fixedMatches) {
    Table out;
    for (Combination* r : space().t.MORE) {
        bool keep = true;
        for (const int a : fixedMatches)
            keep = keep && signAt(*r, a) == 0;
        if (keep) out.push_back(r);
    }
    return out;
}

// The default percentages, combed to 10 ... 13 of each match's two likeliest signs, then the
// rows with MANA 10 or less removed: 31,341 rows, in MANA order.
Table typicalNetwork() {
    const ProbabilityTable& p = space().p;
    CombPattern comb;
    for (int m = 0; m < kMatches; ++m) {
        std::array<int, 3> order{0, 1, 2};
        std::sort(order.begin(), order.end(), [&](int a, int b) { return p[m][a] > p[m][b]; });
        comb.left[static_cast<std::size_t>(m)] = order[0];
        comb.right[static_cast<std::size_t>(m)] = order[1];
    }
    comb.most = 13;
    comb.fewest = 10;
    Table t = space().t.MORE;
    combTable(t, comb);
    limitTable(t, Limit{LimitRow::LimitMANA2, 10.0f, 0});
    return t;
}

Table randomNetwork(std::size_t n) {
    std::mt19937 rng(20261210);
    const Table& all = space().t.MORE;
    std::vector<std::size_t> pick(all.size());
    for (std::size_t i = 0; i < pick.size(); ++i)
        pick[i] = i;
    std::shuffle(pick.begin(), pick.end(), rng);
    Table out;
    for (std::size_t i = 0; i < n; ++i)
        out.push_back(all[pick[i]]);
    return out;
}

std::size_t automaticRows(const Table& network) {
    Table mreza = network, tuk, pot11;
    RecordPool pool;
    std::atomic<bool> stop{false};
    autoPot11(mreza, tuk, pot11, pool, space().p, -1, stop);
    return tuk.size();
}

void optimise(benchmark::State& state, const Table& network, int radius,
              OptimiseEffort effort = OptimiseEffort::Thorough, std::uint64_t steps = 0) {
    OptimiseOptions o;
    o.radius = radius;
    o.effort = effort;
    o.steps = steps;
    std::atomic<bool> stop{false};
    OptimiseResult r;
    for (auto _ : state)
        r = optimiseTuk(network, space().p, o, stop);
    if (!r.verified || !coversNetwork(network, r.codes, radius))
        state.SkipWithError("the cover does not cover the network");
    state.counters["network"] = static_cast<double>(network.size());
    state.counters["rows"] = static_cast<double>(r.codes.size());
    state.counters["auto_rows"] = static_cast<double>(r.automaticRows);
    state.counters["greedy_rows"] = static_cast<double>(r.greedyRows);
    state.counters["steps"] = static_cast<double>(r.steps);
    if (r.automaticRows)
        state.counters["saved_pct"] =
            100.0 * (1.0 - static_cast<double>(r.codes.size()) / static_cast<double>(r.automaticRows));
}

void autoRun(benchmark::State& state, const Table& network) {
    std::size_t rows = 0;
    for (auto _ : state)
        rows = automaticRows(network);
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_Optimise_WholeSpace11(benchmark::State& state) {
    optimise(state, space().t.MORE, 2);
}
void BM_Optimise_WholeSpace12(benchmark::State& state) {
    optimise(state, space().t.MORE, 1);
}
void BM_Optimise_WholeSpace10(benchmark::State& state) {
    optimise(state, space().t.MORE, 3);
}
void BM_AutoPot11_WholeSpace(benchmark::State& state) {
    autoRun(state, space().t.MORE);
}
void BM_Optimise_Triples11(benchmark::State& state) {
    static const Table network = withFixed({12, 13});
    optimise(state, network, 2);
}
void BM_AutoPot11_Triples(benchmark::State& state) {
    static const Table network = withFixed({12, 13});
    autoRun(state, network);
}
void BM_Optimise_Typical(benchmark::State& state) {
    static const Table network = typicalNetwork();
    optimise(state, network, 2);
}
void BM_AutoPot11_Typical(benchmark::State& state) {
    static const Table network = typicalNetwork();
    autoRun(state, network);
}
void BM_Optimise_Random50k(benchmark::State& state) {
    static const Table network = randomNetwork(50000);
    optimise(state, network, 2);
}
// The same network at the top effort ("najbolje").
void BM_Optimise_Random50k_Best(benchmark::State& state) {
    static const Table network = randomNetwork(50000);
    optimise(state, network, 2, OptimiseEffort::Best);
}
void BM_AutoPot11_Random50k(benchmark::State& state) {
    static const Table network = randomNetwork(50000);
    autoRun(state, network);
}
// A short run for the test script's smoke pass.
void BM_Optimise_Smoke(benchmark::State& state) {
    static const Table network = randomNetwork(3000);
    optimise(state, network, 2, OptimiseEffort::Quick, 20000);
}

BENCHMARK(BM_Optimise_WholeSpace11)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_Optimise_WholeSpace12)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_Optimise_WholeSpace10)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_AutoPot11_WholeSpace)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_Optimise_Triples11)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_AutoPot11_Triples)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_Optimise_Typical)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_AutoPot11_Typical)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_Optimise_Random50k)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_Optimise_Random50k_Best)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_AutoPot11_Random50k)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_Optimise_Smoke)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
