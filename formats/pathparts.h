#pragma once

#include <string>

// The parts of a path as the loader uses them: the file name is the last component (after the
// last '/') up to its last '.', the extension the rest of it from that '.', the '.' included.
// A component without '.' has no extension; a '.' in a directory name does not count.

// The file name without directory and extension ("filter" of "/data/filter.s2p").
std::string fileNamePart(const std::string& path);

// The extension with its '.' (".s2p" of "/data/filter.s2p"), empty when there is none.
std::string extensionPart(const std::string& path);

// Whether the path's extension equals extension (given with its '.'), ignoring ASCII case; a
// '#' in extension stands for one or more digits (".s#p" matches ".s4p" and ".s16p").
bool hasExtension(const std::string& path, const char* extension);
