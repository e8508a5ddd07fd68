#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <vector>

#include "measurementbuilder.h"
#include "ownphase.h"
#include "phasetexts.h"
#include "phasetraces.h"
#include "tracevalues.h"

namespace {

constexpr double pi = 3.141592653589793;
constexpr double noValue = std::numeric_limits<double>::quiet_NaN();

// The least-squares delay of every point by the definition: two plain passes over the window
// of aperture points centred on it, shifted inward at the ends.
std::vector<double> plainDelays(
    const std::vector<double>& f, const std::vector<double>& phi, int32_t aperture)
{
    const int32_t count = static_cast<int32_t>(f.size());
    std::vector<double> delays;
    for (int32_t i = 0; i < count; ++i) {
        const size_t s = static_cast<size_t>(std::clamp(i - (aperture - 1) / 2, 0, count - aperture));
        double mx = 0;
        double my = 0;
        for (size_t j = s; j < s + static_cast<size_t>(aperture); ++j) {
            mx += f[j] / aperture;
            my += phi[j] / aperture;
        }
        double sxy = 0;
        double sxx = 0;
        for (size_t j = s; j < s + static_cast<size_t>(aperture); ++j) {
            sxy += (f[j] - mx) * (phi[j] - my);
            sxx += (f[j] - mx) * (f[j] - mx);
        }
        delays.push_back(-sxy / sxx / 360);
    }
    return delays;
}

std::vector<double> groupDelaysOf(
    const std::vector<double>& f, const std::vector<double>& phi, int32_t aperture)
{
    std::vector<double> delays(f.size(), -1.0);
    groupDelays(f.data(), phi.data(), static_cast<int32_t>(f.size()), aperture, delays.data());
    return delays;
}

// The own values of phase trace kind k of m in the mode.
std::vector<double> ownValues(RubberS2PData& m, int32_t kind, int32_t mode, int32_t aperture)
{
    const size_t n = static_cast<size_t>(m.itemCount);
    std::vector<double> f(n);
    std::vector<double> scratch(n);
    std::vector<double> values(n);
    ownFrequencies(m, f.data());
    ownPhaseValues(m, kind, mode, aperture, f.data(), scratch.data(), values.data());
    return values;
}

} // namespace

TEST(PhaseTraces, UnwrappingMovesEachAngleByWholeTurnsToWithinHalfATurn)
{
    const double inf = std::numeric_limits<double>::infinity();
    // Points without a phase stay without one, and the next angle follows the last one there is.
    std::vector<double> phases { noValue, 170, -170, -10, 170, 10, -170, 179, -179, inf, 0, 180, -90 };
    const std::vector<double> expected { noValue, 170, 190, 350, 530, 370, 190, 179, 181, noValue, 360, 540,
        630 };
    unwrapPhases(phases.data(), static_cast<int32_t>(phases.size()));
    for (size_t i = 0; i < phases.size(); ++i) {
        if (std::isnan(expected[i]))
            EXPECT_TRUE(std::isnan(phases[i])) << i;
        else
            EXPECT_EQ(phases[i], expected[i]) << i;
    }
}

TEST(PhaseTraces, ADelayLineUnwrapsToItsSlopeAndShowsItsDelayForAnyAperture)
{
    // S21 = 0.9 e^(-j 2 pi f tau) with tau = 1.234 ns; the reflection sees the line twice.
    const double tau = 1.234e-9;
    RubberS2P list;
    RubberS2PData& m = addMeasurement(list, 0.5e9, 20e9, 2001, [tau](double f) {
        const Complex line = std::polar(0.9, -2 * pi * f * tau);
        const Complex reflection = std::polar(0.2, -2 * pi * f * 2 * tau);
        return SParams { reflection, line, line, reflection };
    });
    for (const int32_t kind : { S21A, S11A }) {
        const double delay = kind == S21A ? tau : 2 * tau;
        const std::vector<double> unwrapped = ownValues(m, kind, PhaseUnwrapped, 5);
        const double f0 = m.point(0)->freq;
        const double first = phaseDegrees(sParameterOf(*m.point(0), kind));
        for (int32_t i = 0; i < m.itemCount; ++i) {
            const double want = first - 360 * delay * (m.point(i)->freq - f0);
            EXPECT_LE(
                std::abs(unwrapped[static_cast<size_t>(i)] - want), 1e-9 * std::max(std::abs(want), 1.0))
                << i;
        }
        for (const int32_t aperture : { 3, 5, 21, 1001 }) {
            const std::vector<double> delays = ownValues(m, kind, PhaseDelay, aperture);
            for (int32_t i = 0; i < m.itemCount; ++i)
                EXPECT_LE(std::abs(delays[static_cast<size_t>(i)] - delay), 1e-9 * delay)
                    << aperture << " " << i;
        }
    }
}

