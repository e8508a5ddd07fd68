#include "showncurves.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "smoothingbatch.h"
#include "vectorstate.h"

namespace {

// A run of finite values: piece `piece` of curve `curve`, grid points first..last.
struct ValueRun {
    int32_t curve = 0;
    int32_t piece = 0;
    int32_t first = 0;
    int32_t last = 0;
};

// Whether the kept count of trace t's finite values tells that every value is finite.
bool knownWithoutGaps(const ChartInput& input, int32_t t)
{
    if (input.finiteSpans == nullptr || input.lastIndex == nullptr)
        return false;
    const int32_t first = traceStart(input, t);
    const int32_t end = traceEnd(input, t);
    const int32_t counted = std::min(input.lastIndex[t], input.pointCount) - first;
    return counted >= 0 && input.finiteSpans[t].count == counted
        && (first + counted > end || std::isfinite(input.traceValues[t][end]));
}

// The runs of finite values of trace t.
void findRuns(const ChartInput& input, int32_t curve, int32_t t, std::vector<ValueRun>& runs)
{
    const double* values = input.traceValues[t];
    const int32_t end = traceEnd(input, t);
    int32_t first = traceStart(input, t);
    if (first <= end && knownWithoutGaps(input, t)) {
        runs.push_back(ValueRun { curve, 0, first, end });
        return;
    }
    int32_t piece = 0;
    while (first <= end) {
        while (first <= end && !std::isfinite(values[first]))
            ++first;
        if (first > end)
            return;
        int32_t last = first;
        while (last < end && std::isfinite(values[last + 1]))
            ++last;
        runs.push_back(ValueRun { curve, piece++, first, last });
        first = last + 1;
    }
}

// Work for one thread at a time: runs[begin..end) of the sorted runs, smoothed together when
// there are several.
struct RunBatch {
    size_t begin = 0;
    size_t end = 0;
};

// The runs in batches: with smoothing, runs over the same grid points up to smoothingBatchLanes
// at a time; otherwise each alone. Sorts the runs so that a batch's runs lie together.
std::vector<RunBatch> batchRuns(std::vector<ValueRun>& runs, bool smoothing)
{
    std::vector<RunBatch> batches;
    if (smoothing) {
        std::stable_sort(runs.begin(), runs.end(), [](const ValueRun& a, const ValueRun& b) {
            return a.first != b.first ? a.first < b.first : a.last < b.last;
        });
    }
    for (size_t i = 0; i < runs.size();) {
        size_t j = i + 1;
        while (smoothing && j < runs.size() && j - i < smoothingBatchLanes && runs[j].first == runs[i].first
            && runs[j].last == runs[i].last)
            ++j;
        batches.push_back(RunBatch { i, j });
        i = j;
    }
    return batches;
}

void findVertices(const ChartInput& input, const CurveScale& scale, std::vector<ShownCurve>& curves,
    const std::vector<ValueRun>& runs, const RunBatch& batch)
{
    const ValueRun& head = runs[batch.begin];
    const auto piece = [&](const ValueRun& run) -> std::vector<QPoint>& {
        return curves[static_cast<size_t>(run.curve)].pieces[static_cast<size_t>(run.piece)];
    };
    const auto valuesOf = [&](const ValueRun& run) {
        return input.traceValues[curves[static_cast<size_t>(run.curve)].trace];
    };
    if (batch.end - batch.begin == 1) {
        curveVertices(input.freqGrid, valuesOf(head), head.first, head.last, input.smoothing != 0, scale,
            piece(head));
        return;
    }
    const double* values[smoothingBatchLanes];
    std::vector<QPoint>* vertices[smoothingBatchLanes];
    const int32_t count = static_cast<int32_t>(batch.end - batch.begin);
    for (int32_t k = 0; k < count; ++k) {
        const ValueRun& run = runs[batch.begin + static_cast<size_t>(k)];
        values[k] = valuesOf(run);
        vertices[k] = &piece(run);
    }
    smoothedVertices(input.freqGrid, values, count, head.first, head.last, scale, vertices);
}

} // namespace

bool traceShown(const ChartInput& input, int32_t t)
{
    if (input.visible == nullptr)
        return true;
    return t < input.visibleCount && input.visible[t] != 0;
}

int32_t traceStart(const ChartInput& input, int32_t t)
{
    return input.firstIndex != nullptr ? std::max(input.firstIndex[t], 0) : 0;
}

int32_t traceEnd(const ChartInput& input, int32_t t)
{
    return input.lastIndex != nullptr ? std::min(input.lastIndex[t], input.pointCount - 1)
                                      : input.pointCount - 1;
}

std::vector<ShownCurve> shownCurves(const ChartInput& input, const CurveScale& scale)
{
    std::vector<ShownCurve> curves;
    if (input.traceValues == nullptr || input.freqGrid == nullptr || input.pointCount <= 0)
        return curves;
    for (int32_t t = 0; t < input.traceCount; ++t) {
        if (traceShown(input, t) && input.traceValues[t] != nullptr)
            curves.push_back(ShownCurve { t, {} });
    }
    const int32_t shownCount = static_cast<int32_t>(curves.size());
    std::vector<std::vector<ValueRun>> runsOf(curves.size());
#pragma omp parallel for schedule(static)
    for (int32_t j = 0; j < shownCount; ++j)
        findRuns(input, j, curves[static_cast<size_t>(j)].trace, runsOf[static_cast<size_t>(j)]);
    std::vector<ValueRun> runs;
    for (size_t j = 0; j < curves.size(); ++j) {
        curves[j].pieces.resize(runsOf[j].size());
        runs.insert(runs.end(), runsOf[j].begin(), runsOf[j].end());
    }
    std::vector<RunBatch> batches = batchRuns(runs, input.smoothing != 0);
    const int32_t batchCount = static_cast<int32_t>(batches.size());
    std::vector<char> failed(batches.size(), 0);
#pragma omp parallel
    {
        clearUpperVectorState();
#pragma omp for schedule(dynamic)
        for (int32_t b = 0; b < batchCount; ++b) {
            try {
                findVertices(input, scale, curves, runs, batches[static_cast<size_t>(b)]);
            } catch (const std::bad_alloc&) {
                failed[static_cast<size_t>(b)] = 1;
            }
        }
    }
    for (size_t b = 0; b < batches.size(); ++b) {
        for (size_t r = batches[b].begin; failed[b] != 0 && r < batches[b].end; ++r)
            std::vector<std::vector<QPoint>>().swap(curves[static_cast<size_t>(runs[r].curve)].pieces);
    }
    for (ShownCurve& curve : curves) {
        curve.pieces.erase(std::remove_if(curve.pieces.begin(), curve.pieces.end(),
                               [](const std::vector<QPoint>& piece) { return piece.empty(); }),
            curve.pieces.end());
    }
    return curves;
}
