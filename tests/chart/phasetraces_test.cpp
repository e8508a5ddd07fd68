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
// The ideal delay line of the checks: 1.234 ns.
constexpr double tau = 1.234e-9;

// |got - want| within relative of want, against at least floor.
void expectRelative(double got, double want, double relative, double floor, const char* what, int32_t i)
{
    EXPECT_LE(std::abs(got - want), relative * std::max(std::abs(want), floor))
        << what << " at " << i << ": " << got << " against " << want;
}

// The least-squares slope of y over x, in two plain passes: the definition the sliding sums
// must agree with.
double plainSlope(const double* x, const double* y, int32_t count)
{
    double mx = 0;
    double my = 0;
    for (int32_t j = 0; j < count; ++j) {
        mx += x[j];
        my += y[j];
    }
    mx /= count;
    my /= count;
    double sxy = 0;
    double sxx = 0;
    for (int32_t j = 0; j < count; ++j) {
        sxy += (x[j] - mx) * (y[j] - my);
        sxx += (x[j] - mx) * (x[j] - mx);
    }
    return sxy / sxx;
}

// The delay of every point by the definition: the plain least-squares slope over the window of
// aperture points centred on it, shifted inward at the ends.
std::vector<double> plainDelays(
    const std::vector<double>& f, const std::vector<double>& phi, int32_t aperture)
{
    const int32_t count = static_cast<int32_t>(f.size());
    std::vector<double> delays(f.size());
    for (int32_t i = 0; i < count; ++i) {
        const int32_t start = std::clamp(i - (aperture - 1) / 2, 0, count - aperture);
        delays[static_cast<size_t>(i)]
            = -plainSlope(&f[static_cast<size_t>(start)], &phi[static_cast<size_t>(start)], aperture) / 360;
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

// A delay line S21 = S12 = 0.9 e^(-j 2 pi f tau) whose reflections see the line twice,
// S11 = S22 = 0.2 e^(-j 2 pi f 2 tau), at count points from first to last hertz.
RubberS2PData& addDelayLine(RubberS2P& list, double first, double last, int32_t count, double delay)
{
    return addMeasurement(list, first, last, count, [delay](double f) {
        const Complex line = std::polar(0.9, -2 * pi * f * delay);
        const Complex reflection = std::polar(0.2, -2 * pi * f * 2 * delay);
        return SParams { reflection, line, line, reflection };
    });
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

TEST(PhaseTraces, StoredModesAndAperturesFallBackToTheDefaults)
{
    EXPECT_EQ(phaseModeOf(0), PhaseWrapped);
    EXPECT_EQ(phaseModeOf(1), PhaseUnwrapped);
    EXPECT_EQ(phaseModeOf(2), PhaseDelay);
    for (const int32_t bad : { -1, 3, 100, std::numeric_limits<int32_t>::min() })
        EXPECT_EQ(phaseModeOf(bad), PhaseWrapped) << bad;

    for (const int32_t good : { 3, 5, 7, 99, 1001 }) {
        EXPECT_TRUE(isDelayAperture(good)) << good;
        EXPECT_EQ(delayApertureOf(good), good);
    }
    for (const int32_t bad :
        { -5, -1, 0, 1, 2, 4, 6, 1000, 1002, 1003, std::numeric_limits<int32_t>::max() }) {
        EXPECT_FALSE(isDelayAperture(bad)) << bad;
        EXPECT_EQ(delayApertureOf(bad), defaultDelayAperture) << bad;
    }
    EXPECT_EQ(defaultDelayAperture, 5);
}

TEST(PhaseTraces, OnlyPhaseTracesLeaveTheGridInTheNewModes)
{
    for (int32_t k = 0; k < tracesPerMeasurement; ++k) {
        EXPECT_FALSE(ownPointTrace(k, PhaseWrapped)) << k;
        EXPECT_EQ(ownPointTrace(k, PhaseUnwrapped), k % 2 == 1) << k;
        EXPECT_EQ(ownPointTrace(k, PhaseDelay), k % 2 == 1) << k;
    }
}

TEST(PhaseTraces, UnwrappingMovesEachAngleByWholeTurnsToWithinHalfATurn)
{
    std::vector<double> phases { 170, -170, -10, 170, 10, -170, 179, -179, 0, 90, 180, -90 };
    const std::vector<double> expected { 170, 190, 350, 530, 370, 190, 179, 181, 360, 450, 540, 630 };
    unwrapPhases(phases.data(), static_cast<int32_t>(phases.size()));
    for (size_t i = 0; i < phases.size(); ++i)
        EXPECT_DOUBLE_EQ(phases[i], expected[i]) << i;
    for (size_t i = 1; i < phases.size(); ++i)
        EXPECT_LE(std::abs(phases[i] - phases[i - 1]), 180) << i;
}

TEST(PhaseTraces, UnwrappingPassesOverPointsWithoutAPhase)
{
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> phases { noValue, 170, noValue, -170, inf, -150, 160 };
    unwrapPhases(phases.data(), static_cast<int32_t>(phases.size()));
    EXPECT_TRUE(std::isnan(phases[0]));
    EXPECT_EQ(phases[1], 170); // the first finite value stays
    EXPECT_TRUE(std::isnan(phases[2]));
    EXPECT_EQ(phases[3], 190); // follows the last finite value
    EXPECT_TRUE(std::isnan(phases[4]));
    EXPECT_EQ(phases[5], 210);
    EXPECT_EQ(phases[6], 160);
}

TEST(PhaseTraces, UnwrappedPhaseOfADelayLineIsLinearFromTheFirstPoint)
{
    RubberS2P list;
    // 0.5 to 20 GHz in 9.75 MHz steps: 4.3 degrees of S21 per step, 8.7 of S11.
    RubberS2PData& m = addDelayLine(list, 0.5e9, 20e9, 2001, tau);
    for (const int32_t kind : { S21A, S11A }) {
        const double turns = kind == S21A ? 1 : 2;
        const std::vector<double> unwrapped = ownValues(m, kind, PhaseUnwrapped, 5);
        const double f0 = m.point(0)->freq;
        // The first point's angle as the wrapped phase shows it.
        const double first = phaseDegrees(sParameterOf(*m.point(0), kind));
        EXPECT_EQ(unwrapped[0], first);
        for (int32_t i = 0; i < m.itemCount; ++i) {
            const double f = m.point(i)->freq;
            expectRelative(unwrapped[static_cast<size_t>(i)],
                first - 360 * f * turns * tau + 360 * f0 * turns * tau, 1e-9, 1, "unwrapped", i);
        }
    }
}

TEST(PhaseTraces, DelayOfADelayLineIsItsDelayAtEveryPointForAnyAperture)
{
    RubberS2P list;
    RubberS2PData& m = addDelayLine(list, 0.5e9, 20e9, 2001, tau);
    for (const int32_t aperture : { 3, 5, 7, 21, 101, 1001 }) {
        const std::vector<double> s21 = ownValues(m, S21A, PhaseDelay, aperture);
        const std::vector<double> s11 = ownValues(m, S11A, PhaseDelay, aperture);
        for (int32_t i = 0; i < m.itemCount; ++i) {
            expectRelative(s21[static_cast<size_t>(i)], tau, 1e-9, 0, "S21 delay", i);
            // A reflection's delay is the round trip.
            expectRelative(s11[static_cast<size_t>(i)], 2 * tau, 1e-9, 0, "S11 delay", i);
        }
    }
}

TEST(PhaseTraces, ThreePointsOnEvenStepsAreTheCentralDifference)
{
    std::vector<double> f;
    std::vector<double> phi;
    for (int32_t i = 0; i < 200; ++i) {
        f.push_back(1e9 + i * 5e6);
        phi.push_back(-0.9 * i + 40 * std::sin(i * 0.21) + 3 * std::cos(i * 1.7));
    }
    const std::vector<double> delays = groupDelaysOf(f, phi, 3);
    const auto central = [&](size_t i) { return -(phi[i + 1] - phi[i - 1]) / (f[i + 1] - f[i - 1]) / 360; };
    for (size_t i = 1; i + 1 < f.size(); ++i)
        expectRelative(delays[i], central(i), 1e-12, 0, "central", static_cast<int32_t>(i));
    // The ends keep a window of three, shifted inward.
    EXPECT_EQ(delays.front(), delays[1]);
    EXPECT_EQ(delays.back(), delays[f.size() - 2]);
}

TEST(PhaseTraces, AQuadraticPhaseGivesTheSlopeAtTheWindowCentre)
{
    // phi = a f^2 on even steps: the least-squares line over a window symmetric about f_c has
    // the slope 2 a f_c.
    const double a = -3e-16;
    std::vector<double> f;
    std::vector<double> phi;
    for (int32_t i = 0; i < 300; ++i) {
        f.push_back(2e9 + i * 1e6);
        phi.push_back(a * f.back() * f.back());
    }
    const int32_t aperture = 9;
    const std::vector<double> delays = groupDelaysOf(f, phi, aperture);
    for (int32_t i = 0; i < 300; ++i) {
        const int32_t centre = std::clamp(i, 4, 295);
        expectRelative(delays[static_cast<size_t>(i)], -2 * a * f[static_cast<size_t>(centre)] / 360, 1e-9, 0,
            "quadratic", i);
    }
}

TEST(PhaseTraces, SlidingSumsAgreeWithThePlainFitOnUnevenSteps)
{
    // Uneven steps around 10 GHz and a wandering phase of many turns, as a long cable's.
    std::vector<double> f;
    std::vector<double> phi;
    double freq = 10e9;
    for (int32_t i = 0; i < 3000; ++i) {
        freq += 1e6 * (1 + 0.5 * std::sin(i * 0.77));
        f.push_back(freq);
        phi.push_back(-0.05 * (freq - 10e9) / 1e3 + 25 * std::sin(i * 0.013) + std::cos(i * 2.3));
    }
    for (const int32_t aperture : { 3, 5, 11, 51, 501, 1001 }) {
        const std::vector<double> got = groupDelaysOf(f, phi, aperture);
        const std::vector<double> want = plainDelays(f, phi, aperture);
        for (size_t i = 0; i < f.size(); ++i)
            expectRelative(got[i], want[i], 1e-9, 0, "uneven", static_cast<int32_t>(i));
    }
}

TEST(PhaseTraces, FewerPointsThanTheApertureGiveNoValues)
{
    const std::vector<double> f { 1, 2, 3, 4 };
    const std::vector<double> phi { 0, -1, -2, -3 };
    for (const double d : groupDelaysOf(f, phi, 5))
        EXPECT_TRUE(std::isnan(d));
    // As many points as the aperture: one window for all of them.
    for (const double d : groupDelaysOf(f, phi, 4))
        EXPECT_DOUBLE_EQ(d, 1.0 / 360);
    for (const double d : groupDelaysOf(f, phi, 1))
        EXPECT_TRUE(std::isnan(d));
    EXPECT_TRUE(groupDelaysOf({}, {}, 3).empty());
}

TEST(PhaseTraces, APointWithoutAPhaseEmptiesTheWindowsThatHoldIt)
{
    std::vector<double> f;
    std::vector<double> phi;
    for (int32_t i = 0; i < 30; ++i) {
        f.push_back(100.0 * i);
        phi.push_back(-3.6 * i);
    }
    phi[10] = noValue;
    const std::vector<double> delays = groupDelaysOf(f, phi, 5);
    for (int32_t i = 0; i < 30; ++i) {
        const bool holds = i >= 8 && i <= 12;
        EXPECT_EQ(std::isnan(delays[static_cast<size_t>(i)]), holds) << i;
        if (!holds) {
            EXPECT_NEAR(delays[static_cast<size_t>(i)], 0.0001, 1e-15) << i;
        }
    }
    // A point without a frequency does the same.
    phi[10] = -36;
    f[20] = noValue;
    const std::vector<double> noFrequency = groupDelaysOf(f, phi, 3);
    for (int32_t i = 0; i < 30; ++i)
        EXPECT_EQ(std::isnan(noFrequency[static_cast<size_t>(i)]), i >= 19 && i <= 21) << i;
}

TEST(PhaseTraces, AWindowOfOneFrequencyHasNoSlope)
{
    const std::vector<double> f(7, 1e9);
    const std::vector<double> phi { 0, 1, 2, 3, 4, 5, 6 };
    for (const double d : groupDelaysOf(f, phi, 3))
        EXPECT_TRUE(std::isnan(d));
}

TEST(PhaseTraces, AnExactZeroHasNoPhaseInEitherMode)
{
    RubberS2P list;
    int32_t point = 0;
    RubberS2PData& m = addMeasurement(list, 1e9, 2e9, 21, [&point](double f) {
        const Complex line = point++ == 7 ? Complex(0, 0) : std::polar(0.5, -2 * pi * f * tau);
        return SParams { line, line, line, line };
    });
    const std::vector<double> unwrapped = ownValues(m, S21A, PhaseUnwrapped, 3);
    const std::vector<double> delays = ownValues(m, S21A, PhaseDelay, 3);
    for (int32_t i = 0; i < 21; ++i) {
        EXPECT_EQ(std::isnan(unwrapped[static_cast<size_t>(i)]), i == 7) << i;
        EXPECT_EQ(std::isnan(delays[static_cast<size_t>(i)]), i >= 6 && i <= 8) << i;
        if (!std::isnan(delays[static_cast<size_t>(i)]))
            expectRelative(delays[static_cast<size_t>(i)], tau, 1e-9, 0, "delay", i);
    }
    // The wrapped mode gives the angles as they are.
    const std::vector<double> wrapped = ownValues(m, S21A, PhaseWrapped, 3);
    for (int32_t i = 0; i < 21; ++i) {
        if (i != 7) {
            EXPECT_EQ(wrapped[static_cast<size_t>(i)], phaseDegrees(m.point(i)->sParams(1, 0))) << i;
        }
    }
}

TEST(PhaseTraces, ThePrefixIsThatOfTheMedianMagnitude)
{
    const auto prefixOf = [](const std::vector<double>& seconds) {
        DelayPrefixVote vote;
        for (const double s : seconds)
            vote.take(s);
        return vote.exponent();
    };
    EXPECT_EQ(prefixOf({}), -9);
    EXPECT_EQ(prefixOf({ 0, 0, noValue }), -9); // zeros and values that are not finite do not count
    EXPECT_EQ(prefixOf({ 1.2e-9, 1.5e-9, 2e-9, 3e-6, -4e-6 }), -9); // stopband noise does not decide
    EXPECT_EQ(prefixOf({ 20e-12, -30e-12, 999e-12 }), -12);
    EXPECT_EQ(prefixOf({ 1e-9 }), -9);
    EXPECT_EQ(prefixOf({ 5e-6, 7e-6, 1e-9 }), -6);
    EXPECT_EQ(prefixOf({ 2e-3 }), -3);
    EXPECT_EQ(prefixOf({ 3.0, -1.0 }), 0);
    EXPECT_EQ(prefixOf({ 1e-15 }), -12); // below a picosecond stays in ps
    EXPECT_EQ(prefixOf({ 1e-12, 1e-9 }), -12); // the lower middle of an even count
    EXPECT_EQ(prefixOf({ 1e-12, 1e-9, 0, 0 }), -12);

    DelayPrefixVote a;
    DelayPrefixVote b;
    a.take(1e-12);
    b.take(2e-6);
    b.take(3e-6);
    a.merge(b);
    EXPECT_EQ(a.exponent(), -6);

    EXPECT_EQ(delayUnitsPerSecond(-12), 1e12);
    EXPECT_EQ(delayUnitsPerSecond(-9), 1e9);
    EXPECT_EQ(delayUnitsPerSecond(-6), 1e6);
    EXPECT_EQ(delayUnitsPerSecond(-3), 1e3);
    EXPECT_EQ(delayUnitsPerSecond(0), 1);
    EXPECT_EQ(delayUnitsPerSecond(7), 1e9);
}

TEST(PhaseTexts, UnitNamesInBothLanguages)
{
    const char* const english[] = { "ps", "ns", "µs", "ms", "s" };
    const char* const russian[] = { "пс", "нс", "мкс", "мс", "с" };
    for (int32_t k = 0; k < delayExponentCount; ++k) {
        EXPECT_STREQ(delayUnitName(Language::english, delayExponents[k]), english[k]);
        EXPECT_STREQ(delayUnitName(Language::russian, delayExponents[k]), russian[k]);
    }
    EXPECT_STREQ(delayUnitName(Language::english, 5), "ns");
    EXPECT_STREQ(frequencyUnitName(Language::english, 2), "MHz");
    EXPECT_STREQ(frequencyUnitName(Language::russian, 3), "ГГц");
    EXPECT_STREQ(frequencyUnitName(Language::english, 9), "GHz");
    EXPECT_STREQ(frequencyUnitName(Language::russian, -1), "Гц");
}

TEST(PhaseTexts, OnlyDelayTracesCarryAUnit)
{
    PhaseResults phase;
    phase.mode = PhaseDelay;
    phase.delayExponent = -12;
    for (int32_t k = 0; k < tracesPerMeasurement; ++k) {
        EXPECT_EQ(traceUnitText(phase, k, Language::english), k % 2 == 1 ? "ps" : "") << k;
        EXPECT_EQ(traceUnitText(phase, k, Language::russian), k % 2 == 1 ? "пс" : "") << k;
    }
    for (const int32_t mode : { PhaseWrapped, PhaseUnwrapped }) {
        phase.mode = mode;
        EXPECT_EQ(traceUnitText(phase, S21A, Language::english), "");
    }
    EXPECT_EQ(valueWithUnit("%5.4lg", 1.2345, "ns"), "1.234 ns");
    EXPECT_EQ(valueWithUnit("%5.4lg", -20, ""), "  -20");
}

TEST(PhaseTexts, ApertureLabelNamesThePointsAndTheirWidth)
{
    EXPECT_EQ(apertureLabel(Language::english, 5, 20e6, 20e6), "aperture 5 points, 20 MHz");
    EXPECT_EQ(apertureLabel(Language::russian, 5, 20e6, 20e6), "апертура 5 точек, 20 МГц");
    EXPECT_EQ(apertureLabel(Language::english, 3, 8e6, 16e6), "aperture 3 points, 8–16 MHz");
    EXPECT_EQ(apertureLabel(Language::english, 7, 1.5e9, 1.5e9), "aperture 7 points, 1.5 GHz");
    EXPECT_EQ(apertureLabel(Language::english, 7, 999, 999), "aperture 7 points, 999 Hz");
    EXPECT_EQ(apertureLabel(Language::english, 7, 2500, 2500), "aperture 7 points, 2.5 kHz");
    // A mean step with rounding noise still reads as its round width.
    EXPECT_EQ(
        apertureLabel(Language::english, 5, 8.0000000001e6, 8.0000000001e6), "aperture 5 points, 8 MHz");
    // The low end of a range in the unit of the high one; a range that rounds to one number is one.
    EXPECT_EQ(apertureLabel(Language::english, 5, 900e3, 2e6), "aperture 5 points, 0.9–2 MHz");
    EXPECT_EQ(apertureLabel(Language::english, 5, 8e6 - 1e-3, 8e6), "aperture 5 points, 8 MHz");
    EXPECT_EQ(apertureLabel(Language::english, 5, 0, 8e6), "aperture 5 points, 8 MHz");
    EXPECT_EQ(apertureLabel(Language::english, 5, 0, 0), "");
    EXPECT_EQ(apertureLabel(Language::english, 5, 0, noValue), "");

    struct Row {
        int32_t points;
        const char* noun;
    };
    const Row rows[] = { { 3, "точки" }, { 5, "точек" }, { 11, "точек" }, { 13, "точек" }, { 21, "точка" },
        { 23, "точки" }, { 25, "точек" }, { 101, "точка" }, { 111, "точек" }, { 113, "точек" },
        { 1001, "точка" } };
    for (const Row& row : rows)
        EXPECT_EQ(apertureLabel(Language::russian, row.points, 1e6, 1e6),
            "апертура " + std::to_string(row.points) + " " + row.noun + ", 1 МГц")
            << row.points;

    PhaseResults phase;
    phase.mode = PhaseDelay;
    phase.aperture = 9;
    phase.apertureLow = 16e6;
    phase.apertureHigh = 32e6;
    EXPECT_EQ(apertureLabel(Language::english, phase), "aperture 9 points, 16–32 MHz");
    phase.mode = PhaseUnwrapped;
    EXPECT_EQ(apertureLabel(Language::english, phase), "");
}
