#include "chartframe.h"

#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

#include "chartview.h"

ChartFrame::ChartFrame(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartFrame::present(ChartView& shownChart, const ChartOverlay& newOverlay)
{
    chart = &shownChart;
    overlay = newOverlay;
    update();
}

void ChartFrame::moveOverlay(const ChartOverlay& newOverlay)
{
    if (chart == nullptr)
        return;
    const QRegion dirty = overlayRegion(overlay) + overlayRegion(newOverlay);
    overlay = newOverlay;
    update(dirty);
}

QImage ChartFrame::shownImage() const
{
    if (chart == nullptr)
        return QImage();
    return presentChart(*chart, overlay);
}

QRegion ChartFrame::overlayRegion(const ChartOverlay& shown) const
{
    if (shown.hasRectangle) {
        const PixelRect& r = shown.rectangle;
        const int left = std::min(r.left, r.right);
        const int right = std::max(r.left, r.right);
        const int top = std::min(r.top, r.bottom);
        const int bottom = std::max(r.top, r.bottom);
        QRegion outline(left, r.top, right - left + 1, 1);
        outline += QRect(left, r.bottom, right - left + 1, 1);
        outline += QRect(r.left, top, 1, bottom - top + 1);
        outline += QRect(r.right, top, 1, bottom - top + 1);
        return outline;
    }
    if (shown.column > 0)
        return QRegion(shown.column, 0, 1, height());
    return QRegion();
}

void ChartFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (chart == nullptr || chart->chartBitmap.isNull()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    const QSize shown = chart->chartBitmap.size();
    // Around an image of another size than the frame's, as while a resize waits for its redraw.
    painter.fillRect(QRect(shown.width(), 0, std::max(0, width() - shown.width()), height()), Qt::white);
    painter.fillRect(QRect(0, shown.height(), width(), std::max(0, height() - shown.height())), Qt::white);
    paintPresentation(painter, *chart, overlay);
}

void ChartFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit resized(event->size());
}
