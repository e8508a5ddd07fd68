#pragma once

#include <array>
#include <cstdint>

// A least-squares straight line y = c0 + c1 x over a ring of the most recent samples: the fit
// that RealPolyFit makes with two coefficients, to about 1e-12 of its values, at the cost of a
// running sum. Curve smoothing fits a line at every point, where refitting the whole ring each
// time cost more than the rest of the drawing. The sums are kept of x less a base, the oldest
// sample's x when they were last summed afresh, which they are once per ring length, so that
// neither large frequencies nor long runs of updates lose digits.
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
    // Sums the held samples afresh about the oldest one's x.
    void resum();

    int32_t capacity;
    int32_t head = 0; // index of the newest sample
    int32_t pushesSinceResum = 0;
    std::array<double, maxCapacity> xs {};
    std::array<double, maxCapacity> ys {};
    // Sums over the held samples of u = x - base: u, y, u u and u y.
    double base = 0;
    double sumU = 0;
    double sumY = 0;
    double sumUU = 0;
    double sumUY = 0;
};
