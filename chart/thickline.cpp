#include "thickline.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

ThickLinePainter::ThickLinePainter(uchar* imageBits, int64_t rowBytes, const QRect& clip, QRgb lineColour)
    : bits(imageBits)
    , bytesPerLine(rowBytes)
    , left(clip.left())
    , top(clip.top())
    , right(clip.left() + clip.width())
    , bottom(clip.top() + clip.height())
    , colour(lineColour)
{
}

void ThickLinePainter::plot(int32_t x, int32_t y)
{
    // Most pixels of a line lie inside the clip with their whole block.
    if (x > left && x < right && y > top && y < bottom) {
        QRgb* row = reinterpret_cast<QRgb*>(bits + (y - 1) * bytesPerLine);
        row[x - 1] = colour;
        row[x] = colour;
        row = reinterpret_cast<QRgb*>(bits + y * bytesPerLine);
        row[x - 1] = colour;
        row[x] = colour;
        return;
    }
    for (int32_t yy = y - 1; yy <= y; ++yy) {
        if (yy < top || yy >= bottom)
            continue;
        QRgb* row = reinterpret_cast<QRgb*>(bits + yy * bytesPerLine);
        if (x - 1 >= left && x - 1 < right)
            row[x - 1] = colour;
        if (x >= left && x < right)
            row[x] = colour;
    }
}

void ThickLinePainter::drawPolyline(const QPoint* vertices, int32_t count)
{
    for (int32_t k = 0; k + 1 < count; ++k) {
        // A step to a neighbouring pixel paints only its end after the first step: its start
        // is the end of the step before, already painted (a line's pixels do not depend on the
        // clip, so this holds outside it too).
        if (k > 0 && neighbours(vertices[k], vertices[k + 1]))
            plot(vertices[k + 1].x(), vertices[k + 1].y());
        else
            drawLine(vertices[k], vertices[k + 1]);
    }
}

bool ThickLinePainter::neighbours(QPoint a, QPoint b)
{
    return std::abs(static_cast<int64_t>(b.x()) - a.x()) <= 1 && std::abs(static_cast<int64_t>(b.y()) - a.y()) <= 1;
}

void ThickLinePainter::drawLine(QPoint a, QPoint b)
{
    // The line between neighbouring pixels is its two ends, the common step of a dense curve.
    if (neighbours(a, b)) {
        plot(a.x(), a.y());
        plot(b.x(), b.y());
        return;
    }
    // A pixel at x paints columns x - 1 and x, so pixels up to one past the clip still reach it.
    if (std::max(a.x(), b.x()) < left || std::min(a.x(), b.x()) > right || std::max(a.y(), b.y()) < top
        || std::min(a.y(), b.y()) > bottom)
        return;
    const int64_t dx = std::abs(static_cast<int64_t>(b.x()) - a.x());
    const int64_t dy = std::abs(static_cast<int64_t>(b.y()) - a.y());
    if (dx >= dy) {
        if (a.x() > b.x())
            std::swap(a, b);
        drawMajor(a.x(), b.x(), a.y(), b.y(), left, right, false);
    } else {
        if (a.y() > b.y())
            std::swap(a, b);
        drawMajor(a.y(), b.y(), a.x(), b.x(), top, bottom, true);
    }
}

// Walks the major coordinate from a0 to a1 (a0 <= a1, extent at least the minor one) and sets
// the minor coordinate b0 + (step share of b1 - b0), rounded half away from zero, kept
// exactly by an error term started with one division at the first position inside from..to.
void ThickLinePainter::drawMajor(
    int64_t a0, int64_t a1, int64_t b0, int64_t b1, int64_t from, int64_t to, bool transposed)
{
    const int64_t da = a1 - a0;
    const int64_t db = std::abs(b1 - b0);
    const int64_t sign = b1 >= b0 ? 1 : -1;
    const int64_t first = std::max(a0, from);
    const int64_t last = std::min(a1, to);
    if (first > last)
        return;
    if (da == 0) {
        transposed ? plot(static_cast<int32_t>(b0), static_cast<int32_t>(a0))
                   : plot(static_cast<int32_t>(a0), static_cast<int32_t>(b0));
        return;
    }
    // offset = floor((2 k db + da) / (2 da)) for k = a - a0; remainder carried along.
    const int64_t denominator = 2 * da;
    const int64_t numerator = 2 * (first - a0) * db + da;
    int64_t offset = numerator / denominator;
    int64_t remainder = numerator % denominator;
    for (int64_t a = first; a <= last; ++a) {
        const int64_t b = b0 + sign * offset;
        if (transposed)
            plot(static_cast<int32_t>(b), static_cast<int32_t>(a));
        else
            plot(static_cast<int32_t>(a), static_cast<int32_t>(b));
        remainder += 2 * db;
        if (remainder >= denominator) {
            remainder -= denominator;
            ++offset;
        }
    }
}
