// The network tables: hand-over, copies, Info figures, header sorts; the TUK entry row, the
// strike-out and the purge of NP-marked rows.
#include "core/Network.h"
#include "core/Tables.h"
#include "core/TukEntry.h"

#include <gtest/gtest.h>

#include <string>

using namespace kviro;

namespace {

Digits digitsOf(const std::string& text) {
    Digits d{};
    for (int k = 0; k < kMatches; ++k)
        d[k] = text[k] - '0';
    return d;
}

Combination* row(Tables& t, const std::string& text, float mana = 1.0f, std::int8_t np = 0) {
    Combination* r = t.pool.make();
    combinationCode(*r, digitsOf(text));
    r->mana = mana;
    r->np = np;
    return r;
}

// ---- hand-over and the table commands -----------------------------------------------------------

TEST(Network, HandOverSharesRowsNumbersThemAndEmptiesTuk) {
    Tables t;
    for (float m : {9.0f, 7.5f, 7.5f, 0.25f})
        t.MORE.push_back(row(t, "0000000000000", m));
    t.TUK.push_back(row(t, "1111111111111"));
    const HandOver h = handOverNetwork(t.MORE, t.MREZA, t.MREZA0, t.TUK);
    EXPECT_EQ(h.rows, 4u);
    EXPECT_DOUBLE_EQ(h.manaSum, 24.25);
    EXPECT_EQ(t.MREZA, t.MORE);
    EXPECT_EQ(t.MREZA0, t.MORE);
    EXPECT_TRUE(t.TUK.empty());
    for (std::size_t i = 0; i < t.MREZA.size(); ++i)
        EXPECT_EQ(t.MREZA[i]->ordinal, static_cast<int>(i + 1));
    EXPECT_EQ(networkCountText(h.rows), "4");
    EXPECT_EQ(networkManaText(h.manaSum, ','), "24,25");

    // "TUK = MREŽA" shares the very rows: NP raised in the network shows in MORE and TUK.
    copyNetworkToTuk(t.MREZA, t.TUK);
    EXPECT_EQ(t.TUK, t.MREZA);
    t.MREZA[1]->np = 3;
    EXPECT_EQ(t.MORE[1]->np, 3);
    EXPECT_EQ(t.TUK[1]->np, 3);

    // "MREŽA = MREŽA0" brings struck rows back in hand-over order, with their current fields.
    t.MREZA.erase(t.MREZA.begin());
    std::swap(t.MREZA[0], t.MREZA[2]);
    restoreNetwork(t.MREZA, t.MREZA0);
    EXPECT_EQ(t.MREZA, t.MORE);
    EXPECT_EQ(t.MREZA[1]->np, 3);

    Tables empty;
    const HandOver none = handOverNetwork(empty.MORE, empty.MREZA, empty.MREZA0, empty.TUK);
    EXPECT_EQ(none.rows, 0u);
    EXPECT_EQ(networkManaText(none.manaSum, '.'), "0.00");
}

TEST(Network, HandOverSumIsNotLostInSinglePrecision) {
    // 2^24 ones: a float running sum stops at 16777216 and then loses every further 1.
    Tables t;
    Combination* big = row(t, "0000000000000", 16777216.0f);
    t.MORE.push_back(big);
    for (int i = 0; i < 1000; ++i)
        t.MORE.push_back(row(t, "0000000000001", 1.0f));
    EXPECT_DOUBLE_EQ(handOverNetwork(t.MORE, t.MREZA, t.MREZA0, t.TUK).manaSum, 16778216.0);
}

struct InfoCase {
    const char* name;
    std::size_t mreza, mreza0, tuk;
    double manuNum;
    const char* mrezaPercent;
    const char* mrezaMana;
    const char* mrezaManaPercent;
    const char* tukPercent;
};

class InfoCases : public ::testing::TestWithParam<InfoCase> {};

TEST_P(InfoCases, Figures) {
    const InfoCase& c = GetParam();
    Tables t;
    for (std::size_t i = 0; i < c.mreza0; ++i)
        t.MREZA0.push_back(row(t, "0000000000000", 2.0f));
    t.MREZA.assign(t.MREZA0.begin(), t.MREZA0.begin() + static_cast<long>(c.mreza));
    for (std::size_t i = 0; i < c.tuk; ++i)
        t.TUK.push_back(row(t, "2222222222222", 0.5f));
    const NetworkInfo info = networkInfo(t.MREZA, t.MREZA0, t.TUK, c.manuNum, '.');
    EXPECT_EQ(info.mrezaRows, std::to_string(c.mreza));
    EXPECT_EQ(info.mrezaPercent, c.mrezaPercent);
    EXPECT_EQ(info.mrezaMana, c.mrezaMana);
    EXPECT_EQ(info.mrezaManaPercent, c.mrezaManaPercent);
    EXPECT_EQ(info.tukRows, std::to_string(c.tuk));
    EXPECT_EQ(info.tukPercent, c.tukPercent);
}

INSTANTIATE_TEST_SUITE_P(
    Part, InfoCases,
    ::testing::Values(
        // 9 of 20 rows: 45 %; 18 of a shown sum of 40: 45 %.
        InfoCase{"part", 9, 20, 3, 40.0, "45.00 %", "18.00", "45.00", "15.00 %"},
        // Whole numbers: 2 of 3 rows is 66, not 66.67.
        InfoCase{"whole_rows", 2, 3, 1, 6.0, "66.00 %", "4.00", "66.67", "33.33 %"},
        // TUK's share is rounded to two decimals: 2 of 3 is 66.67, 209 of 10,479 is 1.99.
        InfoCase{"tuk_rounded", 3, 3, 2, 6.0, "100.00 %", "6.00", "100.00", "66.67 %"},
        InfoCase{"tuk_small_share", 10479, 10479, 209, 20958.0, "100.00 %", "20958.00", "100.00",
                 "1.99 %"},
        InfoCase{"right_after_handover", 4, 4, 0, 8.0, "100.00 %", "8.00", "100.00", "0.00 %"},
        InfoCase{"empty_mreza0", 0, 0, 2, 0.0, "0.00 %", "0.00", "0.00", "0.00 %"},
        InfoCase{"zero_sum_shown", 3, 5, 0, 0.0, "60.00 %", "6.00", "0.00", "0.00 %"}),
    [](const auto& tp) { return std::string(tp.param.name); });

TEST(Network, HeaderSorts) {
    Tables t;
    Combination* a = row(t, "1111100000000", 1.0f, 2);  // five "1"
    Combination* b = row(t, "1111100000002", 5.0f, -1); // five "1", fewer "0"
    Combination* c = row(t, "1111110000000", 0.5f, 0);  // six "1"
    Combination* d = row(t, "1111100000000", 3.0f, 2);  // as a, more MANA
    const Table start = {a, b, c, d};
    t.MREZA = start;
    EXPECT_FALSE(sortNetworkBySection(t.MREZA, 0));
    EXPECT_FALSE(sortNetworkBySection(t.MREZA, 1));
    EXPECT_EQ(t.MREZA, start);
    EXPECT_TRUE(sortNetworkBySection(t.MREZA, 2));
    EXPECT_EQ(t.MREZA, (Table{c, d, a, b}));
    EXPECT_TRUE(sortNetworkBySection(t.MREZA, 3));
    EXPECT_EQ(t.MREZA, (Table{b, d, a, c}));
    EXPECT_TRUE(sortNetworkBySection(t.MREZA, 4));
    EXPECT_EQ(t.MREZA, (Table{d, a, c, b})); // NP 2, 2 (in their previous order), 0, -1
}

// ---- entry row
// -------------------------------------------------------------------------------------

TEST(TukEntry, ReadsThirteenSigns) {
    const struct {
        const char* name;
        std::array<std::string_view, kMatches> fields;
        EntryRow::Problem problem;
        int field;
    } rows[] = {
        {"ok", {"1", "0", "2", "1", "1", "1", "0", "0", "2", "2", "1", "0", "2"}, EntryRow::Ok, 0},
        {"digit3",
         {"1", "0", "2", "1", "3", "1", "0", "0", "2", "2", "1", "0", "2"},
         EntryRow::NotASign,
         5},
        {"negative",
         {"-1", "0", "2", "1", "1", "1", "0", "0", "2", "2", "1", "0", "2"},
         EntryRow::NotASign,
         1},
        {"letter",
         {"1", "0", "2", "1", "1", "1", "0", "0", "2", "2", "1", "0", "x"},
         EntryRow::NotANumber,
         13},
        {"empty",
         {"1", "", "2", "1", "1", "1", "0", "0", "2", "2", "1", "0", "9"},
         EntryRow::NotANumber,
         2},
    };
    for (const auto& r : rows) {
        const EntryRow e = readEntryRow(r.fields);
        EXPECT_EQ(e.problem, r.problem) << r.name;
        EXPECT_EQ(e.field, r.field) << r.name;
        if (r.problem == EntryRow::Ok) {
            EXPECT_EQ(e.digits, digitsOf("1021110022102")) << r.name;
        }
    }
}

TEST(TukEntry, AddsNewRowsAtTheTopOnce) {
    Tables t;
    const ProbabilityTable p = defaultProbabilities();
    const Digits d = digitsOf("2210020211002");
    ASSERT_EQ(addToTuk(t.TUK, d, FromPota12, p, t.pool), TukAdd::Added);
    ASSERT_EQ(addToTuk(t.TUK, digitsOf("0000000000000"), FromNetwork, p, t.pool), TukAdd::Added);
    ASSERT_EQ(t.TUK.size(), 2u);
    EXPECT_EQ(signText(*t.TUK[0]), "0000000000000");
    const Combination& added = *t.TUK[1];
    EXPECT_EQ(signText(added), "2210020211002");
    EXPECT_EQ(added.tukSource, FromPota12);
    EXPECT_EQ(added.mana, manaOf(added.code, p));
    EXPECT_EQ(added.count2, 5);
    const Table before = t.TUK;
    EXPECT_EQ(addToTuk(t.TUK, d, FromPot11, p, t.pool), TukAdd::AlreadyInTuk);
    EXPECT_EQ(t.TUK, before);
}

// ---- strike-out
// -----------------------------------------------------------------------------------

// A network of rows at 0, 1, 2 and 3 differences from T = 0000000000000, every one carrying
// NP 5 so that the marking shows.
struct StrikeCase {
    const char* name;
    std::int8_t source;
    const char* kept; // texts of the rows kept, in order
    const char* np;   // their NP, in order
};

class StrikeCases : public ::testing::TestWithParam<StrikeCase> {};

TEST_P(StrikeCases, RemovesAndMarks) {
    const StrikeCase& c = GetParam();
    Tables t;
    const char* texts[] = {"0000000000000", "0000000000010", "1000000000020",
                           "1100000000001", "0000000000000", "2222222222222"};
    for (const char* text : texts)
        t.MREZA.push_back(row(t, text, 1.0f, 5));
    Combination tRow;
    combinationCode(tRow, digitsOf("0000000000000"));
    tRow.tukSource = c.source;
    const StrikeOut s = strikeOut(t.MREZA, tRow);
    std::string kept, np;
    for (const Combination* r : t.MREZA) {
        kept += (kept.empty() ? "" : " ") + signText(*r);
        np += std::to_string(r->np);
    }
    EXPECT_EQ(kept, c.kept);
    EXPECT_EQ(np, c.np);
    EXPECT_EQ(s.removed, 6 - t.MREZA.size());
}

INSTANTIATE_TEST_SUITE_P(
    Part, StrikeCases,
    ::testing::Values(StrikeCase{"pot11_removes_within_two", FromPot11,
                                 "1100000000001 2222222222222", "55"},
                      StrikeCase{"network_marks_eleven", FromNetwork,
                                 "1000000000020 1100000000001 2222222222222", "100"},
                      StrikeCase{"pota12_marks_eleven", FromPota12,
                                 "1000000000020 1100000000001 2222222222222", "100"}),
    [](const auto& tp) { return std::string(tp.param.name); });

TEST(StrikeOut, FarRowRemovesNothingButClearsNp) {
    Tables t;
    t.MREZA = {row(t, "0000000000000", 1.0f, 4), row(t, "0000000001111", 1.0f, -2)};
    Combination far;
    combinationCode(far, digitsOf("2222222222222"));
    EXPECT_EQ(strikeOut(t.MREZA, far).removed, 0u);
    ASSERT_EQ(t.MREZA.size(), 2u);
    EXPECT_EQ(t.MREZA[0]->np, 0);
    EXPECT_EQ(t.MREZA[1]->np, 0);
}

TEST(StrikeOut, PurgeRemovesEveryNonZeroNpOnce) {
    Tables t;
    Combination* zero = row(t, "0000000000000", 1.0f, 0);
    Combination* zero2 = row(t, "1000000000000", 1.0f, 0);
    t.MREZA = {row(t, "2000000000000", 1.0f, 1), zero, row(t, "2200000000000", 1.0f, -3), zero2,
               row(t, "2220000000000", 1.0f, 127)};
    EXPECT_EQ(purgeNpMarked(t.MREZA), 3u);
    EXPECT_EQ(t.MREZA, (Table{zero, zero2}));
    EXPECT_EQ(purgeNpMarked(t.MREZA), 0u);
}

} // namespace
