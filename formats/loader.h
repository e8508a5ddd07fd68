#pragma once

#include <string>
#include <vector>

#include "loadresult.h"
#include "rubbers2p.h"

// Loads the file at path into the measurement list, choosing the reader by the extension (the
// rows of readerExtensions, any letter case) and naming the new measurements. Safe
// to call from several threads at once for different paths: every growth of the list happens
// under loadLock. A file that fails leaves no measurement or measurements without points.
// Returns the reader's outcome for callers that report it (LoadSuccess when a column or CSV
// file was read, whatever it held; LoadTooManyMeasurements for one that would yield more
// than maxListMeasurements; LoadNoData for an extension without a reader; LoadOutOfMemory,
// never an exception, when the memory ran out on the way).
LoadResult loadFile(RubberS2P& list, const std::string& path);

// Loads every path in a parallel loop with a static schedule and returns when all are done.
// results, when given, receives loadFile's outcome for each path, in path order.
void loadFiles(
    RubberS2P& list, const std::vector<std::string>& paths, std::vector<LoadResult>* results = nullptr);

// Loads every argument after the program name as a file path.
void loadCommandLine(RubberS2P& list, int argc, const char* const* argv);

// Whether the path's extension names one of the readers.
bool hasReader(const std::string& path);

// One extension that the loader reads: '#' stands for the digits of a port count (".s#p"). The
// type name is what file lists call such files; tables are listed apart from measurement files.
struct ReaderExtension {
    const char* extension;
    const char* typeName;
    bool table;
};

// The extensions of the loader's readers, in the order in which they are tried.
std::vector<ReaderExtension> readerExtensions();
// The extensions for messages: ".s1p, .s2p, ..., .sNp, ...".
std::string readerExtensionList();
