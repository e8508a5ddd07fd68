#pragma once

#include "loadresult.h"
#include "rubbers2pdata.h"
#include "touchstonescan.h"

// The data scan of version 1 one- and two-port files: one point per data line, in file order,
// up to the first frequency that does not increase. A short two-port line keeps the previous
// line's later numbers; a short one-port line reads zeros. A large text is read in two halves at
// once: a helper thread reads the second half and makes its points, which join the measurement
// once the first half is in; the points are the same as those of one scan from the start.
LoadResult readPointLines(RubberS2PData& measurement, const TouchstoneText& text, bool onePort);
