#include <gtest/gtest.h>

#include <string>

#include "decimalcommalocale.h"
#include "limitmask.h"
#include "tracevalues.h"

namespace {

struct AcceptedCase {
    const char* name;
    std::string text;
    int32_t kind;
    LimitSide side;
    double f1, v1, f2, v2; // hertz
    int32_t line;
};

TEST(LimitMask, ReadsSegmentsInTheUnitGiven)
{
    const AcceptedCase cases[] = {
        { "hertz by default", "S21M lower 100 -3 200 -1\n", S21M, LimitSide::lower, 100, -3, 200, -1, 1 },
        { "megahertz", "unit MHz\nS11M upper 2400 -10 2500 -12\n", S11M, LimitSide::upper, 2400e6, -10,
            2500e6, -12, 2 },
        { "spot check", "unit GHz\nS22A lower 2.5 -90", S22A, LimitSide::lower, 2.5e9, -90, 2.5e9, -90, 2 },
        { "comments, blank lines, CRLF and case",
            "# mask\r\n\r\nUNIT khz # unit\r\n\ts12m  UPPER +1e1 .5\t20 1.5 # end\r\n", S12M,
            LimitSide::upper, 10e3, 0.5, 20e3, 1.5, 4 },
    };
    for (const AcceptedCase& c : cases) {
        Limits limits;
        LimitsError error;
        ASSERT_TRUE(parseLimits(c.text, limits, error)) << c.name << ": " << error.reason;
        ASSERT_EQ(limits.segments.size(), 1u) << c.name;
        const LimitSegment& s = limits.segments[0];
        EXPECT_EQ(s.kind, c.kind) << c.name;
        EXPECT_EQ(s.side, c.side) << c.name;
        EXPECT_DOUBLE_EQ(s.f1, c.f1) << c.name;
        EXPECT_DOUBLE_EQ(s.v1, c.v1) << c.name;
        EXPECT_DOUBLE_EQ(s.f2, c.f2) << c.name;
        EXPECT_DOUBLE_EQ(s.v2, c.v2) << c.name;
        EXPECT_EQ(s.line, c.line) << c.name;
    }
}

TEST(LimitMask, LimitIsTheStraightLineBetweenTheEnds)
{
    LimitSegment s;
    s.f1 = 100;
    s.v1 = -3;
    s.f2 = 300;
    s.v2 = 1;
    EXPECT_DOUBLE_EQ(s.limitAt(150), -3 + 4 * (50.0 / 200));
    EXPECT_DOUBLE_EQ(s.limitAt(300), 1);
    EXPECT_DOUBLE_EQ(s.margin(150, -2.5), -2 - -2.5);
    s.side = LimitSide::lower;
    EXPECT_DOUBLE_EQ(s.margin(150, -2.5), -2.5 - -2);
}

struct RefusedCase {
    const char* name;
    std::string text;
    int32_t line;
    const char* reasonPart;
};

TEST(LimitMask, RefusesABadLineWithItsNumberAndKeepsTheMaskInForce)
{
    const RefusedCase cases[] = {
        { "unknown trace", "S31M upper 1 2", 1, "unknown trace 'S31M'" },
        { "neither side", "S21M above 1 2", 1, "neither 'upper' nor 'lower'" },
        { "F2 equal to F1", "# c\nS21M upper 5 1 5 2", 2, "F2 is not above F1" },
        { "F2 below F1", "S21M upper 5 1 4 2", 1, "F2 is not above F1" },
        { "missing V1", "S21M upper 5", 1, "missing number: V1" },
        { "missing V2", "S21M upper 5 1 6", 1, "missing number: V2" },
        { "not a number", "S21M upper 5 1,5", 1, "V1 '1,5' is not a finite number" },
        { "infinite value", "S21M upper 5 inf", 1, "is not a finite number" },
        { "text after the numbers", "S21M upper 5 1 6 2 dB", 1, "text after the numbers: 'dB'" },
        { "bad unit", "unit THz\nS21M upper 5 1", 1, "unknown unit 'THz'" },
        { "unit twice", "unit Hz\nunit MHz\nS21M upper 5 1", 2, "second time" },
        { "unit after a segment", "S21M upper 5 1\nunit MHz", 2, "after the first segment" },
        { "negative frequency", "S21M upper -5 1", 1, "negative frequency" },
        { "frequency too large", "unit GHz\nS21M upper 1e300 1", 2, "too large" },
        { "a 10 MB line", "S21M upper 1 2\nS21M upper " + std::string(10u << 20, '7') + "x 1", 2,
            "is not a finite number" },
        { "no segments", "# nothing\nunit MHz\n", 0, "no limit segments" },
    };
    for (const RefusedCase& c : cases) {
        Limits limits;
        limits.segments.push_back(LimitSegment { S11A, LimitSide::lower, 1, 2, 3, 4, 9 });
        LimitsError error;
        EXPECT_FALSE(parseLimits(c.text, limits, error)) << c.name;
        EXPECT_EQ(error.line, c.line) << c.name;
        EXPECT_NE(error.reason.find(c.reasonPart), std::string::npos) << c.name << ": " << error.reason;
        EXPECT_LT(error.reason.size(), 200u) << c.name;
        ASSERT_EQ(limits.segments.size(), 1u) << c.name;
        EXPECT_EQ(limits.segments[0].line, 9) << c.name;
    }
}

TEST(LimitMask, ReadsDecimalPointsInADecimalCommaLocale)
{
    const DecimalCommaLocale comma;
    Limits limits;
    LimitsError error;
    ASSERT_TRUE(parseLimits("unit MHz\nS21M lower 2400.5 -2.75\n", limits, error)) << error.reason;
    EXPECT_DOUBLE_EQ(limits.segments[0].f1, 2400.5e6);
    EXPECT_DOUBLE_EQ(limits.segments[0].v1, -2.75);
}

} // namespace
