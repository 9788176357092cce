// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/paint/print_fonts.h"

#include <QStringList>

namespace radioprog {

namespace {

QFont MakeFont(const QStringList& families, int pointSize, QFont::StyleHint hint) {
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setPointSize(pointSize);
    return font;
}

// Without FixedSys, a monospace font whose character cell sits as high: the page header is
// drawn one line above its rule, and a taller cell would push the text onto the rule. Chinese
// characters come from Droid Sans Fallback where installed: the Noto CJK fonts share the
// glyph of 页 with a radical, so a PDF's text would read the radical.
QStringList MonospaceFamilies() {
    return {QStringLiteral("FixedSys"), QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"),
            QStringLiteral("Droid Sans Fallback"), QStringLiteral("Noto Sans Mono CJK SC")};
}

// Without 宋体, a compact serif for Latin text keeps lines of 10 pt apart on the table font's
// line spacing; Chinese characters come from a Song-style CJK serif after it: AR PL UMing
// first, since the Noto CJK fonts share the glyphs of 示, 音, 方, 文 and others with radicals,
// so a PDF's text would read the radicals.
QStringList ChineseFamilies() {
    return {QStringLiteral("宋体"),
            QStringLiteral("SimSun"),
            QStringLiteral("Liberation Serif"),
            QStringLiteral("AR PL UMing CN"),
            QStringLiteral("Noto Serif CJK SC"),
            QStringLiteral("Noto Sans CJK SC"),
            QStringLiteral("AR PL UKai CN")};
}

}  // namespace

QFont PrintFontFor(PrintFont font) {
    switch (font) {
    case PrintFont::Table: return MakeFont(MonospaceFamilies(), 9, QFont::TypeWriter);
    case PrintFont::Header: return MakeFont(MonospaceFamilies(), 10, QFont::TypeWriter);
    case PrintFont::Page: return MakeFont(ChineseFamilies(), 10, QFont::Serif);
    }
    return QFont();
}

}  // namespace radioprog
