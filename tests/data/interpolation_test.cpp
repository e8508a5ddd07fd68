#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "interpolation.h"
#include "lagrange.h"
#include "measurementbuilder.h"

namespace {

constexpr double GHz = 1e9;

SParams zeroValues(double)
{
    return { Complex(0, 0), Complex(0, 0), Complex(0, 0), Complex(0, 0) };
}

// A different complex quadratic of the frequency in GHz for each S-parameter.
SParams quadratics(double f)
{
    const double g = f / GHz;
    return { Complex(0.9 - 0.05 * g, 0.01 * g * g), Complex(-0.3 + 0.02 * g * g, 0.4 * g),
        Complex(0.1 * g * g, -0.2), Complex(0.05 * g, -0.01 * g * g + 0.1) };
}

struct BracketCase {
    const char* name;
    std::vector<double> freqs;
    double x;
    int lo;
};

class FindBracketTest : public ::testing::TestWithParam<BracketCase> { };

TEST_P(FindBracketTest, FindsTheNeighbours)
{
    const BracketCase& c = GetParam();
    RubberS2PData m;
    fillMeasurement(m, c.freqs, zeroValues);
    const Bracket b = findBracket(m, c.x);
    EXPECT_EQ(b.lo, c.lo);
    EXPECT_EQ(b.hi, c.lo + 1);
}

INSTANTIATE_TEST_SUITE_P(Grids, FindBracketTest,
    ::testing::Values(
        // Mean step 3 GHz: the guess 2, 3 is right.
        BracketCase { "GuessStands", { 1 * GHz, 2 * GHz, 3 * GHz, 10 * GHz }, 9 * GHz, 2 },
        BracketCase { "UpwardToTheLastPair", { 0, 1, 2, 3, 4, 100 }, 50, 4 },
        BracketCase { "UpwardByOne", { 0, 1, 2, 3, 100 }, 50, 3 },
        // Mean step 100/3: the guess 1, 2 has point 1 at 90, above 50.
        BracketCase { "DownwardToTheFirstPair", { 0, 90, 95, 100 }, 50, 0 },
        // Mean step 25: the guess 3, 4 goes down past 99 and 98 to 1, 2.
        BracketCase { "DownwardBySeveral", { 0, 1, 98, 99, 100 }, 97, 1 },
        BracketCase { "EvenGrid", { 10, 20, 30, 40, 50, 60 }, 45, 3 },
        BracketCase { "BelowTheFirstPoint", { 10, 20, 30, 40 }, 5, 0 },
        BracketCase { "AtTheFirstPoint", { 10, 20, 30, 40 }, 10, 0 },
        BracketCase { "AboveTheLastPoint", { 10, 20, 30, 40 }, 99, 2 },
        BracketCase { "TwoPoints", { 10, 20 }, 15, 0 },
        // Falling frequencies, as a column file may hold them: the guess is the first pair.
        BracketCase { "FallingFrequencies", { 50, 40, 30, 20, 10 }, 35, 0 }),
    [](const ::testing::TestParamInfo<BracketCase>& p) { return std::string(p.param.name); });

struct BadStepCase {
    const char* name;
    double step;
};

class FindBracketBadStepTest : public ::testing::TestWithParam<BadStepCase> { };

// A step that does not fit the points gives a guess outside them or none at all; the search
// then still finds the right pair and never leaves the measurement.
TEST_P(FindBracketBadStepTest, SearchesInsideTheMeasurement)
{
    RubberS2PData m;
    fillMeasurement(m, { 0, 1, 2, 3, 4 }, zeroValues);
    m.freqStep = GetParam().step;
    m.lockArray();
    for (double x : { 0.5, 1.5, 2.5, 3.5 }) {
        const Bracket b = findBracket(m, x);
        EXPECT_EQ(b.lo, static_cast<int>(x)) << x;
        EXPECT_EQ(b.hi, b.lo + 1) << x;
    }
    m.releaseArray();
    EXPECT_EQ(m.itemCount, 5);
}

INSTANTIATE_TEST_SUITE_P(Steps, FindBracketBadStepTest,
    ::testing::Values(BadStepCase { "Zero", 0.0 }, BadStepCase { "Negative", -1.0 },
        BadStepCase { "NotANumber", std::numeric_limits<double>::quiet_NaN() },
        BadStepCase { "Infinite", std::numeric_limits<double>::infinity() }, BadStepCase { "Tiny", 1e-300 },
        BadStepCase { "TooLarge", 0.25 }),
    [](const ::testing::TestParamInfo<BadStepCase>& p) { return std::string(p.param.name); });

TEST(FindBracket, StaysInsideOddMeasurements)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::vector<double>> grids = {
        { 2, 2, 2, 2 },
        { 5, 1, 4, 2, 3 },
        { 1, nan, 3, 4 },
        { nan, 2, 3 },
        { 0, 1e-300, 1e300 },
    };
    for (const auto& freqs : grids) {
        RubberS2PData m;
        fillMeasurement(m, freqs, zeroValues);
        m.lockArray();
        for (double x : { -1e308, -1.0, 0.0, 1.5, 2.0, 3.9, 1e308, nan }) {
            const Bracket b = findBracket(m, x);
            EXPECT_GE(b.lo, 0);
            EXPECT_EQ(b.hi, b.lo + 1);
            EXPECT_LE(b.hi, m.itemCount - 1);
        }
        m.releaseArray();
    }
}

