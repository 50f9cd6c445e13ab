#include "core/Fillerthread.h"
#include "core/Probability.h"
#include "core/RecordPool.h"
#include "core/Tables.h"
#include "core/Toto13class.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace kviro;

namespace {

Digits digitsOf(const std::string& text) {
    Digits d{};
    for (int k = 0; k < kMatches; ++k) d[k] = text[k] - '0';
    return d;
}

struct CodeCase {
    const char* name;
    const char* text;
    std::uint32_t code;
    int c0, c1, c2;
};

class CodeCases : public ::testing::TestWithParam<CodeCase> {};

TEST_P(CodeCases, CodeCountsTextAndSigns) {
    const CodeCase& c = GetParam();
    Combination rec;
    rec.mana = 7.5f; // combinationCode touches nothing but counts and code
    EXPECT_EQ(combinationCode(rec, digitsOf(c.text)), c.code);
    EXPECT_EQ(rec.code, c.code);
    EXPECT_EQ(rec.count0, c.c0);
    EXPECT_EQ(rec.count1, c.c1);
    EXPECT_EQ(rec.count2, c.c2);
    EXPECT_EQ(rec.mana, 7.5f);
    EXPECT_EQ(signText(rec), c.text);
    for (int a = 1; a <= kMatches; ++a) EXPECT_EQ(signAt(rec, a), c.text[a - 1] - '0') << a;
    // Rebuilding from the decoded signs reproduces the record.
    Digits back{};
    for (int a = 1; a <= kMatches; ++a) back[a - 1] = signAt(rec, a);
    Combination again;
    combinationCode(again, back);
    EXPECT_EQ(again.code, rec.code);
    EXPECT_EQ(again.count0, rec.count0);
    EXPECT_EQ(again.count1, rec.count1);
    EXPECT_EQ(again.count2, rec.count2);
    EXPECT_TRUE(isValidCode(rec.code));
}

INSTANTIATE_TEST_SUITE_P(
    Part, CodeCases,
    ::testing::Values(CodeCase{"all0", "0000000000000", 0, 13, 0, 0},
                      CodeCase{"all1", "1111111111111", 22369621, 0, 13, 0},
                      CodeCase{"all2", "2222222222222", 44739242, 0, 0, 13},
                      CodeCase{"first1", "1000000000000", 16777216, 12, 1, 0},
                      CodeCase{"last2", "0000000000002", 2, 12, 0, 1}),
    [](const auto& tp) { return std::string(tp.param.name); });

TEST(Combination, CodeMatchesPowerFormulaForMixedSigns) {
    // 2210020211002 = sum d_k * 4^(13-k)
    const std::string text = "2210020211002";
    std::uint64_t expect = 0;
    for (char ch : text) expect = expect * 4 + static_cast<std::uint64_t>(ch - '0');
    Combination rec;
    EXPECT_EQ(combinationCode(rec, digitsOf(text)), expect);
}

TEST(Combination, SignDifferencesStopsPastTwo) {
    Combination a, b;
    combinationCode(a, digitsOf("0000000000000"));
    const struct {
        const char* other;
        int diff;
    } rows[] = {{"0000000000000", 0}, {"2000000000000", 1}, {"0000000000012", 2},
                {"1010100000000", 3}, {"2222222222222", 3}, {"0000000000003", 1}};
    for (const auto& r : rows) {
        combinationCode(b, digitsOf(r.other));
        EXPECT_EQ(signDifferences(a, b), r.diff) << r.other;
    }
    EXPECT_EQ(hitsBetween(a.code, 44739242u), 0);
    EXPECT_EQ(hitsBetween(a.code, 2u), 12);
    EXPECT_FALSE(isValidCode(3u));
    EXPECT_FALSE(isValidCode(kMaxCode + 1));
}

TEST(Generation, AllCombinationsInCodeOrder) {
    Tables t;
    std::atomic<bool> stop{false};
    ASSERT_EQ(generateAllCombinations(t.MORE, t.pool, stop), kAllCombinations);
    ASSERT_EQ(t.MORE.size(), static_cast<std::size_t>(kAllCombinations));
    EXPECT_EQ(t.MORE[0]->code, 0u);
    EXPECT_EQ(t.MORE[1]->code, 1u);
    EXPECT_EQ(t.MORE[3]->code, 4u);
    EXPECT_EQ(t.MORE.back()->code, kMaxCode);
    EXPECT_EQ(signText(*t.MORE.back()), "2222222222222");
    for (std::size_t i = 0; i < t.MORE.size(); ++i) {
        const Combination& r = *t.MORE[i];
        if (i > 0) {
            ASSERT_LT(t.MORE[i - 1]->code, r.code) << i;
        }
        Combination check;
        Digits d{};
        for (int a = 1; a <= kMatches; ++a) d[a - 1] = signAt(r, a);
        combinationCode(check, d);
        ASSERT_EQ(check.count0, r.count0) << i;
        ASSERT_EQ(check.count1, r.count1) << i;
        ASSERT_EQ(check.count2, r.count2) << i;
        ASSERT_EQ(r.mana, 0.0f);
        ASSERT_EQ(r.np, 0);
    }
}

TEST(Generation, StopsWhenAsked) {
    Tables t;
    std::atomic<bool> stop{true};
    EXPECT_EQ(generateAllCombinations(t.MORE, t.pool, stop), 0);
    EXPECT_TRUE(t.MORE.empty());
}

float manaOfText(const std::string& text, const ProbabilityTable& p) {
    Combination rec;
    combinationCode(rec, digitsOf(text));
    valueCombination(rec, p);
    return rec.mana;
}

TEST(Valuation, DefaultTableFigures) {
    const ProbabilityTable p = defaultProbabilities();
    EXPECT_FLOAT_EQ(manaOfText("2222222222222", p), 2.0249178f);
    EXPECT_FLOAT_EQ(manaOfText("2210020211002", p), 820.27917f);
    EXPECT_EQ(manaOfText("2222122222222", p), 0.0f); // "1" in match 5 has 0 %
    EXPECT_EQ(manaOfText("2222202222222", p), 0.0f); // "0" in match 6 has 0 %
}

TEST(Valuation, WholeTableEqualsSingleRecordRuleAndClearsNp) {
    Tables t;
    std::atomic<bool> stop{false};
    generateAllCombinations(t.MORE, t.pool, stop);
    ProbabilityTable p = defaultProbabilities();
    p[3][1] = 33.3f; // an inexact value makes rounding order matter
    p[12][2] = 12.7f;
    for (Combination* r : t.MORE) r->np = 5;
    valueTable(t.MORE, p);
    double sum = 0;
    for (const Combination* r : t.MORE) {
        ASSERT_EQ(r->mana, manaOf(r->code, p)) << r->code;
        ASSERT_EQ(r->np, 0);
        sum += r->mana;
    }
    EXPECT_GT(sum, 0.0);
}

TEST(Valuation, EvenTableGivesManaNearOne) {
    ProbabilityTable p{};
    for (auto& row : p) row = {33.3f, 33.3f, 33.4f};
    for (const char* text : {"0000000000000", "2222222222222", "1021021021021"}) {
        const float m = manaOfText(text, p);
        EXPECT_NEAR(m, 1.0f, 0.03f) << text;
    }
}

TEST(Valuation, OverflowingProductGivesInfinityButZeroStaysZero) {
    ProbabilityTable p{};
    for (auto& row : p) row = {999.0f, 999.0f, 999.0f};
    EXPECT_TRUE(std::isinf(manaOfText("1111111111111", p)));
    p[12][0] = 0.0f; // the product is already infinite when the 0 % sign comes
    EXPECT_EQ(manaOfText("1111111111110", p), 0.0f);
    Tables t;
    Combination* r = t.pool.make();
    combinationCode(*r, digitsOf("1111111111110"));
    valueTable({r}, p);
    EXPECT_EQ(r->mana, 0.0f);
}

TEST(Valuation, DigitThreeCountsAsZeroPercent) {
    const ProbabilityTable p = defaultProbabilities();
    EXPECT_EQ(manaOf(3u, p), 0.0f);
    Tables t;
    Combination* r = t.pool.make();
    r->code = 3u;
    r->mana = 9.0f;
    valueTable({r}, p);
    EXPECT_EQ(r->mana, 0.0f);
}

TEST(RecordPool, SweepReleasesUnreferencedBlocksOnly) {
    Tables t;
    std::atomic<bool> stop{false};
    generateAllCombinations(t.MORE, t.pool, stop);
    const std::size_t blocks = t.pool.blockCount();
    EXPECT_GE(blocks, static_cast<std::size_t>(kAllCombinations) / RecordPool::kBlockRecords);
    Combination* kept = t.MORE[5];
    t.TUK.push_back(kept);
    t.MORE.clear();
    t.sweep();
    EXPECT_EQ(t.pool.blockCount(), 2u); // the block holding the TUK row and the one being filled
    EXPECT_TRUE(t.pool.owns(kept));
    EXPECT_EQ(kept->code, 6u); // index 5 holds code 6: no digit 3
    t.TUK.clear();
    t.sweep();
    EXPECT_EQ(t.pool.blockCount(), 1u);
    Combination* fresh = t.pool.make();
    EXPECT_EQ(fresh->code, 0u); // new records start zeroed
}

TEST(Probability, RemainderInExtendedPrecision) {
    EXPECT_EQ(remainderPercentage(10.0f, 20.0f), 70.0L);
    EXPECT_EQ(remainderPercentage(0.0f, 0.0f), 100.0L);
    EXPECT_EQ(remainderPercentage(60.0f, 50.0f), -10.0L);
    EXPECT_EQ(static_cast<double>(remainderPercentage(33.3f, 33.3f)), 100.0 - 2.0 * double(33.3f));
}

} // namespace
