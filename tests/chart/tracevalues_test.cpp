#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>

#include "tracevalues.h"

namespace {

constexpr double pi = 3.141592653589793;

S2PPoint pointOf(Complex s11, Complex s21, Complex s12, Complex s22)
{
    S2PPoint p;
    p.sParams.resize(2, 2);
    p.sParams(0, 0) = s11;
    p.sParams(1, 0) = s21;
    p.sParams(0, 1) = s12;
    p.sParams(1, 1) = s22;
    return p;
}

TEST(TraceValues, MagnitudesInDecibelsAndVswr)
{
    struct Row {
        double magnitude;
        double db;
        double vswr;
    };
    const Row rows[] = {
        { 0, std::nan(""), 1 }, // an exact zero has no dB value; its VSWR is 1
        { 1, 0, 1000 }, // a perfect reflection is capped
        { 0.5, 20 * std::log10(0.5), 3 },
        { 0.1, -20, 1.1 / 0.9 },
        { 0.9999, 20 * std::log10(0.9999), 1000 }, // 19999 capped
        { 2, 20 * std::log10(2.0), -3 }, // above 1 the ratio turns negative and stays
        { 1e-200, -4000, 1 },
    };
    for (const Row& row : rows) {
        const auto sameDb = [&row](double db) {
            return std::isnan(row.db) ? std::isnan(db) : std::abs(db - row.db) < 1e-9;
        };
        EXPECT_TRUE(sameDb(decibels(row.magnitude))) << row.magnitude;
        EXPECT_TRUE(sameDb(decibelsOf(Complex(0, row.magnitude)))) << row.magnitude;
        EXPECT_NEAR(vswr(row.magnitude), row.vswr, 1e-9) << row.magnitude;
    }
}

TEST(TraceValues, PhaseLiesInTheHalfOpenTurn)
{
    EXPECT_DOUBLE_EQ(phaseDegrees(Complex(0, 1)), 90);
    EXPECT_DOUBLE_EQ(phaseDegrees(Complex(0, -1)), -90);
    EXPECT_DOUBLE_EQ(phaseDegrees(Complex(-1, 0)), 180);
    EXPECT_DOUBLE_EQ(phaseDegrees(Complex(-1, -0.0)), 180);
    EXPECT_DOUBLE_EQ(phaseDegrees(std::polar(0.3, 170 * pi / 180)), 170);
    EXPECT_TRUE(std::isnan(phaseDegrees(Complex(0, 0)))); // an exact zero has no phase
}

TEST(TraceValues, PointValuesFollowTheTraceOrderAndTheMagnitudeMode)
{
    const S2PPoint p = pointOf(Complex(0.5, 0), Complex(0, 0.1), Complex(-0.01, 0), Complex(0, -0.5));
    const PointValues db = pointValues(p, 1);
    EXPECT_NEAR(db[S11M], 20 * std::log10(0.5), 1e-12);
    EXPECT_NEAR(db[S11A], 0, 1e-12);
    EXPECT_NEAR(db[S21M], -20, 1e-12);
    EXPECT_NEAR(db[S21A], 90, 1e-12);
    EXPECT_NEAR(db[S12M], -40, 1e-12);
    EXPECT_NEAR(db[S12A], 180, 1e-12);
    EXPECT_NEAR(db[S22M], 20 * std::log10(0.5), 1e-12);
    EXPECT_NEAR(db[S22A], -90, 1e-12);

    // VSWR mode changes the reflections only; transmissions stay in dB.
    const PointValues ratio = pointValues(p, 0);
    EXPECT_NEAR(ratio[S11M], 3, 1e-12);
    EXPECT_NEAR(ratio[S22M], 3, 1e-12);
    EXPECT_NEAR(ratio[S21M], -20, 1e-12);
    EXPECT_NEAR(ratio[S12M], -40, 1e-12);
    EXPECT_EQ(ratio[S21A], db[S21A]);
}

TEST(TraceValues, WrapPhaseBringsDifferencesIntoOneTurn)
{
    struct Row {
        double in;
        double out;
    };
    const Row rows[] = {
        { -170.0 - 170.0, 20 }, // -170 against 170
        { 170.0 - -170.0, -20 },
        { 180, 180 },
        { -180, -180 },
        { 540, 180 },
        { -720, 0 },
        { 1e9 + 30, std::fmod(1e9 + 30, 360) - 360 },
    };
    for (const Row& row : rows)
        EXPECT_NEAR(wrapPhase(row.in), row.out, 1e-6) << row.in;
    EXPECT_TRUE(std::isnan(wrapPhase(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_EQ(wrapPhase(std::numeric_limits<double>::infinity()), std::numeric_limits<double>::infinity());
}

TEST(TraceValues, DecibelsFromThePowerKeepTheExtremes)
{
    // |s|^2 underflows below about 1e-154 and overflows above 1e154; |s| takes over there.
    for (const double m : { 1e-160, 1e-300, 1e160, 1e300 })
        EXPECT_NEAR(decibelsOf(Complex(m, 0)), 20 * std::log10(m), 1e-9) << m;
    EXPECT_TRUE(std::isnan(decibelsOf(Complex(0, 0))));
}

TEST(TraceValues, TraceNames)
{
    EXPECT_STREQ(traceName(S11M), "S11M");
    EXPECT_STREQ(traceName(S21A), "S21A");
    EXPECT_STREQ(traceName(S22A), "S22A");
    EXPECT_STREQ(traceName(8), "");
    EXPECT_STREQ(traceName(-1), "");
}

} // namespace
