#pragma once

#include <string>

#include "loadresult.h"
#include "rubbers2pdata.h"
#include "touchstonescan.h"

// The data scan of a Touchstone 2 file and of a version 1 file of four ports or more: the
// numbers are read as one stream, a frequency followed by the pairs of its matrix (in the
// order and triangle that the keywords name), however the lines wrap. Each port is converted
// from its own reference to 50 ohm; the views are those of readTouchstone. A version 2 file
// that states [Number of Frequencies] must hold exactly that many points and nothing after
// them, else the result is LoadFrequencyCountDiffers.
LoadResult readNetworkData(const TouchstoneText& text, RubberS2PData* const* views, std::string& label);
