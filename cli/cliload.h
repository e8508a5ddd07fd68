#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "rubbers2p.h"

// Loads the files as the program's window does (the parallel loader, then the removal of
// measurements without points) and puts the measurements into the order of the paths with
// the re-read rule. Every path that yields no measurement gets one line on err: the path and
// the reason. Returns whether every path yielded at least one measurement.
bool loadForCli(const std::vector<std::string>& paths, RubberS2P& list, std::ostream& err);

// The list for a command's measurements, left for the process's end to give back: ending a
// large list point by point takes milliseconds (tens for a large four-port file) that exiting
// spares. One list per run of the tool; it stays reachable, so a leak checker passes over it.
RubberS2P& listKeptToExit();

// Every reason a file's line on err may give, in the order the help lists them.
std::vector<std::string> loadFailureReasons();
