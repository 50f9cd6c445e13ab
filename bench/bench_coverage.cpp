// Coverage procedures on large networks, each beside the straightforward procedure.
#include "bench/FullNetwork.h"
#include "core/AutoPot11.h"
#include "core/Coverage.h"
#include "core/Fillerthread.h"
#include "core/Guarantee.h"
#include "core/Probability.h"
#include "core/Tables.h"
#include "core/TukEntry.h"
#include "tests/core/CoverageReference.h"

#include <benchmark/benchmark.h>

#include <algorithm>

using namespace kviro;
using kviro::bench::full;
using kviro::bench::FullNetwork;

namespace {

// A row in the middle of the MANA order, so that its neighbourhood is scattered in the table.
constexpr std::size_t kRow = 700001;

void BM_Pot11Single_FullNetwork(benchmark::State& state) {
    FullNetwork& f = full();
    RecordPool pool;
    Table pot11;
    NetworkIndex index;
    index.sync(f.t.MORE); // kept by the window from one computation to the next
    for (auto _ : state) {
        fillPot11(pot11, f.t.MORE, kRow, f.p, pool, &index);
        benchmark::DoNotOptimize(pot11.data());
    }
    state.counters["best_hits"] = static_cast<double>(pot11[0]->hitCount);
}
BENCHMARK(BM_Pot11Single_FullNetwork)->Unit(benchmark::kMillisecond);

void BM_Pot11Single_FullNetwork_Straightforward(benchmark::State& state) {
    FullNetwork& f = full();
    RecordPool pool;
    Table pot11;
    for (auto _ : state) {
        reference::pot11(pot11, f.t.MORE, kRow, f.p, pool);
        benchmark::DoNotOptimize(pot11.data());
    }
}
BENCHMARK(BM_Pot11Single_FullNetwork_Straightforward)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_NetworkIndexBuild_FullNetwork(benchmark::State& state) {
    FullNetwork& f = full();
    for (auto _ : state) {
        NetworkIndex index;
        index.sync(f.t.MORE);
        benchmark::DoNotOptimize(&index);
    }
}
BENCHMARK(BM_NetworkIndexBuild_FullNetwork)->Unit(benchmark::kMillisecond);

void BM_Pota12_FullNetwork(benchmark::State& state) {
    FullNetwork& f = full();
    RecordPool pool;
    Table pota12;
    NetworkIndex index;
    index.sync(f.t.MORE);
    for (auto _ : state) {
        fillPota12(pota12, f.t.MORE, kRow, f.p, pool, &index);
        benchmark::DoNotOptimize(pota12.data());
    }
}
BENCHMARK(BM_Pota12_FullNetwork)->Unit(benchmark::kMillisecond);

void BM_Pota12_FullNetwork_Straightforward(benchmark::State& state) {
    FullNetwork& f = full();
    RecordPool pool;
    Table pota12;
    for (auto _ : state) {
        reference::pota12(pota12, f.t.MORE, kRow, f.p, pool);
        benchmark::DoNotOptimize(pota12.data());
    }
}
BENCHMARK(BM_Pota12_FullNetwork_Straightforward)->Unit(benchmark::kMillisecond)->Iterations(1);

// ---- automatic POT11 ----------------------------------------------------------------------------

std::vector<std::uint32_t> codesOf(const Table& t) {
    std::vector<std::uint32_t> out;
    for (const Combination* r : t)
        out.push_back(r->code);
    return out;
}

Table fastRun(const Table& network, RecordPool& pool, std::size_t* steps = nullptr) {
    Table mreza = network, tuk, pot11;
    std::atomic<bool> stop{false};
    const AutoPot11Result r = autoPot11(mreza, tuk, pot11, pool, full().p, -1, stop);
    if (steps) *steps = r.steps;
    return tuk;
}

Table straightforwardRun(const Table& network, RecordPool& pool) {
    Table mreza = network, tuk, pot11;
    reference::autoPot11(mreza, tuk, pot11, full().p, -1, pool);
    return tuk;
}

// The first 2,000 rows by MANA: both runs must give the same TUK.
void checkSameTuk(benchmark::State& state, const Table& network) {
    RecordPool a, b;
    if (codesOf(fastRun(network, a)) != codesOf(straightforwardRun(network, b)))
        state.SkipWithError("the runs give different TUK tables");
}

void BM_AutoPot11_2k(benchmark::State& state) {
    const Table network = full().best(2000);
    checkSameTuk(state, network);
    std::size_t tukRows = 0;
    for (auto _ : state) {
        RecordPool pool;
        tukRows = fastRun(network, pool).size();
    }
    state.counters["tuk_rows"] = static_cast<double>(tukRows);
}
BENCHMARK(BM_AutoPot11_2k)->Unit(benchmark::kMillisecond);

void BM_AutoPot11_2k_Straightforward(benchmark::State& state) {
    const Table network = full().best(2000);
    std::size_t tukRows = 0;
    for (auto _ : state) {
        RecordPool pool;
        tukRows = straightforwardRun(network, pool).size();
    }
    state.counters["tuk_rows"] = static_cast<double>(tukRows);
}
BENCHMARK(BM_AutoPot11_2k_Straightforward)->Unit(benchmark::kMillisecond);

void BM_AutoPot11_20k(benchmark::State& state) {
    const Table network = full().best(20000);
    std::size_t tukRows = 0;
    for (auto _ : state) {
        RecordPool pool;
        tukRows = fastRun(network, pool).size();
    }
    state.counters["tuk_rows"] = static_cast<double>(tukRows);
}
BENCHMARK(BM_AutoPot11_20k)->Unit(benchmark::kMillisecond);

void BM_AutoPot11_FullSpace(benchmark::State& state) {
    std::size_t tukRows = 0, steps = 0;
    for (auto _ : state) {
        RecordPool pool;
        tukRows = fastRun(full().t.MORE, pool, &steps).size();
    }
    state.counters["tuk_rows"] = static_cast<double>(tukRows);
    state.counters["steps"] = static_cast<double>(steps);
}
BENCHMARK(BM_AutoPot11_FullSpace)->Unit(benchmark::kMillisecond)->Iterations(1);

// ---- strike-out and purge
// ---------------------------------------------------------------------------

void strikeBench(benchmark::State& state, std::int8_t source) {
    FullNetwork& f = full();
    Combination t = *f.t.MORE[kRow];
    t.tukSource = source;
    Table mreza;
    for (auto _ : state) {
        state.PauseTiming();
        mreza = f.t.MORE;
        state.ResumeTiming();
        strikeOut(mreza, t);
        benchmark::DoNotOptimize(mreza.data());
    }
}

void BM_StrikeOut11_FullNetwork(benchmark::State& state) {
    strikeBench(state, FromPot11);
}
BENCHMARK(BM_StrikeOut11_FullNetwork)->Unit(benchmark::kMillisecond);

void BM_StrikeOut12_FullNetwork(benchmark::State& state) {
    strikeBench(state, FromPota12);
}
BENCHMARK(BM_StrikeOut12_FullNetwork)->Unit(benchmark::kMillisecond);

void BM_StrikeOut11_FullNetwork_Straightforward(benchmark::State& state) {
    FullNetwork& f = full();
    const Combination& t = *f.t.MORE[kRow];
    Table mreza;
    for (auto _ : state) {
        state.PauseTiming();
        mreza = f.t.MORE;
        state.ResumeTiming();
        Table kept;
        for (Combination* r : mreza)
            if (reference::differences(t, *r) >= 3) kept.push_back(r);
        mreza = kept;
        benchmark::DoNotOptimize(mreza.data());
    }
}
BENCHMARK(BM_StrikeOut11_FullNetwork_Straightforward)->Unit(benchmark::kMillisecond);

void BM_PurgeNpMarked_FullNetwork(benchmark::State& state) {
    FullNetwork& f = full();
    Combination t = *f.t.MORE[kRow];
    t.tukSource = FromPota12;
    Table marked = f.t.MORE;
    strikeOut(marked, t); // leaves the 11-hit rows with NP 1
    Table mreza;
    for (auto _ : state) {
        state.PauseTiming();
        mreza = marked;
        state.ResumeTiming();
        purgeNpMarked(mreza);
        benchmark::DoNotOptimize(mreza.data());
    }
    for (Combination* r : f.t.MORE)
        r->np = 0;
}
BENCHMARK(BM_PurgeNpMarked_FullNetwork)->Unit(benchmark::kMillisecond);

} // namespace

