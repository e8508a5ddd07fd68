#include "chartframe.h"

#include <QPainter>
#include <QResizeEvent>

ChartFrame::ChartFrame(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartFrame::present(const QImage& newImage)
{
    image = newImage;
    update();
}

void ChartFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!image.isNull())
        painter.drawImage(0, 0, image);
}

void ChartFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit resized(event->size());
}
