// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Each printed page as a list of frames, lines and texts at device positions. The caller
// measures texts in the printout's fonts; drawing the plan is all that is left to a painter.
#include <string>
#include <vector>

#include "print/print_data.h"
#include "print/print_layout.h"

namespace radioprog {

enum class PrintFont {
    Table,   // measures the page metrics only
    Header,  // the page header
    Page,    // the channel table and the settings
};

class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual int width(PrintFont font, const std::string& text) const = 0;
    // Height plus external leading.
    virtual int lineSpacing(PrintFont font) const = 0;
};

struct PlanText {
    PrintFont font;
    int x;
    int y;  // top of the text
    std::string text;
    // The width the text may take before it reaches the next column or value; a wider text
    // is condensed to it (0: no limit).
    int room = 0;
    bool opaque = false;  // clears the paper behind it (a block title on its frame)
    bool operator==(const PlanText&) const = default;
};

struct PlanLine {
    int x1, y1, x2, y2;
    bool operator==(const PlanLine&) const = default;
};

struct PlanRect {
    int left, top, right, bottom;
    bool operator==(const PlanRect&) const = default;
};

// Drawn in this order: frames, lines, texts.
struct PagePlan {
    std::vector<PlanRect> frames;
    std::vector<PlanLine> lines;
    std::vector<PlanText> texts;
};

PageMetrics MeasurePageMetrics(int printableWidth, int printableHeight, const TextMeasure& measure,
                               const LanguageTable& language);

// Page 1 or 2: the channel table; page 3: the settings. Every page has the page header.
PagePlan PlanPage(int page, const PrintData& data, const PageMetrics& metrics, const TextMeasure& measure);

}  // namespace radioprog
