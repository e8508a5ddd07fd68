#include "owntrace.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ownphase.h"
#include "ownvalues.h"
#include "tracevalues.h"

namespace {

constexpr double noValue = std::numeric_limits<double>::quiet_NaN();

// The value at f between own points i and i + 1 that bracket it.
double between(const OwnTrace& trace, size_t i, double f)
{
    const double f0 = trace.freq[i];
    const double f1 = trace.freq[i + 1];
    const double v0 = trace.value[i];
    if (f == f0)
        return v0;
    const double v1 = trace.value[i + 1];
    if (f == f1)
        return v1;
    const double t = (f - f0) / (f1 - f0);
    if (trace.wrapped)
        return wrapPhase(v0 + wrapPhase(v1 - v0) * t);
    return v0 + (v1 - v0) * t;
}

// Trace kind k of m without a reference: its values from kept when given (makeOwnValues of the
// view's form), made anew otherwise.
void absoluteTrace(RubberS2PData& m, const double* kept, int32_t kind, const TraceView& view, OwnTrace& out)
{
    const size_t count = static_cast<size_t>(m.itemCount);
    out.freq.resize(count);
    ownFrequencies(m, out.freq.data());
    if (kept != nullptr) {
        out.value.assign(kept, kept + count);
    } else {
        out.value.resize(count);
        makeOwnValues(m, kind, ValueForm { view.dbMode, view.phaseMode, view.aperture }, out.value.data());
    }
    if (kind % 2 == 1 && view.phaseMode == PhaseDelay)
        for (double& v : out.value)
            v *= view.delayScale;
    out.wrapped = kind % 2 == 1 && !ownPointTrace(kind, view.phaseMode);
    out.ascending = std::adjacent_find(out.freq.begin(), out.freq.end(), std::greater_equal<double>()) == out.freq.end();
}

} // namespace

double OwnTrace::valueAt(double f) const
{
    const size_t n = freq.size();
    if (n == 0 || !std::isfinite(f))
        return noValue;
    if (n == 1)
        return f == freq[0] ? value[0] : noValue;
    if (ascending) {
        if (f < freq.front() || f > freq.back())
            return noValue;
        const size_t above = static_cast<size_t>(std::lower_bound(freq.begin(), freq.end(), f) - freq.begin());
        return between(*this, above == 0 ? 0 : above - 1, f);
    }
    for (size_t i = 0; i + 1 < n; ++i)
        if (std::min(freq[i], freq[i + 1]) <= f && f <= std::max(freq[i], freq[i + 1]) && freq[i] != freq[i + 1])
            return between(*this, i, f);
    return noValue;
}

void ownTrace(RubberS2PData& m, RubberS2PData* reference, int32_t kind, const TraceView& view, OwnTrace& out)
{
    absoluteTrace(m, nullptr, kind, view, out);
    if (reference == nullptr || reference->itemCount == 0)
        return;
    OwnTrace base;
    absoluteTrace(*reference, nullptr, kind, view, base);
    for (size_t i = 0; i < out.value.size(); ++i) {
        const double v = out.value[i] - base.valueAt(out.freq[i]);
        out.value[i] = out.wrapped ? wrapPhase(v) : v;
    }
}

void keptTrace(RubberS2PData& m, const double* kept, int32_t kind, const TraceView& view, OwnTrace& out)
{
    absoluteTrace(m, kept, kind, view, out);
}
