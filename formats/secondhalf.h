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

// About how many lines the data text between begin and end holds, judged by the length of its
// first line, with an eighth more: the room that the points of a large file's part take at once,
// so that they come in one block on huge pages, without a pass over the text to count them.
size_t estimatedLines(const char* begin, const char* end);

// Starts work on helper; false when no thread can be had, the caller then reading alone.
bool startHelper(std::thread& helper, const std::function<void()>& work);