// ---- the guarantee report -------------------------------------------------------------------

namespace {

// TUK of the automatic run over the whole space (about 15,700 rows), made once.
const Table& wholeSpaceTuk() {
    static RecordPool pool;
    static const Table tuk = fastRun(full().t.MORE, pool);
    return tuk;
}

double probabilityOf(std::uint32_t code, const ProbabilityTable& p) {
    double q = 1.0;
    for (int m = 1; m <= kMatches; ++m)
        q *= static_cast<double>(p[static_cast<std::size_t>(m - 1)][signAt(code, m)]) / 100.0;
    return q;
}

// Every network row compared with every TUK row. With `networkIsSpace` the network holds each
// result once, so the same pass gives the chances; otherwise every result is compared again.
GuaranteeReport straightforwardReport(const Table& network, const Table& tuk,
                                      const ProbabilityTable& p, bool networkIsSpace) {
    GuaranteeReport r;
    r.tukRows = tuk.size();
    r.networkRows = network.size();
    auto best = [&](std::uint32_t code) {
        int h = 0;
        for (const Combination* t : tuk) {
            h = std::max(h, hitsBetween(code, t->code));
            if (h == kMatches) break;
        }
        return h;
    };
    auto addChance = [&](int h, double q) {
        for (int k = 0; k < 4; ++k)
            if (h >= kMatches - k) r.atLeast[static_cast<std::size_t>(k)] += q;
    };
    for (const Combination* row : network) {
        int h = best(row->code);
        if (networkIsSpace) addChance(h, probabilityOf(row->code, p));
        if (h < 10) h = 0;
        const auto c = static_cast<std::size_t>(hitClassOf(h));
        ++r.rows[c];
        r.mana[c] += row->mana;
        r.minHits = std::min(r.minHits, h);
    }
    if (!networkIsSpace)
        for (std::int32_t rank = 0; rank < kAllCombinations; ++rank) {
            const std::uint32_t code = codeOfRank(rank);
            addChance(best(code), probabilityOf(code, p));
        }
    return r;
}

void reportCounters(benchmark::State& state, const GuaranteeReport& r) {
    state.counters["tuk_rows"] = static_cast<double>(r.tukRows);
    state.counters["min_hits"] = r.minHits;
    state.counters["p_ge10_pct"] = r.atLeast[3] * 100.0;
}

} // namespace

