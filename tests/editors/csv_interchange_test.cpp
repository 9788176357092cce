// SPDX-License-Identifier: GPL-3.0-or-later
// CSV files that other programs read and write: the export read back by a reader that
// follows the common layout's rules, power as watts, the band gap, placement in file order.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <sstream>

#include "editors/channel_csv.h"
#include "editors/varied_channels.h"
#include "model/channel_record.h"
#include "model/freq_codec.h"
#include "radio/channel_cells.h"
#include "radio/power_levels.h"
#include "support/same_image.h"

namespace radioprog {
namespace {

using testing::DefaultImage;
using testing::DistinctRows;

// Every channel in use: the varied channels repeated over all 128.
RadioImage FullImage() {
    RadioImage image = DefaultImage();
    const auto& varied = testing::VariedChannels();
    for (int n = 0; n < kChannelCount; ++n) {
        testing::TypedChannel typed = varied[static_cast<std::size_t>(n) % varied.size()];
        typed.channel = n;
        testing::TypeChannel(image, DistinctRows(), typed);
    }
    return image;
}

// A reader as the other programs have one: columns by their header names, one channel per
// line, every field checked against what the layout allows. Power is a number of watts;
// a row that breaks a rule is dropped, as their reader drops it.
struct ForeignChannel {
    int location;
    double mhz;
    double watts;
};

struct ForeignRead {
    std::vector<ForeignChannel> channels;
    std::vector<std::string> dropped;  // "line: why"
};

std::vector<std::string> SplitComma(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    for (char c : line) {
        if (c == ',') {
            fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    fields.push_back(field);
    return fields;
}

bool IsNumber(const std::string& text) {
    if (text.empty()) return false;
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double value = 0;
    in >> value;
    return !in.fail() && in.eof();
}

double Number(const std::string& text) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double value = 0;
    in >> value;
    return value;
}

ForeignRead ReadAsOtherProgramsDo(const std::string& csv) {
    ForeignRead read;
    std::istringstream in(csv);
    std::string line;
    std::getline(in, line);
    std::map<std::string, std::size_t> column;
    const std::vector<std::string> header = SplitComma(line);
    for (std::size_t i = 0; i < header.size(); ++i) column[header[i]] = i;
    for (const char* required : {"Location", "Name", "Frequency", "Duplex", "Offset", "Tone", "rToneFreq", "cToneFreq",
                                 "DtcsCode", "DtcsPolarity", "Mode", "TStep", "Skip", "Power", "Comment"})
        if (!column.count(required)) read.dropped.push_back(std::string("header lacks ") + required);

    const std::set<std::string> duplexes{"", "+", "-", "split", "off"};
    const std::set<std::string> tones{"", "Tone", "TSQL", "DTCS", "Cross"};
    const std::set<std::string> modes{"FM", "NFM", "AM"};
    const std::set<std::string> skips{"", "S", "P"};
    const std::set<std::string> polarities{"NN", "NR", "RN", "RR"};
    const std::set<std::string> crossModes{"Tone->Tone", "DTCS->", "Tone->DTCS", "DTCS->Tone",
                                           "->Tone",     "->DTCS", "DTCS->DTCS", "Tone->"};
    int number = 1;
    while (std::getline(in, line)) {
        ++number;
        std::vector<std::string> f = SplitComma(line);
        auto at = [&](const char* name) { return f.at(column.at(name)); };
        std::string why;
        std::string power = at("Power");
        if (!power.empty() && power.back() == 'W') power.pop_back();
        if (f.size() != header.size())
            why = "field count";
        else if (!IsNumber(at("Location")))
            why = "Location";
        else if (!IsNumber(at("Frequency")))
            why = "Frequency";
        else if (!duplexes.count(at("Duplex")))
            why = "Duplex";
        else if (!IsNumber(at("Offset")))
            why = "Offset";
        else if (!tones.count(at("Tone")))
            why = "Tone";
        else if (!IsNumber(at("rToneFreq")) || !IsNumber(at("cToneFreq")))
            why = "tone frequency";
        else if (at("DtcsCode").size() != 3 || !IsNumber(at("DtcsCode")))
            why = "DtcsCode";
        else if (!polarities.count(at("DtcsPolarity")))
            why = "DtcsPolarity";
        else if (!crossModes.count(at("CrossMode")))
            why = "CrossMode";
        else if (!modes.count(at("Mode")))
            why = "Mode";
        else if (!IsNumber(at("TStep")))
            why = "TStep";
        else if (!skips.count(at("Skip")))
            why = "Skip";
        else if (!IsNumber(power))
            why = "Power";
        if (!why.empty()) {
            read.dropped.push_back(std::to_string(number) + ": " + why);
            continue;
        }
        read.channels.push_back({static_cast<int>(Number(at("Location"))), Number(at("Frequency")), Number(power)});
    }
    return read;
}

TEST(CsvInterchange, OtherProgramsReadEveryChannelOfAFullExport) {
    const RadioImage full = FullImage();
    const std::string csv = ExportChannelsCsv(full);
    ForeignRead read = ReadAsOtherProgramsDo(csv);
    EXPECT_TRUE(read.dropped.empty()) << read.dropped.front();
    ASSERT_EQ(read.channels.size(), 128u);
    for (int n = 0; n < kChannelCount; ++n) {
        const ForeignChannel& channel = read.channels[static_cast<std::size_t>(n)];
        EXPECT_EQ(channel.location, n);
        const bool high = ChannelView(full, n).flag(channel_flag::kPower);
        EXPECT_EQ(channel.watts, high ? 5.0 : 1.0) << n;
        EXPECT_NEAR(channel.mhz, BcdToMhz(ChannelView(full, n).rxFrequency()), 1e-6) << n;
    }

    // Back in, and out again: nothing moves.
    RadioImage again = DefaultImage();
    CsvImportReport report = ImportChannelsCsv(again, csv);
    EXPECT_TRUE(report.problems.empty()) << CsvProblemText(report.problems.front(), LanguageTable());
    EXPECT_SAME_IMAGE(again, full);
    EXPECT_EQ(ExportChannelsCsv(again), csv);
}

TEST(CsvInterchange, PowerMapsToTheNearerLevelOnALogScale) {
    struct Case {
        const char* power;
        std::optional<bool> high;
    };
    const Case cases[] = {
        {"0.5W", false},
        {"1", false},
        {"1.0W", false},
        {"2W", false},
        {"2.2", false},
        {"500mW", false},
        {"2.3W", true},
        {"2.5W", true},
        {"5.0W", true},
        {"5", true},
        {"50W", true},
        {"8 W", true},
        {"High", true},
        {"HIGH", true},
        {"", true},
        {"Low", false},
        {"low", false},
        {"Mid", false},
        {"0W", std::nullopt},
        {"-5W", std::nullopt},
        {"W", std::nullopt},
        {"5.0.0W", std::nullopt},
        {"loud", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(PowerIsHigh(c.power), c.high) << c.power;
    EXPECT_EQ(PowerText(true), "5.0W");
    EXPECT_EQ(PowerText(false), "1.0W");

    // Each row on its own: the same row imports alike whatever the rest of the file holds.
    for (const Case& c : cases) {
        if (!c.high) continue;
        for (const char* others : {"", "2,146.0,50W\n", "2,146.0,0.1W\n"}) {
            RadioImage image = DefaultImage();
            std::string file = std::string("Location,Frequency,Power\n1,145.5,") + c.power + "\n" + others;
            CsvImportReport report = ImportChannelsCsv(image, file);
            ASSERT_TRUE(ChannelInUse(image, 1)) << file;
            EXPECT_EQ(ChannelView(image, 1).flag(channel_flag::kPower), *c.high) << file;
        }
    }
    RadioImage image = DefaultImage();
    CsvImportReport report = ImportChannelsCsv(image, "Location,Frequency,Power\n1,145.5,loud\n");
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(CsvProblemText(report.problems[0], LanguageTable()), "Row 2: Power: value not supported (loud)");
}

TEST(CsvInterchange, BandGapRowsAreStoredWithAWarningOrRefused) {
    const std::string file =
        "Location,Frequency,Duplex,Offset\n"
        "0,223.5,,\n"          // receive in the gap
        "1,145.5,split,300\n"  // transmit in the gap
        "2,174.995,,\n"        // the last step of the first band
        "3,175.0,,\n"
        "4,399.995,,\n"
        "5,400.0,,\n"
        "6,146.0,+,260\n";  // 406 MHz: no gap, a long shift
    const LanguageTable english;
    RadioImage image = DefaultImage();
    CsvImportReport report = ImportChannelsCsv(image, file);
    EXPECT_EQ(report.channels, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    std::vector<std::string> lines;
    for (const CsvProblem& problem : report.problems) {
        EXPECT_TRUE(problem.stored);
        lines.push_back(CsvProblemText(problem, english));
    }
    const std::string why =
        "outside the radio's usual bands 136-174 / 400-520 MHz; the radio refuses the write if its bands exclude it";
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Row 2: Warning (stored): Frequency: " + why + " (223.5)",
                         "Row 3: Warning (stored): Offset: " + why + " (300.00000)",
                         "Row 5: Warning (stored): Frequency: " + why + " (175.0)",
                         "Row 6: Warning (stored): Frequency: " + why + " (399.995)",
                     }));

    RadioImage strict = DefaultImage();
    CsvImportOptions strictBands;
    strictBands.strictBands = true;
    report = ImportChannelsCsv(strict, file, strictBands);
    EXPECT_EQ(report.channels, (std::vector<int>{2, 5, 6}));
    ASSERT_EQ(report.problems.size(), 4u);
    for (const CsvProblem& problem : report.problems) {
        EXPECT_FALSE(problem.stored);
        EXPECT_EQ(problem.reason, CsvReason::BandGap);
    }
    EXPECT_FALSE(ChannelInUse(strict, 0));
}

TEST(CsvInterchange, RowsPlacedInFileOrderFromAChannel) {
    // Locations past 127, a repeated one and an empty one: --from ignores them all.
    const std::string file = "Location,Frequency\n500,145.5\n500,145.6\n,600\n9,145.8\n7,145.9\n";
    RadioImage image = DefaultImage();
    CsvImportOptions from125;
    from125.firstChannel = 125;
    CsvImportReport report = ImportChannelsCsv(image, file, from125);
    EXPECT_EQ(report.channels, (std::vector<int>{125, 126}));
    std::vector<std::string> lines;
    for (const CsvProblem& problem : report.problems) lines.push_back(CsvProblemText(problem, LanguageTable()));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Row 4: Frequency: outside 136-520 MHz (600)",
                         "Row 5: beyond channel 127",
                         "Row 6: beyond channel 127",
                     }));
    EXPECT_FALSE(ChannelInUse(image, 127)) << "a skipped row keeps its channel as it was";
    EXPECT_FALSE(ChannelInUse(image, 9));

    // Without --from the same file goes by Location.
    RadioImage byLocation = DefaultImage();
    report = ImportChannelsCsv(byLocation, file);
    EXPECT_EQ(report.channels, (std::vector<int>{9, 7}));
}

}  // namespace
}  // namespace radioprog
