#pragma once

#include <cstddef>
#include <functional>

#include "filebuffer.h"

// The most numbers that scanNumberLines reads from one line.
constexpr int kMaxLineNumbers = 9;

// The first number character at or after p in prepared text, or end.
const char* nextNumberStart(const char* p, const char* end);
// The NUL that ends the line holding p, or end.
const char* lineEnd(const char* p, const char* end);
// How many lines of prepared text between begin and end hold a number character.
size_t countNumberLines(const char* begin, const char* end);

// Hands the numbers of each line of prepared text between begin and end (NUL-terminated lines)
// that holds a number character to take, in file order: up to width numbers (at most
// kMaxLineNumbers) read as scanNumbers does from the first number character of the line, and
// how many were read. Stops when take returns false. When file is given, the memory of the text
// between begin and the scan goes back to the kernel as it goes. Returns false when take
// stopped; resume, when given, receives where the lines after the last one taken start.
bool scanNumberLines(const char* begin, const char* end, int width, FileBytes* file,
    const std::function<bool(const double* numbers, int count)>& take, const char** resume = nullptr);
