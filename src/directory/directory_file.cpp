// SPDX-License-Identifier: GPL-3.0-or-later
#include "directory/directory_file.h"

#include <algorithm>
#include <map>

#include "editors/delimited_text.h"
#include "model/ascii_text.h"
#include "radio/channel_cells.h"
#include "radio/channel_values.h"

namespace radioprog {

namespace {

std::string Upper(std::string_view text) {
    std::string upper;
    for (char c : text) upper += ToUpperAscii(c);
    return upper;
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A mode flag column of the UK lists: anything but empty, 0, N, No, False or - says yes.
bool FlagSet(const std::string& text) {
    const std::string upper = Upper(TrimBlanks(text));
    return !(upper.empty() || upper == "0" || upper == "N" || upper == "NO" || upper == "FALSE" || upper == "-");
}

// The fields of one CSV record by lower-case header name.
class Columns {
public:
    explicit Columns(const DelimitedRecord& header) {
        for (std::size_t i = 0; i < header.fields.size(); ++i) {
            std::string name = ToLowerAscii(TrimBlanks(header.fields[i]));
            if (!name.empty()) index_.emplace(name, i);
        }
    }
    bool has(const std::string& name) const { return index_.count(name) != 0; }
    std::string get(const DelimitedRecord& record, const std::string& name) const {
        auto it = index_.find(name);
        if (it == index_.end() || it->second >= record.fields.size()) return {};
        return TrimBlanks(record.fields[it->second]);
    }

private:
    std::map<std::string, std::size_t> index_;
};

bool IsBlank(const DelimitedRecord& record) {
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& f) { return TrimBlanks(f).empty(); });
}

// The position of a row: latitude/longitude, else the locator, else the grid reference.
std::optional<GeoPosition> RowPosition(const std::string& lat, const std::string& lon, const std::string& locator,
                                       const std::string& grid) {
    std::optional<double> la = ParseDegrees(lat, 90), lo = ParseDegrees(lon, 180);
    // 0,0 is where a list without coordinates puts an entry, not a repeater.
    if (la && lo && (*la != 0 || *lo != 0)) return GeoPosition{*la, *lo};
    if (std::optional<GeoPosition> centre = LocatorCentre(locator)) return centre;
    return GridReferencePosition(grid);
}

// Modes of the UK lists' second layout ("AV DMR", "FM,DSTAR"): analog FM among them.
bool HasAnalogMode(const std::string& modes) {
    std::string upper = Upper(modes);
    if (TrimBlanks(upper).empty()) return true;  // no modes given: a plain FM repeater or beacon
    for (char& c : upper)
        if (c == ',' || c == '/' || c == ';' || c == '+') c = ' ';
    std::size_t at = 0;
    while (at < upper.size()) {
        std::size_t end = upper.find(' ', at);
        if (end == std::string::npos) end = upper.size();
        const std::string token = upper.substr(at, end - at);
        if (token == "FM" || token == "AV" || token == "NFM" || token == "ANALOG" || token == "ANALOGUE") return true;
        at = end + 1;
    }
    return false;
}

// Status column of the Australian list: a planned, closed or off-air entry.
bool OfflineStatus(const std::string& status) {
    const std::string upper = Upper(status);
    return upper == "P" || upper == "X" || upper == "N" || upper == "D" || upper == "C" || upper == "OFF" ||
           upper == "PLANNED" || upper == "OFFLINE" || upper == "OFF-AIR" || upper == "CLOSED" ||
           upper == "DECOMMISSIONED";
}

void ReadUkList(std::string_view text, DirectoryFile& file) {
    DelimitedReader reader(text, ',');
    DelimitedRecord record;
    if (!reader.next(record)) return;
    const Columns columns(record);
    const bool modes = file.format == DirectoryFormat::UkListModes;
    while (reader.next(record)) {
        if (IsBlank(record)) continue;
        DirectoryEntry entry;
        entry.line = record.line;
        if (modes) {
            entry.callsign = columns.get(record, "callsign");
            entry.output = columns.get(record, "tx");
            entry.input = columns.get(record, "rx");
            entry.where = columns.get(record, "where");
            entry.fmAnalog = HasAnalogMode(columns.get(record, "modes"));
            entry.uplink = ReadDirectoryTone(columns.get(record, "ctcss/cc"), true);
            entry.position = RowPosition(columns.get(record, "lat"), columns.get(record, "lon"),
                                         columns.get(record, "qthr"), columns.get(record, "ngr"));
        } else {
            entry.callsign = columns.get(record, "call");
            entry.output = columns.get(record, "txmhz");
            entry.input = columns.get(record, "rxmhz");
            entry.where = columns.get(record, "where");
            const bool analog = FlagSet(columns.get(record, "analog"));
            const bool digital = FlagSet(columns.get(record, "dmr")) || FlagSet(columns.get(record, "dstar")) ||
                                 FlagSet(columns.get(record, "fusion"));
            entry.fmAnalog = analog || !digital;
            entry.uplink = ReadDirectoryTone(columns.get(record, "ctcss"));
            entry.position = RowPosition("", "", columns.get(record, "qthr"), columns.get(record, "ngr"));
        }
        file.entries.push_back(std::move(entry));
    }
}

void ReadAustralian(std::string_view text, DirectoryFile& file) {
    DelimitedReader reader(text, ',');
    DelimitedRecord record;
    if (!reader.next(record)) return;
    const Columns columns(record);
    bool sectionFm = true;
    while (reader.next(record)) {
        if (IsBlank(record)) continue;
        const std::string first = TrimBlanks(record.fields.front());
        if (first.rfind("{{", 0) == 0) {
            // {{BAND;MODE;STATE}}: the mode of the rows up to the next section.
            std::string inner = first.substr(2);
            if (std::size_t close = inner.find("}}"); close != std::string::npos) inner.resize(close);
            const std::size_t a = inner.find(';');
            const std::size_t b = a == std::string::npos ? a : inner.find(';', a + 1);
            const std::string mode =
                a == std::string::npos ? "" : inner.substr(a + 1, b == std::string::npos ? b : b - a - 1);
            sectionFm = HasAnalogMode(mode);
            continue;
        }
        DirectoryEntry entry;
        entry.line = record.line;
        entry.output = columns.get(record, "output");
        entry.input = columns.get(record, "input");
        entry.callsign = columns.get(record, "call");
        entry.where = columns.get(record, "location");
        entry.fmAnalog = sectionFm;
        entry.operational = !OfflineStatus(columns.get(record, "s"));
        entry.uplink = ReadDirectoryTone(columns.get(record, "tone"));
        entry.position = RowPosition(columns.get(record, "latitude"), columns.get(record, "longitude"), "", "");
        file.entries.push_back(std::move(entry));
    }
}

// The existing channel import reads the rows into a blank image from channel 0: each channel
// it made is an entry, each row it refused an entry with its reason.
void ReadChannelCsv(std::string_view text, DirectoryFile& file) {
    RadioImage scratch;
    scratch.ApplyDefaults();
    CsvImportOptions options;
    options.firstChannel = 0;
    const CsvImportReport report = ImportChannelsCsv(scratch, text, options);
    if (!report.headerOk) return;
    const LanguageTable& cells = CsvCellLanguage();
    for (std::size_t i = 0; i < report.channels.size(); ++i) {
        const ChannelRow row = ChannelToRow(scratch, cells, report.channels[i]);
        DirectoryEntry entry;
        entry.line = report.channelLines[i];
        entry.callsign = row[column::kName];
        entry.output = row[column::kRxFrequency];
        entry.input = row[column::kTxFrequency];
        entry.cells = ChannelCellTexts{row[column::kRxFrequency], row[column::kTxFrequency], row[column::kRxTone],
                                       row[column::kTxTone],      row[column::kPower],       row[column::kBandwidth],
                                       row[column::kBit14],       row[column::kBusyLockout], row[column::kSignalling],
                                       row[column::kName]};
        for (const CsvProblem& problem : report.problems)
            if (problem.stored && problem.line == entry.line) entry.csvWarnings.push_back(problem);
        file.entries.push_back(std::move(entry));
    }
    for (const CsvProblem& problem : report.problems) {
        if (problem.stored) continue;
        DirectoryEntry entry;
        entry.line = problem.line;
        entry.csvRefusal = problem;
        file.entries.push_back(std::move(entry));
    }
    std::stable_sort(file.entries.begin(), file.entries.end(),
                     [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.line < b.line; });
}

std::string_view WithoutBom(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    return text;
}

}  // namespace

