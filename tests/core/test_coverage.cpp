// POTA12 and POT11 against the straightforward procedures, on random networks with repeated
// rows and codes holding a digit 3, and their fixed facts (candidate order, single-row network).
#include "core/CodeSpace.h"
#include "core/Coverage.h"
#include "core/Tables.h"
#include "tests/core/CoverageReference.h"
#include "tests/core/NetworkFixtures.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace kviro;
using namespace kviro::testing;

namespace {

void expectSameRows(const Table& got, const Table& want, const std::string& what) {
    ASSERT_EQ(got.size(), want.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i) {
        const Combination& g = *got[i];
        const Combination& w = *want[i];
        ASSERT_EQ(g.code, w.code) << what << " row " << i;
        EXPECT_EQ(g.count0, w.count0) << what << " row " << i;
        EXPECT_EQ(g.count1, w.count1) << what << " row " << i;
        EXPECT_EQ(g.count2, w.count2) << what << " row " << i;
        EXPECT_EQ(g.serial, w.serial) << what << " row " << i;
        EXPECT_EQ(g.hits13, w.hits13) << what << " row " << i;
        EXPECT_EQ(g.hits12, w.hits12) << what << " row " << i;
        EXPECT_EQ(g.hitCount, w.hitCount) << what << " row " << i;
        // Bit for bit: the same additions in the same order.
        EXPECT_EQ(std::bit_cast<std::uint32_t>(g.sumMana), std::bit_cast<std::uint32_t>(w.sumMana))
            << what << " row " << i << ": " << g.sumMana << " vs " << w.sumMana;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(g.mana), std::bit_cast<std::uint32_t>(w.mana))
            << what << " row " << i;
    }
}

struct NetCase {
    const char* name;
    std::size_t rows;
    unsigned seed;
};

class CoverageDifferential : public ::testing::TestWithParam<NetCase> {};

TEST_P(CoverageDifferential, CandidatesEqualStraightforwardScan) {
    const NetCase& c = GetParam();
    Tables t;
    const ProbabilityTable p = defaultProbabilities();
    std::mt19937 rng(c.seed);
    t.MREZA = randomNetwork(t.pool, rng, c.rows, p);
    NetworkIndex index;
    RecordPool refPool;
    std::vector<std::size_t> rows = pickRows(t.MREZA, rng, 6);
    std::uint32_t mostHits = 0;
    for (const std::size_t x : rows) {
        const std::string what = std::string(c.name) + " X=" + signText(*t.MREZA[x]);
        Table want;
        reference::pot11(want, t.MREZA, x, p, refPool);
        int progressed = 0;
        ASSERT_TRUE(fillPot11(t.POT11, t.MREZA, x, p, t.pool, &index,
                              [&](int done) { EXPECT_EQ(done, ++progressed); }));
        EXPECT_EQ(progressed, kPot11Candidates);
        expectSameRows(t.POT11, want, "POT11 " + what);
        mostHits = std::max(mostHits, want[0]->hitCount);
        // Without a kept index the result is the same.
        ASSERT_TRUE(fillPot11(t.POT11, t.MREZA, x, p, t.pool));
        expectSameRows(t.POT11, want, "POT11 (own index) " + what);

        reference::pota12(want, t.MREZA, x, p, refPool);
        ASSERT_TRUE(fillPota12(t.POTA12, t.MREZA, x, p, t.pool, &index));
        expectSameRows(t.POTA12, want, "POTA12 " + what);
    }
    if (c.rows >= 300) {
        EXPECT_GE(mostHits, 5u) << "the network should give sums of many rows";
    }
    // The kept index follows a change of order (same size), then a change of size.
    for (int change = 0; change < 2; ++change) {
        if (change == 0)
            std::shuffle(t.MREZA.begin(), t.MREZA.end(), rng);
        else
            t.MREZA.resize(t.MREZA.size() - t.MREZA.size() / 3);
        if (t.MREZA.empty()) return;
        const std::size_t x = rows.front() % t.MREZA.size();
        Table want;
        reference::pot11(want, t.MREZA, x, p, refPool);
        ASSERT_TRUE(fillPot11(t.POT11, t.MREZA, x, p, t.pool, &index));
        expectSameRows(t.POT11, want, std::string("POT11 after change ") + c.name);
    }
}

