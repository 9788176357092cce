// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tone_codec.h"

#include <cstdio>
#include <cstdlib>

namespace radioprog {

const std::vector<std::string>& CtcssTexts() {
    static const std::vector<std::string> texts = {
        "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
        "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
        "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
        "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
        "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};
    return texts;
}

const std::vector<std::string>& DcsNumberTexts() {
    static const std::vector<std::string> texts = {
        "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071", "072", "073",
        "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145", "152", "155", "156", "162",
        "165", "172", "174", "205", "212", "223", "225", "226", "243", "244", "245", "246", "251", "252", "255",
        "261", "263", "265", "266", "271", "274", "306", "311", "315", "325", "331", "332", "343", "346", "351",
        "356", "364", "365", "371", "411", "412", "413", "423", "431", "432", "445", "446", "452", "454", "455",
        "462", "464", "465", "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624",
        "627", "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};
    return texts;
}

namespace {

constexpr unsigned kDcsNormalBase = 0x2800;
constexpr unsigned kDcsInvertedBase = 0xA800;
// A DCS code holds a 3-digit octal number.
constexpr unsigned kDcsNumberLimit = 01000;

// "0x800A": a code no tone text names, shown as it is stored so it can be kept.
std::string RawToneText(std::uint16_t code) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", static_cast<unsigned>(code));
    return buffer;
}

bool ParseRawToneText(const std::string& text, std::uint16_t& code) {
    if (text.size() != 6 || text[0] != '0' || text[1] != 'x') return false;
    unsigned value = 0;
    for (std::size_t i = 2; i < text.size(); ++i) {
        char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        value = value * 16 + digit;
    }
    code = static_cast<std::uint16_t>(value);
    return true;
}

}  // namespace

std::uint16_t ToneTextToCode(const std::string& text, bool enabled, const std::string& offText) {
    if (!enabled || text == offText) return kToneOff;
    std::uint16_t raw = 0;
    if (ParseRawToneText(text, raw)) return raw;
    if (text.size() > 4 && (text[4] == 'N' || text[4] == 'I')) {
        int v = (text[1] - '0') * 64 + (text[2] - '0') * 8 + (text[3] - '0');
        unsigned base = text[4] == 'N' ? kDcsNormalBase : kDcsInvertedBase;
        return static_cast<std::uint16_t>(base + static_cast<unsigned>(v));
    }
    double hz = std::strtod(text.c_str(), nullptr);
    return static_cast<std::uint16_t>(static_cast<long>(hz * 10.0));
}

std::string ToneCodeToText(std::uint16_t code, bool showOff, const std::string& offText) {
    if (code == kToneOff) return showOff ? offText : std::string();
    char buffer[32];
    if (code < kDcsNormalBase) {
        std::snprintf(buffer, sizeof buffer, "%.1f", code * 0.1);
        return buffer;
    }
    // Only base + a 3-digit octal number is a DCS tone; any other code is shown raw, so a
    // stored value the codec cannot name is seen and kept, never changed or fatal.
    bool inverted = code >= kDcsInvertedBase;
    unsigned number = code - (inverted ? kDcsInvertedBase : kDcsNormalBase);
    if (number >= kDcsNumberLimit) return RawToneText(code);
    std::snprintf(buffer, sizeof buffer, inverted ? "D%03oI" : "D%03oN", number);
    return buffer;
}

std::vector<std::string> ToneListEntries(const std::string& offText) {
    std::vector<std::string> entries;
    entries.reserve(kToneListSize);
    entries.push_back(offText);
    for (const auto& ctcss : CtcssTexts()) entries.push_back(ctcss);
    for (const auto& dcs : DcsNumberTexts()) entries.push_back("D" + dcs + "N");
    for (const auto& dcs : DcsNumberTexts()) entries.push_back("D" + dcs + "I");
    return entries;
}

}  // namespace radioprog
