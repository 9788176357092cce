// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/channel_csv.h"

#include <gtest/gtest.h>

#include <sstream>

#include "editors/delimited_text.h"
#include "editors/varied_channels.h"
#include "model/channel_record.h"
#include "radio/channel_cells.h"
#include "radio/channel_values.h"
#include "support/same_image.h"

namespace radioprog {
namespace {

using testing::DefaultImage;
using testing::DistinctRows;
using testing::VariedImage;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The grid texts of columns 2..11.
std::vector<std::string> Cells(const RadioImage& image, int n) {
    LanguageTable language = DistinctRows();
    ChannelRow row = ChannelToRow(image, language, n);
    return {row.begin() + 2, row.end()};
}

TEST(ChannelCsv, ExportThenImportGivesBackTheSameImage) {
    const RadioImage varied = VariedImage(DistinctRows());
    std::string csv = ExportChannelsCsv(varied);

    std::vector<std::string> lines = Lines(csv);
    ASSERT_EQ(lines.size(), 1 + testing::VariedChannels().size()) << "only channels in use";
    EXPECT_EQ(lines[0],
              "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
              "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE,BusyLock,Signal");
    // Each tone combination and each kind of transmit frequency.
    const char* expected[] = {
        "0,RPT1,145.600000,-,0.600000,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,No,1",
        "2,SIMPLEX,146.520000,,0.000000,TSQL,100.0,100.0,023,NN,023,Tone->Tone,NFM,5.00,S,1.0W,,,,,,Yes,5",
        "3,X,438.500000,split,145.500000,Cross,254.1,67.0,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,No,15",
        "4,,439.000000,off,0.000000,Cross,88.5,88.5,023,NN,023,->DTCS,FM,5.00,,5.0W,,,,,,No,1",
        "6,PMR1,446.006250,,0.000000,DTCS,88.5,88.5,754,RR,754,Tone->Tone,FM,6.25,,1.0W,,,,,,No,2",
        "7,A,430.000000,+,9.000000,DTCS,88.5,88.5,023,RN,023,Tone->Tone,NFM,5.00,,5.0W,,,,,,No,1",
        "8,,145.000000,,0.000000,Cross,88.5,88.5,026,RN,025,DTCS->DTCS,FM,5.00,,5.0W,,,,,,Yes,1",
        "9,,145.100000,,0.000000,Cross,88.5,88.5,031,NN,023,DTCS->,FM,5.00,,5.0W,,,,,,No,1",
        "10,,145.200000,,0.000000,Cross,88.5,71.9,023,NN,023,->Tone,FM,5.00,,5.0W,,,,,,No,1",
        "11,,145.300000,off,0.000000,Cross,123.0,88.5,023,NR,032,Tone->DTCS,FM,5.00,S,5.0W,,,,,,No,1",
        "12,,145.400000,-,1.400000,Cross,88.5,241.8,043,NN,023,DTCS->Tone,FM,5.00,,5.0W,,,,,,No,1",
        "127,Z9ZZZZZ,520.995000,split,136.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,S,1.0W,,,,,,Yes,9",
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(lines[i + 1], expected[i]);

    RadioImage imported = DefaultImage();
    CsvImportReport report = ImportChannelsCsv(imported, csv);
    EXPECT_TRUE(report.headerOk);
    EXPECT_TRUE(report.problems.empty()) << CsvProblemText(report.problems.front(), LanguageTable());
    EXPECT_EQ(report.channels.size(), testing::VariedChannels().size());
    EXPECT_SAME_IMAGE(imported, varied) << "every byte, the empty channels in between included";

    // Over channels in use the file's channels replace them.
    RadioImage over = DefaultImage();
    for (int n = 0; n < kChannelCount; ++n)
        testing::TypeChannel(over, DistinctRows(), {n, {"440.0", "-", "D654I", "D654I", "r3"}});
    ImportChannelsCsv(over, csv);
    for (const testing::TypedChannel& typed : testing::VariedChannels())
        EXPECT_EQ(Cells(over, typed.channel), Cells(varied, typed.channel)) << typed.channel;
    EXPECT_EQ(Cells(over, 1)[0], "440.00000") << "channels the file does not name stay";
}

TEST(ChannelCsv, ImportsForeignFilesAndReportsRowsItCannotStore) {
    // Tab-separated, header names in other case and order, an unknown column, no Location,
    // Mode, Skip or Power columns, CR LF, a quoted name, watts.
    std::string file =
        "frequency\tNAME\tduplex\toffset\ttone\trtonefreq\tctonefreq\tdtcscode\tdtcspolarity\tcrossmode\tPower\tColour"
        "\r\n"
        "145.5\t\"rpt 1, north\"\t-\t0.6\tTone\t100\t\t\t\t\t5.0W\tred\r\n"
        "600\tfar\t\t\t\t\t\t\t\t\t\t\r\n"
        "145.0037\traster\t\t\t\t\t\t\t\t\t\t\r\n"
        "\r\n"
        "146.0\ttone\t\t\tTSQL\t\t100.3\t\t\t\t\t\r\n"
        "146.5\tdcs\t\t\tDTCS\t\t\t024\tNN\t\t\t\r\n"
        "147.0\tdup\tx\t\t\t\t\t\t\t\t\t\r\n"
        "147.5\tcross\t\t\tCross\t\t\t\t\tTone->Nothing\t\t\r\n"
        "148.0\toff\t+\t400\t\t\t\t\t\t\t\t\r\n"
        "439.0\tlow\t\t\tDTCS\t\t\t723\tRN\t\t0.5W\t\r\n";
    RadioImage image = DefaultImage();
    CsvImportReport report = ImportChannelsCsv(image, file);
    EXPECT_EQ(report.channels, (std::vector<int>{0, 8}));

    std::vector<std::string> lines;
    for (const CsvProblem& problem : report.problems) lines.push_back(CsvProblemText(problem, LanguageTable()));
    // Every name stored changed is listed with what it became.
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Row 2: Warning (stored): Name: Name changed to what the radio can hold "
                         "(rpt 1, north -> RPT1NOR)",
                         "Row 3: Frequency: outside 136-520 MHz (600)",
                         "Row 4: Frequency: not on the 5 or 6.25 kHz raster (145.0037)",
                         "Row 6: cToneFreq: tone the radio cannot store (100.3)",
                         "Row 7: DtcsCode: tone the radio cannot store (024)",
                         "Row 8: Duplex: value not supported (x)",
                         "Row 9: CrossMode: value not supported (Tone->Nothing)",
                         "Row 10: Offset: outside 136-520 MHz (400)",
                         "Row 11: Warning (stored): Name: Name changed to what the radio can hold (low -> LOW)",
                     }));
    EXPECT_EQ(Cells(image, 0), (std::vector<std::string>{"145.50000", "144.90000", "OFF", "100.0", "r2", "r11", "r5",
                                                         "OFF", "1", "RPT1NOR"}))
        << "missing columns take the new-channel values; the name keeps 7 of its letters and digits";
    EXPECT_EQ(Cells(image, 8), (std::vector<std::string>{"439.00000", "439.00000", "D723N", "D723I", "r3", "r11", "r5",
                                                         "OFF", "1", "LOW"}))
        << "without Location the rows go to channels 0, 1, ... (empty lines are not rows)";
    for (int n = 1; n < 8; ++n) EXPECT_FALSE(ChannelInUse(image, n)) << n;
}

