#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "drawchart.h"
#include "plotmapping.h"
#include "presentchart.h"

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
const QRgb black = qRgb(0, 0, 0);

int countInColumn(const QImage& image, int x, int top, int bottom, QRgb colour)
{
    int n = 0;
    for (int y = top; y < bottom; ++y)
        n += image.pixel(x, y) == colour;
    return n;
}

int countInImage(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    }
    return n;
}

bool darkPixelIn(const QImage& image, int left, int top, int right, int bottom)
{
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, image.width()); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                return true;
        }
    }
    return false;
}

// A chart whose plot area is 500 x 300 pixels, with the eight traces of one measurement on a
// grid of 101 points from first to first + 100, all not-a-number until set.
class Drawing : public testing::Test {
protected:
    Drawing()
    {
        chart.attach(ChartView::defaultLabelFont(), QSize(500, 300));
        chart.setFrameSize(QSize(chart.leftMargin + 500, 300 + chart.bottomMargin));
        setGrid(0);
        for (std::vector<double>& v : values)
            v.assign(101, nan);
    }

    void setGrid(double first)
    {
        grid.resize(101);
        for (int i = 0; i <= 100; ++i)
            grid[static_cast<size_t>(i)] = first + i;
    }

    ChartInput input()
    {
        for (size_t t = 0; t < values.size(); ++t)
            pointers[t] = values[t].data();
        ChartInput in;
        in.traceCount = 8;
        in.freqGrid = grid.data();
        in.traceValues = pointers.data();
        in.pointCount = 101;
        in.pixelColumn = columns.data();
        in.yMin = -50;
        in.yMax = 0;
        in.yStep = 10;
        in.xStep = 10;
        return in;
    }

    PixelRect plot() const { return drawingPlotRect(chart); }

    ChartView chart;
    std::vector<double> grid;
    std::array<std::vector<double>, 8> values;
    std::array<const double*, 8> pointers {};
    std::vector<int32_t> columns = std::vector<int32_t>(101);
};

TEST_F(Drawing, PlotAreaIsTheFrameLessTheMargins)
{
    drawChart(chart, input());
    const PixelRect p = plot();
    EXPECT_EQ(p.left, chart.leftMargin);
    EXPECT_EQ(p.top, 0);
    EXPECT_EQ(p.width(), 500);
    EXPECT_EQ(p.height(), 300);
    EXPECT_EQ(chart.chartBitmap.size(), QSize(chart.leftMargin + 500, 300 + chart.bottomMargin));
}

TEST_F(Drawing, GridLinesSitOnTheTicksAndSkipTheEnds)
{
    // Step 10 over 100 on 500 pixels: ticks every 50 pixels from the first multiple of 10.
    struct Row {
        double first; // grid start
        int firstTick; // column of the first drawn tick, relative to the plot's left edge
    };
    const Row rows[] = {
        { 0, 50 }, // the tick on the left edge is skipped
        { -3, 65 }, // the tick 15 pixels in is skipped too
        { -3.2, 16 }, // 16 pixels in it stays
    };
    for (const Row& row : rows) {
        setGrid(row.first);
        drawChart(chart, input());
        const PixelRect p = plot();
        const QImage& image = chart.chartBitmap;
        const int expected = p.left + row.firstTick;
        for (int x = p.left + 2; x < p.right - 1; ++x) {
            const bool tick = x >= expected && (x - expected) % 50 == 0 && x <= p.right - 16;
            const int dots = countInColumn(image, x, p.top + 1, p.bottom - 2, black);
            if (tick) {
                EXPECT_GT(dots, 60) << row.first << " column " << x;
                EXPECT_TRUE(darkPixelIn(image, x - 3, p.bottom, x + 4, image.height()))
                    << "label under " << x;
            } else {
                EXPECT_LT(dots, 10) << row.first << " column " << x;
            }
        }
    }
}

TEST_F(Drawing, FlatTraceLandsOnTheMappedRowInItsColour)
{
    values[2].assign(101, -20.0);
    drawChart(chart, input());
    const PixelRect p = plot();
    const int row = valueRow(p, -20, -50, 0);
    const QRgb red = chart.palette[2].rgb();
    const QImage& image = chart.chartBitmap;
    for (const int x : { p.left + 5, p.left + 123, p.left + 250, p.right - 3 }) {
        EXPECT_EQ(image.pixel(x, row), red) << x;
        EXPECT_EQ(image.pixel(x, row - 1), red) << x;
        EXPECT_NE(image.pixel(x, row + 1), red) << x;
        EXPECT_NE(image.pixel(x, row - 2), red) << x;
    }
    for (int i = 0; i <= 100; ++i)
        EXPECT_EQ(columns[static_cast<size_t>(i)], frequencyColumn(p, grid[static_cast<size_t>(i)], 0, 100))
            << i;
}

