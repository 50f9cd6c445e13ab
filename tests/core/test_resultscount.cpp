#include "CodeText.h"
#include "FixedPitchMetrics.h"

#include "core/RecordPool.h"
#include "core/ResultsCount.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kviro;

namespace {

std::array<std::string, kMatches> fieldsOf(const std::string& signs) {
    std::array<std::string, kMatches> f;
    for (int k = 0; k < kMatches; ++k)
        f[static_cast<std::size_t>(k)] = std::string(1, signs[k]);
    return f;
}

using test::codeOfText;

TEST(ResultFields, ValidSignsGiveTheDigits) {
    const ResultSigns r = readResultFields(fieldsOf("1021100221012"));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(codeOf(r.digits), 19204678u);
}

TEST(ResultFields, RefusalsInTheOrderTheyAreReported) {
    using K = ResultEntryError::Kind;
    struct Row {
        const char* name;
        std::array<std::string, kMatches> fields;
        K kind;
        int field;
        const char* text;
    };
    auto with = [](std::array<std::string, kMatches> f, int field, const char* text) {
        f[static_cast<std::size_t>(field - 1)] = text;
        return f;
    };
    auto base = fieldsOf("1111111111111");
    const Row rows[] = {
        {"empty", with(base, 4, ""), K::Empty, 4, ""},
        {"emptyFirstOfTwo", with(with(base, 9, ""), 2, ""), K::Empty, 2, ""},
        {"letter", with(base, 13, "x"), K::NotAnInteger, 13, "x"},
        {"letterBeforeEarlierEmpty", with(with(base, 2, ""), 7, "a"), K::NotAnInteger, 7, "a"},
        {"letterAfterThree", with(with(base, 1, "3"), 5, "-"), K::NotAnInteger, 5, "-"},
        {"three", with(base, 6, "3"), K::NotASign, 6, "3"},
        {"nine", with(base, 1, "9"), K::NotASign, 1, "9"},
        {"negative", with(base, 13, "-1"), K::NotASign, 13, "-1"},
        {"emptyBeforeLaterThree", with(with(base, 2, "3"), 8, ""), K::Empty, 8, ""},
    };
    for (const Row& row : rows) {
        const ResultSigns r = readResultFields(row.fields);
        ASSERT_FALSE(r.ok()) << row.name;
        EXPECT_EQ(r.error->kind, row.kind) << row.name;
        EXPECT_EQ(r.error->field, row.field) << row.name;
        EXPECT_EQ(r.error->text, row.text) << row.name;
    }
}

// Hits counted match by match, the way a reader of the list would.
int hitsByHand(std::uint32_t code, std::uint32_t result) {
    int hits = 0;
    for (int a = 1; a <= kMatches; ++a)
        hits += signAt(code, a) == signAt(result, a);
    return hits;
}

class CountHitsTest : public ::testing::Test {
  protected:
    RecordPool pool;
    Table list;
    void add(const std::string& signs, int serial) {
        Combination* rec = pool.make();
        rec->code = codeOfText(signs);
        rec->serial = serial;
        list.push_back(rec);
    }
    std::vector<int> serials() const {
        std::vector<int> s;
        for (const Combination* rec : list)
            s.push_back(rec->serial);
        return s;
    }
};

TEST_F(CountHitsTest, CountsEveryMatchAndSortsMostHitsFirst) {
    add("1111111111111", 1);
    add("0202020202020", 2); // differs everywhere
    add("1111111111110", 3);
    add("1111111111113", 4); // a digit 3 from the file hits nothing
    add("1021100221012", 5);
    add("1111111111112", 6);
    add("0000000000000", 7);
    const std::uint32_t result = codeOfText("1111111111111");
    countHits(list, result);

    EXPECT_EQ(serials(), (std::vector<int>{1, 3, 4, 6, 5, 2, 7}));
    for (const Combination* rec : list)
        EXPECT_EQ(rec->np, hitsByHand(rec->code, result));
    EXPECT_EQ(list.front()->np, 13);
    EXPECT_EQ(list[1]->np, 12);
    EXPECT_EQ(list[2]->np, 12);
    EXPECT_EQ(list.back()->np, 0);
}

TEST_F(CountHitsTest, LargeTableAgainstCountingByHandKeepsFileOrderWithinACount) {
    for (int i = 0; i < 2000; ++i) {
        Combination* rec = pool.make();
        std::uint32_t code = 0;
        std::uint32_t state = static_cast<std::uint32_t>(i) * 2654435761u + 12345u;
        for (int a = 0; a < kMatches; ++a) {
            state = state * 1664525u + 1013904223u;
            code = code * 4 + (state >> 16) % 3;
        }
        rec->code = code;
        rec->serial = i + 1;
        list.push_back(rec);
    }
    const std::uint32_t result = codeOfText("1021100221012");
    countHits(list, result);
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i]->np, hitsByHand(list[i]->code, result));
        if (i > 0) {
            ASSERT_GE(list[i - 1]->np, list[i]->np);
            if (list[i - 1]->np == list[i]->np) {
                ASSERT_LT(list[i - 1]->serial, list[i]->serial);
            }
        }
    }
}

