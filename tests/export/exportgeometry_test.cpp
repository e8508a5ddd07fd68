#include <gtest/gtest.h>

#include <cmath>

#include "columnwidth.h"
#include "exportaxis.h"
#include "exportlayout.h"

namespace {

TEST(RoundToHundredths, RoundsHalvesAwayFromZero)
{
    struct Case {
        double in;
        double out;
    };
    const Case cases[] = {
        { -12.345, -12.35 },
        { 0.005, 0.01 },
        { -0.005, -0.01 },
        { 0, 0 },
        { 12.344, 12.34 },
        { -45, -45 },
        { 0.004, 0 },
        { 2.5e12, 2.5e12 },
    };
    for (const Case& c : cases)
        EXPECT_NEAR(roundToHundredths(c.in), c.out, 1e-12 * std::fmax(1, std::fabs(c.out))) << c.in;
    EXPECT_EQ(roundToHundredths(1e307), 1e307);
    EXPECT_TRUE(std::isnan(roundToHundredths(NAN)));
}

TEST(ExportAxis, RoundsTheLimitsAndKeepsTheStep)
{
    const ExportAxis axis = exportAxis(-12.345, 0.005, 2.5);
    EXPECT_TRUE(axis.hasLimits);
    EXPECT_NEAR(axis.minimum, -12.35, 1e-12);
    EXPECT_NEAR(axis.maximum, 0.01, 1e-12);
    EXPECT_TRUE(axis.hasMajorUnit);
    EXPECT_EQ(axis.majorUnit, 2.5);
}

TEST(ExportAxis, KeepsAViewNarrowerThanAHundredthUnrounded)
{
    // 1.001 .. 1.004 GHz would both round to 1.00 and leave the axis without a range.
    const ExportAxis axis = exportAxis(1.001, 1.004, 0.0005);
    EXPECT_TRUE(axis.hasLimits);
    EXPECT_EQ(axis.minimum, 1.001);
    EXPECT_EQ(axis.maximum, 1.004);
}

TEST(ExportAxis, LeavesUnusableLimitsAndStepsAutomatic)
{
    struct Case {
        double low, high, step;
        bool limits, unit;
    };
    const Case cases[] = {
        { 0, 0, 0, false, false },
        { 5, 1, -1, false, false },
        { NAN, 1, INFINITY, false, false },
        { 0, INFINITY, NAN, false, false },
        { 0, 10, 1, true, true },
    };
    for (const Case& c : cases) {
        const ExportAxis axis = exportAxis(c.low, c.high, c.step);
        EXPECT_EQ(axis.hasLimits, c.limits) << c.low << " " << c.high;
        EXPECT_EQ(axis.hasMajorUnit, c.unit) << c.step;
    }
}

TEST(ExportLayout, TakesNineTenthsOfTheUsableAreaAndStartsTheTableBelow)
{
    struct Case {
        double width, height;
        double chartWidth, chartHeight;
        int32_t headerRow;
    };
    const Case cases[] = {
        { 750, 525, 675, 472.5, 33 }, // 472.5 / 15 = 31.5
        { 1440, 810, 1296, 729, 50 }, // 729 / 15 = 48.6
        { 100, 50, 90, 45, 5 }, // exactly 3 rows
        { 0, -5, 0, 0, 2 },
        { NAN, INFINITY, 0, 0, 2 },
    };
    for (const Case& c : cases) {
        const ExportLayout layout = exportLayout(c.width, c.height);
        EXPECT_EQ(layout.chartWidth, c.chartWidth) << c.width;
        EXPECT_EQ(layout.chartHeight, c.chartHeight) << c.height;
        EXPECT_EQ(layout.headerRow, c.headerRow) << c.height;
    }
    // Single precision: 0.9 x 333.3 is 299.97 as a float.
    EXPECT_EQ(exportLayout(333.3, 333.3).chartWidth, static_cast<double>(static_cast<float>(333.3 * 0.9)));
    const ExportLayout huge = exportLayout(1e12, 1e12);
    EXPECT_EQ(huge.chartHeight, 100000);
    EXPECT_EQ(huge.headerRow, 100000 / 15 + 2);
}

TEST(ColumnWidth, FitsTheWidestContent)
{
    ColumnWidth empty;
    EXPECT_NEAR(empty.width(), 8.43, 1e-9);

    ColumnWidth numbers;
    numbers.addNumber(-12.3456); // "-12.346"
    numbers.addNumber(1234567.5); // "1234567.500", 11 characters
    EXPECT_GE(numbers.width(), 11);
    EXPECT_LE(numbers.width(), 13);

    ColumnWidth titles;
    titles.addText("Частота, МГц"); // 12 characters in 22 bytes
    EXPECT_GE(titles.width(), 12);
    EXPECT_LE(titles.width(), 16);

    ColumnWidth long_;
    long_.addText(std::string(1000, 'x'));
    EXPECT_EQ(long_.width(), 255);
}

} // namespace
