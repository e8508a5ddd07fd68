#pragma once

#include <cstdint>

#include "kelvarra_export.h"

// An array of untyped item pointers indexed by a signed integer. It stretches on demand in
// either direction to take in any index asked for, one chain node per index. In locked mode
// a flat snapshot of the item pointers gives constant-time, read-only access that any number
// of threads may share while nobody changes the array.
//
// The array never creates or destroys items: removing operations hand each item to a release
// function supplied by the caller. Copies are shallow and share the chain with their source.
class KELVARRA_EXPORT RubberItem {
public:
    using ReleaseFunction = void (*)(void* item);
    using VisitFunction = void (*)(void* item, void* argument);
    using TestFunction = int (*)(void* item, void* argument);

    struct _item_ {
        void* data;
        _item_* next;
        _item_* prev;
    };

    RubberItem();
    RubberItem(const RubberItem& other);
    RubberItem& operator=(const RubberItem& other);

    int exist(int32_t index);
    void insertAfter(int32_t index);
    void order(int32_t n, const int* permutation);
    void exchange(int32_t i, int32_t j);
    void lockArray();
    void releaseArray();

    virtual void forEach(VisitFunction visitor, void* argument);
    virtual void* firstThat(TestFunction test, void* argument);

    int32_t allocError;
    int32_t itemCount;
    _item_* curItem;
    _item_* firstItem;
    _item_* lastItem;
    int32_t curItemIndex;
    int32_t firstItemIndex;
    int32_t lastItemIndex;
    void** lockedArray;

protected:
    void** get(int32_t index);
    void free(ReleaseFunction release);
    void deleteItem(int32_t index, ReleaseFunction release);

private:
    struct NodeBlock;

    _item_* newItem();
    _item_* takeNode();
    void returnNode(_item_* node);
    void releaseNodeBlocks();
    bool snapshotHolds(int32_t index) const;
    void discardSnapshot();
    void resetEmpty();

    // The nodes come from blocks that grow with the array (single nodes at first, so that a
    // small array allocates as before), are kept on a spare list when deleted and go back
    // whole when the array becomes empty. A copy starts a pool of its own.
    NodeBlock* nodeBlocks = nullptr;
    _item_* spareNodes = nullptr;
    int32_t blockNodesLeft = 0;
    int32_t pooledNodes = 0;
};
