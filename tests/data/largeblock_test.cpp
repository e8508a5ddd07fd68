#include <gtest/gtest.h>

#include <cstring>

#include "largeblock.h"

namespace {

struct FrontCase {
    const char* name;
    size_t bytes;
    size_t end;
    // The bytes from the start that read as zeros afterwards; the rest keep their contents.
    size_t zeroed;
};

class ReleaseLargeBlockFrontTest : public ::testing::TestWithParam<FrontCase> { };

TEST_P(ReleaseLargeBlockFrontTest, ZeroesOnlyWholeHugePagesBeforeTheEnd)
{
    const FrontCase& c = GetParam();
    auto* block = static_cast<unsigned char*>(allocateLargeBlock(c.bytes));
    ASSERT_NE(block, nullptr);
    std::memset(block, 0xA5, c.bytes);
    releaseLargeBlockFront(block, c.bytes, c.end);
    size_t zeros = 0;
    while (zeros < c.bytes && block[zeros] == 0)
        ++zeros;
    EXPECT_EQ(zeros, c.zeroed);
    for (size_t i = c.zeroed; i < c.bytes; i += 4096)
        ASSERT_EQ(block[i], 0xA5) << i;
    EXPECT_EQ(block[c.bytes - 1], 0xA5);
    releaseLargeBlock(block, c.bytes);
}

INSTANTIATE_TEST_SUITE_P(Blocks, ReleaseLargeBlockFrontTest,
    ::testing::Values(FrontCase { "HeapBlockKeepsItsMemory", kHugePageBytes - 1, kHugePageBytes - 1, 0 },
        FrontCase { "LessThanAHugePage", 3 * kHugePageBytes, kHugePageBytes - 1, 0 },
        FrontCase { "WholePagesOnly", 3 * kHugePageBytes + 5, 2 * kHugePageBytes + 7, 2 * kHugePageBytes },
        FrontCase { "EndPastTheBlock", 2 * kHugePageBytes + 5, 9 * kHugePageBytes, 2 * kHugePageBytes }),
    [](const ::testing::TestParamInfo<FrontCase>& p) { return std::string(p.param.name); });

} // namespace
