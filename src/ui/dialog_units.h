// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialog units: a quarter of the font's average character width horizontally and an eighth
// of its height vertically, so a layout given in them scales with the font.
#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QSize>

namespace radioprog {

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font) {
        QFontMetrics metrics(font);
        // The average width of the Latin letters, as dialog units have always been measured.
        baseX_ =
            metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52.0;
        baseY_ = metrics.height();
    }
    int x(int units) const { return static_cast<int>(units * baseX_ / 4.0 + 0.5); }
    int y(int units) const { return static_cast<int>(units * baseY_ / 8.0 + 0.5); }
    QRect rect(int left, int top, int width, int height) const { return {x(left), y(top), x(width), y(height)}; }
    QSize size(int width, int height) const { return {x(width), y(height)}; }

private:
    double baseX_;
    double baseY_;
};

}  // namespace radioprog
