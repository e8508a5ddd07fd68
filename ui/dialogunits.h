#pragma once

#include <QFontMetrics>

// Converts the layout units of the window's design, which scale with its font, into pixels:
// a horizontal unit is a quarter of the font's average character width, a vertical unit an
// eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFontMetrics& metrics)
        : charWidth(metrics.averageCharWidth())
        , charHeight(metrics.height())
    {
    }

    int x(int units) const { return units * charWidth / 4; }
    int y(int units) const { return units * charHeight / 8; }

private:
    int charWidth;
    int charHeight;
};
