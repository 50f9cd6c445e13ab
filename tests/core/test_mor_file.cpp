// The .MOR file, the reset from MORE0 and the deletion of chosen rows.
#include "MoreTestUtil.h"

#include "core/MorFile.h"
#include "core/MoreFilters.h"
#include "core/MoreRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>

using namespace kviro;
using kviro::test::makeRecord;
using kviro::test::valuedFullTable;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::string kGolden = KVIRO_TEST_DATA "/small.MOR";

// The rows of tests/data/small.MOR.
Table smallTable(RecordPool& pool) {
    return {makeRecord(pool, "1111111111111", 2.5f, 0),
            makeRecord(pool, "0000000000000", 0.0000004f, -128),
            makeRecord(pool, "2210020211002", 820.27917f, 127),
            makeRecord(pool, "2222222222222", 1594323.0f, 5),
            makeRecord(pool, "1021021021021", 0.0078125f, -1),
            makeRecord(pool, "1021021021021", 0.0234375f, 1)};
}

// What the C library's "%f" makes of a MANA, read back as a float.
float savedMana(float mana) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%f", static_cast<double>(mana));
    return std::strtof(buf, nullptr);
}

TEST(MorFile, WritesTheGoldenFile) {
    RecordPool pool;
    EXPECT_EQ(morText(smallTable(pool)), readFile(kGolden));
    EXPECT_EQ(morText({}), "");
    EXPECT_EQ(morFileName("tablica"), "tablica.MOR");
    EXPECT_EQ(morFileName(""), "");
}

TEST(MorFile, ManaTextIsPrintfFixedWithSixDecimals) {
    std::vector<float> values = {0.0f, -0.0f, 2.5f, 0.0078125f, 0.0234375f, 4.9999997e-7f, -1e-7f,
                                 1e-30f, 123456.789f, 1e12f, 3e15f, FLT_MAX, -FLT_MAX,
                                 std::numeric_limits<float>::infinity()};
    std::mt19937 rng(5);
    for (int i = 0; i < 20000; ++i) {
        const std::uint32_t bits = rng();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        if (std::isfinite(f)) values.push_back(f);
        values.push_back(static_cast<float>(rng() % 100000000) / 1024.0f);
    }
    Tables t;
    std::string expect;
    for (float v : values) {
        Combination* rec = t.pool.make();
        rec->mana = v;
        t.MORE.push_back(rec);
        char line[128];
        std::snprintf(line, sizeof line, "0 %f 0 0 0 0\r\n", static_cast<double>(v));
        expect += line;
    }
    const std::string got = morText(t.MORE);
    const std::size_t at = static_cast<std::size_t>(
        std::mismatch(got.begin(), got.end(), expect.begin(), expect.end()).first - got.begin());
    EXPECT_TRUE(got == expect) << "differs near: " << got.substr(at > 40 ? at - 40 : 0, 80);
}

TEST(MorFile, ReadsTheGoldenFileAndRoundTrips) {
    RecordPool pool;
    const Table saved = smallTable(pool);
    const MorReadResult r = readMor(readFile(kGolden), pool);
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.rows.size(), saved.size());
    for (std::size_t i = 0; i < saved.size(); ++i) {
        const Combination& a = *saved[i];
        const Combination& b = *r.rows[i];
        EXPECT_EQ(b.code, a.code);
        EXPECT_EQ(b.count0, a.count0);
        EXPECT_EQ(b.count1, a.count1);
        EXPECT_EQ(b.count2, a.count2);
        EXPECT_EQ(b.np, a.np);
        EXPECT_EQ(b.mana, savedMana(a.mana)) << i;
        EXPECT_EQ(b.ordinal, 0);
        EXPECT_EQ(b.hitCount, 0u);
        EXPECT_EQ(b.sumMana, 0.0f);
    }
    EXPECT_EQ(r.rows[1]->mana, 0.0f); // below 0.0000005: not kept by the file
}

TEST(MorFile, FullTableRoundTripAndSnapshot) {
    Tables t;
    for (const Combination* r : valuedFullTable()) {
        Combination* c = t.pool.make(*r);
        c->np = static_cast<std::int8_t>(r->code * 7 % 256 - 128);
        t.MORE.push_back(c);
    }
    std::reverse(t.MORE.begin(), t.MORE.end());
    const Table before = t.MORE;
    Tables loaded;
    ASSERT_TRUE(loadMor(loaded, morText(t.MORE)).ok());
    ASSERT_EQ(loaded.MORE.size(), before.size());
    EXPECT_EQ(loaded.MORE0, loaded.MORE);
    for (std::size_t i = 0; i < before.size(); ++i) {
        const Combination& a = *before[i];
        const Combination& b = *loaded.MORE[i];
        ASSERT_TRUE(b.code == a.code && b.count0 == a.count0 && b.count1 == a.count1 &&
                    b.count2 == a.count2 && b.np == a.np && b.mana == savedMana(a.mana))
            << "row " << i;
    }
}

