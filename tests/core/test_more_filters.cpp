// Limits and comb on MORE.
#include "MoreTestUtil.h"

#include "core/MoreFilters.h"
#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

using namespace kviro;
using kviro::test::makeRecord;
using kviro::test::valuedFullTable;

namespace {

// True when `part` is `whole` with some rows left out, in the same order.
bool keepsOrder(const Table& part, const Table& whole) {
    std::size_t j = 0;
    for (const Combination* r : whole)
        if (j < part.size() && part[j] == r) ++j;
    return j == part.size();
}

// The full table with np spread over the whole 8-bit range, owned by the fixture.
class LimitTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const Combination* r : valuedFullTable()) {
            Combination* c = t.pool.make(*r);
            c->np = static_cast<std::int8_t>(r->code % 251 - 125);
            t.MORE.push_back(c);
        }
    }
    Tables t;
};

double fieldOf(LimitRow row, const Combination& c) {
    switch (row) {
    case LimitRow::LimitMANA1:
    case LimitRow::LimitMANA2: return c.mana;
    case LimitRow::Limit11:
    case LimitRow::Limit12: return c.count1;
    case LimitRow::Limit01:
    case LimitRow::Limit02: return c.count0;
    case LimitRow::Limit21:
    case LimitRow::Limit22: return c.count2;
    case LimitRow::LimitNP1:
    case LimitRow::LimitNP2: return c.np;
    }
    return 0;
}

struct LimitCase {
    const char* name;
    LimitRow row;
    const char* text;
    bool removesAtLeast; // "veći od" rows remove values >= X, "manji od" rows values <= X
    long long kept;      // rows left of the full table, -1 when not counted here
};

TEST_F(LimitTest, EveryRowIsInclusiveAndKeepsOrder) {
    // Combinations with at most four "1" signs: sum over k <= 4 of C(13, k) * 2^(13 - k).
    const LimitCase rows[] = {
        {"mana1", LimitRow::LimitMANA1, "1.5", true, -1},
        {"mana2", LimitRow::LimitMANA2, "1", false, -1},
        {"ones1Five", LimitRow::Limit11, "5", true, 8192 + 13 * 4096 + 78 * 2048 + 286 * 1024 + 715 * 512},
        {"ones1Zero", LimitRow::Limit11, "0", true, 0},
        {"ones2Five", LimitRow::Limit12, "5", false, -1},
        {"zeros1", LimitRow::Limit01, "7", true, -1},
        {"zeros2", LimitRow::Limit02, "2", false, -1},
        {"twos1Many", LimitRow::Limit21, "200", true, kAllCombinations},
        {"twos2Many", LimitRow::Limit22, "200", false, 0},
        {"np1", LimitRow::LimitNP1, "0", true, -1},
        {"np2", LimitRow::LimitNP2, "-1", false, -1},
        {"np2Huge", LimitRow::LimitNP2, "-2147483648", false, kAllCombinations},
    };
    for (const LimitCase& r : rows) {
        SCOPED_TRACE(r.name);
        const std::optional<Limit> limit = parseLimit(r.row, r.text, '.');
        ASSERT_TRUE(limit.has_value());
        const double x = std::stod(r.text);
        Table more = t.MORE;
        const std::size_t removed = limitTable(more, *limit);
        const auto stays = [&](const Combination* c) {
            const double v = fieldOf(r.row, *c);
            return r.removesAtLeast ? v < x : v > x;
        };
        EXPECT_EQ(static_cast<long long>(more.size()), std::count_if(t.MORE.begin(), t.MORE.end(), stays));
        EXPECT_EQ(removed + more.size(), t.MORE.size());
        EXPECT_TRUE(std::all_of(more.begin(), more.end(), stays));
        EXPECT_TRUE(keepsOrder(more, t.MORE));
        if (r.kept >= 0) {
            EXPECT_EQ(static_cast<long long>(more.size()), r.kept);
        }
        // Applying the same row again removes nothing.
        EXPECT_EQ(limitTable(more, *limit), 0u);
    }
}

TEST(Limit, ThresholdTexts) {
    EXPECT_EQ(parseLimit(LimitRow::LimitMANA1, "1,5", ',').value().mana, 1.5f);
    EXPECT_EQ(parseLimit(LimitRow::LimitNP2, " -3 ", '.').value().value, -3);
    // Past the float range but not the double one: infinity, which no MANA reaches.
    const std::optional<Limit> huge = parseLimit(LimitRow::LimitMANA2, "1e39", '.');
    ASSERT_TRUE(huge.has_value());
    EXPECT_TRUE(std::isinf(huge->mana));
    for (const char* bad : {"", "12x", "1.5.", "--1", "1e400"})
        EXPECT_FALSE(parseLimit(LimitRow::LimitMANA1, bad, '.').has_value()) << bad;
    for (const char* bad : {"", "1.5", "99999999999", "x"})
        EXPECT_FALSE(parseLimit(LimitRow::Limit21, bad, '.').has_value()) << bad;
}

