// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/channel_csv.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "editors/channel_commit.h"
#include "editors/delimited_text.h"
#include "model/ascii_text.h"
#include "model/channel_record.h"
#include "model/freq_codec.h"
#include "model/tone_codec.h"
#include "radio/channel_cells.h"
#include "radio/channel_values.h"
#include "radio/power_levels.h"
#include "radio/usual_bands.h"

namespace radioprog {

namespace {

constexpr char kExportSeparator = ',';
// Tone fields of a channel that has none of that kind: the values the layout's users expect.
constexpr const char* kDefaultCtcss = "88.5";
constexpr const char* kDefaultDcs = "023";
// Below this a frequency lies in the VHF band, at or above it in UHF. A transmit frequency
// in the other band than the receive frequency is exported as "split", else as +/- offset.
constexpr FrequencyUnits kUhfStart = 30000000;

// The cell texts the import hands to the cell rules. They only select bits, so they are
// fixed and independent of the user's language file.
const LanguageTable& CellLanguage() { return CsvCellLanguage(); }
const std::string& Cell(const LanguageTable& language, int row) { return language.row(row); }
}  // namespace

const LanguageTable& CsvCellLanguage() {
    static const LanguageTable table = [] {
        LanguageTable t;
        const std::pair<int, const char*> texts[] = {{lang_row::kHigh, "High"},     {lang_row::kLow, "Low"},
                                                     {lang_row::kNo, "No"},         {lang_row::kYes, "Yes"},
                                                     {lang_row::kNarrow, "Narrow"}, {lang_row::kWide, "Wide"},
                                                     {lang_row::kToneOff, "Off"},   {lang_row::kCarrier, "On"}};
        for (const auto& [row, text] : texts) t.rows[static_cast<std::size_t>(row)] = text;
        return t;
    }();
    return table;
}

namespace {

// ---- export ----

struct ToneSide {
    enum Kind { None, Ctcss, Dcs } kind = None;
    std::string value;  // "88.5" or "023"
    char polarity = 'N';
};

ToneSide DescribeTone(std::uint16_t code) {
    if (code == kToneOff) return {};
    std::string text = ToneCodeToText(code, false, std::string());
    if (text.size() == 5 && text[0] == 'D') return {ToneSide::Dcs, text.substr(1, 3), text[4] == 'I' ? 'R' : 'N'};
    return {ToneSide::Ctcss, text, 'N'};
}

struct ToneFields {
    std::string mode, rTone = kDefaultCtcss, cTone = kDefaultCtcss, dtcs = kDefaultDcs, rxDtcs = kDefaultDcs;
    std::string polarity = "NN", cross = "Tone->Tone";
};

ToneFields ExportTones(std::uint16_t rxCode, std::uint16_t txCode) {
    ToneSide tx = DescribeTone(txCode), rx = DescribeTone(rxCode);
    ToneFields f;
    if (tx.kind == ToneSide::Ctcss) f.rTone = tx.value;
    if (rx.kind == ToneSide::Ctcss) f.cTone = rx.value;
    if (tx.kind == ToneSide::Dcs) f.dtcs = tx.value;
    if (rx.kind == ToneSide::Dcs) f.rxDtcs = rx.value;
    f.polarity = {tx.polarity, rx.polarity};

    if (tx.kind == ToneSide::None && rx.kind == ToneSide::None) {
        f.mode = "";
    } else if (tx.kind == ToneSide::Ctcss && rx.kind == ToneSide::None) {
        f.mode = "Tone";
    } else if (tx.kind == ToneSide::Ctcss && rx.kind == ToneSide::Ctcss && tx.value == rx.value) {
        f.mode = "TSQL";
    } else if (tx.kind == ToneSide::Dcs && rx.kind == ToneSide::Dcs && tx.value == rx.value) {
        f.mode = "DTCS";
    } else {
        auto side = [](const ToneSide& s) {
            return s.kind == ToneSide::Ctcss ? "Tone" : s.kind == ToneSide::Dcs ? "DTCS" : "";
        };
        f.mode = "Cross";
        f.cross = std::string(side(tx)) + "->" + side(rx);
    }
    return f;
}

std::vector<std::string> ExportChannel(const RadioImage& image, int n) {
    ChannelView channel(image, n);
    FrequencyUnits rx = BcdToUnits(channel.rxFrequency());
    std::string duplex, offset = MhzText(0);
    if (!IsBcdValid(channel.txFrequency())) {
        duplex = "off";
    } else if (FrequencyUnits tx = BcdToUnits(channel.txFrequency()); tx != rx) {
        if ((tx < kUhfStart) != (rx < kUhfStart)) {
            duplex = "split";
            offset = MhzText(tx);
        } else {
            duplex = tx > rx ? "+" : "-";
            offset = MhzText(tx > rx ? tx - rx : rx - tx);
        }
    }
    ToneFields tones = ExportTones(channel.rxTone(), channel.txTone());
    std::uint8_t signalling = channel.signalling();
    return {
        std::to_string(n),
        DecodeChannelName(channel.nameEntry()),
        MhzText(rx),
        duplex,
        offset,
        tones.mode,
        tones.rTone,
        tones.cTone,
        tones.dtcs,
        tones.polarity,
        tones.rxDtcs,
        tones.cross,
        channel.flag(channel_flag::kBandwidth) ? "FM" : "NFM",
        rx % 500 == 0 ? "5.00" : "6.25",
        channel.flag(channel_flag::kBit14) ? "" : "S",
        PowerText(channel.flag(channel_flag::kPower)),
        "",
        "",
        "",
        "",
        "",
        channel.flag(channel_flag::kBusyLockout) ? "Yes" : "No",
        signalling <= 14 ? std::to_string(signalling + 1) : "",
    };
}

// ---- import ----

// The values of one row in the texts the grid's editors hand over.
struct ChannelPlan {
    int channel = 0;
    std::string rx, tx, rxTone, txTone, power, bandwidth, bit14, busyLockout, signalling, name;
    FrequencyUnits rxUnits = 0;
    std::optional<FrequencyUnits> txUnits;  // none: transmit off
};

class RowReader {
public:
    // decimalComma: a semicolon-separated file, as spreadsheets write it where a comma is
    // the decimal sign ("145,500").
    RowReader(const std::map<std::string, std::size_t>& columns, const DelimitedRecord& record, bool decimalComma)
        : columns_(columns), record_(record), decimalComma_(decimalComma) {}