INSTANTIATE_TEST_SUITE_P(Networks, CoverageDifferential,
                         ::testing::Values(NetCase{"one_row", 1, 1}, NetCase{"tiny", 9, 2},
                                           NetCase{"small", 300, 3},
                                           NetCase{"below_index", kIndexMinRows - 1, 4},
                                           NetCase{"indexed", 3000, 5},
                                           NetCase{"indexed_large", 20000, 6}),
                         [](const auto& tp) { return std::string(tp.param.name); });

TEST(Coverage, CandidateCodesInBuildingOrder) {
    const std::uint32_t ones = 22369621; // thirteen "1"
    const auto c27 = pota12CandidateCodes(ones);
    EXPECT_EQ(c27[0], ones);
    EXPECT_EQ(signText(c27[1]), "2111111111111");
    EXPECT_EQ(signText(c27[2]), "0111111111111");
    EXPECT_EQ(signText(c27[3]), "1211111111111");
    EXPECT_EQ(signText(c27[26]), "1111111111110");
    const auto c339 = pot11CandidateCodes(ones);
    EXPECT_EQ(signText(c339[1]), "2111111111111");
    EXPECT_EQ(signText(c339[2]), "2211111111111");
    EXPECT_EQ(signText(c339[3]), "2011111111111");
    EXPECT_EQ(signText(c339[25]), "2111111111110");
    EXPECT_EQ(signText(c339[26]), "0111111111111");
    EXPECT_EQ(signText(c339[337]), "1111111111112");
    EXPECT_EQ(signText(c339[338]), "1111111111110");
    for (const std::uint32_t x : {ones, 0u, kMaxCode, 3u /* digit 3 at match 13 */}) {
        const auto all = pot11CandidateCodes(x);
        const std::set<std::uint32_t> distinct(all.begin(), all.end());
        EXPECT_EQ(distinct.size(), 339u) << x;
        int atDistance[3] = {0, 0, 0};
        for (const std::uint32_t c : all)
            ++atDistance[signDifferences(x, c)];
        EXPECT_EQ(atDistance[0], 1);
        EXPECT_EQ(atDistance[1], 26);
        EXPECT_EQ(atDistance[2], 312);
    }
}

TEST(Coverage, TernaryRankNumbersValidCodesDensely) {
    EXPECT_EQ(ternaryRank(0), 0);
    EXPECT_EQ(ternaryRank(kMaxCode), kAllCombinations - 1);
    EXPECT_EQ(ternaryRank(1), 1);
    EXPECT_EQ(ternaryRank(4), 3);
    EXPECT_EQ(ternaryRank(3), -1);
    EXPECT_EQ(ternaryRank(kMaxCode + 1), -1);
    EXPECT_EQ(ternaryRank(1u << 26), -1);
}

