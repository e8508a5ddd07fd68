#include "exportlayout.h"

#include <cmath>

namespace {

// The chart's share of the usable area in each direction.
constexpr double chartShare = 0.9;

// Largest chart extent in points, far beyond any screen; it keeps the chart's size in the
// file's drawing units (1/12700 point, 32 bits) and the table well inside the worksheet.
constexpr double maximumChartExtent = 100000;

double chartExtent(double usable)
{
    if (!std::isfinite(usable) || usable <= 0)
        return 0;
    return static_cast<double>(static_cast<float>(std::fmin(usable * chartShare, maximumChartExtent)));
}

} // namespace

ExportLayout exportLayout(double usableWidth, double usableHeight)
{
    ExportLayout layout;
    layout.chartWidth = chartExtent(usableWidth);
    layout.chartHeight = chartExtent(usableHeight);
    layout.headerRow = static_cast<int32_t>(std::trunc(layout.chartHeight / standardRowHeight)) + 2;
    return layout;
}
