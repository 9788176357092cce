#include "editors/channel_clipboard.h"

#include <gtest/gtest.h>

#include <cstring>

#include "editors/channel_cells.h"
#include "editors/varied_channels.h"
#include "model/channel_record.h"
#include "model/file_read.h"

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
    EXPECT_EQ(image, source);

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
    std::vector<PasteProblem> expected = {
        {51, column::kRxTone, "123.4"}, {51, column::kPower, "max"}, {51, column::kName, "TOOLONGNAME"},
        {52, column::kRxFrequency, "145.0037"}, {53, column::kRxFrequency, "99"}};
    EXPECT_EQ(report.problems, expected);

    ChannelRow row = ChannelToRow(image, language, 50);
    EXPECT_EQ(std::vector<std::string>(row.begin() + 2, row.end()),
              (std::vector<std::string>{"145.50000", "145.50000", "100.0", "D023I", "r3", "r10", "r4", "r13", "7", "AB12"}));
    row = ChannelToRow(image, language, 51);
    EXPECT_EQ(std::vector<std::string>(row.begin() + 2, row.end()),
              (std::vector<std::string>{"147.00000", "146.40000", "OFF", "OFF", "r2", "r11", "r5", "OFF", "1", ""}))
        << "bad cells keep the new-channel values, empty list cells leave them";
    EXPECT_FALSE(ChannelInUse(image, 52));
    EXPECT_FALSE(ChannelInUse(image, 53));
    EXPECT_EQ(Record(image, 52), Record(before, 52));
    EXPECT_EQ(Record(image, 53), Record(before, 53));

    EXPECT_EQ(PasteProblemText(report.problems[0], language), "r1 51 r20: 123.4");
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
    EXPECT_EQ(image, before);

    huge.pop_back();  // exactly the limit: pasted
    report = PasteChannels(image, language, 10, huge);
    EXPECT_FALSE(report.tooLarge);
    EXPECT_EQ(report.lastChannel, 11);
}

}  // namespace
}  // namespace radioprog
