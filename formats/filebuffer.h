#pragma once

#include <memory>
#include <string>

#include "loadresult.h"

// Reads the whole file at path (UTF-8) with room for one byte more after its contents, as the
// readers prepare their text in place. length receives the file's size. Returns LoadSuccess,
// LoadCannotOpen when the path is not a readable regular file, or LoadCannotRead when the
// contents cannot be read whole.
// The buffer is left uninitialised beyond what the read fills, except for the spare byte.
using FileBytes = std::unique_ptr<char[]>;
LoadResult readWholeFile(const std::string& path, FileBytes& buffer, size_t& length);
