#pragma once

#include <QPoint>

#include <cstdint>
#include <cstdlib>
#include <vector>

// The rules by which a curve's points become vertices, shared by the one-curve walk and the
// walk that smooths several curves at once.

// Vertices closer than this many pixels to the last one are dropped.
constexpr int32_t vertexSpacing = 3;
// Ring of the running line: at least enough points to tell a bend, at most this many.
constexpr int32_t minFitSamples = 4;
constexpr int32_t maxFitSamples = 32;
// A point this many value units (or this many pixels per pixel of width) off the line is a
// step of the data, not noise.
constexpr double jumpValueUnits = 60;
constexpr double jumpSlope = 10;
// Distances of at most this many pixels never count as a jump.
constexpr double jumpMinimumPixels = 2;
// The tolerance of the line never drops below this many pixels.
constexpr double minimumTolerance = 0.001;

inline void appendSpaced(std::vector<QPoint>& vertices, int32_t x, int32_t y)
{
    const QPoint& last = vertices.back();
    if (x - last.x() >= vertexSpacing || std::abs(y - last.y()) >= vertexSpacing)
        vertices.emplace_back(x, y);
}
