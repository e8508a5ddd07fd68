#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "rubbers2p.h"

// The S-parameters of one made point in the order of a Touchstone two-port line:
// S11, S21, S12, S22.
using SParams = std::array<Complex, 4>;

// The (row, column) of each entry of SParams in the 2 x 2 matrix.
constexpr int kElements[4][2] = { { 0, 0 }, { 1, 0 }, { 0, 1 }, { 1, 1 } };

// Appends to m one point per frequency with the S-parameters values(frequency), in the given
// order, and marks m valid as a reader leaves it.
void fillMeasurement(
    RubberS2PData& m, const std::vector<double>& freqs, const std::function<SParams(double)>& values);

// The given number of evenly spaced frequencies from first to last hertz; one gives first.
std::vector<double> evenFrequencies(double first, double last, int32_t points);

// Appends a measurement of points at the given frequencies to list.
RubberS2PData& addMeasurement(
    RubberS2P& list, const std::vector<double>& freqs, const std::function<SParams(double)>& values);

// Appends a measurement of evenly spaced points from first to last hertz to list.
RubberS2PData& addMeasurement(
    RubberS2P& list, double first, double last, int32_t points, const std::function<SParams(double)>& values);

// A measurement whose four S-parameters are the same constant everywhere.
RubberS2PData& addConstantMeasurement(RubberS2P& list, double first, double last, int32_t points, Complex s);

// A band-pass filter of the given centre and relative width seen through a line of the given
// delay: a smooth passband, steep skirts and a phase that wraps.
SParams bandPass(double f, double centre, double width, double delay, double ripple);
