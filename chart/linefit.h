#pragma once

#include <array>
#include <cstdint>

// A least-squares straight line y = c0 + c1 x over a ring of the most recent samples: the fit
// that RealPolyFit makes with two coefficients, value for value (the same sums, oldest sample
// first, and the same elimination), without the loops of its general degree. Curve smoothing
// fits a line at every point, where those loops cost more than the fit.
class LineFit {
public:
    // Most samples a ring holds.
    static constexpr int32_t maxCapacity = 32;

    // A capacity below 1 holds one sample, one above maxCapacity holds maxCapacity.
    explicit LineFit(int32_t ringCapacity);

    // Adds a sample; when the ring is full it overwrites the oldest one.
    void push(double x, double y);
    // Fits the line to the held samples, stores c0 and c1 and returns its value at x0.
    double fitAt(double x0);
    // Forgets the held samples; the last coefficients stay.
    void restart();

    // Largest distance |c1 x + c0 - y| of the held samples from the line, oldest first, where
    // the newest one counts with the distance given.
    double spread(double newestDistance) const;

    int32_t sampleCount = 0;
    double c0 = 0;
    double c1 = 0;

private:
    int32_t capacity;
    int32_t head = 0; // index of the newest sample
    std::array<double, maxCapacity> xs {};
    std::array<double, maxCapacity> ys {};
};
