#include "rubberitem.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>
#include <sys/mman.h>

namespace {

// Byte size of an array of count elements; saturates so that an impossible request fails to
// allocate instead of wrapping around to a small block.
size_t saturatingBytes(int64_t count, size_t elementSize)
{
    if (count < 0 || static_cast<uint64_t>(count) > std::numeric_limits<size_t>::max() / elementSize)
        return std::numeric_limits<size_t>::max();
    return static_cast<size_t>(count) * elementSize;
}

int64_t distance(int32_t a, int32_t b)
{
    return std::llabs(static_cast<int64_t>(a) - static_cast<int64_t>(b));
}

// Visits the non-null items from just below the cursor down to the lowest node, then from the
// cursor up to the highest; stops at the first item for which found() holds and returns it.
// Each neighbour is read before the call, so the visitor may release the item it is given.
template <typename Found> void* walkFromCursor(RubberItem::_item_* cursor, Found found)
{
    if (cursor == nullptr)
        return nullptr;
    for (RubberItem::_item_* node = cursor->prev; node != nullptr;) {
        RubberItem::_item_* below = node->prev;
        if (node->data != nullptr && found(node->data))
            return node->data;
        node = below;
    }
    for (RubberItem::_item_* node = cursor; node != nullptr;) {
        RubberItem::_item_* above = node->next;
        if (node->data != nullptr && found(node->data))
            return node->data;
        node = above;
    }
    return nullptr;
}

} // namespace

RubberItem::RubberItem()
    : allocError(0)
    , itemCount(0)
    , curItem(nullptr)
    , firstItem(nullptr)
    , lastItem(nullptr)
    , curItemIndex(0)
    , firstItemIndex(0)
    , lastItemIndex(0)
    , lockedArray(nullptr)
{
}

RubberItem::RubberItem(const RubberItem& other)
    : allocError(other.allocError)
    , itemCount(other.itemCount)
    , curItem(other.curItem)
    , firstItem(other.firstItem)
    , lastItem(other.lastItem)
    , curItemIndex(other.curItemIndex)
    , firstItemIndex(other.firstItemIndex)
    , lastItemIndex(other.lastItemIndex)
    , lockedArray(other.lockedArray)
{
}

RubberItem& RubberItem::operator=(const RubberItem& other)
{
    allocError = other.allocError;
    itemCount = other.itemCount;
    curItem = other.curItem;
    firstItem = other.firstItem;
    lastItem = other.lastItem;
    curItemIndex = other.curItemIndex;
    firstItemIndex = other.firstItemIndex;
    lastItemIndex = other.lastItemIndex;
    lockedArray = other.lockedArray;
    return *this;
}

// A block of the node pool: this header, then its nodes.
struct RubberItem::NodeBlock {
    NodeBlock* older;
    int64_t nodeCount;
};

namespace {

// The first nodes of an array take one block each, as single allocations; later blocks
// double with the pool up to a size that keeps a block well below a megabyte. A block of the
// largest size, its header and the allocator's 16 bytes fill 96 pages of 4 KiB but for 16
// bytes, so that the pages the allocator maps for it hold almost no spare tail.
constexpr int32_t kSingleNodes = 64;
constexpr int32_t kLargestBlockNodes = 16382;

// Once the pool holds two blocks of the largest size, each further block is one huge page:
// 2 MiB on a 2 MiB boundary, which the kernel may back with a single transparent huge page, so
// that a long array's nodes cost one page fault per 2 MiB instead of one per 4 KiB (a fault of
// a small page costs as much as clearing several). Its header and nodes fill the page but for
// 16 bytes.
constexpr size_t kHugePageBytes = size_t { 2 } << 20;
constexpr size_t kBlockHeaderBytes = 16;
constexpr int32_t kHugeBlockNodes
    = static_cast<int32_t>((kHugePageBytes - kBlockHeaderBytes) / sizeof(RubberItem::_item_));

void* allocateNodeBlock(size_t bytes, bool huge)
{
    if (!huge)
        return ::operator new(bytes, std::nothrow);
    void* memory = ::operator new (bytes, std::align_val_t { kHugePageBytes }, std::nothrow);
#ifdef MADV_HUGEPAGE
    if (memory != nullptr)
        ::madvise(memory, bytes, MADV_HUGEPAGE);
#endif
    return memory;
}

void releaseNodeBlock(void* block, bool huge)
{
    if (huge)
        ::operator delete (block, std::align_val_t { kHugePageBytes });
    else
        ::operator delete(block);
}

} // namespace

