// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/settings_form.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "model/ascii_text.h"
#include "model/byte_order.h"
#include "model/channel_record.h"
#include "model/extra_rows.h"
#include "model/freq_codec.h"
#include "model/tone_codec.h"
#include "radio/channel_cells.h"
#include "radio/form_store.h"
#include "radio/settings_table.h"
#include "radio/settings_text.h"
#include "radio/settings_vfo.h"

namespace radioprog {

namespace sc = settings_control;

namespace {

constexpr int kDisplayModeAll = 2;
constexpr int kDisplayModeNone = 3;
constexpr int kDirectionCount = 3;
constexpr std::uint16_t kDisplayModeAAddress = 0x0E37;
constexpr std::uint16_t kDisplayModeBAddress = 0x0E20;

std::vector<FormControl> BuildFormControls() {
    std::vector<FormControl> controls;
    for (const SettingRow& row : SettingsTable()) {
        if (row.caption.id != 0 || row.caption.captionRow != kNoRow) controls.push_back(row.caption);
        controls.push_back(row.control);
    }
    controls.insert(controls.end(), SettingsLayout().begin(), SettingsLayout().end());
    return controls;
}

// Values a refused channel count leaves unread, in reading order.
constexpr int kReadAfterCount[] = {sc::kRange[0],       sc::kRange[1],       sc::kBand[1],
                                   sc::kDualWatch,      sc::kWorkMode,       sc::kPttId,
                                   sc::kBusyLockout[0], sc::kBusyLockout[1], sc::kFmRadio};

std::vector<int> BuildExchangeOrder() {
    std::vector<int> order;
    for (const FormControl& control : SettingsFormControls()) {
        if (BindingOf(control) == Binding::None || control.id == sc::kChannelCount) continue;
        if (std::find(std::begin(kReadAfterCount), std::end(kReadAfterCount), control.id) != std::end(kReadAfterCount))
            continue;
        order.push_back(control.id);
    }
    order.push_back(sc::kChannelCount);
    order.insert(order.end(), std::begin(kReadAfterCount), std::end(kReadAfterCount));
    return order;
}

// An integer with optional blanks around it and an optional sign.
bool ParseInteger(const std::string& text, int& value) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    long parsed = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE) return false;
    for (const char* p = end; *p != '\0'; ++p)
        if (!std::isspace(static_cast<unsigned char>(*p))) return false;
    if (parsed < -2147483647L || parsed > 2147483647L) return false;
    value = static_cast<int>(parsed);
    return true;
}

bool Bit(std::uint16_t word, int bit) { return (word >> bit) & 1; }

std::uint16_t WithBit(std::uint16_t word, int bit, bool on) {
    auto mask = static_cast<std::uint16_t>(1u << bit);
    return static_cast<std::uint16_t>(on ? (word | mask) : (word & ~mask));
}

std::uint16_t WithHiddenField(std::uint16_t word, int field) {
    constexpr std::uint16_t kMask = 3u << vfo_flag::kHiddenFieldLow;
    return static_cast<std::uint16_t>((word & ~kMask) | ((field & 3) << vfo_flag::kHiddenFieldLow));
}

int ListValue(int id, int value) {
    const FormControl* control = FindSettingsControl(id);
    return control != nullptr && value >= 0 && value < ChoiceCount(control->choices) ? value : -1;
}

// Off is the first entry even when the off text happens to begin a tone text (an empty
// language row would otherwise select 67.0 and store it).
void LoadTone(SettingsForm& form, int id, std::uint16_t code, const std::vector<std::string>& entries,
              const std::string& offText) {
    form.setValue(id, code == kToneOff ? 0 : SelectByPrefix(entries, ToneCodeToText(code, true, offText)));
}

void LoadVfo(SettingsForm& form, const std::uint8_t* entry, int side, const std::vector<std::string>& tones,
             const std::string& offText) {
    std::uint32_t rx = ReadLe32(entry + vfo_field::kRxFrequency);
    std::string text;
    if (BcdToFreqText(rx, text)) {
        std::uint16_t flags = ReadLe16(entry + vfo_field::kFlags);
        form.setText(sc::kFrequency[side], text);
        form.setValue(sc::kPower[side], Bit(flags, vfo_flag::kPower));
        form.setValue(sc::kBand[side], ListValue(sc::kBand[side], entry[vfo_field::kBand]));
        form.setValue(sc::kBandwidth[side], Bit(flags, vfo_flag::kBandwidth));
        // Kept as loaded even where the hidden list has no entry for it, so it is stored back.
        form.setValue(sc::kHiddenField[side], (flags >> vfo_flag::kHiddenFieldLow) & 3);
        form.setValue(sc::kSignalling[side], ListValue(sc::kSignalling[side], entry[vfo_field::kSignalling]));
        form.setValue(sc::kBusyLockout[side], Bit(flags, vfo_flag::kBusyLockout));
        form.setText(sc::kRange[side], LoadedRangeText(form.selection(sc::kBand[side])));
    } else {
        form.setText(sc::kFrequency[side], "");
        for (int id : {sc::kPower[side], sc::kBandwidth[side], sc::kHiddenField[side], sc::kSignalling[side]})
            form.setValue(id, -1);
        if (side == kVfoSideB) form.setValue(sc::kBand[side], 1);
    }
    LoadTone(form, sc::kRxTone[side], ReadLe16(entry + vfo_field::kRxTone), tones, offText);
    LoadTone(form, sc::kTxTone[side], ReadLe16(entry + vfo_field::kTxTone), tones, offText);
}

