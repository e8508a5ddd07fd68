#pragma once

#include <cstddef>
#include <functional>
#include <thread>

// The split of a large data text between the reading thread and a helper thread: the helper
// reads the second half at the same time, and its points join the measurements once the first
// half is in.

// Where the second half of the data text between begin and end starts: just after the first
// line end at or past the middle, so that no line lies in both halves. Null when the text is
// too short for a helper to save more than it costs, or no line ends past the middle.
const char* secondHalfStart(const char* begin, const char* end);

// The line ends between begin and end: every line but perhaps the last ends with a NUL.
size_t countLineEnds(const char* begin, const char* end);

// Starts work on helper; false when no thread can be had, the caller then reading alone.
bool startHelper(std::thread& helper, const std::function<void()>& work);
