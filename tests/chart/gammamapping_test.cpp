#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "gammamapping.h"
#include "smithgrid.h"

namespace {

// A plot of 600 x 400 pixels right of a 50-pixel margin: centre (350, 200).
const PixelRect plot { 50, 0, 650, 400 };

Complex reflectionOf(const Complex& ohms)
{
    return (ohms - smithReferenceOhms) / (ohms + smithReferenceOhms);
}

TEST(GammaMapping, PixelsAndBackOneScaleOnBothAxes)
{
    struct Row {
        PlaneView view;
        Complex value;
        double x;
        double y;
    };
    // The shorter side, 400 pixels, spans twice the half span.
    const Row rows[] = {
        { { 0, 0, 1 }, { 0, 0 }, 350, 200 }, { { 0, 0, 1 }, { 1, 0 }, 550, 200 },
        { { 0, 0, 1 }, { 0, 1 }, 350, 0 }, { { 0, 0, 1 }, { -0.5, -0.25 }, 250, 250 },
        { { 0, 0, 2 }, { 1, 1 }, 450, 100 }, { { 0.5, -0.5, 0.1 }, { 0.5, -0.5 }, 350, 200 },
        { { 0.5, -0.5, 0.1 }, { 0.55, -0.45 }, 450, 100 },
        { { 0, 0, 1 }, { 2, 0 }, 750, 200 }, // beyond the rim, beyond the plot: still mapped
    };
    for (const Row& row : rows) {
        const GammaMapping mapping(plot, row.view);
        const QPointF p = mapping.toPixel(row.value);
        EXPECT_NEAR(p.x(), row.x, 1e-9) << row.value;
        EXPECT_NEAR(p.y(), row.y, 1e-9) << row.value;
        const Complex back = mapping.toPlane(row.x, row.y);
        EXPECT_NEAR(back.real(), row.value.real(), 1e-12);
        EXPECT_NEAR(back.imag(), row.value.imag(), 1e-12);
    }
}

TEST(GammaMapping, ValuesWithoutAPlaceMapToNoPoint)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const GammaMapping mapping(plot, PlaneView {});
    for (const Complex& value : { Complex(nan, 0), Complex(0, inf), Complex(1e300, 0), Complex(-1e20, 1) }) {
        const QPointF p = mapping.toPixel(value);
        EXPECT_FALSE(std::isfinite(p.x()) && std::isfinite(p.y())) << value;
    }
    // A view out of range is brought back into it.
    const GammaMapping wild(plot, PlaneView { nan, 1e9, 0 });
    EXPECT_EQ(wild.view().centreRe, 0);
    EXPECT_EQ(wild.view().centreIm, 0);
    EXPECT_EQ(wild.view().halfSpan, minimumHalfSpan);
}

// The ideal loads land on the crossings of the grid's circles, and every grid curve runs
// through the reflections its resistance or reactance (in ohms), its conductance or
// susceptance (in millisiemens) gives, and through the point its label stands at.
TEST(SmithGrid, IdealLoadsLieOnTheirCircles)
{
    const GammaMapping mapping(plot, PlaneView { 0, 0, 1.1 });
    const std::vector<GridCurve> grid = smithGrid(mapping, true, Language::english);
    // The nearest pixel distance from a load to the curve labelled text.
    const auto distance = [&](const std::string& text, const Complex& load) {
        const QPointF at = mapping.toPixel(load);
        double best = 1e9;
        for (const GridCurve& curve : grid) {
            if (curve.label != text)
                continue;
            for (size_t i = 1; i < curve.points.size(); ++i) {
                // The distance to the chord between two points of the curve.
                const QPointF a = mapping.toPixel(curve.points[i - 1]);
                const QPointF d = mapping.toPixel(curve.points[i]) - a;
                const double length = QPointF::dotProduct(d, d);
                const double t
                    = length > 0 ? std::clamp(QPointF::dotProduct(at - a, d) / length, 0.0, 1.0) : 0;
                const QPointF q = a + t * d;
                best = std::min(best, std::hypot(q.x() - at.x(), q.y() - at.y()));
            }
        }
        return best;
    };
    struct Row {
        const char* label;
        Complex ohms;
    };
    const Row rows[] = {
        { "25", { 25, 0 } },
        { "100", { 100, 0 } },
        { "50", { 50, 50 } },
        { "+j50", { 50, 50 } },
        { "+j25", { 10, 25 } },
        { "\u2212j100", { 250, -100 } },
        { "10", { 10, -250 } },
        { "20 mS", 1.0 / Complex(0.02, 0.01) },
        { "100 mS", { 10, 0 } },
        { "+j20 mS", 1.0 / Complex(0.01, 0.02) },
        { "\u2212j4 mS", 1.0 / Complex(0.004, -0.004) },
        { "+j100 mS", 1.0 / Complex(0.04, 0.1) },
    };
    for (const Row& row : rows)
        EXPECT_LT(distance(row.label, reflectionOf(row.ohms)), 1.0) << row.label << " " << row.ohms;
    for (const GridCurve& curve : grid) {
        if (!curve.label.empty()) {
            EXPECT_LT(distance(curve.label, curve.labelAt), 1.0) << curve.label;
        }
    }
    const std::vector<GridCurve> russian = smithGrid(mapping, true, Language::russian);
    EXPECT_TRUE(std::any_of(russian.begin(), russian.end(),
        [](const GridCurve& c) { return c.label == "20 \u043c\u0421\u043c"; }));
    // The short and the open lie on the rim.
    for (const Complex& load : { Complex(-1, 0), Complex(1, 0) })
        EXPECT_LT(std::abs(std::abs(load) - 1), 1e-12);
    ASSERT_FALSE(grid.empty());
    for (const Complex& p : grid.front().points)
        EXPECT_NEAR(std::abs(p), 1, 1e-12);
}

} // namespace
