#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <new>

#include "rubberitem.h"

// The nodes of the array come from the non-throwing operator new; this program replaces it
// so that a test can make the n-th allocation from now fail.
namespace {
int allocationsUntilFailure = -1;
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    if (allocationsUntilFailure == 0)
        return nullptr;
    if (allocationsUntilFailure > 0)
        --allocationsUntilFailure;
    return std::malloc(size == 0 ? 1 : size);
}

// Every other form goes to malloc and free as well, so allocation and release always match.
void* operator new(std::size_t size)
{
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}

namespace {

class Probe : public RubberItem {
public:
    using RubberItem::free;
    using RubberItem::get;

    void expectConsistent() const
    {
        int32_t count = 0;
        const _item_* below = nullptr;
        bool sawCursor = false;
        for (const _item_* node = firstItem; node != nullptr; node = node->next) {
            EXPECT_EQ(node->prev, below);
            if (node == curItem) {
                sawCursor = true;
                EXPECT_EQ(curItemIndex, firstItemIndex + count);
            }
            below = node;
            ++count;
        }
        EXPECT_EQ(count, itemCount);
        EXPECT_TRUE(sawCursor || itemCount == 0);
    }
};

void ignore(void*) {}

TEST(RubberItemAllocFailure, EmptyArraySetsIndexesAndReturnsNull)
{
    Probe p;
    allocationsUntilFailure = 0;
    EXPECT_EQ(p.get(4), nullptr);
    allocationsUntilFailure = -1;
    EXPECT_EQ(p.allocError, 1);
    EXPECT_EQ(p.itemCount, 0);
    EXPECT_EQ(p.curItem, nullptr);
    EXPECT_EQ(p.curItemIndex, 4);
    EXPECT_EQ(p.firstItemIndex, 4);
    EXPECT_EQ(p.lastItemIndex, 4);
}

TEST(RubberItemAllocFailure, FailedUpwardGrowthKeepsTheNodesMadeSoFar)
{
    Probe p;
    p.get(0);
    allocationsUntilFailure = 2;
    EXPECT_EQ(p.get(5), nullptr);
    allocationsUntilFailure = -1;
    EXPECT_EQ(p.allocError, 1);
    EXPECT_EQ(p.itemCount, 3);
    EXPECT_EQ(p.lastItemIndex, 2);
    p.expectConsistent();
    ASSERT_NE(p.get(5), nullptr);
    EXPECT_EQ(p.itemCount, 6);
    p.expectConsistent();
    p.free(ignore);
}

TEST(RubberItemAllocFailure, FailedDownwardGrowthKeepsTheNodesMadeSoFar)
{
    Probe p;
    p.get(0);
    allocationsUntilFailure = 1;
    EXPECT_EQ(p.get(-3), nullptr);
    allocationsUntilFailure = -1;
    EXPECT_EQ(p.itemCount, 2);
    EXPECT_EQ(p.firstItemIndex, -1);
    p.expectConsistent();
    p.free(ignore);
}

TEST(RubberItemAllocFailure, FailedInsertAfterChangesNothing)
{
    Probe p;
    for (int32_t i = 0; i < 3; ++i)
        *p.get(i) = reinterpret_cast<void*>(intptr_t{i + 1});
    allocationsUntilFailure = 0;
    p.insertAfter(0);
    allocationsUntilFailure = -1;
    EXPECT_EQ(p.allocError, 1);
    EXPECT_EQ(p.itemCount, 3);
    EXPECT_EQ(reinterpret_cast<intptr_t>(*p.get(1)), 2);
    p.expectConsistent();
    p.free(ignore);
}

// Past its first single nodes an array takes its nodes from blocks; a block that cannot be
// had fails the growth like a single node, and the next growth asks for it again.
TEST(RubberItemAllocFailure, FailedNodeBlockKeepsTheNodesMadeSoFar)
{
    Probe p;
    ASSERT_NE(p.get(63), nullptr);
    ASSERT_NE(p.get(0), nullptr);
    EXPECT_EQ(p.itemCount, 64);
    allocationsUntilFailure = 0;
    EXPECT_EQ(p.get(100), nullptr);
    allocationsUntilFailure = -1;
    EXPECT_EQ(p.allocError, 1);
    EXPECT_EQ(p.itemCount, 64);
    EXPECT_EQ(p.lastItemIndex, 63);
    p.expectConsistent();
    ASSERT_NE(p.get(100), nullptr);
    EXPECT_EQ(p.itemCount, 101);
    p.expectConsistent();
    p.free(ignore);
}

} // namespace
