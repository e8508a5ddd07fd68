#pragma once

#include <QColor>
#include <QImage>

// Size of a colour swatch of the file list, in pixels (square).
constexpr int swatchSize = 16;

// A swatch: swatchSize pixels square in the background colour, with a 12-pixel square of the
// colour whose top-left pixel is at (2, 2).
QImage swatchImage(const QColor& colour, const QColor& background);