RubberItem::_item_* RubberItem::takeNode()
{
    if (spareNodes != nullptr) {
        _item_* node = spareNodes;
        spareNodes = node->next;
        return node;
    }
    if (blockNodesLeft == 0) {
        static_assert(sizeof(NodeBlock) == kBlockHeaderBytes);
        const int32_t count = pooledNodes < kSingleNodes ? 1
            : pooledNodes < kLargestBlockNodes           ? pooledNodes
            : pooledNodes < 2 * kLargestBlockNodes       ? kLargestBlockNodes
                                                         : kHugeBlockNodes;
        void* memory = allocateNodeBlock(
            sizeof(NodeBlock) + sizeof(_item_) * static_cast<size_t>(count), count == kHugeBlockNodes);
        if (memory == nullptr)
            return nullptr;
        auto* block = static_cast<NodeBlock*>(memory);
        block->older = nodeBlocks;
        block->nodeCount = count;
        nodeBlocks = block;
        blockNodesLeft = count;
    }
    auto* nodes = reinterpret_cast<_item_*>(nodeBlocks + 1);
    ++pooledNodes;
    return &nodes[nodeBlocks->nodeCount - blockNodesLeft--];
}

void RubberItem::returnNode(_item_* node)
{
    node->next = spareNodes;
    spareNodes = node;
}

void RubberItem::releaseNodeBlocks()
{
    while (nodeBlocks != nullptr) {
        NodeBlock* older = nodeBlocks->older;
        releaseNodeBlock(nodeBlocks, nodeBlocks->nodeCount == kHugeBlockNodes);
        nodeBlocks = older;
    }
    spareNodes = nullptr;
    blockNodesLeft = 0;
    pooledNodes = 0;
}

RubberItem::_item_* RubberItem::newItem()
{
    _item_* node = takeNode();
    if (node == nullptr) {
        allocError = 1;
        return nullptr;
    }
    *node = _item_ { nullptr, nullptr, nullptr };
    ++itemCount;
    return node;
}

void** RubberItem::get(int32_t index)
{
    // Locked: a plain read of the snapshot, no bounds test; slot 0 is the lowest index.
    if (lockedArray != nullptr)
        return &lockedArray[static_cast<int64_t>(index) - firstItemIndex];

    if (curItem == nullptr) {
        _item_* node = newItem();
        curItemIndex = firstItemIndex = lastItemIndex = index;
        if (node == nullptr)
            return nullptr;
        curItem = firstItem = lastItem = node;
        return &node->data;
    }

    // Start from the nearest known node; only a strictly smaller distance moves the cursor.
    if (distance(index, curItemIndex) > distance(index, firstItemIndex)) {
        curItem = firstItem;
        curItemIndex = firstItemIndex;
    }
    if (lastItem != nullptr && distance(index, curItemIndex) > distance(index, lastItemIndex)) {
        curItem = lastItem;
        curItemIndex = lastItemIndex;
    }

    bool complete = true;
    while (curItemIndex < index) {
        if (curItem->next == nullptr) {
            _item_* node = newItem();
            if (node == nullptr) {
                complete = false;
                break;
            }
            node->prev = curItem;
            curItem->next = node;
        }
        curItem = curItem->next;
        ++curItemIndex;
    }
    while (complete && curItemIndex > index) {
        if (curItem->prev == nullptr) {
            _item_* node = newItem();
            if (node == nullptr) {
                complete = false;
                break;
            }
            node->next = curItem;
            curItem->prev = node;
        }
        curItem = curItem->prev;
        --curItemIndex;
    }

    // The cursor may stand beyond the old ends, also after a failed extension: the chain
    // then ends at the cursor and the anchors follow it.
    if (curItemIndex < firstItemIndex) {
        firstItem = curItem;
        firstItemIndex = curItemIndex;
    }
    if (curItemIndex > lastItemIndex || lastItem == nullptr) {
        lastItem = curItem;
        lastItemIndex = curItemIndex;
    }
    return complete ? &curItem->data : nullptr;
}

int RubberItem::exist(int32_t index)
{
    void** slot = get(index);
    return slot != nullptr && *slot != nullptr ? 1 : 0;
}

void RubberItem::insertAfter(int32_t index)
{
    const bool wasLocked = lockedArray != nullptr;
    discardSnapshot();
    if (get(index) != nullptr) {
        _item_* node = newItem();
        if (node != nullptr) {
            node->prev = curItem;
            node->next = curItem->next;
            if (node->next != nullptr)
                node->next->prev = node;
            curItem->next = node;
            // At the upper anchor the anchor keeps its node and the new node lies above it.
            if (index < lastItemIndex)
                ++lastItemIndex;
        }
    }
    if (wasLocked)
        lockArray();
}