TEST(MorFile, RepeatedLoadsReleaseTheRecordsTheyReplace) {
    // About four blocks of records per load.
    Table source;
    const Table& full = valuedFullTable();
    for (std::size_t i = 0; i < full.size(); i += 4) source.push_back(full[i]);
    const std::string text = morText(source);

    // Live blocks: those the loaded rows span, the network row's, and the one being filled.
    const std::size_t bound = source.size() / RecordPool::kBlockRecords + 3;
    Tables t;
    ASSERT_TRUE(loadMor(t, text).ok());
    Combination* handedOver = t.MORE[10];
    t.MREZA.push_back(handedOver); // a network row outlives the loads
    const Combination copy = *handedOver;
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(loadMor(t, text).ok());
        EXPECT_LE(t.pool.blockCount(), bound) << "load " << i;
    }
    EXPECT_TRUE(t.pool.owns(handedOver));
    EXPECT_EQ(handedOver->code, copy.code);
    EXPECT_EQ(handedOver->mana, copy.mana);
    // A failed load leaves the tables as they were; what it read is released again.
    const Table more = t.MORE;
    const MorReadResult bad = loadMor(t, text + "1 2 3\r\n");
    EXPECT_EQ(bad.badLine, source.size() + 1);
    EXPECT_EQ(t.MORE, more);
    EXPECT_EQ(t.MORE0, more);
    EXPECT_LE(t.pool.blockCount(), bound + 1);
    ASSERT_TRUE(loadMor(t, text).ok());
    EXPECT_LE(t.pool.blockCount(), bound);
}

struct BadCase {
    const char* name;
    std::string text;
    std::size_t line;
};

TEST(MorFile, NamesTheFirstLineThatIsNotARow) {
    using namespace std::string_literals;
    const BadCase rows[] = {
        {"word", "22369621 2.5 0 13 0 0\nabc\n", 2},
        {"fiveFields", "22369621 2.5 0 13 0\n", 1},
        {"sevenFields", "22369621 2.5 0 13 0 0 0\n", 1},
        {"codeTooLarge", "44739243 2.5 0 13 0 0\n", 1},
        {"codeNegative", "-1 2.5 0 13 0 0\n", 1},
        {"codeHuge", "99999999999999999999 2.5 0 13 0 0\n", 1},
        {"countTooLarge", "0 2.5 14 0 0 0\n", 1},
        {"countNegative", "0 2.5 13 -1 0 0\n", 1},
        {"npTooLarge", "0 2.5 13 0 0 128\n", 1},
        {"npTooSmall", "0 2.5 13 0 0 -129\n", 1},
        {"manaNotANumber", "0 2.5x 13 0 0 0\n", 1},
        {"manaPastFloat", "0 1e39 13 0 0 0\n", 1},
        {"manaTwoSigns", "0 +-2 13 0 0 0\n", 1},
        {"decimalComma", "0 2,5 13 0 0 0\n", 1},
        {"fractionalCount", "0 2.5 13.0 0 0 0\n", 1},
        {"afterBlankLines", "0 1 13 0 0 0\r\n\r\n   \r\n0 1 13 0 0\r\n", 4},
        {"nulByte", "0 1 13 0 0 0\n0 1 1\0003 0 0 0\n"s, 2},
        {"splitOverTwoLines", "0 1 13\n0 0 0\n", 1},
        {"oldMacLineEnds", "0 1 13 0 0 0\r0 1 13 0 0 0\r", 1},
        {"tooLong", "0 1 13 0 0 0\n" + std::string(5000, ' ') + "0 1 13 0 0 0\n", 2},
        {"manaNaN", "0 1 13 0 0 0\n0 nan 13 0 0 0\n", 2},
        {"byteOrderMarkNotFirst",
         "0 1 13 0 0 0\n\xEF\xBB\xBF"
         "0 1 13 0 0 0\n",
         2},
    };
    for (const BadCase& r : rows) {
        SCOPED_TRACE(r.name);
        RecordPool pool;
        const MorReadResult got = readMor(r.text, pool);
        EXPECT_FALSE(got.ok());
        EXPECT_EQ(got.badLine, r.line);
        EXPECT_TRUE(got.rows.empty());
    }
}

