#pragma once

#include <string>

#include "loadresult.h"
#include "rubbers2p.h"

// The "Averaged S2P" command once a file name is chosen: averages every measurement of the
// list into a temporary measurement and writes it to path, replacing an existing file. The
// temporary is never added to the list. Returns LoadNoData without writing when the list is
// empty, LoadCannotWrite when the file cannot be written or the average could not be built,
// LoadNoData when no averaged point is a finite number, LoadSuccess otherwise, so that the
// caller can report a failure; reason, when given, receives the writer's reason.
LoadResult averagedS2PCommand(RubberS2P& list, const std::string& path, std::string* reason = nullptr);
