#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

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

} // namespace
