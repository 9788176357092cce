// SPDX-License-Identifier: GPL-3.0-or-later
// Repeater directory files of every format (fixtures with the publishers' header lines and
// invented rows): what is read, what each entry becomes, filters and placement.
#include <gtest/gtest.h>

#include <map>

#include "directory/directory_plan.h"
#include "model/band_limits.h"
#include "model/channel_record.h"
#include "radio/channel_cells.h"
#include "support/same_image.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

std::string Fixture(const std::string& name) {
    return test::ReadFile(std::string(RADIOPROG_SOURCE_DIR) + "/tests/directory/fixtures/" + name);
}

RadioImage NewImage() {
    RadioImage image;
    image.ApplyDefaults();
    return image;
}

DirectoryPlan Plan(const std::string& fixture, const DirectoryOptions& options = {},
                   const RadioImage& image = NewImage()) {
    const DirectoryFile file = ReadDirectory(Fixture(fixture));
    EXPECT_TRUE(file.error.empty()) << fixture << ": " << file.error;
    return PlanDirectoryImport(image, file, options);
}

const PlannedEntry& Entry(const DirectoryPlan& plan, const std::string& callsign) {
    for (const PlannedEntry& planned : plan.entries)
        if (planned.entry.callsign == callsign) return planned;
    ADD_FAILURE() << "no entry " << callsign;
    static const PlannedEntry none;
    return none;
}

std::map<DirectorySkip, int> Skips(const DirectoryPlan& plan) {
    std::map<DirectorySkip, int> skips;
    for (const PlannedEntry& planned : plan.entries)
        if (planned.channel < 0) ++skips[planned.skip];
    return skips;
}

bool HasNote(const PlannedEntry& planned, DirectoryNote note, const std::string& text = "") {
    for (const DirectoryNoteItem& item : planned.notes)
        if (item.note == note && (text.empty() || item.text == text)) return true;
    return false;
}

TEST(DirectoryImport, EveryFormatReadWithoutACentre) {
    using S = DirectorySkip;
    struct Case {
        const char* fixture;
        DirectoryFormat format;
        int read, stored;
        std::map<DirectorySkip, int> skips;
    };
    const Case cases[] = {
        {"uk_list.csv", DirectoryFormat::UkList, 7, 4, {{S::NotFm, 1}, {S::UnstorableTone, 1}, {S::OutOfBand, 1}}},
        {"uk_list_modes.csv", DirectoryFormat::UkListModes, 6, 4, {{S::NotFm, 1}, {S::OffRaster, 1}}},
        {"australian.csv", DirectoryFormat::Australian, 7, 5, {{S::NotOperational, 1}, {S::NotFm, 1}}},
        {"directory.json",
         DirectoryFormat::Json,
         10,
         5,
         {{S::ToneWithheld, 1}, {S::NotOperational, 1}, {S::OutOfBand, 1}, {S::NotFm, 1}, {S::UnstorableTone, 1}}},
        {"channels.csv", DirectoryFormat::ChannelCsv, 3, 2, {{S::CsvRefused, 1}}},
    };
    for (const Case& c : cases) {
        // Recognised by the content: the file's name plays no part.
        EXPECT_EQ(DetectDirectoryFormat(Fixture(c.fixture)), c.format) << c.fixture;
        const DirectoryPlan plan = Plan(c.fixture);
        EXPECT_EQ(plan.format, c.format) << c.fixture;
        EXPECT_EQ(static_cast<int>(plan.entries.size()), c.read) << c.fixture;
        EXPECT_EQ(plan.stored(), c.stored) << c.fixture;
        EXPECT_EQ(Skips(plan), c.skips) << c.fixture;
        // Without a centre: file order, first empty channels in order.
        int next = 0;
        for (const PlannedEntry& planned : plan.entries)
            if (planned.channel >= 0) {
                EXPECT_EQ(planned.channel, next++) << c.fixture << " " << planned.entry.callsign;
            }
    }
}