TEST(FindBracket, NoPairWithoutTwoValidPoints)
{
    RubberS2PData empty;
    empty.dataValid = 1;
    RubberS2PData one;
    fillMeasurement(one, { 5 }, zeroValues);
    RubberS2PData invalid;
    fillMeasurement(invalid, { 1, 2, 3 }, zeroValues);
    invalid.dataValid = 0;
    for (RubberS2PData* m : { &empty, &one, &invalid }) {
        const Bracket b = findBracket(*m, 2.5);
        EXPECT_EQ(b.lo, 0);
        EXPECT_EQ(b.hi, 0);
    }
    EXPECT_EQ(empty.itemCount, 0);
}

S2PPoint zeroPoint()
{
    S2PPoint p;
    p.sParams.resize(2, 2);
    return p;
}

void expectElementsNear(const S2PPoint& p, const SParams& expected, double tol)
{
    for (int e = 0; e < 4; ++e) {
        const Complex& v = p.sParams(kElements[e][0], kElements[e][1]);
        EXPECT_NEAR(v.real(), expected[e].real(), tol) << "element " << e;
        EXPECT_NEAR(v.imag(), expected[e].imag(), tol) << "element " << e;
    }
}

TEST(InterpolateAt, ParabolaThroughTheThreePointsAroundTheFrequency)
{
    // S21 = 0.1 * (f in GHz)^2 at 1, 2, 3 GHz; the 4 GHz point lies off that parabola, so only
    // the window 1, 2, 3 GHz gives 0.625 at 2.5 GHz.
    RubberS2PData m;
    fillMeasurement(m, { 1 * GHz, 2 * GHz, 3 * GHz, 4 * GHz }, [](double f) {
        const double g = f / GHz;
        const Complex s21 = g < 3.5 ? Complex(0.1 * g * g, 0) : Complex(5, 0);
        return SParams { Complex(0, 0), s21, Complex(0, 0), Complex(0, 0) };
    });
    S2PPoint out = zeroPoint();
    ASSERT_EQ(interpolateAt(m, out, 2.5 * GHz), 1);
    EXPECT_EQ(out.freq, 2.5 * GHz);
    EXPECT_NEAR(out.sParams(1, 0).real(), 0.625, 1e-12);
    EXPECT_NEAR(out.sParams(1, 0).imag(), 0.0, 1e-12);
}

TEST(InterpolateAt, ReproducesQuadraticsOnUnevenGrids)
{
    const std::vector<std::vector<double>> grids = {
        { 1 * GHz, 1.5 * GHz, 3 * GHz, 3.2 * GHz, 5 * GHz, 8 * GHz },
        { 0.01 * GHz, 0.05 * GHz, 7 * GHz, 7.5 * GHz, 20 * GHz },
        // A narrow sweep at a high frequency: 100 kHz spacing at 12 GHz.
        { 12e9, 12.0001e9, 12.0002e9, 12.00035e9, 12.0004e9 },
    };
    for (const auto& freqs : grids) {
        RubberS2PData m;
        // Quadratic in the offset from the first point, scaled to the sweep's width, so each
        // sweep bends its parabolas fully between its own points.
        const double first = freqs.front();
        const double span = freqs.back() - first;
        const auto values = [&](double f) { return quadratics(first + (f - first) / span * 10 * GHz); };
        fillMeasurement(m, freqs, values);
        for (size_t i = 0; i + 1 < freqs.size(); ++i) {
            for (double t : { 0.25, 0.5, 0.9 }) {
                const double f = freqs[i] + t * (freqs[i + 1] - freqs[i]);
                S2PPoint out = zeroPoint();
                ASSERT_EQ(interpolateAt(m, out, f), 1);
                EXPECT_EQ(out.freq, f);
                expectElementsNear(out, values(f), 1e-11);
            }
        }
    }
}

