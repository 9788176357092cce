// SPDX-License-Identifier: GPL-3.0-or-later
// The JSON export of a repeater directory, read with the nlohmann JSON library.
#include <cstdio>
#include <nlohmann/json.hpp>

#include "directory/directory_file.h"
#include "model/ascii_text.h"

namespace radioprog {

namespace {

// Deeper nesting than any export has is refused before parsing, so no input can make the
// library's values nest without bound.
constexpr int kMaxDepth = 32;

bool NestedTooDeep(std::string_view text) {
    int depth = 0;
    bool inString = false, escaped = false;
    for (char c : text) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxDepth) return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

// A field as text: strings as they are, numbers with the given decimals, true/false as Yes/No.
std::string Field(const nlohmann::json& object, const char* key, int decimals) {
    auto it = object.find(key);
    if (it == object.end()) return {};
    if (it->is_string()) return TrimBlanks(it->get<std::string>());
    if (it->is_boolean()) return it->get<bool>() ? "Yes" : "No";
    if (it->is_number_integer() || it->is_number_unsigned()) return it->dump();
    if (it->is_number_float()) {
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", decimals, it->get<double>());
        return text;
    }
    return {};
}

bool Yes(const std::string& text) {
    const std::string lower = ToLowerAscii(text);
    return lower == "yes" || lower == "y" || lower == "true" || lower == "1";
}

bool No(const std::string& text) {
    const std::string lower = ToLowerAscii(text);
    return lower == "no" || lower == "n" || lower == "false" || lower == "0";
}

DirectoryEntry ReadEntry(const nlohmann::json& item, int number) {
    DirectoryEntry entry;
    entry.line = number;
    if (!item.is_object()) return entry;
    entry.output = Field(item, "Frequency", 5);
    entry.input = Field(item, "Input Freq", 5);
    entry.callsign = Field(item, "Callsign", 0);
    entry.where = Field(item, "Nearest City", 0);
    entry.uplink = ReadDirectoryTone(Field(item, "PL", 1));
    entry.downlink = ReadDirectoryTone(Field(item, "TSQ", 1));
    const std::string analog = Field(item, "FM Analog", 0);
    const bool digital = Yes(Field(item, "DMR", 0)) || Yes(Field(item, "D-Star", 0)) ||
                         Yes(Field(item, "System Fusion", 0)) || Yes(Field(item, "NXDN", 0)) ||
                         Yes(Field(item, "P-25 Phase 1", 0)) || Yes(Field(item, "M17", 0));
    entry.fmAnalog = analog.empty() ? !digital : !No(analog);
    const std::string status = ToLowerAscii(Field(item, "Operational Status", 0));
    entry.operational = !(status == "off-air" || status == "offline" || status == "off air");
    std::optional<double> lat = ParseDegrees(Field(item, "Lat", 6), 90);
    std::optional<double> lon = ParseDegrees(Field(item, "Long", 6), 180);
    if (lat && lon && (*lat != 0 || *lon != 0)) entry.position = GeoPosition{*lat, *lon};
    return entry;
}

}  // namespace

DirectoryFile ReadDirectoryJson(std::string_view text) {
    DirectoryFile file;
    file.format = DirectoryFormat::Json;
    if (NestedTooDeep(text)) {
        file.error = "nested too deeply";
        return file;
    }
    const nlohmann::json root = nlohmann::json::parse(text.begin(), text.end(), nullptr, false);
    if (root.is_discarded()) {
        file.error = "not valid JSON";
        return file;
    }
    const nlohmann::json* list = root.is_array() ? &root : nullptr;
    if (root.is_object()) {
        // {"count": ..., "results": [...]}: the entries under results, else the first list.
        if (auto it = root.find("results"); it != root.end() && it->is_array()) list = &*it;
        for (auto it = root.begin(); !list && it != root.end(); ++it)
            if (it->is_array()) list = &*it;
    }
    if (!list) {
        file.error = "no list of entries";
        return file;
    }
    int number = 0;
    for (const nlohmann::json& item : *list) file.entries.push_back(ReadEntry(item, ++number));
    return file;
}

}  // namespace radioprog
