// The neighbourhood engine against plain comparisons over the whole space: ranks both ways,
// the balls of radius 0 ... 3, and the index of a table with repeated rows and digit-3 codes.
#include "core/CodeSpace.h"
#include "core/Tables.h"
#include "tests/core/NetworkFixtures.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace kviro;
using namespace kviro::testing;

namespace {

TEST(CodeSpace, RankAndCodeAreInverse) {
    for (std::int32_t r = 0; r < kAllCombinations; ++r) {
        const std::uint32_t code = codeOfRank(r);
        ASSERT_TRUE(isValidCode(code)) << r;
        ASSERT_EQ(ternaryRank(code), r) << r;
    }
    EXPECT_EQ(codeOfRank(0), 0u);
    EXPECT_EQ(codeOfRank(kAllCombinations - 1), kMaxCode);
    EXPECT_EQ(signText(codeOfRank(kRankStep[0])), "1000000000000");
}

// Each combination within R signs visited once, with its true distance, and nothing else.
template <int R> void expectBall(std::uint32_t centre) {
    std::vector<int> seen(static_cast<std::size_t>(kAllCombinations), -1);
    int visits = 0;
    forEachWithin<R>(centre, ternaryRank(centre), [&](std::int32_t rank, int d) {
        ++visits;
        ASSERT_GE(rank, 0);
        ASSERT_LT(rank, kAllCombinations);
        ASSERT_EQ(seen[static_cast<std::size_t>(rank)], -1) << "visited twice: " << rank;
        seen[static_cast<std::size_t>(rank)] = d;
    });
    EXPECT_EQ(visits, kBallSize[R]);
    for (std::int32_t r = 0; r < kAllCombinations; ++r) {
        const int d = differingMatches(centre, codeOfRank(r));
        ASSERT_EQ(seen[static_cast<std::size_t>(r)], d <= R ? d : -1)
            << signText(centre) << " radius " << R << " rank " << r;
    }
}

TEST(CodeSpace, BallsHoldExactlyTheCombinationsWithinRadius) {
    std::mt19937 rng(7);
    std::vector<std::uint32_t> centres = {0, kMaxCode, 22369621 /* thirteen "1" */};
    for (int k = 0; k < 2; ++k)
        centres.push_back(codeOfRank(static_cast<std::int32_t>(rng() % kAllCombinations)));
    for (const std::uint32_t c : centres) {
        expectBall<0>(c);
        expectBall<1>(c);
        expectBall<2>(c);
        expectBall<3>(c);
    }
}

// Rows of the index within R signs of `code`, against comparing every row.
template <int R> void expectRows(const RankIndex& index, const Table& t, std::uint32_t code) {
    std::map<std::int32_t, int> got;
    index.forEachRowWithin<R>(code, [&](std::int32_t pos, int d) {
        EXPECT_TRUE(got.emplace(pos, d).second) << "row visited twice: " << pos;
    });
    std::map<std::int32_t, int> want;
    for (std::size_t k = 0; k < t.size(); ++k) {
        const int d = differingMatches(code, t[k]->code);
        if (d <= R) want.emplace(static_cast<std::int32_t>(k), d);
    }
    EXPECT_EQ(got, want) << signText(code) << " radius " << R;
}

TEST(CodeSpace, IndexFindsRowsWithinRadiusWithRepeatsAndDigitThree) {
    Tables t;
    const ProbabilityTable p = defaultProbabilities();
    std::mt19937 rng(12);
    const Table net = randomNetwork(t.pool, rng, 3000, p);
    RankIndex index;
    index.build(net);
    ASSERT_EQ(index.size(), net.size());
    std::size_t irregular = 0, repeated = 0;
    std::map<std::uint32_t, int> codes;
    for (std::size_t k = 0; k < net.size(); ++k) {
        const auto pos = static_cast<std::int32_t>(k);
        ASSERT_EQ(index.code(pos), net[k]->code);
        ASSERT_EQ(index.rank(pos), ternaryRank(net[k]->code));
        irregular += index.rank(pos) < 0 ? 1 : 0;
        repeated += codes[net[k]->code]++ > 0 ? 1 : 0;
    }
    ASSERT_GT(irregular, 0u);
    ASSERT_GT(repeated, 0u);
    EXPECT_EQ(index.irregular().size(), irregular);
    // Chains run in table order.
    for (std::size_t k = 0; k < net.size(); ++k) {
        const auto pos = static_cast<std::int32_t>(k);
        if (index.rank(pos) < 0 || index.first(index.rank(pos)) != pos) continue;
        for (std::int32_t q = index.next(pos), prev = pos; q >= 0; prev = q, q = index.next(q)) {
            ASSERT_GT(q, prev);
            ASSERT_EQ(index.code(q), index.code(pos));
        }
    }
    std::vector<std::uint32_t> queries;
    for (std::size_t k = 0; k < 6; ++k)
        queries.push_back(net[rng() % net.size()]->code);
    queries.push_back(net[static_cast<std::size_t>(index.irregular().front())]->code);
    queries.push_back(codeOfRank(12345)); // most likely in no row
    for (const std::uint32_t q : queries) {
        expectRows<0>(index, net, q);
        expectRows<1>(index, net, q);
        expectRows<2>(index, net, q);
        expectRows<3>(index, net, q);
    }
    // Built again from codes: the same index.
    std::vector<std::uint32_t> plain;
    for (const Combination* r : net)
        plain.push_back(r->code);
    RankIndex again;
    again.build(plain);
    for (std::int32_t r : {index.rank(0), index.rank(1), index.rank(2)}) {
        if (r >= 0) {
            EXPECT_EQ(again.first(r), index.first(r));
        }
    }
    index.clear();
    EXPECT_EQ(index.size(), 0u);
}

} // namespace
