// The MORE view: paging, the info window's statistics and the find command.
#include "MoreTestUtil.h"

#include "core/MoreRows.h"
#include "core/MoreSort.h"
#include "core/MoreStats.h"
#include "core/PagedView.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kviro;
using kviro::test::makeRecord;
using kviro::test::valuedFullTable;

namespace {

struct PageCase {
    const char* name;
    int pageRows;
    int count;
    int firstRow;     // asked for with setTopRow
    int topRow;       // what the view holds then
    int scrollMax;
    int visibleLines;
    int lastLineRow;  // rowAt(pageRows - 1)
};

TEST(PagedView, RangesForTablesOfEverySize) {
    const PageCase rows[] = {
        {"empty", 25, 0, 5, 0, 0, 0, -1},
        {"tenRows", 25, 10, 0, 0, 0, 10, -1},
        {"onePage", 25, 25, 3, 3, 3, 22, -1},
        {"onePageAndOne", 25, 26, 0, 0, 1, 25, 24},
        {"fullFirstPage", 25, kAllCombinations, 0, 0, 1594298, 25, 24},
        {"fullLastPage", 25, kAllCombinations, 1594298, 1594298, 1594298, 25, 1594322},
        {"foundLastRow", 25, kAllCombinations, 1594322, 1594322, 1594322, 1, -1},
        {"pastTheEnd", 25, 100, 500, 99, 99, 1, -1},
        {"networkView", 6, 100, 97, 97, 97, 3, -1},
        {"tukView", 8, 100, 92, 92, 92, 8, 99},
    };
    for (const PageCase& r : rows) {
        SCOPED_TRACE(r.name);
        PagedView v(r.pageRows);
        v.setCount(r.count);
        v.setTopRow(r.firstRow);
        EXPECT_EQ(v.topRow(), r.topRow);
        EXPECT_EQ(v.scrollPosition(), r.topRow);
        EXPECT_EQ(v.scrollMaximum(), r.scrollMax);
        EXPECT_EQ(v.visibleLines(), r.visibleLines);
        EXPECT_EQ(v.rowAt(r.pageRows - 1), r.lastLineRow);
        EXPECT_EQ(v.rowAt(0), r.count == 0 ? -1 : r.topRow);
        EXPECT_EQ(v.rowAt(r.pageRows), -1);
    }
}

TEST(PagedView, ScrollingShrinkingAndSelection) {
    PagedView v;
    v.setCount(1000);
    EXPECT_TRUE(v.scrollTo(50));
    EXPECT_FALSE(v.scrollTo(50));
    EXPECT_EQ(v.topRow(), 50);
    // Lines 3 and 7 of the page are MORE rows 53 and 57, in increasing order, once each;
    // lines off the page are ignored.
    const std::vector<int> lines{7, 3, 3, -1, 25, 40};
    EXPECT_EQ(v.selectedRows(lines), (std::vector<int>{53, 57}));
    // A line past the end of the table selects nothing.
    v.setCount(55);
    EXPECT_EQ(v.selectedRows(lines), (std::vector<int>{53}));
    // A table that shrinks below the first row moves the page to its last row.
    v.setCount(10);
    EXPECT_EQ(v.topRow(), 9);
    v.setCount(0);
    EXPECT_EQ(v.topRow(), 0);
    EXPECT_TRUE(v.selectedRows(lines).empty());
    v.setCount(30);
    v.scrollTo(5);
    v.reset();
    EXPECT_EQ(v.topRow(), 0);
}

struct InfoCase {
    const char* name;
    int rows;
    float mana; // of every row
    char sep;
    InfoTexts expect;
};

TEST(InfoTexts, LiveAndDeletedFigures) {
    const InfoCase rows[] = {
        {"empty", 0, 0.0f, '.',
         {"0", "0.0%", "1594323", "100.0%", "0.000", "0.0%", "1594323.000", "100.0%"}},
        {"threeRows", 3, 1.25f, ',',
         {"3", "0,0%", "1594320", "100,0%", "3,750", "0,0%", "1594319,000", "100,0%"}},
        {"tenthOfTable", 159432, 2.0f, '.',
         {"159432", "10.0%", "1434891", "90.0%", "318864.000", "20.0%", "1275459.000", "80.0%"}},
    };
    for (const InfoCase& r : rows) {
        SCOPED_TRACE(r.name);
        Tables t;
        for (int i = 0; i < r.rows; ++i) t.MORE.push_back(makeRecord(t.pool, "1111111111111", r.mana));
        const InfoTexts got = infoTexts(t.MORE, r.sep);
        EXPECT_EQ(got.Label5, r.expect.Label5);
        EXPECT_EQ(got.Label6, r.expect.Label6);
        EXPECT_EQ(got.Label7, r.expect.Label7);
        EXPECT_EQ(got.Label8, r.expect.Label8);
        EXPECT_EQ(got.Label9, r.expect.Label9);
        EXPECT_EQ(got.Label10, r.expect.Label10);
        EXPECT_EQ(got.Label11, r.expect.Label11);
        EXPECT_EQ(got.Label12, r.expect.Label12);
    }
}

TEST(InfoTexts, FullTableSumsToTheWholeStake) {
    // With every match's percentages summing to 100, the MANA of all combinations adds up to
    // 3^13. A float running sum would show 1593357.000 here.
    const InfoTexts got = infoTexts(valuedFullTable(), ',');
    EXPECT_EQ(got.Label5, "1594323");
    EXPECT_EQ(got.Label6, "100,0%");
    EXPECT_EQ(got.Label7, "0");
    EXPECT_EQ(got.Label8, "0");
    EXPECT_EQ(got.Label9, "1594323,000");
    EXPECT_EQ(got.Label10, "100,0%");
    EXPECT_EQ(got.Label11, "0");
    EXPECT_EQ(got.Label12, "0%");
}

TEST(Find, KeyRefusesDigitsOtherThanSigns) {
    EXPECT_EQ(findKey(Digits{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}), 22369621u);
    EXPECT_EQ(findKey(Digits{}), 0u);
    // 0...03 would be the code of 0...010 and find that combination instead.
    EXPECT_FALSE(findKey(Digits{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3}).has_value());
    EXPECT_FALSE(findKey(Digits{-1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).has_value());
    EXPECT_FALSE(findKey(Digits{0, 0, 0, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0}).has_value());
}

TEST(Find, FindsWhereTheSortPutItAndNotWhenRemoved) {
    Table more = valuedFullTable();
    sortByTip(more);
    const Digits signs{2, 2, 1, 0, 0, 2, 0, 2, 1, 1, 0, 0, 2};
    const std::optional<std::size_t> at = findCode(more, *findKey(signs));
    ASSERT_TRUE(at.has_value());
    EXPECT_EQ(more[*at]->code, codeOf(signs));
    more.erase(more.begin() + static_cast<std::ptrdiff_t>(*at));
    EXPECT_FALSE(findCode(more, codeOf(signs)).has_value());
    // A table holding a code twice (a loaded file may): the first one is found.
    Tables t;
    t.MORE = {makeRecord(t.pool, "0000000000001", 1), makeRecord(t.pool, "0000000000002", 2),
              makeRecord(t.pool, "0000000000002", 3)};
    EXPECT_EQ(findCode(t.MORE, 2u), 1u);
}

} // namespace
