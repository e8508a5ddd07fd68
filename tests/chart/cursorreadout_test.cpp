#include <gtest/gtest.h>

#include <cmath>

#include "cursorreadout.h"
#include "measurementbuilder.h"
#include "recomputechart.h"

namespace {

// A measurement whose S21 (and every other parameter) lies at dB decibels everywhere.
void addAtDecibels(RubberS2P& list, double first, double last, int32_t points, double dB, const char* name)
{
    addConstantMeasurement(list, first, last, points, Complex(std::pow(10.0, dB / 20), 0)).displayName = name;
}

// Measurements from 0 to 100 MHz in 1 MHz steps drawn into a 600 x 400 frame with S21M
// shown; the file list has one row per measurement, as it would with S21M alone enabled.
class Readout : public testing::Test {
protected:
    Readout()
    {
        state.unitMultiplier = 1e6; // frequencies in MHz, as the window starts
        state.chart.attach(ChartView::defaultLabelFont(), QSize(600, 400));
    }

    void draw(int32_t autoY = 1, double yMin = 0, double yMax = 0)
    {
        state.resetRowVisibility();
        ZoomEntry& zoom = state.currentZoom();
        zoom.autoY = autoY;
        if (autoY == 0) {
            zoom.yMin = yMin;
            zoom.yMax = yMax;
            zoom.yStep = 1;
            zoom.autoX = 0;
            zoom.xMin = 0;
            zoom.xMax = 100e6;
            zoom.xStep = 10e6;
            host.writeAxisEdits(zoom, state.unitMultiplier);
        }
        ASSERT_EQ(recomputeChart(state, host, zoom.autoX, zoom.autoY), RecomputeResult::Drawn);
        rows.clear();
        for (int32_t m = 0; m < state.measurements.itemCount; ++m)
            rows.push_back(tracesPerMeasurement * m + S21M);
    }

    ChartState state;
    HeadlessChartHost host;
    std::vector<int32_t> rows;
};

TEST_F(Readout, MaxMinDiffAndTheNearestRow)
{
    addAtDecibels(state.measurements, 0, 100e6, 101, -7, "low");
    addAtDecibels(state.measurements, 0, 100e6, 101, -3, "high");
    addAtDecibels(state.measurements, 0, 100e6, 101, -3, "high twin");
    addAtDecibels(state.measurements, 0, 100e6, 101, -20, "below the axis");
    addAtDecibels(state.measurements, 0, 100e6, 101, -5, "hidden");
    addAtDecibels(state.measurements, 0, 30e6, 31, -4, "ends early");
    draw(0, -10, 0);
    state.rowVisible[tracesPerMeasurement * 4 + S21M] = 0;

    const std::optional<CursorReadout> r = cursorReadout(state, rows, 50, -4);
    ASSERT_TRUE(r.has_value());
    const std::vector<std::string> current { "   -7", "   -3", "   -3", "", "", "" };
    EXPECT_EQ(r->current, current);
    EXPECT_EQ(r->strip[ReadoutFrequency], "50");
    EXPECT_EQ(r->strip[ReadoutMax], "Max:    -3");
    EXPECT_EQ(r->strip[ReadoutMaxName], "high");
    EXPECT_EQ(r->strip[ReadoutMin], "Min:    -7");
    EXPECT_EQ(r->strip[ReadoutMinName], "low");
    EXPECT_EQ(r->strip[ReadoutDiff], "Diff:     4");
    // The twin at -3 ties with the earlier row, which keeps the mark and the maximum.
    EXPECT_EQ(r->hoverRow, 1);

    // Where the short measurement still has values it is the nearest to -4.
    EXPECT_EQ(cursorReadout(state, rows, 10, -4)->hoverRow, 5);
}

TEST_F(Readout, NothingOnTheAxisEmptiesTheStrip)
{
    addAtDecibels(state.measurements, 0, 100e6, 101, -20, "a");
    addAtDecibels(state.measurements, 0, 100e6, 101, 5, "b");
    draw(0, -10, 0);
    const std::optional<CursorReadout> r = cursorReadout(state, rows, 20, -4);
    ASSERT_TRUE(r.has_value());
    for (const std::string& text : r->strip)
        EXPECT_EQ(text, "");
    EXPECT_EQ(r->current, std::vector<std::string>(2));
    EXPECT_EQ(r->hoverRow, -1);
    EXPECT_FALSE(cursorReadout(state, rows, state.buffers.pointCount, -4).has_value());
    EXPECT_FALSE(cursorReadout(state, rows, -1, -4).has_value());
}

TEST(ReadoutFrequency, FormatFollowsTheAxisEndInTheShownUnit)
{
    const struct {
        double xMax;
        double multiplier;
        const char* format;
    } cases[] = {
        { 3e9, 1e9, "%.2f" },
        { 3e9, 1e6, "%lg" },
        { 100e6, 1e6, "%lg" },
        { 50e6, 1e6, "%.1lf" },
        { 500e3, 1e6, "%.3lf" },
        { 20e9, 1e9, "%.1lf" },
    };
    for (const auto& c : cases)
        EXPECT_STREQ(readoutFrequencyFormat(c.xMax, c.multiplier), c.format)
            << c.xMax << " / " << c.multiplier;
}

TEST_F(Readout, PointerReadsGridColumnsAcrossThePlot)
{
    addAtDecibels(state.measurements, 0, 100e6, 101, -3, "a");
    EXPECT_FALSE(chartPointerAt(state, 300, 100).has_value()) << "no recomputation yet";
    draw(0, -10, 0);
    const PixelRect plot = state.chart.plotRect();
    const int32_t last = state.buffers.pointCount - 1;
    ASSERT_EQ(last, 100);
    const struct {
        int32_t x;
        int32_t y;
        int32_t column;
        double value;
    } cases[] = {
        { plot.left, plot.top, 0, 0 },
        { plot.right - 1, plot.bottom - 1, last, -10.0 * (plot.height() - 1) / plot.height() },
        { plot.left + plot.width() / 2, plot.top + plot.height() / 2, 50,
            -10.0 * (plot.height() / 2) / plot.height() },
    };
    for (const auto& c : cases) {
        const std::optional<ChartPointer> p = chartPointerAt(state, c.x, c.y);
        ASSERT_TRUE(p.has_value()) << c.x << "," << c.y;
        EXPECT_EQ(p->column, c.column);
        EXPECT_NEAR(p->value, c.value, 1e-12);
    }
    for (const QPoint outside :
        { QPoint(plot.left - 1, 10), QPoint(plot.right, 10), QPoint(100, plot.bottom) })
        EXPECT_FALSE(chartPointerAt(state, outside.x(), outside.y()).has_value());
}

} // namespace
