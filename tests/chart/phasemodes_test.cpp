#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <optional>
#include <vector>

#include "chartinput.h"
#include "cursorreadout.h"
#include "measurementbuilder.h"
#include "phasetraces.h"
#include "recomputechart.h"

// The phase traces in the unwrapped and delay modes as a recomputation puts them on the grid.

namespace {

constexpr double pi = 3.141592653589793;

// A delay line S21 = S12 = 0.9 e^(-j 2 pi f delay) whose reflections see the line twice,
// S11 = S22 = 0.2 e^(-j 2 pi f 2 delay) plus a constant angle.
SParams delayLine(double f, double delay)
{
    const Complex line = std::polar(0.9, -2 * pi * f * delay);
    const Complex reflection = std::polar(0.2, -2 * pi * f * 2 * delay + 0.4);
    return SParams { reflection, line, line, reflection };
}

RubberS2PData& addDelayLine(RubberS2P& list, double first, double last, int32_t count, double delay)
{
    return addMeasurement(list, first, last, count, [delay](double f) { return delayLine(f, delay); });
}

// The unwrapped phase of trace kind k of a delay line from the first point at f0: its angle
// there, then the line's slope.
double unwrappedLine(double f, double f0, double delay, int32_t kind)
{
    const double turns = kind == S11A || kind == S22A ? 2 : 1;
    const SParams first = delayLine(f0, delay);
    const double angle = std::arg(first[static_cast<size_t>(kind / 2)]) * 180 / pi;
    return angle - 360 * turns * delay * (f - f0);
}

// |got - want| within relative of want, against at least floor.
void expectRelative(double got, double want, double relative, double floor, int32_t i)
{
    EXPECT_LE(std::abs(got - want), relative * std::max(std::abs(want), floor))
        << "at " << i << ": " << got << " against " << want;
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

    RecomputeResult redraw(int32_t mode)
    {
        state.phaseMode = mode;
        state.resetRowVisibility();
        const ZoomEntry& zoom = state.currentZoom();
        return recomputeChart(state, host, zoom.autoX, zoom.autoY);
    }

    void setManualX(double xMin, double xMax, double xStep)
    {
        ZoomEntry& zoom = state.currentZoom();
        zoom = ZoomEntry { xMin, xMax, -1e6, 1e6, xStep, 1e5, 0, 0 };
        host.writeAxisEdits(zoom, state.unitMultiplier);
    }

    double value(int32_t trace, int32_t i) const
    {
        return state.buffers.traceValues[static_cast<size_t>(trace)][i];
    }
    double hertz(int32_t i) const { return state.buffers.freqGrid[static_cast<size_t>(i)] * 1e6; }
    int32_t first(int32_t trace) const { return state.buffers.firstIndex[static_cast<size_t>(trace)]; }
    int32_t last(int32_t trace) const { return state.buffers.lastIndex[static_cast<size_t>(trace)]; }

    ChartState state;
    HeadlessChartHost host;
};

} // namespace

TEST_F(PhaseModes, DelayTracesShowTheLinesDelayAndTheReflectionsRoundTrip)
{
    const double tau = 1.234e-9;
    addDelayLine(state.measurements, 1e9, 3e9, 201, tau);
    ASSERT_EQ(redraw(PhaseDelay), RecomputeResult::Drawn);
    const PhaseResults& phase = state.buffers.phase;
    EXPECT_EQ(phase.mode, PhaseDelay);
    EXPECT_EQ(phase.aperture, 5);
    EXPECT_EQ(phase.delayExponent, -9); // nanoseconds
    EXPECT_DOUBLE_EQ(phase.apertureLow, 40e6);
    EXPECT_DOUBLE_EQ(phase.apertureHigh, 40e6);
    ASSERT_EQ(first(S21A), 0);
    ASSERT_EQ(last(S21A), state.buffers.pointCount - 1);
    for (int32_t i = 0; i < state.buffers.pointCount; ++i) {
        expectRelative(value(S21A, i), 1.234, 1e-9, 0, i);
        expectRelative(value(S12A, i), 1.234, 1e-9, 0, i);
        expectRelative(value(S11A, i), 2.468, 1e-9, 0, i);
        expectRelative(value(S22A, i), 2.468, 1e-9, 0, i);
        EXPECT_NEAR(value(S21M, i), 20 * std::log10(0.9), 1e-9) << i;
        EXPECT_NEAR(value(S11M, i), 20 * std::log10(0.2), 1e-9) << i;
    }
    EXPECT_NEAR(state.buffers.traceMin[S21A], 1.234, 1e-9);
    EXPECT_NEAR(state.buffers.traceMax[S11A], 2.468, 1e-9);
}