    bool has(const std::string& column) const { return columns_.count(ToLowerAscii(column)) != 0; }
    std::string operator[](const std::string& column) const {
        const std::string key = ToLowerAscii(column);
        auto it = columns_.find(key);
        if (it == columns_.end() || it->second >= record_.fields.size()) return {};
        std::string value = TrimBlanks(record_.fields[it->second]);
        if (decimalComma_ && IsNumberColumn(key)) value = WithDecimalPoint(value);
        return value;
    }
    // The field, or the layout's default when the column is missing or the field empty.
    std::string orDefault(const std::string& column, const std::string& fallback) const {
        std::string value = (*this)[column];
        return value.empty() ? fallback : value;
    }

private:
    static bool IsNumberColumn(const std::string& key) {
        return key == "frequency" || key == "offset" || key == "rtonefreq" || key == "ctonefreq" || key == "tstep";
    }
    // "145,500" reads as "145.500"; anything else (two commas, letters) stays as written.
    static std::string WithDecimalPoint(std::string value) {
        const std::size_t comma = value.find(',');
        if (comma == std::string::npos || comma == 0 || comma + 1 == value.size()) return value;
        const std::string_view digits = "0123456789";
        const std::string_view whole = std::string_view(value).substr(0, comma);
        const std::string_view part = std::string_view(value).substr(comma + 1);
        if (whole.find_first_not_of(digits) != std::string_view::npos ||
            part.find_first_not_of(digits) != std::string_view::npos)
            return value;
        value[comma] = '.';
        return value;
    }