struct GoodCase {
    const char* name;
    const char* text;
    std::size_t rows;
};

TEST(MorFile, AcceptsLineEndsBlanksAndOddButValidRows) {
    const GoodCase rows[] = {
        {"empty", "", 0},
        {"onlyBlankLines", "\r\n\n  \t\n", 0},
        {"lfOnly", "0 1 13 0 0 0\n1 2 12 1 0 0\n", 2},
        {"noFinalLineEnd", "0 1 13 0 0 0\r\n1 2 12 1 0 0", 2},
        {"trailingBlankLines", "0 1 13 0 0 0\r\n\r\n\r\n", 1},
        {"tabsAndSpaces", "\t0  1\t13 0 0 0  \r\n", 1},
        {"plusSigns", "+0 +1.5 +13 +0 +0 +0\n", 1},
        {"exponentMana", "0 2.5e3 13 0 0 0\n", 1},
        {"countsContradictCode", "0 1 0 13 13 -128\n", 1},
        {"infiniteMana", "0 inf 13 0 0 0\n1 -INFINITY 13 0 0 0\n", 2},
        {"byteOrderMarkFirst",
         "\xEF\xBB\xBF"
         "0 1 13 0 0 0\n",
         1},
        {"byteOrderMarkAlone", "\xEF\xBB\xBF", 0},
    };
    for (const GoodCase& r : rows) {
        SCOPED_TRACE(r.name);
        RecordPool pool;
        const MorReadResult got = readMor(r.text, pool);
        EXPECT_TRUE(got.ok());
        EXPECT_EQ(got.rows.size(), r.rows);
    }
    // Counts are taken as they stand, not recomputed from the code.
    RecordPool pool;
    const MorReadResult odd = readMor("0 1 0 13 13 -128\n", pool);
    ASSERT_EQ(odd.rows.size(), 1u);
    EXPECT_EQ(odd.rows[0]->count0, 0);
    EXPECT_EQ(odd.rows[0]->count1, 13);
    EXPECT_EQ(odd.rows[0]->count2, 13);
    EXPECT_EQ(odd.rows[0]->np, -128);
    EXPECT_EQ(readMor("0 2.5e3 13 0 0 0", pool).rows.at(0)->mana, 2500.0f);
}