TEST(Limit, ManaIsComparedAsFloat) {
    // 0.1 rounded to a float equals the record's 0.1f, so "manju od 0.1" removes it; compared
    // with the double 0.1 it would stay.
    Tables t;
    t.MORE = {makeRecord(t.pool, "0000000000000", 0.1f), makeRecord(t.pool, "0000000000001", 0.2f)};
    limitTable(t.MORE, parseLimit(LimitRow::LimitMANA2, "0.1", '.').value());
    ASSERT_EQ(t.MORE.size(), 1u);
    EXPECT_EQ(t.MORE[0]->mana, 0.2f);
    Table empty;
    EXPECT_EQ(limitTable(empty, parseLimit(LimitRow::Limit11, "0", '.').value()), 0u);
}

CombPattern patternOf(const char* left, const char* right, int most, int fewest) {
    // One character per match; a blank is an empty field.
    CombPattern p;
    for (int k = 0; k < kMatches; ++k) {
        p.left[k] = left[k] == ' ' ? -1 : left[k] - '0';
        p.right[k] = right[k] == ' ' ? -1 : right[k] - '0';
    }
    p.most = wrapInt8(most);
    p.fewest = wrapInt8(fewest);
    return p;
}

struct CombCase {
    const char* name;
    CombPattern pattern;
    std::size_t kept;
};

TEST(Comb, PatternsAndBounds) {
    const CombCase rows[] = {
        {"emptyPattern", patternOf("             ", "             ", 0, 0), kAllCombinations},
        {"fullPatternMissesAll", patternOf("1111111111111", "0000000000000", 0, 0), 1},
        {"ownCombinationOnly", patternOf("2101201201201", "             ", 13, 13), 1},
        {"fewestAboveMost", patternOf("2101201201201", "             ", 3, 4), 0},
        {"allButThirteen", patternOf("1222222222222", "0            ", 12, 0), kAllCombinations - 2},
        {"sameDigitTwice", patternOf("1111111111111", "1111111111111", 13, 13), 1},
        {"otherDigitsNeverHit", patternOf("3333333333333", "9999999999999", 0, 0), kAllCombinations},
    };
    for (const CombCase& r : rows) {
        SCOPED_TRACE(r.name);
        Table more = valuedFullTable();
        const std::size_t removed = combTable(more, r.pattern);
        EXPECT_EQ(more.size(), r.kept);
        EXPECT_EQ(removed + more.size(), static_cast<std::size_t>(kAllCombinations));
        EXPECT_TRUE(keepsOrder(more, valuedFullTable()));
    }
    Table more = valuedFullTable();
    combTable(more, patternOf("2101201201201", "             ", 13, 13));
    EXPECT_EQ(signText(*more[0]), "2101201201201");
}

TEST(Comb, AgreesWithHitCountingForRandomPatterns) {
    std::mt19937 rng(7);
    for (int round = 0; round < 4; ++round) {
        CombPattern p;
        for (int k = 0; k < kMatches; ++k) {
            p.left[k] = static_cast<int>(rng() % 4) - 1;
            p.right[k] = static_cast<int>(rng() % 4) - 1;
        }
        p.fewest = static_cast<std::int8_t>(rng() % 7);
        p.most = static_cast<std::int8_t>(p.fewest + rng() % 7);
        Table more = valuedFullTable();
        combTable(more, p);
        Table expect;
        for (Combination* c : valuedFullTable()) {
            const int h = combHits(c->code, p);
            if (p.fewest <= h && h <= p.most) expect.push_back(c);
        }
        EXPECT_EQ(more, expect) << "round " << round;
    }
}

TEST(Comb, BoundsAndFields) {
    EXPECT_EQ(parseInteger8("256"), 0);
    const struct {
        const char* most;
        const char* fewest;
        bool valid;
    } bounds[] = {{"0", "0", true}, {"13", "13", true}, {"256", "0", true}, {"14", "0", false},
                  {"0", "-1", false}, {"269", "0", true}, {"-243", "0", true}};
    for (const auto& b : bounds) {
        CombPattern p = patternOf("             ", "             ", 0, 0);
        p.most = parseInteger8(b.most).value();
        p.fewest = parseInteger8(b.fewest).value();
        EXPECT_EQ(validHitBounds(p), b.valid) << b.most << " " << b.fewest;
        if (!b.valid) {
            // Invalid bounds change nothing.
            Table more = valuedFullTable();
            EXPECT_EQ(combTable(more, p), 0u);
            EXPECT_EQ(more.size(), static_cast<std::size_t>(kAllCombinations));
        }
    }
    EXPECT_EQ(combSignField(""), -1);
    EXPECT_EQ(combSignField("2"), 2);
    EXPECT_EQ(combSignField("7"), 7);
    EXPECT_FALSE(combSignField("x").has_value());
    EXPECT_FALSE(combSignField(" ").has_value());
}

} // namespace
