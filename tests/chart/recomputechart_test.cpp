#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>

#include "chartinput.h"
#include "drawchart.h"
#include "frequencygrid.h"
#include "measurementbuilder.h"
#include "recomputechart.h"
#include "renderchart.h"

namespace {

constexpr double pi = 3.141592653589793;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

Complex degrees(double magnitude, double phase)
{
    return std::polar(magnitude, phase * pi / 180);
}

// A state with every trace shown, drawn into a 600 x 400 frame, frequencies in MHz.
class Recompute : public testing::Test {
protected:
    Recompute()
    {
        state.unitMultiplier = 1e6; // frequencies in MHz, as the window starts
        state.traceEnabled.fill(1);
        state.resetRowVisibility();
        state.chart.attach(ChartView::defaultLabelFont(), QSize(600, 400));
    }

    RecomputeResult redraw()
    {
        const ZoomEntry& zoom = state.currentZoom();
        return recomputeChart(state, host, zoom.autoX, zoom.autoY);
    }

    // A manual view, typed into the edit boxes as the user would.
    void setManualView(double xMin, double xMax, double xStep, double yMin, double yMax, double yStep)
    {
        ZoomEntry& zoom = state.currentZoom();
        zoom = ZoomEntry { xMin, xMax, yMin, yMax, xStep, yStep, 0, 0 };
        host.writeAxisEdits(zoom, state.unitMultiplier);
    }

    double value(int32_t trace, int32_t i) const
    {
        return state.buffers.traceValues[static_cast<size_t>(trace)][i];
    }

