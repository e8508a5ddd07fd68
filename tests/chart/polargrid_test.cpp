#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "labeltext.h"
#include "polargrid.h"

namespace {

const double pi = 3.141592653589793;
const PixelRect plot { 50, 0, 650, 400 };

// A zoomed view keeps a legible grid: its finer circles and rays carry labels that tell them
// apart and read back as their own radius or angle, and enough rays cross a narrow view.
TEST(PolarGrid, ZoomedViewsLabelTheirFinerLinesApart)
{
    struct Row {
        double magnitude;
        double degrees;
        double halfSpan;
        size_t fewestRays; // finer rays expected at least
    };
    const Row rows[] = {
        { 0.99, 0, 1e-4, 3 }, // at the rim, the deepest zoom
        { 0.9, 40, 0.05, 3 },
        { 0.5, -178, 0.01, 3 }, // across the angle where labels go from 180° to -180°
        { 0.6, 100, 0.3, 0 },
        { 0, 0, 1.1, 0 }, // the whole chart: main rays only
    };
    for (const Row& row : rows) {
        const Complex centre = std::polar(row.magnitude, row.degrees * pi / 180);
        const GammaMapping mapping(plot, PlaneView { centre.real(), centre.imag(), row.halfSpan });
        std::set<std::string> labels;
        size_t rays = 0;
        for (const GridCurve& curve : polarGrid(mapping, 1)) {
            if (curve.style != GridStyle::finer)
                continue;
            EXPECT_TRUE(labels.insert(curve.label).second) << curve.label << " twice, view " << row.degrees;
            const bool ray = curve.points.size() == 2;
            const Complex end = curve.points.back();
            // Finer lines lie a small share of the view apart; a label reads back within it.
            const double tolerance = row.halfSpan / 50;
            if (ray) {
                ++rays;
                const double angle = std::arg(end) * 180 / pi;
                const double read = scanNumber(curve.label);
                EXPECT_NEAR(std::remainder(read - angle, 360), 0, tolerance / row.magnitude * 180 / pi)
                    << curve.label;
            } else {
                EXPECT_NEAR(scanNumber(curve.label), std::abs(end), tolerance) << curve.label;
            }
        }
        EXPECT_GE(rays, row.fewestRays) << row.degrees;
        if (row.fewestRays == 0 && row.halfSpan > 1) {
            EXPECT_EQ(rays, 0u);
        }
    }
}

} // namespace
