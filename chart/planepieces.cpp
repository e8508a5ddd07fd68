#include "planepieces.h"

#include <cmath>

namespace {

bool finitePoint(const QPointF& p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// Liang-Barsky: narrows [t0, t1] to where p + t d lies on the inner side of one edge.
bool clipEdge(double denominator, double numerator, double& t0, double& t1)
{
    if (denominator == 0)
        return numerator >= 0;
    const double t = numerator / denominator;
    if (denominator > 0) {
        if (t < t0)
            return false;
        if (t < t1)
            t1 = t;
    } else {
        if (t > t1)
            return false;
        if (t > t0)
            t0 = t;
    }
    return true;
}

} // namespace

PlanePieces::PlanePieces(const QRectF& clipBox)
    : box(clipBox)
{
}

void PlanePieces::breakLine()
{
    hasLast = false;
    open = false;
}

void PlanePieces::clear()
{
    points.clear();
    ends.clear();
    breakLine();
}

void PlanePieces::startPiece(const QPointF& p)
{
    points.push_back(p);
    ends.push_back(points.size());
}

void PlanePieces::lineToEdge(const QPointF& p)
{
    if (!finitePoint(p)) {
        breakLine();
        return;
    }
    if (hasLast)
        addSegment(last, p);
    else if (inside(p)) {
        startPiece(p);
        open = true;
    }
    last = p;
    hasLast = true;
}

// A segment with an end outside the box (lineTo takes those wholly inside).
void PlanePieces::addSegment(QPointF a, QPointF b)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    double t0 = 0;
    double t1 = 1;
    if (!clipEdge(-dx, a.x() - box.left(), t0, t1) || !clipEdge(dx, box.right() - a.x(), t0, t1)
        || !clipEdge(-dy, a.y() - box.top(), t0, t1) || !clipEdge(dy, box.bottom() - a.y(), t0, t1)) {
        open = false;
        return;
    }
    const QPointF from(a.x() + t0 * dx, a.y() + t0 * dy);
    const QPointF to(a.x() + t1 * dx, a.y() + t1 * dy);
    if (!open || t0 > 0)
        startPiece(from);
    points.push_back(to);
    ends.back() = points.size();
    open = t1 >= 1;
}