TEST_F(CountHitsTest, SecondCountUsesOnlyTheLastResultAndStartsFromTheCurrentOrder) {
    add("2222222222222", 1);
    add("1111111111111", 2);
    add("2222222222221", 3);
    add("1111111111112", 4);
    countHits(list, codeOfText("1111111111111"));
    EXPECT_EQ(serials(), (std::vector<int>{2, 4, 3, 1}));
    countHits(list, codeOfText("2222222222222"));
    EXPECT_EQ(serials(), (std::vector<int>{1, 3, 4, 2}));
    for (const Combination* rec : list)
        EXPECT_EQ(rec->np, hitsByHand(rec->code, codeOfText("2222222222222")));
    // Equal counts keep the order the table had before the count.
    countHits(list, codeOfText("0000000000000"));
    EXPECT_EQ(serials(), (std::vector<int>{1, 3, 4, 2}));
}

TEST(ResultsList, RowText) {
    Combination rec;
    rec.code = 19204678;
    rec.serial = 7;
    rec.np = 13;
    EXPECT_EQ(resultRowText(rec), "7  1021100221012  13");
}

TEST(ResultsList, PagingOverThirtyRows) {
    EXPECT_EQ(resultsLastTopRow(30), 7u);
    EXPECT_EQ(resultsRowsShown(0, 30), 23u); // places 1 ... 23
    EXPECT_EQ(resultsRowsShown(7, 30), 23u); // places 8 ... 30
    EXPECT_EQ(resultsLastTopRow(23), 0u);
    EXPECT_EQ(resultsLastTopRow(5), 0u);
    EXPECT_EQ(resultsRowsShown(0, 5), 5u);
    EXPECT_EQ(resultsRowsShown(0, 0), 0u);
    EXPECT_EQ(resultsRowsShown(3, 2), 0u);
}

TEST(ResultsList, CellsInCharacterWidths) {
    const int m = 7; // pixels per character
    test::FixedPitchMetrics metrics(m, 13);
    Combination rec;
    rec.code = 19204678;
    rec.serial = 42;
    rec.np = 9;
    struct Row {
        std::size_t n, index;
        int numberChars; // width of cells 1 and 2 in characters
        const char* place;
    };
    const Row rows[] = {{5, 0, 3, "1."}, {1200, 0, 6, "1."}, {1200, 1199, 6, "1200."}};
    const int left = 4, top = 30;
    for (const Row& row : rows) {
        const auto cells = resultRowCells(rec, row.index, row.n, left, top, metrics);
        const int w = row.numberChars * m;
        EXPECT_EQ(cells[kPlaceCell].left, left);
        EXPECT_EQ(cells[kPlaceCell].width, w);
        EXPECT_EQ(cells[kSerialCell].left, left + w + 2);
        EXPECT_EQ(cells[kSerialCell].width, w);
        EXPECT_EQ(cells[kSignsCell].left, left + 2 * w + 4);
        EXPECT_EQ(cells[kSignsCell].width, 15 * m);
        EXPECT_EQ(cells[kHitsCell].left, left + 2 * w + 15 * m + 6);
        EXPECT_EQ(cells[kHitsCell].width, 5 * m);

        const ResultCell& place = cells[kPlaceCell];
        EXPECT_EQ(place.text, row.place);
        EXPECT_EQ(place.textX + metrics.width(place.text), place.left + place.width);
        EXPECT_EQ(place.textY, top + 1);
        const ResultCell& serial = cells[kSerialCell];
        EXPECT_EQ(serial.text, "42");
        EXPECT_EQ(serial.textX + 2 * m, serial.left + serial.width - m);
        EXPECT_EQ(serial.textY, top + 1);
        const ResultCell& signs = cells[kSignsCell];
        EXPECT_EQ(signs.text, "1021100221012");
        EXPECT_EQ(signs.textX, signs.left + 5);
        EXPECT_EQ(signs.textY, top);
        const ResultCell& hits = cells[kHitsCell];
        EXPECT_EQ(hits.text, "9");
        EXPECT_EQ(hits.textX + m, hits.left + hits.width - 2 * m);
        EXPECT_EQ(hits.textY, top + 1);
    }
}

} // namespace