TEST_F(PhaseModes, UnwrappedPhaseIsTheMeasurementsOwnWhateverTheView)
{
    const double tau = 1.234e-9;
    addDelayLine(state.measurements, 1e9, 3e9, 201, tau);
    ASSERT_EQ(redraw(PhaseUnwrapped), RecomputeResult::Drawn);
    for (int32_t i = 0; i < state.buffers.pointCount; ++i)
        for (const int32_t kind : { S11A, S21A })
            expectRelative(value(kind, i), unwrappedLine(hertz(i), 1e9, tau, kind), 1e-9, 1, i);
    EXPECT_EQ(state.buffers.phase.mode, PhaseUnwrapped);
    EXPECT_EQ(state.buffers.phase.apertureHigh, 0);

    // Zoomed in far from the first point, the values stay those of the whole measurement.
    setManualX(2.2e9, 2.4e9, 50e6);
    ASSERT_EQ(redraw(PhaseUnwrapped), RecomputeResult::Drawn);
    EXPECT_DOUBLE_EQ(hertz(0), 2.2e9);
    for (int32_t i = 0; i < state.buffers.pointCount; ++i)
        expectRelative(value(S21A, i), unwrappedLine(hertz(i), 1e9, tau, S21A), 1e-9, 1, i);
    EXPECT_LT(value(S21A, 0), -540); // no longer wrapped into one turn
}

TEST_F(PhaseModes, DelayDoesNotDependOnTheViewEither)
{
    addMeasurement(
        state.measurements, 1e9, 3e9, 201, [](double f) { return bandPass(f, 2e9, 0.2, 1e-9, 0.02); });
    ASSERT_EQ(redraw(PhaseDelay), RecomputeResult::Drawn);
    std::vector<double> whole;
    for (int32_t i = 0; i < state.buffers.pointCount; ++i)
        whole.push_back(value(S21A, i));
    setManualX(1.5e9, 2.5e9, 100e6);
    ASSERT_EQ(redraw(PhaseDelay), RecomputeResult::Drawn);
    // The grid keeps the measurement's 10 MHz points: grid point i lies on point 50 + i.
    ASSERT_EQ(state.buffers.pointCount, 101);
    for (int32_t i = 0; i < state.buffers.pointCount; ++i)
        EXPECT_EQ(value(S21A, i), whole[static_cast<size_t>(50 + i)]) << i;
}

TEST_F(PhaseModes, CoarseMeasurementsTakeTheLinesBetweenTheirOwnValues)
{
    const double tau = 2e-9;
    addDelayLine(state.measurements, 1e9, 3e9, 2001, tau);
    addDelayLine(state.measurements, 1e9, 3e9, 21, tau);
    ASSERT_EQ(redraw(PhaseUnwrapped), RecomputeResult::Drawn);
    const int32_t coarse = tracesPerMeasurement + S21A;
    ASSERT_GT(state.buffers.pointCount, 100);
    for (int32_t i = first(coarse); i <= last(coarse); ++i)
        expectRelative(value(coarse, i), unwrappedLine(hertz(i), 1e9, tau, S21A), 1e-9, 1, i);
    ASSERT_EQ(redraw(PhaseDelay), RecomputeResult::Drawn);
    for (int32_t i = first(coarse); i <= last(coarse); ++i)
        expectRelative(value(coarse, i), 2, 1e-9, 0, i);
    // 4 steps of 1 MHz and of 100 MHz.
    EXPECT_DOUBLE_EQ(state.buffers.phase.apertureLow, 4e6);
    EXPECT_DOUBLE_EQ(state.buffers.phase.apertureHigh, 400e6);
}

