#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <deque>
#include <utility>

#include "linefit.h"
#include "polyfit.h"

namespace {

// The least-squares line through samples, centred and in long double: c1 and its value at x0.
std::pair<double, double> exactLine(const std::deque<std::pair<double, double>>& samples, double x0)
{
    long double meanX = 0;
    long double meanY = 0;
    for (const auto& [x, y] : samples) {
        meanX += x;
        meanY += y;
    }
    meanX /= samples.size();
    meanY /= samples.size();
    long double sxx = 0;
    long double sxy = 0;
    for (const auto& [x, y] : samples) {
        sxx += (x - meanX) * (x - meanX);
        sxy += (x - meanX) * (y - meanY);
    }
    const long double c1 = sxy / sxx;
    return { static_cast<double>(c1), static_cast<double>(meanY + c1 * (x0 - meanX)) };
}

// The running line fit must be the least-squares line of the ring's samples to within 1e-9 of
// its values, through ring overflow, restarts, long runs and far-off abscissae; at pixel
// abscissae the two-coefficient polynomial fit it replaces is as close.
TEST(LineFit, FollowsTheLeastSquaresLineOfTheRing)
{
    struct Case {
        int32_t capacity;
        double xOrigin;
        double xStep;
        int32_t pushes;
        bool polynomialToo;
    };
    const auto near = [](double a, double b) { return std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(b)); };
    for (const Case& c : { Case { 4, 60, 0.37, 300, true }, Case { 7, 60, 0.37, 300, true },
             Case { 32, 60, 0.25, 20000, true }, Case { 32, 1e6, 0.37, 5000, false },
             Case { 2, -300, 1, 200, true } }) {
        LineFit line(c.capacity);
        RealPolyFit poly(2, c.capacity);
        std::deque<std::pair<double, double>> ring;
        for (int32_t i = 0; i < c.pushes; ++i) {
            const double x = c.xOrigin + i * c.xStep;
            const double y = 400 + 50 * std::sin(i * 0.11) + (i % 7) * 0.3;
            line.push(x, y);
            poly.push(x, y);
            ring.emplace_back(x, y);
            if (static_cast<int32_t>(ring.size()) > c.capacity)
                ring.pop_front();
            const double lineValue = line.fitAt(x + 0.5);
            const double polyValue = poly.fitAt(x + 0.5);
            if (ring.size() >= 2) {
                ASSERT_EQ(line.sampleCount, static_cast<int32_t>(ring.size()));
                const auto [c1, value] = exactLine(ring, x + 0.5);
                EXPECT_PRED2(near, lineValue, value) << c.capacity << " " << i;
                EXPECT_PRED2(near, line.c1, c1) << c.capacity << " " << i;
                if (c.polynomialToo) {
                    EXPECT_PRED2(near, lineValue, polyValue) << c.capacity << " " << i;
                }
            }
            if (i % 41 == 40) {
                line.restart();
                poly.restart();
                ring.clear();
            }
        }
    }
}

TEST(LineFit, SpreadIsTheLargestDistanceOfTheOlderSamples)
{
    LineFit line(8);
    line.push(0, 0);
    line.push(1, 1);
    line.push(2, 2);
    line.push(3, 7);
    line.fitAt(3);
    double expected = 0.25;
    for (const double x : { 0.0, 1.0, 2.0 }) {
        const double y = x;
        expected = std::max(expected, std::abs(line.c1 * x + line.c0 - y));
    }
    EXPECT_DOUBLE_EQ(line.spread(0.25), expected);
    // A straight run has no spread.
    LineFit straight(8);
    for (int32_t i = 0; i < 8; ++i)
        straight.push(i, 3 * i + 1);
    straight.fitAt(7);
    EXPECT_NEAR(straight.spread(0), 0, 1e-12);
    EXPECT_NEAR(straight.c1, 3, 1e-12);
    EXPECT_NEAR(straight.c0, 1, 1e-12);
}

} // namespace