TEST(PhaseTraces, TheDelayIsTheLeastSquaresSlopeOverTheAperture)
{
    // Uneven steps around 10 GHz and a phase of many turns that wanders, as a long cable's.
    std::vector<double> f;
    std::vector<double> phi;
    double freq = 10e9;
    for (int32_t i = 0; i < 3000; ++i) {
        freq += 1e6 * (1 + 0.5 * std::sin(i * 0.77));
        f.push_back(freq);
        phi.push_back(-0.05 * (freq - 10e9) / 1e3 + 25 * std::sin(i * 0.013) + std::cos(i * 2.3));
    }
    for (const int32_t aperture : { 3, 5, 51, 1001 }) {
        const std::vector<double> got = groupDelaysOf(f, phi, aperture);
        const std::vector<double> want = plainDelays(f, phi, aperture);
        for (size_t i = 0; i < f.size(); ++i)
            EXPECT_LE(std::abs(got[i] - want[i]), 1e-9 * std::abs(want[i])) << aperture << " " << i;
    }
    // Three points on even steps are the central difference; the ends share their neighbour's.
    const std::vector<double> even { 0, 10, 20, 30, 40 };
    const std::vector<double> phase { 0, -36, -36, 36, 0 };
    const std::vector<double> central { 0.005, 0.005, -0.01, -0.005, -0.005 };
    const std::vector<double> delays = groupDelaysOf(even, phase, 3);
    for (size_t i = 0; i < even.size(); ++i)
        EXPECT_NEAR(delays[i], central[i], 1e-15) << i;
}

TEST(PhaseTraces, WindowsWithoutValuesGiveNone)
{
    std::vector<double> f;
    std::vector<double> phi;
    for (int32_t i = 0; i < 30; ++i) {
        f.push_back(100.0 * i);
        phi.push_back(-3.6 * i);
    }
    phi[10] = noValue; // a phase, then a frequency missing: every window holding it is empty
    f[20] = noValue;
    const std::vector<double> delays = groupDelaysOf(f, phi, 5);
    for (int32_t i = 0; i < 30; ++i) {
        const bool empty = (i >= 8 && i <= 12) || (i >= 18 && i <= 22);
        EXPECT_EQ(std::isnan(delays[static_cast<size_t>(i)]), empty) << i;
        if (!empty) {
            EXPECT_NEAR(delays[static_cast<size_t>(i)], 1e-4, 1e-15) << i;
        }
    }
    // Fewer points than the aperture, or one frequency throughout.
    for (const double d : groupDelaysOf({ 1, 2, 3, 4 }, { 0, -1, -2, -3 }, 5))
        EXPECT_TRUE(std::isnan(d));
    for (const double d : groupDelaysOf({ 1, 1, 1 }, { 0, -1, -2 }, 3))
        EXPECT_TRUE(std::isnan(d));
}

TEST(PhaseTraces, StoredValuesAndThePrefixOfTheMedian)
{
    EXPECT_EQ(phaseModeOf(2), PhaseDelay);
    EXPECT_EQ(phaseModeOf(3), PhaseWrapped);
    EXPECT_EQ(delayApertureOf(1001), 1001);
    for (const int32_t bad : { 1, 4, 1003, -5 })
        EXPECT_EQ(delayApertureOf(bad), defaultDelayAperture) << bad;

    struct Row {
        std::vector<double> seconds;
        int32_t exponent;
    };
    const Row rows[] = {
        { {}, -9 }, { { 0, 0, noValue }, -9 }, // zeros and values that are not finite do not count
        { { 1.2e-9, 1.5e-9, 2e-9, 3e-6, -4e-6 }, -9 }, // stopband noise does not decide
        { { 20e-12, -30e-12, 999e-12 }, -12 }, { { 1e-15 }, -12 }, { { 5e-6, 7e-6, 1e-9 }, -6 },
        { { 2e-3 }, -3 }, { { 3.0, -1.0 }, 0 }, { { 1e-12, 1e-9 }, -12 }, // the lower middle of an even count
    };
    for (const Row& row : rows) {
        DelayPrefixVote vote;
        for (const double s : row.seconds)
            vote.take(s);
        EXPECT_EQ(vote.exponent(), row.exponent) << row.seconds.size();
        EXPECT_EQ(delayUnitsPerSecond(row.exponent), std::pow(10.0, -row.exponent));
    }
}

TEST(PhaseTexts, ApertureLabelAndUnitsInBothLanguages)
{
    struct Row {
        Language language;
        int32_t points;
        double low;
        double high;
        const char* label;
    };
    const Row rows[] = {
        { Language::english, 5, 20e6, 20e6, "aperture 5 points, 20 MHz" },
        { Language::russian, 5, 20e6, 20e6, "апертура 5 точек, 20 МГц" },
        { Language::english, 3, 8e6, 16e6, "aperture 3 points, 8–16 MHz" },
        { Language::english, 7, 2500, 2500, "aperture 7 points, 2.5 kHz" },
        { Language::english, 5, 8.0000000001e6, 8e6, "aperture 5 points, 8 MHz" },
        { Language::english, 5, 0, 0, "" },
        { Language::russian, 3, 1e9, 1e9, "апертура 3 точки, 1 ГГц" },
        { Language::russian, 21, 1e6, 1e6, "апертура 21 точка, 1 МГц" },
        { Language::russian, 111, 1e6, 1e6, "апертура 111 точек, 1 МГц" },
        { Language::russian, 1001, 1e6, 1e6, "апертура 1001 точка, 1 МГц" },
    };
    for (const Row& row : rows)
        EXPECT_EQ(apertureLabel(row.language, row.points, row.low, row.high), row.label) << row.points;

    PhaseResults phase;
    phase.mode = PhaseDelay;
    phase.delayExponent = -6;
    EXPECT_EQ(traceUnitText(phase, S21A, Language::english), "µs");
    EXPECT_EQ(traceUnitText(phase, S11A, Language::russian), "мкс");
    EXPECT_EQ(traceUnitText(phase, S21M, Language::english), "");
    phase.mode = PhaseUnwrapped;
    EXPECT_EQ(traceUnitText(phase, S21A, Language::english), "");
}