TEST(ChannelCsv, BareLocationAndFrequencyFileAndFileErrors) {
    RadioImage image = DefaultImage();
    CsvImportReport report = ImportChannelsCsv(image, "Location,Frequency\n5,145.5\n128,146\n5,147\n,148\n");
    RadioImage typed = DefaultImage();
    testing::TypeChannel(typed, DistinctRows(), {5, {"145.5"}});
    EXPECT_SAME_IMAGE(image, typed) << "the same channel as typing 145.5 into the grid";
    ASSERT_EQ(report.problems.size(), 3u);
    EXPECT_EQ(report.problems[0].reason, CsvReason::BadLocation);
    EXPECT_EQ(report.problems[1].reason, CsvReason::DuplicateLocation);
    EXPECT_EQ(report.problems[2].reason, CsvReason::BadLocation);
    EXPECT_EQ(report.problems[2].line, 5);

    const RadioImage before = DefaultImage();
    for (const char* text : {"", "\n\n", "Location;Name\n1;X\n"}) {
        image = before;
        report = ImportChannelsCsv(image, text);
        EXPECT_FALSE(report.headerOk) << text;
        ASSERT_EQ(report.problems.size(), 1u);
        EXPECT_EQ(report.problems[0].reason, CsvReason::NoFrequencyColumn);
        EXPECT_SAME_IMAGE(image, before);
    }
}

