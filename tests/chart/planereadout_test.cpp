#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "labeltext.h"
#include "planereadout.h"

namespace {

const double pi = 3.141592653589793;

Locus locusOf(int32_t parameter, std::vector<double> freq, std::vector<Complex> values)
{
    Locus locus;
    locus.parameter = parameter;
    locus.freq = std::move(freq);
    locus.values = std::move(values);
    return locus;
}

// The nearest point in screen distance over every locus; points outside the plot or without a
// value are not drawn and not found.
TEST(PlaneReadout, NearestDrawnPointOfAnyLocus)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const GammaMapping mapping(PixelRect { 0, 0, 400, 400 }, PlaneView { 0, 0, 1 });
    // 200 pixels per unit, the origin at (200, 200).
    const std::vector<Locus> loci = {
        locusOf(0, { 1, 2, 3 }, { { 0, 0 }, { 0.5, 0 }, { nan, nan } }),
        locusOf(3, { 1, 2, 3 }, { { 0.5, 0.1 }, { 3, 0 }, { -0.5, -0.5 } }),
    };
    struct Row {
        double x;
        double y;
        int32_t locus;
        int32_t index;
    };
    const Row rows[] = {
        { 200, 200, 0, 0 },
        { 305, 200, 0, 1 }, // (300, 200) is 5 away, (300, 180) 20.6
        { 300, 188, 1, 0 },
        { 300, 190, 0, 1 }, // a tie takes the earlier point
        { 399, 200, 0, 1 }, // S22's point at (800, 200) lies outside the plot
        { 0, 400, 1, 2 },
    };
    for (const Row& row : rows) {
        const std::optional<LocusPoint> found = nearestLocusPoint(loci, mapping, row.x, row.y);
        ASSERT_TRUE(found) << row.x << "," << row.y;
        EXPECT_EQ(found->locus, row.locus) << row.x << "," << row.y;
        EXPECT_EQ(found->index, row.index) << row.x << "," << row.y;
    }
    EXPECT_FALSE(nearestLocusPoint({ locusOf(0, { 1 }, { { nan, 0 } }) }, mapping, 200, 200));
}

// The strip's texts of a reflection from Z0 = 50 ohm: G = (Z - 50) / (Z + 50),
// VSWR = (1 + |G|) / (1 - |G|), RL = -20 log10 |G|; a transmission in dB or as magnitude.
TEST(PlaneReadout, StripTextsFollowTheFormulas)
{
    struct Row {
        int32_t parameter;
        ChartKind kind;
        Complex s;
        std::array<std::string, 5> texts; // frequency, then columns 1 to 4
    };
    const Complex g25 = (25.0 - 50.0) / (25.0 + 50.0);
    const Complex g100j = (Complex(50, 50) - 50.0) / (Complex(50, 50) + 50.0);
    const double m100j = std::abs(g100j);
    const Row rows[] = {
        { 0, ChartKind::smith, g25,
            { "2000", "\u0393 = 0.333 \u2220 180.0\u00b0", "Z = 25.0 \u2212 j0.0 \u03a9", "VSWR 2.00",
                "RL 9.54 dB" } },
        { 3, ChartKind::polar, g100j,
            { "2000",
                formatNumber("\u0393 = %.3f", m100j)
                    + formatNumber(" \u2220 %.1f\u00b0", std::arg(g100j) * 180 / pi),
                "Z = 50.0 + j50.0 \u03a9", formatNumber("VSWR %.2f", (1 + m100j) / (1 - m100j)),
                formatNumber("RL %.2f dB", -20 * std::log10(m100j)) } },
        { 0, ChartKind::smith, { 1, 0 },
            { "2000", "\u0393 = 1.000 \u2220 0.0\u00b0", "", "", "RL -0.00 dB" } },
        { 0, ChartKind::smith, { 0, 0 },
            { "2000", "\u0393 = 0.000 \u2220 0.0\u00b0", "Z = 50.0 \u2212 j0.0 \u03a9", "VSWR 1.00", "" } },
        { 0, ChartKind::smith, { -1, 0 },
            { "2000", "\u0393 = 1.000 \u2220 180.0\u00b0", "Z = 0.0 \u2212 j0.0 \u03a9", "",
                "RL -0.00 dB" } },
        { 1, ChartKind::polar, std::polar(std::sqrt(0.5), -pi / 2),
            { "2000", "-3.01 dB \u2220 -90.0\u00b0", "", "", "" } },
        { 2, ChartKind::smith, std::polar(std::sqrt(0.5), -pi / 2),
            { "2000", "S12 = 0.707 \u2220 -90.0\u00b0", "", "", "" } },
    };
    for (const Row& row : rows) {
        const Locus locus = locusOf(row.parameter, { 2e9 }, { row.s });
        const auto strip = planeStripTexts(locus, 0, row.kind, "%lg", 1e6);
        for (size_t c = 0; c < row.texts.size(); ++c)
            EXPECT_EQ(strip[c], row.texts[c]) << row.s << " column " << c;
        EXPECT_EQ(strip[5], "");
    }
    EXPECT_EQ(parameterText(Complex(0, 0)), "");
    EXPECT_EQ(parameterText(std::polar(0.1, pi)), "-20.00 dB \u2220 180.0\u00b0");
}

} // namespace
