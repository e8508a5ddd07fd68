#pragma once

#include <cstdint>

// Height in points of a worksheet row of the default font.
constexpr double standardRowHeight = 15.0;

// Points per screen pixel at the usual 96 pixels per inch.
constexpr double pointsPerPixel = 0.75;

// Where the exported chart and table go on the worksheet: the chart at the top-left corner,
// chartWidth x chartHeight points, and the table from row headerRow (counted from 0) on,
// below the chart.
struct ExportLayout {
    double chartWidth = 0;
    double chartHeight = 0;
    int32_t headerRow = 2;
};

// The layout for a usable area of usableWidth x usableHeight points (the screen's space for
// the spreadsheet's window): the chart takes 0.9 of it in each direction, rounded to single
// precision, and headerRow is trunc(chartHeight / standardRowHeight) + 2. Sizes that are not
// positive finite numbers give an empty chart above row 2; each extent is limited to 100000
// points.
ExportLayout exportLayout(double usableWidth, double usableHeight);
