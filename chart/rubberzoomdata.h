#pragma once

#include <cstdint>

#include "rubberitem.h"
#include "zoomentry.h"

// Releases an entry made by RubberZoomData; accepts null.
void releaseZoomEntry(void* item);

// The history of views, a stack whose last entry is the view in force. It owns its entries.
// Entries sit at indexes 0 to itemCount - 1.
class RubberZoomData final : public RubberItem {
public:
    RubberZoomData() = default;
    RubberZoomData(const RubberZoomData&) = delete;
    RubberZoomData& operator=(const RubberZoomData&) = delete;
    ~RubberZoomData();

    // The view in force: the last entry, or entry 0 of an empty list. A missing entry is made
    // with the automatic defaults. When no memory is left for it, a spare automatic entry
    // held by the list stands in, so callers always get a usable view.
    ZoomEntry& currentZoom();
    // Appends an automatic entry, which becomes the view in force.
    ZoomEntry& pushZoom();
    // Removes the last entry; an empty list stays empty.
    void popZoom();
    // Removes every entry.
    void clear();

private:
    ZoomEntry* entryAt(int32_t index);

    ZoomEntry spare;
};