// What each stored entry becomes: frequencies, tones exactly, names.
TEST(DirectoryImport, EntriesBecomeChannels) {
    struct Case {
        const char* fixture;
        const char* callsign;
        const char* rx;
        const char* tx;
        const char* rxTone;
        const char* txTone;
        const char* name;
    };
    const Case cases[] = {
        // txMHz is the repeater's output: the radio receives it.
        {"uk_list.csv", "GB3AA", "145.72500", "145.12500", "Off", "77.0", "GB3AA"},
        {"uk_list.csv", "GB3BB", "433.10000", "434.70000", "Off", "162.2", "GB3BB"},
        // A beacon (input 0): receive only, no tone.
        {"uk_list.csv", "GB3BCN", "144.43000", "", "Off", "Off", "GB3BCN"},
        {"uk_list_modes.csv", "GB3DD", "145.67500", "145.07500", "Off", "82.5", "GB3DD"},
        // A colour code in ctcss/cc is not a tone.
        {"uk_list_modes.csv", "GB3FF", "433.15000", "434.75000", "Off", "Off", "GB3FF"},
        {"uk_list_modes.csv", "GB3GG", "145.70000", "145.10000", "Off", "D023N", "GB3GG"},
        {"uk_list_modes.csv", "GB3-II/R", "433.20000", "434.80000", "Off", "71.9", "GB3IIR"},
        {"australian.csv", "VK2RWI", "146.70000", "146.10000", "Off", "Off", "VK2RWI"},
        {"australian.csv", "VK2RCG", "146.85000", "146.25000", "Off", "91.5", "VK2RCG"},
        {"australian.csv", "VK3RML", "439.00000", "434.00000", "Off", "D023N", "VK3RML"},
        // Simplex: the directory's tone belongs to no repeater.
        {"australian.csv", "VK3RSX", "438.00000", "438.00000", "Off", "Off", "VK3RSX"},
        {"directory.json", "W1AAA", "146.94000", "146.34000", "Off", "162.2", "W1AAA"},
        {"directory.json", "W1BBB", "147.12000", "147.72000", "D023N", "D023N", "W1BBB"},
        {"directory.json", "W1CCC", "443.45000", "448.45000", "Off", "Off", "W1CCC"},
        // Numbers instead of strings; an inverted DCS code for tone squelch.
        {"directory.json", "W1HHH", "146.76000", "146.16000", "D754I", "67.0", "W1HHH"},
        {"directory.json", "KB1ZZZ/R", "146.52000", "146.52000", "Off", "Off", "KB1ZZZR"},
        {"channels.csv", "REP1", "145.60000", "145.00000", "Off", "88.5", "REP1"},
    };
    for (const Case& c : cases) {
        const DirectoryPlan plan = Plan(c.fixture);
        const PlannedEntry& planned = Entry(plan, c.callsign);
        ASSERT_GE(planned.channel, 0) << c.callsign;
        RadioImage image = NewImage();
        ApplyDirectoryPlan(image, plan);
        const ChannelRow row = ChannelToRow(image, CsvCellLanguage(), planned.channel);
        EXPECT_EQ(row[column::kRxFrequency], c.rx) << c.callsign;
        EXPECT_EQ(row[column::kTxFrequency], c.tx) << c.callsign;
        EXPECT_EQ(row[column::kRxTone], c.rxTone) << c.callsign;
        EXPECT_EQ(row[column::kTxTone], c.txTone) << c.callsign;
        EXPECT_EQ(row[column::kName], c.name) << c.callsign;
    }
}

