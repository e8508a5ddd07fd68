#include "rubberzoomdata.h"

#include <new>

void releaseZoomEntry(void* item)
{
    delete static_cast<ZoomEntry*>(item);
}

RubberZoomData::~RubberZoomData()
{
    clear();
}

ZoomEntry* RubberZoomData::entryAt(int32_t index)
{
    void** slot = get(index);
    if (slot == nullptr)
        return nullptr;
    if (*slot == nullptr)
        *slot = new (std::nothrow) ZoomEntry;
    return static_cast<ZoomEntry*>(*slot);
}

ZoomEntry& RubberZoomData::currentZoom()
{
    ZoomEntry* entry = entryAt(itemCount > 0 ? itemCount - 1 : 0);
    if (entry != nullptr)
        return *entry;
    spare = ZoomEntry();
    return spare;
}

ZoomEntry& RubberZoomData::pushZoom()
{
    entryAt(itemCount);
    return currentZoom();
}

void RubberZoomData::popZoom()
{
    if (itemCount > 0)
        deleteItem(itemCount - 1, releaseZoomEntry);
}

void RubberZoomData::clear()
{
    free(releaseZoomEntry);
}
