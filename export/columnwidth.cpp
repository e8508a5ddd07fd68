#include "columnwidth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "utf8text.h"

namespace {

// Width of an empty column of the default font.
constexpr double defaultWidth = 8.43;
// The widest column a worksheet allows.
constexpr double maximumWidth = 255;
// Letters of a title are on average a little wider than the digits the unit is measured in.
constexpr double letterWidth = 1.1;
// Room beside the contents, in digit widths.
constexpr double padding = 1;

} // namespace

void ColumnWidth::addText(const std::string& text)
{
    widest = std::max(widest, static_cast<double>(codePointCount(text)) * letterWidth);
}

void ColumnWidth::addNumber(double value)
{
    // Only the length of the text counts, which no decimal separator changes.
    char shown[400];
    const int length = std::snprintf(shown, sizeof shown, "%.3f", value);
    if (length > 0)
        widest = std::max(widest, static_cast<double>(length));
}

double ColumnWidth::width() const
{
    if (widest <= 0)
        return defaultWidth;
    return std::clamp(widest + padding, defaultWidth, maximumWidth);
}