TEST_F(Drawing, TraceOfTwoGridPointsDrawsNothing)
{
    values[2].assign(101, -20.0);
    std::vector<int32_t> first(8, 10);
    std::vector<int32_t> last(8, 11);
    ChartInput in = input();
    in.firstIndex = first.data();
    in.lastIndex = last.data();
    const QRgb red = chart.palette[2].rgb();
    drawChart(chart, in);
    EXPECT_EQ(countInImage(chart.chartBitmap, red), 0);
    last.assign(8, 12);
    drawChart(chart, in);
    EXPECT_GT(countInImage(chart.chartBitmap, red), 0);
}

TEST_F(Drawing, ValuesATraceDoesNotHaveBreakItsCurve)
{
    // Grid points 40..60 have no value (an exact zero in dB): nothing is drawn over them, with
    // or without smoothing, and nothing bridges the gap.
    values[2].assign(101, -20.0);
    std::fill(values[2].begin() + 40, values[2].begin() + 61, nan);
    const QRgb red = chart.palette[2].rgb();
    for (const int32_t smoothing : { 0, 1 }) {
        ChartInput in = input();
        in.smoothing = smoothing;
        drawChart(chart, in);
        const PixelRect p = plot();
        const QImage& image = chart.chartBitmap;
        EXPECT_GT(countInColumn(image, p.left + 100, p.top, p.bottom, red), 0) << smoothing;
        EXPECT_GT(countInColumn(image, p.left + 400, p.top, p.bottom, red), 0) << smoothing;
        for (int x = p.left + 5 * 41; x < p.left + 5 * 60; ++x)
            EXPECT_EQ(countInColumn(image, x, p.top, p.bottom, red), 0) << smoothing << " column " << x;
    }
}

TEST_F(Drawing, HiddenTracesAreNotDrawn)
{
    values[2].assign(101, -20.0);
    values[4].assign(101, -30.0);
    std::vector<int32_t> visible { 1, 1, 0, 1, 1, 1, 1, 1 };
    ChartInput in = input();
    in.visible = visible.data();
    in.visibleCount = 8;
    drawChart(chart, in);
    EXPECT_EQ(countInImage(chart.chartBitmap, chart.palette[2].rgb()), 0);
    EXPECT_GT(countInImage(chart.chartBitmap, chart.palette[4].rgb()), 0);
    // Traces beyond the visibility table are hidden as well.
    in.visibleCount = 4;
    drawChart(chart, in);
    EXPECT_EQ(countInImage(chart.chartBitmap, chart.palette[4].rgb()), 0);
}

TEST_F(Drawing, LaterTracesLieOnTop)
{
    values[2].assign(101, -20.0);
    values[5].assign(101, -20.0);
    drawChart(chart, input());
    const PixelRect p = plot();
    EXPECT_EQ(chart.chartBitmap.pixel(p.left + 250, valueRow(p, -20, -50, 0)), chart.palette[5].rgb());
}

TEST_F(Drawing, SmoothedFlatTraceDrawsTheSameStraightLine)
{
    values[2].assign(101, -20.0);
    drawChart(chart, input());
    const QImage plain = chart.chartBitmap.copy();
    ChartInput in = input();
    in.smoothing = 1;
    drawChart(chart, in);
    EXPECT_EQ(chart.chartBitmap, plain);
}

TEST(ChartAxes, AutomaticRangeWidensToWholeSteps)
{
    // Values between -42 and -3: step 5, axis -45 .. 0, nine divisions.
    std::vector<double> grid { 0, 1, 2, 3 };
    std::vector<double> values { -42, -20, -3, -100 };
    const double* pointers[] = { values.data() };
    std::vector<int32_t> last { 3 };
    ChartInput in;
    in.traceCount = 1;
    in.freqGrid = grid.data();
    in.traceValues = pointers;
    in.pointCount = 4;
    in.lastIndex = last.data(); // the last index (-100) is not scanned
    const ChartAxes axes = chooseAxes(in, PixelRect { 60, 0, 560, 300 }, 60);
    EXPECT_DOUBLE_EQ(axes.yMin, -45);
    EXPECT_DOUBLE_EQ(axes.yMax, 0);
    EXPECT_DOUBLE_EQ(axes.yStep, 5);
    EXPECT_EQ(axes.divisions, 9);
    EXPECT_EQ(axes.factor, 1);
    EXPECT_DOUBLE_EQ(axes.xStep, 0.5);
}