DirectoryTone ReadDirectoryTone(std::string_view text, bool colourCodes) {
    const std::string upper = Upper(TrimBlanks(std::string(text)));
    if (upper.empty() || upper == "-" || upper == "CSQ" || upper == "NONE" || upper == "0" || upper == "0.0") return {};
    if (upper == "RESTRICTED") return {DirectoryTone::Withheld, std::string(text)};
    if (upper.size() > 2 && upper.rfind("CC", 0) == 0 && AllDigits(upper.substr(2)))
        return {DirectoryTone::ColourCode, upper.substr(2)};
    if (colourCodes && AllDigits(upper) && upper.size() <= 2 && std::stoi(upper) <= 15)
        return {DirectoryTone::ColourCode, upper};
    // DCS: D023, D023N, D754I, 023N, 023R (R: reversed, the same as inverted).
    std::string code = upper;
    const bool d = code.front() == 'D';
    if (d) code.erase(0, 1);
    char polarity = 0;
    if (!code.empty() && (code.back() == 'N' || code.back() == 'I' || code.back() == 'R')) {
        polarity = code.back();
        code.pop_back();
    }
    if ((d || polarity) && AllDigits(code) && code.size() <= 3)
        return {DirectoryTone::Dcs, code, polarity == 'I' || polarity == 'R'};
    if (!d && !polarity && upper.find_first_not_of("0123456789.") == std::string::npos &&
        upper.find('.') == upper.rfind('.') && ParseMhz(upper))
        return {DirectoryTone::Ctcss, upper};
    return {DirectoryTone::Unreadable, std::string(TrimBlanks(std::string(text)))};
}

