#include "swatchimage.h"

namespace {

// Offset and side of the coloured square inside a swatch.
constexpr int squareOffset = 2;
constexpr int squareSide = 12;

} // namespace

QImage swatchImage(const QColor& colour, const QColor& background)
{
    QImage image(swatchSize, swatchSize, QImage::Format_ARGB32);
    image.fill(background);
    const QRgb square = colour.rgb();
    for (int y = squareOffset; y < squareOffset + squareSide; ++y) {
        for (int x = squareOffset; x < squareOffset + squareSide; ++x)
            image.setPixel(x, y, square);
    }
    return image;
}
