#include "tracepalette.h"

namespace {

// Component levels stop short of 255.
constexpr int componentStep = 127;
// Colours at least this bright (weighted by the eye's sensitivity) vanish on white.
constexpr int luminanceLimit = 210;

} // namespace

TracePalette buildTracePalette()
{
    TracePalette palette;
    int32_t filled = 0;
    for (int k = 0; filled < paletteSize; ++k) {
        const int red = (k % 3) * componentStep;
        const int green = (k / 3 % 3) * componentStep;
        const int blue = (k / 9 % 3) * componentStep;
        const int luminance = static_cast<int>(0.59 * green + 0.3 * red + 0.11 * blue);
        if (luminance < luminanceLimit)
            palette[filled++] = QColor(red, green, blue);
    }
    return palette;
}

int32_t paletteSlot(int32_t trace)
{
    const int32_t slot = trace % paletteSize;
    return slot < 0 ? slot + paletteSize : slot;
}
