#pragma once

#include <QPoint>

#include <cstdint>
#include <vector>

#include "curvevertices.h"

// Most curves that smoothedVertices takes at once.
constexpr int32_t smoothingBatchLanes = 8;

// The smoothed vertices that curveVertices makes, for up to smoothingBatchLanes curves over the
// same grid points start..end at once: curve k has the values values[k] and gets the vertices
// *vertices[k], vertex for vertex those of curveVertices. The curves share the grid and the
// scale, so every step of the running line works on all of them together in vector registers,
// with the very arithmetic of the one-curve walk; where a curve bends, it is served alone.
//
// Every value in start..end must be finite, as within a run of a trace's values. Ranges of
// fewer than three points give no vertices; each vertex list is cleared first.
//
// units chooses the vector registers: the widest the processor has (eight curves at a time in
// AVX-512 registers), AVX2 registers at most (four at a time), or none (one curve at a time).
// Every choice gives the same vertices; the narrower ones let each way be checked anywhere.
enum class SmoothingUnits { Widest, AtMostAvx2, None };
void smoothedVertices(const double* freqGrid, const double* const* values, int32_t curveCount, int32_t start,
    int32_t end, const CurveScale& scale, std::vector<QPoint>* const* vertices,
    SmoothingUnits units = SmoothingUnits::Widest);
