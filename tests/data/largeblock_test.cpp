#include <gtest/gtest.h>

#include <cstring>
#include <unistd.h>

#include "largeblock.h"

namespace {

const size_t kPage = static_cast<size_t>(::sysconf(_SC_PAGESIZE));

struct PagesCase {
    const char* name;
    size_t bytes;
    size_t from;
    size_t to;
    // The range that reads as zeros afterwards; everything else keeps its contents.
    size_t zeroFrom;
    size_t zeroTo;
};

class ReleaseLargeBlockPagesTest : public ::testing::TestWithParam<PagesCase> { };

TEST_P(ReleaseLargeBlockPagesTest, ZeroesOnlyWholePagesInTheRange)
{
    const PagesCase& c = GetParam();
    auto* block = static_cast<unsigned char*>(allocateLargeBlock(c.bytes));
    ASSERT_NE(block, nullptr);
    std::memset(block, 0xA5, c.bytes);
    releaseLargeBlockPages(block, c.bytes, c.from, c.to);
    const auto expected = [&](size_t i) { return i >= c.zeroFrom && i < c.zeroTo ? 0 : 0xA5; };
    for (size_t i = 0; i < c.bytes; i += 509)
        ASSERT_EQ(block[i], expected(i)) << i;
    for (const size_t i : { c.zeroFrom - 1, c.zeroFrom, c.zeroTo - 1, c.zeroTo, c.bytes - 1 }) {
        if (i < c.bytes) {
            EXPECT_EQ(block[i], expected(i)) << i;
        }
    }
    releaseLargeBlock(block, c.bytes);
}

INSTANTIATE_TEST_SUITE_P(Blocks, ReleaseLargeBlockPagesTest,
    ::testing::Values(
        PagesCase { "HeapBlockKeepsItsMemory", kHugePageBytes - 1, 0, kHugePageBytes - 1, 0, 0 },
        PagesCase { "LessThanAPage", 3 * kHugePageBytes, 1, kPage + 1, 0, 0 },
        PagesCase {
            "WholePagesOnly", 3 * kHugePageBytes + 5, 7, 2 * kHugePageBytes + 7, kPage, 2 * kHugePageBytes },
        PagesCase { "EndPastTheBlock", 2 * kHugePageBytes, kHugePageBytes, 9 * kHugePageBytes, kHugePageBytes,
            2 * kHugePageBytes }),
    [](const ::testing::TestParamInfo<PagesCase>& p) { return std::string(p.param.name); });

} // namespace

TEST(ReusedLargeBlock, GrowsOnlyWhenMoreIsAsked)
{
    ReusedLargeBlock block;
    struct Step {
        size_t bytes;
        bool sameBlock; // the block of the step before serves
    };
    const Step steps[] = { { 3 * kHugePageBytes, false }, { kHugePageBytes, true }, { 3 * kHugePageBytes, true },
        { 3 * kHugePageBytes + 1, false }, { 100, true } };
    void* last = nullptr;
    for (const Step& step : steps) {
        void* p = block.reserve(step.bytes);
        ASSERT_NE(p, nullptr) << step.bytes;
        if (step.sameBlock) {
            EXPECT_EQ(p, last) << step.bytes;
        }
        std::memset(p, 0x5A, step.bytes); // the whole room is writable
        last = p;
    }
    block.release();
    EXPECT_EQ(block.reserve(0), nullptr);
    EXPECT_NE(block.reserve(64), nullptr);
}
