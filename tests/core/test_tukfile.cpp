#include "CodeText.h"

#include "core/RecordPool.h"
#include "core/TukFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kviro;

namespace {

using test::codeOfText;

Table tableOf(RecordPool& pool, const std::vector<std::string>& texts) {
    Table t;
    for (const std::string& text : texts) {
        Combination* rec = pool.make();
        rec->code = codeOfText(text);
        t.push_back(rec);
    }
    return t;
}

TEST(TukFile, WritesCodeAndPlacePerLineWithCrLf) {
    RecordPool pool;
    EXPECT_EQ(tukFileBytes({}), "");
    EXPECT_EQ(tukFileBytes(tableOf(pool, {"1021100221012", "1111111111111"})),
              "19204678 1\r\n22369621 2\r\n");
    EXPECT_EQ(tukFileBytes(tableOf(pool, {"2222222222222", "0000000000000"})),
              "44739242 1\r\n0 2\r\n");
}

TEST(TukFile, RoundTripKeepsCodesAndOrderAndNumbersPlaces) {
    RecordPool pool;
    Table table;
    // Codes in no particular order, with the ends of the range and a duplicate.
    for (std::uint32_t i = 0; i < 300; ++i) {
        Combination* rec = pool.make();
        rec->code = (i * 2654435761u) % (kMaxCode + 1);
        rec->serial = 77; // the old place is not what is written
        rec->np = 5;
        table.push_back(rec);
    }
    table.front()->code = kMaxCode;
    table.back()->code = 0;
    table.push_back(table[10]);

    const TukReadResult read = readTuk(tukFileBytes(table));
    ASSERT_TRUE(read.ok());
    EXPECT_FALSE(read.cutPair);
    RecordPool other;
    const Table back = makeTukRecords(read.entries, other);
    ASSERT_EQ(back.size(), table.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        EXPECT_EQ(back[i]->code, table[i]->code) << i;
        EXPECT_EQ(back[i]->serial, static_cast<std::int32_t>(i + 1)) << i;
        EXPECT_EQ(back[i]->np, 0);
        EXPECT_EQ(back[i]->count0 + back[i]->count1 + back[i]->count2, 0);
        EXPECT_EQ(back[i]->mana, 0.0f);
        EXPECT_TRUE(other.owns(back[i]));
    }
}

struct ReadCase {
    const char* name;
    std::string bytes;
    std::vector<TukEntry> entries;
    bool cutPair = false;
};

class TukReadCases : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TukReadCases, ReadsPairs) {
    const ReadCase& c = GetParam();
    const TukReadResult r = readTuk(c.bytes);
    ASSERT_TRUE(r.ok()) << r.error->line << ":" << r.error->column << " " << r.error->word;
    EXPECT_EQ(r.entries, c.entries);
    EXPECT_EQ(r.cutPair, c.cutPair);
}

const std::vector<TukEntry> kTwo = {{19204678, 1}, {22369621, 2}};

INSTANTIATE_TEST_SUITE_P(
    Format, TukReadCases,
    ::testing::Values(
        ReadCase{"Empty", "", {}}, ReadCase{"OnlyLineEnds", "\r\n\r\n \t\n", {}},
        ReadCase{"AsWritten", "19204678 1\r\n22369621 2\r\n", kTwo},
        ReadCase{"LfOnly", "19204678 1\n22369621 2\n", kTwo},
        ReadCase{"TabsBlanksEmptyLines", "\n 19204678\t\t1\r\n\r\n\n   22369621     2  \n\n", kTwo},
        ReadCase{"PairAcrossLines", "19204678\r\n1\r\n22369621\n\n2", kTwo},
        ReadCase{"NoFinalLineEndReadOnce", "19204678 1\r\n22369621 2", kTwo},
        ReadCase{"CutPair", "19204678 1\r\n22369621 2\r\n5", kTwo, true},
        ReadCase{"CutPairAfterLineEnd", "19204678 1\r\n22369621 2\r\n5\r\n", kTwo, true},
        ReadCase{"SignsAndLeadingZeros", "+0019204678 01\r\n22369621 +2\r\n", kTwo},
        ReadCase{"LargestCode", "44739242 1\r\n", {{kMaxCode, 1}}},
        ReadCase{"DuplicatesAndPlacesAsTheyStand",
                 "5 3\r\n5 3\r\n0 -7\r\n1 2147483647\r\n0 -2147483648\r\n",
                 {{5, 3}, {5, 3}, {0, -7}, {1, 2147483647}, {0, -2147483647 - 1}}},
        ReadCase{"CodeWithDigitThree", "3 1\r\n", {{3, 1}}},
        ReadCase{"OtherWhiteSpace", "7\v1\f8 2", {{7, 1}, {8, 2}}},
        ReadCase{"ByteOrderMarkFirst",
                 "\xEF\xBB\xBF"
                 "19204678 1\r\n22369621 2\r\n",
                 kTwo}),
    [](const auto& tp) { return std::string(tp.param.name); });

