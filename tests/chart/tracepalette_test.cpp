#include <gtest/gtest.h>

#include "tracepalette.h"

namespace {

TEST(TracePalette, MatchesTheColourTable)
{
    const int expected[paletteSize][3] = {
        { 0, 0, 0 },
        { 127, 0, 0 },
        { 254, 0, 0 },
        { 0, 127, 0 },
        { 127, 127, 0 },
        { 254, 127, 0 },
        { 0, 254, 0 },
        { 127, 254, 0 },
        { 0, 0, 127 },
        { 127, 0, 127 },
        { 254, 0, 127 },
        { 0, 127, 127 },
        { 127, 127, 127 },
        { 254, 127, 127 },
        { 0, 254, 127 },
        { 127, 254, 127 },
        { 0, 0, 254 },
        { 127, 0, 254 },
        { 254, 0, 254 },
        { 0, 127, 254 },
        { 127, 127, 254 },
        { 254, 127, 254 },
        { 0, 254, 254 },
        { 0, 0, 0 },
        { 127, 0, 0 },
        { 254, 0, 0 },
    };
    const TracePalette palette = buildTracePalette();
    for (int32_t slot = 0; slot < paletteSize; ++slot) {
        EXPECT_EQ(palette[slot], QColor(expected[slot][0], expected[slot][1], expected[slot][2]))
            << "slot " << slot;
    }
}

TEST(TracePalette, LastSlotsRepeatTheFirstAndNoComponentIsFull)
{
    const TracePalette palette = buildTracePalette();
    for (int32_t slot = 0; slot < 3; ++slot)
        EXPECT_EQ(palette[23 + slot], palette[slot]) << "slot " << slot;
    for (const QColor& colour : palette) {
        EXPECT_LT(colour.red(), 255);
        EXPECT_LT(colour.green(), 255);
        EXPECT_LT(colour.blue(), 255);
        EXPECT_EQ(colour.alpha(), 255);
    }
}

TEST(TracePalette, TraceSlotWrapsAround)
{
    const int32_t rows[][2] = { { 0, 0 }, { 25, 25 }, { 26, 0 }, { 27, 1 }, { 8 * 7 + 3, 7 }, { -1, 25 } };
    for (const auto& row : rows)
        EXPECT_EQ(paletteSlot(row[0]), row[1]) << row[0];
}

} // namespace
