#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "valuespan.h"

// The vectorised span against the values taken one by one, over random windows holding NaN,
// infinities and values on the range's edges.
TEST(ValueSpan, SpanWithinMatchesTakingEveryValueInTurn)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    const double pool[] = { std::numeric_limits<double>::quiet_NaN(), inf, -inf, -10, 10, 3.5, -7.25, 42 };
    std::mt19937 random(7);
    std::uniform_int_distribution<size_t> pick(0, std::size(pool) - 1);
    for (int32_t round = 0; round < 200; ++round) {
        std::vector<double> values(static_cast<size_t>(1 + round % 37));
        for (double& v : values)
            v = pool[pick(random)];
        const int32_t first = round % 3;
        const int32_t last = static_cast<int32_t>(values.size()) - 1 - round % 2;
        ValueSpan expected;
        for (int32_t i = first; i <= last; ++i) {
            if (-10 <= values[static_cast<size_t>(i)] && values[static_cast<size_t>(i)] <= 10)
                expected.take(values[static_cast<size_t>(i)]);
        }
        const ValueSpan got = spanWithin(values.data(), first, last, -10, 10);
        EXPECT_EQ(got.found, expected.found);
        EXPECT_EQ(got.count, expected.count);
        EXPECT_EQ(got.low, expected.low);
        EXPECT_EQ(got.high, expected.high);
    }
}