    const std::map<std::string, std::size_t>& columns_;
    const DelimitedRecord& record_;
    bool decimalComma_;
};

struct RowError {
    std::string column;
    CsvReason reason;
    std::string text;
};

using PlanResult = std::optional<RowError>;

std::optional<bool> BusyLockoutOn(const std::string& text) {
    static const std::set<std::string> on = {"yes", "y", "on", "1", "true", "carrier"};
    static const std::set<std::string> off = {"", "no", "n", "off", "0", "false"};
    std::string lower = ToLowerAscii(text);
    if (on.count(lower)) return true;
    if (off.count(lower)) return false;
    return std::nullopt;
}

std::string ImportName(const std::string& text) { return RadioChannelName(text); }
}  // namespace

std::string RadioChannelName(const std::string& text) {
    std::string name;
    for (char c : text) {
        if (NameCharToCode(c) == 0xFF) continue;
        name += ToUpperAscii(c);
        if (name.size() == static_cast<std::size_t>(kChannelNameLength)) break;
    }
    return name;
}

namespace {

PlanResult PlanFrequencies(const RowReader& row, ChannelPlan& plan) {
    std::string rxText = row["Frequency"];
    if (rxText.empty()) return RowError{"Frequency", CsvReason::NoFrequency, ""};
    FrequencyCheck rx = CheckFrequencyText(rxText);
    if (rx.problem != FrequencyProblem::None) return RowError{"Frequency", FrequencyReason(rx.problem), rxText};
    plan.rx = GridFrequencyText(rx.units);
    plan.rxUnits = rx.units;

    std::string duplex = ToLowerAscii(row["Duplex"]);
    std::string offsetText = row["Offset"];
    FrequencyUnits tx = rx.units;
    if (duplex == "off") {
        plan.tx.clear();
        return std::nullopt;
    }
    if (duplex == "split") {
        FrequencyCheck split = CheckFrequencyText(offsetText);
        if (split.problem != FrequencyProblem::None)
            return RowError{"Offset", FrequencyReason(split.problem), offsetText};
        tx = split.units;
    } else if (duplex == "+" || duplex == "-") {
        std::optional<FrequencyUnits> offset = offsetText.empty() ? FrequencyUnits{0} : ParseMhz(offsetText);
        if (!offset) return RowError{"Offset", CsvReason::NotAFrequency, offsetText};
        tx = duplex == "+" ? rx.units + *offset : rx.units - *offset;
    } else if (!duplex.empty()) {
        return RowError{"Duplex", CsvReason::UnsupportedValue, row["Duplex"]};
    }
    if (FrequencyProblem problem = tx < 0 ? FrequencyProblem::OutOfBand : CheckStorableFrequency(tx);
        problem != FrequencyProblem::None)
        return RowError{"Offset", FrequencyReason(problem), offsetText};
    plan.tx = GridFrequencyText(tx);
    plan.txUnits = tx;
    return std::nullopt;
}

// A frequency between the usual bands: the column and text to name, or nullopt.
std::optional<RowError> BandGapOf(const RowReader& row, const ChannelPlan& plan) {
    if (InUsualBandGap(plan.rxUnits)) return RowError{"Frequency", CsvReason::BandGap, row["Frequency"]};
    if (plan.txUnits && InUsualBandGap(*plan.txUnits))
        return RowError{"Offset", CsvReason::BandGap, GridFrequencyText(*plan.txUnits)};
    return std::nullopt;
}

// One side of a tone setting: "", "Tone" or "DTCS" with the columns it reads.
PlanResult PlanToneSide(const RowReader& row, const std::string& kind, const char* ctcssColumn, const char* dcsColumn,
                        char polarity, std::string& tone) {
    std::string lower = ToLowerAscii(kind);
    if (lower.empty()) {
        tone = Cell(CellLanguage(), lang_row::kToneOff);
    } else if (lower == "tone") {
        std::string hz = row.orDefault(ctcssColumn, kDefaultCtcss);
        std::optional<std::string> entry = CtcssEntry(hz);
        if (!entry) return RowError{ctcssColumn, CsvReason::UnstorableTone, hz};
        tone = *entry;
    } else if (lower == "dtcs") {
        std::string code = row.orDefault(dcsColumn, kDefaultDcs);
        std::optional<std::string> number = DcsNumber(code);
        if (!number) return RowError{dcsColumn, CsvReason::UnstorableTone, code};
        tone = "D" + *number + (polarity == 'R' ? "I" : "N");
    } else {
        return RowError{"CrossMode", CsvReason::UnsupportedValue, row["CrossMode"]};
    }
    return std::nullopt;
}

PlanResult PlanTones(const RowReader& row, ChannelPlan& plan) {
    std::string polarity = ToLowerAscii(row.orDefault("DtcsPolarity", "NN"));
    if (polarity.size() != 2 || polarity.find_first_not_of("nr") != std::string::npos)
        return RowError{"DtcsPolarity", CsvReason::UnsupportedValue, row["DtcsPolarity"]};
    char txPolarity = polarity[0] == 'r' ? 'R' : 'N';
    char rxPolarity = polarity[1] == 'r' ? 'R' : 'N';

    std::string mode = ToLowerAscii(row["Tone"]);
    std::string txKind, rxKind;
    const char* rxCtcss = "cToneFreq";
    const char* rxDcs = "RxDtcsCode";
    if (mode.empty()) {
    } else if (mode == "tone") {
        txKind = "tone";
    } else if (mode == "tsql") {
        // One CTCSS tone both ways: cToneFreq.
        PlanResult error = PlanToneSide(row, "tone", "cToneFreq", "", 'N', plan.txTone);
        if (error) return error;
        plan.rxTone = plan.txTone;
        return std::nullopt;
    } else if (mode == "dtcs") {
        // One DCS code both ways: DtcsCode, each direction with its own polarity.
        txKind = rxKind = "dtcs";
        rxDcs = "DtcsCode";
    } else if (mode == "cross") {
        std::string cross = row.orDefault("CrossMode", "Tone->Tone");
        std::string::size_type arrow = cross.find("->");
        if (arrow == std::string::npos) return RowError{"CrossMode", CsvReason::UnsupportedValue, cross};
        txKind = TrimBlanks(cross.substr(0, arrow));
        rxKind = TrimBlanks(cross.substr(arrow + 2));
    } else {
        return RowError{"Tone", CsvReason::UnsupportedValue, row["Tone"]};
    }
    if (PlanResult error = PlanToneSide(row, txKind, "rToneFreq", "DtcsCode", txPolarity, plan.txTone)) return error;
    return PlanToneSide(row, rxKind, rxCtcss, rxDcs, rxPolarity, plan.rxTone);
}

PlanResult PlanFlags(const RowReader& row, ChannelPlan& plan) {
    const LanguageTable& cells = CellLanguage();
    std::string mode = ToLowerAscii(row["Mode"]);
    if (mode.empty() || mode == "fm")
        plan.bandwidth = Cell(cells, lang_row::kWide);
    else if (mode == "nfm")
        plan.bandwidth = Cell(cells, lang_row::kNarrow);
    else
        return RowError{"Mode", CsvReason::UnsupportedValue, row["Mode"]};

    std::string skip = ToLowerAscii(row["Skip"]);
    if (skip.empty() || skip == "p")
        plan.bit14 = Cell(cells, lang_row::kYes);
    else if (skip == "s")
        plan.bit14 = Cell(cells, lang_row::kNo);
    else
        return RowError{"Skip", CsvReason::UnsupportedValue, row["Skip"]};

    std::optional<bool> high = PowerIsHigh(row["Power"]);
    if (!high) return RowError{"Power", CsvReason::UnsupportedValue, row["Power"]};
    plan.power = Cell(cells, *high ? lang_row::kHigh : lang_row::kLow);

    std::optional<bool> lockout = BusyLockoutOn(row["BusyLock"]);
    if (!lockout) return RowError{"BusyLock", CsvReason::UnsupportedValue, row["BusyLock"]};
    plan.busyLockout = Cell(cells, *lockout ? lang_row::kCarrier : lang_row::kToneOff);

    std::string signal = row.orDefault("Signal", "1");
    std::optional<std::string> entry;
    for (int k = 1; k <= 15 && !entry; ++k)
        if (signal == std::to_string(k)) entry = signal;
    if (!entry) return RowError{"Signal", CsvReason::UnsupportedValue, signal};
    plan.signalling = *entry;
    return std::nullopt;
}

// Replaces channel n by the plan: empty the channel (the grid's delete-channel rule), type
// the receive frequency (the new-channel rule), then every other cell.
void ApplyPlan(RadioImage& image, const ChannelPlan& plan) {
    const LanguageTable& cells = CellLanguage();
    int n = plan.channel;
    ChannelRow row = ChannelToRow(image, cells, n);
    if (ChannelInUse(image, n)) CommitCell(image, cells, n, column::kRxFrequency, std::string(), row);
    const std::pair<int, const std::string*> steps[] = {
        {column::kRxFrequency, &plan.rx},        {column::kTxFrequency, &plan.tx},
        {column::kRxTone, &plan.rxTone},         {column::kTxTone, &plan.txTone},
        {column::kPower, &plan.power},           {column::kBandwidth, &plan.bandwidth},
        {column::kBit14, &plan.bit14},           {column::kBusyLockout, &plan.busyLockout},
        {column::kSignalling, &plan.signalling}, {column::kName, &plan.name},
    };
    for (const auto& [column, text] : steps) CommitCell(image, cells, n, column, *text, row);
}

}  // namespace

void StoreChannelCells(RadioImage& image, int n, const ChannelCellTexts& cells) {
    ChannelPlan plan;
    plan.channel = n;
    plan.rx = cells.rx;
    plan.tx = cells.tx;
    plan.rxTone = cells.rxTone;
    plan.txTone = cells.txTone;
    plan.power = cells.power;
    plan.bandwidth = cells.bandwidth;
    plan.bit14 = cells.bit14;
    plan.busyLockout = cells.busyLockout;
    plan.signalling = cells.signalling;
    plan.name = cells.name;
    ApplyPlan(image, plan);
}

namespace {

bool IsBlank(const DelimitedRecord& record) {
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& f) { return TrimBlanks(f).empty(); });
}