TEST(MorFile, SaysWhyALineIsRefused) {
    using K = MorLineFault::Kind;
    struct Case {
        const char* name;
        std::string text;
        K kind;
        int field; // or the number of fields for FieldCount
        std::string word;
    };
    const Case cases[] = {
        {"blankButTooLong", std::string(5000, ' ') + "\n", K::TooLong, 0, ""},
        {"fiveFields", "0 1 13 0 0\n", K::FieldCount, 5, ""},
        {"sevenFields", "0 1 13 0 0 0 0\n", K::FieldCount, 7, ""},
        {"nan", "0 -NaN 13 0 0 0\n", K::NotANumber, 2, "-NaN"},
        {"word", "0 1 13 x 0 0\n", K::NotANumber, 4, "x"},
        {"codeHuge", "99999999999999999999999 1 13 0 0 0\n", K::TooLarge, 1,
         "99999999999999999999"},
        {"manaPastFloat", "0 1e39 13 0 0 0\n", K::TooLarge, 2, "1e39"},
        {"countNegative", "0 1 -1 0 0 0\n", K::TooSmall, 3, "-1"},
        {"npTooSmall", "0 1 13 0 0 -129\n", K::TooSmall, 6, "-129"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordPool pool;
        const MorReadResult got = readMor(c.text, pool);
        ASSERT_EQ(got.badLine, 1u);
        EXPECT_EQ(got.fault.kind, c.kind);
        EXPECT_EQ(c.kind == K::FieldCount ? got.fault.fields : got.fault.field, c.field);
        EXPECT_EQ(got.fault.word, c.word);
    }
    RecordPool pool;
    const MorLineFault np = readMor("0 1 13 0 0 128\n", pool).fault;
    EXPECT_EQ(np.kind, K::TooLarge);
    EXPECT_EQ(np.lo, -128);
    EXPECT_EQ(np.hi, 127);
}

TEST(MorFile, InputInPiecesReadsAsAWhole) {
    // A byte-order mark first, as some editors save a file, may be split over pieces too.
    const std::string text = "\xEF\xBB\xBF" + readFile(kGolden) + "\r\n  \r\n7 1 12 0 1 0";
    RecordPool pool;
    const MorReadResult whole = readMor(text, pool);
    ASSERT_TRUE(whole.ok());
    for (std::size_t piece = 1; piece <= 9; ++piece) {
        MorReader reader(pool);
        for (std::size_t at = 0; at < text.size(); at += piece)
            ASSERT_TRUE(reader.feed(std::string_view(text).substr(at, piece)));
        const MorReadResult got = reader.finish();
        ASSERT_TRUE(got.ok()) << piece;
        ASSERT_EQ(got.rows.size(), whole.rows.size());
        for (std::size_t i = 0; i < got.rows.size(); ++i) {
            EXPECT_EQ(got.rows[i]->code, whole.rows[i]->code);
            EXPECT_EQ(got.rows[i]->mana, whole.rows[i]->mana);
        }
    }
    // A bad line split over pieces is still named.
    MorReader reader(pool);
    EXPECT_TRUE(reader.feed("0 1 13 0 0 0\n0 1 1"));
    EXPECT_FALSE(reader.feed("3 0 0 0 0\n0 1 13 0 0 0\n"));
    EXPECT_EQ(reader.finish().badLine, 2u);
    // An endless line is refused once it is too long, without waiting for its end.
    MorReader endless(pool);
    bool good = true;
    for (int i = 0; i < 100 && good; ++i) good = endless.feed(std::string(100, ' '));
    EXPECT_FALSE(good);
    EXPECT_EQ(endless.finish().badLine, 1u);
}

TEST(MorFile, LoadFromASourceThatFails) {
    Tables t;
    ASSERT_TRUE(loadMor(t, "0 1 13 0 0 0\n").ok());
    const Table more = t.MORE;
    const std::string text = readFile(kGolden);
    int calls = 0;
    const MorReadResult r = loadMor(t, [&](char* buf, std::size_t cap) -> long long {
        if (++calls > 1) return -1;
        const std::size_t n = std::min<std::size_t>(cap, 40);
        std::memcpy(buf, text.data(), n);
        return static_cast<long long>(n);
    });
    EXPECT_TRUE(r.readFailed);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(t.MORE, more);
    // The same source read to its end loads.
    std::size_t at = 0;
    const MorReadResult ok = loadMor(
        t,
        [&](char* buf, std::size_t cap) -> long long {
            const std::size_t n = std::min(cap, text.size() - at);
            std::memcpy(buf, text.data() + at, n);
            at += n;
            return static_cast<long long>(n);
        },
        text.size());
    EXPECT_TRUE(ok.ok());
    EXPECT_EQ(t.MORE.size(), 6u);
}

TEST(MoreRows, DeleteSelectedRows) {
    Tables t;
    for (int i = 0; i < 100; ++i) t.MORE.push_back(makeRecord(t.pool, "0000000000000", static_cast<float>(i)));
    const Table before = t.MORE;
    const int selected[] = {57, 53, 57, -3, 400};
    EXPECT_EQ(deleteRows(t.MORE, selected), 2u);
    Table expect = before;
    expect.erase(expect.begin() + 57);
    expect.erase(expect.begin() + 53);
    EXPECT_EQ(t.MORE, expect);
    EXPECT_EQ(deleteRows(t.MORE, {}), 0u);
    EXPECT_EQ(t.MORE, expect);
}

TEST(MoreRows, ResetBringsBackTheSnapshotWithTodaysNp) {
    Tables t;
    EXPECT_FALSE(resetFromSnapshot(t)); // no snapshot yet
    for (int i = 0; i < 50; ++i)
        t.MORE.push_back(makeRecord(t.pool, i % 2 ? "1111111111111" : "2222222222222", static_cast<float>(i)));
    t.MORE.push_back(t.MORE.front()); // a table may hold a record twice
    takeSnapshot(t);
    const Table snapshot = t.MORE;
    limitTable(t.MORE, parseLimit(LimitRow::Limit11, "1", '.').value());
    t.MORE[1]->np = 9;
    ASSERT_LT(t.MORE.size(), snapshot.size());
    EXPECT_TRUE(resetFromSnapshot(t));
    EXPECT_EQ(t.MORE, snapshot);
    EXPECT_EQ(t.MORE0, snapshot);
    EXPECT_EQ(std::count_if(t.MORE.begin(), t.MORE.end(), [](const Combination* r) { return r->np == 9; }), 1);
}

} // namespace