    ChartState state;
    HeadlessChartHost host;
};

TEST_F(Recompute, TooSmallAPlotAreaChangesNothing)
{
    addConstantMeasurement(state.measurements, 0, 100e6, 11, Complex(0.5, 0));
    ASSERT_EQ(redraw(), RecomputeResult::Drawn);
    const QImage before = state.chart.chartBitmap.copy();
    const int32_t points = state.buffers.pointCount;
    addConstantMeasurement(state.measurements, 0, 50e6, 51, Complex(0.1, 0));

    ChartView& chart = state.chart;
    chart.setFrameSize(QSize(chart.leftMargin + chart.rightMargin + 40, chart.bottomMargin + 30));
    EXPECT_EQ(redraw(), RecomputeResult::FrameTooSmall);
    chart.setFrameSize(QSize(chart.leftMargin + 500, chart.bottomMargin + 31));
    EXPECT_EQ(redraw(), RecomputeResult::FrameTooSmall);
    EXPECT_EQ(chart.chartBitmap, before);
    EXPECT_EQ(state.buffers.pointCount, points);
    EXPECT_EQ(state.buffers.traceCount, 8);

    chart.setFrameSize(QSize(chart.leftMargin + 32, chart.bottomMargin + 32));
    EXPECT_EQ(redraw(), RecomputeResult::Drawn);
    EXPECT_EQ(state.buffers.traceCount, 16);

    chart.release();
    EXPECT_EQ(redraw(), RecomputeResult::FrameTooSmall);
}

TEST_F(Recompute, WithoutMeasurementsTheFrameIsHidden)
{
    EXPECT_EQ(redraw(), RecomputeResult::NoMeasurements);
    EXPECT_FALSE(host.frameVisible);
    addConstantMeasurement(state.measurements, 0, 100e6, 11, Complex(0.5, 0));
    EXPECT_EQ(redraw(), RecomputeResult::Drawn);
    EXPECT_TRUE(host.frameVisible);
}

TEST_F(Recompute, AutomaticAxesFollowTheData)
{
    addConstantMeasurement(state.measurements, 15e6, 95e6, 81, Complex(0.1, 0));
    addConstantMeasurement(state.measurements, 12e6, 92e6, 9, Complex(0.1, 0));
    ASSERT_EQ(redraw(), RecomputeResult::Drawn);
    const ZoomEntry& zoom = state.currentZoom();
    // 12 .. 95 MHz in the 1 MHz step of the first: the second has only 8 steps in the view.
    EXPECT_DOUBLE_EQ(zoom.xMin, 12e6);
    EXPECT_DOUBLE_EQ(zoom.xMax, 95e6);
    EXPECT_EQ(state.buffers.pointCount, 84);
    EXPECT_DOUBLE_EQ(state.buffers.freqGrid.front(), 12);
    EXPECT_DOUBLE_EQ(state.buffers.freqGrid.back(), 95);
    EXPECT_DOUBLE_EQ(zoom.xStep, 10e6); // in hertz again
    EXPECT_GT(zoom.yMax, zoom.yMin);
    EXPECT_GT(zoom.yStep, 0);
    EXPECT_EQ(host.axisEdits.xMin, "12");
    EXPECT_EQ(host.axisEdits.xStep, "10");
    ASSERT_EQ(state.buffers.pixelColumn.size(), 84u);
    EXPECT_EQ(state.buffers.pixelColumn.front(), state.chart.leftMargin);
}

// A Smith or polar chart has no trace values to choose a value axis from: the frequency
// chart's value axis stays as it was, so that going back to it, even with Auto Y off, shows it.
TEST_F(Recompute, PlaneChartsLeaveTheValueAxisAlone)
{
    addConstantMeasurement(state.measurements, 15e6, 95e6, 81, Complex(0.1, 0));
    ASSERT_EQ(redraw(), RecomputeResult::Drawn);
    const ZoomEntry before = state.currentZoom();
    for (const ChartKind kind : { ChartKind::smith, ChartKind::polar }) {
        state.chartKind = kind;
        ASSERT_EQ(redraw(), RecomputeResult::Drawn);
        const ZoomEntry& zoom = state.currentZoom();
        EXPECT_EQ(zoom.yMin, before.yMin);
        EXPECT_EQ(zoom.yMax, before.yMax);
        EXPECT_EQ(zoom.yStep, before.yStep);
        EXPECT_EQ(zoom.xMin, before.xMin);
        EXPECT_EQ(zoom.xMax, before.xMax);
    }
}

TEST_F(Recompute, TraceValuesOfKnownPoints)
{
    addMeasurement(state.measurements, 0, 10e6, 11, [](double) {
        return SParams { Complex(1, 0), Complex(0, 0), degrees(0.1, 170), degrees(0.5, -90) };
    });
    for (const int32_t dbMode : { 1, 0 }) {
        state.dbMode = dbMode;
        ASSERT_EQ(redraw(), RecomputeResult::Drawn);
        for (int32_t i = 0; i < state.buffers.pointCount; ++i) {
            EXPECT_NEAR(value(S11M, i), dbMode == 1 ? 0 : 1000, 1e-9);
            EXPECT_NEAR(value(S11A, i), 0, 1e-9);
            EXPECT_TRUE(std::isnan(value(S21M, i))); // an exact zero has no dB value
            EXPECT_NEAR(value(S12M, i), -20, 1e-9);
            EXPECT_NEAR(value(S12A, i), 170, 1e-9);
            EXPECT_NEAR(value(S22M, i), dbMode == 1 ? 20 * std::log10(0.5) : 3, 1e-9);
            EXPECT_NEAR(value(S22A, i), -90, 1e-9);
        }
    }
}

TEST_F(Recompute, OnePortShowsItsReflectionAlone)
{
    addConstantMeasurement(state.measurements, 0, 10e6, 11, Complex(0.5, 0)).portCount = 1;
    addConstantMeasurement(state.measurements, 0, 10e6, 11, Complex(0.5, 0));
    state.resetRowVisibility();
    ASSERT_EQ(redraw(), RecomputeResult::Drawn);
    for (int32_t t = 0; t < 2 * tracesPerMeasurement; ++t) {
        const bool s11 = t % tracesPerMeasurement == S11M || t % tracesPerMeasurement == S11A;
        const bool held = t >= tracesPerMeasurement || s11;
        EXPECT_EQ(state.traceVisible(t), held) << t;
        EXPECT_EQ(state.buffers.computed(t), held) << t;
    }
}

TEST_F(Recompute, PlainPlotsShowTheNearestMeasuredPoint)
{
    addConstantMeasurement(state.measurements, 0, 110e6, 12, Complex(0.5, 0));
    // Points at 0, 5, 15, ..., 95, 110 MHz, 10 MHz apart on average as the first measurement's;
    // |S21| tells the point's frequency.
    RubberS2PData& uneven = addConstantMeasurement(state.measurements, 0, 0, 1, Complex(0, 0));
    for (int32_t k = 0; k <= 11; ++k) {
        S2PPoint& p = *uneven.point(k);
        p.freq = k == 0 ? 0 : k == 11 ? 110e6 : (10.0 * k - 5) * 1e6;
        p.sParams(1, 0) = Complex(p.freq / 1e9 + 1e-3, 0);
    }
    uneven.updateFreqSummary();
    ASSERT_EQ(redraw(), RecomputeResult::Drawn);
    ASSERT_EQ(state.buffers.pointCount, 12);
    const int32_t s21 = 8 + S21M;
    // Grid 10 MHz lies halfway between 5 and 15: the higher point wins.
    EXPECT_NEAR(value(s21, 1), decibels(15e6 / 1e9 + 1e-3), 1e-9);
    EXPECT_NEAR(value(s21, 0), decibels(1e-3), 1e-9);
    EXPECT_NEAR(value(s21, 10), decibels(0.095 + 1e-3), 1e-9);
}

TEST_F(Recompute, CoarseMeasurementsDrawStraightLinesBetweenTheirPoints)
{
    // The fine measurement's points lie 0.3 MHz above the grid frequencies, its S21 rising
    // with f; the coarse ones' S21 follows a parabola in magnitude and a phase from -150 to 150
    // degrees, neither straight in the plotted values.
    const auto rising = [](double f) {
        const Complex s21(0.1 + 0.8 * f / 1e9, 0);
        return SParams { s21, s21, s21, s21 };
    };
    const auto curved = [](double f) {
        const double x = f / 1e9;
        const Complex s21 = degrees(0.05 + 0.9 * x * x, -150 + 300 * x);
        return SParams { Complex(0.5, 0), s21, s21, Complex(0.5, 0) };
    };
    struct Row {
        int32_t coarsePoints; // over 0 .. 1000 MHz
        bool manual;
        double xMin; // MHz
        double xMax;
    };
    const Row rows[] = {
        { 2, false, 0, 1000 }, // one step of 1000 MHz over the whole view
        { 6, true, 450, 550 }, // 200 MHz steps, none inside the view
        { 6, true, 170, 430 },
    };
    for (const Row& row : rows) {
        state.measurements.removeAll();
        RubberS2PData& fine = addMeasurement(state.measurements, 0.3e6, 1000.3e6, 1001, rising);
        RubberS2PData& coarse = addMeasurement(state.measurements, 0, 1e9, row.coarsePoints, curved);
        state.currentZoom() = ZoomEntry {};
        if (row.manual)
            setManualView(row.xMin * 1e6, row.xMax * 1e6, 10e6, -40, 0, 5);
        ASSERT_EQ(redraw(), RecomputeResult::Drawn) << row.xMin;
        const int32_t n = static_cast<int32_t>(row.xMax - row.xMin) + 1; // 1 MHz steps
        ASSERT_EQ(state.buffers.pointCount, n) << row.xMin;

        const double coarseStep = 1000.0 / (row.coarsePoints - 1);
        for (int32_t i = 0; i < n; ++i) {
            const double f = row.xMin + i;
            const int32_t lo = std::min(static_cast<int32_t>(f / coarseStep), row.coarsePoints - 2);
            const double t = (f - lo * coarseStep) / coarseStep;
            const Complex a = coarse.point(lo)->sParams(1, 0);
            const Complex b = coarse.point(lo + 1)->sParams(1, 0);
            const double dbA = 20 * std::log10(std::abs(a));
            const double dbB = 20 * std::log10(std::abs(b));
            const double phaseA = std::arg(a) * 180 / pi;
            const double phaseB = std::arg(b) * 180 / pi;
            EXPECT_NEAR(value(8 + S21M, i), dbA + (dbB - dbA) * t, 1e-9) << f;
            EXPECT_NEAR(value(8 + S21A, i), phaseA + (phaseB - phaseA) * t, 1e-9) << f;
            // The fine measurement keeps its nearest point, the one 0.3 MHz above.
            const Complex nearest = fine.point(static_cast<int32_t>(f))->sParams(1, 0);
            EXPECT_NEAR(value(S21M, i), 20 * std::log10(std::abs(nearest)), 1e-9) << f;
        }
    }
}

TEST_F(Recompute, ReferenceEqualToAMeasurementGivesZero)
{
    const auto filter = [](double f) { return bandPass(f, 50e6, 0.3, 2e-9, 0.01); };
    addMeasurement(state.measurements, 10e6, 100e6, 91, filter);
    addMeasurement(state.measurements, 10e6, 100e6, 91, filter);
    addMeasurement(
        state.measurements, 10e6, 100e6, 91, [](double f) { return bandPass(f, 60e6, 0.3, 1e-9, 0); });
    state.referenceIndex = 0;
    ASSERT_EQ(redraw(), RecomputeResult::Drawn);
    bool anyNonZero = false;
    for (int32_t t = 0; t < 16; ++t) {
        // The reflection is an exact zero at the centre, where it has no value to compare.
        for (int32_t i = state.buffers.firstIndex[t]; i <= state.buffers.lastIndex[t]; ++i)
            EXPECT_TRUE(std::isnan(value(t, i)) || std::abs(value(t, i)) < 1e-9) << t << " " << i;
    }
    for (int32_t i = 0; i < state.buffers.pointCount; ++i)
        anyNonZero = anyNonZero || std::abs(value(16 + S21M, i)) > 0.1;
    EXPECT_TRUE(anyNonZero);
}

TEST_F(Recompute, RelativePhasesWrap)
{
    addConstantMeasurement(state.measurements, 0, 10e6, 11, degrees(0.5, -170));
    addConstantMeasurement(state.measurements, 0, 10e6, 11, degrees(0.25, 170));
    state.referenceIndex = 0;
    ASSERT_EQ(redraw(), RecomputeResult::Drawn);
    for (int32_t i = 0; i < state.buffers.pointCount; ++i) {
        EXPECT_NEAR(value(8 + S21A, i), -20, 1e-9);
        EXPECT_NEAR(value(8 + S21M, i), decibels(0.25) - decibels(0.5), 1e-9);
    }
}

TEST_F(Recompute, AboveAShortReferenceValuesAreAbsolute)
{
    addConstantMeasurement(state.measurements, 0, 50e6, 6, Complex(0.1, 0));
    addConstantMeasurement(state.measurements, 0, 100e6, 11, Complex(0.5, 0));
    state.referenceIndex = 0;
    ASSERT_EQ(redraw(), RecomputeResult::Drawn);
    ASSERT_EQ(state.buffers.pointCount, 11);
    const int32_t s21 = 8 + S21M;
    for (int32_t i = 0; i <= 10; ++i) {
        const double relative = decibels(0.5) - decibels(0.1);
        const bool covered = i <= state.buffers.lastIndex[0];
        EXPECT_NEAR(value(s21, i), covered ? relative : decibels(0.5), 1e-9) << i;
    }
    EXPECT_EQ(state.buffers.lastIndex[0], 5);
}

TEST_F(Recompute, ReferencesThatCannotBeUsedLeaveValuesAbsolute)
{
    addConstantMeasurement(state.measurements, 0, 100e6, 11, Complex(0.5, 0));
    state.measurements.measurement(1); // a measurement without points
    for (const int32_t reference : { 1, 2, 57, -5 }) {
        state.referenceIndex = reference;
        ASSERT_EQ(redraw(), RecomputeResult::Drawn) << reference;
        for (int32_t i = 0; i < state.buffers.pointCount; ++i)
            EXPECT_NEAR(value(S11M, i), decibels(0.5), 1e-9) << reference;
        EXPECT_GT(state.buffers.firstIndex[8], state.buffers.lastIndex[8]);
        EXPECT_EQ(state.buffers.traceMin[8], 0);
        EXPECT_EQ(state.buffers.traceMax[8], 0);
    }
}

TEST_F(Recompute, KeptSpansGiveTheStatisticsAndCurvesOfAScan)
{
    // Noisy traces whose last grid point holds the extreme, and a trace with a gap of no value.
    for (int32_t m = 0; m < 3; ++m) {
        addMeasurement(state.measurements, m, 100e6, 101, [m](double f) {
            const double wobble = std::sin(f * 1e-6 * (m + 1));
            const double db = f >= 100e6 ? -2.0 - m : -20 + 3 * wobble;
            const Complex s21(std::pow(10, db / 20), 0);
            return SParams { Complex(f > 40e6 && f < 50e6 ? 0.0 : 0.1 + 0.05 * wobble, 0), s21, s21,
                Complex(0.15, 0) };
        });
    }
    ASSERT_EQ(redraw(), RecomputeResult::Drawn);
    TraceBuffers& b = state.buffers;
    ASSERT_EQ(b.finiteSpans.size(), static_cast<size_t>(b.traceCount));
    const ZoomEntry& zoom = state.currentZoom();
    // The axis range itself, and one narrower than the values, where the kept spans do not serve.
    for (const double inset : { 0.0, 4.0 }) {
        computeStatistics(b, zoom.yMin + inset, zoom.yMax - inset);
        const std::vector<double> low = b.traceMin;
        const std::vector<double> high = b.traceMax;
        std::vector<ValueSpan> kept;
        kept.swap(b.finiteSpans);
        computeStatistics(b, zoom.yMin + inset, zoom.yMax - inset);
        kept.swap(b.finiteSpans);
        EXPECT_EQ(b.traceMin, low) << inset;
        EXPECT_EQ(b.traceMax, high) << inset;
    }
    EXPECT_NEAR(b.traceMax[S21M], -2, 0.01); // the last grid point

    // The curves, whose gaps the kept counts tell, and the axis are those of a scan.
    for (const int32_t smoothing : { 0, 1 }) {
        ChartInput input = chartInputOf(state, 1, 1);
        input.smoothing = smoothing;
        ASSERT_NE(input.finiteSpans, nullptr);
        drawChart(state.chart, input);
        const QImage kept = state.chart.chartBitmap.copy();
        input.finiteSpans = nullptr;
        drawChart(state.chart, input);
        EXPECT_EQ(state.chart.chartBitmap, kept) << smoothing;
    }
}

TEST_F(Recompute, StatisticsStayInsideTheValueAxis)
{
    // S21 falls linearly in dB from -20 at 0 MHz to -5 at 100 MHz; S11 lies below the axis.
    addMeasurement(state.measurements, 0, 100e6, 101, [](double f) {
        const double db = -20 + 15 * f / 100e6;
        const Complex s21(std::pow(10, db / 20), 0);
        return SParams { Complex(0.1, 0), s21, s21, Complex(0.15, 0) };
    });
    setManualView(0, 100e6, 10e6, -10, 0, 2);
    ASSERT_EQ(redraw(), RecomputeResult::Drawn);
    const TraceBuffers& b = state.buffers;
    EXPECT_NEAR(b.traceMin[S21M], -20 + 15 * 67 / 100.0, 1e-9); // the first grid point at or above -10 dB
    EXPECT_NEAR(b.traceMax[S21M], -5, 1e-9);
    EXPECT_EQ(b.traceMin[S11M], 0);
    EXPECT_EQ(b.traceMax[S11M], 0);
    ASSERT_EQ(host.statistics.size(), 8u);
    EXPECT_EQ(host.statistics[S11M].min, "    0");
    EXPECT_EQ(host.statistics[S11M].flatness, "    0");
    EXPECT_EQ(host.statistics[S21M].max, "   -5");
    for (int32_t t = 0; t < b.traceCount; ++t) {
        EXPECT_GE(b.traceMin[t], -10);
        EXPECT_LE(b.traceMax[t], 0);
        EXPECT_LE(b.traceMin[t], b.traceMax[t]);
    }
}

TEST_F(Recompute, HiddenTracesAreNotComputed)
{
    addConstantMeasurement(state.measurements, 0, 100e6, 11, Complex(0.5, 0));
    state.rowVisible[S11M] = 0;
    ASSERT_EQ(redraw(), RecomputeResult::Drawn);
    EXPECT_FALSE(state.buffers.computed(S11M));
    EXPECT_TRUE(state.buffers.computed(S21M));
    EXPECT_TRUE(std::isnan(value(S11M, 3)));
    EXPECT_EQ(host.statistics[S11M].min, "");
    EXPECT_EQ(host.statistics[S11M].max, "");
    EXPECT_EQ(host.statistics[S11M].flatness, "");
    EXPECT_NE(host.statistics[S21M].min, "");
}

TEST_F(Recompute, MeasurementOutsideTheViewKeepsOneGridIndex)
{
    addConstantMeasurement(state.measurements, 100e6, 200e6, 11, Complex(0.5, 0));
    addConstantMeasurement(state.measurements, 0, 50e6, 6, Complex(0.1, 0));
    addConstantMeasurement(state.measurements, 300e6, 400e6, 11, Complex(0.2, 0));
    setManualView(100e6, 200e6, 10e6, -40, 0, 5);
    ASSERT_EQ(redraw(), RecomputeResult::Drawn);
    const TraceBuffers& b = state.buffers;
    EXPECT_EQ(b.firstIndex[8], 0);
    EXPECT_EQ(b.lastIndex[8], 0);
    EXPECT_EQ(b.firstIndex[16], b.pointCount - 1);
    EXPECT_EQ(b.lastIndex[16], b.pointCount - 1);
    // Its one value is its nearest point, the last one, and counts in its statistics.
    EXPECT_NEAR(value(8 + S21M, 0), -20, 1e-9);
    EXPECT_NEAR(b.traceMin[8 + S21M], -20, 1e-9);
}

TEST_F(Recompute, ManualAxesComeFromTheEditBoxes)
{
    addConstantMeasurement(state.measurements, 0, 1000e6, 101, Complex(0.5, 0));
    setManualView(200e6, 500e6, 50e6, -20, 10, 5);
    ASSERT_EQ(redraw(), RecomputeResult::Drawn);
    ZoomEntry& zoom = state.currentZoom();
    EXPECT_DOUBLE_EQ(zoom.xMin, 200e6);
    EXPECT_DOUBLE_EQ(zoom.xMax, 500e6);
    EXPECT_DOUBLE_EQ(zoom.yMin, -20);
    EXPECT_EQ(state.buffers.pointCount, 31);

    // Typed texts take effect; invalid ones leave the view as it was and are rewritten.
    host.axisEdits.xMax = "600";
    ASSERT_EQ(redraw(), RecomputeResult::Drawn);
    EXPECT_DOUBLE_EQ(zoom.xMax, 600e6);
    host.axisEdits.yMin = "50";
    ASSERT_EQ(redraw(), RecomputeResult::Drawn);
    EXPECT_DOUBLE_EQ(zoom.yMin, -20);
    EXPECT_EQ(host.axisEdits.yMin, "-20");
}

TEST_F(Recompute, DegenerateMeasurementsStillDraw)
{
    // One point each, all at one frequency, one with broken S-parameters.
    addConstantMeasurement(state.measurements, 50e6, 50e6, 1, Complex(0.5, 0));
    addConstantMeasurement(state.measurements, 50e6, 50e6, 1, Complex(nan, 1));
    addConstantMeasurement(
        state.measurements, 50e6, 50e6, 1, Complex(std::numeric_limits<double>::infinity(), 0));
    for (const int32_t reference : { -1, 0, 1 }) {
        state.referenceIndex = reference;
        ASSERT_EQ(redraw(), RecomputeResult::Drawn) << reference;
        const ZoomEntry& zoom = state.currentZoom();
        EXPECT_GE(state.buffers.pointCount, 2);
        EXPECT_LT(zoom.xMin, zoom.xMax);
        EXPECT_TRUE(std::isfinite(zoom.yMin) && std::isfinite(zoom.yMax)) << reference;
        EXPECT_LT(zoom.yMin, zoom.yMax);
        for (int32_t c : state.buffers.pixelColumn) {
            EXPECT_GE(c, 0);
            EXPECT_LE(c, state.chart.frameRect.right);
        }
    }
}

TEST_F(Recompute, WideViewsStayWithinTheGridBudget)
{
    addConstantMeasurement(state.measurements, 0, 10e6, 11, Complex(0.5, 0));
    setManualView(0, 1e15, 1e14, -40, 0, 5);
    ASSERT_EQ(redraw(), RecomputeResult::Drawn);
    EXPECT_EQ(state.buffers.pointCount, gridPointLimit(1));
    EXPECT_LE(state.buffers.pointCount, maxGridPoints);
}

TEST_F(Recompute, RenderingWithoutAWindow)
{
    ChartState fresh;
    addConstantMeasurement(fresh.measurements, 0, 100e6, 11, Complex(0.5, 0));
    HeadlessChartHost headless;
    QImage image;
    EXPECT_EQ(renderChartImage(fresh, headless, QSize(640, 480), image), RecomputeResult::Drawn);
    EXPECT_EQ(image.size(), QSize(640, 480));
    EXPECT_EQ(image, fresh.chart.chartBitmap);
    EXPECT_EQ(renderChartImage(fresh, headless, QSize(20, 20), image), RecomputeResult::FrameTooSmall);
    EXPECT_TRUE(image.isNull());
    fresh.measurements.removeAll();
    EXPECT_EQ(renderChartImage(fresh, headless, QSize(640, 480), image), RecomputeResult::NoMeasurements);
    EXPECT_TRUE(image.isNull());
}

} // namespace

