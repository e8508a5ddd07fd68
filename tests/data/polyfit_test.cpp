#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "polyfit.h"

namespace {

using C = std::complex<double>;

void expectComplexNear(C actual, C expected, double tol)
{
    EXPECT_NEAR(actual.real(), expected.real(), tol);
    EXPECT_NEAR(actual.imag(), expected.imag(), tol);
}

TEST(PolyFit, ParabolaThroughThreeSamples)
{
    // y = 2 + 3x + x^2
    ComplexPolyFit fit;
    for (double x : { 0.0, 1.0, 2.0 })
        fit.push(C(x, 0), C(2 + 3 * x + x * x, 0));
    expectComplexNear(fit.fitAt(C(2, 0)), C(12, 0), 1e-12);
    expectComplexNear(fit.coef[0], C(2, 0), 1e-12);
    expectComplexNear(fit.coef[1], C(3, 0), 1e-12);
    expectComplexNear(fit.coef[2], C(1, 0), 1e-12);
    expectComplexNear(fit.fitAt(C(3, 0)), C(20, 0), 1e-12);
}

TEST(PolyFit, ComplexCoefficientsAndAbscissae)
{
    const C a0(1, 1), a1(2, -1), a2(0, 0.5);
    auto y = [&](C x) { return a0 + a1 * x + a2 * x * x; };
    ComplexPolyFit fit;
    for (C x : { C(1, 1), C(2, 0), C(0, -1) })
        fit.push(x, y(x));
    const C x0(-0.5, 2);
    expectComplexNear(fit.fitAt(x0), y(x0), 1e-12);
    expectComplexNear(fit.coef[2], a2, 1e-12);
}

TEST(PolyFit, LeastSquaresOverMoreSamplesThanCoefficients)
{
    // Residuals about 1 + 2x that sum to 0 and are uncorrelated with x: sums n 4, x 6, xx 14,
    // y 16, xy 34, so slope (4*34 - 6*16) / (4*14 - 6*6) = 2 and intercept (16 - 2*6) / 4 = 1.
    RealPolyFit fit(2, 8);
    const double offsets[] = { 0.5, -0.5, -0.5, 0.5 };
    for (int i = 0; i < 4; ++i)
        fit.push(i, 1 + 2 * i + offsets[i]);
    EXPECT_NEAR(fit.fitAt(10), 21.0, 1e-12);
    EXPECT_NEAR(fit.coef[0], 1.0, 1e-12);
    EXPECT_NEAR(fit.coef[1], 2.0, 1e-12);
}

TEST(PolyFit, RingKeepsTheLastSamplesOldestFirst)
{
    RealPolyFit fit(2, 4);
    const double xs[] = { 0.1, 0.7, 1.3, 2.9, 3.3, 5.1 };
    const double ys[] = { 9.0, -4.0, 0.3, 1.7, 2.2, 4.9 };
    for (int i = 0; i < 6; ++i)
        fit.push(xs[i], ys[i]);
    EXPECT_EQ(fit.sampleCount, 4);
    EXPECT_EQ(fit.head, 1);
    for (int age = 0; age < 4; ++age) {
        EXPECT_EQ(fit.sampleFromOldest(age).x, xs[age + 2]);
        EXPECT_EQ(fit.sampleFromOldest(age).y, ys[age + 2]);
    }

    // The same four samples pushed into a fresh ring give the same sums in the same order.
    RealPolyFit fresh(2, 4);
    for (int i = 2; i < 6; ++i)
        fresh.push(xs[i], ys[i]);
    EXPECT_EQ(fit.fitAt(4.0), fresh.fitAt(4.0));
    EXPECT_EQ(fit.coef, fresh.coef);
}

TEST(PolyFit, StraightLine)
{
    RealPolyFit fit(2, 4);
    fit.push(0, 1);
    fit.push(1, 3);
    fit.push(2, 5);
    // Worked by hand: every step of the elimination is exact in binary.
    EXPECT_EQ(fit.fitAt(3), 7.0);
    EXPECT_EQ(fit.coef[0], 1.0);
    EXPECT_EQ(fit.coef[1], 2.0);
}

TEST(PolyFit, SingleSampleGivesNotANumber)
{
    for (double x : { 0.0, 2.5 }) {
        RealPolyFit real(2, 4);
        real.push(x, 1.0);
        EXPECT_TRUE(std::isnan(real.fitAt(1.0))) << x;

        ComplexPolyFit complex;
        complex.push(C(x, 0), C(1, 1));
        const C r = complex.fitAt(C(1, 0));
        EXPECT_TRUE(std::isnan(r.real()) || std::isnan(r.imag())) << x;
    }
}

TEST(PolyFit, EmptyFitGivesNotANumber)
{
    RealPolyFit fit(2, 4);
    EXPECT_TRUE(std::isnan(fit.fitAt(1.0)));
}

TEST(PolyFit, RestartStoresAtIndexZeroAgainAndKeepsCoefficients)
{
    RealPolyFit fit(2, 3);
    for (int i = 0; i < 5; ++i)
        fit.push(i, 2.0 * i);
    fit.fitAt(0);
    const std::vector<double> coef = fit.coef;
    fit.restart();
    EXPECT_EQ(fit.sampleCount, 0);
    EXPECT_EQ(fit.head, 0);
    EXPECT_EQ(fit.coef, coef);
    fit.push(7, 8);
    EXPECT_EQ(fit.head, 0);
    EXPECT_EQ(fit.sampleCount, 1);
    EXPECT_EQ(fit.samples[0].x, 7);
    EXPECT_EQ(fit.samples[0].y, 8);
}

TEST(PolyFit, CountsBelowOneAreTakenAsOne)
{
    RealPolyFit fit(0, 0);
    EXPECT_EQ(fit.coefCount, 1);
    EXPECT_EQ(fit.capacity, 1);
    fit.push(1, 4);
    fit.push(2, 6);
    EXPECT_EQ(fit.sampleCount, 1);
    // One coefficient: the mean of the held samples, here only the last.
    EXPECT_EQ(fit.fitAt(9), 6.0);
}

} // namespace
