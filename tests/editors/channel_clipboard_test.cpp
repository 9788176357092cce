// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/channel_clipboard.h"
#include "editors/delimited_text.h"

#include <gtest/gtest.h>

#include <cstring>

#include "editors/varied_channels.h"
#include "model/channel_record.h"
#include "model/file_read.h"
#include "radio/channel_cells.h"
#include "support/same_image.h"

namespace radioprog {
namespace {

using testing::DefaultImage;
using testing::DistinctRows;
using testing::VariedImage;

std::string Record(const RadioImage& image, int n) {
    return std::string(reinterpret_cast<const char*>(image.channel(n)), 16) +
           std::string(reinterpret_cast<const char*>(image.channelName(n)), 16);
}

TEST(ChannelClipboard, CopyWritesTheGridTextsWithTheChannelNumber) {
    LanguageTable language = DistinctRows();
    RadioImage image = VariedImage(language);
    EXPECT_EQ(CopyChannels(image, language, {2, 1, 2, 300}),
              "1\t\t\t\t\t\t\t\t\t\t\t\n"
              "2\tVHF/UHF\t146.52000\t146.52000\t100.0\t100.0\tr3\tr10\tr4\tr13\t5\tSIMPLEX\n");
}

TEST(ChannelClipboard, CopyThenPasteElsewhereReproducesTheChannels) {
    LanguageTable language = DistinctRows();
    const RadioImage source = VariedImage(language);
    std::vector<int> all(kChannelCount);
    for (int n = 0; n < kChannelCount; ++n) all[static_cast<std::size_t>(n)] = n;
    std::string text = CopyChannels(source, language, all);

    // Into an empty image: the same bytes, channel for channel.
    RadioImage image = DefaultImage();
    PasteReport report = PasteChannels(image, language, 0, text);
    EXPECT_TRUE(report.problems.empty());
    EXPECT_EQ(report.lastChannel, 127);
    EXPECT_SAME_IMAGE(image, source);

    // Over the channels in use, two rows further down: the texts follow, and the line of an
    // empty channel empties the channel it lands on.
    image = source;
    report = PasteChannels(image, language, 2, CopyChannels(source, language, {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_TRUE(report.problems.empty());
    for (auto [pasted, copied] : {std::pair{2, 0}, {4, 2}, {5, 3}, {6, 4}, {7, 6}, {13, 12}}) {
        ChannelRow a = ChannelToRow(image, language, pasted), b = ChannelToRow(source, language, copied);
        EXPECT_TRUE(std::equal(a.begin() + 1, a.end(), b.begin() + 1)) << pasted;
    }
    EXPECT_FALSE(ChannelInUse(image, 3));
    EXPECT_EQ(Record(image, 14), Record(source, 14)) << "nothing after the last line";
}

// Rows copied in one language and pasted after switching to another store the same bytes:
// list texts of any loaded language name the same entries, as headers do.
TEST(ChannelClipboard, RowsCopiedInAnotherLanguagePasteTheSameValues) {
    const LanguageTable copiedIn = DistinctRows();
    LanguageTable current;
    for (std::size_t r = 0; r < current.rows.size(); ++r) current.rows[r] = "c" + std::to_string(r);
    current.rows[lang_row::kToneOff] = "CLOSED";
    const RadioImage source = VariedImage(copiedIn);
    std::vector<int> all(kChannelCount);
    for (int n = 0; n < kChannelCount; ++n) all[static_cast<std::size_t>(n)] = n;
    const std::string text = CopyChannels(source, copiedIn, all);

    PasteTarget target;
    target.headers = ChannelHeaders({current, copiedIn});
    target.otherLanguages = {copiedIn};
    RadioImage image = DefaultImage();
    const PasteReport report = PasteChannels(image, current, target, text);
    EXPECT_TRUE(report.problems.empty()) << PasteProblemText(report.problems.front(), current);
    EXPECT_SAME_IMAGE(image, source);

    // Without the other language, its texts are refused as before.
    image = DefaultImage();
    EXPECT_FALSE(PasteChannels(image, current, 0, text).problems.empty());
}

TEST(ChannelClipboard, SpreadsheetBlockWithBadCells) {
    LanguageTable language = DistinctRows();
    RadioImage image = VariedImage(language);
    const RadioImage before = image;
    // A spreadsheet's copy: CR LF, a quoted field, lower-case texts, "100" for "100.0", a
    // shorter line, and a trailing empty line. Bad: the tone 123.4, the power "max", a
    // frequency off the raster, a name too long, and a frequency outside the band for an
    // empty channel (whose whole line is then skipped).
    std::string block =
        "50\tVHF/UHF\t145.5\t145.5\t100\td023i\tR3\t\"r10\"\tr4\tr13\t7\tab12\r\n"
        "51\t\t147.0\t146.4\t123.4\tOFF\tmax\tr11\t\t\t\tTOOLONGNAME\r\n"
        "x\ty\t145.0037\r\n"
        "53\t\t99\t145\t88.5\t88.5\tr2\tr11\tr5\tOFF\t1\tLOST\r\n"
        "\r\n";
    PasteReport report = PasteChannels(image, language, 50, block);
    EXPECT_EQ(report.firstChannel, 50);
    EXPECT_EQ(report.lastChannel, 53);
    EXPECT_EQ(report.linesPastEnd, 0);
    std::vector<PasteProblem> expected = {{51, column::kRxTone, "123.4", CsvReason::UnstorableTone},
                                          {51, column::kPower, "max", CsvReason::UnsupportedValue},
                                          {51, column::kName, "TOOLONGNAME", CsvReason::UnsupportedValue},
                                          {52, column::kRxFrequency, "145.0037", CsvReason::OffRaster},
                                          {53, column::kRxFrequency, "99", CsvReason::OutOfBand}};
    EXPECT_EQ(report.problems, expected);

    ChannelRow row = ChannelToRow(image, language, 50);
    EXPECT_EQ(
        std::vector<std::string>(row.begin() + 2, row.end()),
        (std::vector<std::string>{"145.50000", "145.50000", "100.0", "D023I", "r3", "r10", "r4", "r13", "7", "AB12"}));
    row = ChannelToRow(image, language, 51);
    EXPECT_EQ(std::vector<std::string>(row.begin() + 2, row.end()),
              (std::vector<std::string>{"147.00000", "146.40000", "OFF", "OFF", "r2", "r11", "r5", "OFF", "1", ""}))
        << "bad cells keep the new-channel values, empty list cells leave them";
    EXPECT_FALSE(ChannelInUse(image, 52));
    EXPECT_FALSE(ChannelInUse(image, 53));
    EXPECT_EQ(Record(image, 52), Record(before, 52));
    EXPECT_EQ(Record(image, 53), Record(before, 53));

    EXPECT_EQ(PasteProblemText(report.problems[0], language), "r1 51 r20: r220 (123.4)");
}

TEST(ChannelClipboard, HeaderLinesAreSkipped) {
    const LanguageTable language = DistinctRows();
    LanguageTable other = DistinctRows();
    for (int row : ChannelHeaderRows()) other.rows[static_cast<std::size_t>(row)] = "h" + std::to_string(row);
    PasteTarget target;
    target.firstChannel = 20;
    target.headers = ChannelHeaders({language, other});
    const std::string line = "\t\t145.5\t145.5\n";
    struct Case {
        std::string header;
        bool skipped;
    };
    const Case cases[] = {
        {"r17\tr155\tr18\tr19\tr20\tr21\n", true},
        {"h17\th155\th18\th19\th20\th21\th22\th24\th23\th25\th156\th26\r\n", true},  // another language
        {"\t\th18\n", true},                                                         // part of one
        {"Location\tName\tFrequency\tDuplex\n", true},                               // the CSV header
        {"frequency\n", true},
        {"r17\th155\n", false},  // two languages mixed: not a header of either
        {"CH\tBand\tRX\n", false},
    };
    for (const Case& c : cases) {
        RadioImage image = DefaultImage();
        PasteReport report = PasteChannels(image, language, target, c.header + line);
        EXPECT_EQ(report.headerSkipped, c.skipped) << c.header;
        // The header line takes no channel: the data line goes to channel 20.
        EXPECT_EQ(ChannelInUse(image, 20), c.skipped) << c.header;
        EXPECT_EQ(report.lastChannel, c.skipped ? 20 : 21) << c.header;
    }
}

TEST(ChannelClipboard, ASingleColumnPastesIntoTheCurrentColumn) {
    const LanguageTable language = DistinctRows();
    // Receive frequencies create channels; one lies between the usual bands.
    RadioImage image = DefaultImage();
    PasteTarget target;
    target.firstChannel = 20;
    target.column = column::kRxFrequency;
    PasteReport report = PasteChannels(image, language, target, "145.5\n446.1\n223.5\n99\n");
    EXPECT_EQ(report.lastChannel, 23);
    for (int n : {20, 21, 22}) EXPECT_TRUE(ChannelInUse(image, n)) << n;
    EXPECT_FALSE(ChannelInUse(image, 23));
    EXPECT_EQ(report.problems, (std::vector<PasteProblem>{{22, column::kRxFrequency, "223.5", CsvReason::BandGap, true},
                                                          {23, column::kRxFrequency, "99", CsvReason::OutOfBand}}));
    const auto r = [](int row) { return "r" + std::to_string(row); };
    EXPECT_EQ(PasteProblemText(report.problems[0], language), "r1 22 r18: " + r(lang_row::kWarning) + ": " +
                                                                  r(lang_row::kBandGap) + "; " +
                                                                  r(lang_row::kBandGapRefusal) + " (223.5)");

    // Tones down the receive-tone column: an empty channel in between and a bad tone are
    // reported, an empty line leaves its cell; the other columns stay as they were.
    image = VariedImage(language);
    const RadioImage before = image;
    target.firstChannel = 0;
    target.column = column::kRxTone;
    report = PasteChannels(image, language, target, "D023N\n67.0\n\n123.4\n");
    EXPECT_EQ(report.problems, (std::vector<PasteProblem>{{1, column::kRxTone, "67.0", CsvReason::EmptyChannel},
                                                          {3, column::kRxTone, "123.4", CsvReason::UnstorableTone}}));
    EXPECT_EQ(ChannelToRow(image, language, 0)[column::kRxTone], "D023N");
    EXPECT_EQ(ChannelToRow(image, language, 0)[column::kTxTone], ChannelToRow(before, language, 0)[column::kTxTone]);
    EXPECT_EQ(Record(image, 1), Record(before, 1));
    EXPECT_EQ(Record(image, 2), Record(before, 2));
    EXPECT_EQ(Record(image, 3), Record(before, 3));
}

TEST(ChannelClipboard, PasteStopsAtChannel127AndCutErases) {
    LanguageTable language = DistinctRows();
    RadioImage image = VariedImage(language);
    const RadioImage before = image;
    std::string lines = CopyChannels(before, language, {0, 2, 3, 6});

    PasteReport report = PasteChannels(image, language, 126, lines);
    EXPECT_EQ(report.lastChannel, 127);
    EXPECT_EQ(report.linesPastEnd, 2);
    EXPECT_EQ(ChannelToRow(image, language, 127)[column::kName], "SIMPLEX");
    for (int n = 0; n < 126; ++n) EXPECT_EQ(Record(image, n), Record(before, n)) << n;

    image = before;
    EXPECT_EQ(CutChannels(image, language, {6, 2}), CopyChannels(before, language, {2, 6}));
    EXPECT_EQ(Record(image, 2), std::string(32, '\xFF'));
    EXPECT_EQ(Record(image, 6), std::string(32, '\xFF'));
    EXPECT_EQ(Record(image, 3), Record(before, 3));
}

// A pasted text of hundreds of megabytes used to be parsed whole at about four times its size.
TEST(ChannelClipboard, TextOverSixteenMegabytesIsRefusedWhole) {
    LanguageTable language = DistinctRows();
    RadioImage image = VariedImage(language);
    const RadioImage before = image;
    std::string lines = CopyChannels(before, language, {0, 2});
    std::string huge = lines + std::string(kMaxInputBytes + 1 - lines.size(), '\n');
    PasteReport report = PasteChannels(image, language, 10, huge);
    EXPECT_TRUE(report.tooLarge);
    EXPECT_LT(report.lastChannel, report.firstChannel);
    EXPECT_SAME_IMAGE(image, before);

    // Within 16 MB but of line ends alone (the parser took 80 times its size): refused by its
    // lines; 100000 lines are still taken.
    huge.pop_back();
    report = PasteChannels(image, language, 10, huge);
    EXPECT_FALSE(report.tooLarge);
    EXPECT_TRUE(report.tooManyLines);
    EXPECT_SAME_IMAGE(image, before);
    const std::string most = lines + std::string(static_cast<std::size_t>(kMaxDelimitedLines) - 2, '\n');
    report = PasteChannels(image, language, 10, most);
    EXPECT_FALSE(report.tooManyLines);
    EXPECT_EQ(report.lastChannel, 11);
    report = PasteChannels(image, language, 10, most + "x");
    EXPECT_TRUE(report.tooManyLines);
}

}  // namespace
}  // namespace radioprog