// After each change of what the plotted values depend on, the values kept from earlier redraws
// give exactly what a chart state that never drew before computes.
TEST(KeptValues, FollowTheFormAndTheList)
{
    const std::vector<double> centres { 40e6, 60e6, 75e6 };
    const auto load = [](ChartState& s, const std::vector<double>& at) {
        for (double centre : at)
            addMeasurement(s.measurements, 10e6, 100e6, 181,
                [centre](double f) { return bandPass(f, centre, 0.3, 2e-9, 0.02); });
        s.unitMultiplier = 1e6;
        s.traceEnabled.fill(1);
        s.resetRowVisibility();
        s.chart.attach(ChartView::defaultLabelFont(), QSize(600, 400));
    };
    struct Step {
        const char* change;
        int32_t dbMode;
        int32_t phaseMode;
        int32_t aperture;
        int32_t removed; // measurement closed before this redraw; negative: none
        int32_t s22Shown;
    };
    const std::vector<Step> steps {
        { "first draw", 1, PhaseWrapped, 5, -1, 1 },
        { "VSWR", 0, PhaseWrapped, 5, -1, 1 },
        { "unwrapped phase", 0, PhaseUnwrapped, 5, -1, 1 },
        { "group delay", 1, PhaseDelay, 5, -1, 1 },
        { "another aperture", 1, PhaseDelay, 9, -1, 1 },
        { "S22 hidden", 1, PhaseDelay, 9, -1, 0 },
        { "S22 shown again", 1, PhaseWrapped, 9, -1, 1 },
        { "first closed", 1, PhaseWrapped, 9, 0, 1 },
    };
    ChartState kept;
    HeadlessChartHost keptHost;
    load(kept, centres);
    std::vector<double> loaded = centres;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.change);
        if (step.removed >= 0) {
            kept.measurements.removeMeasurement(step.removed);
            kept.rowVisible.erase(
                kept.rowVisible.begin() + 8 * step.removed, kept.rowVisible.begin() + 8 * (step.removed + 1));
            loaded.erase(loaded.begin() + step.removed);
        }
        ChartState fresh;
        HeadlessChartHost freshHost;
        load(fresh, loaded);
        for (ChartState* s : { &kept, &fresh }) {
            s->dbMode = step.dbMode;
            s->phaseMode = step.phaseMode;
            s->delayAperture = step.aperture;
            for (size_t m = 0; m < loaded.size(); ++m) {
                s->rowVisible[8 * m + S22M] = step.s22Shown;
                s->rowVisible[8 * m + S22A] = step.s22Shown;
            }
        }
        ASSERT_EQ(recomputeChart(kept, keptHost, 1, 1), RecomputeResult::Drawn);
        ASSERT_EQ(recomputeChart(fresh, freshHost, 1, 1), RecomputeResult::Drawn);
        ASSERT_EQ(kept.buffers.traceCount, fresh.buffers.traceCount);
        ASSERT_EQ(kept.buffers.pointCount, fresh.buffers.pointCount);
        for (int32_t t = 0; t < kept.buffers.traceCount; ++t) {
            ASSERT_EQ(kept.buffers.computed(t), fresh.buffers.computed(t)) << "trace " << t;
            for (int32_t i = 0; kept.buffers.computed(t) && i < kept.buffers.pointCount; ++i) {
                const double a = kept.buffers.traceValues[static_cast<size_t>(t)][i];
                const double b = fresh.buffers.traceValues[static_cast<size_t>(t)][i];
                ASSERT_TRUE(a == b || (std::isnan(a) && std::isnan(b))) << "trace " << t << " point " << i;
            }
        }
    }
}
