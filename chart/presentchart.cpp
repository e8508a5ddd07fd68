#include "presentchart.h"

#include <QPen>
#include <QPoint>

#include "busyscope.h"

namespace {

// The readout marker's ring around the point, in pixels.
constexpr int32_t markerRadius = 5;

} // namespace

void paintPresentation(QPainter& painter, const ChartView& chart, const ChartOverlay& overlay)
{
    painter.drawImage(0, 0, chart.chartBitmap);
    painter.setPen(QPen(QBrush(Qt::black), 1));
    if (overlay.hasRectangle) {
        const PixelRect& r = overlay.rectangle;
        const QPoint outline[] = { QPoint(r.left, r.top), QPoint(r.right, r.top), QPoint(r.right, r.bottom),
            QPoint(r.left, r.bottom), QPoint(r.left, r.top) };
        painter.drawPolyline(outline, 5);
    } else if (overlay.hasMarker) {
        painter.drawEllipse(QPoint(overlay.markerX, overlay.markerY), markerRadius, markerRadius);
    } else if (overlay.column > 0) {
        painter.drawLine(overlay.column, chart.frameRect.top, overlay.column, chart.frameRect.bottom - 1);
    }
}

QImage presentChart(ChartView& chart, const ChartOverlay& overlay)
{
    if (!chart.isAttached() || chart.chartBitmap.isNull())
        return QImage();
    const BusyScope busy(chart.busy);
    QImage shown(chart.frameRect.width(), chart.frameRect.height(), chart.chartBitmap.format());
    {
        QPainter painter(&shown);
        paintPresentation(painter, chart, overlay);
    }
    return shown;
}
