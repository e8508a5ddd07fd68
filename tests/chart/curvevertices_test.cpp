#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "curvevertices.h"

namespace {

// A grid of n frequencies 0, 1, 2, ... drawn one pixel apart from column 100, values one
// pixel per unit above row 500.
struct Curve {
    explicit Curve(int32_t n)
        : freqs(static_cast<size_t>(n))
        , values(static_cast<size_t>(n))
    {
        for (int32_t i = 0; i < n; ++i)
            freqs[static_cast<size_t>(i)] = i;
        scale.f0 = 0;
        scale.xScale = 1;
        scale.yMin = 0;
        scale.yScale = 1;
        scale.left = 100;
        scale.bottom = 500;
    }

    std::vector<QPoint> vertices(bool smoothing, int32_t start = 0, int32_t end = -1)
    {
        std::vector<QPoint> v { QPoint(-1, -1) };
        curveVertices(freqs.data(), values.data(), start,
            end < 0 ? static_cast<int32_t>(freqs.size()) - 1 : end, smoothing, scale, v);
        return v;
    }

    std::vector<double> freqs;
    std::vector<double> values;
    CurveScale scale;
};

TEST(CurveVertices, FewerThanThreePointsGiveNoVertices)
{
    Curve curve(10);
    for (const bool smoothing : { false, true }) {
        EXPECT_TRUE(curve.vertices(smoothing, 3, 4).empty());
        EXPECT_TRUE(curve.vertices(smoothing, 5, 5).empty());
        EXPECT_TRUE(curve.vertices(smoothing, 6, 2).empty());
        EXPECT_EQ(curve.vertices(smoothing, 3, 5).size(), smoothing ? 2u : 1u);
    }
}

TEST(CurveVertices, DecimationKeepsVerticesThreePixelsApart)
{
    Curve flat(100);
    const std::vector<QPoint> v = flat.vertices(false);
    ASSERT_EQ(v.size(), 34u); // columns 100, 103, ..., 199
    for (size_t k = 0; k < v.size(); ++k)
        EXPECT_EQ(v[k], QPoint(100 + 3 * static_cast<int>(k), 500));

    // Steps of 3 pixels up and down all stay; steps of 2 do not.
    Curve zigzag(6);
    zigzag.values = { 0, 3, 0, 3, 0, 3 };
    EXPECT_EQ(zigzag.vertices(false).size(), 6u);
    zigzag.values = { 0, 2, 0, 2, 0, 2 };
    const std::vector<QPoint> small = zigzag.vertices(false);
    ASSERT_EQ(small.size(), 2u);
    EXPECT_EQ(small[1], QPoint(103, 498));
}

TEST(CurveVertices, SmoothedFlatTraceHasOnlyItsEnds)
{
    Curve flat(500);
    for (double& v : flat.values)
        v = 123.25;
    const std::vector<QPoint> v = flat.vertices(true);
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[0], QPoint(100, 500 - 123));
    EXPECT_EQ(v[1], QPoint(599, 500 - 123));
}

TEST(CurveVertices, SmoothingKeepsBendsAndJumps)
{
    // A ramp up to the middle and down again: one vertex at the peak.
    Curve tent(201);
    for (int32_t i = 0; i <= 200; ++i)
        tent.values[static_cast<size_t>(i)] = i <= 100 ? i : 200 - i;
    const std::vector<QPoint> peak = tent.vertices(true);
    ASSERT_EQ(peak.size(), 3u);
    EXPECT_EQ(peak.front(), QPoint(100, 500));
    EXPECT_NEAR(peak[1].x(), 200, 2);
    EXPECT_NEAR(peak[1].y(), 400, 2);
    EXPECT_EQ(peak.back(), QPoint(300, 500));

    // A phase wrap: a saw tooth whose drop is kept as a vertical step.
    Curve saw(200);
    for (int32_t i = 0; i < 200; ++i)
        saw.values[static_cast<size_t>(i)] = (i % 100) * 3.0;
    const std::vector<QPoint> teeth = saw.vertices(true);
    bool drop = false;
    for (size_t k = 1; k < teeth.size(); ++k)
        drop = drop || (teeth[k - 1].y() < 250 && teeth[k].y() > 450 && teeth[k].x() - teeth[k - 1].x() <= 1);
    EXPECT_TRUE(drop);
    EXPECT_LE(teeth.size(), 6u);
}

TEST(CurveVertices, ValuesThatAreNotFiniteAreLeftOut)
{
    Curve curve(10);
    for (int32_t i = 0; i < 10; ++i)
        curve.values[static_cast<size_t>(i)] = 10.0 * i;
    curve.values[4] = std::numeric_limits<double>::quiet_NaN();
    curve.values[6] = std::numeric_limits<double>::infinity();
    for (const bool smoothing : { false, true }) {
        for (const QPoint& p : curve.vertices(smoothing)) {
            EXPECT_NE(p.x(), 104);
            EXPECT_NE(p.x(), 106);
            EXPECT_GE(p.y(), 500 - 90);
            EXPECT_LE(p.y(), 500);
        }
    }
    std::fill(curve.values.begin(), curve.values.end(), std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(curve.vertices(true).empty());
    EXPECT_TRUE(curve.vertices(false).empty());
}

} // namespace
