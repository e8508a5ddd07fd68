#include "screenarea.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

constexpr double pointsPerInch = 72;

} // namespace

QSizeF primaryScreenUsableArea()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || screen->logicalDotsPerInch() <= 0)
        return QSizeF();
    const double pointsPerPixel = pointsPerInch / screen->logicalDotsPerInch();
    const QSize pixels = screen->availableSize();
    return QSizeF(pixels.width() * pointsPerPixel, pixels.height() * pointsPerPixel);
}
