#include "clippedpolyline.h"

#include <algorithm>

namespace {

// Narrows the parameter range [low, high] of a + t (b - a) to where p t <= q holds.
bool narrow(double p, double q, double& low, double& high)
{
    if (p == 0)
        return q >= 0;
    const double t = q / p;
    if (p < 0)
        low = std::max(low, t);
    else
        high = std::min(high, t);
    return low <= high;
}

// The segment a..b cut to the box (Liang-Barsky); false when none of it is inside.
bool clipSegment(QPointF& a, QPointF& b, const QRectF& box)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    double low = 0;
    double high = 1;
    if (!narrow(-dx, a.x() - box.left(), low, high) || !narrow(dx, box.right() - a.x(), low, high)
        || !narrow(-dy, a.y() - box.top(), low, high) || !narrow(dy, box.bottom() - a.y(), low, high))
        return false;
    const QPointF start = a;
    a = start + QPointF(dx, dy) * low;
    b = start + QPointF(dx, dy) * high;
    return true;
}

} // namespace

QPainterPath clippedPolyline(const QPoint* vertices, int32_t count, const QRectF& box)
{
    QPainterPath path;
    for (int32_t k = 0; k + 1 < count; ++k) {
        QPointF a = vertices[k];
        QPointF b = vertices[k + 1];
        if (!clipSegment(a, b, box))
            continue;
        // A segment that does not start where the last one ended came back into the box.
        if (path.elementCount() == 0 || path.currentPosition() != a)
            path.moveTo(a);
        path.lineTo(b);
    }
    return path;
}
