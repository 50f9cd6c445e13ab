#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <string>

using namespace kviro;

namespace {

struct GeneralCase {
    double x;
    const char* text;
};

TEST(NumberText, GeneralFormat) {
    const GeneralCase rows[] = {
        {70, "70"},
        {100, "100"},
        {-10, "-10"},
        {0, "0"},
        {33.299999237060546875, "33.2999992370605"},
        {100.0 - 2.0 * double(33.3f), "33.4000015258789"},
        {0.5, "0.5"},
        {0.00001, "0.00001"},
        {0.000015, "0.000015"},
        {0.0000099, "9.9E-6"},
        {0.0001, "0.0001"},
        {123456789012345.0, "123456789012345"},
        {1e20, "1E20"},
        {2.5e-7, "2.5E-7"},
        {-0.25, "-0.25"},
    };
    for (const auto& r : rows) EXPECT_EQ(formatGeneral(r.x), r.text) << r.x;
    EXPECT_EQ(formatGeneral(12.5, ','), "12,5");
}

struct FixedCase {
    double x;
    int p, q;
    const char* text;
};

TEST(NumberText, FixedFormat) {
    const FixedCase rows[] = {
        {0.0123, 7, 4, "0.0123"},
        {12.345678, 7, 4, "12.3457"},
        {12345.678, 7, 4, "12345.6800"},
        {820.27917, 7, 4, "820.2792"},
        {2.0249178, 7, 4, "2.0249"},
        {100.0, 4, 1, "100.0"},
        {99.96, 4, 1, "100.0"},
        {0.0, 7, 3, "0.000"},
        {1594323.0, 7, 3, "1594323.000"},
        {1593356.6, 7, 3, "1593357.000"},
        {62.5, 5, 2, "62.50"},
        {0.00004, 4, 1, "0.0"},
        {-3.25, 4, 1, "-3.3"},
        {0.95, 4, 1, "1.0"},
        {9.9999, 4, 1, "10.0"},
        {1234567.0, 4, 1, "1.235E+006"},
    };
    for (const auto& r : rows) EXPECT_EQ(formatFixed(r.x, r.p, r.q), r.text) << r.x;
    EXPECT_EQ(formatFixed(12.5, 7, 4, ','), "12,5000");
}

TEST(NumberText, ParseDecimal) {
    EXPECT_EQ(parseDecimal("33.3"), 33.3);
    EXPECT_EQ(parseDecimal(" 5 "), 5.0);
    EXPECT_EQ(parseDecimal("-10"), -10.0);
    EXPECT_EQ(parseDecimal("+7"), 7.0);
    EXPECT_EQ(parseDecimal(".5"), 0.5);
    EXPECT_EQ(parseDecimal("1E2"), 100.0);
    EXPECT_EQ(parseDecimal("2,5", ','), 2.5);
    for (const char* bad : {"", " ", "abc", "1.2.3", "5x", "1e", "-", "2,5", "1 2"})
        EXPECT_FALSE(parseDecimal(bad).has_value()) << bad;
    EXPECT_FALSE(parseDecimal("2.5", ',').has_value());
}

TEST(NumberText, ParseInteger) {
    EXPECT_EQ(parseInteger("0"), 0);
    EXPECT_EQ(parseInteger(" 12 "), 12);
    EXPECT_EQ(parseInteger("-3"), -3);
    for (const char* bad : {"", "a", "1.5", "99999999999", "1 2"})
        EXPECT_FALSE(parseInteger(bad).has_value()) << bad;
}

} // namespace

TEST(NumberText, CombinationsWordFollowsTheLastDigits) {
    struct Row {
        std::size_t n;
        const char* nominative;
        const char* genitive;
    };
    for (const Row& r : {Row{0, "kombinacija", "kombinacija"}, Row{1, "kombinacija", "kombinacije"},
                         Row{3, "kombinacije", "kombinacije"}, Row{5, "kombinacija", "kombinacija"},
                         Row{11, "kombinacija", "kombinacija"}, Row{14, "kombinacija", "kombinacija"},
                         Row{21, "kombinacija", "kombinacije"}, Row{22, "kombinacije", "kombinacije"},
                         Row{37, "kombinacija", "kombinacija"}, Row{112, "kombinacija", "kombinacija"},
                         Row{433, "kombinacije", "kombinacije"}}) {
        EXPECT_EQ(combinationsWord(r.n), r.nominative) << r.n;
        EXPECT_EQ(combinationsWord(r.n, WordCase::Genitive), r.genitive) << r.n;
    }
    EXPECT_EQ(combinationsCount(433), "433 kombinacije");
    EXPECT_EQ(combinationsCount(1, WordCase::Genitive), "1 kombinacije");
}
