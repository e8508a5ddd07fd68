#pragma once

#include <QPainterPath>
#include <QPoint>
#include <QRectF>

#include <cstdint>

// The part of a connected line through count vertices that lies inside box, as one path: a
// new subpath wherever the line comes back into the box. Vector files do not clip what is
// drawn into them, so the curves are cut to the plot area before they are stroked.
QPainterPath clippedPolyline(const QPoint* vertices, int32_t count, const QRectF& box);
