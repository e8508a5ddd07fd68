#pragma once

#include <string>
#include <vector>

#include "rubbers2p.h"

// Removes every measurement that has no frequency points, keeping the order of the others.
void removeEmptyMeasurements(RubberS2P& list);

// The non-empty source paths of the list, in list order: one per loaded file.
std::vector<std::string> collectSourcePaths(RubberS2P& list);

// Puts the measurements from index first on back into the order of paths after they were
// loaded in parallel: for each path in turn, the first not yet placed measurement with that
// source path and the measurements with an empty source path that follow it (the further
// views and columns of that file). The measurements before first stay where they are. When
// that does not place every measurement from first on exactly once, the load order stays.
// Returns whether the list was reordered.
bool restoreFileOrder(RubberS2P& list, const std::vector<std::string>& paths, int32_t first = 0);