TEST(DirectoryImport, ChangesAreNotedAndTrapsNamed) {
    const DirectoryPlan uk = Plan("uk_list.csv");
    EXPECT_TRUE(HasNote(Entry(uk, "GB3BCN"), DirectoryNote::Beacon));
    EXPECT_TRUE(HasNote(Entry(uk, "GB3NOP"), DirectoryNote::NoPosition));
    EXPECT_EQ(Entry(uk, "GB3LONGNAME").skipText, "1750");  // a tone burst, never rounded
    EXPECT_EQ(Entry(uk, "GB3SIX").skip, DirectorySkip::OutOfBand);
    const DirectoryPlan modes = Plan("uk_list_modes.csv");
    EXPECT_TRUE(HasNote(Entry(modes, "GB3FF"), DirectoryNote::ColourCode, "1"));
    EXPECT_TRUE(HasNote(Entry(modes, "GB3-II/R"), DirectoryNote::NameChanged, "GB3-II/R -> GB3IIR"));
    const DirectoryPlan json = Plan("directory.json");
    EXPECT_TRUE(HasNote(Entry(json, "KB1ZZZ/R"), DirectoryNote::NameChanged, "KB1ZZZ/R -> KB1ZZZR"));
    EXPECT_EQ(Entry(json, "W1III").skipText, "69.4");
    EXPECT_EQ(Entry(json, "W1DDD").skip, DirectorySkip::ToneWithheld);
    // Every entry has a line of its own in the report, stored or skipped.
    const LanguageTable english;
    EXPECT_EQ(DirectoryReportLines(Entry(json, "W1III"), english).front(),
              "Row 10 W1III: skipped: tone the radio cannot store (69.4)");
    EXPECT_EQ(DirectoryReportLines(Entry(json, "KB1ZZZ/R"), english).back(),
              "Row 9 KB1ZZZ/R: Warning (stored): Name changed to what the radio can hold (KB1ZZZ/R -> KB1ZZZR)");
    EXPECT_EQ(DirectorySummaryText(json, english), "Entries read: 10; stored: 5; skipped: 5");
    // Offline entries come back on request.
    DirectoryOptions offline;
    offline.includeOffline = true;
    EXPECT_GE(Plan("directory.json", offline).entries.size(), 1u);
    EXPECT_GE(Entry(Plan("directory.json", offline), "W1EEE").channel, 0);
}

TEST(DirectoryImport, NearestFirstWithinTheRadius) {
    DirectoryOptions options;
    options.centre = LocatorCentre("IO91wm");
    options.radiusKm = 100;
    const DirectoryPlan plan = Plan("uk_list.csv", options);
    // GB3AA (its lat/lon-less row located by QTHR) first, then the beacon; GB3BB (grid
    // reference in Hampshire) is beyond 100 km; GB3NOP has no position.
    EXPECT_EQ(Entry(plan, "GB3AA").channel, 0);
    EXPECT_EQ(Entry(plan, "GB3BCN").channel, 1);
    EXPECT_EQ(Entry(plan, "GB3BB").skip, DirectorySkip::OutsideRadius);
    EXPECT_EQ(Entry(plan, "GB3NOP").skip, DirectorySkip::NoPosition);
    EXPECT_EQ(plan.stored(), 2);
    double last = 0;
    for (const PlannedEntry& planned : plan.entries)
        if (planned.distanceKm) {
            EXPECT_GE(*planned.distanceKm, last);
            last = *planned.distanceKm;
        }
    EXPECT_FALSE(plan.entries.back().distanceKm);

    // Australian: "?" coordinates have no position; with a centre the entry is skipped.
    DirectoryOptions sydney;
    sydney.centre = ParseLatLon("-33.8,151.0");
    const DirectoryPlan au = Plan("australian.csv", sydney);
    EXPECT_EQ(Entry(au, "VK2RXX").skip, DirectorySkip::NoPosition);
    EXPECT_EQ(Entry(au, "VK2RWI").channel, 0);
    EXPECT_EQ(Entry(au, "VK2RCG").channel, 1);
    EXPECT_NEAR(*Entry(au, "VK2RWI").distanceKm, 10.8, 0.1);
}

TEST(DirectoryImport, PlacementKeepsChannelsInUse) {
    RadioImage image = NewImage();
    StoreChannelCells(image, 0, {"145.50000", "145.50000", "Off", "Off", "High", "Wide", "Yes", "Off", "1", "KEEP0"});
    StoreChannelCells(image, 2, {"145.52500", "145.52500", "Off", "Off", "High", "Wide", "Yes", "Off", "1", "KEEP2"});
    const RadioImage before = image;

    // The plan changes nothing; the first empty channels are 1, 3, 4, ...
    const DirectoryPlan plan = Plan("directory.json", {}, image);
    EXPECT_SAME_IMAGE(image, before);
    std::vector<int> channels;
    for (const PlannedEntry& planned : plan.entries)
        if (planned.channel >= 0) channels.push_back(planned.channel);
    EXPECT_EQ(channels, (std::vector<int>{1, 3, 4, 5, 6}));
    EXPECT_EQ(ApplyDirectoryPlan(image, plan), channels);
    EXPECT_EQ(ChannelToRow(image, CsvCellLanguage(), 0)[column::kName], "KEEP0");
    EXPECT_EQ(ChannelToRow(image, CsvCellLanguage(), 2)[column::kName], "KEEP2");

    DirectoryOptions over;
    over.overwrite = true;
    over.maxCount = 3;
    const DirectoryPlan overPlan = Plan("directory.json", over, before);
    EXPECT_EQ(Skips(overPlan)[DirectorySkip::OverMaximum], 2);
    EXPECT_EQ(Entry(overPlan, "W1BBB").channel, 1);
    EXPECT_EQ(Entry(overPlan, "W1AAA").channel, 0);

    DirectoryOptions end;
    end.firstChannel = 126;
    const DirectoryPlan endPlan = Plan("directory.json", end, before);
    EXPECT_EQ(endPlan.stored(), 2);
    EXPECT_EQ(Skips(endPlan)[DirectorySkip::NoFreeChannel], 3);
}

