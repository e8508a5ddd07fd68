#pragma once

#include <QFontMetrics>
#include <QRect>
#include <QSize>

// Places a dialog's controls by the units of its template, which scale with the dialog font:
// a horizontal unit is a quarter of the font's average character width, a vertical unit an
// eighth of its height. Edges are converted rather than sizes, so controls whose edges meet in
// the template meet in pixels too.
class TemplateGeometry {
public:
    explicit TemplateGeometry(const QFontMetrics& metrics);

    int x(int units) const;
    int y(int units) const;
    QRect rect(int left, int top, int width, int height) const;
    QSize size(int width, int height) const;

private:
    int charWidth;
    int charHeight;
};
