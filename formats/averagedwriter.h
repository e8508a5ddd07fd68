#pragma once

#include <string>

#include "loadresult.h"
#include "rubbers2pdata.h"

// Writes m as a Touchstone two-port file in GHz, dB and degrees with a fixed comment, option
// line and column header, lines ended by CR LF, through SaveFile: whole or not at all, a
// failure leaves any file of that name as it was. A point with a field that is not a finite
// number (an infinite frequency, a NaN average) is left out of the file. Returns LoadSuccess
// (also, without writing, when m holds no valid data) and sets m.sourcePath to path;
// LoadNoData without writing when no point is left; LoadCannotWrite when the file cannot be
// created or written. On failure m.sourcePath is emptied and reason, when given, receives
// the reason ("not writable: permission denied", ...).
LoadResult writeAveragedS2P(RubberS2PData& m, const std::string& path, std::string* reason = nullptr);
