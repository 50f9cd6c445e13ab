// The guarantee report against the plain count, on small random networks and TUKs (repeated rows
// and digit-3 codes included), and its fixed facts.
#include "core/AutoPot11.h"
#include "core/CodeSpace.h"
#include "core/Fillerthread.h"
#include "core/Guarantee.h"
#include "core/Tables.h"
#include "tests/core/GuaranteeReference.h"
#include "tests/core/NetworkFixtures.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace kviro;
using namespace kviro::testing;

namespace {

void expectSameReport(const GuaranteeReport& got, const GuaranteeReport& want,
                      const std::string& what) {
    EXPECT_EQ(got.tukRows, want.tukRows) << what;
    EXPECT_EQ(got.networkRows, want.networkRows) << what;
    EXPECT_EQ(got.rows, want.rows) << what;
    EXPECT_EQ(got.minHits, want.minHits) << what;
    for (int c = 0; c < kHitClasses; ++c) // the same additions in the same order
        EXPECT_EQ(got.mana[c], want.mana[c]) << what << " class " << c;
    EXPECT_EQ(got.networkMana, want.networkMana) << what;
    EXPECT_NEAR(got.inNetwork, want.inNetwork, 1e-12) << what;
    EXPECT_NEAR(got.total, want.total, 1e-12) << what;
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(got.atLeast[k], want.atLeast[k], 1e-12) << what << " at least " << 13 - k;
}

struct ReportCase {
    const char* name;
    std::size_t networkRows;
    std::size_t tukFromNetwork; // TUK rows taken from the network (repeats possible)
    std::size_t tukRandom;      // and rows near network rows, one or two with a digit 3
    unsigned seed;
};

class GuaranteeDifferential : public ::testing::TestWithParam<ReportCase> {};

TEST_P(GuaranteeDifferential, EqualsPlainCount) {
    const ReportCase& c = GetParam();
    Tables t;
    const ProbabilityTable p = defaultProbabilities();
    std::mt19937 rng(c.seed);
    const Table network = c.networkRows ? randomNetwork(t.pool, rng, c.networkRows, p) : Table{};
    Table tuk;
    std::uniform_int_distribution<int> match(1, kMatches);
    for (std::size_t k = 0; k < c.tukFromNetwork && !network.empty(); ++k)
        tuk.push_back(network[rng() % network.size()]);
    const Table extra = randomNetwork(t.pool, rng, c.tukRandom + 2, p);
    for (std::size_t k = 0; k < c.tukRandom; ++k)
        tuk.push_back(extra[k]);
    if (c.tukRandom > 0) { // rows with one and with two digits 3, near a network row
        for (int threes = 1; threes <= 2; ++threes) {
            Combination* r = t.pool.make();
            r->code = network.empty() ? 0 : network[rng() % network.size()]->code;
            for (int k = 0; k < threes; ++k)
                r->code = withSign(r->code, match(rng), 3);
            tuk.push_back(r);
        }
    }
    expectSameReport(guaranteeReport(network, tuk, p), reference::guarantee(network, tuk, p),
                     c.name);
}

INSTANTIATE_TEST_SUITE_P(Tables, GuaranteeDifferential,
                         ::testing::Values(ReportCase{"empty_tuk", 200, 0, 0, 1},
                                           ReportCase{"empty_network", 0, 0, 6, 2},
                                           ReportCase{"one_row_each", 1, 1, 0, 3},
                                           ReportCase{"few", 60, 3, 4, 4},
                                           ReportCase{"network_rows_and_others", 600, 12, 8, 5},
                                           ReportCase{"repeats", 1500, 20, 0, 6}),
                         [](const auto& tp) { return std::string(tp.param.name); });

TEST(Guarantee, TukEqualToNetworkGuaranteesThirteen) {
    Tables t;
    const ProbabilityTable p = defaultProbabilities();
    std::mt19937 rng(9);
    const Table network = randomNetwork(t.pool, rng, 5000, p);
    const GuaranteeReport r = guaranteeReport(network, network, p);
    EXPECT_EQ(r.rows[0], network.size());
    EXPECT_EQ(r.minHits, 13);
    EXPECT_EQ(guaranteeHeadline(r), "Ako je ishod u mreži, imate najmanje 13 pogodaka.");
    EXPECT_DOUBLE_EQ(r.atLeast[0], r.inNetwork);
}

TEST(Guarantee, WholeSpaceAutomaticRunGuaranteesEleven) {
    Tables t;
    std::atomic<bool> stop{false};
    generateAllCombinations(t.MORE, t.pool, stop);
    const ProbabilityTable p = defaultProbabilities();
    valueTable(t.MORE, p);
    Table mreza = t.MORE, tuk, pot11;
    autoPot11(mreza, tuk, pot11, t.pool, p, -1, stop);
    ASSERT_TRUE(mreza.empty());
    const GuaranteeReport r = guaranteeReport(t.MORE, tuk, p);
    EXPECT_EQ(r.rows[3] + r.rows[4], 0u);
    EXPECT_GE(r.minHits, 11);
    EXPECT_EQ(r.rows[0], tuk.size());
    EXPECT_EQ(r.rows[0] + r.rows[1] + r.rows[2], t.MORE.size());
    EXPECT_NEAR(r.inNetwork, r.total, 1e-12);
    EXPECT_NEAR(r.atLeast[2], r.total, 1e-12); // every result is in the network
    EXPECT_LT(r.atLeast[0], r.atLeast[1]);
    EXPECT_EQ(guaranteeHeadline(r), "Ako je ishod u mreži, imate najmanje 11 pogodaka.");
}

TEST(Guarantee, UniformPercentagesGiveTheShareOfResultsWithinReach) {
    ProbabilityTable p{};
    for (auto& m : p)
        m = {100.0f / 3, 100.0f / 3, 100.0f / 3};
    RecordPool pool;
    std::mt19937 rng(4);
    Table tuk;
    for (int k = 0; k < 40; ++k) {
        Combination* r = pool.make();
        r->code = codeOfRank(static_cast<std::int32_t>(rng() % kAllCombinations));
        tuk.push_back(r);
    }
    std::vector<std::uint8_t> best;
    bestHitsByRank(tuk, best);
    std::size_t within[4] = {0, 0, 0, 0};
    for (std::int32_t rank = 0; rank < kAllCombinations; ++rank) {
        const int h = reference::bestHits(codeOfRank(rank), tuk);
        ASSERT_EQ(best[static_cast<std::size_t>(rank)], h >= 10 ? h : 0) << rank;
        for (int k = 0; k < 4; ++k)
            within[k] += h >= 13 - k ? 1 : 0;
    }
    const GuaranteeReport r = guaranteeReport({}, tuk, p);
    for (int k = 0; k < 4; ++k) {
        const double share = static_cast<double>(within[k]) / kAllCombinations;
        EXPECT_NEAR(r.atLeast[k] / r.total, share, 1e-12) << 13 - k;
    }
    EXPECT_EQ(within[0], 40u);
    EXPECT_EQ(r.inNetwork, 0.0);
}

TEST(Guarantee, Texts) {
    GuaranteeReport r;
    EXPECT_EQ(guaranteeHeadline(r), "TUK je prazan.");
    r.tukRows = 5;
    EXPECT_EQ(guaranteeHeadline(r), "Mreža je prazna.");
    r.networkRows = 100;
    r.rows = {10, 20, 33, 30, 7};
    r.minHits = 0;
    EXPECT_EQ(guaranteeHeadline(r), "Ako je ishod u mreži, imate najmanje 11 pogodaka, osim 37 "
                                    "kombinacija mreže.");
    r.rows = {0, 0, 0, 99, 1};
    EXPECT_EQ(guaranteeHeadline(r), "Ni za jedan ishod u mreži nemate jamstvo od 11 pogodaka.");
    r.rows = {50, 50, 0, 0, 0};
    r.minHits = 12;
    EXPECT_EQ(guaranteeHeadline(r), "Ako je ishod u mreži, imate najmanje 12 pogodaka.");
    EXPECT_EQ(shareText(0.125, ','), "12,50 %");
    EXPECT_EQ(chanceText(0.5, ','), "50,00 %");
    EXPECT_EQ(chanceText(0.0000314, ','), "0,0031 %");
    EXPECT_EQ(chanceText(0.0, '.'), "0.00 %");
    EXPECT_EQ(amountText(1234.5, ','), "1234,50");
}

} // namespace
