#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "valuespan.h"

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// The vectorised span of a window against the values taken one by one in order, over random
// windows of values with NaN, infinities and values on the window's edges among them.
TEST(ValueSpan, SpanWithinMatchesTakingEveryValueInTurn)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> kind(0, 9);
    std::uniform_real_distribution<double> value(-50, 50);
    for (int32_t round = 0; round < 300; ++round) {
        std::vector<double> values(static_cast<size_t>(1 + round % 37));
        for (double& v : values) {
            const int32_t k = kind(random);
            v = k == 0 ? nan : k == 1 ? inf : k == 2 ? -inf : k == 3 ? -10.0 : k == 4 ? 10.0 : value(random);
        }
        const int32_t n = static_cast<int32_t>(values.size());
        const int32_t first = round % 3;
        const int32_t last = n - 1 - round % 2;
        for (const auto& [from, to] : { std::pair { -10.0, 10.0 }, std::pair { -inf, inf }, std::pair { 60.0, 70.0 },
                 std::pair { -std::numeric_limits<double>::max(), std::numeric_limits<double>::max() } }) {
            ValueSpan expected;
            for (int32_t i = first; i <= last; ++i) {
                const double v = values[static_cast<size_t>(i)];
                if (from <= v && v <= to)
                    expected.take(v);
            }
            const ValueSpan got = spanWithin(values.data(), first, last, from, to);
            ASSERT_EQ(got.found, expected.found) << round;
            EXPECT_EQ(got.low, expected.low) << round;
            EXPECT_EQ(got.high, expected.high) << round;
        }
        // The finite span before an end leaves the end itself out.
        const ValueSpan before = finiteSpanBefore(values.data(), first, last);
        const ValueSpan within = spanWithin(values.data(), first, last - 1, -std::numeric_limits<double>::max(),
            std::numeric_limits<double>::max());
        EXPECT_EQ(before.found, within.found);
        EXPECT_EQ(before.low, within.low);
        EXPECT_EQ(before.high, within.high);
    }
}

} // namespace
