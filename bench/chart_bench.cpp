// Redrawing the chart (trace computation and drawing) of 50 measurements of 10,001 points into
// a 1200 x 800 frame, plain, with one coarse measurement among the fine ones, smoothed and
// relative to a reference; drawing alone, so that the split between computation and drawing
// shows; presenting the image with a cursor line; the Smith chart of S11 and S22 of every
// measurement, redrawn and zoomed by a wheel step; the window's largest list, 2045 measurements
// of 1601 points, S21M shown. The phase benchmarks show the four phase
// traces (S11A, S21A, S12A, S22A) of every measurement alone, wrapped, unwrapped and as group
// delay (aperture 5, and 101 for a wide one), plain and relative to a reference: the delay's
// redraw is to stay within 1.5 times the wrapped phase's.
// Times are wall-clock; the CPU column counts every thread of the process.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>
#include <complex>
#include <cstdint>
#include <memory>
#include <vector>

#include "benchmeasurements.h"
#include "chartzoom.h"
#include "drawchart.h"
#include "presentchart.h"
#include "recomputechart.h"

namespace {

constexpr int32_t measurementCount = 50;
const QSize frameSize(1200, 800);

// The traces a setup shows: those of the state's default (S21M), all eight, or the four phase
// traces alone.
enum class Shown { Default, All, Phases };

struct Setup {
    Setup(int32_t smoothing, int32_t reference, bool allTraces, bool mixed = false)
        : Setup(smoothing, reference, allTraces ? Shown::All : Shown::Default, PhaseWrapped, 5, mixed)
    {
    }

    Setup(int32_t smoothing, int32_t reference, Shown shown, int32_t phaseMode, int32_t aperture = 5,
        bool mixed = false)
    {
        state.unitMultiplier = 1000000;
        Noise noise;
        // The mixed set: the first measurement in 200 MHz steps, the others in 1 MHz steps.
        for (int32_t i = 0; i < measurementCount; ++i)
            addFilter(state.measurements, i, noise, mixed && i == 0 ? 200 : 1);
        if (shown == Shown::All)
            state.traceEnabled.fill(1);
        if (shown == Shown::Phases)
            state.traceEnabled = { 0, 1, 0, 1, 0, 1, 0, 1 };
        state.phaseMode = phaseMode;
        state.delayAperture = aperture;
        state.resetRowVisibility();
        state.smoothing = smoothing;
        state.referenceIndex = reference;
        state.chart.attach(ChartView::defaultLabelFont(), frameSize);
    }

    RecomputeResult redraw()
    {
        const ZoomEntry& zoom = state.currentZoom();
        return recomputeChart(state, host, zoom.autoX, zoom.autoY);
    }

