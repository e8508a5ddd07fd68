#include "recomputechart.h"
#include "valuespan.h"

#include <array>
#include <cmath>
#include <new>
#include <vector>

#include "chartinput.h"
#include "drawchart.h"
#include "frequencygrid.h"
#include "gridsampling.h"
#include "parallelwork.h"
#include "tracevalues.h"
#include "vectorstate.h"

namespace {

// The reference measurement's eight values at every grid point, in trace order.
using ReferenceValues = std::array<std::vector<double>, tracesPerMeasurement>;

// Keeps the measurement list and every measurement locked, so that the parallel loops read
// them as plain arrays, and releases them however the recomputation ends.
class MeasurementLock {
public:
    explicit MeasurementLock(RubberS2P& list)
        : measurements(list)
    {
        try {
            measurements.lockAll();
        } catch (const std::bad_alloc&) {
            measurements.releaseAll();
            throw;
        }
    }
    MeasurementLock(const MeasurementLock&) = delete;
    MeasurementLock& operator=(const MeasurementLock&) = delete;
    ~MeasurementLock() { measurements.releaseAll(); }

private:
    RubberS2P& measurements;
};

bool plotAreaTooSmall(const ChartView& chart)
{
    if (!chart.isAttached())
        return true;
    const QSize frame = chart.frameSize();
    return frame.width() - chart.leftMargin - chart.rightMargin < minimumPlotPixels
        || frame.height() - chart.bottomMargin < minimumPlotPixels;
}

bool hasPoints(RubberS2PData* m)
{
    return m != nullptr && m->itemCount > 0;
}

// The frequency axis over all measurements with points: the smallest first and the largest
// last frequency (only finite ones count); 0 where none is known.
void dataFrequencyRange(RubberS2P& measurements, ZoomEntry& zoom)
{
    bool foundLow = false;
    bool foundHigh = false;
    double low = 0;
    double high = 0;
    for (int32_t i = 0; i < measurements.itemCount; ++i) {
        RubberS2PData* m = measurements.measurement(i);
        if (!hasPoints(m))
            continue;
        if (std::isfinite(m->freqFirst) && (!foundLow || m->freqFirst < low)) {
            low = m->freqFirst;
            foundLow = true;
        }
        if (std::isfinite(m->freqLast) && (!foundHigh || m->freqLast > high)) {
            high = m->freqLast;
            foundHigh = true;
        }
    }
    zoom.xMin = low;
    zoom.xMax = high;
}

// Grid index of a frequency offset, counted in steps of indexStep, clamped to the grid.
int32_t gridIndex(double offset, double indexStep, int32_t pointCount)
{
    const double index = std::floor(offset / indexStep);
    if (!(index > 0))
        return 0;
    if (index >= pointCount)
        return pointCount - 1;
    return static_cast<int32_t>(index);
}

// The grid frequencies in displayed units, hertz divided by multiplier.
void computeGrid(TraceBuffers& buffers, const ZoomEntry& zoom, double multiplier)
{
    const int32_t n = buffers.pointCount;
    const double gridStep = (zoom.xMax - zoom.xMin) / (n - 1);
    double* grid = buffers.freqGrid.data();
    const double xMin = zoom.xMin;
#pragma omp parallel for schedule(static) if (n >= parallelLoopMinimum)
    for (int32_t i = 0; i < n; ++i)
        grid[i] = (i * gridStep + xMin) / multiplier;
}

void computeIndexRanges(TraceBuffers& buffers, RubberS2P& measurements, const ZoomEntry& zoom)
{
    const int32_t n = buffers.pointCount;
    const double indexStep = (zoom.xMax - zoom.xMin) / n;
    const double xMin = zoom.xMin;
#pragma omp parallel for schedule(static) if (buffers.traceCount >= parallelLoopMinimum)
    for (int32_t t = 0; t < buffers.traceCount; ++t) {
        RubberS2PData* m = measurements.measurement(t / tracesPerMeasurement);
        if (!hasPoints(m)) {
            buffers.firstIndex[static_cast<size_t>(t)] = 1;
            buffers.lastIndex[static_cast<size_t>(t)] = 0;
            continue;
        }
        buffers.firstIndex[static_cast<size_t>(t)] = gridIndex(m->freqFirst - xMin, indexStep, n);
        buffers.lastIndex[static_cast<size_t>(t)] = gridIndex(m->freqLast + 0.001 - xMin, indexStep, n);
    }
}

// The traces whose values are computed: those shown in the chart.
std::vector<bool> shownTraces(const ChartState& state, int32_t traceCount)
{
    std::vector<bool> shown(static_cast<size_t>(traceCount));
    for (int32_t t = 0; t < traceCount; ++t)
        shown[static_cast<size_t>(t)] = state.traceVisible(t);
    return shown;
}

// The reference's eight values on the grid (in displayed units of multiplier), 0 outside its
// range.
void computeReference(ReferenceValues& reference, const TraceBuffers& buffers, RubberS2PData& r,
    int32_t index, int32_t dbMode, double multiplier)
{
    const int32_t n = buffers.pointCount;
    for (std::vector<double>& values : reference)
        values.assign(static_cast<size_t>(n), 0.0);
    const int32_t first = buffers.firstIndex[static_cast<size_t>(tracesPerMeasurement * index)];
    const int32_t last = buffers.lastIndex[static_cast<size_t>(tracesPerMeasurement * index)];
    if (!hasPoints(&r))
        return;
#pragma omp parallel
    {
        clearUpperVectorState();
        PointWalk walk(r);
#pragma omp for schedule(static)
        for (int32_t i = first; i <= last; ++i) {
            const SParameters s = walk.interpolated(buffers.freqGrid[static_cast<size_t>(i)] * multiplier);
            for (int32_t k = 0; k < tracesPerMeasurement; ++k)
                reference[static_cast<size_t>(k)][static_cast<size_t>(i)] = traceValue(s, k, dbMode);
        }
    }
}

// The trace kinds of measurement m whose values are computed.
struct ComputedKinds {
    std::array<int32_t, tracesPerMeasurement> kind {};
    int32_t count = 0;
};

ComputedKinds computedKinds(const TraceBuffers& buffers, int32_t m)
{
    ComputedKinds kinds;
    for (int32_t k = 0; k < tracesPerMeasurement; ++k) {
        if (buffers.computed(tracesPerMeasurement * m + k))
            kinds.kind[static_cast<size_t>(kinds.count++)] = k;
    }
    return kinds;
}

// The computed traces of measurement m at grid index i from its S-parameters there, less the
// reference's values when there is one: magnitudes by plain difference, phases brought back
// into [-180, 180].
void storeRelative(TraceBuffers& buffers, const ReferenceValues& reference, const ComputedKinds& kinds,
    const SParameters& s, int32_t i, int32_t m, int32_t dbMode)
{
    for (int32_t j = 0; j < kinds.count; ++j) {
        const int32_t k = kinds.kind[static_cast<size_t>(j)];
        double v = traceValue(s, k, dbMode) - reference[static_cast<size_t>(k)][static_cast<size_t>(i)];
        if (k % 2 == 1)
            v = wrapPhase(v);
        buffers.traceValues[static_cast<size_t>(tracesPerMeasurement * m + k)][i] = v;
    }
}

// The computed traces of measurement m at grid index i from its nearest measured point.
void storeAbsolute(TraceBuffers& buffers, const ComputedKinds& kinds, const S2PPoint& point, int32_t i,
    int32_t m, int32_t dbMode)
{
    for (int32_t j = 0; j < kinds.count; ++j) {
        const int32_t k = kinds.kind[static_cast<size_t>(j)];
        buffers.traceValues[static_cast<size_t>(tracesPerMeasurement * m + k)][i]
            = traceValueOf(sParameterOf(point, k), k, dbMode);
    }
}

// The computed traces of measurement m at grid index i on the straight line between two
// measured points, interpolated in plotted values.
void storeLine(TraceBuffers& buffers, const ComputedKinds& kinds, const PointWalk::Neighbours& around,
    int32_t i, int32_t m, int32_t dbMode)
{
    for (int32_t j = 0; j < kinds.count; ++j) {
        const int32_t k = kinds.kind[static_cast<size_t>(j)];
        double v = traceValueOf(sParameterOf(*around.lo, k), k, dbMode);
        if (around.t != 0)
            v += (traceValueOf(sParameterOf(*around.hi, k), k, dbMode) - v) * around.t;
        buffers.traceValues[static_cast<size_t>(tracesPerMeasurement * m + k)][i] = v;
    }
}

// Whether the points of m lie further apart than the grid's, where nearest points would draw it
// as stairs; such a measurement is drawn as straight lines between its points instead.
bool coarserThanGrid(const RubberS2PData& m, double gridStep)
{
    return gridStep > 0 && std::isfinite(m.freqStep) && m.freqStep > gridStep;
}

// Every measurement with a shown trace sampled on its grid range (in displayed units of
// multiplier). Without a reference: nearest measured points, or the straight lines between
// them for measurements coarser than the grid step; with one: interpolated values less the
// reference's.
void sampleMeasurements(TraceBuffers& buffers, RubberS2P& measurements, const ReferenceValues* reference,
    double gridStep, int32_t dbMode, double multiplier)
{
    const int32_t count = buffers.traceCount / tracesPerMeasurement;
#pragma omp parallel
    {
        clearUpperVectorState();
#pragma omp for schedule(static)
        for (int32_t mi = 0; mi < count; ++mi) {
            RubberS2PData* m = measurements.measurement(mi);
            const int32_t first = buffers.firstIndex[static_cast<size_t>(tracesPerMeasurement * mi)];
            const int32_t last = buffers.lastIndex[static_cast<size_t>(tracesPerMeasurement * mi)];
            const ComputedKinds kinds = computedKinds(buffers, mi);
            if (!hasPoints(m) || kinds.count == 0)
                continue;
            PointWalk walk(*m);
            const bool lines = coarserThanGrid(*m, gridStep);
            for (int32_t i = first; i <= last; ++i) {
                const double x = buffers.freqGrid[static_cast<size_t>(i)] * multiplier;
                if (reference == nullptr && lines)
                    storeLine(buffers, kinds, walk.neighbours(x), i, mi, dbMode);
                else if (reference == nullptr)
                    storeAbsolute(buffers, kinds, walk.nearest(x), i, mi, dbMode);
                else
                    storeRelative(buffers, *reference, kinds, walk.interpolated(x), i, mi, dbMode);
            }
        }
    }
}

void drawTraces(ChartState& state, ZoomEntry& zoom, int32_t autoX, int32_t autoY)
{
    ChartInput input = chartInputOf(state, autoX, autoY);
    input.pixelColumn = state.buffers.pixelColumn.data();
    if (autoY != 0) {
        input.yMinOut = &zoom.yMin;
        input.yMaxOut = &zoom.yMax;
        input.yStepOut = &zoom.yStep;
    }
    if (autoX != 0)
        input.xStepOut = &zoom.xStep;
    drawChart(state.chart, input);
    if (autoX != 0)
        zoom.xStep *= state.unitMultiplier;
}

RecomputeResult computeAndDraw(ChartState& state, ChartHost& host, int32_t autoX, int32_t autoY)
{
    RubberS2P& measurements = state.measurements;
    TraceBuffers& buffers = state.buffers;
    ZoomEntry& zoom = state.currentZoom();

    if (autoX == 0 || autoY == 0)
        host.readAxisEdits(zoom, state.unitMultiplier);
    if (autoX != 0)
        dataFrequencyRange(measurements, zoom);

    double gridStep = 0;
    const int32_t plotWidth = state.chart.plotRect().width();
    buffers.pointCount = std::max(gridPointCount(measurements, zoom, plotWidth, gridStep), 2);
    buffers.traceCount = tracesPerMeasurement * measurements.itemCount;
    const size_t traces = static_cast<size_t>(buffers.traceCount);
    const size_t points = static_cast<size_t>(buffers.pointCount);
    buffers.traceMin.assign(traces, 0.0);
    buffers.traceMax.assign(traces, 0.0);
    buffers.freqGrid.resize(points);
    computeGrid(buffers, zoom, state.unitMultiplier);

    buffers.lastIndex.resize(traces);
    buffers.firstIndex.resize(traces);
    computeIndexRanges(buffers, measurements, zoom);

    buffers.pixelColumn.assign(points, 0);
    if (!buffers.allocateValues(shownTraces(state, buffers.traceCount)))
        return RecomputeResult::OutOfMemory;

    const int32_t r = state.referenceIndex;
    const bool relative = r >= 0 && r < measurements.itemCount;
    ReferenceValues reference;
    if (relative)
        computeReference(
            reference, buffers, *measurements.measurement(r), r, state.dbMode, state.unitMultiplier);
    sampleMeasurements(
        buffers, measurements, relative ? &reference : nullptr, gridStep, state.dbMode, state.unitMultiplier);
    ReferenceValues().swap(reference);

    drawTraces(state, zoom, autoX, autoY);
    computeStatistics(buffers, zoom.yMin, zoom.yMax);
    host.writeAxisEdits(zoom, state.unitMultiplier);
    host.fillStatistics(state);
    return RecomputeResult::Drawn;
}

} // namespace

