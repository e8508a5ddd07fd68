#include "limitscheck.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

#include "gridsampling.h"
#include "measurementlock.h"
#include "tracevalues.h"

namespace {

// Margins closer to zero than this, in the plotted unit, are taken as zero: a value written
// on the limit in a file comes back from its S-parameters a rounding error away.
constexpr double marginResolution = 1e-9;

// The plotted values of one measurement's traces at its own points, for the kinds checked.
struct OwnValues {
    std::vector<double> freq;
    bool ascending = false; // freq is in ascending order
    std::array<std::vector<double>, tracesPerMeasurement> value;
};

using KindSet = std::array<bool, tracesPerMeasurement>;

// The values of the kinds of m, less the reference's interpolated values when there is a
// reference (phases brought back into [-180, 180]); no value outside the reference's range.
void fillOwnValues(
    RubberS2PData& m, RubberS2PData* reference, const KindSet& kinds, int32_t dbMode, OwnValues& own)
{
    const size_t n = static_cast<size_t>(m.itemCount);
    own.freq.resize(n);
    for (int32_t k = 0; k < tracesPerMeasurement; ++k)
        if (kinds[static_cast<size_t>(k)])
            own.value[static_cast<size_t>(k)].resize(n);
    std::optional<PointWalk> walk;
    double low = 0;
    double high = -1;
    if (reference != nullptr && reference->itemCount > 0) {
        walk.emplace(*reference);
        low = std::min(reference->freqFirst, reference->freqLast);
        high = std::max(reference->freqFirst, reference->freqLast);
    }
    for (size_t i = 0; i < n; ++i) {
        const S2PPoint& p = *m.point(static_cast<int32_t>(i));
        own.freq[i] = p.freq;
        const bool inReference = p.freq >= low && p.freq <= high;
        SParameters r {};
        if (reference != nullptr && inReference)
            r = walk->interpolated(p.freq);
        for (int32_t k = 0; k < tracesPerMeasurement; ++k) {
            if (!kinds[static_cast<size_t>(k)])
                continue;
            double v = traceValueOf(sParameterOf(p, k), k, dbMode);
            if (reference != nullptr) {
                v = inReference ? v - traceValue(r, k, dbMode) : std::numeric_limits<double>::quiet_NaN();
                if (k % 2 == 1)
                    v = wrapPhase(v);
            }
            own.value[static_cast<size_t>(k)][i] = v;
        }
    }
    own.ascending = std::is_sorted(own.freq.begin(), own.freq.end());
}

// The result of one segment on one measurement's values of its kind.
LimitVerdict checkSegment(const LimitSegment& segment, const OwnValues& own)
{
    const std::vector<double>& freq = own.freq;
    const std::vector<double>& value = own.value[static_cast<size_t>(segment.kind)];
    LimitVerdict verdict;
    verdict.checked = true;
    verdict.kind = segment.kind;
    verdict.line = segment.line;
    bool tested = false;
    const auto test = [&](double f, double v) {
        if (!std::isfinite(v))
            return;
        double margin = segment.margin(f, v);
        if (std::abs(margin) < marginResolution)
            margin = 0;
        if (!tested || margin < verdict.margin) {
            verdict.margin = margin;
            verdict.freq = f;
        }
        tested = true;
    };
    // Ascending frequencies, as readers give them, narrow both scans to the points around the
    // segment; any other order takes every point.
    size_t from = 0;
    size_t to = freq.size();
    if (own.ascending) {
        from = static_cast<size_t>(std::lower_bound(freq.begin(), freq.end(), segment.f1) - freq.begin());
        to = static_cast<size_t>(std::upper_bound(freq.begin(), freq.end(), segment.f2) - freq.begin());
        from = from > 0 ? from - 1 : 0;
        to = std::min(to + 1, freq.size());
    }
    for (size_t i = from; i < to; ++i)
        if (segment.f1 <= freq[i] && freq[i] <= segment.f2)
            test(freq[i], value[i]);
    // The ends between two points, on the straight line the chart draws between them.
    for (const double end : { segment.f1, segment.f2 }) {
        for (size_t i = from + 1; i < to; ++i) {
            const double a = freq[i - 1];
            const double b = freq[i];
            if (std::min(a, b) < end && end < std::max(a, b))
                test(end, value[i - 1] + (value[i] - value[i - 1]) * ((end - a) / (b - a)));
        }
        if (segment.spot())
            break;
    }
    if (!tested) {
        verdict.notCovered = true;
        verdict.freq = segment.f1;
    }
    return verdict;
}

} // namespace

void LimitVerdict::take(const LimitVerdict& other)
{
    if (!other.checked)
        return;
    if (!checked || (!notCovered && (other.notCovered || other.margin < margin)))
        *this = other;
}

LimitsVerdicts checkLimits(
    const Limits& limits, RubberS2P& measurements, int32_t dbMode, int32_t referenceIndex)
{
    LimitsVerdicts verdicts;
    const int32_t count = measurements.itemCount;
    verdicts.traces.assign(
        static_cast<size_t>(tracesPerMeasurement) * static_cast<size_t>(count), LimitVerdict());
    verdicts.measurements.assign(static_cast<size_t>(count), LimitVerdict());
    if (limits.empty())
        return verdicts;
    KindSet used {};
    for (const LimitSegment& segment : limits.segments)
        used[static_cast<size_t>(segment.kind)] = true;

    const MeasurementLock lock(measurements);
    RubberS2PData* reference
        = referenceIndex >= 0 && referenceIndex < count ? measurements.measurement(referenceIndex) : nullptr;
    OwnValues own;
    for (int32_t mi = 0; mi < count; ++mi) {
        RubberS2PData* m = measurements.measurement(mi);
        if (m == nullptr || m->itemCount == 0)
            continue;
        KindSet kinds {};
        for (int32_t k = 0; k < tracesPerMeasurement; ++k)
            kinds[static_cast<size_t>(k)] = used[static_cast<size_t>(k)] && kindHeld(m->portCount, k);
        fillOwnValues(*m, reference, kinds, dbMode, own);
        LimitVerdict& whole = verdicts.measurements[static_cast<size_t>(mi)];
        for (const LimitSegment& segment : limits.segments) {
            if (!kinds[static_cast<size_t>(segment.kind)])
                continue;
            const LimitVerdict result = checkSegment(segment, own);
            verdicts.traces[static_cast<size_t>(tracesPerMeasurement * mi + segment.kind)].take(result);
            whole.take(result);
        }
        if (whole.checked) {
            ++verdicts.checkedCount;
            verdicts.passCount += whole.pass() ? 1 : 0;
        }
    }
    return verdicts;
}
