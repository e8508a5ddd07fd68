#pragma once

#include <QPoint>
#include <QRect>

#include <cstddef>
#include <cstdint>
#include <vector>

class ThickLinePainter;

// Polylines in whole pixels, drawn two pixels wide: the pieces one after another in one
// buffer, with the span of columns of every run of a few dozen vertices, so that a painter
// given one band of columns passes over the runs that cannot reach it instead of walking
// each of their steps.
class PixelPath {
public:
    // Forgets every piece, keeping the memory for the next path.
    void clear();
    // The next point starts a new piece.
    void startPiece();
    // The piece goes on to p; a point on the piece's last pixel adds nothing.
    void lineTo(QPoint p);
    // Closes the last piece: a piece of one pixel becomes a step that stays on it, so that it
    // still draws as a dot.
    void finish();

    // Draws every piece with painter, whose clip lies within the columns band.left() to
    // band.right(); runs wholly outside them are passed over.
    void draw(ThickLinePainter& painter, const QRect& band) const;

    // Calls draw(vertices, count) for each piece in order.
    template <typename Draw> void forEachPiece(Draw draw) const
    {
        size_t begin = 0;
        for (const size_t end : ends) {
            draw(pixels.data() + begin, static_cast<int32_t>(end - begin));
            begin = end;
        }
    }

private:
    struct Span {
        int32_t left;
        int32_t right;
    };

    void closePiece();

    std::vector<QPoint> pixels; // the pieces one after another
    std::vector<size_t> ends; // where each piece ends in pixels
    std::vector<Span> spans; // of each piece's runs, piece after piece
    size_t pieceBegin = 0;
    bool open = false;
};
