#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "measurementbuilder.h"
#include "owntrace.h"
#include "tracesearch.h"

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

OwnTrace traceOf(std::vector<double> freq, std::vector<double> value)
{
    OwnTrace trace;
    trace.freq = std::move(freq);
    trace.value = std::move(value);
    trace.ascending = true;
    return trace;
}

void expectEdge(const std::optional<double>& edge, double expected, const char* side)
{
    if (std::isnan(expected)) {
        EXPECT_FALSE(edge.has_value()) << side << " " << edge.value_or(0);
        return;
    }
    ASSERT_TRUE(edge.has_value()) << side;
    EXPECT_NEAR(*edge, expected, 1e-9) << side;
}

TEST(TraceSearch, EdgesLieOnTheLineThroughTheTwoPointsAroundTheLevel)
{
    struct Case {
        const char* name;
        OwnTrace trace;
        double low;
        double high;
        double drop;
        double maxFreq;
        double minFreq;
        double lower; // NaN: no edge
        double upper;
    };
    // A triangle with its peak of 0 at 100 falling 10 per 100 Hz: the 3-below level lies
    // 30 Hz to each side.
    const OwnTrace triangle = traceOf({ 0, 100, 200 }, { -10, 0, -10 });
    const Case cases[] = {
        { "triangle", triangle, -inf, inf, 3, 100, 0, 100 - 30, 100 + 30 },
        { "deeper level", triangle, -inf, inf, 8, 100, 0, 100 - 80, 100 + 80 },
        { "level never reached", triangle, -inf, inf, 11, 100, 0, nan, nan },
        // The nearest crossing on each side wins over later ones.
        { "nearest crossing", traceOf({ 0, 10, 20, 30, 40 }, { -20, -1, 0, -5, 0 }), -inf, inf, 3, 20, 0,
            10 - 10 * (2.0 / 19), 20 + 10 * (3.0 / 5) },
        { "a point at the level", traceOf({ 0, 10, 20 }, { -6, -3, 0 }), -inf, inf, 3, 20, 0, 10, nan },
        { "falls on one side only", traceOf({ 0, 10, 20 }, { 0, -1, -9 }), -inf, inf, 3, 0, 20, nan,
            10 + 10 * (2.0 / 8) },
        { "points without a value are passed over", traceOf({ 0, 10, 20, 30 }, { 0, nan, nan, -10 }), -inf,
            inf, 3, 0, 30, nan, 30 * 0.3 },
        // Only the frequencies in the range count: the peak at 100 lies outside 110 to 200.
        { "inside the range", triangle, 110, 200, 3, 200, 200, nan, nan },
        { "first of equal values", traceOf({ 0, 10, 20 }, { 1, 1, 1 }), -inf, inf, 3, 0, 0, nan, nan },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TraceSearch search = searchTrace(c.trace, c.low, c.high, c.drop);
        ASSERT_TRUE(search.found);
        EXPECT_EQ(search.maxFreq, c.maxFreq);
        EXPECT_EQ(search.minFreq, c.minFreq);
        expectEdge(search.lowerEdge, c.lower, "lower");
        expectEdge(search.upperEdge, c.upper, "upper");
    }
    EXPECT_FALSE(searchTrace(traceOf({ 0, 10 }, { nan, nan }), -inf, inf, 3).found);
    EXPECT_FALSE(searchTrace(triangle, 300, 400, 3).found);
}

// A Butterworth band-pass of order n: |S21|^2 = 1 / (1 + W^2n) with W = (f / f0 - f0 / f) f0 / B.
// It falls N dB below its peak of 0 dB at f0 where W = +-w, w = (10^(N / 10) - 1)^(1 / 2n), so
// at sqrt(f0^2 + (w B / 2)^2) -+ w B / 2: a bandwidth of w B (w is 0.99921 for 3 dB, the
// half-power points of W = +-1 lying 3.0103 dB down).
TEST(TraceSearch, ButterworthBandPassGivesTheFormulasEdgesCentreAndQ)
{
    constexpr int order = 3;
    constexpr double f0 = 2.4e9;
    constexpr double bandwidth = 200e6;
    RubberS2P list;
    RubberS2PData& filter = addMeasurement(list, 1.9e9, 2.9e9, 2001, [&](double f) {
        const double w = (f / f0 - f0 / f) * f0 / bandwidth;
        const Complex s21(1 / std::sqrt(1 + std::pow(w, 2 * order)), 0);
        const Complex s11(std::sqrt(1 - std::norm(s21)), 0);
        return SParams { s11, s21, s21, s11 };
    });
    OwnTrace trace;
    ownTrace(filter, nullptr, 2, TraceView(), trace);
    const double tolerance = 0.05 / 100;
    for (const double drop : { 3.0, 1.0, 10.0 }) {
        SCOPED_TRACE(drop);
        const TraceSearch search = searchTrace(trace, -inf, inf, drop);
        const double width = std::pow(std::pow(10, drop / 10) - 1, 1.0 / (2 * order)) * bandwidth;
        const double lower = std::sqrt(f0 * f0 + width * width / 4) - width / 2;
        const double upper = lower + width;
        ASSERT_TRUE(search.bandwidthFound());
        EXPECT_NEAR(search.maxFreq, f0, f0 * tolerance);
        EXPECT_NEAR(*search.lowerEdge, lower, lower * tolerance);
        EXPECT_NEAR(*search.upperEdge, upper, upper * tolerance);
        EXPECT_NEAR(search.centre(), f0, f0 * tolerance);
        EXPECT_NEAR(search.bandwidth(), width, width * tolerance);
        EXPECT_NEAR(search.q(), f0 / width, f0 / width * tolerance);
    }
}

} // namespace