TEST(DirectoryImport, TheRadiosOwnBandLimits) {
    // A radio that reported 144-148 and 430-440 MHz: the 443 MHz repeater is out of band.
    RadioImage image = NewImage();
    const BandLimits limits{{144, 430}, {147, 439}, {144, 430}, {147, 439}};
    EncodeBandLimits(limits, image.blockData(BlockId::BandLimits));
    const DirectoryPlan plan = Plan("directory.json", {}, image);
    EXPECT_EQ(Entry(plan, "W1CCC").skip, DirectorySkip::OutOfBand);
    EXPECT_EQ(Entry(plan, "W1CCC").skipText, "443.45000");
    EXPECT_GE(Entry(plan, "W1AAA").channel, 0);
}

TEST(DirectoryImport, TonesAsTheDirectoriesWriteThem) {
    struct Case {
        const char* text;
        bool colourCodes;
        DirectoryTone::Kind kind;
        const char* value;
        bool inverted;
    };
    const Case cases[] = {
        {"", false, DirectoryTone::None, "", false},
        {"-", false, DirectoryTone::None, "", false},
        {"CSQ", false, DirectoryTone::None, "", false},
        {"162.2", false, DirectoryTone::Ctcss, "162.2", false},
        {"D023", false, DirectoryTone::Dcs, "023", false},
        {"D754I", false, DirectoryTone::Dcs, "754", true},
        {"023R", false, DirectoryTone::Dcs, "023", true},
        {"d047n", false, DirectoryTone::Dcs, "047", false},
        {"Restricted", false, DirectoryTone::Withheld, "Restricted", false},
        {"CC1", false, DirectoryTone::ColourCode, "1", false},
        {"3", true, DirectoryTone::ColourCode, "3", false},
        {"100", true, DirectoryTone::Ctcss, "100", false},
        {"tone?", false, DirectoryTone::Unreadable, "tone?", false},
    };
    for (const Case& c : cases) {
        const DirectoryTone tone = ReadDirectoryTone(c.text, c.colourCodes);
        EXPECT_EQ(tone.kind, c.kind) << c.text;
        if (c.kind != DirectoryTone::None) {
            EXPECT_EQ(tone.value, c.value) << c.text;
        }
        EXPECT_EQ(tone.inverted, c.inverted) << c.text;
    }
}

TEST(DirectoryImport, FilesThatAreNoDirectory) {
    EXPECT_EQ(DetectDirectoryFormat("just some text\nmore\n"), DirectoryFormat::Unknown);
    EXPECT_EQ(DetectDirectoryFormat(""), DirectoryFormat::Unknown);
    EXPECT_FALSE(ReadDirectory("[{\"Frequency\": ").error.empty());
    EXPECT_FALSE(ReadDirectory(std::string(100, '[') + std::string(100, ']')).error.empty());
    EXPECT_FALSE(ReadDirectory("{\"count\": 0}").error.empty());
    EXPECT_TRUE(ReadDirectory("[]").error.empty());
    // A JSON entry that is no object is reported, not guessed.
    const DirectoryFile odd = ReadDirectory("[1, \"x\"]");
    ASSERT_EQ(odd.entries.size(), 2u);
    const DirectoryPlan plan = PlanDirectoryImport(NewImage(), odd, {});
    EXPECT_EQ(Skips(plan)[DirectorySkip::NoFrequency], 2);
}

}  // namespace
}  // namespace radioprog
