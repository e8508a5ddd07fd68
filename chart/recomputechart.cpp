#include "recomputechart.h"
#include "valuespan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <new>
#include <vector>

#include "chartinput.h"
#include "drawchart.h"
#include "frequencygrid.h"
#include "frequencywalk.h"
#include "gridsampling.h"
#include "locus.h"
#include "markervalues.h"
#include "measurementlock.h"
#include "parallelwork.h"
#include "phasetraces.h"
#include "planechart.h"
#include "tracevalues.h"
#include "vectorstate.h"

namespace {

// The reference measurement's eight values at every grid point, in trace order.
using ReferenceValues = std::array<std::vector<double>, tracesPerMeasurement>;

// How one recomputation shows the phase traces.
struct PhaseView {
    int32_t mode = PhaseWrapped;
    int32_t aperture = defaultDelayAperture;
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

// The traces whose values are computed: those shown in the frequency chart; none under a
// Smith or polar chart, which draws the measured points themselves.
std::vector<bool> shownTraces(const ChartState& state, int32_t traceCount)
{
    std::vector<bool> shown(static_cast<size_t>(traceCount));
    for (int32_t t = 0; t < traceCount && state.chartKind == ChartKind::frequency; ++t)
        shown[static_cast<size_t>(t)] = state.traceVisible(t);
    return shown;
}

// The value at a grid frequency on the straight line between two own points of values.
double onLine(const double* values, const PointWalk::IndexNeighbours& around)
{
    double v = values[around.lo];
    if (around.t != 0)
        v += (values[around.hi] - v) * around.t;
    return v;
}

// The reference's eight values on the grid (in displayed units of multiplier), 0 outside its
// range: interpolated S-parameters, and for the phase traces that the mode computes along
// the own points the straight lines between the reference's own values.
void computeReference(ReferenceValues& reference, const TraceBuffers& buffers, RubberS2PData& r,
    int32_t index, int32_t dbMode, double multiplier, int32_t phaseMode, const OwnValueCache& cache)
{
    const int32_t n = buffers.pointCount;
    for (std::vector<double>& values : reference)
        values.assign(static_cast<size_t>(n), 0.0);
    const int32_t first = buffers.firstIndex[static_cast<size_t>(tracesPerMeasurement * index)];
    const int32_t last = buffers.lastIndex[static_cast<size_t>(tracesPerMeasurement * index)];
    if (!hasPoints(&r))
        return;
    const bool own = ownPointTrace(S11A, phaseMode);
#pragma omp parallel
    {
        clearUpperVectorState();
        PointWalk walk(r);
#pragma omp for schedule(static)
        for (int32_t i = first; i <= last; ++i) {
            const double x = buffers.freqGrid[static_cast<size_t>(i)] * multiplier;
            const SParameters s = walk.interpolated(x);
            for (int32_t k = 0; k < tracesPerMeasurement; ++k)
                if (!own || !ownPointTrace(k, phaseMode))
                    reference[static_cast<size_t>(k)][static_cast<size_t>(i)] = traceValue(s, k, dbMode);
            if (!own)
                continue;
            const PointWalk::IndexNeighbours around = walk.neighbourIndices(x);
            for (int32_t k = S11A; k < tracesPerMeasurement; k += 2)
                reference[static_cast<size_t>(k)][static_cast<size_t>(i)]
                    = onLine(cache.values(index, k), around);
        }
    }
}

// The trace kinds of measurement m whose values are computed.
struct ComputedKinds {
    std::array<int32_t, tracesPerMeasurement> kind {};
    int32_t count = 0;
};

// Whether trace kind k is sampled from the values at its measurement's own points: always
// without a reference; with one only the phase traces that the mode computes along the own
// points, the others being interpolated from the S-parameters.
bool sampledFromOwnValues(int32_t kind, int32_t phaseMode, bool relative)
{
    return !relative || ownPointTrace(kind, phaseMode);
}

// The computed kinds of measurement m that are sampled from its own values (own true) or
// interpolated from its S-parameters (own false).
ComputedKinds computedKinds(const TraceBuffers& buffers, int32_t m, int32_t phaseMode, bool relative, bool own)
{
    ComputedKinds kinds;
    for (int32_t k = 0; k < tracesPerMeasurement; ++k) {
        if (buffers.computed(tracesPerMeasurement * m + k) && sampledFromOwnValues(k, phaseMode, relative) == own)
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

// Whether the points of m lie further apart than the grid's, where nearest points would draw it
// as stairs; such a measurement is drawn as straight lines between its points instead.
bool coarserThanGrid(const RubberS2PData& m, double gridStep)
{
    return gridStep > 0 && std::isfinite(m.freqStep) && m.freqStep > gridStep;
}

// The traces of measurement m (kinds own) sampled from its values at its own points, on its
// grid range from first to last: the nearest own values, or the straight lines between them for
// a measurement coarser than the grid; with a reference the lines less the reference's values,
// without wrapping. walk finds the own points around each grid frequency.
template <typename Walk>
void sampleOwnValues(TraceBuffers& buffers, Walk& walk, const OwnValueCache& cache, const ComputedKinds& own,
    const ReferenceValues* reference, bool lines, int32_t mi, double multiplier)
{
    std::array<const double*, tracesPerMeasurement> values {};
    std::array<double*, tracesPerMeasurement> out {};
    for (int32_t j = 0; j < own.count; ++j) {
        const int32_t k = own.kind[static_cast<size_t>(j)];
        values[static_cast<size_t>(j)] = cache.values(mi, k);
        out[static_cast<size_t>(j)] = buffers.traceValues[static_cast<size_t>(tracesPerMeasurement * mi + k)];
    }
    const int32_t first = buffers.firstIndex[static_cast<size_t>(tracesPerMeasurement * mi)];
    const int32_t last = buffers.lastIndex[static_cast<size_t>(tracesPerMeasurement * mi)];
    for (int32_t i = first; i <= last; ++i) {
        const double x = buffers.freqGrid[static_cast<size_t>(i)] * multiplier;
        if (reference == nullptr && !lines) {
            const int32_t nearest = walk.nearestIndex(x);
            for (int32_t j = 0; j < own.count; ++j)
                out[static_cast<size_t>(j)][i] = values[static_cast<size_t>(j)][nearest];
            continue;
        }
        const PointWalk::IndexNeighbours around = walk.neighbourIndices(x);
        for (int32_t j = 0; j < own.count; ++j) {
            double v = onLine(values[static_cast<size_t>(j)], around);
            if (reference != nullptr)
                v -= (*reference)[static_cast<size_t>(own.kind[static_cast<size_t>(j)])]
                                 [static_cast<size_t>(i)];
            out[static_cast<size_t>(j)][i] = v;
        }
    }
}

// The same, walking the kept frequencies of m's own points where they ascend (reading a few
// adjacent numbers instead of the points), else the points themselves.
void sampleOwnValues(TraceBuffers& buffers, RubberS2PData& m, const OwnValueCache& cache,
    const ComputedKinds& own, const ReferenceValues* reference, bool lines, int32_t mi, double multiplier)
{
    if (const double* frequencies = cache.ascendingFrequencies(mi)) {
        FrequencyWalk walk(frequencies, m.itemCount);
        sampleOwnValues(buffers, walk, cache, own, reference, lines, mi, multiplier);
    } else {
        PointWalk walk(m);
        sampleOwnValues(buffers, walk, cache, own, reference, lines, mi, multiplier);
    }
}

// Every measurement with a shown trace sampled on its grid range (in displayed units of
// multiplier), from its values at its own points (see sampleOwnValues); with a reference the
// traces that are not computed along the own points are the interpolated S-parameters' values
// less the reference's.
void sampleMeasurements(TraceBuffers& buffers, RubberS2P& measurements, const OwnValueCache& cache,
    const ReferenceValues* reference, double gridStep, int32_t dbMode, double multiplier, int32_t phaseMode)
{
    const int32_t count = buffers.traceCount / tracesPerMeasurement;
    const bool relative = reference != nullptr;
#pragma omp parallel
    {
        clearUpperVectorState();
#pragma omp for schedule(static)
        for (int32_t mi = 0; mi < count; ++mi) {
            RubberS2PData* m = measurements.measurement(mi);
            const ComputedKinds own = computedKinds(buffers, mi, phaseMode, relative, true);
            const ComputedKinds kinds = computedKinds(buffers, mi, phaseMode, relative, false);
            if (!hasPoints(m))
                continue;
            if (own.count > 0)
                sampleOwnValues(buffers, *m, cache, own, reference, coarserThanGrid(*m, gridStep), mi, multiplier);
            if (kinds.count == 0)
                continue;
            const int32_t first = buffers.firstIndex[static_cast<size_t>(tracesPerMeasurement * mi)];
            const int32_t last = buffers.lastIndex[static_cast<size_t>(tracesPerMeasurement * mi)];
            PointWalk walk(*m);
            for (int32_t i = first; i <= last; ++i) {
                const double x = buffers.freqGrid[static_cast<size_t>(i)] * multiplier;
                storeRelative(buffers, *reference, kinds, walk.interpolated(x), i, mi, dbMode);
            }
        }
    }
}

// Asks the cache for the values that this recomputation samples, and makes those missing: the
// own-value kinds of every computed trace, and under a reference its phase traces that the mode
// computes along the own points.
void updateOwnValues(OwnValueCache& cache, const TraceBuffers& buffers, RubberS2P& measurements,
    const ValueForm& form, int32_t reference)
{
    cache.align(measurements);
    const bool relative = reference >= 0;
    for (int32_t t = 0; t < buffers.traceCount; ++t)
        if (buffers.computed(t) && sampledFromOwnValues(t % tracesPerMeasurement, form.phaseMode, relative))
            cache.want(t / tracesPerMeasurement, t % tracesPerMeasurement);
    for (int32_t k = S11A; relative && k < tracesPerMeasurement; k += 2)
        if (ownPointTrace(k, form.phaseMode))
            cache.want(reference, k);
    cache.update(measurements, form);
}

// Whether the phase mode computes some shown trace of measurement m along its own points.
bool hasOwnTraces(const TraceBuffers& buffers, int32_t m, int32_t phaseMode)
{
    for (int32_t k = S11A; k < tracesPerMeasurement; k += 2)
        if (buffers.computed(tracesPerMeasurement * m + k) && ownPointTrace(k, phaseMode))
            return true;
    return false;
}

// The aperture in hertz of measurement m, (aperture - 1) mean steps; 0 when m has fewer
// points than the aperture or no usable step.
double apertureWidth(const RubberS2PData& m, int32_t aperture)
{
    if (m.itemCount < aperture || !std::isfinite(m.freqStep) || !(m.freqStep > 0))
        return 0;
    return (aperture - 1) * m.freqStep;
}

// The delay traces brought into the unit chosen for them (see DelayPrefixVote) and what the
// texts need of the phase traces: the mode, the unit and the aperture over the measurements
// whose delay was computed.
void finishPhaseTraces(
    TraceBuffers& buffers, RubberS2P& measurements, const PhaseView& phase, int32_t reference)
{
    PhaseResults& results = buffers.phase;
    results = PhaseResults();
    results.mode = phase.mode;
    results.aperture = phase.aperture;
    if (phase.mode != PhaseDelay)
        return;
    ValueSpan widths;
    for (int32_t m = 0; m < measurements.itemCount; ++m) {
        RubberS2PData* data = measurements.measurement(m);
        if (!hasPoints(data) || (m != reference && !hasOwnTraces(buffers, m, phase.mode)))
            continue;
        const double width = apertureWidth(*data, phase.aperture);
        if (width > 0)
            widths.take(width);
    }
    results.apertureLow = widths.low;
    results.apertureHigh = widths.high;

    std::vector<int32_t> delayTraces;
    for (int32_t t = 0; t < buffers.traceCount; ++t)
        if (t % 2 == 1 && buffers.computed(t))
            delayTraces.push_back(t);
    const int32_t count = static_cast<int32_t>(delayTraces.size());
    DelayPrefixVote vote;
#pragma omp parallel
    {
        DelayPrefixVote own;
#pragma omp for schedule(static)
        for (int32_t j = 0; j < count; ++j) {
            const size_t t = static_cast<size_t>(delayTraces[static_cast<size_t>(j)]);
            const double* values = buffers.traceValues[t];
            for (int32_t i = std::max(buffers.firstIndex[t], 0); i <= buffers.lastIndex[t]; ++i)
                own.take(values[i]);
        }
#pragma omp critical
        vote.merge(own);
    }
    results.delayExponent = vote.exponent();
    const double scale = delayUnitsPerSecond(results.delayExponent);
#pragma omp parallel for schedule(static)
    for (int32_t j = 0; j < count; ++j) {
        const size_t t = static_cast<size_t>(delayTraces[static_cast<size_t>(j)]);
        double* values = buffers.traceValues[t];
        for (int32_t i = std::max(buffers.firstIndex[t], 0); i <= buffers.lastIndex[t]; ++i)
            values[i] *= scale;
    }
}

void drawTraces(ChartState& state, ZoomEntry& zoom, int32_t autoX, int32_t autoY)
{
    ChartInput input = chartInputOf(state, autoX, autoY);
    input.pixelColumn = state.buffers.pixelColumn.data();
    // A Smith or polar chart computes no trace values to choose a value axis from: the
    // frequency chart's value axis stays as it was.
    if (autoY != 0 && state.chartKind == ChartKind::frequency) {
        input.yMinOut = &zoom.yMin;
        input.yMaxOut = &zoom.yMax;
        input.yStepOut = &zoom.yStep;
    }
    if (autoX != 0)
        input.xStepOut = &zoom.xStep;
    if (state.chartKind == ChartKind::frequency) {
        drawChart(state.chart, input);
    } else {
        // The loci of the same frequency view; the frequency axis is still chosen, so that
        // the view and its edit boxes stay as they were.
        layOutChart(state.chart, input);
        collectLoci(state, zoom.xMin, zoom.xMax, state.plane.loci);
        state.plane.mapping = drawPlaneChart(state.chart, planeInputOf(state));
    }
    if (autoX != 0)
        zoom.xStep *= state.unitMultiplier;
}

// Keeps the span of every computed trace's finite values that the automatic value axis takes,
// with their count, which tells the drawing whether the trace has gaps.
void keepFiniteSpans(TraceBuffers& buffers)
{
    buffers.finiteSpans.assign(static_cast<size_t>(buffers.traceCount), ValueSpan());
    const int64_t work = int64_t { buffers.traceCount } * buffers.pointCount;
#pragma omp parallel for schedule(static) if (work >= parallelLoopMinimum)
    for (int32_t t = 0; t < buffers.traceCount; ++t) {
        const size_t ts = static_cast<size_t>(t);
        if (!buffers.computed(t) || buffers.traceValues[ts] == nullptr)
            continue;
        clearUpperVectorState();
        buffers.finiteSpans[ts] = finiteSpanBefore(buffers.traceValues[ts], std::max(buffers.firstIndex[ts], 0),
            std::min(buffers.lastIndex[ts], buffers.pointCount));
    }
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
    const bool relative = r >= 0 && r < measurements.itemCount && state.chartKind == ChartKind::frequency;
    const PhaseView phase { phaseModeOf(state.phaseMode), delayApertureOf(state.delayAperture) };
    updateOwnValues(state.ownValues, buffers, measurements, ValueForm { state.dbMode, phase.mode, phase.aperture },
        relative ? r : -1);
    ReferenceValues reference;
    if (relative)
        computeReference(reference, buffers, *measurements.measurement(r), r, state.dbMode,
            state.unitMultiplier, phase.mode, state.ownValues);
    sampleMeasurements(buffers, measurements, state.ownValues, relative ? &reference : nullptr, gridStep,
        state.dbMode, state.unitMultiplier, phase.mode);
    ReferenceValues().swap(reference);
    finishPhaseTraces(buffers, measurements, phase, relative ? r : -1);
    computeMarkerValues(state);
    if (state.chartKind == ChartKind::frequency)
        keepFiniteSpans(buffers);

    drawTraces(state, zoom, autoX, autoY);
    computeStatistics(buffers, zoom.yMin, zoom.yMax);
    host.writeAxisEdits(zoom, state.unitMultiplier);
    host.fillStatistics(state);
    return RecomputeResult::Drawn;
}

} // namespace

void computeStatistics(TraceBuffers& buffers, double yMin, double yMax)
{
    const bool spansKept = buffers.finiteSpans.size() == static_cast<size_t>(buffers.traceCount)
        && std::isfinite(yMin) && std::isfinite(yMax);
    const int64_t work = int64_t { buffers.traceCount } * buffers.pointCount;
#pragma omp parallel for schedule(static) if (work >= parallelLoopMinimum)
    for (int32_t t = 0; t < buffers.traceCount; ++t) {
        const size_t ts = static_cast<size_t>(t);
        const double* values = buffers.traceValues[ts];
        const int32_t first = std::max(buffers.firstIndex[ts], 0);
        const int32_t last = std::min(buffers.lastIndex[ts], buffers.pointCount - 1);
        ValueSpan span;
        if (buffers.computed(t) && values != nullptr && first <= last) {
            const ValueSpan* kept = spansKept ? &buffers.finiteSpans[ts] : nullptr;
            if (kept != nullptr && (!kept->found || (yMin <= kept->low && kept->high <= yMax))) {
                // Every finite value before the last lies within the range: the kept span is
                // theirs, and only the last value remains to be looked at.
                span = *kept;
                if (yMin <= values[last] && values[last] <= yMax)
                    span.take(values[last]);
            } else {
                clearUpperVectorState();
                span = spanWithin(values, first, last, yMin, yMax);
            }
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
        state.buffers.clearResults();
        result = computeAndDraw(state, host, autoX, autoY);
    } catch (const std::bad_alloc&) {
        result = RecomputeResult::OutOfMemory;
    }
    if (result == RecomputeResult::OutOfMemory) {
        state.buffers.releaseBuffers();
        state.ownValues.clear();
    }
    host.reportMemory(result == RecomputeResult::OutOfMemory);
    return result;
}
