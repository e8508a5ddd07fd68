#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "linefit.h"
#include "polyfit.h"

namespace {

// The line fit must be the two-coefficient polynomial fit, bit for bit, through ring
// overflow and restarts.
TEST(LineFit, EqualsTheTwoCoefficientPolynomialFit)
{
    for (const int32_t capacity : { 4, 7, 32 }) {
        LineFit line(capacity);
        RealPolyFit poly(2, capacity);
        for (int32_t i = 0; i < 300; ++i) {
            const double x = 60 + i * 0.37;
            const double y = 400 + 50 * std::sin(i * 0.11) + (i % 7) * 0.3;
            line.push(x, y);
            poly.push(x, y);
            const double lineValue = line.fitAt(x + 0.5);
            const double polyValue = poly.fitAt(x + 0.5);
            if (poly.sampleCount < 2)
                continue;
            ASSERT_EQ(line.sampleCount, poly.sampleCount);
            EXPECT_EQ(line.c0, poly.coef[0]) << capacity << " " << i;
            EXPECT_EQ(line.c1, poly.coef[1]) << capacity << " " << i;
            EXPECT_EQ(lineValue, polyValue) << capacity << " " << i;
            if (i % 41 == 40) {
                line.restart();
                poly.restart();
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
