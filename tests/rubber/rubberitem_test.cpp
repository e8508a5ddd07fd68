#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "rubberitem.h"

namespace {

void* tag(intptr_t v)
{
    return reinterpret_cast<void*>(v);
}

intptr_t untag(void* p)
{
    return reinterpret_cast<intptr_t>(p);
}

// Exposes the protected operations and records what the release function sees.
class Probe : public RubberItem {
public:
    using RubberItem::deleteItem;
    using RubberItem::free;
    using RubberItem::get;

    void set(int32_t index, intptr_t value) { *get(index) = tag(value); }
    intptr_t at(int32_t index) { return untag(*get(index)); }

    // Items of the chain from the lowest node upward, read without moving the cursor.
    std::vector<intptr_t> chain() const
    {
        std::vector<intptr_t> items;
        for (_item_* node = firstItem; node != nullptr; node = node->next)
            items.push_back(untag(node->data));
        return items;
    }

    void expectLinked() const
    {
        int32_t count = 0;
        const _item_* below = nullptr;
        for (const _item_* node = firstItem; node != nullptr; node = node->next) {
            EXPECT_EQ(node->prev, below);
            below = node;
            ++count;
        }
        EXPECT_EQ(count, itemCount);
    }
};

std::vector<intptr_t> released;

void recordRelease(void* item)
{
    released.push_back(untag(item));
}

void recordVisit(void* item, void* argument)
{
    static_cast<std::vector<intptr_t>*>(argument)->push_back(untag(item));
}

Probe filled(int32_t count)
{
    Probe p;
    for (int32_t i = 0; i < count; ++i)
        p.set(i, 100 + i);
    return p;
}

class RubberItemTest : public ::testing::Test {
protected:
    void SetUp() override { released.clear(); }
};

TEST_F(RubberItemTest, FirstIndexBecomesTheOnlyNodeAndGrowsDownward)
{
    Probe p;
    ASSERT_NE(p.get(5), nullptr);
    EXPECT_EQ(p.itemCount, 1);
    EXPECT_EQ(p.firstItemIndex, 5);
    EXPECT_EQ(p.lastItemIndex, 5);
    p.get(3);
    EXPECT_EQ(p.itemCount, 3);
    EXPECT_EQ(p.firstItemIndex, 3);
    EXPECT_EQ(p.lastItemIndex, 5);
    EXPECT_EQ(p.curItemIndex, 3);
    p.expectLinked();
    p.free(recordRelease);
}

TEST_F(RubberItemTest, GrowsUpwardWithEmptySlots)
{
    Probe p;
    p.set(0, 1);
    p.set(4, 5);
    EXPECT_EQ(p.itemCount, 5);
    EXPECT_EQ(p.lastItemIndex, 4);
    EXPECT_EQ(p.chain(), (std::vector<intptr_t>{1, 0, 0, 0, 5}));
    p.expectLinked();
    p.free(recordRelease);
}

TEST_F(RubberItemTest, ExistBeyondTheTopExtendsTheArray)
{
    Probe p = filled(3);
    EXPECT_EQ(p.exist(1), 1);
    EXPECT_EQ(p.exist(6), 0);
    EXPECT_EQ(p.itemCount, 7);
    p.free(recordRelease);
}

TEST_F(RubberItemTest, GetStartsFromTheNearestNodeOnStrictlySmallerDistance)
{
    Probe p = filled(11);
    p.get(5);
    // Index 0 is nearer the lowest node: the walk starts there.
    EXPECT_EQ(p.at(1), 101);
    EXPECT_EQ(p.curItemIndex, 1);
    EXPECT_EQ(p.at(9), 109);
    EXPECT_EQ(p.curItemIndex, 9);
    p.free(recordRelease);
}

TEST_F(RubberItemTest, ForEachVisitsBelowTheCursorDownwardThenUpward)
{
    Probe p = filled(5);
    p.get(2);
    std::vector<intptr_t> seen;
    p.forEach(recordVisit, &seen);
    EXPECT_EQ(seen, (std::vector<intptr_t>{101, 100, 102, 103, 104}));
    EXPECT_EQ(p.curItemIndex, 2);
    p.free(recordRelease);
}

TEST_F(RubberItemTest, FirstThatFindsInVisitingOrderAndSkipsEmptySlots)
{
    Probe p = filled(5);
    p.set(1, 0);
    p.get(3);
    std::vector<intptr_t> seen;
    void* found = p.firstThat(
        [](void* item, void* arg) {
            static_cast<std::vector<intptr_t>*>(arg)->push_back(untag(item));
            return untag(item) >= 103 ? 1 : 0;
        },
        &seen);
    EXPECT_EQ(untag(found), 103);
    EXPECT_EQ(seen, (std::vector<intptr_t>{102, 100, 103}));
    EXPECT_EQ(p.firstThat([](void*, void*) { return 0; }, nullptr), nullptr);
    Probe empty;
    EXPECT_EQ(empty.firstThat([](void*, void*) { return 1; }, nullptr), nullptr);
    p.free(recordRelease);
}

TEST_F(RubberItemTest, FreeReleasesAboveTheCursorUpwardThenDownwardIncludingEmptySlots)
{
    Probe p = filled(5);
    p.set(3, 0);
    p.get(2);
    p.free(recordRelease);
    EXPECT_EQ(released, (std::vector<intptr_t>{0, 104, 102, 101, 100}));
    EXPECT_EQ(p.itemCount, 0);
    EXPECT_EQ(p.curItem, nullptr);
    EXPECT_EQ(p.firstItemIndex, 0);
    p.free(recordRelease);
    EXPECT_EQ(released.size(), 5u);
}

TEST_F(RubberItemTest, DeleteAtBothEndsAndInTheMiddleShiftsItemsDown)
{
    Probe p = filled(5);
    p.deleteItem(0, recordRelease);
    EXPECT_EQ(p.chain(), (std::vector<intptr_t>{101, 102, 103, 104}));
    EXPECT_EQ(p.firstItemIndex, 0);
    p.deleteItem(3, recordRelease);
    EXPECT_EQ(p.chain(), (std::vector<intptr_t>{101, 102, 103}));
    EXPECT_EQ(p.lastItemIndex, 2);
    EXPECT_EQ(p.curItemIndex, 2);
    p.deleteItem(1, recordRelease);
    EXPECT_EQ(p.chain(), (std::vector<intptr_t>{101, 103}));
    EXPECT_EQ(p.at(1), 103);
    EXPECT_EQ(released, (std::vector<intptr_t>{100, 104, 102}));
    p.expectLinked();
    p.free(recordRelease);
}

TEST_F(RubberItemTest, DeleteBeyondTheTopExtendsFirst)
{
    Probe p = filled(5);
    p.deleteItem(7, recordRelease);
    EXPECT_EQ(p.itemCount, 7);
    EXPECT_EQ(p.curItemIndex, 6);
    EXPECT_EQ(p.lastItemIndex, 6);
    EXPECT_EQ(released, (std::vector<intptr_t>{0}));
    p.free(recordRelease);
}

TEST_F(RubberItemTest, DeleteOnEmptyDoesNothingAndOfTheLastNodeEmpties)
{
    Probe p;
    p.deleteItem(0, recordRelease);
    EXPECT_TRUE(released.empty());
    p.set(4, 7);
    p.lockArray();
    p.deleteItem(4, recordRelease);
    EXPECT_EQ(released, (std::vector<intptr_t>{7}));
    EXPECT_EQ(p.itemCount, 0);
    EXPECT_EQ(p.curItem, nullptr);
    EXPECT_EQ(p.firstItem, nullptr);
    EXPECT_EQ(p.lastItem, nullptr);
    EXPECT_EQ(p.lastItemIndex, 0);
    EXPECT_EQ(p.lockedArray, nullptr);
}

TEST_F(RubberItemTest, InsertAfterMovesItemsUpAndKeepsTheCursor)
{
    Probe p = filled(4);
    p.insertAfter(1);
    EXPECT_EQ(p.chain(), (std::vector<intptr_t>{100, 101, 0, 102, 103}));
    EXPECT_EQ(p.curItemIndex, 1);
    EXPECT_EQ(p.lastItemIndex, 4);
    EXPECT_EQ(p.at(4), 103);
    p.expectLinked();
    p.free(recordRelease);
}

TEST_F(RubberItemTest, InsertAfterAtTheAnchorPutsTheNewNodeAboveIt)
{
    Probe p = filled(3);
    p.insertAfter(2);
    EXPECT_EQ(p.lastItemIndex, 2);
    EXPECT_EQ(p.itemCount, 4);
    p.set(3, 42);
    EXPECT_EQ(p.lastItemIndex, 3);
    EXPECT_EQ(p.chain(), (std::vector<intptr_t>{100, 101, 102, 42}));
    p.free(recordRelease);
}

TEST_F(RubberItemTest, DeletingAnAnchorWithNothingBelowKeepsAnAnchorNode)
{
    Probe q;
    q.set(0, 1);
    q.insertAfter(0);
    q.deleteItem(0, recordRelease);
    ASSERT_EQ(q.itemCount, 1);
    ASSERT_NE(q.lastItem, nullptr);
    EXPECT_GE(q.lastItemIndex, q.firstItemIndex);
    // Walking from anywhere must reach the remaining node and grow from it.
    q.set(3, 9);
    EXPECT_EQ(q.chain(), (std::vector<intptr_t>{0, 0, 0, 9}));
    EXPECT_EQ(q.at(0), 0);
    q.expectLinked();
    q.free(recordRelease);
}

TEST_F(RubberItemTest, OrderPermutesAndExtendsAShorterArray)
{
    Probe p = filled(3);
    const int permutation[] = {2, 0, 1, 3};
    p.order(4, permutation);
    EXPECT_EQ(p.chain(), (std::vector<intptr_t>{102, 100, 101, 0}));
    const int invalid[] = {0, 5};
    p.order(2, invalid);
    EXPECT_EQ(p.chain(), (std::vector<intptr_t>{102, 100, 101, 0}));
    p.free(recordRelease);
}

TEST_F(RubberItemTest, ExchangeSwapsAndWithItselfTouchesNothing)
{
    Probe p = filled(3);
    p.exchange(0, 2);
    EXPECT_EQ(p.chain(), (std::vector<intptr_t>{102, 101, 100}));
    p.exchange(9, 9);
    EXPECT_EQ(p.itemCount, 3);
    p.free(recordRelease);
}

TEST_F(RubberItemTest, LockedWritesChangeOnlyTheSnapshot)
{
    Probe p = filled(3);
    p.lockArray();
    EXPECT_EQ(p.at(1), 101);
    p.set(1, 7);
    p.exchange(0, 2);
    const int permutation[] = {1, 0, 2};
    p.order(3, permutation);
    EXPECT_EQ(p.at(0), 7);
    EXPECT_EQ(p.at(1), 102);
    // Out-of-range work on the snapshot is refused rather than read past its end.
    p.exchange(0, 5);
    EXPECT_EQ(p.chain(), (std::vector<intptr_t>{100, 101, 102}));
    p.releaseArray();
    EXPECT_EQ(p.lockedArray, nullptr);
    EXPECT_EQ(p.at(0), 100);
    EXPECT_EQ(p.at(1), 101);
    p.free(recordRelease);
}

TEST_F(RubberItemTest, InsertAndDeleteWhileLockedRetakeTheSnapshot)
{
    Probe p = filled(3);
    p.lockArray();
    p.insertAfter(0);
    ASSERT_NE(p.lockedArray, nullptr);
    EXPECT_EQ(p.at(1), 0);
    EXPECT_EQ(p.at(2), 101);
    p.deleteItem(0, recordRelease);
    ASSERT_NE(p.lockedArray, nullptr);
    EXPECT_EQ(p.at(0), 0);
    EXPECT_EQ(p.at(1), 101);
    std::vector<intptr_t> seen;
    p.forEach(recordVisit, &seen);
    EXPECT_EQ(seen.size(), 2u);
    p.free(recordRelease);
    EXPECT_EQ(p.lockedArray, nullptr);
}

TEST_F(RubberItemTest, LockedReadOfAnArrayNotStartingAtZeroMatchesTheUnlockedRead)
{
    Probe p;
    p.set(-2, 5);
    p.set(0, 7);
    p.lockArray();
    EXPECT_EQ(p.at(-2), 5);
    EXPECT_EQ(p.at(0), 7);
    p.releaseArray();
    p.free(recordRelease);
}

TEST_F(RubberItemTest, CopiesShareTheChain)
{
    Probe p = filled(2);
    RubberItem copy(p);
    EXPECT_EQ(copy.firstItem, p.firstItem);
    EXPECT_EQ(copy.itemCount, 2);
    RubberItem assigned;
    assigned = p;
    EXPECT_EQ(assigned.curItem, p.curItem);
    p.free(recordRelease);
}

} // namespace
