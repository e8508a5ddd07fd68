#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plotmapping.h"
#include "roundhalfaway.h"

namespace {

// A plot of 500 x 284 pixels right of a 56-pixel margin.
const PixelRect plot { 56, 0, 556, 284 };

TEST(PlotMapping, FrequencyColumnsSpanThePlotWidth)
{
    struct Row {
        double f;
        int32_t column;
    };
    const Row rows[] = {
        { 0, 56 },
        { 100, 556 },
        { 50, 306 },
        { 10, 106 },
        { 0.1, 57 }, // 0.5 pixel rounds away
        { -10, 6 },
        { 300, 1556 },
    };
    for (const Row& row : rows)
        EXPECT_EQ(frequencyColumn(plot, row.f, 0, 100), row.column) << row.f;
}

TEST(PlotMapping, ValueRowsSpanThePlotHeight)
{
    struct Row {
        double v;
        int32_t row;
    };
    const Row rows[] = { { 0, 0 }, { -45, 284 }, { -22.5, 142 }, { -5, 32 }, { 10, -63 }, { -90, 568 } };
    for (const Row& row : rows)
        EXPECT_EQ(valueRow(plot, row.v, -45, 0), row.row) << row.v;
}

TEST(PlotMapping, PointerColumnSelectsTheNearestGridIndex)
{
    struct Row {
        int32_t x;
        int32_t pointCount;
        int32_t index;
    };
    const Row rows[] = {
        { 56, 101, 0 },
        { 556, 101, 100 },
        { 306, 101, 50 },
        { 0, 101, 0 },
        { 900, 101, 100 },
        { 56 + 125, 3, 1 }, // exactly half an interval rounds up
        { 56 + 124, 3, 0 },
        { 300, 1, 0 },
        { 300, 0, 0 },
    };
    for (const Row& row : rows)
        EXPECT_EQ(gridIndexAtColumn(plot, row.x, row.pointCount), row.index)
            << row.x << " of " << row.pointCount;
}

TEST(PlotMapping, PointerRowStandsForItsValue)
{
    EXPECT_DOUBLE_EQ(valueAtRow(plot, 0, -45, 0), 0);
    EXPECT_DOUBLE_EQ(valueAtRow(plot, 284, -45, 0), -45);
    EXPECT_DOUBLE_EQ(valueAtRow(plot, 142, -45, 0), -22.5);
    for (int32_t y = 0; y <= 284; y += 4)
        EXPECT_EQ(valueRow(plot, valueAtRow(plot, y, -45, 0), -45, 0), y) << y;
}

TEST(PlotMapping, ZoomRectangleCornersBecomeAxisValues)
{
    EXPECT_DOUBLE_EQ(zoomFrequencyAt(plot, 56, 1e6, 101e6), 1e6);
    EXPECT_DOUBLE_EQ(zoomFrequencyAt(plot, 556, 1e6, 101e6), 101e6);
    EXPECT_DOUBLE_EQ(zoomFrequencyAt(plot, 306, 1e6, 101e6), 51e6);
    EXPECT_DOUBLE_EQ(zoomFrequencyAt(plot, 0, 1e6, 101e6), 1e6 - 56 * 100e6 / 500);
    EXPECT_DOUBLE_EQ(zoomValueAt(plot, 0, -45, 0), 0);
    EXPECT_DOUBLE_EQ(zoomValueAt(plot, 284, -45, 0), -45);
    EXPECT_DOUBLE_EQ(zoomValueAt(plot, 71, -45, 0), -11.25);
}

TEST(PlotMapping, DegeneratePlotsAndRangesStayFinite)
{
    const PixelRect thin { 56, 0, 56, 284 };
    const PixelRect flat { 56, 100, 556, 100 };
    // A plot of no width or height counts as one pixel.
    EXPECT_EQ(frequencyColumn(thin, 100, 0, 100), 57);
    EXPECT_EQ(gridIndexAtColumn(thin, 57, 11), 10);
    EXPECT_EQ(valueRow(flat, 0, -45, 0), 99);
    EXPECT_DOUBLE_EQ(valueAtRow(flat, 99, -45, 0), 0);
    EXPECT_DOUBLE_EQ(zoomFrequencyAt(thin, 57, 0, 100), 100);
    EXPECT_DOUBLE_EQ(zoomValueAt(flat, 101, -45, 0), -45);
    // An empty range counts as 0.000001 wide.
    EXPECT_EQ(frequencyColumn(plot, 5, 5, 5), 56);
    EXPECT_EQ(frequencyColumn(plot, 5 + 0.0000005, 5, 5), 306);
    EXPECT_EQ(valueRow(plot, 3, 3, 3), 284);
    EXPECT_EQ(valueRow(plot, 3, 3, 1), 284);
    // Values far off the plot or not numbers give bounded pixels.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(valueRow(plot, 1e300, -45, 0), -pixelLimit);
    EXPECT_EQ(valueRow(plot, -1e300, -45, 0), pixelLimit);
    EXPECT_EQ(valueRow(plot, nan, -45, 0), 0);
    EXPECT_EQ(frequencyColumn(plot, 50, 0, nan), pixelLimit);
}

} // namespace
