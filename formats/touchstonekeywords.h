#pragma once

#include <cstdint>
#include <vector>

#include "loadresult.h"

// The most ports a Touchstone file may have to be read.
constexpr int kMaxTouchstonePorts = 32;

// How a Touchstone 2.0 file writes each frequency's matrix: whole, or only the lower or the
// upper triangle of a symmetric one.
enum TouchstoneMatrix : int { MatrixFull = 0, MatrixLower = 1, MatrixUpper = 2 };

// What the keyword lines of a Touchstone 2.0 file say, and where its parts lie in the prepared
// text (one NUL-terminated line per text line).
struct TouchstoneKeywords {
    int ports = 0;
    bool order12_21 = false; // a two-port's columns S11 S12 S21 S22 rather than S11 S21 S12 S22
    int64_t frequencies = -1; // -1 when the file does not say
    std::vector<double> references; // one per port, empty when the file gives none
    TouchstoneMatrix matrix = MatrixFull;
    const char* optionLine = nullptr; // null when there is none
    const char* dataStart = nullptr; // the line after [Network Data]
    const char* dataEnd = nullptr; // the keyword line that ends the network data, or the text end
};

// Whether the first line of prepared text is a [Version] keyword line, which makes the file a
// Touchstone 2 file (the parser accepts the versions 2.0 and 2.1).
bool isTouchstone2(const char* text, const char* end);

// Reads the keyword lines of a Touchstone 2.0 file's prepared text. LoadSuccess, or
// LoadNotSParameters for mixed-mode data, LoadTooManyPorts, or LoadBadKeywords when a keyword
// that the reading needs is missing or has a value that cannot be.
LoadResult parseTouchstoneKeywords(const char* text, const char* end, TouchstoneKeywords& keywords);
