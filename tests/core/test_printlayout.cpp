#include "CodeText.h"
#include "FixedPitchMetrics.h"

#include "core/PrintLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace kviro;

namespace {

using test::codeOfText;

// A printed line: the place and the 13 signs, read back from the placed texts.
struct Line {
    int y = 0;
    PlacedText place;
    std::vector<PlacedText> signs;
};

// Splits a page into its top texts (before the first place) and its lines of 14 texts.
std::vector<Line> linesOf(const PrintPage& page, std::size_t topTexts) {
    std::vector<Line> lines;
    for (std::size_t i = topTexts; i + 14 <= page.size(); i += 14) {
        Line line;
        line.place = page[i];
        line.y = page[i].y;
        line.signs.assign(page.begin() + static_cast<long>(i) + 1,
                          page.begin() + static_cast<long>(i) + 14);
        for (const PlacedText& s : line.signs)
            EXPECT_EQ(s.y, line.y);
        lines.push_back(line);
    }
    EXPECT_EQ((page.size() - topTexts) % 14, 0u);
    return lines;
}

std::vector<std::uint32_t> codes(std::size_t n) {
    std::vector<std::uint32_t> c(n);
    for (std::size_t i = 0; i < n; ++i)
        c[i] = static_cast<std::uint32_t>(i * 7919);
    return c;
}

TEST(PrintLayout, WorkedLineForTwentyFourRows) {
    const int cell = 10;
    test::FixedPitchMetrics metrics(cell, 20);
    std::vector<std::uint32_t> rows = codes(24);
    rows[6] = codeOfText("1021100221012");
    const auto pages = printPages(rows, 2000, 3000, metrics, "", "");
    ASSERT_EQ(pages.size(), 1u);
    const auto lines = linesOf(pages[0], 0);
    ASSERT_EQ(lines.size(), 24u);
    const Line& seventh = lines[6];
    EXPECT_EQ(seventh.place.text, "7");
    EXPECT_EQ(seventh.place.x, 6 * cell);
    const int signCells[13] = {11, 12, 13, 15, 16, 17, 19, 20, 21, 23, 24, 25, 26};
    const std::string signs = "1021100221012";
    for (int j = 0; j < 13; ++j) {
        EXPECT_EQ(seventh.signs[static_cast<std::size_t>(j)].x, signCells[j] * cell) << j;
        EXPECT_EQ(seventh.signs[static_cast<std::size_t>(j)].text, std::string(1, signs[j]));
    }
}

struct VerticalCase {
    const char* name;
    int pageHeight;
    int textHeight;
    int top;   // of the header line
    int pitch; // line to line
    int gap;   // after a block of eight
};

class PrintVertical : public ::testing::TestWithParam<VerticalCase> {};

TEST_P(PrintVertical, NineRowsAreABlockAGapAndALine) {
    const VerticalCase& c = GetParam();
    test::FixedPitchMetrics metrics(30, c.textHeight);
    const int width = 4800;
    const auto pages = printPages(codes(9), width, c.pageHeight, metrics, "KOLO 12", "1.2.2024.");
    ASSERT_EQ(pages.size(), 1u);
    const PrintPage& page = pages[0];
    ASSERT_GE(page.size(), 2u);
    EXPECT_EQ(page[0], (PlacedText{60, c.top, "KOLO 12"}));
    EXPECT_EQ(page[1], (PlacedText{width - 60 - 9 * 30, c.top, "1.2.2024."}));
    const auto lines = linesOf(page, 2);
    ASSERT_EQ(lines.size(), 9u);
    const int first = c.top + 3 * c.textHeight;
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(lines[static_cast<std::size_t>(k)].y, first + k * c.pitch);
    EXPECT_EQ(lines[8].y, first + 8 * c.pitch + c.gap);
}

INSTANTIATE_TEST_SUITE_P(Figures, PrintVertical,
                         ::testing::Values(VerticalCase{"Page6814", 6814, 51, 14, 52, 49},
                                           VerticalCase{"Page6600", 6600, 50, 0, 50, 0},
                                           VerticalCase{"OddHeight", 7001, 37, 1, 38, 16}),
                         [](const auto& tp) { return std::string(tp.param.name); });

TEST(PrintLayout, PlaceNumbersEndTogetherAndTheColumnWidensWithTheCount) {
    const int cell = 9;
    test::FixedPitchMetrics metrics(cell, 20);
    for (std::size_t n : {9u, 120u}) {
        const auto pages = printPages(codes(n), 3000, 100000, metrics, "", "");
        ASSERT_EQ(pages.size(), 1u);
        const auto lines = linesOf(pages[0], 0);
        ASSERT_EQ(lines.size(), n);
        // The place ends a ".00" width left of the first sign's cell minus one.
        const int column = 5 * cell + static_cast<int>(std::to_string(n).size() + 3) * cell;
        for (const Line& line : lines) {
            EXPECT_EQ(line.place.x + metrics.width(line.place.text), column - 3 * cell)
                << line.place.text;
            EXPECT_EQ(line.signs[0].x, column + cell);
        }
    }
}

TEST(PrintLayout, NoRowsPrintsOnePageWithHeaderAndDateOnly) {
    test::FixedPitchMetrics metrics(10, 20);
    auto pages = printPages({}, 1000, 2020, metrics, "Naslov", "3.4.2024.");
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], (PrintPage{{20, 20, "Naslov"}, {1000 - 20 - 90, 20, "3.4.2024."}}));
    pages = printPages({}, 1000, 2020, metrics, "", "");
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].empty());
}