void computeStatistics(TraceBuffers& buffers, double yMin, double yMax)
{
    clearUpperVectorState();
    for (int32_t t = 0; t < buffers.traceCount; ++t) {
        const size_t ts = static_cast<size_t>(t);
        ValueSpan span;
        if (!buffers.computed(t)) {
            buffers.traceMin[ts] = 0;
            buffers.traceMax[ts] = 0;
            continue;
        }
        const double* values = buffers.traceValues[ts];
        const int32_t first = std::max(buffers.firstIndex[ts], 0);
        const int32_t last = std::min(buffers.lastIndex[ts], buffers.pointCount - 1);
        for (int32_t i = first; values != nullptr && i <= last; ++i) {
            const double v = values[i];
            if (yMin <= v && v <= yMax)
                span.take(v);
        }
        buffers.traceMin[ts] = span.low;
        buffers.traceMax[ts] = span.high;
    }
}

RecomputeResult recomputeChart(ChartState& state, ChartHost& host, int32_t autoX, int32_t autoY)
{
    if (plotAreaTooSmall(state.chart))
        return RecomputeResult::FrameTooSmall;
    if (state.measurements.itemCount == 0) {
        host.setChartFrameVisible(false);
        return RecomputeResult::NoMeasurements;
    }
    RecomputeResult result = RecomputeResult::OutOfMemory;
    try {
        const MeasurementLock lock(state.measurements);
        host.setChartFrameVisible(true);
        state.buffers.releaseBuffers();
        result = computeAndDraw(state, host, autoX, autoY);
    } catch (const std::bad_alloc&) {
        result = RecomputeResult::OutOfMemory;
    }
    if (result == RecomputeResult::OutOfMemory)
        state.buffers.releaseBuffers();
    host.reportMemory(result == RecomputeResult::OutOfMemory);
    return result;
}
