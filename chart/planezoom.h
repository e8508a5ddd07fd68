#pragma once

#include <cstdint>

class ChartHost;
struct ChartState;
struct ZoomDrag;

// Zooming and panning a Smith or polar chart with the mouse, as the frequency chart's zoom does
// for its axes: zooming pushes a plane view, stepping back pops one, panning moves the view in
// force. The frequency view stays as it is. Points are pixels of the chart frame.

// Whether the state's chart is a Smith or polar chart.
bool planeChart(const ChartState& state);

// The plane under the rectangle with corners (x1, y1) and (x2, y2) fitted into the plot with
// one scale on both axes, the rectangle's centre at the plot's centre: pushed when push is set,
// else replacing the view in force. Refused (false, nothing changes) for a rectangle without
// width or height, or a zoom beyond the deepest. Redraws the chart.
bool zoomPlaneToRect(
    ChartState& state, ChartHost& host, bool push, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// Pops the view in force and redraws (the whole chart once the history is empty). False, with
// nothing done, when the history is empty.
bool stepPlaneBack(ChartState& state, ChartHost& host);

// A move to (x, y) with the middle button held: the plane follows the pointer and the step
// starts anew there. True when the view moved.
bool panPlane(ChartState& state, ChartHost& host, ZoomDrag& drag, int32_t x, int32_t y);
