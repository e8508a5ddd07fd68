#pragma once

#include <cstdint>
#include <optional>

#include "pixelrect.h"

class ChartHost;
struct ChartState;

// Zooming and panning the chart with the mouse. The views form a history: zooming pushes a
// view, stepping back pops one, panning moves the view in force. Every zoomed or panned view
// has both axes manual. Points are pixels of the chart frame. On a Smith or polar chart the
// zoom, the pan and stepping back work on its plane views instead (see planezoom.h).

// What the mouse's zoom and pan keep between events.
struct ZoomDrag {
    int32_t zoomMode = 0; // 1 while a rubber band is open
    // The band: left/top from the first click, right/bottom from the latest move.
    PixelRect rubberRect;
    int32_t panStartX = 0; // where the pan step under way started
    int32_t panStartY = 0;
};

// The view under the rectangle with corners (x1, y1) and (x2, y2), in any order: pushed as a
// new view when push is set, else replacing the view in force. Its frequency ends snap to the
// grid step, its value ends to a tenth of the value step. The zoom is refused (nothing changes,
// false) when no measurement would keep more than 16 mean steps in the new width, when the
// plot area has no size, when the rectangle gives no drawable view, or when the recomputation
// of the new view runs out of memory (the view before it is back in the controls). An accepted
// zoom writes the controls and the axis edit boxes and recomputes the chart.
bool zoomToRect(
    ChartState& state, ChartHost& host, bool push, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// Pops the view in force and recomputes the chart with the one before it (an automatic view
// once the history is empty). False, with nothing done, when the history is empty.
bool stepBack(ChartState& state, ChartHost& host);

// The rectangle of a wheel zoom at (x, y): the plot area shrunk to 0.8 with the pointer kept
// in place. None when (x, y) lies outside the plot area.
std::optional<PixelRect> wheelZoomRect(const PixelRect& plot, int32_t x, int32_t y);

// A move to (x, y) with the middle button held: once the pointer has gone a tenth of a grid
// step from where the step started (in frequency at least one step of the frequency grid and
// of the reference measurement when there is one; or in value), the view moves by the whole
// distance, so the curves follow the pointer, and the step starts anew at (x, y). Smaller
// moves accumulate. The view keeps its width: it moves in frequency by whole grid steps. True
// when the view moved.
bool panStep(ChartState& state, ChartHost& host, ZoomDrag& drag, int32_t x, int32_t y);

// Starts a rubber band at (x, y) when none is open; finishes an open one there when it has
// both width and height, zooming into it. A band without width or height stays open. True
// when a view was pushed.
bool rubberBandClick(ChartState& state, ChartHost& host, ZoomDrag& drag, int32_t x, int32_t y);
