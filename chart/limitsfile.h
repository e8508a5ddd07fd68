#pragma once

#include <string>

#include "limitmask.h"

// Largest limits file read; a mask is a few dozen lines, so anything near this is no mask.
constexpr size_t maximumLimitsFileBytes = 64u << 20;

// Reads the limits file at path (UTF-8) and parses it with parseLimits. Returns true with the
// mask in limits; false with limits untouched and one line for the user in error:
// "PATH:LINE: REASON" for a bad line, "PATH: REASON" when the file cannot be read, is too
// large or holds no segment.
bool readLimitsFile(const std::string& path, Limits& limits, std::string& error);
