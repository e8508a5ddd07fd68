#pragma once

#include <array>
#include <functional>
#include <vector>

#include "rubbers2pdata.h"

// The four S-parameters of a test point as (row, column) of the 2 x 2 matrix.
constexpr int kElements[4][2] = { { 0, 0 }, { 0, 1 }, { 1, 0 }, { 1, 1 } };

using SParams = std::array<Complex, 4>; // S11, S12, S21, S22

// Fills m with one point per frequency, S-parameters from values, as a reader accepts them.
inline void fillMeasurement(
    RubberS2PData& m, const std::vector<double>& freqs, const std::function<SParams(double)>& values)
{
    for (double f : freqs) {
        S2PPoint* p = m.point(m.itemCount);
        p->freq = f;
        const SParams s = values(f);
        for (int e = 0; e < 4; ++e)
            p->sParams(kElements[e][0], kElements[e][1]) = s[e];
    }
    m.dataValid = 1;
    m.updateFreqSummary();
}

// The parabola through (x0, y0), (x1, y1), (x2, y2) at x, in Lagrange's form.
inline Complex lagrange(const double x[3], const Complex y[3], double at)
{
    Complex sum(0, 0);
    for (int i = 0; i < 3; ++i) {
        double w = 1.0;
        for (int j = 0; j < 3; ++j) {
            if (j != i)
                w *= (at - x[j]) / (x[i] - x[j]);
        }
        sum += y[i] * w;
    }
    return sum;
}
