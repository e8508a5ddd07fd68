#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <cstdint>
#include <vector>

#include "columnbands.h"
#include "pixelpath.h"
#include "thickline.h"

namespace {

const QRgb ink = qRgb(0, 0, 254);
const QRect clip(5, 4, 190, 150);

QImage blank()
{
    QImage image(200, 160, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Pieces of points as a locus gives them: a dense spiral in and out of the clip, a long
// straight run, a piece of one point repeated (a dot) and one wholly outside.
std::vector<std::vector<QPoint>> pieces()
{
    std::vector<QPoint> spiral;
    for (int k = 0; k < 1500; ++k) {
        const double angle = k * 0.01;
        const double radius = 20 + k * 0.06;
        spiral.emplace_back(static_cast<int>(std::lround(100 + radius * std::cos(angle))),
            static_cast<int>(std::lround(80 + radius * std::sin(angle))));
    }
    return { spiral, { QPoint(-40, 30), QPoint(240, 120), QPoint(60, 10) }, { QPoint(50, 50), QPoint(50, 50) },
        { QPoint(300, 300), QPoint(320, 310) } };
}

// The picture of the pieces drawn in one pass over the whole clip.
QImage onePass()
{
    QImage image = blank();
    ThickLinePainter painter(image.bits(), image.bytesPerLine(), clip, ink);
    for (const std::vector<QPoint>& piece : pieces())
        painter.drawPolyline(piece.data(), static_cast<int32_t>(piece.size()));
    return image;
}

TEST(PixelPath, DrawsInAnyBandsOfColumnsTheImageOfOnePass)
{
    PixelPath path;
    for (const std::vector<QPoint>& piece : pieces()) {
        path.startPiece();
        for (const QPoint& p : piece)
            path.lineTo(p);
    }
    path.finish();
    const QImage expected = onePass();
    for (const int32_t bands : { 1, 2, 3, 7 }) {
        QImage image = blank();
        for (int32_t b = 0; b < bands; ++b) {
            const int32_t left = clip.left() + clip.width() * b / bands;
            const QRect band(left, clip.top(), clip.left() + clip.width() * (b + 1) / bands - left, clip.height());
            ThickLinePainter painter(image.bits(), image.bytesPerLine(), band, ink);
            path.draw(painter, band);
        }
        EXPECT_EQ(image, expected) << bands << " bands";
    }
    QImage threaded = blank();
    paintInColumnBands(clip, true, [&](const QRect& band) {
        ThickLinePainter painter(threaded.bits(), threaded.bytesPerLine(), band, ink);
        path.draw(painter, band);
    });
    EXPECT_EQ(threaded, expected);
}

} // namespace
