#include "phasetraces.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double noValue = std::numeric_limits<double>::quiet_NaN();

// A delay of 1 second per 360 degrees of phase per hertz.
constexpr double degreesPerTurn = 360;

// Sums of a window of points taken relative to an anchor point near it, so that the sums stay
// small beside the frequencies and phases themselves and the centred sums below lose little
// to cancellation. Points whose frequency or phase is not finite are counted apart and add
// nothing, so that taking them out again leaves the sums as they were.
struct WindowSums {
    double anchorX = 0;
    double anchorY = 0;
    double sx = 0;
    double sy = 0;
    double sxx = 0;
    double sxy = 0;
    int32_t bad = 0;

    void add(double f, double phi, double sign)
    {
        const double x = f - anchorX;
        const double y = phi - anchorY;
        // Either not finite makes the sum so; finite frequencies and phases stay far from
        // overflowing it.
        if (!std::isfinite(x + y)) {
            bad += sign > 0 ? 1 : -1;
            return;
        }
        sx += sign * x;
        sy += sign * y;
        sxx += sign * x * x;
        sxy += sign * x * y;
    }

    // The delay of the least-squares line through the points summed, count of them.
    double delay(int32_t count) const
    {
        if (bad != 0)
            return noValue;
        const double cxx = sxx - sx * sx / count;
        const double cxy = sxy - sx * sy / count;
        if (!(cxx > 0))
            return noValue;
        return -(cxy / cxx) / degreesPerTurn;
    }
};

// The first finite value of v[first..last), or 0.
double firstFinite(const double* v, int32_t first, int32_t last)
{
    for (int32_t i = first; i < last; ++i)
        if (std::isfinite(v[i]))
            return v[i];
    return 0;
}

// The delay of every window start 0 .. count - aperture, windowDelay[s] for the window of
// points s .. s + aperture - 1. The sums slide by one point from window to window and are
// summed afresh, around a new anchor, every aperture windows: the work per window stays
// constant however wide the aperture, and the rounding of the sliding never adds up over more
// than one aperture.
template <typename Store>
void slideWindows(const double* f, const double* phi, int32_t count, int32_t aperture, Store store)
{
    const int32_t windows = count - aperture + 1;
    for (int32_t blockStart = 0; blockStart < windows; blockStart += aperture) {
        WindowSums sums;
        const int32_t spanEnd = std::min(count, blockStart + 2 * aperture);
        sums.anchorX = firstFinite(f, blockStart, spanEnd);
        sums.anchorY = firstFinite(phi, blockStart, spanEnd);
        for (int32_t j = blockStart; j < blockStart + aperture; ++j)
            sums.add(f[j], phi[j], 1);
        const int32_t blockEnd = std::min(windows, blockStart + aperture);
        for (int32_t s = blockStart; s < blockEnd; ++s) {
            store(s, sums.delay(aperture));
            if (s + 1 < blockEnd) {
                sums.add(f[s], phi[s], -1);
                sums.add(f[s + aperture], phi[s + aperture], 1);
            }
        }
    }
}

} // namespace

int32_t phaseModeOf(int32_t stored)
{
    return stored >= 0 && stored < phaseModeCount ? stored : PhaseWrapped;
}

bool isDelayAperture(int32_t points)
{
    return points >= minimumDelayAperture && points <= maximumDelayAperture && points % 2 == 1;
}

int32_t delayApertureOf(int32_t stored)
{
    return isDelayAperture(stored) ? stored : defaultDelayAperture;
}

bool ownPointTrace(int32_t kind, int32_t phaseMode)
{
    return kind % 2 == 1 && (phaseMode == PhaseUnwrapped || phaseMode == PhaseDelay);
}

void unwrapPhases(double* degrees, int32_t count)
{
    bool started = false;
    double previous = 0;
    // The whole turns added to the angles, a multiple of 360 and so exact: every value keeps
    // the rounding of its own angle alone, however long the run. It changes only where the
    // angle wraps, so most points take one addition.
    double turns = 0;
    for (int32_t i = 0; i < count; ++i) {
        const double angle = degrees[i];
        if (!std::isfinite(angle)) {
            degrees[i] = noValue;
            continue;
        }
        double v = angle + turns;
        if (started && std::abs(previous - v) > degreesPerTurn / 2) {
            turns += degreesPerTurn * std::round((previous - v) / degreesPerTurn);
            v = angle + turns;
        }
        degrees[i] = v;
        previous = v;
        started = true;
    }
}

void groupDelays(const double* frequencies, const double* unwrappedDegrees, int32_t count, int32_t aperture,
    double* delays)
{
    if (count <= 0)
        return;
    if (aperture < 2 || count < aperture) {
        std::fill_n(delays, count, noValue);
        return;
    }
    const int32_t half = (aperture - 1) / 2;
    const int32_t lastStart = count - aperture;
    slideWindows(frequencies, unwrappedDegrees, count, aperture, [&](int32_t s, double tau) {
        // Window s is centred on point s + half; the first and the last window also serve the
        // points nearer the ends than half.
        const int32_t from = s == 0 ? 0 : s + half;
        const int32_t to = s == lastStart ? count - 1 : s + half;
        for (int32_t i = from; i <= to; ++i)
            delays[i] = tau;
    });
}

double delayUnitsPerSecond(int32_t exponent)
{
    switch (exponent) {
    case -12:
        return 1e12;
    case -9:
        return 1e9;
    case -6:
        return 1e6;
    case -3:
        return 1e3;
    case 0:
        return 1;
    default:
        return 1e9;
    }
}

void DelayPrefixVote::take(double seconds)
{
    const double a = std::abs(seconds);
    // An exact zero, such as the reference's own delay less itself, has no size to tell.
    if (!std::isfinite(a) || a == 0)
        return;
    const int32_t k = a < 1e-9 ? 0 : a < 1e-6 ? 1 : a < 1e-3 ? 2 : a < 1 ? 3 : 4;
    ++counts[k];
}

void DelayPrefixVote::merge(const DelayPrefixVote& other)
{
    for (int32_t k = 0; k < delayExponentCount; ++k)
        counts[k] += other.counts[k];
}

int32_t DelayPrefixVote::exponent() const
{
    int64_t total = 0;
    for (const int64_t c : counts)
        total += c;
    if (total == 0)
        return defaultDelayExponent;
    // The class of the median: the lower middle value of an even count.
    const int64_t middle = (total + 1) / 2;
    int64_t seen = 0;
    for (int32_t k = 0; k < delayExponentCount; ++k) {
        seen += counts[k];
        if (seen >= middle)
            return delayExponents[k];
    }
    return delayExponents[delayExponentCount - 1];
}