// A set entry whose tone list shows nothing keeps its stored tone.
void StoreTone(const SettingsForm& form, int id, std::uint8_t* field, bool set, const std::vector<std::string>& entries,
               const std::string& offText) {
    int index = form.selection(id);
    bool selected = index >= 0 && static_cast<std::size_t>(index) < entries.size();
    if (set && !selected) return;
    WriteLe16(field, ToneTextToCode(selected ? entries[static_cast<std::size_t>(index)] : std::string(), set, offText));
}

// A frequency typed into an entry that was not set: its lists show nothing, so the entry takes
// the values of a new image where the user chose none, and its band follows the frequency.
// The form then shows what is stored.
void TakeNewEntryValues(SettingsForm& form, int side, const std::string& frequencyText) {
    RadioImage fresh;
    fresh.ApplyDefaults();
    const std::uint8_t* entry = fresh.vfoEntry(side);
    const std::uint16_t flags = ReadLe16(entry + vfo_field::kFlags);
    auto fill = [&form](int id, int value) {
        if (form.selection(id) < 0) form.setValue(id, value);
    };
    fill(sc::kPower[side], Bit(flags, vfo_flag::kPower));
    fill(sc::kBandwidth[side], Bit(flags, vfo_flag::kBandwidth));
    fill(sc::kHiddenField[side], (flags >> vfo_flag::kHiddenFieldLow) & 3);
    fill(sc::kSignalling[side], ListValue(sc::kSignalling[side], entry[vfo_field::kSignalling]));
    const int band = VfoBandOfFrequency(frequencyText);
    form.setValue(sc::kBand[side], band);
    form.setText(sc::kRange[side], LoadedRangeText(band));
}

void StoreVfo(SettingsForm& form, std::uint8_t* entry, int side, const std::vector<std::string>& tones,
              const std::string& offText) {
    const std::string& typed = form.text(sc::kFrequency[side]);
    bool set = !typed.empty();
    std::string storedText;
    const bool wasSet = BcdToFreqText(ReadLe32(entry + vfo_field::kRxFrequency), storedText);
    if (set) {
        std::string snapped = SnapVfoFreqText(typed, form.selection(sc::kStep[side]));
        if (!wasSet) TakeNewEntryValues(form, side, snapped);
        std::uint32_t code = PackFreqText(snapped);
        WriteLe32(entry + vfo_field::kRxFrequency, code);
        WriteLe32(entry + vfo_field::kTxFrequency, code);
        form.setText(sc::kFrequency[side], snapped);
    } else {
        WriteLe32(entry + vfo_field::kRxFrequency, kNoFrequency);
    }
    StoreTone(form, sc::kRxTone[side], entry + vfo_field::kRxTone, set, tones, offText);
    StoreTone(form, sc::kTxTone[side], entry + vfo_field::kTxTone, set, tones, offText);

    std::uint16_t flags = ReadLe16(entry + vfo_field::kFlags);
    if (set) {
        flags = WithBit(flags, vfo_flag::kPower, form.selection(sc::kPower[side]) & 1);
        flags = WithBit(flags, vfo_flag::kBandwidth, form.selection(sc::kBandwidth[side]) & 1);
        flags = WithHiddenField(flags, form.selection(sc::kHiddenField[side]));
        flags = WithBit(flags, vfo_flag::kBusyLockout, form.check(sc::kBusyLockout[side]) & 1);
        entry[vfo_field::kSignalling] = static_cast<std::uint8_t>(form.selection(sc::kSignalling[side]) & 0xFF);
        entry[vfo_field::kBand] = static_cast<std::uint8_t>(form.selection(sc::kBand[side]) & 0xFF);
    } else {
        flags = WithBit(flags, vfo_flag::kPower, true);
        flags = WithBit(flags, vfo_flag::kBandwidth, true);
        flags = WithHiddenField(flags, 1);
        flags = WithBit(flags, vfo_flag::kBusyLockout, false);
        entry[vfo_field::kSignalling] = 0;
        entry[vfo_field::kBand] = static_cast<std::uint8_t>(side);
    }
    WriteLe16(entry + vfo_field::kFlags, flags);
}

}  // namespace

