#include <gtest/gtest.h>

#include <limits>

#include "chartstate.h"
#include "unitmultiplier.h"

namespace {

TEST(UnitMultiplier, StartsInMegahertz)
{
    EXPECT_EQ(ChartState().unitMultiplier, 1e6);
}

TEST(UnitMultiplier, UnitIndexGivesExactPowersOfAThousand)
{
    const double rows[][2] = { { -1, 1 }, { 0, 1 }, { 1, 1e3 }, { 2, 1e6 }, { 3, 1e9 }, { 7, 1e9 } };
    for (const auto& row : rows)
        EXPECT_EQ(unitMultiplierOf(static_cast<int32_t>(row[0])), row[1]) << row[0];
}

TEST(UnitMultiplier, MultiplierGivesItsUnitIndex)
{
    struct Row {
        double multiplier;
        int32_t expected;
    };
    const Row rows[] = {
        { 1, 0 },
        { 1e3, 1 },
        { 1e6, 2 },
        { 1e9, 3 },
        { 1e12, 3 }, // exponent 12 gives 4, clamped
        { 0.001, 0 }, // exponent -3 gives -1, clamped
        { 31622, 1 }, // exponent just below 4.5 rounds to 4
        { 3.2e7, 2 }, // exponent 7.505 rounds to 8, 8 / 3 truncates to 2
        { 0, 0 },
        { -5, 0 },
        { std::numeric_limits<double>::quiet_NaN(), 0 },
    };
    for (const Row& row : rows)
        EXPECT_EQ(unitIndexOf(row.multiplier), row.expected) << row.multiplier;
}

} // namespace
