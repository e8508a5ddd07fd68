#include "labelplacer.h"

#include <algorithm>
#include <cmath>

namespace {

// Room between a label and its point, and kept free around every label.
constexpr double labelGap = 2;

} // namespace

LabelPlacer::LabelPlacer(const QRectF& plotArea)
    : plot(plotArea)
{
}

std::optional<QRectF> LabelPlacer::place(const QPointF& anchor, const QSizeF& size, const QPointF& direction)
{
    if (!std::isfinite(anchor.x()) || !std::isfinite(anchor.y()) || size.width() > plot.width()
        || size.height() > plot.height())
        return std::nullopt;
    const double length = std::hypot(direction.x(), direction.y());
    QPointF centre = anchor;
    if (length > 0) {
        const double dx = direction.x() / length;
        const double dy = direction.y() / length;
        // Far enough along the direction that the rectangle's nearest corner clears the point.
        const double reach = labelGap + std::abs(dx) * size.width() / 2 + std::abs(dy) * size.height() / 2;
        centre += QPointF(dx * reach, dy * reach);
    }
    QRectF rect(centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(), size.height());
    rect.moveLeft(std::clamp(rect.left(), plot.left(), plot.right() - rect.width()));
    rect.moveTop(std::clamp(rect.top(), plot.top(), plot.bottom() - rect.height()));
    const QRectF kept = rect.adjusted(-labelGap, -labelGap, labelGap, labelGap);
    for (const QRectF& other : placed) {
        if (kept.intersects(other))
            return std::nullopt;
    }
    placed.push_back(rect);
    return rect;
}