TEST(ChartAxes, SpecialRanges)
{
    std::vector<double> grid { 5, 5 };
    std::vector<double> tiny { 3e-4, 5e-4 };
    std::vector<double> flat { 7, 7 };
    std::vector<double> broken { nan, -std::numeric_limits<double>::infinity() };
    const PixelRect plot { 60, 0, 560, 300 };
    const auto axesOf = [&](std::vector<double>& values) {
        const double* pointers[] = { values.data() };
        ChartInput in;
        in.traceCount = 1;
        in.freqGrid = grid.data();
        in.traceValues = pointers;
        in.pointCount = 2;
        return chooseAxes(in, plot, 60);
    };
    // A few ten-thousandths: labels scaled by a million.
    EXPECT_EQ(axesOf(tiny).factor, 1000000);
    // A flat range opens by a millionth before it is widened.
    const ChartAxes flatAxes = axesOf(flat);
    EXPECT_LT(flatAxes.yMin, 7);
    EXPECT_GT(flatAxes.yMax, 7);
    // Values that are not finite take no part: the range stays 0 .. a millionth.
    const ChartAxes brokenAxes = axesOf(broken);
    EXPECT_TRUE(std::isfinite(brokenAxes.yMin));
    EXPECT_TRUE(std::isfinite(brokenAxes.yMax));
    EXPECT_GT(brokenAxes.yMax, brokenAxes.yMin);
    // A grid of one frequency uses step 1 and a span of a millionth.
    EXPECT_EQ(flatAxes.xStep, 1);
    EXPECT_EQ(flatAxes.f0, 5);
    EXPECT_GT(flatAxes.f1, 5);
}

TEST_F(Drawing, ScaleNoteAppearsOnlyForScaledLabels)
{
    // Five divisions of 60 pixels: the lowest value label ends well above the note's place.
    const auto noteArea = [&] {
        const PixelRect p = plot();
        return darkPixelIn(chart.chartBitmap, 2, p.bottom - 20, p.left - 2, p.bottom);
    };
    values[2].assign(101, 4e-4);
    ChartInput in = input();
    in.yMin = 0;
    in.yMax = 5e-4;
    in.yStep = 1e-4;
    drawChart(chart, in);
    EXPECT_TRUE(noteArea());
    in.yMin = -50;
    in.yMax = 0;
    in.yStep = 10;
    drawChart(chart, in);
    EXPECT_FALSE(noteArea());
}

TEST_F(Drawing, AbsurdStepsStayBounded)
{
    ChartInput in = input();
    in.yStep = 1e-12;
    in.xStep = 1e-12;
    const auto start = std::chrono::steady_clock::now();
    drawChart(chart, in);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    in.yStep = -5;
    in.xStep = -5;
    drawChart(chart, in);
    in.yStep = nan;
    in.xStep = nan;
    drawChart(chart, in);
    SUCCEED();
}

TEST_F(Drawing, NewFrameSizeReplacesTheImage)
{
    chart.setFrameSize(QSize(321, 123));
    drawChart(chart, input());
    EXPECT_EQ(chart.chartBitmap.size(), QSize(321, 123));
    EXPECT_EQ(chart.frameRect.right, 321);
    EXPECT_EQ(chart.frameRect.bottom, 123);
}

TEST_F(Drawing, OutputsReceiveTheAxesUsed)
{
    values[2].assign(101, -3.0);
    values[2][7] = -42;
    ChartInput in = input();
    in.yMin = 0;
    in.yMax = 0;
    in.yStep = 0;
    in.xStep = 0;
    double yMin = 1;
    double yMax = 1;
    double xStep = 1;
    double yStep = 1;
    in.yMinOut = &yMin;
    in.yMaxOut = &yMax;
    in.xStepOut = &xStep;
    in.yStepOut = &yStep;
    drawChart(chart, in);
    EXPECT_DOUBLE_EQ(yMin, -45);
    EXPECT_DOUBLE_EQ(yMax, 0);
    EXPECT_DOUBLE_EQ(yStep, 5);
    EXPECT_DOUBLE_EQ(xStep, 10);
}

TEST(DrawChart, DetachedChartIsLeftAlone)
{
    ChartView chart;
    double yMin = 5;
    ChartInput in;
    in.yMinOut = &yMin;
    drawChart(chart, in);
    EXPECT_EQ(yMin, 5);
    EXPECT_TRUE(chart.chartBitmap.isNull());
    EXPECT_TRUE(presentChart(chart).isNull());
}