// The lines of a CSV text that are not blank, one at a time, the separator guessed from the
// header line: a long text never holds more than one line's fields.
class CsvLines {
public:
    explicit CsvLines(std::string_view text)
        : separator_(GuessSeparator(text.substr(0, text.find_first_of("\r\n")))), reader_(text, separator_) {}
    char separator() const { return separator_; }
    bool next(DelimitedRecord& record) {
        while (reader_.next(record))
            if (!IsBlank(record)) return true;
        return false;
    }

private:
    char separator_;
    DelimitedReader reader_;
};

// Column index by lower-case name.
std::map<std::string, std::size_t> HeaderColumns(const DelimitedRecord& header) {
    std::map<std::string, std::size_t> columns;
    for (std::size_t i = 0; i < header.fields.size(); ++i)
        columns.emplace(ToLowerAscii(TrimBlanks(header.fields[i])), i);
    return columns;
}

}  // namespace

bool CsvHasColumn(std::string_view text, std::string_view column) {
    DelimitedRecord header;
    return CsvLines(text).next(header) && HeaderColumns(header).count(ToLowerAscii(column)) != 0;
}

const std::vector<std::string>& CsvColumns() {
    static const std::vector<std::string> columns = {
        "Location", "Name",         "Frequency",  "Duplex",    "Offset", "Tone",     "rToneFreq", "cToneFreq",
        "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",   "TStep",    "Skip",      "Power",
        "Comment",  "URCALL",       "RPT1CALL",   "RPT2CALL",  "DVCODE", "BusyLock", "Signal"};
    return columns;
}