TEST_F(PhaseModes, RelativeTracesSubtractWithoutWrapping)
{
    // The reference on a grid of its own, coarser than the measurement's.
    addDelayLine(state.measurements, 1e9, 3e9, 101, 1e-9);
    addDelayLine(state.measurements, 1e9, 3e9, 201, 3e-9);
    state.referenceIndex = 0;
    ASSERT_EQ(redraw(PhaseUnwrapped), RecomputeResult::Drawn);
    const int32_t s21 = tracesPerMeasurement + S21A;
    for (int32_t i = 0; i < state.buffers.pointCount; ++i) {
        const double f = hertz(i);
        const double want = unwrappedLine(f, 1e9, 3e-9, S21A) - unwrappedLine(f, 1e9, 1e-9, S21A);
        expectRelative(value(s21, i), want, 1e-9, 1, i);
        EXPECT_NEAR(value(S21A, i), 0, 1e-9) << i; // the reference less itself
    }
    // 2 ns of difference over 2 GHz is four turns: nothing brings it back into one.
    EXPECT_NEAR(value(s21, state.buffers.pointCount - 1) - value(s21, 0), -1440, 1e-6);

    ASSERT_EQ(redraw(PhaseDelay), RecomputeResult::Drawn);
    EXPECT_EQ(state.buffers.phase.delayExponent, -9); // the reference's zeros do not vote
    for (int32_t i = 0; i < state.buffers.pointCount; ++i) {
        expectRelative(value(s21, i), 2, 1e-9, 0, i);
        expectRelative(value(tracesPerMeasurement + S11A, i), 4, 1e-9, 0, i);
    }
    // Both measurements' apertures count, the reference's included.
    EXPECT_DOUBLE_EQ(state.buffers.phase.apertureLow, 40e6);
    EXPECT_DOUBLE_EQ(state.buffers.phase.apertureHigh, 80e6);

    // The wrapped mode still brings the difference into a turn.
    ASSERT_EQ(redraw(PhaseWrapped), RecomputeResult::Drawn);
    for (int32_t i = 0; i < state.buffers.pointCount; ++i)
        EXPECT_LE(std::abs(value(s21, i)), 180) << i;
}

TEST_F(PhaseModes, FewerPointsThanTheApertureLeaveTheDelayWithoutValues)
{
    addDelayLine(state.measurements, 1e9, 1.2e9, 3, 1e-9);
    addDelayLine(state.measurements, 1e9, 3e9, 201, 1e-9);
    ASSERT_EQ(redraw(PhaseDelay), RecomputeResult::Drawn);
    ASSERT_LT(first(S21A), last(S21A));
    for (int32_t i = first(S21A); i <= last(S21A); ++i) {
        EXPECT_TRUE(std::isnan(value(S21A, i))) << i;
        EXPECT_FALSE(std::isnan(value(S21M, i))) << i;
    }
    EXPECT_EQ(state.buffers.traceMin[S21A], 0);
    EXPECT_EQ(state.buffers.traceMax[S21A], 0);
    // Its aperture does not count; the other's does.
    EXPECT_DOUBLE_EQ(state.buffers.phase.apertureLow, 40e6);
    EXPECT_DOUBLE_EQ(state.buffers.phase.apertureHigh, 40e6);

    state.delayAperture = 3;
    ASSERT_EQ(redraw(PhaseDelay), RecomputeResult::Drawn);
    for (int32_t i = first(S21A); i <= last(S21A); ++i)
        expectRelative(value(S21A, i), 1, 1e-9, 0, i);
    EXPECT_DOUBLE_EQ(state.buffers.phase.apertureLow, 20e6);
    EXPECT_DOUBLE_EQ(state.buffers.phase.apertureHigh, 200e6);
}