// A European spreadsheet writes semicolons and decimal commas: read as the same channels as
// the comma file with points; a name with a comma stays as written.
TEST(ChannelCsv, SemicolonFilesWithDecimalCommas) {
    RadioImage points = DefaultImage(), commas = DefaultImage();
    ImportChannelsCsv(points, "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq\n3,RPT,145.6,-,0.6,Tone,88.5\n");
    CsvImportReport report = ImportChannelsCsv(
        commas, "Location;Name;Frequency;Duplex;Offset;Tone;rToneFreq\r\n3;RPT;145,6;-;0,6;Tone;88,5\r\n");
    EXPECT_TRUE(report.problems.empty()) << CsvProblemText(report.problems.at(0), LanguageTable());
    EXPECT_SAME_IMAGE(commas, points);

    RadioImage image = DefaultImage();
    report = ImportChannelsCsv(image, "Frequency;Name\n145,5,0;A\n");
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(report.problems[0].reason, CsvReason::NotAFrequency) << "two commas are no number";
}

// A text of more lines than any list needs is refused before a row is stored; a line of
// very many separators keeps only the fields a list could use.
TEST(DelimitedText, LimitsHoldWhileReading) {
    std::string many = "Frequency\n";
    for (int i = 0; i < kMaxDelimitedLines; ++i) many += "145.5\n";
    RadioImage image = DefaultImage();
    const RadioImage before = image;
    CsvImportReport report = ImportChannelsCsv(image, many);
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(report.problems[0].reason, CsvReason::TooManyLines);
    EXPECT_SAME_IMAGE(image, before);
    EXPECT_EQ(DelimitedLineCount(many), static_cast<std::size_t>(kMaxDelimitedLines) + 1);
    EXPECT_EQ(DelimitedLineCount("a\r\nb\rc"), 3u);

    const std::string commas(1 << 20, ',');
    // The reader keeps a view of the text: the text must outlive it.
    const std::string wide = "Frequency," + commas + "\n146.52\n";
    DelimitedReader reader(wide, ',');
    DelimitedRecord record;
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record.fields.size(), kMaxDelimitedFields);
    EXPECT_EQ(record.fields[0], "Frequency");
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record.line, 2);
    EXPECT_EQ(record.fields, (std::vector<std::string>{"146.52"}));
    EXPECT_FALSE(reader.next(record));
}

TEST(DelimitedText, QuotesLineEndsAndLineNumbers) {
    std::vector<DelimitedRecord> records = ParseDelimitedText(
        "\xEF\xBB\xBF"
        "a,\"b,\"\"c\"\"\"\r\n\"two\nlines\",x\rlast,\n",
        ',');
    ASSERT_EQ(records.size(), 3u) << "the final line end makes no record";
    EXPECT_EQ(records[0].fields, (std::vector<std::string>{"a", "b,\"c\""}));
    EXPECT_EQ(records[1].fields, (std::vector<std::string>{"two\nlines", "x"}));
    EXPECT_EQ(records[2].fields, (std::vector<std::string>{"last", ""}));
    EXPECT_EQ(records[2].line, 4) << "a line end inside quotes counts";
    EXPECT_EQ(JoinFields({"a", "b,\"c\"", " x", ""}, ','), "a,\"b,\"\"c\"\"\",\" x\",");
    EXPECT_EQ(GuessSeparator("a;b;c,d\n1,2,3,4,5"), ';') << "the first line decides";
}

TEST(ChannelValues, FrequencyChecks) {
    struct Case {
        const char* text;
        FrequencyProblem problem;
        const char* grid;
    } cases[] = {
        {"145.125", FrequencyProblem::None, "145.12500"},   {" 146.520000 ", FrequencyProblem::None, "146.52000"},
        {"520.99500", FrequencyProblem::None, "520.99500"}, {"446.00625", FrequencyProblem::None, "446.00625"},
        {"135.99", FrequencyProblem::OutOfBand, ""},        {"521", FrequencyProblem::OutOfBand, ""},
        {"145.0037", FrequencyProblem::OffRaster, ""},      {"145.123456", FrequencyProblem::OffRaster, ""},
        {"145,5", FrequencyProblem::NotAFrequency, ""},     {"", FrequencyProblem::NotAFrequency, ""},
        {"RX Freq", FrequencyProblem::NotAFrequency, ""},
    };
    for (const Case& c : cases) {
        FrequencyCheck check = CheckFrequencyText(c.text);
        EXPECT_EQ(check.problem, c.problem) << c.text;
        if (c.problem == FrequencyProblem::None) {
            EXPECT_EQ(GridFrequencyText(check.units), c.grid);
        }
    }
}

}  // namespace
}  // namespace radioprog
