// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/paint/page_painter.h"

#include <QFontMetrics>
#include <QPageRanges>
#include <QPagedPaintDevice>
#include <QPainter>

#include "print/paint/print_fonts.h"
#include "ui/text.h"

namespace radioprog {

int DeviceTextMeasure::width(PrintFont font, const std::string& text) const {
    return QFontMetrics(PrintFontFor(font), &device_).horizontalAdvance(Q(text));
}

int DeviceTextMeasure::lineSpacing(PrintFont font) const {
    return QFontMetrics(PrintFontFor(font), &device_).lineSpacing();
}

PageMetrics DevicePageMetrics(QPaintDevice& device, const LanguageTable& language) {
    return MeasurePageMetrics(device.width(), device.height(), DeviceTextMeasure(device), language);
}

void PaintPage(QPainter& painter, int page, const PrintData& data) {
    QPaintDevice& device = *painter.device();
    const DeviceTextMeasure measure(device);
    const PagePlan plan = PlanPage(page, data, DevicePageMetrics(device, data.language), measure);

    painter.save();
    // One device pixel wide at any resolution, as the printer draws its thinnest line.
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    for (const PlanRect& r : plan.frames) painter.drawRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
    for (const PlanLine& l : plan.lines) painter.drawLine(l.x1, l.y1, l.x2, l.y2);
    for (const PlanText& t : plan.texts) {
        const QFont font = PrintFontFor(t.font);
        const QFontMetrics metrics(font, &device);
        const QString text = Q(t.text);
        const int advance = metrics.horizontalAdvance(text);
        // A text wider than its room is condensed rather than run into its neighbour.
        const double squeeze = t.room > 0 && advance > t.room ? double(t.room) / advance : 1.0;
        if (t.opaque) painter.fillRect(QRectF(t.x, t.y, advance * squeeze, metrics.height()), Qt::white);
        painter.save();
        painter.translate(t.x, t.y);
        painter.scale(squeeze, 1.0);
        painter.setFont(font);
        // Positions name the top of the text.
        painter.drawText(0, metrics.ascent(), text);
        painter.restore();
    }
    painter.restore();
}

bool PaintPages(QPagedPaintDevice& device, const PrintData& data, const std::vector<int>& pages) {
    if (pages.empty()) return true;
    QPainter painter;
    if (!painter.begin(&device)) return false;
    bool first = true;
    for (int page : pages) {
        if (!first && !device.newPage()) return false;
        first = false;
        PaintPage(painter, page, data);
    }
    return painter.end();
}

std::vector<int> PagesInRanges(const QPageRanges& ranges) {
    std::vector<int> pages;
    for (int page = 1; page <= kPrintPageCount; ++page)
        if (ranges.isEmpty() || ranges.contains(page)) pages.push_back(page);
    return pages;
}

}  // namespace radioprog