const std::vector<FormControl>& SettingsFormControls() {
    static const std::vector<FormControl> controls = BuildFormControls();
    return controls;
}

const FormControl* FindSettingsControl(int id) {
    if (id == 0) return nullptr;
    for (const FormControl& control : SettingsFormControls())
        if (control.id == id) return &control;
    return nullptr;
}

Binding BindingOf(const FormControl& control) {
    if (control.id == 0) return Binding::None;
    switch (control.kind) {
    case ControlKind::List: return Binding::Selection;
    case ControlKind::Check: return Binding::Check;
    case ControlKind::Edit: return control.id == sc::kChannelCount ? Binding::ChannelCount : Binding::Text;
    case ControlKind::RadioButton: return control.id == sc::kWorkMode ? Binding::RadioIndex : Binding::None;
    default: return Binding::None;
    }
}

SettingsForm::SettingsForm() {
    for (const FormControl& control : SettingsFormControls()) {
        switch (BindingOf(control)) {
        case Binding::Selection:
        case Binding::RadioIndex: values_[control.id] = -1; break;
        case Binding::Check: values_[control.id] = 0; break;
        case Binding::Text: texts_[control.id] = std::string(); break;
        default: break;
        }
    }
}

int SettingsForm::value(int id) const {
    auto it = values_.find(id);
    return it == values_.end() ? -1 : it->second;
}

void SettingsForm::setValue(int id, int value) { values_[id] = value; }

const std::string& SettingsForm::text(int id) const {
    static const std::string kEmpty;
    auto it = texts_.find(id);
    return it == texts_.end() ? kEmpty : it->second;
}

void SettingsForm::setText(int id, std::string text) { texts_[id] = std::move(text); }

bool ChannelsPresent(const RadioImage& image) {
    for (int n = 0; n < kChannelCount; ++n)
        if (ChannelInUse(image, n)) return true;
    return false;
}

void LoadFromImage(SettingsForm& form, const RadioImage& image, const LanguageTable& language) {
    for (const SettingRow& row : SettingsTable())
        form.setValue(row.control.id, LoadSettingValue(row, image.settingsByte(row.address)));
    if (!ChannelsPresent(image)) {
        form.setValue(sc::kDisplayModeA, kDisplayModeAll);
        form.setValue(sc::kDisplayModeB, kDisplayModeAll);
    }
    for (int side : {kVfoSideA, kVfoSideB}) {
        const std::uint8_t* entry = image.offsetEntry(side);
        form.setValue(sc::kDirection[side], entry[0] % kDirectionCount);
        form.setValue(sc::kOffset[side], OffsetIndexFromEntry(entry));
    }
    const std::string& offText = language.row(lang_row::kToneOff);
    std::vector<std::string> tones = ToneListEntries(offText);
    for (int side : {kVfoSideA, kVfoSideB}) LoadVfo(form, image.vfoEntry(side), side, tones, offText);
    form.setText(sc::kSixCharText,
                 ReadSixCharText(&image.bytes[offsets::kSettingsData + (kSixCharTextAddress - kSettingsAddress)]));
}

void StoreToImage(SettingsForm& form, RadioImage& image, const LanguageTable& language) {
    for (const SettingRow& row : SettingsTable())
        image.settingsByte(row.address) = StoreSettingValue(form.value(row.control.id));
    if (!ChannelsPresent(image)) {
        image.settingsByte(kDisplayModeAAddress) = kDisplayModeNone;
        image.settingsByte(kDisplayModeBAddress) = kDisplayModeNone;
        form.setValue(sc::kDisplayModeA, kDisplayModeNone);
        form.setValue(sc::kDisplayModeB, kDisplayModeNone);
    }
    for (int side : {kVfoSideA, kVfoSideB}) {
        std::uint8_t* entry = image.offsetEntry(side);
        entry[0] = StoreSettingValue(form.selection(sc::kDirection[side]));
        WriteOffsetIndex(entry, form.selection(sc::kOffset[side]));
    }
    const std::string& offText = language.row(lang_row::kToneOff);
    std::vector<std::string> tones = ToneListEntries(offText);
    for (int side : {kVfoSideA, kVfoSideB}) StoreVfo(form, image.vfoEntry(side), side, tones, offText);
    WriteSixCharText(&image.settingsByte(kSixCharTextAddress), form.text(sc::kSixCharText));
}

std::vector<std::string> SettingsListEntries(int id, const LanguageTable& language) {
    const FormControl* control = FindSettingsControl(id);
    if (control == nullptr || control->kind != ControlKind::List) return {};
    return ResolveChoices(control->choices, language);
}

