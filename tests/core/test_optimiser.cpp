// The TUK optimiser: every cover checked against a straightforward comparison of every network
// row with every cover row, never larger than the automatic run, repeatable, and a stop that
// keeps a valid cover.
#include "core/AutoPot11.h"
#include "core/CodeSpace.h"
#include "core/TukEntry.h"
#include "core/TukOptimiser.h"
#include "tests/core/NetworkFixtures.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

using namespace kviro;
using namespace kviro::testing;

namespace {

// Every row within `radius` signs of some cover row, by comparing each pair.
bool coversStraightforward(const Table& network, const std::vector<std::uint32_t>& codes,
                           int radius) {
    for (const Combination* row : network) {
        bool reached = false;
        for (const std::uint32_t c : codes)
            reached = reached || kMatches - hitsBetween(c, row->code) <= radius;
        if (!reached) return false;
    }
    return true;
}

Combination* rowOf(RecordPool& pool, const Digits& d, const ProbabilityTable& p) {
    Combination* r = pool.make();
    combinationCode(*r, d);
    valueCombination(*r, p);
    return r;
}

// Every combination whose match a takes one of the signs in masks[a - 1] (bit s: sign s).
Table productNetwork(RecordPool& pool, const std::array<int, kMatches>& masks,
                     const ProbabilityTable& p) {
    Table out;
    Digits d{};
    auto fill = [&](auto&& self, int a) -> void {
        if (a == kMatches) {
            out.push_back(rowOf(pool, d, p));
            return;
        }
        for (int s = 0; s < 3; ++s)
            if (masks[static_cast<std::size_t>(a)] & (1 << s)) {
                d[static_cast<std::size_t>(a)] = s;
                self(self, a + 1);
            }
    };
    fill(fill, 0);
    return out;
}

struct NetworkCase {
    std::string name;
    Table network;
    bool product = false;
};

std::vector<NetworkCase> networkCases(RecordPool& pool) {
    const ProbabilityTable p = defaultProbabilities();
    std::vector<NetworkCase> cases;
    std::mt19937 rng(12);
    cases.push_back({"random300", randomNetwork(pool, rng, 300, p)});
    cases.push_back({"random1500", randomNetwork(pool, rng, 1500, p)});
    // Four free matches, two doubles, the rest fixed: 3^4 * 2^2 = 324 rows.
    cases.push_back({"product",
                     productNetwork(pool, {7, 7, 7, 7, 3, 6, 1, 1, 2, 4, 1, 1, 1}, p), true});
    cases.push_back(
        {"single", {rowOf(pool, Digits{1, 0, 2, 1, 1, 0, 2, 2, 1, 0, 0, 1, 2}, p)}, true});
    // Repeated rows and rows with a digit 3: one 3 (within reach of a combination at any
    // radius) and four 3s (only its own code reaches it).
    Table odd;
    for (int k = 0; k < 3; ++k)
        odd.push_back(rowOf(pool, Digits{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, p));
    odd.push_back(rowOf(pool, Digits{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1}, p));
    odd.push_back(rowOf(pool, Digits{2, 2, 2, 2, 2, 2, 3, 2, 2, 2, 2, 2, 2}, p));
    odd.push_back(rowOf(pool, Digits{1, 1, 1, 3, 3, 3, 3, 1, 1, 1, 1, 1, 1}, p));
    odd.push_back(rowOf(pool, Digits{1, 1, 1, 3, 3, 3, 3, 1, 1, 1, 1, 1, 1}, p));
    cases.push_back({"repeated_and_digit3", odd});
    return cases;
}

// The automatic POT11 run on its own (11 hits).
std::size_t automaticPot11Rows(const Table& network) {
    Table mreza = network, tuk, pot11;
    RecordPool pool;
    std::atomic<bool> stop{false};
    autoPot11(mreza, tuk, pot11, pool, defaultProbabilities(), -1, stop);
    return tuk.size();
}

TEST(TukOptimiser, CoversEverySmallNetworkNoLargerThanTheAutomaticRunAndRepeats) {
    RecordPool pool;
    const ProbabilityTable p = defaultProbabilities();
    std::atomic<bool> stop{false};
    for (const NetworkCase& c : networkCases(pool)) {
        for (int radius = 1; radius <= 3; ++radius) {
            const std::string what = c.name + " radius " + std::to_string(radius);
            OptimiseOptions o;
            o.radius = radius;
            o.effort = OptimiseEffort::Quick;
            o.steps = 20000;
            const OptimiseResult r = optimiseTuk(c.network, p, o, stop);
            ASSERT_TRUE(r.verified) << what;
            ASSERT_FALSE(r.codes.empty()) << what;
            EXPECT_TRUE(coversStraightforward(c.network, r.codes, radius)) << what;
            EXPECT_TRUE(coversNetwork(c.network, r.codes, radius)) << what;
            EXPECT_EQ(std::set<std::uint32_t>(r.codes.begin(), r.codes.end()).size(),
                      r.codes.size())
                << what << ": a combination twice";
            ASSERT_GT(r.automaticRows, 0u) << what;
            EXPECT_LE(r.codes.size(), r.automaticRows) << what;
            if (radius == 2) {
                EXPECT_EQ(r.automaticRows, automaticPot11Rows(c.network)) << what;
            }
            EXPECT_EQ(r.structuredRows > 0, c.product) << what;
            const OptimiseResult again = optimiseTuk(c.network, p, o, stop);
            EXPECT_EQ(again.codes, r.codes) << what << ": not repeatable";
        }
    }
}

TEST(TukOptimiser, SearchShrinksTheGreedyCoverOfAClusteredNetwork) {
    RecordPool pool;
    std::mt19937 rng(5);
    Table network = randomNetwork(pool, rng, 4000, defaultProbabilities());
    // Rows with a digit 3 (from files only) are covered by rows of their own, outside the search.
    std::erase_if(network, [](const Combination* r) { return !isValidCode(r->code); });
    std::atomic<bool> stop{false};
    // The work in one round, then in eight, each from the best cover of the one before.
    for (const std::uint64_t roundSteps : {std::uint64_t{0}, std::uint64_t{50000}}) {
        const std::string what = "rounds of " + std::to_string(roundSteps);
        OptimiseOptions o;
        o.steps = 400000;
        o.roundSteps = roundSteps;
        const OptimiseResult r = optimiseTuk(network, defaultProbabilities(), o, stop);
        ASSERT_TRUE(r.verified) << what;
        EXPECT_TRUE(coversStraightforward(network, r.codes, 2)) << what;
        EXPECT_LT(r.codes.size(), r.greedyRows) << what;
        EXPECT_LT(r.greedyRows, r.automaticRows) << what;
        EXPECT_GE(r.steps, o.steps) << what;
        EXPECT_EQ(optimiseTuk(network, defaultProbabilities(), o, stop).codes, r.codes) << what;
    }
}

TEST(TukOptimiser, StopKeepsTheBestCoverSoFar) {
    RecordPool pool;
    std::mt19937 rng(7);
    const Table network = randomNetwork(pool, rng, 3000, defaultProbabilities());
    std::atomic<bool> stop{false};
    std::size_t firstBest = 0;
    OptimiseOptions o;
    o.steps = 1'000'000'000; // would run for hours
    const OptimiseResult r =
        optimiseTuk(network, defaultProbabilities(), o, stop, [&](std::size_t rows) {
            if (!firstBest) firstBest = rows;
            stop = true;
        });
    EXPECT_TRUE(r.stopped);
    ASSERT_TRUE(r.verified);
    ASSERT_GT(firstBest, 0u);
    EXPECT_EQ(r.codes.size(), firstBest);
    EXPECT_TRUE(coversStraightforward(network, r.codes, 2));
}

TEST(TukOptimiser, EmptyNetworkGivesNothing) {
    std::atomic<bool> stop{false};
    const OptimiseResult r = optimiseTuk({}, defaultProbabilities(), OptimiseOptions{}, stop);
    EXPECT_TRUE(r.codes.empty());
    EXPECT_EQ(r.automaticRows, 0u);
}

TEST(TukOptimiser, StructuredCodesArePerfect) {
    // The Golay code: 729 words, any two at five or more differing signs, so the 729 balls of
    // 243 words (radius 2 in length 11) are disjoint and fill all 3^11 words.
    const std::vector<std::uint32_t> golay = golayCode11();
    ASSERT_EQ(golay.size(), 729u);
    int fewest = 11;
    for (std::size_t i = 0; i < golay.size(); ++i)
        for (std::size_t j = i + 1; j < golay.size(); ++j)
            fewest = std::min(fewest, differingMatches(golay[i], golay[j]));
    EXPECT_EQ(fewest, 5);
    const std::vector<std::uint32_t> tetra = hammingCode(4);
    ASSERT_EQ(tetra.size(), 9u);
    for (std::size_t i = 0; i < tetra.size(); ++i)
        for (std::size_t j = i + 1; j < tetra.size(); ++j)
            EXPECT_EQ(differingMatches(tetra[i], tetra[j]), 3);
    EXPECT_EQ(hammingCode(13).size(), 59049u);
}

TEST(TukOptimiser, WholeSpacesGetThePerfectCodes) {
    RecordPool pool;
    const ProbabilityTable p = defaultProbabilities();
    std::array<int, kMatches> all;
    all.fill(7);
    const Table space = productNetwork(pool, all, p);
    std::array<int, kMatches> triples = all;
    triples[11] = triples[12] = 1; // matches 12 and 13 fixed
    const Table eleven = productNetwork(pool, triples, p);
    std::atomic<bool> stop{false};
    struct Case {
        const Table* network;
        int radius;
        std::size_t rows;
    };
    for (const Case& c : {Case{&space, 1, 59049}, Case{&eleven, 2, 729}}) {
        OptimiseOptions o;
        o.radius = c.radius;
        const OptimiseResult r = optimiseTuk(*c.network, p, o, stop);
        ASSERT_TRUE(r.verified);
        EXPECT_EQ(r.codes.size(), c.rows);
        EXPECT_EQ(r.method, OptimiseMethod::Structured);
    }
}

TEST(TukOptimiser, CoverCheckFindsAMissingRow) {
    RecordPool pool;
    const ProbabilityTable p = defaultProbabilities();
    const Table network = {rowOf(pool, Digits{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, p),
                           rowOf(pool, Digits{3, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, p)};
    const std::uint32_t zero = network[0]->code;
    EXPECT_FALSE(coversNetwork(network, {zero}, 2));            // the 3s are three differences
    EXPECT_TRUE(coversNetwork(network, {zero}, 3));
    EXPECT_TRUE(coversNetwork(network, {zero, network[1]->code}, 1));
    EXPECT_FALSE(coversNetwork(network, {withSign(zero, 13, 1)}, 0));
    EXPECT_FALSE(coversNetwork(network, {}, 3));
}

TEST(TukOptimiser, CoverGoesToTheTopOfTukOnce) {
    RecordPool pool;
    const ProbabilityTable p = defaultProbabilities();
    Combination* held = rowOf(pool, Digits{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, p);
    Table tuk = {held};
    const std::uint32_t a = codeOf(Digits{2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2});
    const std::uint32_t b = codeOf(Digits{0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0});
    EXPECT_EQ(addCoverToTuk(tuk, {a, held->code, b, a}, FromPota12, p, pool), 2u);
    ASSERT_EQ(tuk.size(), 3u);
    EXPECT_EQ(tuk[0]->code, a);
    EXPECT_EQ(tuk[1]->code, b);
    EXPECT_EQ(tuk[2], held);
    EXPECT_EQ(tuk[0]->tukSource, FromPota12);
    EXPECT_EQ(tuk[1]->mana, manaOf(b, p));
    EXPECT_EQ(tuk[1]->count0, 5);
}

} // namespace
