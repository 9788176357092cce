// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What differs between two memory images, in the words the editors use: the channel table's
// column headers and cell texts, the optional functions' captions and shown values, the DTMF
// form's fields. Every differing byte is accounted for exactly once: by the field it changes
// where a field shows it, else on its own line with its radio address.
#include <string>
#include <vector>

#include "model/language_table.h"
#include "model/radio_image.h"

namespace radioprog {

struct ImageDifference {
    std::string where;   // "CH 9", "VFO A", the DTMF title; empty for a general setting
    std::string field;   // "RX Freq", "Squelch", "Byte 0x0095"
    std::string before;  // as the editors show it for the first image
    std::string after;   // ... and for the second
    int channel = -1;    // 0..127 when the difference belongs to a channel
    bool operator==(const ImageDifference&) const = default;
};

// Every difference from `before` to `after`: channels 0..127 in order (their table cells,
// name included), then the optional functions, then the DTMF settings, then the records'
// address bytes. The port number and the band-limit block's data (neither is written to the
// radio) are not compared.
std::vector<ImageDifference> CompareImages(const RadioImage& before, const RadioImage& after,
                                           const LanguageTable& language);

// The records whose address bytes are not the radio's layout, in words: "CH 20-23 Record
// address 0x0140 → 0x0100" (what the layout gives → what the image holds).
std::vector<ImageDifference> AddressMismatches(const RadioImage& image, const LanguageTable& language);

// One line: "CH 9 RX Freq 145.35000 → 146.52000"; an empty value reads as (empty).
std::string DifferenceText(const ImageDifference& difference, const LanguageTable& language);

}  // namespace radioprog
