#pragma once

#include <cstdint>

// A rectangle of pixels whose right and bottom edges lie just outside it, as frame and plot
// areas are measured: a frame of w x h pixels is (0, 0, w, h).
struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
};
