#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exportinput.h"

// The traces the export and the chart's legend list, in increasing order: those shown whose
// values the buffers hold whole.
std::vector<int32_t> exportedTraces(const ExportInput& input);

// The display name of trace t's measurement; empty when it has none.
std::string displayNameOf(const ExportInput& input, int32_t trace);
