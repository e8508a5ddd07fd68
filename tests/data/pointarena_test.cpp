#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "largeblock.h"
#include "pointarena.h"
#include "rubbers2pdata.h"

namespace {

struct Request {
    size_t bytes;
    int count;
};

// Requests of several sizes, some larger than a chunk would be, all live at once: each block
// is aligned for doubles, none overlaps another, and each keeps what was written into it.
TEST(PointArena, BlocksAreAlignedDisjointAndKeepTheirContents)
{
    const Request requests[] = { { 104, 5000 }, { 8, 300 }, { 40000, 3 }, { 3u << 20, 2 }, { 104, 20000 } };
    PointArena arena;
    std::vector<std::pair<unsigned char*, size_t>> blocks;
    for (const Request& r : requests) {
        for (int k = 0; k < r.count; ++k) {
            auto* block = static_cast<unsigned char*>(arena.allocate(r.bytes));
            ASSERT_NE(block, nullptr);
            EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % alignof(double), 0u);
            std::memset(block, static_cast<int>(blocks.size() % 251), r.bytes);
            blocks.emplace_back(block, r.bytes);
        }
    }
    for (size_t b = 0; b < blocks.size(); ++b) {
        const auto [block, bytes] = blocks[b];
        EXPECT_EQ(block[0], b % 251);
        EXPECT_EQ(block[bytes - 1], b % 251);
    }
    arena.release();
    EXPECT_NE(arena.allocate(104), nullptr);
}

// Points reserved beforehand come one behind the other from a single block, after a smaller
// allocation has already started a chunk.
TEST(PointArena, ReservedPointsComeFromOneBlock)
{
    // From just over half a huge page, as the points of a file of 10,001 take, to many pages.
    for (const size_t count : { kHugePageBytes / 2 / madePointBytes() + 1, size_t { 50000 } }) {
        PointArena arena;
        ASSERT_NE(arena.allocate(104), nullptr);
        ASSERT_TRUE(arena.reserve(count * madePointBytes()));
        const auto* first = static_cast<char*>(static_cast<void*>(makePoint(arena)));
        for (size_t k = 1; k < count; ++k)
            ASSERT_EQ(static_cast<void*>(makePoint(arena)), first + k * madePointBytes())
                << count << ", " << k;
    }
}

TEST(LargeBlock, HugeBlocksStartOnAHugePageAndHoldTheirBytes)
{
    const size_t sizes[] = { 1, 4096, kHugePageBytes, 5 * kHugePageBytes + 12345 };
    for (const size_t bytes : sizes) {
        auto* block = static_cast<unsigned char*>(allocateLargeBlock(bytes));
        ASSERT_NE(block, nullptr) << bytes;
        if (bytes >= kHugePageBytes) {
            EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % kHugePageBytes, 0u) << bytes;
        }
        std::memset(block, 0x5a, bytes);
        EXPECT_EQ(block[bytes / 2], 0x5a);
        releaseLargeBlock(block, bytes);
    }
    EXPECT_EQ(allocateLargeBlock(0), nullptr);
    EXPECT_EQ(allocateLargeBlock(SIZE_MAX), nullptr);
    EXPECT_EQ(allocateLargeBlock(SIZE_MAX - kHugePageBytes), nullptr);
}

TEST(ComplexMatrixPlacement, PlacedMatrixUsesTheBytesBehindItUntilItChangesDimensions)
{
    alignas(ComplexMatrix) unsigned char memory[sizeof(ComplexMatrix) + 128];
    ASSERT_GE(sizeof(memory) - sizeof(ComplexMatrix), ComplexMatrix::storageBytes(2, 2));
    auto* placed = new (memory) ComplexMatrix;
    ComplexMatrix& m = *placed;
    unsigned char* const block = memory + sizeof(ComplexMatrix);
    m.placeBehind(2, 2);
    EXPECT_EQ(static_cast<void*>(m.rowPtr), static_cast<void*>(block));
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j)
            EXPECT_EQ(m(i, j), Complex(0, 0));
    }
    m(1, 0) = Complex(1, 2);
    m.resize(2, 2);
    EXPECT_EQ(static_cast<void*>(m.rowPtr), static_cast<void*>(block));
    EXPECT_EQ(m(1, 0), Complex(0, 0));
    // Other dimensions take a block of the matrix's own, which the destructor frees.
    m.resize(3, 3);
    EXPECT_NE(static_cast<void*>(m.rowPtr), static_cast<void*>(block));
    m(2, 2) = Complex(3, 4);
    EXPECT_EQ(m(2, 2), Complex(3, 4));
    placed->~ComplexMatrix();
}

TEST(ComplexMatrixPlacement, StorageBytesHoldsPointersAndElements)
{
    const int32_t shapes[][2] = { { 1, 1 }, { 2, 2 }, { 3, 3 }, { 4, 2 } };
    for (const auto& s : shapes) {
        const size_t expected = static_cast<size_t>(s[0]) * sizeof(Complex*)
            + static_cast<size_t>(s[0] * s[1]) * sizeof(Complex);
        EXPECT_EQ(ComplexMatrix::storageBytes(s[0], s[1]), expected);
    }
}

// Points live in the measurement's arena: many of them, one with a matrix moved to other
// dimensions, all released by clearing and made anew afterwards.
TEST(PointArena, MeasurementPointsSurviveGrowthAndAreMadeAgainAfterClearing)
{
    RubberS2PData m;
    const int32_t count = 70000;
    for (int32_t i = 0; i < count; ++i) {
        S2PPoint* p = m.point(i);
        ASSERT_NE(p, nullptr);
        p->freq = i;
        p->sParams(1, 0) = Complex(i, -i);
    }
    m.point(5)->sParams.resize(3, 3);
    for (int32_t i = 0; i < count; i += 997) {
        EXPECT_EQ(m.point(i)->freq, i);
        EXPECT_EQ(m.point(i)->sParams(1, 0), Complex(i, -i));
    }
    m.dataValid = 1;
    m.clearPoints();
    EXPECT_EQ(m.itemCount, 0);
    S2PPoint* again = m.point(0);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->freq, 0.0);
    EXPECT_EQ(again->sParams.rowCount, 2);
    EXPECT_EQ(again->sParams(0, 0), Complex(0, 0));
}

} // namespace
