// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text widths without fonts: 10 units per code-page byte, lines 10 units high.
#include <ostream>

#include "model/ansi_text.h"
#include "print/page_plan.h"

namespace radioprog {
inline void PrintTo(const PlanText& t, std::ostream* out) {
    *out << "{font " << static_cast<int>(t.font) << " at " << t.x << "," << t.y << " \"" << t.text << "\" room "
         << t.room << (t.opaque ? " opaque}" : "}");
}
}  // namespace radioprog

namespace radioprog::test {

class FixedMeasure : public TextMeasure {
public:
    int width(PrintFont, const std::string& text) const override { return 10 * static_cast<int>(AnsiLength(text)); }
    int lineSpacing(PrintFont) const override { return 10; }
};

// Row r reads "R<r>".
inline LanguageTable NumberedRows() {
    LanguageTable table;
    for (std::size_t r = 0; r < table.rows.size(); ++r) table.rows[r] = "R" + std::to_string(r);
    return table;
}

}  // namespace radioprog::test
