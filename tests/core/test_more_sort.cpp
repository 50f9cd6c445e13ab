// Sort orders and the NP commands.
#include "MoreTestUtil.h"

#include "core/MoreNp.h"
#include "core/MoreSort.h"
#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <vector>

using namespace kviro;
using kviro::test::makeRecord;
using kviro::test::valuedFullTable;

namespace {

struct SortCase {
    const char* name;
    void (*sort)(Table&);
    bool (*order)(const Combination*, const Combination*);
};

const SortCase kSorts[] = {
    {"mana", sortByMana, manaOrder},
    {"tip", sortByTip, tipOrder},
    {"np", sortByNp, npOrder},
    {"sumMana", sortBySumMana, sumManaOrder},
    {"hits", sortByHitsThenSumMana, hitsOrder},
};

// Records with many ties on every key, negative values, both zeros and both NaNs.
Table tiedRecords(RecordPool& pool, int n) {
    std::mt19937 rng(13);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float values[] = {0.0f, -0.0f, 1.5f, 2.25f, -3.0f, 1e-20f, 7e6f, 0.1f, nan, -nan};
    auto pick = [&](int k) { return static_cast<int>(rng() % static_cast<unsigned>(k)); };
    Table t;
    for (int i = 0; i < n; ++i) {
        Combination* r = pool.make();
        r->code = static_cast<std::uint32_t>(i);
        r->mana = values[pick(10)];
        r->sumMana = values[pick(10)];
        r->count1 = static_cast<std::int8_t>(pick(14));
        r->count0 = static_cast<std::int8_t>(pick(14) - 2);
        r->np = static_cast<std::int8_t>(pick(256) - 128);
        r->hitCount = pick(3) == 0 ? 0xFFFFFFF0u + static_cast<std::uint32_t>(pick(3))
                                   : static_cast<std::uint32_t>(pick(4));
        t.push_back(r);
    }
    return t;
}

TEST(Sort, EveryOrderMatchesAStableComparisonSort) {
    // Equal rows keep their relative order, so the result is the stable sort's exactly.
    RecordPool pool;
    for (int n : {0, 1, 2, 300, 20000}) {
        const Table input = tiedRecords(pool, n);
        for (const SortCase& s : kSorts) {
            SCOPED_TRACE(std::string(s.name) + " n=" + std::to_string(n));
            Table fast = input;
            s.sort(fast);
            Table reference = input;
            std::stable_sort(reference.begin(), reference.end(), s.order);
            EXPECT_EQ(fast, reference);
        }
    }
}

TEST(Sort, FullTableByTipAndMana) {
    Table more = valuedFullTable();
    sortByTip(more);
    EXPECT_EQ(signText(*more[0]), "1111111111111");
    EXPECT_TRUE(std::is_sorted(more.begin(), more.end(), tipOrder));
    more = valuedFullTable();
    sortByMana(more);
    Table reference = valuedFullTable();
    std::stable_sort(reference.begin(), reference.end(), manaOrder);
    EXPECT_EQ(more, reference);
}

struct NpCase {
    const char* name;
    int before;
    void (*change)(const Table&, std::span<const int>);
    int after;
};

TEST(Np, RaiseAndLowerStayWithinTheCounter) {
    const NpCase rows[] = {
        {"raise0", 0, raiseNp, 1},          {"raiseTop", 127, raiseNp, 127},
        {"raiseBottom", -128, raiseNp, -127}, {"lower0", 0, lowerNp, 0},
        {"lowerNegative", -5, lowerNp, 0},  {"lowerBottom", -128, lowerNp, 0},
        {"lower1", 1, lowerNp, 0},          {"lowerTop", 127, lowerNp, 126},
    };
    for (const NpCase& r : rows) {
        SCOPED_TRACE(r.name);
        Tables t;
        t.MORE = {makeRecord(t.pool, "0000000000000", 1, r.before),
                  makeRecord(t.pool, "1111111111111", 1, r.before)};
        const int selected[] = {1, 7}; // 7 lies past the end
        r.change(t.MORE, std::span<const int>(selected));
        EXPECT_EQ(t.MORE[1]->np, r.after);
        EXPECT_EQ(t.MORE[0]->np, r.before); // not selected
    }
}

TEST(Np, SetFromEntryAndResetAll) {
    const struct {
        const char* text;
        std::optional<int> value;
    } entries[] = {{"300", 44}, {"200", -56}, {"-5", -5}, {"256", 0}, {"12x", {}}, {"", {}}};
    for (const auto& e : entries) {
        const std::optional<std::int8_t> v = parseInteger8(e.text);
        ASSERT_EQ(v.has_value(), e.value.has_value()) << e.text;
        if (v) {
            EXPECT_EQ(*v, *e.value) << e.text;
        }
    }
    Tables t;
    for (int i = 0; i < 1100; ++i) t.MORE.push_back(makeRecord(t.pool, "2222222222222", 1, 3));
    const int page[] = {1000, 1024};
    setNp(t.MORE, page, parseInteger8("300").value());
    EXPECT_EQ(t.MORE[1000]->np, 44);
    EXPECT_EQ(t.MORE[1024]->np, 44);
    EXPECT_EQ(t.MORE[1001]->np, 3);
    resetAllNp(t.MORE);
    EXPECT_TRUE(std::all_of(t.MORE.begin(), t.MORE.end(), [](const Combination* r) { return r->np == 0; }));
}

TEST(Np, PurgeAboveThresholdKeepsOrder) {
    EXPECT_EQ(purgeThreshold("3"), 3);
    EXPECT_EQ(purgeThreshold("-7"), -7);
    EXPECT_FALSE(purgeThreshold("-1").has_value());
    EXPECT_FALSE(purgeThreshold("x").has_value());
    EXPECT_FALSE(purgeThreshold("").has_value());
    const int nps[] = {0, 1, -1, 5, 3, 4, 127, -128, 0, 2};
    const struct {
        int x;
        std::vector<int> kept;
    } rows[] = {{0, {0, -1, -128, 0}}, {3, {0, 1, -1, 3, -128, 0, 2}}, {-2, {-128}}, {127, {0, 1, -1, 5, 3, 4, 127, -128, 0, 2}}};
    for (const auto& r : rows) {
        Tables t;
        for (int np : nps) t.MREZA.push_back(makeRecord(t.pool, "1021021021021", 1, np));
        purgeNpAbove(t.MREZA, r.x);
        std::vector<int> kept;
        for (const Combination* rec : t.MREZA) kept.push_back(rec->np);
        EXPECT_EQ(kept, r.kept) << "X = " << r.x;
    }
}

} // namespace
