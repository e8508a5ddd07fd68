#include <gtest/gtest.h>

#include <string>

#include "axisedits.h"
#include "decimalcommalocale.h"
#include "labeltext.h"

namespace {

TEST(LabelText, StepFormats)
{
    struct Row {
        double step;
        const char* format;
    };
    const Row rows[] = { { 1000, "%lg" }, { 1, "%lg" }, { 0.5, "%.1lf" }, { 0.1, "%.1lf" }, { 0.05, "%.2f" },
        { 0.01, "%.2f" }, { 0.005, "%.3lf" }, { 0, "%.3lf" } };
    for (const Row& row : rows)
        EXPECT_STREQ(stepFormat(row.step), row.format) << row.step;
}

TEST(LabelText, TicksPrintInTheStepFormatWithoutRoundingNoise)
{
    EXPECT_EQ(formatTick(2450, 500), "2450");
    EXPECT_EQ(formatTick(1e9, 1e8), "1e+09");
    EXPECT_EQ(formatTick(0.30000000000000004, 0.1), "0.3");
    EXPECT_EQ(formatTick(-0.25, 0.05), "-0.25");
    EXPECT_EQ(formatTick(0.0005, 0.001), "0.001");
    // Noise around zero never shows as "-0" or as an exponent.
    EXPECT_EQ(formatTick(-5.551115123125783e-17, 0.1), "0.0");
    EXPECT_EQ(formatTick(-1e-15, 5), "0");
}

TEST(LabelText, NumbersIgnoreADecimalCommaLocale)
{
    const DecimalCommaLocale locale;
    if (!locale.active())
        GTEST_SKIP() << "no decimal comma locale installed";
    EXPECT_EQ(formatNumber("%lg", 2.5), "2.5");
    EXPECT_EQ(formatNumber("%5.4lg", -12.346), "-12.35");
    EXPECT_EQ(formatTick(0.25, 0.05), "0.25");
    EXPECT_DOUBLE_EQ(scanNumber("1.5"), 1.5);
    ZoomEntry zoom;
    zoom.autoX = 0;
    ASSERT_TRUE(parseAxisEdits(AxisEditTexts { "0,5", "-1.5", "0.1", "0,25", "2.5", "1" }, zoom, 1e6));
    EXPECT_DOUBLE_EQ(zoom.yMax, 0.5);
    EXPECT_DOUBLE_EQ(zoom.yStep, 0.25);
    EXPECT_DOUBLE_EQ(zoom.xMax, 2.5e6);
    EXPECT_EQ(formatAxisEdits(zoom, 1e6).xMax, "2.5");
}

TEST(LabelText, ScanReadsTheLeadingNumber)
{
    struct Row {
        const char* text;
        double value;
    };
    const Row rows[]
        = { { "12.5", 12.5 }, { "  -3e2x", -300 }, { "+7", 7 }, { "abc", 0 }, { "", 0 }, { "1,5", 1 } };
    for (const Row& row : rows)
        EXPECT_DOUBLE_EQ(scanNumber(row.text), row.value) << row.text;
}

TEST(LabelText, StatisticsFormatPadsToFiveColumns)
{
    EXPECT_EQ(formatNumber("%5.4lg", -20), "  -20");
    EXPECT_EQ(formatNumber("%5.4lg", 1.23456), "1.235");
    EXPECT_EQ(formatNumber("%5.4lg", 123456), "1.235e+05");
}

} // namespace
