#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <optional>

#include "chartinput.h"
#include "cursorreadout.h"
#include "measurementbuilder.h"
#include "recomputechart.h"

// The phase traces in the unwrapped and delay modes as a recomputation puts them on the grid.

namespace {

constexpr double pi = 3.141592653589793;

// A delay line: S21 = S12 = 0.9 e^(-j 2 pi f delay), the reflections seeing it twice.
RubberS2PData& addDelayLine(RubberS2P& list, double first, double last, int32_t count, double delay)
{
    return addMeasurement(list, first, last, count, [delay](double f) {
        const Complex line = std::polar(0.9, -2 * pi * f * delay);
        const Complex reflection = std::polar(0.2, -2 * pi * f * 2 * delay);
        return SParams { reflection, line, line, reflection };
    });
}

// The unwrapped S21 phase of a delay line from its first point at f0.
double unwrappedLine(double f, double f0, double delay)
{
    return std::arg(std::polar(1.0, -2 * pi * f0 * delay)) * 180 / pi - 360 * delay * (f - f0);
}

// Every trace shown, drawn into a 600 x 400 frame, frequencies in MHz.
class PhaseModes : public testing::Test {
protected:
    PhaseModes()
    {
        state.unitMultiplier = 1e6;
        state.traceEnabled.fill(1);
        state.chart.attach(ChartView::defaultLabelFont(), QSize(600, 400));
    }

    void redraw(int32_t mode)
    {
        state.phaseMode = mode;
        state.resetRowVisibility();
        const ZoomEntry& zoom = state.currentZoom();
        ASSERT_EQ(recomputeChart(state, host, zoom.autoX, zoom.autoY), RecomputeResult::Drawn);
    }

    double value(int32_t trace, int32_t i) const
    {
        return state.buffers.traceValues[static_cast<size_t>(trace)][i];
    }
    double hertz(int32_t i) const { return state.buffers.freqGrid[static_cast<size_t>(i)] * 1e6; }

    ChartState state;
    HeadlessChartHost host;
};

} // namespace

TEST_F(PhaseModes, DelayTracesShowTheDelayAndTheReflectionsRoundTripWithTheirUnit)
{
    addDelayLine(state.measurements, 1e9, 3e9, 201, 1.234e-9).displayName = "line";
    redraw(PhaseDelay);
    const TraceBuffers& buffers = state.buffers;
    EXPECT_EQ(buffers.phase.delayExponent, -9);
    EXPECT_EQ(buffers.phase.apertureLow, 40e6);
    EXPECT_EQ(buffers.phase.apertureHigh, 40e6);
    for (int32_t i = 0; i < buffers.pointCount; ++i) {
        EXPECT_NEAR(value(S21A, i), 1.234, 1e-9) << i;
        EXPECT_NEAR(value(S11A, i), 2.468, 1e-9) << i; // not halved
        EXPECT_NEAR(value(S21M, i), 20 * std::log10(0.9), 1e-9) << i;
    }
    EXPECT_EQ(statisticsTexts(state, S21A).max, "1.234 ns");
    EXPECT_EQ(statisticsTexts(state, S21M).min, "-0.9151");
    EXPECT_EQ(chartInputOf(state, 1, 1).valueUnit, "ns");
    const std::optional<CursorReadout> readout = cursorReadout(state, { S21A, S21M, S11A }, 100, 0);
    EXPECT_EQ(readout->current[0], "1.234 ns");
    EXPECT_EQ(readout->strip[ReadoutMax], "Max: 2.468 ns");
    EXPECT_EQ(readout->strip[ReadoutDiff], "Diff: 3.383"); // a dB and a delay share no unit
    EXPECT_EQ(readout->strip[ReadoutAperture], "aperture 5 points, 40 MHz");
    state.language = Language::russian;
    EXPECT_EQ(statisticsTexts(state, S21A).max, "1.234 нс");
    EXPECT_EQ(cursorReadout(state, { S21A }, 100, 0)->strip[ReadoutAperture], "апертура 5 точек, 40 МГц");
}