TEST_F(PhaseModes, TheApertureCountsOnlyMeasurementsWithADelayShown)
{
    addDelayLine(state.measurements, 1e9, 3e9, 201, 1e-9);
    addDelayLine(state.measurements, 1e9, 3e9, 101, 1e-9);
    state.delayAperture = 7;
    ASSERT_EQ(redraw(PhaseDelay), RecomputeResult::Drawn);
    EXPECT_DOUBLE_EQ(state.buffers.phase.apertureLow, 60e6);
    EXPECT_DOUBLE_EQ(state.buffers.phase.apertureHigh, 120e6);

    state.phaseMode = PhaseDelay;
    state.resetRowVisibility();
    for (int32_t k = S11A; k < tracesPerMeasurement; k += 2)
        state.rowVisible[static_cast<size_t>(tracesPerMeasurement + k)] = 0;
    const ZoomEntry& zoom = state.currentZoom();
    ASSERT_EQ(recomputeChart(state, host, zoom.autoX, zoom.autoY), RecomputeResult::Drawn);
    EXPECT_DOUBLE_EQ(state.buffers.phase.apertureLow, 60e6);
    EXPECT_DOUBLE_EQ(state.buffers.phase.apertureHigh, 60e6);

    // Without a delay trace shown there is no aperture.
    state.traceEnabled = { 1, 0, 1, 0, 1, 0, 1, 0 };
    ASSERT_EQ(redraw(PhaseDelay), RecomputeResult::Drawn);
    EXPECT_EQ(state.buffers.phase.apertureHigh, 0);
}

TEST_F(PhaseModes, ThePrefixFollowsTheDelaysOfTheView)
{
    struct Row {
        double delay;
        double first;
        double last;
        int32_t exponent;
        double shown;
    };
    const Row rows[] = {
        { 150e-9, 1e9, 1.1e9, -9, 150 }, // a long cable, 1 MHz steps
        { 2.5e-6, 1e9, 1.01e9, -6, 2.5 }, // 100 kHz steps
        { 20e-12, 1e9, 3e9, -12, 20 }, { -40e-12, 1e9, 3e9, -12, -40 }, // an advance
    };
    for (const Row& row : rows) {
        state.measurements.removeAll();
        addDelayLine(state.measurements, row.first, row.last, 101, row.delay);
        ASSERT_EQ(redraw(PhaseDelay), RecomputeResult::Drawn);
        EXPECT_EQ(state.buffers.phase.delayExponent, row.exponent) << row.delay;
        for (int32_t i = 0; i < state.buffers.pointCount; ++i)
            expectRelative(value(S21A, i), row.shown, 1e-8, 0, i);
    }
}

TEST_F(PhaseModes, TheWrappedModeIsTheAngleAsBefore)
{
    const double tau = 1.234e-9;
    RubberS2PData& m = addDelayLine(state.measurements, 1e9, 3e9, 201, tau);
    ASSERT_EQ(redraw(PhaseWrapped), RecomputeResult::Drawn);
    for (int32_t i = 0; i < state.buffers.pointCount; ++i) {
        EXPECT_EQ(value(S21A, i), phaseDegrees(m.point(i)->sParams(1, 0))) << i;
        EXPECT_LE(std::abs(value(S21A, i)), 180) << i;
    }
    EXPECT_EQ(state.buffers.phase.mode, PhaseWrapped);
}

