#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "limitscheck.h"
#include "measurementbuilder.h"
#include "tracevalues.h"

namespace {

// A measurement whose S21 (and S12) has the given dB values at its frequencies, S11 = 0.1.
RubberS2PData& addS21(RubberS2P& list, const std::map<double, double>& s21Decibels)
{
    std::vector<double> freqs;
    for (const auto& [f, db] : s21Decibels)
        freqs.push_back(f);
    return addMeasurement(list, freqs, [&](double f) {
        const double db = s21Decibels.at(f);
        const Complex s21 = std::isfinite(db) ? Complex(std::pow(10, db / 20), 0) : Complex(0, 0);
        return SParams { Complex(0.1, 0), s21, s21, Complex(0.1, 0) };
    });
}

Limits limitsOf(const std::string& text)
{
    Limits limits;
    LimitsError error;
    EXPECT_TRUE(parseLimits(text, limits, error)) << error.reason;
    return limits;
}

struct VerdictCase {
    const char* name;
    std::map<double, double> s21; // hertz -> dB
    std::string limits;
    bool pass;
    bool notCovered;
    double margin;
    double freq;
    int32_t line;
};

TEST(LimitsCheck, TestsOwnPointsAndTheSegmentEndsBetweenPoints)
{
    const double nan = std::nan("");
    const VerdictCase cases[] = {
        { "own points inside", { { 0, -10 }, { 100, -8 }, { 200, -12 } }, "S21M upper 0 -5 200 -5", true,
            false, -5 - -8.0, 100, 1 },
        // Both own points inside [0, 150] pass; the straight line to the point at 200 crosses
        // the limit before 150.
        { "violation between points at an end", { { 0, -10 }, { 100, -10 }, { 200, 10 } },
            "S21M upper 0 -5 150 -5", false, false, -5 - (-10 + 20 * (50.0 / 100)), 150, 1 },
        { "on the limit", { { 0, 0 }, { 100, 0 } }, "S21M upper 0 0 100 0", true, false, 0, 0, 1 },
        { "sloped lower limit", { { 0, -2 }, { 100, -2 } }, "S21M lower 0 -4 100 -1", false, false, -2 - -1.0,
            100, 1 },
        { "spot check between points", { { 0, -10 }, { 100, -20 } }, "S21M lower 25 -14", true, false,
            (-10 - 10 * 0.25) - -14, 25, 1 },
        { "outside the measured range", { { 0, -1 }, { 100, -1 } }, "S21M upper 300 0 400 0", false, true, 0,
            300, 1 },
        { "worst of several segments", { { 0, -1 }, { 100, -3 } },
            "S21M upper 0 0 50 0\nS21M lower 60 -2 100 -2", false, false, -3 - -2.0, 100, 2 },
        { "missing values are left out", { { 0, nan }, { 100, -1 }, { 200, nan } }, "S21M upper 0 0 200 0",
            true, false, 1, 100, 1 },
        { "only missing values", { { 0, nan }, { 100, nan } }, "S21M upper 0 0 100 0", false, true, 0, 0, 1 },
    };
    for (const VerdictCase& c : cases) {
        RubberS2P list;
        addS21(list, c.s21);
        const LimitsVerdicts verdicts = checkLimits(limitsOf(c.limits), list, 1, -1);
        const LimitVerdict& v = verdicts.measurements[0];
        EXPECT_TRUE(v.checked) << c.name;
        EXPECT_EQ(v.pass(), c.pass) << c.name;
        EXPECT_EQ(v.notCovered, c.notCovered) << c.name;
        if (!c.notCovered) {
            EXPECT_NEAR(v.margin, c.margin, 1e-9) << c.name;
        }
        EXPECT_DOUBLE_EQ(v.freq, c.freq) << c.name;
        EXPECT_EQ(v.line, c.line) << c.name;
        EXPECT_EQ(v.kind, S21M) << c.name;
        EXPECT_EQ(verdicts.traces[S21M].line, c.line) << c.name;
        EXPECT_EQ(verdicts.passCount, c.pass ? 1 : 0) << c.name;
    }
}

TEST(LimitsCheck, OnePortsAreCheckedOnS11AloneAndRelativeValuesAgainstTheReference)
{
    RubberS2P list;
    addS21(list, { { 0, -1 }, { 100, -1 } }).portCount = 1;
    addS21(list, { { 0, -1 }, { 100, -1 } });
    addS21(list, { { 0, -7 }, { 100, -7 } });
    const Limits s21Only = limitsOf("S21M lower 0 -3 100 -3");
    const LimitsVerdicts absolute = checkLimits(s21Only, list, 1, -1);
    EXPECT_FALSE(absolute.measurements[0].checked);
    EXPECT_TRUE(absolute.measurements[1].pass());
    EXPECT_FALSE(absolute.measurements[2].pass());
    EXPECT_EQ(absolute.checkedCount, 2);
    EXPECT_EQ(absolute.passCount, 1);

    // Relative to measurement 1, measurement 2 lies 6 dB lower.
    const LimitsVerdicts relative = checkLimits(limitsOf("S21M lower 0 -6.5 100 -6.5"), list, 1, 1);
    EXPECT_NEAR(relative.measurements[1].margin, 6.5, 1e-9);
    EXPECT_NEAR(relative.measurements[2].margin, -6 + 6.5, 1e-9);

    // S11 = 0.1 everywhere: 20 log10 0.1 = -20 dB, VSWR 1.1 / 0.9.
    const LimitsVerdicts s11 = checkLimits(limitsOf("S11M upper 0 -15 100 -15"), list, 1, -1);
    EXPECT_NEAR(s11.measurements[0].margin, 5, 1e-9);
    const LimitsVerdicts vswr = checkLimits(limitsOf("S11M upper 0 1.5 100 1.5"), list, 0, -1);
    EXPECT_NEAR(vswr.measurements[0].margin, 1.5 - 1.1 / 0.9, 1e-9);
}

} // namespace
