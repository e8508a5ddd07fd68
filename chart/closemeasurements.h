#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rubbers2p.h"

struct ChartState;

// The display names of the measurements in list order, as the close-files dialog lists them.
std::vector<std::string> measurementNames(RubberS2P& list);

// Closes the selected measurements of the state (indices from the close-files dialog, in any
// order; repeated or out-of-range indices count once or not at all). The visibility flags of the
// others move to their new indices: the flags of the closed ones are marked with -1 and the
// table's entries of the former measurements are compacted. Only entries that exist in
// rowVisible are touched, so a table shorter than the list is safe. referenceIndex keeps naming
// the same measurement, or -1 when it is closed. A closed measurement's source path passes to
// the first remaining view of the same file that follows it, so that re-reading still reads
// that file.
void closeMeasurements(ChartState& state, std::vector<int32_t> selected);
