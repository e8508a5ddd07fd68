#pragma once

#include <string>

#include "loadresult.h"
#include "rubbers2pdata.h"

// Writes m as a Touchstone two-port file in GHz, dB and degrees with a fixed comment, option
// line and column header, lines ended by CR LF. The file appears whole or not at all: a
// failure leaves any file of that name as it was. Returns LoadSuccess (also, without writing,
// when m holds no valid data) and sets m.sourcePath to path, or LoadCannotWrite when the file
// cannot be created or written, with m.sourcePath emptied.
LoadResult writeAveragedS2P(RubberS2PData& m, const std::string& path);
