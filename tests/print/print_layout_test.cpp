// SPDX-License-Identifier: GPL-3.0-or-later
// The channel pages' geometry: metrics, columns, which channel each line shows, headers.
#include "print/print_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "print/fixed_measure.h"

namespace radioprog {
namespace {

using test::FixedMeasure;
using test::NumberedRows;

TEST(PrintLayout, PageMetricsUseIntegerArithmetic) {
    // W = 100 * 904 / 105 + 37 * 22 / 5 = 860 + 162, each product divided on its own.
    PageMetrics m = ComputePageMetrics(1500, 1000, 10, 100, 37);
    EXPECT_EQ(m.tableWidth, 1022);
    EXPECT_EQ(m.leftMargin, 239);
    EXPECT_EQ(m.rowsPerPage, 93);
    EXPECT_EQ(m.lineHeight, 10);
    // A font without height must not divide by zero.
    EXPECT_EQ(ComputePageMetrics(1500, 1000, 0, 100, 37).rowsPerPage, 993);
}

TEST(PrintLayout, ColumnBoundariesTruncateEachColumn) {
    EXPECT_EQ(ColumnBoundaries(10, 1019),
              (std::array<int, 13>{10, 54, 169, 284, 399, 504, 609, 689, 769, 849, 929, 949, 1029}));
    // With W = 2000 every column loses its fraction: the last boundary falls short of M + W.
    EXPECT_EQ(ColumnBoundaries(0, 2000),
              (std::array<int, 13>{0, 86, 311, 536, 761, 967, 1173, 1330, 1487, 1644, 1801, 1840, 1997}));
}

// The channel numbers that page p shows, by line.
std::map<int, int> PrintedNumbers(int page, int rowsPerPage) {
    std::map<int, int> byLine;
    for (int line = 0; line < ChannelLinesPerPage(rowsPerPage); ++line)
        if (int n = ChannelOnLine(page, line, rowsPerPage); n >= 0) byLine[line] = n;
    return byLine;
}

TEST(PrintLayout, ChannelsSplitRMinusOnePerPage) {
    struct Case {
        int rows;
        int page1First, page1Last, page2First, page2Last;  // -1: none
    };
    const Case cases[] = {
        {65, 0, 63, 64, 127},                        // exactly two pages full
        {20, 0, 18, 19, 37},                         // channels 38..127 are not printed
        {129, 0, 127, -1, -1},                       // all on page 1; page 2 shows none
        {300, 0, 127, -1, -1}, {1, -1, -1, -1, -1},  // no room for a line
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        auto first = [](const std::map<int, int>& m) { return m.empty() ? -1 : m.begin()->second; };
        auto last = [](const std::map<int, int>& m) { return m.empty() ? -1 : m.rbegin()->second; };
        auto page1 = PrintedNumbers(1, c.rows), page2 = PrintedNumbers(2, c.rows);
        EXPECT_EQ(first(page1), c.page1First);
        EXPECT_EQ(last(page1), c.page1Last);
        EXPECT_EQ(first(page2), c.page2First);
        EXPECT_EQ(last(page2), c.page2Last);
        // Line i of a page shows the page's first channel + i, without gaps.
        for (const auto& [line, n] : page2) EXPECT_EQ(n, c.page2First + line);
    }
    EXPECT_EQ(ChannelOnLine(3, 0, 65), -1);
}

TEST(PrintLayout, LongHeadersAreCutAtACharacterBoundary) {
    const std::pair<const char*, const char*> cases[] = {
        {"ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMNO"},    // 15 bytes: kept
        {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLM"},     // 16: cut to 13
        {"发射哑音频率123", "发射哑音频率123"},    // 12 + 3 = 15: kept
        {"发射哑音频率1234", "发射哑音频率1"},     // 16: cut to 13
        {"ABCDEFGHIJKL发射哑音", "ABCDEFGHIJKL"},  // 13 would split a character
    };
    for (const auto& [header, printed] : cases) EXPECT_EQ(PrintedHeader(header), printed) << header;
}

TEST(PrintLayout, ChannelPagePlan) {
    FixedMeasure measure;
    PrintData data;
    data.language = NumberedRows();
    for (int n = 0; n < kChannelCount; ++n) data.channels[static_cast<std::size_t>(n)][0] = std::to_string(n);
    data.channels[1] = {"1", "VHF/UHF", "145.50000", "145.50000", "R12", "R12", "R2", "R11", "R5", "R12", "1", "AB12"};
    data.language.rows[lang_row::kName] = "发射哑音频率1234";  // a long header
    data.language.rows[lang_row::kTxTone] = "R21 transmit tone";
    // h = 10; W = 170 * 904 / 105 + 60 * 22 / 5 = 1463 + 264; M = (2000 - 1727) / 2; R = 23.
    const PageMetrics m = MeasurePageMetrics(2000, 300, measure, data.language);
    ASSERT_EQ(m.tableWidth, 1727);
    ASSERT_EQ(m.leftMargin, 136);
    ASSERT_EQ(m.rowsPerPage, 23);
    const auto x = ColumnBoundaries(m.leftMargin, m.tableWidth);
    ASSERT_EQ(x[10], 1686);
    ASSERT_EQ(x[11], 1719);
    ASSERT_EQ(x[12], 1854);
    const int d = 8;  // width("0000") / 5

    PagePlan plan = PlanPage(1, data, m, measure);
    EXPECT_EQ(plan.frames, (std::vector<PlanRect>{{136, 45, 1863, 288}}));  // to (R + 5) h + d
    ASSERT_EQ(plan.lines.size(), 15u);
    EXPECT_EQ(plan.lines[0], (PlanLine{136, 45, 136, 288}));
    EXPECT_EQ(plan.lines[12], (PlanLine{1854, 45, 1854, 288}));
    EXPECT_EQ(plan.lines[13], (PlanLine{136, 60, 1863, 60}));  // under the headers
    EXPECT_EQ(plan.lines[14], (PlanLine{136, 40, 1863, 40}));  // the page header's rule

    std::map<int, std::vector<PlanText>> byY;
    for (const PlanText& t : plan.texts) byY[t.y].push_back(t);
    // Headers at 4.8 h, d right of their line with d to spare before the next (room); the
    // long one cut to 13 bytes.
    ASSERT_EQ(byY[48].size(), 12u);
    EXPECT_EQ(byY[48][0], (PlanText{PrintFont::Page, x[0] + d, 48, "R17", x[1] - d - (x[0] + d)}));
    EXPECT_EQ(byY[48][5].text, "R21 transmit ");
    // Too wide for that: moved left to 2 units from the lines, and condensed when still too wide.
    // The signalling column is headed as the table heads it.
    const std::string signallingHeader = "R" + std::to_string(ChannelHeaderRows()[10]);
    EXPECT_EQ(byY[48][10], (PlanText{PrintFont::Page, x[10] + 2, 48, signallingHeader, 29}));
    EXPECT_EQ(byY[48][11], (PlanText{PrintFont::Page, x[12] - 2 - 130, 48, "发射哑音频率1", 130}));
    // Channel n on line n at (n + 6) h + 10; an empty channel prints only its number.
    ASSERT_EQ(byY[70].size(), 1u);
    EXPECT_EQ(byY[70][0], (PlanText{PrintFont::Page, x[0] + d, 70, "0", x[1] - d - (x[0] + d)}));
    ASSERT_EQ(byY[80].size(), 12u);
    EXPECT_EQ(byY[80][10], (PlanText{PrintFont::Page, x[10] + d, 80, "1", x[11] - d - (x[10] + d)}));
    EXPECT_EQ(byY[80][11], (PlanText{PrintFont::Page, x[11] + d, 80, "AB12", x[12] - d - (x[11] + d)}));
    EXPECT_EQ(byY[280].at(0).text, "21");  // the last line, R - 2
    EXPECT_FALSE(byY.contains(290));

    // Page 2 continues with channel R - 1; every page has the header.
    PagePlan page2 = PlanPage(2, data, m, measure);
    auto header = [](const PagePlan& p) {
        std::vector<PlanText> texts;
        for (const PlanText& t : p.texts)
            if (t.font == PrintFont::Header) texts.push_back(t);
        return texts;
    };
    for (const PlanText& t : page2.texts) {
        if (t.y == 70) {
            EXPECT_EQ(t.text, "22");
        }
    }
    // The page number follows the printout's language.
    data.language.rows[lang_row::kPageNumber] = "Page %1 of %2";
    for (int page = 1; page <= kPrintPageCount; ++page) {
        const std::string number = "Page " + std::to_string(page) + " of 3";
        // 3 h high; the page number ends at M + W, the heading two spaces before it.
        const int numberX = 1863 - measure.width(PrintFont::Header, number);
        EXPECT_EQ(header(PlanPage(page, data, m, measure)),
                  (std::vector<PlanText>{{PrintFont::Header, 136, 30, "R29", numberX - 20 - 136},
                                         {PrintFont::Header, numberX, 30, number, 1863 - numberX}}));
    }
}

}  // namespace
}  // namespace radioprog
