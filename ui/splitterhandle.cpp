#include "splitterhandle.h"

#include <QMouseEvent>

SplitterHandle::SplitterHandle(QWidget* parent)
    : QWidget(parent)
{
    setCursor(Qt::SizeHorCursor);
    setAttribute(Qt::WA_NoSystemBackground);
}

void SplitterHandle::mousePressEvent(QMouseEvent* event)
{
    dragging = event->button() == Qt::LeftButton;
    event->accept();
}

void SplitterHandle::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging || !(event->buttons() & Qt::LeftButton))
        return;
    emit dragged(mapToParent(event->position().toPoint()).x());
}

void SplitterHandle::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragging = false;
    event->accept();
}