TEST_F(PhaseModes, UnwrappedPhaseIsTheMeasurementsOwnWhateverTheView)
{
    addDelayLine(state.measurements, 1e9, 3e9, 201, 1.234e-9);
    for (const bool zoomed : { false, true }) {
        if (zoomed) {
            // Far from the first point, the values stay those of the whole measurement.
            state.currentZoom() = ZoomEntry { 2.2e9, 2.4e9, -1e6, 1e6, 50e6, 1e5, 0, 0 };
            host.writeAxisEdits(state.currentZoom(), state.unitMultiplier);
        }
        redraw(PhaseUnwrapped);
        for (int32_t i = 0; i < state.buffers.pointCount; ++i)
            EXPECT_NEAR(value(S21A, i), unwrappedLine(hertz(i), 1e9, 1.234e-9), 1e-9 * 2000) << i;
        EXPECT_EQ(chartInputOf(state, 1, 1).valueUnit, "");
    }
    EXPECT_LT(value(S21A, 0), -540);
}

TEST_F(PhaseModes, RelativeTracesSubtractWithoutWrapping)
{
    // The reference on steps of its own, coarser than the measurement's.
    addDelayLine(state.measurements, 1e9, 3e9, 101, 1e-9);
    addDelayLine(state.measurements, 1e9, 3e9, 201, 3e-9);
    state.referenceIndex = 0;
    const int32_t s21 = tracesPerMeasurement + S21A;
    redraw(PhaseUnwrapped);
    for (int32_t i = 0; i < state.buffers.pointCount; ++i) {
        const double f = hertz(i);
        EXPECT_NEAR(value(s21, i), unwrappedLine(f, 1e9, 3e-9) - unwrappedLine(f, 1e9, 1e-9), 1e-6) << i;
    }
    // 2 ns over 2 GHz is four turns, none taken away.
    EXPECT_NEAR(value(s21, state.buffers.pointCount - 1) - value(s21, 0), -1440, 1e-6);
    redraw(PhaseDelay);
    EXPECT_EQ(state.buffers.phase.delayExponent, -9); // the reference's own zeros do not vote
    for (int32_t i = 0; i < state.buffers.pointCount; ++i)
        EXPECT_NEAR(value(s21, i), 2, 1e-9) << i;
    EXPECT_EQ(state.buffers.phase.apertureLow, 40e6);
    EXPECT_EQ(state.buffers.phase.apertureHigh, 80e6); // the reference's aperture counts
}

TEST_F(PhaseModes, TooFewPointsGiveNoDelayAndNoAperture)
{
    addDelayLine(state.measurements, 1e9, 1.2e9, 3, 1e-9);
    addDelayLine(state.measurements, 1e9, 3e9, 201, 1e-9);
    redraw(PhaseDelay);
    const TraceBuffers& buffers = state.buffers;
    for (int32_t i = buffers.firstIndex[S21A]; i <= buffers.lastIndex[S21A]; ++i)
        EXPECT_TRUE(std::isnan(value(S21A, i))) << i;
    EXPECT_EQ(buffers.traceMin[S21A], 0);
    EXPECT_EQ(buffers.phase.apertureLow, 40e6);
    EXPECT_EQ(buffers.phase.apertureHigh, 40e6);
    // Three points take an aperture of three, drawn as lines between them.
    state.delayAperture = 3;
    redraw(PhaseDelay);
    for (int32_t i = buffers.firstIndex[S21A]; i <= buffers.lastIndex[S21A]; ++i)
        EXPECT_NEAR(value(S21A, i), 1, 1e-9) << i;
    EXPECT_EQ(buffers.phase.apertureHigh, 200e6);
}

TEST_F(PhaseModes, ThePrefixFollowsTheDelaysOfTheView)
{
    struct Row {
        double delay;
        double last; // from 1 GHz, 101 points
        int32_t exponent;
    };
    const Row rows[] = { { 150e-9, 1.1e9, -9 }, { 2.5e-6, 1.01e9, -6 }, { -40e-12, 3e9, -12 } };
    for (const Row& row : rows) {
        state.measurements.removeAll();
        addDelayLine(state.measurements, 1e9, row.last, 101, row.delay);
        redraw(PhaseDelay);
        EXPECT_EQ(state.buffers.phase.delayExponent, row.exponent) << row.delay;
        const double shown = row.delay * std::pow(10.0, -row.exponent);
        for (int32_t i = 0; i < state.buffers.pointCount; ++i)
            EXPECT_NEAR(value(S21A, i), shown, 1e-8 * std::abs(shown)) << i;
    }
}