    ChartState state;
    HeadlessChartHost host;
};

void redraw(benchmark::State& bench, int32_t smoothing, int32_t reference, bool allTraces, bool mixed = false)
{
    Setup setup(smoothing, reference, allTraces, mixed);
    for (auto _ : bench) {
        if (setup.redraw() != RecomputeResult::Drawn)
            bench.SkipWithError("not drawn");
    }
}

// drawChart alone on the buffers of one recomputation, the automatic axes included.
void drawOnly(benchmark::State& bench, int32_t smoothing, int32_t reference, bool allTraces)
{
    Setup setup(smoothing, reference, allTraces);
    setup.redraw();
    TraceBuffers& buffers = setup.state.buffers;
    std::vector<const double*> values;
    for (double* v : buffers.traceValues)
        values.push_back(v);
    ChartInput input;
    input.traceCount = buffers.traceCount;
    input.freqGrid = buffers.freqGrid.data();
    input.traceValues = values.data();
    input.pointCount = buffers.pointCount;
    input.pixelColumn = buffers.pixelColumn.data();
    input.visible = setup.state.rowVisible.data();
    input.visibleCount = static_cast<int32_t>(setup.state.rowVisible.size());
    input.lastIndex = buffers.lastIndex.data();
    input.firstIndex = buffers.firstIndex.data();
    input.smoothing = smoothing;
    for (auto _ : bench)
        drawChart(setup.state.chart, input);
}

void BM_Redraw(benchmark::State& bench)
{
    redraw(bench, 0, -1, false);
}
void BM_RedrawMixed(benchmark::State& bench)
{
    redraw(bench, 0, -1, false, true);
}
void BM_RedrawSmoothed(benchmark::State& bench)
{
    redraw(bench, 1, -1, false);
}
void BM_RedrawRelative(benchmark::State& bench)
{
    redraw(bench, 0, 0, false);
}
void BM_RedrawAllTraces(benchmark::State& bench)
{
    redraw(bench, 0, -1, true);
}
void BM_RedrawAllTracesSmoothed(benchmark::State& bench)
{
    redraw(bench, 1, -1, true);
}
void BM_RedrawMixedAllTraces(benchmark::State& bench)
{
    redraw(bench, 0, -1, true, true);
}
void BM_RedrawMixedAllTracesSmoothed(benchmark::State& bench)
{
    redraw(bench, 1, -1, true, true);
}

void BM_RedrawLargestList(benchmark::State& bench)
{
    constexpr int32_t listLimit = 2045;
    constexpr int32_t points = 1601;
    ChartState state;
    HeadlessChartHost host;
    state.unitMultiplier = 1000000;
    Noise noise;
    for (int32_t i = 0; i < listLimit; ++i)
        addFilter(state.measurements, i % measurementCount, noise, 1, points);
    state.resetRowVisibility();
    state.chart.attach(ChartView::defaultLabelFont(), frameSize);
    for (auto _ : bench) {
        const ZoomEntry& zoom = state.currentZoom();
        if (recomputeChart(state, host, zoom.autoX, zoom.autoY) != RecomputeResult::Drawn)
            bench.SkipWithError("not drawn");
    }
}

void BM_Draw(benchmark::State& bench)
{
    drawOnly(bench, 0, -1, false);
}
void BM_DrawSmoothed(benchmark::State& bench)
{
    drawOnly(bench, 1, -1, false);
}
void BM_DrawRelative(benchmark::State& bench)
{
    drawOnly(bench, 0, 0, false);
}
void BM_DrawAllTraces(benchmark::State& bench)
{
    drawOnly(bench, 0, -1, true);
}
void BM_DrawAllTracesSmoothed(benchmark::State& bench)
{
    drawOnly(bench, 1, -1, true);
}

void redrawPhases(benchmark::State& bench, int32_t reference, int32_t phaseMode, int32_t aperture = 5)
{
    Setup setup(0, reference, Shown::Phases, phaseMode, aperture);
    for (auto _ : bench) {
        if (setup.redraw() != RecomputeResult::Drawn)
            bench.SkipWithError("not drawn");
    }
}

void BM_RedrawPhasesWrapped(benchmark::State& bench)
{
    redrawPhases(bench, -1, PhaseWrapped);
}
void BM_RedrawPhasesUnwrapped(benchmark::State& bench)
{
    redrawPhases(bench, -1, PhaseUnwrapped);
}
void BM_RedrawPhasesDelay(benchmark::State& bench)
{
    redrawPhases(bench, -1, PhaseDelay);
}
void BM_RedrawPhasesDelayWide(benchmark::State& bench)
{
    redrawPhases(bench, -1, PhaseDelay, 101);
}
void BM_RedrawPhasesWrappedRelative(benchmark::State& bench)
{
    redrawPhases(bench, 0, PhaseWrapped);
}
void BM_RedrawPhasesDelayRelative(benchmark::State& bench)
{
    redrawPhases(bench, 0, PhaseDelay);
}

void BM_PresentWithCursor(benchmark::State& bench)
{
    Setup setup(0, -1, false);
    setup.redraw();
    ChartOverlay overlay;
    int32_t column = 100;
    for (auto _ : bench) {
        overlay.column = column;
        column = column % 1000 + 101;
        const QImage shown = presentChart(setup.state.chart, overlay);
        benchmark::DoNotOptimize(shown.constBits());
    }
}

// The Smith chart of S11 and S22 of all measurements.
struct SmithSetup : Setup {
    SmithSetup()
        : Setup(0, -1, false)
    {
        state.traceEnabled = { 1, 0, 0, 0, 0, 0, 1, 0 };
        state.resetRowVisibility();
        state.chartKind = ChartKind::smith;
        redraw();
    }
};

void BM_RedrawSmith(benchmark::State& bench)
{
    SmithSetup setup;
    for (auto _ : bench) {
        if (setup.redraw() != RecomputeResult::Drawn)
            bench.SkipWithError("not drawn");
    }
}

// A wheel step forward around a point off the centre, then back, each a redraw: the time of
// one step is half an iteration's.
void BM_WheelStepSmith(benchmark::State& bench)
{
    SmithSetup setup;
    const PixelRect plot = setup.state.chart.plotRect();
    const std::optional<PixelRect> rect
        = wheelZoomRect(plot, plot.left + plot.width() / 3, plot.top + plot.height() / 2);
    for (auto _ : bench) {
        if (!rect
            || !zoomToRect(setup.state, setup.host, true, rect->left, rect->top, rect->right, rect->bottom)
            || !stepBack(setup.state, setup.host))
            bench.SkipWithError("not zoomed");
    }
}

#define CHART_BENCHMARK(name)                                                                                \
    BENCHMARK(name)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()

CHART_BENCHMARK(BM_Redraw);
CHART_BENCHMARK(BM_RedrawMixed);
CHART_BENCHMARK(BM_RedrawSmoothed);
CHART_BENCHMARK(BM_RedrawRelative);
CHART_BENCHMARK(BM_RedrawAllTraces);
CHART_BENCHMARK(BM_RedrawAllTracesSmoothed);
CHART_BENCHMARK(BM_RedrawMixedAllTraces);
CHART_BENCHMARK(BM_RedrawMixedAllTracesSmoothed);
CHART_BENCHMARK(BM_RedrawLargestList);
CHART_BENCHMARK(BM_Draw);
CHART_BENCHMARK(BM_DrawSmoothed);
CHART_BENCHMARK(BM_DrawRelative);
CHART_BENCHMARK(BM_DrawAllTraces);
CHART_BENCHMARK(BM_DrawAllTracesSmoothed);
CHART_BENCHMARK(BM_RedrawPhasesWrapped);
CHART_BENCHMARK(BM_RedrawPhasesUnwrapped);
CHART_BENCHMARK(BM_RedrawPhasesDelay);
CHART_BENCHMARK(BM_RedrawPhasesDelayWide);
CHART_BENCHMARK(BM_RedrawPhasesWrappedRelative);
CHART_BENCHMARK(BM_RedrawPhasesDelayRelative);
CHART_BENCHMARK(BM_PresentWithCursor);
CHART_BENCHMARK(BM_RedrawSmith);
CHART_BENCHMARK(BM_WheelStepSmith);

} // namespace

// Fonts need a GUI application; the offscreen platform needs no display.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
