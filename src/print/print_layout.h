// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printout's geometry in device units: the page metrics, the channel table's columns,
// which channel each table line shows, and the texts whose form the printout fixes. Text
// widths are measured by the caller in the font the rule names.
#include <array>
#include <string>

#include "radio/channel_cells.h"

namespace radioprog {

inline constexpr int kPrintPageCount = 3;
inline constexpr int kSettingsPage = 3;

struct PageMetrics {
    int lineHeight = 1;   // h: the table font's line spacing
    int tableWidth = 0;   // W
    int leftMargin = 0;   // M: centres the table on the printable width
    int rowsPerPage = 0;  // R; a channel page holds R - 1 channels
};

// h, W = width(row 21) * 904 / 105 + width("000000") * 22 / 5, M = (width - W) / 2 and
// R = (height - 7h) / h, all in integer arithmetic; widths and h in the table font.
PageMetrics ComputePageMetrics(int printableWidth, int printableHeight, int lineHeight, int row21Width, int zerosWidth);

// factor * h truncated toward zero (positions such as 4.5 h).
int Scaled(double factor, int lineHeight);

// Language rows of the printed column headers and the columns' widths in units of 1/1019 W.
const std::array<int, kChannelColumnCount>& PrintedHeaderRows();
const std::array<int, kChannelColumnCount>& PrintedColumnUnits();
inline constexpr int kPrintedUnitsTotal = 1019;

// The 13 column boundaries: x = left, then each column's units * W / 1019 further.
std::array<int, kChannelColumnCount + 1> ColumnBoundaries(int left, int tableWidth);

// Channels per channel page: R - 1 (none for a page too short for a line).
int ChannelLinesPerPage(int rowsPerPage);
// The channel that line i (0-based) of channel page 1 or 2 shows, or -1 when it shows none.
int ChannelOnLine(int page, int line, int rowsPerPage);

// A header longer than 15 code-page bytes prints its first 13 (never half a character).
std::string PrintedHeader(const std::string& header);

// The right part of every page header, in the printout's language ("Page 1 of 3").
std::string PageNumberText(int page, const LanguageTable& language);

}  // namespace radioprog
