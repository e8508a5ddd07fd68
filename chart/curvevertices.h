#pragma once

#include <QPoint>

#include <cstdint>
#include <vector>

// How grid frequencies and values become pixels of the plot area: column
// (f - f0) * xScale + left, row bottom - (v - yMin) * yScale.
struct CurveScale {
    double f0 = 0;
    double xScale = 1;
    double yMin = 0;
    double yScale = 1;
    int32_t left = 0;
    int32_t bottom = 0;
};

// Vertices that draw one curve, grid points start..end of freqGrid and values.
//
// Without smoothing a point becomes a vertex when it lies more than 2 pixels right of, above or
// below the last vertex, so consecutive vertices are at least 3 pixels apart. With smoothing a
// running least-squares line follows the points; a vertex is set only where the points leave
// the line (a bend) or step away from it (a jump, such as a phase wrap), and the last point
// always ends the curve, so a straight run draws as one segment.
//
// Ranges of fewer than three points give no vertices. Points whose value is not finite are
// left out. vertices is cleared first.
void curveVertices(const double* freqGrid, const double* values, int32_t start, int32_t end, bool smoothing,
    const CurveScale& scale, std::vector<QPoint>& vertices);