std::string ExportChannelsCsv(const RadioImage& image) {
    std::string text = JoinFields(CsvColumns(), kExportSeparator) + "\n";
    for (int n = 0; n < kChannelCount; ++n)
        if (ChannelInUse(image, n)) text += JoinFields(ExportChannel(image, n), kExportSeparator) + "\n";
    return text;
}

int CsvReasonRow(CsvReason reason) {
    switch (reason) {
    case CsvReason::NoFrequencyColumn: return lang_row::kNoFrequencyColumn;
    case CsvReason::TooManyLines: return lang_row::kTooManyLines;
    case CsvReason::BadLocation: return lang_row::kBadLocation;
    case CsvReason::DuplicateLocation: return lang_row::kDuplicateLocation;
    case CsvReason::NoFrequency: return lang_row::kNoFrequency;
    case CsvReason::NotAFrequency: return lang_row::kNotAFrequency;
    case CsvReason::OutOfBand: return lang_row::kOutOfBand;
    case CsvReason::OffRaster: return lang_row::kOffRaster;
    case CsvReason::UnsupportedValue: return lang_row::kUnsupportedValue;
    case CsvReason::UnstorableTone: return lang_row::kUnstorableTone;
    case CsvReason::BandGap: return lang_row::kBandGap;
    case CsvReason::PastLastChannel: return lang_row::kPastLastChannel;
    case CsvReason::EmptyChannel: return lang_row::kEmptyChannelCell;
    case CsvReason::NameChanged: return lang_row::kNameChanged;
    }
    return lang_row::kUnsupportedValue;
}

