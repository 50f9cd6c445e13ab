// The workbench's commands on a full MORE, each beside a straightforward version.
#include "core/Fillerthread.h"
#include "core/MorFile.h"
#include "core/MoreFilters.h"
#include "core/MoreSort.h"
#include "core/MoreStats.h"
#include "core/NumberText.h"
#include "core/Probability.h"
#include "core/Tables.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace kviro;

namespace {

// All combinations in generation order, valued with the design percentages, with NP values
// spread over -5 ... 5 so the NP sort has work to do.
struct ValuedTable {
    Tables t;
    ValuedTable() {
        std::atomic<bool> stop{false};
        generateAllCombinations(t.MORE, t.pool, stop);
        valueTable(t.MORE, defaultProbabilities());
        for (Combination* r : t.MORE) r->np = static_cast<std::int8_t>(r->code % 11) - 5;
    }
};

const Table& unsorted() {
    static ValuedTable v;
    return v.t.MORE;
}

// Runs a command on a copy of the unsorted table; the copy is made outside the timing, so
// every iteration starts from the same order.
template <class Command> void fromUnsorted(benchmark::State& state, Command command) {
    Table work;
    for (auto _ : state) {
        state.PauseTiming();
        work = unsorted();
        state.ResumeTiming();
        command(work);
        benchmark::DoNotOptimize(work.data());
    }
}

void BM_SortMoreByMana(benchmark::State& state) { fromUnsorted(state, sortByMana); }
BENCHMARK(BM_SortMoreByMana)->Unit(benchmark::kMillisecond);

void BM_SortMoreByMana_Straightforward(benchmark::State& state) {
    fromUnsorted(state, [](Table& t) { std::sort(t.begin(), t.end(), manaOrder); });
}
BENCHMARK(BM_SortMoreByMana_Straightforward)->Unit(benchmark::kMillisecond);

void BM_SortMoreByTip(benchmark::State& state) { fromUnsorted(state, sortByTip); }
BENCHMARK(BM_SortMoreByTip)->Unit(benchmark::kMillisecond);

void BM_SortMoreByTip_Straightforward(benchmark::State& state) {
    fromUnsorted(state, [](Table& t) { std::sort(t.begin(), t.end(), tipOrder); });
}
BENCHMARK(BM_SortMoreByTip_Straightforward)->Unit(benchmark::kMillisecond);

void BM_SortMoreByNp(benchmark::State& state) { fromUnsorted(state, sortByNp); }
BENCHMARK(BM_SortMoreByNp)->Unit(benchmark::kMillisecond);

void BM_SortMoreByNp_Straightforward(benchmark::State& state) {
    fromUnsorted(state, [](Table& t) { std::sort(t.begin(), t.end(), npOrder); });
}
BENCHMARK(BM_SortMoreByNp_Straightforward)->Unit(benchmark::kMillisecond);

// "matematičku nadu manju od 1": removes nine rows in ten.
const Limit kManaBelowOne{LimitRow::LimitMANA2, 1.0f, 0};

void BM_LimitFull(benchmark::State& state) {
    fromUnsorted(state, [](Table& t) { limitTable(t, kManaBelowOne); });
}
BENCHMARK(BM_LimitFull)->Unit(benchmark::kMillisecond);

// Collect the kept rows in a new list, empty the table, append them.
void BM_LimitFull_Straightforward(benchmark::State& state) {
    fromUnsorted(state, [](Table& t) {
        Table kept;
        for (Combination* r : t)
            if (!limitRemoves(kManaBelowOne, *r)) kept.push_back(r);
        t.clear();
        for (Combination* r : kept) t.push_back(r);
    });
}
BENCHMARK(BM_LimitFull_Straightforward)->Unit(benchmark::kMillisecond);

CombPattern benchPattern() {
    CombPattern p;
    for (int k = 0; k < kMatches; ++k) {
        p.left[k] = k % 3;
        p.right[k] = k % 2 == 0 ? -1 : (k + 1) % 3;
    }
    p.most = 10;
    p.fewest = 4;
    return p;
}

void BM_CombFull(benchmark::State& state) {
    const CombPattern p = benchPattern();
    fromUnsorted(state, [&p](Table& t) { combTable(t, p); });
}
BENCHMARK(BM_CombFull)->Unit(benchmark::kMillisecond);

// Thirteen signAt calls per row, kept rows collected in a new list.
void BM_CombFull_Straightforward(benchmark::State& state) {
    const CombPattern p = benchPattern();
    fromUnsorted(state, [&p](Table& t) {
        Table kept;
        for (Combination* r : t) {
            int hits = 0;
            for (int k = 1; k <= kMatches; ++k)
                if (signAt(*r, k) == p.left[k - 1] || signAt(*r, k) == p.right[k - 1]) ++hits;
            if (p.fewest <= hits && hits <= p.most) kept.push_back(r);
        }
        t = kept;
    });
}
BENCHMARK(BM_CombFull_Straightforward)->Unit(benchmark::kMillisecond);

void BM_RefreshInfo(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(infoTexts(unsorted(), ','));
}
BENCHMARK(BM_RefreshInfo)->Unit(benchmark::kMillisecond);

// One running sum in table order.
void BM_RefreshInfo_Straightforward(benchmark::State& state) {
    for (auto _ : state) {
        double s = 0;
        for (const Combination* r : unsorted()) s += r->mana;
        benchmark::DoNotOptimize(formatFixed(s, 7, 3, ','));
    }
}
BENCHMARK(BM_RefreshInfo_Straightforward)->Unit(benchmark::kMillisecond);

// Save and load go through a real file, as the workbench does.
void BM_SaveMor(benchmark::State& state) {
    for (auto _ : state) {
        FILE* f = std::tmpfile();
        writeMor(unsorted(), [f](std::string_view piece) { std::fwrite(piece.data(), 1, piece.size(), f); });
        std::fclose(f);
    }
}
BENCHMARK(BM_SaveMor)->Unit(benchmark::kMillisecond);

// fprintf with the line format, one line per row.
void BM_SaveMor_Straightforward(benchmark::State& state) {
    for (auto _ : state) {
        FILE* f = std::tmpfile();
        for (const Combination* r : unsorted())
            std::fprintf(f, "%d %f %d %d %d %d\r\n", static_cast<int>(r->code),
                         static_cast<double>(r->mana), r->count0, r->count1, r->count2, r->np);
        std::fclose(f);
    }
}
BENCHMARK(BM_SaveMor_Straightforward)->Unit(benchmark::kMillisecond);

// A .MOR file of the full table, open for reading; closed when the program ends.
FILE* savedFile() {
    static FILE* f = [] {
        FILE* file = std::tmpfile();
        writeMor(unsorted(), [file](std::string_view piece) { std::fwrite(piece.data(), 1, piece.size(), file); });
        return file;
    }();
    std::rewind(f);
    return f;
}

// The file read in pieces into the reader.
void BM_LoadMor(benchmark::State& state) {
    Tables t;
    FILE* f = savedFile();
    std::fseek(f, 0, SEEK_END);
    const auto size = static_cast<std::size_t>(std::ftell(f));
    for (auto _ : state) {
        f = savedFile();
        const MorReadResult r = loadMor(
            t, [f](char* buf, std::size_t cap) { return static_cast<long long>(std::fread(buf, 1, cap, f)); },
            size);
        benchmark::DoNotOptimize(r.badLine);
    }
    state.counters["rows"] = static_cast<double>(t.MORE.size());
    state.counters["MB"] = static_cast<double>(size) / 1e6;
}
BENCHMARK(BM_LoadMor)->Unit(benchmark::kMillisecond);

// fscanf with the line format, one record made per line read.
void BM_LoadMor_Straightforward(benchmark::State& state) {
    Tables t;
    savedFile();
    for (auto _ : state) {
        FILE* f = savedFile();
        t.MORE.clear();
        int code, c0, c1, c2, np;
        float mana;
        while (std::fscanf(f, "%d %f %d %d %d %d", &code, &mana, &c0, &c1, &c2, &np) == 6) {
            Combination* rec = t.pool.make();
            rec->code = static_cast<std::uint32_t>(code);
            rec->mana = mana;
            rec->count0 = static_cast<std::int8_t>(c0);
            rec->count1 = static_cast<std::int8_t>(c1);
            rec->count2 = static_cast<std::int8_t>(c2);
            rec->np = static_cast<std::int8_t>(np);
            t.MORE.push_back(rec);
        }
        t.MORE0 = t.MORE;
        t.sweep();
        benchmark::DoNotOptimize(t.MORE.data());
    }
    state.counters["rows"] = static_cast<double>(t.MORE.size());
}
BENCHMARK(BM_LoadMor_Straightforward)->Unit(benchmark::kMillisecond);

} // namespace