TEST_F(Drawing, PresentingDrawsOverACopy)
{
    values[2].assign(101, -20.0);
    drawChart(chart, input());
    const QImage clean = chart.chartBitmap.copy();

    EXPECT_EQ(presentChart(chart), clean);
    ChartOverlay atZero;
    EXPECT_EQ(presentChart(chart, atZero), clean);

    ChartOverlay cursor;
    cursor.column = 200;
    const QImage withCursor = presentChart(chart, cursor);
    for (int y = 0; y < withCursor.height(); ++y)
        ASSERT_EQ(withCursor.pixel(200, y), black) << y;
    EXPECT_EQ(withCursor.pixel(201, 150), clean.pixel(201, 150));

    // A band drawn from its second corner: the outline covers the same four sides.
    ChartOverlay band;
    band.hasRectangle = true;
    band.column = 200;
    band.rectangle = PixelRect { 300, 200, 120, 40 };
    const QImage withBand = presentChart(chart, band);
    for (int x = 120; x <= 300; ++x) {
        EXPECT_EQ(withBand.pixel(x, 40), black) << x;
        EXPECT_EQ(withBand.pixel(x, 200), black) << x;
    }
    for (int y = 40; y <= 200; ++y) {
        EXPECT_EQ(withBand.pixel(120, y), black) << y;
        EXPECT_EQ(withBand.pixel(300, y), black) << y;
    }
    EXPECT_EQ(withBand.pixel(200, 10), clean.pixel(200, 10)); // no cursor line with a band
    EXPECT_EQ(chart.chartBitmap, clean);
    EXPECT_EQ(chart.busy, 0);
}

// Whether a pixel of colour lies within one pixel of (x, y).
bool colourNear(const QImage& image, int x, int y, QRgb colour)
{
    for (int yy = std::max(y - 1, 0); yy <= std::min(y + 1, image.height() - 1); ++yy) {
        for (int xx = std::max(x - 1, 0); xx <= std::min(x + 1, image.width() - 1); ++xx) {
            if (image.pixel(xx, yy) == colour)
                return true;
        }
    }
    return false;
}

TEST_F(Drawing, PainterSinkStrokesTheImagesCurvesOnTheSameBackdrop)
{
    // A ramp across the plot, a dip below the value range (cut at the plot's bottom) and a
    // flat phase trace.
    struct Case {
        const char* what;
        int trace;
        std::function<double(int)> value;
    };
    const std::vector<Case> cases = {
        { "ramp", 2, [](int i) { return -50 + i * 0.5; } },
        { "dip below the range", 2, [](int i) { return i > 40 && i < 60 ? -80.0 : -20.0; } },
        { "flat", 3, [](int) { return -25.0; } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (std::vector<double>& v : values)
            v.assign(101, nan);
        for (int i = 0; i <= 100; ++i)
            values[static_cast<size_t>(c.trace)][static_cast<size_t>(i)] = c.value(i);
        drawChart(chart, input());
        const QImage raster = chart.chartBitmap.copy();
        QImage painted(raster.size(), raster.format());
        painted.fill(Qt::green);
        {
            QPainter painter(&painted);
            paintChart(painter, chart, input());
        }
        const QRgb colour = chart.tracePens[static_cast<size_t>(c.trace)].color().rgb();
        const PixelRect p = plot();
        int curvePixels = 0;
        for (int y = 0; y < raster.height(); ++y) {
            for (int x = 0; x < raster.width(); ++x) {
                const bool inRaster = raster.pixel(x, y) == colour;
                const bool inPainted = painted.pixel(x, y) == colour;
                curvePixels += inRaster;
                // Curves in both lie within a pixel of each other, and never outside the plot.
                if (inRaster) {
                    EXPECT_TRUE(colourNear(painted, x, y, colour)) << x << "," << y;
                }
                if (inPainted) {
                    EXPECT_TRUE(colourNear(raster, x, y, colour)) << x << "," << y;
                    EXPECT_TRUE(x >= p.left - 1 && x <= p.right && y >= p.top - 1 && y <= p.bottom)
                        << x << "," << y;
                }
                // Away from the curves both are the same picture.
                if (!colourNear(raster, x, y, colour) && !colourNear(painted, x, y, colour)) {
                    ASSERT_EQ(raster.pixel(x, y), painted.pixel(x, y)) << x << "," << y;
                }
            }
        }
        EXPECT_GT(curvePixels, 200);
    }
}

} // namespace
