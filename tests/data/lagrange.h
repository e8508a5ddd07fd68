#pragma once

#include "rubbers2pdata.h"

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
