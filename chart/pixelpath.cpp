#include "pixelpath.h"

#include <algorithm>

#include "thickline.h"

namespace {

// Steps of a run: long enough that its span costs little beside its steps, short enough that
// a dense locus's run covers a few pixels of one band.
constexpr size_t runSteps = 32;

} // namespace

void PixelPath::clear()
{
    pixels.clear();
    ends.clear();
    spans.clear();
    pieceBegin = 0;
    open = false;
}

void PixelPath::startPiece()
{
    closePiece();
    pieceBegin = pixels.size();
    open = true;
}

void PixelPath::lineTo(QPoint p)
{
    if (!open)
        startPiece();
    if (pixels.size() == pieceBegin || pixels.back() != p)
        pixels.push_back(p);
}

void PixelPath::finish()
{
    closePiece();
}

void PixelPath::closePiece()
{
    if (!open)
        return;
    open = false;
    const size_t end = pixels.size();
    if (end == pieceBegin)
        return;
    if (end == pieceBegin + 1)
        pixels.push_back(pixels.back());
    ends.push_back(pixels.size());
    const size_t last = pixels.size() - 1;
    for (size_t first = pieceBegin; first < last; first += runSteps) {
        const size_t stop = std::min(first + runSteps, last);
        Span span { pixels[first].x(), pixels[first].x() };
        for (size_t i = first + 1; i <= stop; ++i) {
            span.left = std::min(span.left, pixels[i].x());
            span.right = std::max(span.right, pixels[i].x());
        }
        spans.push_back(span);
    }
}

void PixelPath::draw(ThickLinePainter& painter, const QRect& band) const
{
    // A pixel at column x paints columns x - 1 and x.
    const int32_t reachLeft = band.left();
    const int32_t reachRight = band.left() + band.width();
    size_t run = 0;
    size_t begin = 0;
    for (const size_t end : ends) {
        for (size_t first = begin; first + 1 < end; first += runSteps, ++run) {
            const Span& span = spans[run];
            if (span.right < reachLeft || span.left > reachRight)
                continue;
            const size_t stop = std::min(first + runSteps, end - 1);
            painter.drawPolyline(pixels.data() + first, static_cast<int32_t>(stop - first + 1));
        }
        begin = end;
    }
}