DirectoryFormat DetectDirectoryFormat(std::string_view text) {
    text = WithoutBom(text);
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) return DirectoryFormat::Unknown;
    if (text[start] == '[' || text[start] == '{') {
        // {{2M;FM;VK2}} opens a section of the Australian list, never a JSON text.
        if (text.substr(start, 2) != "{{") return DirectoryFormat::Json;
    }
    DelimitedReader reader(text, ',');
    DelimitedRecord header;
    while (reader.next(header) && IsBlank(header)) {
    }
    const Columns columns(header);
    if (columns.has("call") && columns.has("txmhz") && columns.has("rxmhz")) return DirectoryFormat::UkList;
    if (columns.has("callsign") && columns.has("tx") && columns.has("rx") && columns.has("modes"))
        return DirectoryFormat::UkListModes;
    if (columns.has("output") && columns.has("input") && columns.has("call")) return DirectoryFormat::Australian;
    if (CsvHasColumn(text, "Frequency")) return DirectoryFormat::ChannelCsv;
    return DirectoryFormat::Unknown;
}

DirectoryFile ReadDirectory(std::string_view text) {
    text = WithoutBom(text);
    DirectoryFile file;
    file.format = DetectDirectoryFormat(text);
    // The same bound as the channel import: a text of line ends alone holds no records.
    if (file.format != DirectoryFormat::Json && DelimitedLineCount(text) > static_cast<std::size_t>(kMaxDelimitedLines))
        file.format = DirectoryFormat::Unknown;
    switch (file.format) {
    case DirectoryFormat::UkList:
    case DirectoryFormat::UkListModes: ReadUkList(text, file); break;
    case DirectoryFormat::Australian: ReadAustralian(text, file); break;
    case DirectoryFormat::ChannelCsv: ReadChannelCsv(text, file); break;
    case DirectoryFormat::Json: {
        DirectoryFile json = ReadDirectoryJson(text);
        json.format = DirectoryFormat::Json;
        return json;
    }
    case DirectoryFormat::Unknown: break;
    }
    return file;
}

}  // namespace radioprog
