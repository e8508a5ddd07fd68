#include <gtest/gtest.h>

#include <QImage>

#include <cstdint>
#include <set>
#include <utility>

#include "roundhalfaway.h"
#include "thickline.h"

namespace {

const QRgb ink = qRgb(254, 0, 0);

class ThickLine : public testing::Test {
protected:
    ThickLine()
        : image(40, 30, QImage::Format_RGB32)
    {
        image.fill(Qt::white);
    }

    void draw(const QRect& clip, std::initializer_list<QPoint> vertices)
    {
        ThickLinePainter painter(image.bits(), image.bytesPerLine(), clip, ink);
        const std::vector<QPoint> v(vertices);
        painter.drawPolyline(v.data(), static_cast<int32_t>(v.size()));
    }

    std::set<std::pair<int, int>> inked() const
    {
        std::set<std::pair<int, int>> pixels;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) == ink)
                    pixels.insert({ x, y });
            }
        }
        return pixels;
    }

    QImage image;
    const QRect whole { 0, 0, 40, 30 };
};

TEST_F(ThickLine, HorizontalAndVerticalLinesAreTwoPixelsWide)
{
    draw(whole, { QPoint(5, 10), QPoint(9, 10), QPoint(9, 14) });
    std::set<std::pair<int, int>> expected;
    for (int x = 4; x <= 9; ++x) {
        expected.insert({ x, 9 });
        expected.insert({ x, 10 });
    }
    for (int y = 9; y <= 14; ++y) {
        expected.insert({ 8, y });
        expected.insert({ 9, y });
    }
    EXPECT_EQ(inked(), expected);
}

TEST_F(ThickLine, DiagonalLinesAreTwoPixelsAcross)
{
    draw(whole, { QPoint(10, 10), QPoint(14, 14) });
    for (int k = 0; k <= 4; ++k) {
        const int x = 10 + k;
        const int y = 10 + k;
        EXPECT_EQ(image.pixel(x, y), ink) << k;
        EXPECT_EQ(image.pixel(x - 1, y), ink) << k;
        EXPECT_EQ(image.pixel(x, y - 1), ink) << k;
        EXPECT_NE(image.pixel(x + 2, y), ink) << k;
        EXPECT_NE(image.pixel(x - 2, y), ink) << k;
    }
    // Rows 9 and 14 hold two pixels, the rows between three.
    EXPECT_EQ(inked().size(), 2u + 4 * 3 + 2);
}

TEST_F(ThickLine, ShallowLinesRoundToTheNearestRow)
{
    // From (0, 20) to (20, 25): row 20 + k/4 rounded half away from zero at column k.
    draw(whole, { QPoint(0, 20), QPoint(20, 25) });
    for (int x = 0; x <= 20; ++x) {
        const int y = 20 + static_cast<int>(roundHalfAway(x * 5 / 20.0));
        EXPECT_EQ(image.pixel(x, y), ink) << x;
        EXPECT_EQ(image.pixel(x, y - 1), ink) << x;
        EXPECT_NE(image.pixel(x, y + 2), ink) << x;
        EXPECT_NE(image.pixel(x, y - 2), ink) << x;
    }
}

TEST_F(ThickLine, NothingLeavesTheClip)
{
    const QRect clip(10, 5, 20, 15);
    draw(clip,
        { QPoint(-1000000, 12), QPoint(1000000, 12), QPoint(20, -pixelLimit), QPoint(20, pixelLimit),
            QPoint(-pixelLimit, -pixelLimit), QPoint(pixelLimit, pixelLimit) });
    const std::set<std::pair<int, int>> pixels = inked();
    ASSERT_FALSE(pixels.empty());
    for (const auto& [x, y] : pixels) {
        EXPECT_TRUE(clip.contains(x, y)) << x << "," << y;
    }
    // The clipped lines keep their pixels inside: the whole width of row 12 and column 20.
    for (int x = 10; x < 30; ++x)
        EXPECT_EQ(image.pixel(x, 12), ink) << x;
    for (int y = 5; y < 20; ++y)
        EXPECT_EQ(image.pixel(20, y), ink) << y;
}

TEST_F(ThickLine, LinesOutsideTheClipAndLoneVerticesDrawNothing)
{
    draw(QRect(10, 10, 10, 10), { QPoint(0, 0), QPoint(8, 0), QPoint(8, 8) });
    draw(whole, { QPoint(20, 20) });
    EXPECT_TRUE(inked().empty());
}

TEST_F(ThickLine, StepsBetweenNeighbouringPixelsPaintTheBlocksOfTheirVertices)
{
    // A dense curve: a walk of single steps, part of it beyond the clip's edges.
    const QRect clip(3, 2, 30, 25);
    std::vector<QPoint> walk { QPoint(1, 1) };
    const int steps[][2] = { { 1, 1 }, { 1, 0 }, { 0, 1 }, { 1, -1 }, { 0, 0 }, { -1, 1 }, { 1, 1 }, { 0, -1 } };
    for (int k = 0; k < 200; ++k)
        walk.push_back(walk.back() + QPoint(steps[k % 8][0] * (k < 100 ? 1 : -1), steps[(k * 3) % 8][1]));
    ThickLinePainter painter(image.bits(), image.bytesPerLine(), clip, ink);
    painter.drawPolyline(walk.data(), static_cast<int32_t>(walk.size()));
    std::set<std::pair<int, int>> expected;
    for (const QPoint& v : walk) {
        for (int x = v.x() - 1; x <= v.x(); ++x) {
            for (int y = v.y() - 1; y <= v.y(); ++y) {
                if (clip.contains(x, y))
                    expected.insert({ x, y });
            }
        }
    }
    EXPECT_EQ(inked(), expected);
}

} // namespace