// A .MOR file may repeat a row any number of times: the counts of POTA12 go far past a byte,
// both when the network is compared row by row and when it is looked up through its index.
TEST(Coverage, Pota12CountsOfRepeatedRows) {
    struct Case {
        const char* name;
        std::uint32_t same, oneOff, twoOff;
    };
    for (const Case& k : {Case{"row by row", 200, 300, 150}, Case{"indexed", 3000, 2100, 130}}) {
        SCOPED_TRACE(k.name);
        Tables t;
        const ProbabilityTable p = defaultProbabilities();
        const Digits xd{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
        Digits one = xd, two = xd;
        one[4] = 2;
        two[0] = two[12] = 0;
        auto add = [&](const Digits& d, std::uint32_t n) {
            for (std::uint32_t i = 0; i < n; ++i) {
                Combination* r = t.pool.make();
                combinationCode(*r, d);
                r->mana = 1.0f;
                t.MREZA.push_back(r);
            }
        };
        add(xd, k.same);
        add(one, k.oneOff);
        add(two, k.twoOff);
        ASSERT_TRUE(fillPota12(t.POTA12, t.MREZA, 0, p, t.pool));
        const Combination* xCopy = nullptr;
        for (const Combination* c : t.POTA12)
            if (c->code == codeOf(xd)) xCopy = c;
        ASSERT_NE(xCopy, nullptr);
        EXPECT_EQ(xCopy->hits13, k.same);
        EXPECT_EQ(xCopy->hits12, k.oneOff);
        EXPECT_EQ(xCopy->hitCount, k.twoOff);
        // The neighbour holding the repeated row: it is hit 13 times by those and 12 by X's.
        for (const Combination* c : t.POTA12)
            if (c->code == codeOf(one)) {
                EXPECT_EQ(c->hits13, k.oneOff);
                EXPECT_EQ(c->hits12, k.same);
            }
    }
    EXPECT_EQ(cappedRowHits(std::uint64_t{1} << 40), kMaxRowHits);
    Combination r;
    r.hits13 = cappedRowHits(kMaxRowHits);
    r.tukSource = -1;
    EXPECT_EQ(r.hits13, kMaxRowHits);
    EXPECT_EQ(r.hits12, 0u);
}

TEST(Coverage, SingleRowNetwork) {
    Tables t;
    const ProbabilityTable p = defaultProbabilities();
    Combination* x = t.pool.make();
    combinationCode(*x, Digits{2, 2, 1, 0, 0, 2, 0, 2, 1, 1, 0, 0, 2});
    valueCombination(*x, p);
    x->serial = 77;
    t.MREZA = {x};
    ASSERT_TRUE(fillPota12(t.POTA12, t.MREZA, 0, p, t.pool));
    ASSERT_EQ(t.POTA12.size(), 27u);
    for (const Combination* c : t.POTA12) {
        const bool isX = c->code == x->code;
        EXPECT_EQ(c->hits13, isX ? 1u : 0u);
        EXPECT_EQ(c->hits12, isX ? 0u : 1u);
        EXPECT_EQ(c->hitCount, 0u);
        EXPECT_EQ(c->sumMana, x->mana);
        EXPECT_NE(c, x);
    }
    ASSERT_TRUE(fillPot11(t.POT11, t.MREZA, 0, p, t.pool));
    ASSERT_EQ(t.POT11.size(), 339u);
    EXPECT_EQ(t.POT11[0]->code, x->code); // all equal: the first built stays first
    EXPECT_EQ(t.POT11[0]->serial, 77);
    for (const Combination* c : t.POT11) {
        EXPECT_EQ(c->hitCount, 1u);
        EXPECT_EQ(c->sumMana, x->mana);
    }
    EXPECT_FALSE(fillPot11(t.POT11, t.MREZA, 1, p, t.pool));
    EXPECT_EQ(t.POT11.size(), 339u);
}

TEST(Coverage, HeaderSortsOfCandidateLists) {
    Tables t;
    const ProbabilityTable p = defaultProbabilities();
    std::mt19937 rng(11);
    t.MREZA = randomNetwork(t.pool, rng, 400, p);
    ASSERT_TRUE(fillPot11(t.POT11, t.MREZA, 0, p, t.pool));
    const Table built = t.POT11;
    EXPECT_FALSE(sortPot11BySection(t.POT11, 0));
    EXPECT_TRUE(sortPot11BySection(t.POT11, 3));
    for (std::size_t i = 1; i < t.POT11.size(); ++i)
        ASSERT_GE(t.POT11[i - 1]->mana, t.POT11[i]->mana);
    EXPECT_TRUE(sortPot11BySection(t.POT11, 4));
    for (std::size_t i = 0; i < built.size(); ++i) { // the computation's order is back, up to ties
        ASSERT_EQ(t.POT11[i]->hitCount, built[i]->hitCount) << i;
        ASSERT_EQ(t.POT11[i]->sumMana, built[i]->sumMana) << i;
    }
    EXPECT_TRUE(sortPot11BySection(t.POT11, 5));
    for (std::size_t i = 1; i < t.POT11.size(); ++i)
        ASSERT_GE(t.POT11[i - 1]->sumMana, t.POT11[i]->sumMana);
    ASSERT_TRUE(fillPota12(t.POTA12, t.MREZA, 0, p, t.pool));
    const Table pota = t.POTA12;
    EXPECT_TRUE(sortPota12BySection(t.POTA12, 3));
    EXPECT_FALSE(sortPota12BySection(t.POTA12, 4));
    EXPECT_TRUE(sortPota12BySection(t.POTA12, 5));
    for (std::size_t i = 0; i < pota.size(); ++i)
        ASSERT_EQ(t.POTA12[i]->sumMana, pota[i]->sumMana) << i;
}

} // namespace