std::string SettingsTextOf(const SettingsForm& form, int id, const LanguageTable& language) {
    const FormControl* control = FindSettingsControl(id);
    if (control == nullptr) return std::string();
    if (control->kind == ControlKind::Edit) return form.text(id);
    if (control->kind != ControlKind::List) return std::string();
    int index = form.selection(id);
    if (index < 0 || index >= ChoiceCount(control->choices)) return std::string();
    return ResolveChoices(control->choices, language)[static_cast<std::size_t>(index)];
}

int SelectByPrefix(const std::vector<std::string>& entries, const std::string& text) {
    std::size_t count = entries.size();
    for (std::size_t k = 0; k < count; ++k) {
        std::size_t i = (k + 1) % count;
        if (StartsWithIgnoringCase(entries[i], text)) return static_cast<int>(i);
    }
    return -1;
}

const std::vector<int>& SettingsExchangeOrder() {
    static const std::vector<int> order = BuildExchangeOrder();
    return order;
}

ReadResult ReadSettingsForm(SettingsForm& form, const SettingsControls& controls) {
    for (int id : SettingsExchangeOrder()) {
        const FormControl* control = FindSettingsControl(id);
        if (control == nullptr || control->hidden) continue;
        switch (BindingOf(*control)) {
        case Binding::Selection: form.setValue(id, controls.selection(id)); break;
        case Binding::Check: form.setValue(id, controls.check(id)); break;
        case Binding::Text: form.setText(id, controls.text(id)); break;
        case Binding::RadioIndex: form.setValue(id, controls.radioIndex(id)); break;
        case Binding::ChannelCount: {
            int count = 0;
            if (!ParseInteger(controls.text(id), count)) return ReadResult::StoppedAtChannelCount;
            form.channelCount = count;
            if (count < kChannelCountMin || count > kChannelCountMax) return ReadResult::StoppedAtChannelCount;
            break;
        }
        case Binding::None: break;
        }
    }
    return ReadResult::Complete;
}

void ShowSettingsForm(const SettingsForm& form, SettingsControls& controls) {
    for (int id : SettingsExchangeOrder()) {
        const FormControl* control = FindSettingsControl(id);
        if (control == nullptr || control->hidden) continue;
        switch (BindingOf(*control)) {
        case Binding::Selection: controls.showSelection(id, form.selection(id)); break;
        case Binding::Check: controls.showCheck(id, form.check(id)); break;
        case Binding::Text: controls.showText(id, form.text(id)); break;
        case Binding::RadioIndex: controls.showRadioIndex(id, form.value(id)); break;
        case Binding::ChannelCount: controls.showText(id, std::to_string(form.channelCount)); break;
        case Binding::None: break;
        }
    }
}

void ApplyBandChange(SettingsForm& form, int side) {
    BandTexts texts;
    if (!BandChangeTexts(side, form.selection(sc::kBand[side]), texts)) return;
    form.setText(sc::kRange[side], texts.range);
    form.setText(sc::kFrequency[side], texts.frequency);
}

bool FilterFrequencyEdit(SettingsForm& form, int side, const SettingsControls& controls, ReadResult* read) {
    int id = sc::kFrequency[side];
    std::string previous = form.text(id);
    ReadResult result = ReadSettingsForm(form, controls);
    if (read != nullptr) *read = result;
    if (FreqEditAccepts(form.text(id))) return true;
    form.setText(id, previous);
    return false;
}

void StoreSettingsChanges(const SettingsForm& loaded, SettingsForm& edited, RadioImage& image,
                          const LanguageTable& language) {
    StoreFormChanges(
        image,
        [&](RadioImage& asLoaded) {
            SettingsForm unchanged = loaded;
            StoreToImage(unchanged, asLoaded, language);
        },
        [&](RadioImage& asEdited) { StoreToImage(edited, asEdited, language); });
}

std::vector<std::string> MovedFrequencyNotices(const SettingsForm& typed, const SettingsForm& stored,
                                               const LanguageTable& language) {
    std::vector<std::string> notices;
    for (int side = 0; side < 2; ++side) {
        const std::string& before = typed.text(sc::kFrequency[side]);
        const std::string& after = stored.text(sc::kFrequency[side]);
        if (before.empty() || after.empty()) continue;
        // The same frequency may be written with fewer or more digits.
        if (std::abs(std::strtod(before.c_str(), nullptr) - std::strtod(after.c_str(), nullptr)) < 5e-7) continue;
        notices.push_back(FillArguments(language.row(lang_row::kVfoFrequencyMoved), {before, after}));
    }
    return notices;
}

std::string ChannelCountRefusal(const LanguageTable& language) {
    return FillArguments(language.row(lang_row::kIntegerBetween),
                         {std::to_string(kChannelCountMin), std::to_string(kChannelCountMax)});
}

}  // namespace radioprog
