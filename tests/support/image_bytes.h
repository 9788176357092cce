// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a failed comparison of two whole images says: each byte that differs, with its
// offset, the two values and the setting or channel field that owns it (named as the
// program's comparison of two images names it), instead of two dumps of 4,816 bytes.
//   GoogleTest: EXPECT_SAME_IMAGE(a, b) (tests/support/same_image.h)
//   Qt Test:    QCOMPARE_IMAGE(a, b)
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "compare/block_text.h"
#include "compare/image_diff.h"
#include "model/extra_rows.h"
#include "model/language_table.h"
#include "model/radio_image.h"

namespace radioprog::test {

// More differing bytes than this are counted, not listed.
inline constexpr int kListedByteDifferences = 24;

// The shipped English texts, so the owners read as the program shows them.
inline const LanguageTable& ShippedEnglish() {
    static const LanguageTable language = [] {
        LanguageTable table;
        table.index = 2;
        std::ifstream in(std::string(RADIOPROG_SOURCE_DIR) + "/data/lang.csv");
        LoadLanguageStream(in, table);
        return table;
    }();
    return language;
}

// What the comparison names from `from` to `from` with byte `offset` of `other`.
inline std::vector<std::string> OneByteDifferences(const RadioImage& from, const RadioImage& other, std::size_t offset,
                                                   bool& onlyByAddress) {
    RadioImage changed = from;
    changed.bytes[offset] = other.bytes[offset];
    const std::string byAddress = ShippedEnglish().row(lang_row::kDiffByte) + " ";
    std::vector<std::string> names;
    onlyByAddress = true;
    for (const ImageDifference& difference : CompareImages(from, changed, ShippedEnglish())) {
        names.push_back(difference.where.empty() ? difference.field : difference.where + " " + difference.field);
        if (difference.field.rfind(byAddress, 0) != 0) onlyByAddress = false;
    }
    return names;
}

inline std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : "; ") + name;
    return text;
}

// What owns byte `offset`: what the comparison names when only that byte changes, in `a` or
// else in `b` (a byte of an empty channel shows nothing until the rest of its field is
// there); the record's name for the bytes the comparison leaves out.
inline std::string ByteOwner(const RadioImage& a, const RadioImage& b, std::size_t offset) {
    if (offset < offsets::kChannelRecords) return "port number";
    bool onlyByAddress = false;
    const std::vector<std::string> names = OneByteDifferences(a, b, offset, onlyByAddress);
    if (onlyByAddress) {
        // Taken back out of `b` the byte may name its field; not when that empties the
        // whole channel (every column changes).
        bool otherOnlyByAddress = false;
        const std::vector<std::string> other = OneByteDifferences(b, a, offset, otherOnlyByAddress);
        if (!otherOnlyByAddress && other.size() <= 2) return Joined(other);
    }
    if (!names.empty()) return Joined(names);
    for (const RecordInfo& record : BlockMap()) {
        const std::size_t data = record.offset + RecordHeaderSize(record.form);
        if (offset < record.offset || offset >= data + RecordDataSize(record.form)) continue;
        const std::string block = BlockText(record.address, RecordDataSize(record.form), ShippedEnglish());
        if (offset < data) return block + ", spare header byte";
        return block + " " +
               BlockText(static_cast<std::uint16_t>(record.address + (offset - data)), 1, ShippedEnglish()) +
               " (not compared)";
    }
    return "unknown";
}

// Empty when the images are equal; else one line per differing byte (up to
// kListedByteDifferences): "0x114C: 0x02 | 0x03  Channel display B".
inline std::string ImageByteDifferences(const RadioImage& a, const RadioImage& b) {
    std::string text;
    int count = 0;
    for (std::size_t offset = 0; offset < kImageSize; ++offset) {
        if (a.bytes[offset] == b.bytes[offset]) continue;
        if (++count > kListedByteDifferences) continue;
        char line[40];
        std::snprintf(line, sizeof line, "  0x%04zX: 0x%02X | 0x%02X  ", offset, a.bytes[offset], b.bytes[offset]);
        text += line + ByteOwner(a, b, offset) + "\n";
    }
    if (count == 0) return {};
    std::string head = std::to_string(count) + " byte(s) differ (offset: first | second, owner):\n";
    if (count > kListedByteDifferences)
        text += "  ... and " + std::to_string(count - kListedByteDifferences) + " more\n";
    return head + text;
}

}  // namespace radioprog::test

// Qt Test: fails listing the differing bytes.
#define QCOMPARE_IMAGE(a, b) QVERIFY2((a) == (b), ::radioprog::test::ImageByteDifferences((a), (b)).c_str())
