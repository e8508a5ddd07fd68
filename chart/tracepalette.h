#pragma once

#include <QColor>

#include <array>
#include <cstdint>

// Number of trace colours; trace t is drawn in slot t mod paletteSize.
constexpr int32_t paletteSize = 26;

using TracePalette = std::array<QColor, paletteSize>;

// The trace colours: every mix of red, green and blue in steps of 0, 127 and 254 (red
// varying fastest) that is dark enough to read on white, repeated until all slots are full.
TracePalette buildTracePalette();

// Palette slot of trace t.
int32_t paletteSlot(int32_t trace);