CsvReason FrequencyReason(FrequencyProblem problem) {
    switch (problem) {
    case FrequencyProblem::OutOfBand: return CsvReason::OutOfBand;
    case FrequencyProblem::OffRaster: return CsvReason::OffRaster;
    default: return CsvReason::NotAFrequency;
    }
}

std::string CsvReasonText(CsvReason reason, const LanguageTable& language) {
    std::string text = language.row(CsvReasonRow(reason));
    if (reason == CsvReason::BandGap) text += "; " + language.row(lang_row::kBandGapRefusal);
    return text;
}

CsvImportReport ImportChannelsCsv(RadioImage& image, std::string_view text, const CsvImportOptions& options) {
    CsvImportReport report;
    // Refused before anything is stored, and before a line is held.
    if (DelimitedLineCount(text) > static_cast<std::size_t>(kMaxDelimitedLines)) {
        report.headerOk = false;
        report.problems.push_back({kMaxDelimitedLines + 1, "", CsvReason::TooManyLines, ""});
        return report;
    }
    CsvLines lines(text);
    DelimitedRecord header;
    if (!lines.next(header)) {
        report.headerOk = false;
        report.problems.push_back({1, "", CsvReason::NoFrequencyColumn, ""});
        return report;
    }
    const std::map<std::string, std::size_t> columns = HeaderColumns(header);
    if (!columns.count("frequency")) {
        report.headerOk = false;
        report.problems.push_back({header.line, "", CsvReason::NoFrequencyColumn, ""});
        return report;
    }

    // In file order from a channel on, or where each row's Location says.
    const bool inFileOrder = options.firstChannel || !columns.count("location");
    const int firstChannel = options.firstChannel.value_or(0);
    std::set<int> imported;
    DelimitedRecord record;
    for (std::size_t i = 1; lines.next(record); ++i) {
        RowReader row(columns, record, lines.separator() == ';');
        int line = record.line;
        ChannelPlan plan;
        PlanResult error;
        if (inFileOrder) {
            plan.channel = firstChannel + static_cast<int>(i - 1);
            if (plan.channel >= kChannelCount) error = RowError{"", CsvReason::PastLastChannel, ""};
        } else {
            std::string location = row["Location"];
            if (location.empty() || location.size() > 3 ||
                location.find_first_not_of("0123456789") != std::string::npos || std::stoi(location) >= kChannelCount)
                error = RowError{"Location", CsvReason::BadLocation, location};
            else
                plan.channel = std::stoi(location);
            if (!error && imported.count(plan.channel))
                error = RowError{"Location", CsvReason::DuplicateLocation, location};
        }
        if (!error) error = PlanFrequencies(row, plan);
        if (!error) error = PlanTones(row, plan);
        if (!error) error = PlanFlags(row, plan);
        std::optional<RowError> gap = error ? std::nullopt : BandGapOf(row, plan);
        if (gap && options.strictBands) error = gap;
        if (error) {
            report.problems.push_back({line, error->column, error->reason, error->text});
            continue;
        }
        if (gap) report.problems.push_back({line, gap->column, gap->reason, gap->text, true});
        plan.name = ImportName(row["Name"]);
        // A name the radio cannot hold as written (too long, other characters, lower case)
        // is stored changed; the report names each one.
        if (plan.name != row["Name"])
            report.problems.push_back({line, "Name", CsvReason::NameChanged, row["Name"] + " -> " + plan.name, true});
        ApplyPlan(image, plan);
        imported.insert(plan.channel);
        report.channels.push_back(plan.channel);
        report.channelLines.push_back(line);
    }
    return report;
}

std::string CsvProblemText(const CsvProblem& problem, const LanguageTable& language) {
    std::string text = language.row(lang_row::kReportRow) + " " + std::to_string(problem.line) + ": ";
    if (problem.stored) text += language.row(lang_row::kWarning) + ": ";
    if (!problem.column.empty()) text += problem.column + ": ";
    text += CsvReasonText(problem.reason, language);
    if (!problem.text.empty()) text += " (" + problem.text + ")";
    return text;
}

}  // namespace radioprog
