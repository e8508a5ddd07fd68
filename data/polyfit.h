#pragma once

#include <algorithm>
#include <complex>
#include <cstdint>
#include <type_traits>
#include <vector>

// A least-squares polynomial fit over a ring of the most recent samples (x, y). Callers stream
// samples in with push and fit the ones held with fitAt. Two element types share the algorithm:
// complex numbers (a parabola over the last 32 samples, for interpolating measurements) and
// doubles (coefficient count and capacity chosen by the user, for smoothing curves).
//
// The normal equations are built from power sums and solved without pivoting, exactly in the
// order written below, so that every caller sees the same numbers bit for bit. With fewer
// distinct abscissae than coefficients a pivot is zero and the result is infinite or
// not-a-number; nothing is reported.
template <typename T> class PolyFit {
public:
    struct Sample {
        T y;
        T x;
    };

    // The complex form: a parabola over a ring of 32 samples.
    static constexpr int32_t kComplexCoefCount = 3;
    static constexpr int32_t kComplexCapacity = 32;

    template <typename U = T, std::enable_if_t<std::is_same_v<U, std::complex<double>>, int> = 0>
    PolyFit()
        : PolyFit(kComplexCoefCount, kComplexCapacity)
    {
    }

    // Counts below 1 are taken as 1: an empty ring could not take a sample.
    PolyFit(int32_t coefficients, int32_t ringCapacity)
        : coefCount(coefficients < 1 ? 1 : coefficients)
        , capacity(ringCapacity < 1 ? 1 : ringCapacity)
        , coef(static_cast<size_t>(coefCount), T(0))
        , samples(static_cast<size_t>(capacity), Sample { T(0), T(0) })
        , rhs(static_cast<size_t>(coefCount))
        , powerSums(static_cast<size_t>(2 * coefCount - 1))
        , normal(static_cast<size_t>(coefCount) * static_cast<size_t>(coefCount))
    {
    }

    // Adds a sample; when the ring is full it overwrites the oldest one.
    void push(const T& x, const T& y)
    {
        if (sampleCount < capacity) {
            head = sampleCount;
            samples[static_cast<size_t>(head)] = Sample { y, x };
            ++sampleCount;
            return;
        }
        head = (head + 1) % sampleCount;
        samples[static_cast<size_t>(head)] = Sample { y, x };
    }

    // The held sample of the given age counted from the oldest (0) to the newest
    // (sampleCount - 1).
    const Sample& sampleFromOldest(int32_t age) const
    {
        const int32_t k = sampleCount - 1 - age;
        return samples[static_cast<size_t>((sampleCount + head - k) % sampleCount)];
    }

    // Fits the polynomial to the held samples, stores its coefficients (constant term first)
    // in coef and returns its value at x0.
    T fitAt(const T& x0)
    {
        const int32_t n = coefCount;
        std::fill(rhs.begin(), rhs.end(), T(0));
        std::fill(powerSums.begin(), powerSums.end(), T(0));

        // Sums of y * x^j and of x^j, oldest sample first, powers by repeated multiplication.
        for (int32_t age = 0; age < sampleCount; ++age) {
            const Sample& s = sampleFromOldest(age);
            T p = T(1);
            T v = s.y;
            for (int32_t j = 0; j <= 2 * n - 2; ++j) {
                if (j < n) {
                    rhs[static_cast<size_t>(j)] += v;
                    v *= s.x;
                }
                powerSums[static_cast<size_t>(j)] += p;
                p *= s.x;
            }
        }
        for (int32_t j = 0; j < n; ++j) {
            for (int32_t k = 0; k < n; ++k)
                at(j, k) = powerSums[static_cast<size_t>(j + k)];
        }

        for (int32_t j = 0; j < n - 1; ++j) {
            for (int32_t r = j + 1; r < n; ++r) {
                const T f = -at(r, j) / at(j, j);
                at(r, j) = f;
                for (int32_t c = j + 1; c < n; ++c)
                    at(r, c) = at(r, c) + at(j, c) * f;
                rhs[static_cast<size_t>(r)] = rhs[static_cast<size_t>(r)] + f * rhs[static_cast<size_t>(j)];
            }
        }

        coef[static_cast<size_t>(n - 1)] = rhs[static_cast<size_t>(n - 1)] / at(n - 1, n - 1);
        for (int32_t r = n - 2; r >= 0; --r) {
            T s = rhs[static_cast<size_t>(r)];
            for (int32_t c = r + 1; c < n; ++c)
                s -= at(r, c) * coef[static_cast<size_t>(c)];
            coef[static_cast<size_t>(r)] = s / at(r, r);
        }

        T a = T(0);
        for (int32_t j = n - 1; j >= 1; --j)
            a = (coef[static_cast<size_t>(j)] + a) * x0;
        return coef[0] + a;
    }

    // Forgets the held samples; storage and the last coefficients stay.
    void restart()
    {
        sampleCount = 0;
        head = 0;
    }

    const int32_t coefCount;
    const int32_t capacity;
    std::vector<T> coef;
    int32_t sampleCount = 0;
    // Index in samples of the newest sample.
    int32_t head = 0;
    std::vector<Sample> samples;

private:
    T& at(int32_t row, int32_t col)
    {
        return normal[static_cast<size_t>(row) * static_cast<size_t>(coefCount) + static_cast<size_t>(col)];
    }

    // Work storage of fitAt, kept so that streaming fits allocate nothing.
    std::vector<T> rhs;
    std::vector<T> powerSums;
    std::vector<T> normal;
};

using ComplexPolyFit = PolyFit<std::complex<double>>;
using RealPolyFit = PolyFit<double>;