TEST_F(PhaseModes, TextsCarryTheDelayUnitInTheLanguage)
{
    addDelayLine(state.measurements, 1e9, 3e9, 201, 1.234e-9).displayName = "line";
    ASSERT_EQ(redraw(PhaseDelay), RecomputeResult::Drawn);
    const StatisticsTexts delay = statisticsTexts(state, S21A);
    EXPECT_EQ(delay.min, "1.234 ns");
    EXPECT_EQ(delay.max, "1.234 ns");
    EXPECT_EQ(delay.flatness.substr(delay.flatness.size() - 3), " ns");
    EXPECT_EQ(statisticsTexts(state, S21M).min, "-0.9151");
    EXPECT_EQ(chartInputOf(state, 1, 1).valueUnit, "ns");

    const std::optional<CursorReadout> readout = cursorReadout(state, { S21A, S21M, S11A }, 100, 0);
    ASSERT_TRUE(readout.has_value());
    EXPECT_EQ(readout->current[0], "1.234 ns");
    EXPECT_EQ(readout->current[1], "-0.9151");
    EXPECT_EQ(readout->current[2], "2.468 ns");
    EXPECT_EQ(readout->strip[ReadoutMax], "Max: 2.468 ns");
    EXPECT_EQ(readout->strip[ReadoutMin], "Min: -0.9151");
    EXPECT_EQ(readout->strip[ReadoutDiff], "Diff: 3.383"); // no unit shared by both
    EXPECT_EQ(readout->strip[ReadoutAperture], "aperture 5 points, 40 MHz");
    const std::optional<CursorReadout> delays = cursorReadout(state, { S21A, S11A }, 100, 0);
    EXPECT_EQ(delays->strip[ReadoutDiff], "Diff: 1.234 ns");

    state.language = Language::russian;
    EXPECT_EQ(statisticsTexts(state, S21A).min, "1.234 нс");
    EXPECT_EQ(chartInputOf(state, 1, 1).valueUnit, "нс");
    EXPECT_EQ(cursorReadout(state, { S21A }, 100, 0)->strip[ReadoutAperture], "апертура 5 точек, 40 МГц");

    // The unwrapped phase is in degrees, as the wrapped one: no unit, no aperture.
    state.language = Language::english;
    ASSERT_EQ(redraw(PhaseUnwrapped), RecomputeResult::Drawn);
    EXPECT_EQ(chartInputOf(state, 1, 1).valueUnit, "");
    EXPECT_EQ(cursorReadout(state, { S21A }, 100, 0)->strip[ReadoutAperture], "");
    EXPECT_EQ(statisticsTexts(state, S21A).min.find("ns"), std::string::npos);

    // Delay traces that are not shown put no unit on the axis.
    state.traceEnabled = { 1, 0, 1, 0, 0, 0, 0, 0 };
    ASSERT_EQ(redraw(PhaseDelay), RecomputeResult::Drawn);
    EXPECT_EQ(chartInputOf(state, 1, 1).valueUnit, "");
}

TEST_F(PhaseModes, TheUnitNoteStandsOverTheValueLabels)
{
    addDelayLine(state.measurements, 1e9, 3e9, 201, 1.234e-9);
    ASSERT_EQ(redraw(PhaseUnwrapped), RecomputeResult::Drawn);
    const PixelRect plot = state.chart.plotRect();
    const QImage without = state.chart.chartBitmap.copy(0, 0, plot.left, 20);
    ASSERT_EQ(redraw(PhaseDelay), RecomputeResult::Drawn);
    const QImage with = state.chart.chartBitmap.copy(0, 0, plot.left, 20);
    // Dark pixels of the note at the top of the label column.
    int32_t dark = 0;
    for (int32_t y = 2; y < with.height(); ++y)
        for (int32_t x = 1; x < with.width(); ++x)
            if (qGray(with.pixel(x, y)) < 128)
                ++dark;
    EXPECT_GT(dark, 5);
    EXPECT_NE(with, without);
}
