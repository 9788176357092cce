// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The DTMF form without widgets: fifteen code groups, the local ID, tone duration and pause,
// the group-call selection and the two PTT flags, with the rules that load them from and
// store them into the image.
//
// A widget keeps one DtmfForm: on open OpenDtmfForm then LoadFromImage; the commit button
// and the main window's store read the controls into the form, then StoreToImage; a typed
// code is kept only when DtmfInputAccepted, otherwise the field's previous text returns.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/radio_image.h"
#include "radio/settings_layout.h"

namespace radioprog {

inline constexpr int kDtmfGroupCount = 15;
inline constexpr int kDtmfTableRows = 16;  // the sixteenth row is hidden
inline constexpr int kDtmfCodeLength = 5;
inline constexpr int kDtmfCodeBytes = 6;  // digits and end mark
inline constexpr int kDtmfTimingCount = 196;

inline constexpr std::uint16_t kDtmfPttPressAddress = 0x0E2A;
inline constexpr std::uint16_t kDtmfPttReleaseAddress = 0x0E2B;
inline constexpr std::uint16_t kDtmfDurationAddress = 0x0E3B;
inline constexpr std::uint16_t kDtmfPauseAddress = 0x0E3C;
inline constexpr std::uint16_t kDtmfLocalIdAddress = 0x0E5A;

struct DtmfForm {
    std::array<std::string, kDtmfTableRows> groupNumbers{};  // read-only "1".."15"
    int groupCall = -1;                                      // selection of the disabled group-call list; never stored
    int duration = -1;                                       // index into DtmfTimingTexts
    int pause = -1;
    int pttPress = 0;  // 0 or 1
    int pttRelease = 0;
    std::string localId;
    std::array<std::string, kDtmfGroupCount> codes{};  // groups 1..15

    bool operator==(const DtmfForm&) const = default;
};

// What opening the form sets before the first load: group numbers "1".."15" (row 16
// empty) and the group-call list's only entry selected.
void OpenDtmfForm(DtmfForm& form);

// Tone duration and pause in ms: "50", "60", ... "2000", entry i = 50 + 10 * i.
constexpr ChoiceItem DtmfTimingChoice() { return ChoiceNumbers(50, 50 + 10 * (kDtmfTimingCount - 1), 10); }
const std::vector<std::string>& DtmfTimingTexts();
inline constexpr const char* kDtmfGroupCallEntry = "*";

// Up to five characters from `code`, ending at the first byte above 16.
std::string ReadDtmfCode(const std::uint8_t* code);
// Six bytes: the first five characters' codes, then 0xFF up to and including byte 5.
void WriteDtmfCode(std::uint8_t* code, const std::string& text);

void LoadFromImage(DtmfForm& form, const RadioImage& image);
// Writes the local ID, the fifteen groups, pause, duration and the two flags as whole
// bytes; bytes 6..15 of every slot and slot 15 are left alone.
void StoreToImage(const DtmfForm& form, RadioImage& image);
// Stores only what changed from `loaded` to `edited`: a byte the form cannot show keeps its
// value, while a code the user changed is written whole (its unused places blank), so no
// leftover digit follows it.
void StoreDtmfChanges(const DtmfForm& loaded, const DtmfForm& edited, RadioImage& image);

// A typed code or local ID is kept when every character is a DTMF digit and it has at most
// five characters.
bool DtmfInputAccepted(const std::string& text);
// What a field shows for a typed code it keeps: the letters as the radio stores them (A-D in
// capitals), so the field shows while typing what OK stores.
std::string DtmfShownCode(const std::string& text);

}  // namespace radioprog
