// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws the printout on any paint device: a printer, the print preview, a PDF or an image.
// Device units are the device's pixels; fonts scale with its resolution.
#include <vector>

#include "print/page_plan.h"

class QPageRanges;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace radioprog {

// Measures texts in the printout's fonts on one device.
class DeviceTextMeasure : public TextMeasure {
public:
    explicit DeviceTextMeasure(QPaintDevice& device) : device_(device) {}
    int width(PrintFont font, const std::string& text) const override;
    int lineSpacing(PrintFont font) const override;

private:
    QPaintDevice& device_;
};

// The page metrics of the painter's device (its whole area is the printable area).
PageMetrics DevicePageMetrics(QPaintDevice& device, const LanguageTable& language);

// Draws page 1, 2 or 3 with the painter, which is active on its device.
void PaintPage(QPainter& painter, int page, const PrintData& data);

// Draws the given pages (1..3, in this order) on a paged device, one sheet each. False when
// the device cannot be painted on.
bool PaintPages(QPagedPaintDevice& device, const PrintData& data, const std::vector<int>& pages);

// The pages 1..3 that the ranges hold; all three for no ranges.
std::vector<int> PagesInRanges(const QPageRanges& ranges);

}  // namespace radioprog