struct BadCase {
    const char* name;
    std::string bytes;
    TukReadError::Kind kind;
    int line;
    int column;
    std::size_t offset;
    std::string word;
};

class TukBadCases : public ::testing::TestWithParam<BadCase> {};

TEST_P(TukBadCases, StopsAtTheWordAndKeepsNothing) {
    const BadCase& c = GetParam();
    const TukReadResult r = readTuk(c.bytes);
    ASSERT_FALSE(r.ok());
    EXPECT_TRUE(r.entries.empty());
    EXPECT_EQ(r.error->kind, c.kind);
    EXPECT_EQ(r.error->line, c.line);
    EXPECT_EQ(r.error->column, c.column);
    EXPECT_EQ(r.error->offset, c.offset);
    EXPECT_EQ(r.error->word, c.word);
}

using K = TukReadError::Kind;
INSTANTIATE_TEST_SUITE_P(
    Format, TukBadCases,
    ::testing::Values(
        BadCase{"LetterAfterGoodPairs", "19204678 1\r\n22369621 x\r\n", K::NotANumber, 2, 10, 21,
                "x"},
        BadCase{"DigitsFollowedByText", "12abc 1\r\n", K::NotANumber, 1, 1, 0, "12abc"},
        BadCase{"DecimalPoint", "1 2\n3.0 4\n", K::NotANumber, 2, 1, 4, "3.0"},
        BadCase{"LoneSign", "1 2 - 3", K::NotANumber, 1, 5, 4, "-"},
        BadCase{"DoubleSign", "+-1 2", K::NotANumber, 1, 1, 0, "+-1"},
        BadCase{"NulByte", std::string("1 2\r\n\r\n\t3\0 4", 12), K::NotANumber, 3, 2, 8,
                std::string("3\0", 2)},
        BadCase{"HeaderLine", "KOLO 12\r\n1 1\r\n", K::NotANumber, 1, 1, 0, "KOLO"},
        BadCase{"CodeAboveRange", "1 1\r\n44739243 2\r\n", K::CodeOutOfRange, 2, 1, 5, "44739243"},
        BadCase{"NegativeCode", "-1 1\r\n", K::CodeOutOfRange, 1, 1, 0, "-1"},
        BadCase{"HugeCodeCutInReport", "99999999999999999999999999 1", K::CodeOutOfRange, 1, 1, 0,
                "99999999999999999999"},
        BadCase{"ByteOrderMarkInside",
                "1 1\r\n\xEF\xBB\xBF"
                "2 2\r\n",
                K::NotANumber, 2, 1, 5,
                "\xEF\xBB\xBF"
                "2"},
        BadCase{"PlaceAboveRange", "1 2147483648\r\n", K::SerialOutOfRange, 1, 3, 2, "2147483648"},
        BadCase{"PlaceBelowRange", "1 -2147483649", K::SerialTooSmall, 1, 3, 2, "-2147483649"}),
    [](const auto& tp) { return std::string(tp.param.name); });

} // namespace
