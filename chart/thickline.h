#pragma once

#include <QPoint>
#include <QRect>
#include <QRgb>

#include <cstdint>

// Draws lines two pixels wide straight into the pixels of a 32-bit image: every pixel (x, y)
// of the one-pixel line between two vertices (both ends included) is painted as the 2 x 2
// block x - 1..x, y - 1..y, so the line is two pixels across in every direction. Only pixels
// inside the clip rectangle change; vertices may lie anywhere within +-pixelLimit.
class ThickLinePainter {
public:
    // bits: the first pixel of row 0; bytesPerLine: the distance between rows.
    ThickLinePainter(uchar* bits, int64_t bytesPerLine, const QRect& clip, QRgb colour);

    // A connected line through count vertices; fewer than two draw nothing.
    void drawPolyline(const QPoint* vertices, int32_t count);
    void drawLine(QPoint a, QPoint b);

private:
    static bool neighbours(QPoint a, QPoint b);
    void plot(int32_t x, int32_t y);
    // The line with the larger extent along its first coordinate; transposed swaps x and y.
    void drawMajor(int64_t a0, int64_t a1, int64_t b0, int64_t b1, int64_t from, int64_t to, bool transposed);

    uchar* bits;
    int64_t bytesPerLine;
    int32_t left;
    int32_t top;
    int32_t right; // just outside the clip
    int32_t bottom; // just outside the clip
    QRgb colour;
};
