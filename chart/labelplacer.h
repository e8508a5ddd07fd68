#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <optional>
#include <vector>

// Places the labels of a grid so that none covers another: each label is put beside its point
// on the side a direction points to, moved inside the plot where it would stick out, and left
// out when it would still overlap a label placed before it. Earlier labels win.
class LabelPlacer {
public:
    explicit LabelPlacer(const QRectF& plot);

    // The rectangle of a label of the given size beside anchor (direction in pixels, x right
    // and y down; a zero direction centres it), or none when it cannot be placed.
    std::optional<QRectF> place(const QPointF& anchor, const QSizeF& size, const QPointF& direction);

private:
    QRectF plot;
    std::vector<QRectF> placed;
};
