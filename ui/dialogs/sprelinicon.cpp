#include "sprelinicon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace {

// Sizes drawn into the icon; the platform scales between them.
constexpr int iconSizes[] = { 16, 24, 32, 48, 64, 128, 256 };

// A band-pass magnitude of resonance frequency 0.5 and quality q, on 0..1 both ways.
double passBand(double x, double q)
{
    const double detune = q * (x / 0.5 - 0.5 / x);
    return 1.0 / std::sqrt(1.0 + detune * detune);
}

QPainterPath tracePath(const QRectF& plot, double (*shape)(double))
{
    QPainterPath path;
    constexpr int steps = 64;
    for (int i = 0; i <= steps; ++i) {
        const double x = 0.04 + 0.92 * i / steps;
        const QPointF point(plot.left() + x * plot.width(), plot.bottom() - shape(x) * plot.height());
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    return path;
}

double transmission(double x)
{
    return 0.08 + 0.82 * passBand(x, 2.2);
}

double reflection(double x)
{
    return 0.78 - 0.62 * passBand(x, 3.5);
}

} // namespace

QImage sprelinIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const double s = size;
    const QRectF tile(0.5, 0.5, s - 1.0, s - 1.0);
    painter.setPen(QPen(QColor(0x0d, 0x2b, 0x52), std::max(1.0, s / 32.0)));
    painter.setBrush(QColor(0x1d, 0x4e, 0x89));
    painter.drawRoundedRect(tile, s * 0.18, s * 0.18);

    const QRectF plot(s * 0.14, s * 0.14, s * 0.72, s * 0.72);
    if (size >= 24) {
        QPen grid(QColor(255, 255, 255, 90), 1.0, Qt::DotLine);
        painter.setPen(grid);
        for (int i = 1; i < 4; ++i) {
            const double x = plot.left() + plot.width() * i / 4.0;
            const double y = plot.top() + plot.height() * i / 4.0;
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        }
    }

    painter.setBrush(Qt::NoBrush);
    const double width = std::max(1.2, s / 14.0);
    painter.setPen(QPen(QColor(0x5f, 0xd3, 0xf3), width * 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tracePath(plot, reflection));
    painter.setPen(QPen(QColor(0xff, 0xc1, 0x3b), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tracePath(plot, transmission));
    return image;
}

QIcon sprelinIcon()
{
    QIcon icon;
    for (int size : iconSizes)
        icon.addPixmap(QPixmap::fromImage(sprelinIconImage(size)));
    return icon;
}
