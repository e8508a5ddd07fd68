#pragma once

#include <cstdint>

// Loops of a few arithmetic operations per element are split over threads only from this many
// elements on; below it starting the threads costs more than the loop.
constexpr int32_t parallelLoopMinimum = 100000;