void BM_Report_WholeSpace(benchmark::State& state) {
    const Table& tuk = wholeSpaceTuk();
    GuaranteeReport r;
    for (auto _ : state) {
        r = guaranteeReport(full().t.MORE, tuk, full().p);
        benchmark::DoNotOptimize(&r);
    }
    reportCounters(state, r);
}
BENCHMARK(BM_Report_WholeSpace)->Unit(benchmark::kMillisecond);

void BM_Report_WholeSpace_Straightforward(benchmark::State& state) {
    const Table& tuk = wholeSpaceTuk();
    GuaranteeReport r;
    for (auto _ : state) {
        r = straightforwardReport(full().t.MORE, tuk, full().p, true);
        benchmark::DoNotOptimize(&r);
    }
    reportCounters(state, r);
}
BENCHMARK(BM_Report_WholeSpace_Straightforward)->Unit(benchmark::kMillisecond)->Iterations(1);

namespace {

// 36,000 rows by MANA and a TUK of 700 rows: the automatic run's over them, topped up with
// network rows or cut.
struct TypicalCase {
    Table network;
    Table tuk;
    RecordPool pool;
    TypicalCase() : network(full().best(36000)) {
        tuk = fastRun(network, pool);
        for (std::size_t k = 0; tuk.size() < 700; k += 37)
            tuk.push_back(network[k]);
        tuk.resize(700);
    }
};

TypicalCase& typical() {
    static TypicalCase c;
    return c;
}

} // namespace

void BM_Report_Typical(benchmark::State& state) {
    TypicalCase& c = typical();
    GuaranteeReport r;
    for (auto _ : state) {
        r = guaranteeReport(c.network, c.tuk, full().p);
        benchmark::DoNotOptimize(&r);
    }
    reportCounters(state, r);
}
BENCHMARK(BM_Report_Typical)->Unit(benchmark::kMillisecond);

void BM_Report_Typical_Straightforward(benchmark::State& state) {
    TypicalCase& c = typical();
    GuaranteeReport r;
    for (auto _ : state) {
        r = straightforwardReport(c.network, c.tuk, full().p, false);
        benchmark::DoNotOptimize(&r);
    }
    reportCounters(state, r);
}
BENCHMARK(BM_Report_Typical_Straightforward)->Unit(benchmark::kMillisecond)->Iterations(1);
