#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "rubberitem.h"

namespace {

class PoolProbe : public RubberItem {
public:
    using RubberItem::deleteItem;
    using RubberItem::free;
    using RubberItem::get;

    void set(int32_t index, intptr_t value) { *get(index) = reinterpret_cast<void*>(value); }
    intptr_t at(int32_t index) { return reinterpret_cast<intptr_t>(*get(index)); }

    // Items from the lowest node upward, checking every backward link on the way.
    std::vector<intptr_t> chain() const
    {
        std::vector<intptr_t> items;
        const _item_* below = nullptr;
        for (const _item_* node = firstItem; node != nullptr; node = node->next) {
            EXPECT_EQ(node->prev, below);
            below = node;
            items.push_back(reinterpret_cast<intptr_t>(node->data));
        }
        return items;
    }
};

int releasedCount = 0;

void countRelease(void*)
{
    ++releasedCount;
}

struct GrowthCase {
    int32_t count;
    int32_t firstIndex;
};

// Arrays that stay on single nodes, that reach the first pooled blocks, that span many of the
// largest small blocks and that go on into huge-page blocks, grown upward from their first
// index and downward below it.
class NodePoolGrowth : public ::testing::TestWithParam<GrowthCase> { };

TEST_P(NodePoolGrowth, EveryNodeKeepsItsItemAndFreeReleasesEachOnce)
{
    const GrowthCase c = GetParam();
    PoolProbe p;
    for (int32_t i = 0; i < c.count; ++i)
        p.set(c.firstIndex + i, 1 + i);
    p.set(c.firstIndex - 3, -1);
    EXPECT_EQ(p.itemCount, c.count + 3);
    const std::vector<intptr_t> items = p.chain();
    ASSERT_EQ(static_cast<int32_t>(items.size()), c.count + 3);
    EXPECT_EQ(items[0], -1);
    for (int32_t i = 0; i < c.count; ++i)
        ASSERT_EQ(items[static_cast<size_t>(i) + 3], 1 + i);
    releasedCount = 0;
    p.free(countRelease);
    EXPECT_EQ(releasedCount, c.count + 3); // every slot, the two empty ones included
    EXPECT_EQ(p.itemCount, 0);
    p.set(7, 70);
    EXPECT_EQ(p.at(7), 70);
    EXPECT_EQ(p.itemCount, 1);
    p.free(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Sizes, NodePoolGrowth,
    ::testing::Values(GrowthCase { 1, 0 }, GrowthCase { 63, 5 }, GrowthCase { 64, -2 }, GrowthCase { 65, 0 },
        GrowthCase { 1000, 100 }, GrowthCase { 70000, -35000 }, GrowthCase { 300000, -150000 }));

TEST(NodePool, DeletedNodesAreTakenAgainByLaterGrowth)
{
    PoolProbe p;
    for (int32_t i = 0; i < 300; ++i)
        p.set(i, i);
    for (int32_t k = 0; k < 100; ++k)
        p.deleteItem(50, nullptr);
    EXPECT_EQ(p.itemCount, 200);
    EXPECT_EQ(p.at(49), 49);
    EXPECT_EQ(p.at(50), 150);
    for (int32_t i = 200; i < 400; ++i)
        p.set(i, 1000 + i);
    const std::vector<intptr_t> items = p.chain();
    ASSERT_EQ(items.size(), 400u);
    EXPECT_EQ(items[199], 299);
    EXPECT_EQ(items[200], 1200);
    EXPECT_EQ(items[399], 1399);
    for (int32_t k = 0; k < 400; ++k)
        p.deleteItem(0, nullptr);
    EXPECT_EQ(p.itemCount, 0);
    EXPECT_EQ(p.firstItem, nullptr);
}

} // namespace
