#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <vector>

#include "measurementbuilder.h"
#include "owntrace.h"

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

OwnTrace traceOf(std::vector<double> freq, std::vector<double> value, bool wrapped = false)
{
    OwnTrace trace;
    trace.freq = std::move(freq);
    trace.value = std::move(value);
    trace.ascending = std::is_sorted(trace.freq.begin(), trace.freq.end())
        && std::adjacent_find(trace.freq.begin(), trace.freq.end()) == trace.freq.end();
    trace.wrapped = wrapped;
    return trace;
}

TEST(OwnTrace, ValueAtIsOnTheLineBetweenTheTwoPointsAround)
{
    struct Case {
        const char* name;
        OwnTrace trace;
        double f;
        double expected; // NaN: no value
    };
    const OwnTrace line = traceOf({ 100, 200, 400 }, { -10, -20, 0 });
    const Case cases[] = {
        { "a point's own value", line, 200, -20 },
        { "the first point", line, 100, -10 },
        { "the last point", line, 400, 0 },
        { "a quarter of the way", line, 125, -10 + (-20 - -10) * 0.25 },
        { "in the second interval", line, 350, -20 + (0 - -20) * (150.0 / 200) },
        { "below the range", line, 99.999, nan },
        { "above the range", line, 400.001, nan },
        { "not a frequency", line, nan, nan },
        { "a lone point at itself", traceOf({ 5 }, { 3 }), 5, 3 },
        { "a lone point elsewhere", traceOf({ 5 }, { 3 }), 6, nan },
        { "no points", traceOf({}, {}), 5, nan },
        { "beside a point without a value", traceOf({ 0, 10, 20 }, { 1, nan, 3 }), 5, nan },
        { "descending points", traceOf({ 300, 200, 100 }, { 3, 2, 1 }), 150, 1.5 },
        // A wrapped phase from 170 to -170 degrees crosses 180, not 0.
        { "wrapped phase across the jump", traceOf({ 0, 10 }, { 170, -170 }, true), 5, 180 },
        { "wrapped phase past the jump", traceOf({ 0, 10 }, { 170, -170 }, true), 7.5, -175 },
        { "wrapped phase the short way", traceOf({ 0, 10 }, { -30, 30 }, true), 2.5, -15 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const double got = c.trace.valueAt(c.f);
        if (std::isnan(c.expected))
            EXPECT_TRUE(std::isnan(got)) << got;
        else
            EXPECT_NEAR(got, c.expected, 1e-12);
    }
}

TEST(OwnTrace, PlotsTheMeasurementsOwnPointsInTheViewRelativeToTheReference)
{
    // S21 at 10^(f/20) linear, so f dB at f hertz; S11 of magnitude 0.5 (VSWR 3) at f degrees.
    const auto values = [](double offset) {
        return [offset](double f) {
            const Complex s21(std::pow(10, (f + offset) / 20), 0);
            const Complex s11 = std::polar(0.5, (f + offset) * 3.141592653589793 / 180);
            return SParams { s11, s21, s21, s11 };
        };
    };
    RubberS2P list;
    RubberS2PData& m = addMeasurement(list, { 10, 20, 30 }, values(0));
    RubberS2PData& reference = addMeasurement(list, { 5, 15, 25 }, values(-4));
    struct Case {
        const char* name;
        int32_t kind;
        int32_t dbMode;
        bool relative;
        std::vector<double> expected;
    };
    const Case cases[] = {
        { "magnitude in dB", 2, 1, false, { 10, 20, 30 } },
        { "VSWR", 0, 0, false, { 3, 3, 3 } },
        { "phase in degrees", 1, 1, false, { 10, 20, 30 } },
        // The reference reads 4 dB less at every frequency inside its range, 5 to 25 Hz.
        { "relative magnitude", 2, 1, true, { 4, 4, nan } },
        { "relative phase", 1, 1, true, { 4, 4, nan } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TraceView view;
        view.dbMode = c.dbMode;
        OwnTrace trace;
        ownTrace(m, c.relative ? &reference : nullptr, c.kind, view, trace);
        ASSERT_EQ(trace.value.size(), c.expected.size());
        EXPECT_EQ(trace.freq, (std::vector<double> { 10, 20, 30 }));
        EXPECT_TRUE(trace.ascending);
        EXPECT_EQ(trace.wrapped, c.kind == 1);
        for (size_t i = 0; i < c.expected.size(); ++i) {
            if (std::isnan(c.expected[i]))
                EXPECT_TRUE(std::isnan(trace.value[i])) << i;
            else
                EXPECT_NEAR(trace.value[i], c.expected[i], 1e-9) << i;
        }
    }
}

} // namespace
