// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/print_layout.h"

#include <algorithm>

#include "model/ansi_text.h"
#include "model/radio_image.h"

namespace radioprog {

namespace {
constexpr std::size_t kHeaderLimit = 15;
constexpr std::size_t kHeaderCut = 13;
}  // namespace

PageMetrics ComputePageMetrics(int printableWidth, int printableHeight, int lineHeight, int row21Width,
                               int zerosWidth) {
    PageMetrics metrics;
    // A font without height would divide by zero; one device unit is the least a line takes.
    metrics.lineHeight = std::max(lineHeight, 1);
    metrics.tableWidth = row21Width * 904 / 105 + zerosWidth * 22 / 5;
    metrics.leftMargin = (printableWidth - metrics.tableWidth) / 2;
    metrics.rowsPerPage = (printableHeight - 7 * metrics.lineHeight) / metrics.lineHeight;
    return metrics;
}

int Scaled(double factor, int lineHeight) { return static_cast<int>(factor * lineHeight); }

const std::array<int, kChannelColumnCount>& PrintedHeaderRows() {
    // The channel table's own headers: the printed column is the column on screen.
    return ChannelHeaderRows();
}

const std::array<int, kChannelColumnCount>& PrintedColumnUnits() {
    static constexpr std::array<int, kChannelColumnCount> kUnits{44, 115, 115, 115, 105, 105, 80, 80, 80, 80, 20, 80};
    return kUnits;
}

std::array<int, kChannelColumnCount + 1> ColumnBoundaries(int left, int tableWidth) {
    std::array<int, kChannelColumnCount + 1> x{};
    x[0] = left;
    for (std::size_t c = 0; c < kChannelColumnCount; ++c)
        x[c + 1] = x[c] + PrintedColumnUnits()[c] * tableWidth / kPrintedUnitsTotal;
    return x;
}

int ChannelLinesPerPage(int rowsPerPage) { return std::max(rowsPerPage - 1, 0); }

int ChannelOnLine(int page, int line, int rowsPerPage) {
    const int perPage = ChannelLinesPerPage(rowsPerPage);
    if (page < 1 || page > 2 || line < 0 || line >= perPage) return -1;
    const int n = (page - 1) * perPage + line;
    return n < kChannelCount ? n : -1;
}

std::string PrintedHeader(const std::string& header) {
    return AnsiLength(header) > kHeaderLimit ? AnsiPrefix(header, kHeaderCut) : header;
}

std::string PageNumberText(int page, const LanguageTable& language) {
    return FillArguments(language.row(lang_row::kPageNumber), {std::to_string(page), std::to_string(kPrintPageCount)});
}

}  // namespace radioprog