TEST(InterpolateAt, FitsEachParameterToItsOwnWindowPoints)
{
    // Non-polynomial values: the result is the parabola through points lo - 1, lo, hi of the
    // bracket, or 0, 1, 2 at the start.
    const std::vector<double> freqs = { 1e9, 1.4e9, 2.1e9, 2.2e9, 3.9e9 };
    const auto values = [](double f) {
        const double g = f / GHz;
        return SParams { Complex(std::sin(g), std::cos(3 * g)), Complex(1 / g, -std::sqrt(g)),
            Complex(std::exp(-g), g), Complex(std::log(g), 0.5) };
    };
    RubberS2PData m;
    fillMeasurement(m, freqs, values);
    struct Case {
        double f;
        int w0;
    };
    for (const Case& c : { Case { 1.2e9, 0 }, Case { 1.5e9, 0 }, Case { 2.15e9, 1 }, Case { 3e9, 2 } }) {
        S2PPoint out = zeroPoint();
        ASSERT_EQ(interpolateAt(m, out, c.f), 1);
        SParams expected;
        for (int e = 0; e < 4; ++e) {
            const double x[3] = { freqs[c.w0], freqs[c.w0 + 1], freqs[c.w0 + 2] };
            const Complex y[3] = { values(x[0])[e], values(x[1])[e], values(x[2])[e] };
            expected[e] = lagrange(x, y, c.f);
        }
        expectElementsNear(out, expected, 1e-12);
    }
}

TEST(InterpolateAt, EndsCopyTheEndPointWithItsFrequency)
{
    RubberS2PData m;
    fillMeasurement(m, { 1 * GHz, 2 * GHz, 3 * GHz }, quadratics);
    struct Case {
        double f;
        double pointFreq;
    };
    for (const Case& c : { Case { 0.5 * GHz, 1 * GHz }, Case { 1 * GHz, 1 * GHz }, Case { 3 * GHz, 3 * GHz },
             Case { 7 * GHz, 3 * GHz } }) {
        S2PPoint out = zeroPoint();
        ASSERT_EQ(interpolateAt(m, out, c.f), 1);
        EXPECT_EQ(out.freq, c.pointFreq);
        expectElementsNear(out, quadratics(c.pointFreq), 0.0);
    }
}

TEST(InterpolateAt, TwoPointsInterpolateLinearlyAndAddNothing)
{
    RubberS2PData m;
    fillMeasurement(m, { 1 * GHz, 3 * GHz }, quadratics);
    m.lockArray();
    const SParams a = quadratics(1 * GHz);
    const SParams b = quadratics(3 * GHz);
    for (double t : { 0.25, 0.5, 0.75 }) {
        S2PPoint out = zeroPoint();
        const double f = (1 + 2 * t) * GHz;
        ASSERT_EQ(interpolateAt(m, out, f), 1);
        EXPECT_EQ(out.freq, f);
        SParams expected;
        for (int e = 0; e < 4; ++e)
            expected[e] = (1 - t) * a[e] + t * b[e];
        expectElementsNear(out, expected, 1e-14);
    }
    m.releaseArray();
    EXPECT_EQ(m.itemCount, 2);
}

TEST(InterpolateAt, NoUsableDataLeavesTheOutputUntouched)
{
    RubberS2PData invalid;
    fillMeasurement(invalid, { 1, 2, 3 }, quadratics);
    invalid.dataValid = 0;
    RubberS2PData one;
    fillMeasurement(one, { 2 }, quadratics);
    RubberS2PData empty;
    empty.dataValid = 1;
    for (RubberS2PData* m : { &invalid, &one, &empty }) {
        S2PPoint out = zeroPoint();
        out.freq = 42;
        out.sParams(1, 0) = Complex(7, 8);
        EXPECT_EQ(interpolateAt(*m, out, 2), 0);
        EXPECT_EQ(out.freq, 42);
        EXPECT_EQ(out.sParams(1, 0), Complex(7, 8));
        EXPECT_EQ(out.sParams(0, 0), Complex(0, 0));
    }
    EXPECT_EQ(one.itemCount, 1);
    EXPECT_EQ(empty.itemCount, 0);
}

TEST(InterpolateAt, LockedMeasurementGivesTheSameValues)
{
    RubberS2PData m;
    fillMeasurement(m, { 1e9, 1.3e9, 2e9, 2.8e9, 3e9 }, quadratics);
    S2PPoint unlocked = zeroPoint();
    ASSERT_EQ(interpolateAt(m, unlocked, 2.4e9), 1);
    m.lockArray();
    S2PPoint locked = zeroPoint();
    ASSERT_EQ(interpolateAt(m, locked, 2.4e9), 1);
    m.releaseArray();
    for (const auto& e : kElements)
        EXPECT_EQ(locked.sParams(e[0], e[1]), unlocked.sParams(e[0], e[1]));
}

} // namespace
