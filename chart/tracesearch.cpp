#include "tracesearch.h"

#include <cmath>

namespace {

// The own point of a trace nearest the maximum on one side where it falls below level: the
// edge on the line from the last point at or above the level, walking by step from start.
std::optional<double> edgeFrom(const OwnTrace& trace, double low, double high, size_t start, int step, double level)
{
    size_t above = start;
    for (size_t i = start + static_cast<size_t>(step); i < trace.freq.size(); i += static_cast<size_t>(step)) {
        const double f = trace.freq[i];
        if (f < low || f > high)
            break;
        const double v = trace.value[i];
        if (!std::isfinite(v))
            continue;
        if (v < level) {
            const double fa = trace.freq[above];
            const double va = trace.value[above];
            return fa + (f - fa) * ((level - va) / (v - va));
        }
        above = i;
    }
    return std::nullopt;
}

} // namespace

double TraceSearch::centre() const
{
    return std::sqrt(*lowerEdge * *upperEdge);
}

double TraceSearch::bandwidth() const
{
    return *upperEdge - *lowerEdge;
}

double TraceSearch::q() const
{
    return centre() / bandwidth();
}

TraceSearch searchTrace(const OwnTrace& trace, double low, double high, double drop)
{
    TraceSearch result;
    size_t peak = 0;
    for (size_t i = 0; i < trace.freq.size(); ++i) {
        const double f = trace.freq[i];
        const double v = trace.value[i];
        if (!(f >= low && f <= high) || !std::isfinite(v))
            continue;
        if (!result.found || v > result.maxValue) {
            result.maxValue = v;
            result.maxFreq = f;
            peak = i;
        }
        if (!result.found || v < result.minValue) {
            result.minValue = v;
            result.minFreq = f;
        }
        result.found = true;
    }
    if (!result.found)
        return result;
    const double level = result.maxValue - drop;
    // Walking down from index 0 wraps the index past the end, which ends the loop.
    result.lowerEdge = edgeFrom(trace, low, high, peak, -1, level);
    result.upperEdge = edgeFrom(trace, low, high, peak, 1, level);
    return result;
}
