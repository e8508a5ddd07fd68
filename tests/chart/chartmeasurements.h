#pragma once

#include <cmath>
#include <cstdint>
#include <functional>

#include "rubbers2p.h"

// The S-parameters of one generated point: S11, S21, S12, S22.
struct GeneratedPoint {
    Complex s11;
    Complex s21;
    Complex s12;
    Complex s22;
};

// Appends a measurement of evenly spaced points from first to last hertz whose S-parameters
// come from sParams(frequency).
inline RubberS2PData& addMeasurement(RubberS2P& list, double first, double last, int32_t points,
    const std::function<GeneratedPoint(double)>& sParams)
{
    RubberS2PData& m = *list.measurement(list.itemCount);
    for (int32_t i = 0; i < points; ++i) {
        S2PPoint& p = *m.point(i);
        p.freq = points > 1 ? first + (last - first) * i / (points - 1) : first;
        const GeneratedPoint g = sParams(p.freq);
        p.sParams(0, 0) = g.s11;
        p.sParams(1, 0) = g.s21;
        p.sParams(0, 1) = g.s12;
        p.sParams(1, 1) = g.s22;
    }
    m.dataValid = 1;
    m.updateFreqSummary();
    return m;
}

// A measurement whose four S-parameters are the same constant everywhere.
inline RubberS2PData& addConstantMeasurement(
    RubberS2P& list, double first, double last, int32_t points, Complex s)
{
    return addMeasurement(list, first, last, points, [s](double) { return GeneratedPoint { s, s, s, s }; });
}

// A band-pass filter of the given centre and relative width seen through a line of the given
// delay: a smooth passband, steep skirts and a phase that wraps.
inline GeneratedPoint bandPass(double f, double centre, double width, double delay, double ripple)
{
    const double pi = 3.141592653589793;
    const double detune = (f / centre - centre / std::max(f, 1.0)) / width;
    const Complex h = 1.0 / Complex(1.0, detune * detune * detune);
    const Complex line = std::polar(1.0, -2 * pi * f * delay);
    const Complex s21 = h * line * (1.0 - ripple * std::cos(f / centre * 40));
    const double reflected = std::sqrt(std::max(0.0, 1.0 - std::norm(s21)));
    const Complex s11 = std::polar(reflected, -pi * f * delay + 0.3);
    return GeneratedPoint { s11, s21, s21, s11 * Complex(0.9, 0.1) };
}
