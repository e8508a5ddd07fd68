#pragma once

#include <QPointF>
#include <QRectF>

#include <vector>

// A line through successive pixel points cut to a box: the parts inside it, a piece each,
// a new piece wherever the line comes back into the box or a point is not finite (the line
// breaks there instead of bridging the gap). Points far outside the box are cut exactly, so
// that a value with a huge magnitude still draws the right direction towards it.
class PlanePieces {
public:
    explicit PlanePieces(const QRectF& box);

    // The line goes on to p; a point that is not finite breaks it.
    void lineTo(const QPointF& p);
    // The next point starts a new line.
    void breakLine();

    std::vector<std::vector<QPointF>> pieces;

private:
    void addSegment(QPointF a, QPointF b);

    QRectF box;
    QPointF last;
    bool hasLast = false;
    bool open = false; // the last piece ends where the line stands
};
