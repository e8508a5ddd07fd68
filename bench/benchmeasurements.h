#pragma once

#include <cmath>
#include <complex>
#include <cstdint>

#include "rubbers2p.h"

// The measurements the chart benchmarks draw: band-pass filters of 10,001 points each.
constexpr int32_t pointsPerMeasurement = 10001;

// A small deterministic noise source, so that every run draws the same curves.
class Noise {
public:
    double next()
    {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state >> 11) / 9007199254740992.0 - 0.5;
    }

private:
    uint64_t state = 12345;
};

// Band-pass filters of slightly different centres behind a line, with measurement noise:
// curves with smooth stretches, steep skirts, ripple and phase wraps. Points in 1 MHz steps
// from 10 MHz, every stride-th of them.
inline void addFilter(
    RubberS2P& list, int32_t index, Noise& noise, int32_t stride = 1, int32_t points = pointsPerMeasurement)
{
    const double pi = 3.141592653589793;
    const double centre = 4e9 + index * 20e6;
    RubberS2PData& m = *list.measurement(list.itemCount);
    for (int32_t i = 0; i * stride < points; ++i) {
        const double f = 10e6 + i * stride * 1e6;
        const double detune = (f / centre - centre / f) / 0.4;
        const std::complex<double> h = 1.0 / std::complex<double>(1.0, detune * detune * detune);
        const double wobble = 1 + 0.01 * noise.next();
        const std::complex<double> s21 = h * std::polar(wobble, -2 * pi * f * 1.5e-9);
        const std::complex<double> s11
            = std::polar(0.2 + 0.05 * std::cos(f * 1e-8) + 0.01 * noise.next(), -f * 1e-9);
        S2PPoint& p = *m.point(i);
        p.freq = f;
        p.sParams(0, 0) = s11;
        p.sParams(1, 0) = s21;
        p.sParams(0, 1) = s21;
        p.sParams(1, 1) = s11 * 0.9;
    }
    m.dataValid = 1;
    m.updateFreqSummary();
}
