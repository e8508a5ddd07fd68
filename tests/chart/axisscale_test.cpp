#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "axisscale.h"
#include "roundhalfaway.h"

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST(RoundHalfAway, HalvesGoAwayFromZero)
{
    struct Row {
        double x;
        double expected;
    };
    const Row rows[] = { { 0.5, 1 }, { 1.5, 2 }, { 2.5, 3 }, { -0.5, -1 }, { -1.5, -2 }, { -2.5, -3 },
        { 0, 0 }, { 0.49, 0 }, { -0.49, 0 }, { 2.4, 2 }, { -2.6, -3 }, { 1e17, 1e17 } };
    for (const Row& row : rows)
        EXPECT_EQ(roundHalfAway(row.x), row.expected) << row.x;
    EXPECT_EQ(roundHalfAway(inf), inf);
    EXPECT_TRUE(std::isnan(roundHalfAway(nan)));
}

TEST(RoundHalfAway, PixelsAreClampedAndNaNIsZero)
{
    EXPECT_EQ(roundToPixel(12.5), 13);
    EXPECT_EQ(roundToPixel(-12.5), -13);
    EXPECT_EQ(roundToPixel(1e30), pixelLimit);
    EXPECT_EQ(roundToPixel(-inf), -pixelLimit);
    EXPECT_EQ(roundToPixel(nan), 0);
}

TEST(NiceStep, GivesHalfOneTwoOrFiveTimesAPowerOfTen)
{
    struct Row {
        double low;
        double high;
        double expected;
    };
    const Row rows[] = {
        { 0, 100, 10 }, // r = 10
        { 0, 7, 1 }, // r = 7
        { 0, 5, 0.5 }, // r = 5 < 6
        { 0, 3, 0.5 }, // base 0.1, r = 30: doubled to 0.2, still 15 steps: 0.5
        { 0, 20, 2 }, // r = 20 > 14: doubled
        { 0, 40, 5 }, // e = 2, r = 4 < 6
        { 0, 1e9, 1e8 }, { 0, 14, 1 }, // exactly 14 intervals stay
        { 0, 15, 2 }, { 0, 60, 10 }, // r = 6 is not below 6
        { -40, 0, 5 }, { -0.3, 0.2, 0.05 }, // e = 0, r = 5
        { 1e9, 4e9, 5e8 }, // e = 9, r = 30
    };
    for (const Row& row : rows)
        EXPECT_DOUBLE_EQ(niceStep(row.low, row.high), row.expected) << row.low << " .. " << row.high;
}

TEST(NiceStep, RangeWithoutPositiveFiniteSpanHasNoStep)
{
    const double rows[][2] = { { 5, 5 }, { 5, 1 }, { 0, inf }, { -inf, inf }, { nan, 1 }, { 0, nan } };
    for (const auto& row : rows)
        EXPECT_EQ(niceStep(row[0], row[1]), 0) << row[0] << " .. " << row[1];
}

TEST(ExpandRange, WidensToWholeStepsWithMargin)
{
    struct Row {
        double low;
        double high;
        double step;
        double expectedLow;
        double expectedHigh;
    };
    const Row rows[] = {
        { -0.3, 0.2, 0.1, -0.4, 0.3 },
        { 0, 0.1, 0.1, -0.2, 0.3 }, // one step each side would span three steps only
        { -42, -3, 5, -45, 0 }, // R(-8.4) - 1 = -9, R(-0.6) + 1 = 0
        { 7, 7, 1, 5, 9 }, // a flat range gets two steps each side
        { 12, 48, 10, 0, 60 },
    };
    for (const Row& row : rows) {
        double low = row.low;
        double high = row.high;
        expandRange(low, high, row.step);
        EXPECT_DOUBLE_EQ(low, row.expectedLow) << row.low << " .. " << row.high;
        EXPECT_DOUBLE_EQ(high, row.expectedHigh) << row.low << " .. " << row.high;
    }
}

TEST(ExpandRange, LeavesTheRangeWithoutAUsableStep)
{
    const double steps[] = { 0, -1, nan, inf };
    for (double step : steps) {
        double low = -3;
        double high = 8;
        expandRange(low, high, step);
        EXPECT_EQ(low, -3) << step;
        EXPECT_EQ(high, 8) << step;
    }
    double low = 1e300;
    double high = 1.5e300;
    expandRange(low, high, 1e-10);
    EXPECT_EQ(low, 1e300);
    EXPECT_EQ(high, 1.5e300);
    low = nan;
    high = 1;
    expandRange(low, high, 1);
    EXPECT_TRUE(std::isnan(low));
    EXPECT_EQ(high, 1);
}

TEST(ValueScaleFactor, KeepsLabelsBelowAThousand)
{
    struct Row {
        double low;
        double high;
        double expected;
    };
    const Row rows[] = {
        { 0, 5e-4, 1000000 },
        { -40, 0, 1 },
        { 0, 2000, 0.001 },
        { 0, 999.9, 1 },
        { 0, 1e6, 0.000001 },
        { -5e6, 0, 0.000001 }, // the magnitude of the low end counts
        { -600, 600, 0.001 }, // the span counts: 1200
        { 0, 0.001, 1 },
        { 0, 1e-6, 1000000 },
        { 0, 9e-7, 1000000000 },
        { 0, 0, 1000000000 },
    };
    for (const Row& row : rows)
        EXPECT_EQ(valueScaleFactor(row.low, row.high), row.expected) << row.low << " .. " << row.high;
}

TEST(ValueScaleFactor, NonFiniteRangeIsNotScaled)
{
    EXPECT_EQ(valueScaleFactor(nan, 1), 1);
    EXPECT_EQ(valueScaleFactor(0, nan), 1);
    EXPECT_EQ(valueScaleFactor(0, inf), 1);
    EXPECT_EQ(valueScaleFactor(-inf, 0), 1);
}

} // namespace
