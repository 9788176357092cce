// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/page_plan.h"

#include <algorithm>

#include "print/settings_page.h"

namespace radioprog {

namespace {

// Channel texts sit this many device units below their line.
constexpr int kCellTextDrop = 10;

void AddText(PagePlan& plan, PrintFont font, int x, int y, std::string text, int room, bool opaque = false) {
    if (text.empty()) return;
    plan.texts.push_back({font, x, y, std::move(text), std::max(room, 1), opaque});
}

void PlanPageHeader(PagePlan& plan, int page, const PageMetrics& m, const TextMeasure& measure,
                    const LanguageTable& language) {
    const int h = m.lineHeight;
    const int right = m.leftMargin + m.tableWidth;
    std::string number = PageNumberText(page, language);
    const int numberX = right - measure.width(PrintFont::Header, number);
    // The heading keeps two spaces' room before the page number.
    AddText(plan, PrintFont::Header, m.leftMargin, 3 * h, language.row(lang_row::kPrintHeading),
            numberX - m.leftMargin - measure.width(PrintFont::Header, "  "));
    AddText(plan, PrintFont::Header, numberX, 3 * h, std::move(number), right - numberX);
    plan.lines.push_back({m.leftMargin, 4 * h, right, 4 * h});
}

void PlanChannelPage(PagePlan& plan, int page, const PrintData& data, const PageMetrics& m,
                     const TextMeasure& measure) {
    const int h = m.lineHeight;
    const int d = measure.width(PrintFont::Page, "0000") / 5;
    const int top = Scaled(4.5, h);
    const int bottom = (m.rowsPerPage + 5) * h + d;
    const auto x = ColumnBoundaries(m.leftMargin, m.tableWidth);

    plan.frames.push_back({m.leftMargin, top, m.leftMargin + m.tableWidth, bottom});
    for (int boundary : x) plan.lines.push_back({boundary, top, boundary, bottom});
    plan.lines.push_back({m.leftMargin, 6 * h, m.leftMargin + m.tableWidth, 6 * h});

    // A text starts d right of its column's line and keeps d clear of the next. One too wide
    // for that moves left, down to a quarter of d from either line, and is condensed only
    // when even that room is too small (the signalling column is narrower than "15").
    auto addCell = [&](std::size_t c, int y, std::string text) {
        const int pad = std::max(d / 4, 1);
        const int width = measure.width(PrintFont::Page, text);
        int left = x[c] + d;
        if (left + width > x[c + 1] - d) left = std::max(x[c] + pad, x[c + 1] - pad - width);
        const int right = left == x[c] + d ? x[c + 1] - d : x[c + 1] - pad;
        AddText(plan, PrintFont::Page, left, y, std::move(text), right - left);
    };
    for (std::size_t c = 0; c < kChannelColumnCount; ++c)
        addCell(c, Scaled(4.8, h), PrintedHeader(data.language.row(PrintedHeaderRows()[c])));

    const int lines = ChannelLinesPerPage(m.rowsPerPage);
    for (int i = 0; i < lines; ++i) {
        const int n = ChannelOnLine(page, i, m.rowsPerPage);
        if (n < 0) continue;
        const ChannelRow& row = data.channels[static_cast<std::size_t>(n)];
        for (std::size_t c = 0; c < kChannelColumnCount; ++c) addCell(c, (i + 6) * h + kCellTextDrop, row[c]);
    }
}

void PlanSettingsPage(PagePlan& plan, const PrintData& data, const PageMetrics& m, const TextMeasure& measure) {
    const LanguageTable& language = data.language;
    auto width = [&](const std::string& text) { return measure.width(PrintFont::Page, text); };
    const int h = m.lineHeight;
    const int d5 = width("0000") / 5;
    const int d25 = width("0000") / 25;
    const int top = Scaled(5.5, h);
    const std::vector<SettingsPageLine> lines = SettingsPageLines(data);

    // A block's value column starts after its widest label (at least its label row's width),
    // and its values keep 2 d5 from the frame (the room is at least the value row's width).
    auto widest = [&](SettingsBlock block, bool labels) {
        int w = 0;
        for (const SettingsPageLine& line : lines)
            if (line.block == block) w = std::max(w, width(labels ? line.label : line.value));
        return w;
    };
    auto labelWidth = [&](SettingsBlock block, int labelRow) {
        return std::max(width(language.row(labelRow) + "= "), widest(block, true));
    };
    auto roomFor = [&](SettingsBlock block, int valueRow) {
        return std::max(width(language.row(valueRow)), widest(block, false) + 3 * d5);
    };

    // A frame reaches one and a half lines below its block's last line.
    auto frameBottom = [&](SettingsBlock block) {
        int last = 0;
        for (const SettingsPageLine& line : lines)
            if (line.block == block) last = std::max(last, line.line);
        return Scaled(7.5 + last, h) + 2 * d25;
    };

    const int labelA = m.leftMargin + 2 * d5;
    // Language rows whose printed widths place the columns: block 1's value column follows
    // kTimeoutPreAlert + "= ", block 2 and 3's value columns follow kChannelDisplay + "= " (or the
    // block's widest label when that is wider); kValueWidth and kDisplayNumber are the least room
    // kept for the values of blocks 1 and 2 (and 3), which grows so the widest value keeps a
    // margin inside its frame.
    const int valueA = labelA + labelWidth(SettingsBlock::General, lang_row::kTimeoutPreAlert);
    const int roomA = roomFor(SettingsBlock::General, lang_row::kValueWidth);
    plan.frames.push_back({labelA - d5, top, valueA + roomA - d5, frameBottom(SettingsBlock::General)});

    const int labelB = valueA + roomA + 2 * d5;
    const int valueB = labelB + labelWidth(SettingsBlock::SideA, lang_row::kChannelDisplay);
    const int roomB = roomFor(SettingsBlock::SideA, lang_row::kDisplayNumber);
    plan.frames.push_back({labelB - d5, top, valueB + roomB - d5, frameBottom(SettingsBlock::SideA)});
    AddText(plan, PrintFont::Page, labelB + d5, top, SettingsBlockTitle(SettingsBlock::SideA, language),
            valueB + roomB - labelB - 3 * d5, true);

    // Frequency mode B is framed and titled like A.
    const int labelC = valueB + roomB + 2 * d5;
    const int valueC = labelC + labelWidth(SettingsBlock::SideB, lang_row::kChannelDisplay);
    const int roomC = roomFor(SettingsBlock::SideB, lang_row::kDisplayNumber);
    plan.frames.push_back({labelC - d5, top, valueC + roomC - d5, frameBottom(SettingsBlock::SideB)});
    AddText(plan, PrintFont::Page, labelC + d5, top, SettingsBlockTitle(SettingsBlock::SideB, language),
            valueC + roomC - labelC - 3 * d5, true);

    for (const SettingsPageLine& line : lines) {
        const int y = (6 + line.line) * h + d25;
        int labelX = labelA, valueX = valueA, valueRoom = roomA - 2 * d5;
        if (line.block == SettingsBlock::SideA) labelX = labelB, valueX = valueB, valueRoom = roomB - 2 * d5;
        if (line.block == SettingsBlock::SideB) labelX = labelC, valueX = valueC, valueRoom = roomC - 2 * d5;
        AddText(plan, PrintFont::Page, labelX, y, line.label, valueX - labelX);
        AddText(plan, PrintFont::Page, valueX, y, line.value, valueRoom);
    }
}

}  // namespace

PageMetrics MeasurePageMetrics(int printableWidth, int printableHeight, const TextMeasure& measure,
                               const LanguageTable& language) {
    return ComputePageMetrics(printableWidth, printableHeight, measure.lineSpacing(PrintFont::Table),
                              measure.width(PrintFont::Table, language.row(lang_row::kTxTone)),
                              measure.width(PrintFont::Table, "000000"));
}

PagePlan PlanPage(int page, const PrintData& data, const PageMetrics& metrics, const TextMeasure& measure) {
    PagePlan plan;
    if (page == kSettingsPage)
        PlanSettingsPage(plan, data, metrics, measure);
    else if (page >= 1 && page < kSettingsPage)
        PlanChannelPage(plan, page, data, metrics, measure);
    PlanPageHeader(plan, page, metrics, measure, data.language);
    return plan;
}

}  // namespace radioprog
