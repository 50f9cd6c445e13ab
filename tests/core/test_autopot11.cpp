// Automatic POT11 against the run done step by step the straightforward way.
#include "core/AutoPot11.h"
#include "core/Tables.h"
#include "tests/core/CoverageReference.h"
#include "tests/core/NetworkFixtures.h"

#include <gtest/gtest.h>

#include <string>

using namespace kviro;
using namespace kviro::testing;

namespace {

// Both runs start from the same network and TUK and must end with the same tables: the very
// network rows in the same order, TUK rows with the same codes, sources and MANA (and the very
// rows TUK held before), the same POT11 list.
struct Outcome {
    Table mreza, tuk, pot11;
    std::size_t steps = 0;
};

void expectSameOutcome(const Outcome& got, const Outcome& want, const std::string& what) {
    EXPECT_EQ(got.steps, want.steps) << what;
    EXPECT_EQ(got.mreza, want.mreza) << what;
    ASSERT_EQ(got.tuk.size(), want.tuk.size()) << what;
    for (std::size_t i = 0; i < got.tuk.size(); ++i) {
        ASSERT_EQ(got.tuk[i]->code, want.tuk[i]->code) << what << " TUK " << i;
        EXPECT_EQ(got.tuk[i]->tukSource, want.tuk[i]->tukSource) << what << " TUK " << i;
        EXPECT_EQ(got.tuk[i]->mana, want.tuk[i]->mana) << what << " TUK " << i;
        EXPECT_EQ(got.tuk[i]->count1, want.tuk[i]->count1) << what << " TUK " << i;
        if (want.tuk[i]->tukSource != 1) {
            EXPECT_EQ(got.tuk[i], want.tuk[i]) << what << " TUK " << i;
        }
    }
    ASSERT_EQ(got.pot11.size(), want.pot11.size()) << what;
    for (std::size_t i = 0; i < got.pot11.size(); ++i) {
        ASSERT_EQ(got.pot11[i]->code, want.pot11[i]->code) << what << " POT11 " << i;
        EXPECT_EQ(got.pot11[i]->hitCount, want.pot11[i]->hitCount) << what << " POT11 " << i;
        EXPECT_EQ(got.pot11[i]->sumMana, want.pot11[i]->sumMana) << what << " POT11 " << i;
        EXPECT_EQ(got.pot11[i]->mana, want.pot11[i]->mana) << what << " POT11 " << i;
    }
}

Outcome runReference(const Table& mreza, const Table& tuk, int minHits, RecordPool& pool,
                     std::size_t maxSteps = SIZE_MAX) {
    Outcome o{mreza, tuk, {}, 0};
    o.steps = reference::autoPot11(o.mreza, o.tuk, o.pot11, defaultProbabilities(), minHits, pool,
                                   maxSteps);
    return o;
}

struct AutoCase {
    const char* name;
    std::size_t rows;
    unsigned seed;
    int minHits;
    bool tukFromNetwork; // TUK starts with some network rows (as after "TUK = MREŽA")
};

class AutoPot11Differential : public ::testing::TestWithParam<AutoCase> {};

TEST_P(AutoPot11Differential, SameTablesAsStepByStepRun) {
    const AutoCase& c = GetParam();
    Tables t;
    const ProbabilityTable p = defaultProbabilities();
    std::mt19937 rng(c.seed);
    t.MREZA = randomNetwork(t.pool, rng, c.rows, p);
    if (c.tukFromNetwork)
        for (std::size_t i = 0; i < t.MREZA.size(); i += 7)
            t.TUK.push_back(t.MREZA[i]);
    RecordPool refPool;
    const Outcome want = runReference(t.MREZA, t.TUK, c.minHits, refPool);

    Outcome got{t.MREZA, t.TUK, {}, 0};
    std::atomic<bool> stop{false};
    std::size_t calls = 0;
    const AutoPot11Result r = autoPot11(got.mreza, got.tuk, got.pot11, t.pool, p, c.minHits, stop,
                                        [&](const AutoPot11Step& s) {
                                            EXPECT_EQ(s.step, ++calls);
                                            EXPECT_EQ(s.last, calls == want.steps);
                                        });
    got.steps = r.steps;
    EXPECT_FALSE(r.stopped);
    EXPECT_EQ(r.added + r.skipped, r.steps);
    expectSameOutcome(got, want, c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Networks, AutoPot11Differential,
    ::testing::Values(AutoCase{"one_row", 1, 1, -1, false}, AutoCase{"tiny", 12, 2, -1, false},
                      AutoCase{"small", 250, 3, -1, false}, AutoCase{"with_tuk", 400, 4, -1, true},
                      AutoCase{"min3", 400, 5, 3, false}, AutoCase{"min13", 300, 6, 13, true},
                      AutoCase{"min0_skips_all", 50, 7, 0, false},
                      AutoCase{"min_negative", 50, 8, -5, false},
                      AutoCase{"larger", 2500, 9, -1, false},
                      AutoCase{"larger_min2", 2500, 10, 2, false}),
    [](const auto& tp) { return std::string(tp.param.name); });

TEST(AutoPot11, StopLeavesTablesAsAfterLastFinishedStep) {
    Tables t;
    const ProbabilityTable p = defaultProbabilities();
    std::mt19937 rng(21);
    t.MREZA = randomNetwork(t.pool, rng, 600, p);
    for (const std::size_t stopAfter : {std::size_t{1}, std::size_t{5}, std::size_t{17}}) {
        RecordPool refPool;
        const Outcome want = runReference(t.MREZA, t.TUK, -1, refPool, stopAfter);
        Outcome got{t.MREZA, t.TUK, {}, 0};
        Table seenMreza, seenTuk;
        std::atomic<bool> stop{false};
        const AutoPot11Result r = autoPot11(got.mreza, got.tuk, got.pot11, t.pool, p, -1, stop,
                                            [&](const AutoPot11Step& s) {
                                                s.writeTables(seenMreza, seenTuk);
                                                EXPECT_EQ(seenMreza.size(), s.mrezaRows);
                                                EXPECT_EQ(seenTuk.size(), s.tukRows);
                                                if (s.step == stopAfter) stop = true;
                                            });
        got.steps = r.steps;
        EXPECT_TRUE(r.stopped);
        expectSameOutcome(got, want, "stopped after " + std::to_string(stopAfter));
        EXPECT_EQ(seenMreza, got.mreza); // what the last step showed is what the run left
        EXPECT_EQ(seenTuk, got.tuk);
    }
}

TEST(AutoPot11, EdgeCases) {
    Tables t;
    const ProbabilityTable p = defaultProbabilities();
    std::atomic<bool> stop{false};
    // An empty network: nothing happens.
    Combination* old = t.pool.make();
    t.POT11 = {old};
    AutoPot11Result r = autoPot11(t.MREZA, t.TUK, t.POT11, t.pool, p, -1, stop);
    EXPECT_EQ(r.steps, 0u);
    EXPECT_EQ(t.POT11, Table{old});

    // A single row: one step adds its best candidate and empties the network.
    Combination* x = t.pool.make();
    combinationCode(*x, Digits{1, 0, 2, 1, 1, 0, 2, 2, 0, 1, 0, 1, 2});
    valueCombination(*x, p);
    t.MREZA = {x};
    r = autoPot11(t.MREZA, t.TUK, t.POT11, t.pool, p, -1, stop);
    EXPECT_EQ(r.steps, 1u);
    EXPECT_TRUE(t.MREZA.empty());
    ASSERT_EQ(t.TUK.size(), 1u);
    EXPECT_EQ(t.TUK[0]->code, x->code); // all 339 candidates hit x alone: the first built wins
    EXPECT_NE(t.TUK[0], x);             // a new row
    EXPECT_EQ(t.TUK[0]->tukSource, 1);
    EXPECT_EQ(t.POT11.size(), 339u);

    // TUK holding the best candidate already: not added again, its rows still leave.
    t.MREZA = {x};
    t.TUK = {x};
    r = autoPot11(t.MREZA, t.TUK, t.POT11, t.pool, p, -1, stop);
    EXPECT_EQ(r.added, 1u);
    EXPECT_TRUE(t.MREZA.empty());
    EXPECT_EQ(t.TUK, Table{x});

    // Stopped before the first step: nothing changes.
    t.MREZA = {x};
    t.TUK.clear();
    stop = true;
    r = autoPot11(t.MREZA, t.TUK, t.POT11, t.pool, p, -1, stop);
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(t.MREZA, Table{x});
    EXPECT_TRUE(t.TUK.empty());
}

TEST(AutoPot11, SkipRule) {
    const struct {
        int minHits;
        std::uint32_t hits;
        bool skips;
    } rows[] = {{-1, 0, true}, {-1, 1, false}, {0, 50, true},   {-3, 50, true},
                {1, 1, false}, {13, 12, true}, {13, 13, false}, {10, 0, true}};
    for (const auto& r : rows) {
        EXPECT_EQ(autoPot11Skips(r.minHits, r.hits), r.skips) << r.minHits << " " << r.hits;
        EXPECT_EQ(reference::skips(r.minHits, r.hits), r.skips) << r.minHits << " " << r.hits;
    }
}

} // namespace
