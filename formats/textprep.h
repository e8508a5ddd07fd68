#pragma once

#include <cstddef>

// Prepares the text of a measurement file in place: drops a leading UTF-8 byte-order mark and
// comments (from '!' or any byte above 'z' to the line end), turns decimal commas into points
// and control characters into blanks, and leaves one NUL-terminated line per non-empty text
// line, without leading or trailing blanks and with single blanks between tokens. The buffer
// must hold length + 1 bytes. Returns the prepared length; a NUL always follows it.
size_t normalizeText(char* buffer, size_t length);
