#pragma once

#include <string>

#include "loadresult.h"
#include "rubbers2pdata.h"
#include "touchstonescan.h"

// The data scan of version 1 three-port files: a frequency group is the line that starts it and
// the next two lines that hold numbers. Each group becomes one point of each of the four views
// of readTouchstone (views 1-2, 2-3, 1-3, each converted from the option line's reference on its
// own, and the reduced view, whose joined ports label receives), up to the first frequency that
// does not increase.
LoadResult readThreePortLines(const TouchstoneText& text, RubberS2PData* const* views, std::string& label);
