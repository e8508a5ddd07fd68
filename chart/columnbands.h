#pragma once

#include <QRect>

#include <omp.h>

#include <cstdint>

// Paints many lines into one image on all threads without locks: the clip is cut into one
// band of columns per thread, and paint(band) draws every line, in order, clipped to its band.
// A line's pixels do not depend on the clip, so the image is the one a single pass over the
// whole clip paints, later lines on top. With parallel unset the whole clip is one band.
template <typename Paint> void paintInColumnBands(const QRect& clip, bool parallel, Paint paint)
{
#pragma omp parallel if (parallel)
    {
        const int64_t bands = omp_get_num_threads();
        const int64_t band = omp_get_thread_num();
        const int32_t left = clip.left() + static_cast<int32_t>(clip.width() * band / bands);
        const int32_t right = clip.left() + static_cast<int32_t>(clip.width() * (band + 1) / bands);
        paint(QRect(left, clip.top(), right - left, clip.height()));
    }
}