TEST(PrintLayout, NewPageAfterABlockWhenTwelveLinesNoLongerFit) {
    // Page 1000 high, text 20: top 0, lines from 60, pitch 20, block gap 10. After block k the
    // next line would be at 60 + 170 k; the fifth block ends at 910, where 12 lines (240) no
    // longer fit, so line 41 opens page 2 at y = 0.
    test::FixedPitchMetrics metrics(10, 20);
    struct Row {
        std::size_t n;
        std::size_t pages;
    };
    for (const Row row : {Row{40, 1}, Row{41, 2}, Row{80, 2}, Row{81, 3}}) {
        const auto pages = printPages(codes(row.n), 800, 1000, metrics, "Header", "");
        ASSERT_EQ(pages.size(), row.pages) << row.n; // never a blank last page
        const auto first = linesOf(pages[0], 1);
        ASSERT_EQ(first.size(), std::min<std::size_t>(row.n, 40));
        EXPECT_EQ(first[0].y, 60);
        EXPECT_EQ(first[39].y, 60 + 4 * 170 + 7 * 20);
        if (row.pages > 1) {
            const auto second = linesOf(pages[1], 0); // no header on later pages
            ASSERT_FALSE(second.empty());
            EXPECT_EQ(second[0].place.text, "41");
            EXPECT_EQ(second[0].y, 0);
            if (second.size() > 8) {
                EXPECT_EQ(second[8].y, 170);
            }
        }
    }
}

TEST(PrintLayout, StopsWhenAskedAndSaysSo) {
    test::FixedPitchMetrics metrics(10, 20);
    struct Counter final : PrintSink {
        int texts = 0;
        std::atomic<bool>* stop = nullptr;
        void text(int, int, std::string_view) override {
            if (++texts == 14 * 3) stop->store(true);
        }
        void newPage() override {}
    } sink;
    std::atomic<bool> stop{false};
    sink.stop = &stop;
    const auto rows = codes(100);
    EXPECT_FALSE(layoutPrint(rows, 800, 1000, metrics, "", "", sink, &stop));
    EXPECT_EQ(sink.texts, 14 * 3);
    stop = false;
    sink.stop = nullptr;
    sink.texts = 0;
    EXPECT_TRUE(layoutPrint(std::span(rows).first(2), 800, 1000, metrics, "", "", sink, &stop));
    EXPECT_EQ(sink.texts, 28);
}

} // namespace
