#pragma once

#include <QPointF>
#include <QRectF>

#include <cstddef>
#include <vector>

// A line through successive pixel points cut to a box: the parts inside it, a piece each,
// a new piece wherever the line comes back into the box or a point is not finite (the line
// breaks there instead of bridging the gap). Points far outside the box are cut exactly, so
// that a value with a huge magnitude still draws the right direction towards it. The pieces
// lie one after another in one buffer, so that a dense line costs no allocation per piece and
// the buffer serves line after line.
class PlanePieces {
public:
    explicit PlanePieces(const QRectF& box);

    // The line goes on to p; a point that is not finite breaks it. The step between two
    // points inside the box, the common one, is inline: a dense locus takes it a million
    // times a drawing.
    void lineTo(const QPointF& p)
    {
        if (hasLast && inside(last) && inside(p)) {
            if (!open)
                startPiece(last);
            points.push_back(p);
            ends.back() = points.size();
            open = true;
            last = p;
            return;
        }
        lineToEdge(p);
    }
    // The next point starts a new line.
    void breakLine();
    // Forgets every piece and the line, keeping the memory for the next line.
    void clear();

    size_t pieceCount() const { return ends.size(); }
    const QPointF* pieceData(size_t k) const { return points.data() + pieceBegin(k); }
    size_t pieceSize(size_t k) const { return ends[k] - pieceBegin(k); }

private:
    bool inside(const QPointF& p) const
    {
        return p.x() >= box.left() && p.x() <= box.right() && p.y() >= box.top() && p.y() <= box.bottom();
    }
    void lineToEdge(const QPointF& p);
    void addSegment(QPointF a, QPointF b);
    void startPiece(const QPointF& p);
    size_t pieceBegin(size_t k) const { return k == 0 ? 0 : ends[k - 1]; }

    std::vector<QPointF> points; // the pieces one after another
    std::vector<size_t> ends; // where each piece ends in points
    QRectF box;
    QPointF last;
    bool hasLast = false;
    bool open = false; // the last piece ends where the line stands
};