void RubberItem::deleteItem(int32_t index, ReleaseFunction release)
{
    if (itemCount == 0)
        return;
    const bool wasLocked = lockedArray != nullptr;
    discardSnapshot();
    if (get(index) == nullptr) {
        if (wasLocked)
            lockArray();
        return;
    }

    _item_* node = curItem;
    if (index == firstItemIndex)
        firstItem = firstItem->next;
    if (index == lastItemIndex) {
        --lastItemIndex;
        lastItem = lastItem->prev;
        // Nothing below the anchor: the node above it takes over the index and the anchor,
        // so the anchor always names a node while nodes remain.
        if (lastItem == nullptr && node->next != nullptr) {
            lastItem = node->next;
            lastItemIndex = index;
        }
    }
    if (index < lastItemIndex)
        --lastItemIndex;

    if (node->prev != nullptr)
        node->prev->next = node->next;
    if (node->next != nullptr)
        node->next->prev = node->prev;
    if (release != nullptr)
        release(node->data);

    if (node->next != nullptr) {
        curItem = node->next;
    } else {
        curItem = node->prev;
        --curItemIndex;
    }
    returnNode(node);

    --itemCount;
    if (itemCount == 0)
        resetEmpty();
    else if (wasLocked)
        lockArray();
}

void RubberItem::order(int32_t n, const int* permutation)
{
    if (n <= 0 || permutation == nullptr)
        return;
    for (int32_t k = 0; k < n; ++k) {
        if (permutation[k] < 0 || permutation[k] >= n)
            return;
    }
    // A locked array reads and writes its snapshot only, which cannot grow.
    if (lockedArray != nullptr && !(snapshotHolds(0) && snapshotHolds(n - 1)))
        return;

    void** temporary = static_cast<void**>(::operator new(saturatingBytes(n, sizeof(void*))));
    for (int32_t k = 0; k < n; ++k) {
        void** slot = get(k);
        temporary[k] = slot != nullptr ? *slot : nullptr;
    }
    for (int32_t k = 0; k < n; ++k) {
        void** slot = get(k);
        if (slot != nullptr)
            *slot = temporary[permutation[k]];
    }
    ::operator delete(temporary);
}

void RubberItem::exchange(int32_t i, int32_t j)
{
    if (i == j)
        return;
    if (lockedArray != nullptr && !(snapshotHolds(i) && snapshotHolds(j)))
        return;
    void** a = get(i);
    void** b = get(j);
    if (a == nullptr || b == nullptr)
        return;
    void* held = *a;
    *a = *b;
    *b = held;
}

void RubberItem::lockArray()
{
    discardSnapshot();
    lockedArray = static_cast<void**>(::operator new(saturatingBytes(itemCount, sizeof(void*))));
    _item_* node = firstItem;
    for (int32_t k = 0; k < itemCount && node != nullptr; ++k) {
        lockedArray[k] = node->data;
        node = node->next;
    }
}

void RubberItem::releaseArray()
{
    discardSnapshot();
}

void RubberItem::forEach(VisitFunction visitor, void* argument)
{
    walkFromCursor(curItem, [&](void* item) {
        visitor(item, argument);
        return false;
    });
}

void* RubberItem::firstThat(TestFunction test, void* argument)
{
    return walkFromCursor(curItem, [&](void* item) { return test(item, argument) != 0; });
}

void RubberItem::free(ReleaseFunction release)
{
    if (curItem == nullptr)
        return;
    discardSnapshot();
    for (_item_* node = curItem->next; node != nullptr;) {
        _item_* above = node->next;
        if (release != nullptr)
            release(node->data);
        node = above;
    }
    for (_item_* node = curItem; node != nullptr;) {
        _item_* below = node->prev;
        if (release != nullptr)
            release(node->data);
        node = below;
    }
    resetEmpty();
}

bool RubberItem::snapshotHolds(int32_t index) const
{
    const int64_t slot = static_cast<int64_t>(index) - firstItemIndex;
    return slot >= 0 && slot < itemCount;
}

void RubberItem::discardSnapshot()
{
    ::operator delete(lockedArray);
    lockedArray = nullptr;
}

void RubberItem::resetEmpty()
{
    releaseNodeBlocks();
    curItem = firstItem = lastItem = nullptr;
    curItemIndex = firstItemIndex = lastItemIndex = 0;
    itemCount = 0;
}
