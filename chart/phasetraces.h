#pragma once

#include <cstdint>

// How the four phase traces (S11A, S21A, S12A, S22A) show a measurement's phase. The magnitude
// traces never change with it.
enum PhaseMode : int32_t {
    PhaseWrapped = 0, // the angle in degrees, in (-180, 180], sampled on the grid like a magnitude
    PhaseUnwrapped = 1, // degrees, unwrapped along the measurement's own points from the first
    PhaseDelay = 2, // group delay in seconds from the unwrapped phase, over an aperture of own points
};
constexpr int32_t phaseModeCount = 3;

// The group delay aperture: an odd number of consecutive own points.
constexpr int32_t defaultDelayAperture = 5;
constexpr int32_t minimumDelayAperture = 3;
constexpr int32_t maximumDelayAperture = 1001;

// The mode a stored number names; anything but 0, 1 or 2 is the wrapped phase.
int32_t phaseModeOf(int32_t stored);
// Whether points is a usable aperture: odd, minimumDelayAperture to maximumDelayAperture.
bool isDelayAperture(int32_t points);
// The aperture a stored number names; anything unusable is defaultDelayAperture.
int32_t delayApertureOf(int32_t stored);

// Whether trace kind k (0..7) is computed along its measurement's own points in the mode and
// then sampled onto the grid: a phase trace in the unwrapped or delay mode.
bool ownPointTrace(int32_t kind, int32_t phaseMode);

// Unwraps count phases in degrees in place, in index order from the first: the first finite
// value stays, each next one is moved by a multiple of 360 to lie within 180 of the previous
// finite one. Values that are not finite become NaN and leave the next one to follow the last
// finite value.
void unwrapPhases(double* degrees, int32_t count);

// The group delay at each of count points in seconds, tau = -(1/360) dphi/df, from unwrapped
// phases in degrees at frequencies in hertz: the slope of the least-squares line through the
// aperture of consecutive points centred on the point; near the ends the window keeps its
// width and shifts inward. A window that holds a value that is not finite, or whose
// frequencies are all equal, gives NaN; so does every point when count < aperture or the
// aperture is below 2. An even aperture centres its window half a point early.
void groupDelays(const double* frequencies, const double* unwrappedDegrees, int32_t count, int32_t aperture,
    double* delays);

// The delay values of a view are shown in seconds times 10^-exponent (ps, ns, us, ms or s).
constexpr int32_t delayExponentCount = 5;
constexpr int32_t delayExponents[delayExponentCount] = { -12, -9, -6, -3, 0 };
constexpr int32_t defaultDelayExponent = -9;

// Displayed units per second of an exponent (1e12 for -12 ... 1 for 0); 1e9 for any other.
double delayUnitsPerSecond(int32_t exponent);

// Chooses the SI prefix of a view's delays by the median of their magnitudes, so that a few
// wild values (the phase noise of a stopband) do not decide it: the largest of ps, ns, us, ms
// and s in which the median is at least 1 (ps below 1 ns). Values that are not finite and
// exact zeros do not count; without any value the prefix is ns.
class DelayPrefixVote {
public:
    void take(double seconds);
    // Adds the counts of another vote.
    void merge(const DelayPrefixVote& other);
    int32_t exponent() const;

private:
    int64_t counts[delayExponentCount] = {};
};

// What the last recomputation made of the phase traces, read by the texts that carry their
// unit and aperture.
struct PhaseResults {
    int32_t mode = PhaseWrapped; // the mode the phase traces were computed in
    int32_t aperture = defaultDelayAperture; // the delay aperture in points
    // Delay values are seconds times 10^-delayExponent.
    int32_t delayExponent = defaultDelayExponent;
    // The narrowest and widest aperture in hertz, (aperture - 1) mean steps, over the
    // measurements whose delay was computed (the reference's included); both 0 when none was.
    double apertureLow = 0;
    double apertureHigh = 0;
};
