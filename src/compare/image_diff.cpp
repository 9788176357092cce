// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/image_diff.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "compare/block_text.h"
#include "radio/channel_cells.h"
#include "radio/dtmf_form.h"
#include "radio/settings_form.h"
#include "radio/settings_table.h"

namespace radioprog {

namespace {

constexpr const char* kArrow = " \xE2\x86\x92 ";  // →

// A stretch of image bytes and the radio address of its first byte.
struct Span {
    std::size_t offset;
    std::size_t size;
    std::uint16_t address;
};

std::string Hex(unsigned value, int digits) {
    char text[12];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

Span DataSpan(const RecordInfo& record) {
    return {record.offset + RecordHeaderSize(record.form), RecordDataSize(record.form), record.address};
}

using Spans = std::vector<Span>;

bool SpansDiffer(const RadioImage& a, const RadioImage& b, const Spans& spans) {
    for (const Span& span : spans)
        for (std::size_t i = 0; i < span.size; ++i)
            if (a.bytes[span.offset + i] != b.bytes[span.offset + i]) return true;
    return false;
}

Span ChannelRecordSpan(int n) { return {ChannelOffset(n), 16, static_cast<std::uint16_t>(16 * n)}; }
Span ChannelNameSpan(int n) { return {ChannelNameOffset(n), 16, static_cast<std::uint16_t>(0x1000 + 16 * n)}; }

Spans ChannelSpans(int n) { return {ChannelRecordSpan(n), ChannelNameSpan(n)}; }

Spans SettingsSpans() {
    return {DataSpan(SingleRecord(BlockId::Settings)), DataSpan(SingleRecord(BlockId::Vfo)),
            DataSpan(SingleRecord(BlockId::SecondSettings))};
}

Span DtmfSpan() { return DataSpan(SingleRecord(BlockId::DtmfCodes)); }

std::string ChannelWhere(int n, const LanguageTable& language) {
    return language.row(lang_row::kChannelNumber) + " " + std::to_string(n);
}

// The table's cells of one channel that differ.
void CompareChannel(std::vector<ImageDifference>& out, const RadioImage& a, const RadioImage& b, int n,
                    const LanguageTable& language) {
    if (!SpansDiffer(a, b, ChannelSpans(n))) return;
    const auto& headers = ChannelHeaderRows();
    ChannelRow before = ChannelToRow(a, language, n);
    ChannelRow after = ChannelToRow(b, language, n);
    std::string where = ChannelWhere(n, language);
    for (int c = column::kBand; c < kChannelColumnCount; ++c) {
        auto k = static_cast<std::size_t>(c);
        if (before[k] != after[k]) out.push_back({where, language.row(headers[k]), before[k], after[k], n});
    }
}

// The caption the form shows for a control: its own, its settings row's label, or the label
// on its line just left of it.
std::string CaptionOf(const FormControl& control, const LanguageTable& language) {
    // The work-mode buttons carry the values' names; their frame names the setting.
    if (BindingOf(control) == Binding::RadioIndex) return language.row(lang_row::kWorkMode);
    if (control.captionRow != kNoRow) return language.row(control.captionRow);
    if (const SettingRow* row = FindSettingRow(control.id); row && row->caption.captionRow != kNoRow)
        return language.row(row->caption.captionRow);
    const FormControl* best = nullptr;
    for (const FormControl& label : SettingsFormControls()) {
        if (label.kind != ControlKind::Label || label.captionRow == kNoRow || label.side != control.side) continue;
        if (std::abs(label.rect.y - control.rect.y) > 4 || label.rect.x >= control.rect.x) continue;
        if (!best || label.rect.x > best->rect.x) best = &label;
    }
    return best ? language.row(best->captionRow) : std::string();
}

std::string ShownValue(const SettingsForm& form, const FormControl& control, const LanguageTable& language) {
    switch (BindingOf(control)) {
    case Binding::Selection:
    case Binding::Text: return SettingsTextOf(form, control.id, language);
    case Binding::Check: return language.row(form.check(control.id) == 1 ? lang_row::kOn : lang_row::kOff);
    case Binding::RadioIndex: {
        int index = form.value(control.id);
        const FormControl* button = index == 1   ? FindSettingsControl(settings_control::kWorkModeChannel)
                                    : index == 0 ? &control
                                                 : nullptr;
        return button ? language.row(button->captionRow) : std::string();
    }
    case Binding::ChannelCount: return std::to_string(form.channelCount);
    case Binding::None: break;
    }
    return {};
}

void CompareSettings(std::vector<ImageDifference>& out, const RadioImage& a, const RadioImage& b,
                     const LanguageTable& language) {
    if (!SpansDiffer(a, b, SettingsSpans())) return;
    SettingsForm before, after;
    LoadFromImage(before, a, language);
    LoadFromImage(after, b, language);
    for (const FormControl& control : SettingsFormControls()) {
        if (control.hidden || BindingOf(control) == Binding::None) continue;
        std::string x = ShownValue(before, control, language), y = ShownValue(after, control, language);
        if (x == y) continue;
        std::string where = control.side >= 0 ? language.row(lang_row::kVfoA + control.side) : std::string();
        out.push_back({where, CaptionOf(control, language), x, y, -1});
    }
}

void CompareDtmf(std::vector<ImageDifference>& out, const RadioImage& a, const RadioImage& b,
                 const LanguageTable& language) {
    // The form also shows a few bytes of the settings block (local ID, timings, PTT sending).
    if (!SpansDiffer(a, b, {DtmfSpan()}) && !SpansDiffer(a, b, SettingsSpans())) return;
    DtmfForm before, after;
    LoadFromImage(before, a);
    LoadFromImage(after, b);
    const std::string where = language.row(lang_row::kDtmfSettings);
    auto add = [&](const std::string& field, const std::string& x, const std::string& y) {
        if (x != y) out.push_back({where, field, x, y, -1});
    };
    auto timing = [](int index) {
        const auto& texts = DtmfTimingTexts();
        return index >= 0 && static_cast<std::size_t>(index) < texts.size() ? texts[static_cast<std::size_t>(index)]
                                                                            : std::string();
    };
    auto onOff = [&](int state) { return language.row(state == 1 ? lang_row::kOn : lang_row::kOff); };
    for (int k = 0; k < kDtmfGroupCount; ++k)
        add(language.row(lang_row::kDtmfGroup) + " " + std::to_string(k + 1), before.codes[static_cast<std::size_t>(k)],
            after.codes[static_cast<std::size_t>(k)]);
    add(language.row(lang_row::kLocalId), before.localId, after.localId);
    add(language.row(lang_row::kDtmfDuration), timing(before.duration), timing(after.duration));
    add(language.row(lang_row::kDtmfPause), timing(before.pause), timing(after.pause));
    add(language.row(lang_row::kSendOnPress), onOff(before.pttPress), onOff(after.pttPress));
    add(language.row(lang_row::kSendOnRelease), onOff(before.pttRelease), onOff(after.pttRelease));
}

using Comparison = std::function<void(std::vector<ImageDifference>&, const RadioImage&, const RadioImage&)>;

bool SameField(const ImageDifference& x, const ImageDifference& y) { return x.where == y.where && x.field == y.field; }

// Lists each differing byte of the spans that no reported difference accounts for: a byte is
// accounted for when taking that byte alone from `b` changes a field that `named` reports.
// So every byte shows up once, by a field's name where one shows it, else by its address.
void AddUnshownBytes(std::vector<ImageDifference>& out, const RadioImage& a, const RadioImage& b, const Spans& spans,
                     const std::vector<ImageDifference>& named, const Comparison& compare, const std::string& where,
                     int channel, const LanguageTable& language) {
    RadioImage probe = a;
    for (const Span& span : spans)
        for (std::size_t i = 0; i < span.size; ++i) {
            const std::size_t at = span.offset + i;
            const std::uint8_t x = a.bytes[at], y = b.bytes[at];
            if (x == y) continue;
            probe.bytes[at] = y;
            std::vector<ImageDifference> changed;
            compare(changed, a, probe);
            probe.bytes[at] = x;
            const bool shown = std::any_of(changed.begin(), changed.end(), [&named](const ImageDifference& d) {
                return std::any_of(named.begin(), named.end(),
                                   [&d](const ImageDifference& n) { return SameField(d, n); });
            });
            if (!shown)
                out.push_back(
                    {where, language.row(lang_row::kDiffByte) + " " + Hex(span.address + static_cast<unsigned>(i), 4),
                     Hex(x, 2), Hex(y, 2), channel});
        }
}

// One area's named differences, then the bytes none of them accounts for.
void CompareArea(std::vector<ImageDifference>& out, const RadioImage& a, const RadioImage& b, const Spans& spans,
                 const std::string& where, int channel, const Comparison& compare, const LanguageTable& language) {
    if (!SpansDiffer(a, b, spans)) return;
    std::vector<ImageDifference> named;
    compare(named, a, b);
    out.insert(out.end(), named.begin(), named.end());
    AddUnshownBytes(out, a, b, spans, named, compare, where, channel, language);
}

}  // namespace

std::vector<ImageDifference> CompareImages(const RadioImage& before, const RadioImage& after,
                                           const LanguageTable& language) {
    std::vector<ImageDifference> out;
    for (int n = 0; n < kChannelCount; ++n) {
        auto compare = [n, &language](std::vector<ImageDifference>& found, const RadioImage& a, const RadioImage& b) {
            CompareChannel(found, a, b, n, language);
        };
        CompareArea(out, before, after, ChannelSpans(n), ChannelWhere(n, language), n, compare, language);
    }
    // The settings and the DTMF form share the settings block's bytes, so a byte is accounted
    // for by whichever form shows it; a byte no form shows is listed once, where it lives.
    auto forms = [&language](std::vector<ImageDifference>& found, const RadioImage& a, const RadioImage& b) {
        CompareSettings(found, a, b, language);
        CompareDtmf(found, a, b, language);
    };
    std::vector<ImageDifference> named;
    forms(named, before, after);
    std::vector<ImageDifference> settingsBytes, dtmfBytes;
    AddUnshownBytes(settingsBytes, before, after, SettingsSpans(), named, forms,
                    language.row(lang_row::kOptionalFunctions), -1, language);
    AddUnshownBytes(dtmfBytes, before, after, {DtmfSpan()}, named, forms, language.row(lang_row::kDtmfSettings), -1,
                    language);
    const std::string dtmfWhere = language.row(lang_row::kDtmfSettings);
    auto isDtmf = [&dtmfWhere](const ImageDifference& d) { return d.where == dtmfWhere; };
    for (const ImageDifference& d : named)
        if (!isDtmf(d)) out.push_back(d);
    out.insert(out.end(), settingsBytes.begin(), settingsBytes.end());
    for (const ImageDifference& d : named)
        if (isDtmf(d)) out.push_back(d);
    out.insert(out.end(), dtmfBytes.begin(), dtmfBytes.end());
    for (const RecordInfo& record : BlockMap()) {
        const std::uint16_t x = RecordAddress(before, record), y = RecordAddress(after, record);
        if (x != y)
            out.push_back({BlockText(record.address, RecordDataSize(record.form), language),
                           language.row(lang_row::kRecordAddress), Hex(x, 4), Hex(y, 4), -1});
    }
    return out;
}

std::vector<ImageDifference> AddressMismatches(const RadioImage& image, const LanguageTable& language) {
    std::vector<ImageDifference> out;
    for (const RecordInfo& record : MisaddressedRecords(image))
        out.push_back({BlockText(record.address, RecordDataSize(record.form), language),
                       language.row(lang_row::kRecordAddress), Hex(record.address, 4),
                       Hex(RecordAddress(image, record), 4), -1});
    return out;
}

std::string DifferenceText(const ImageDifference& difference, const LanguageTable& language) {
    auto shown = [&](const std::string& value) { return value.empty() ? language.row(lang_row::kDiffEmpty) : value; };
    std::string text = difference.where;
    if (!difference.field.empty()) text += (text.empty() ? "" : " ") + difference.field;
    return text + " " + shown(difference.before) + kArrow + shown(difference.after);
}

}  // namespace radioprog
