#include "templategeometry.h"

TemplateGeometry::TemplateGeometry(const QFontMetrics& metrics)
    : charWidth(metrics.averageCharWidth())
    , charHeight(metrics.height())
{
}

int TemplateGeometry::x(int units) const
{
    return units * charWidth / 4;
}

int TemplateGeometry::y(int units) const
{
    return units * charHeight / 8;
}

QRect TemplateGeometry::rect(int left, int top, int width, int height) const
{
    return QRect(QPoint(x(left), y(top)), QPoint(x(left + width) - 1, y(top + height) - 1));
}

QSize TemplateGeometry::size(int width, int height) const
{
    return QSize(x(width), y(height));
}
