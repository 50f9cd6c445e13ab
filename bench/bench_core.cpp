// Generation and valuation of the whole table, against straightforward versions of both.
#include "core/Fillerthread.h"
#include "core/Probability.h"
#include "core/Tables.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

using namespace kviro;

namespace {

void BM_GenerateAll(benchmark::State& state) {
    std::atomic<bool> stop{false};
    for (auto _ : state) {
        Tables t;
        generateAllCombinations(t.MORE, t.pool, stop);
        benchmark::DoNotOptimize(t.MORE.data());
        state.PauseTiming();
        t.releaseAll();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GenerateAll)->Unit(benchmark::kMillisecond);

// One heap allocation per record and floating-point powers for the code.
void BM_GenerateAll_Straightforward(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<std::unique_ptr<Combination>> owned;
        Table more;
        int d[kMatches];
        for (int n = 0; n < kAllCombinations; ++n) {
            int rest = n;
            for (int k = kMatches - 1; k >= 0; --k) {
                d[k] = rest % 3;
                rest /= 3;
            }
            auto rec = std::make_unique<Combination>();
            rec->count0 = rec->count1 = rec->count2 = 0;
            std::uint32_t acc = 0;
            for (int i = 0; i <= 12; ++i) {
                const int digit = d[12 - i];
                acc = static_cast<std::uint32_t>(acc + digit * std::pow(4.0, i));
                if (digit == 0) ++rec->count0;
                else if (digit == 1) ++rec->count1;
                else if (digit == 2) ++rec->count2;
            }
            rec->code = acc;
            more.push_back(rec.get());
            owned.push_back(std::move(rec));
        }
        benchmark::DoNotOptimize(more.data());
        state.PauseTiming();
        owned.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GenerateAll_Straightforward)->Unit(benchmark::kMillisecond);

struct FullTable {
    Tables t;
    FullTable() {
        std::atomic<bool> stop{false};
        generateAllCombinations(t.MORE, t.pool, stop);
    }
};

FullTable& full() {
    static FullTable f;
    return f;
}

void BM_ValueAll(benchmark::State& state) {
    const ProbabilityTable p = defaultProbabilities();
    for (auto _ : state) {
        valueTable(full().t.MORE, p);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ValueAll)->Unit(benchmark::kMillisecond);

// signAt by floating-point division, product in match order.
void BM_ValueAll_Straightforward(benchmark::State& state) {
    const ProbabilityTable p = defaultProbabilities();
    for (auto _ : state) {
        for (Combination* r : full().t.MORE) {
            float prod = 1.0f;
            for (int m = 1; m <= kMatches; ++m) {
                const int s = static_cast<int>(std::fmod(std::trunc(r->code / std::pow(4.0, 13 - m)), 4.0));
                prod = p[m - 1][s] * prod;
            }
            r->mana = static_cast<float>(1594323.0 * prod * 1e-26);
            r->np = 0;
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ValueAll_Straightforward)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
