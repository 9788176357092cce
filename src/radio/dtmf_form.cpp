// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/dtmf_form.h"

#include <algorithm>

#include "model/ascii_text.h"
#include "model/dtmf_codec.h"
#include "radio/form_store.h"

namespace radioprog {

namespace {

constexpr std::uint8_t kHighestDigitCode = 16;
constexpr std::uint8_t kEndMark = 0xFF;

std::uint8_t* SettingsBytePtr(RadioImage& image, std::uint16_t address) { return &image.settingsByte(address); }
const std::uint8_t* SettingsBytePtr(const RadioImage& image, std::uint16_t address) {
    return &image.bytes[offsets::kSettingsData + (address - kSettingsAddress)];
}

}  // namespace

void OpenDtmfForm(DtmfForm& form) {
    for (int g = 0; g < kDtmfGroupCount; ++g) form.groupNumbers[static_cast<std::size_t>(g)] = std::to_string(g + 1);
    form.groupNumbers[kDtmfTableRows - 1].clear();
    form.groupCall = 0;
}

const std::vector<std::string>& DtmfTimingTexts() {
    static const std::vector<std::string> texts = ResolveChoices({DtmfTimingChoice()}, LanguageTable{});
    return texts;
}

std::string ReadDtmfCode(const std::uint8_t* code) {
    std::string text;
    for (int i = 0; i < kDtmfCodeLength && code[i] <= kHighestDigitCode; ++i) text += DtmfCodeToChar(code[i]);
    return text;
}

void WriteDtmfCode(std::uint8_t* code, const std::string& text) {
    std::size_t digits = std::min<std::size_t>(text.size(), kDtmfCodeLength);
    for (std::size_t i = 0; i < kDtmfCodeBytes; ++i) code[i] = i < digits ? DtmfCharToCode(text[i]) : kEndMark;
}

void LoadFromImage(DtmfForm& form, const RadioImage& image) {
    form.duration = image.settingsByte(kDtmfDurationAddress) % kDtmfTimingCount;
    form.pause = image.settingsByte(kDtmfPauseAddress) % kDtmfTimingCount;
    form.pttPress = image.settingsByte(kDtmfPttPressAddress) & 1;
    form.pttRelease = image.settingsByte(kDtmfPttReleaseAddress) & 1;
    form.localId = ReadDtmfCode(SettingsBytePtr(image, kDtmfLocalIdAddress));
    for (int g = 0; g < kDtmfGroupCount; ++g) form.codes[static_cast<std::size_t>(g)] = ReadDtmfCode(image.dtmfSlot(g));
}

void StoreToImage(const DtmfForm& form, RadioImage& image) {
    WriteDtmfCode(SettingsBytePtr(image, kDtmfLocalIdAddress), form.localId);
    for (int g = 0; g < kDtmfGroupCount; ++g) WriteDtmfCode(image.dtmfSlot(g), form.codes[static_cast<std::size_t>(g)]);
    image.settingsByte(kDtmfPauseAddress) = static_cast<std::uint8_t>(form.pause & 0xFF);
    image.settingsByte(kDtmfDurationAddress) = static_cast<std::uint8_t>(form.duration & 0xFF);
    image.settingsByte(kDtmfPttPressAddress) = static_cast<std::uint8_t>(form.pttPress & 0xFF);
    image.settingsByte(kDtmfPttReleaseAddress) = static_cast<std::uint8_t>(form.pttRelease & 0xFF);
}

void StoreDtmfChanges(const DtmfForm& loaded, const DtmfForm& edited, RadioImage& image) {
    StoreFormChanges(
        image, [&loaded](RadioImage& asLoaded) { StoreToImage(loaded, asLoaded); },
        [&edited](RadioImage& asEdited) { StoreToImage(edited, asEdited); });
    if (edited.localId != loaded.localId) WriteDtmfCode(SettingsBytePtr(image, kDtmfLocalIdAddress), edited.localId);
    for (std::size_t g = 0; g < static_cast<std::size_t>(kDtmfGroupCount); ++g)
        if (edited.codes[g] != loaded.codes[g]) WriteDtmfCode(image.dtmfSlot(static_cast<int>(g)), edited.codes[g]);
}

bool DtmfInputAccepted(const std::string& text) {
    if (text.size() > kDtmfCodeLength) return false;
    for (char c : text)
        if (DtmfCharToCode(c) == kDtmfInvalid) return false;
    return true;
}

std::string DtmfShownCode(const std::string& text) { return ToUpperAscii(text); }

}  // namespace radioprog
