#include <gtest/gtest.h>

#include <cmath>

#include "portrenormalize.h"

namespace {

// A series resistance z between two ports of references r1 and r2.
ComplexMatrix seriesResistor(double z, double r1, double r2)
{
    ComplexMatrix s;
    s.resize(2, 2);
    const double d = z + r1 + r2;
    s(0, 0) = (z + r2 - r1) / d;
    s(1, 1) = (z + r1 - r2) / d;
    s(0, 1) = s(1, 0) = 2.0 * std::sqrt(r1 * r2) / d;
    return s;
}

} // namespace

TEST(PortRenormalize, EqualReferencesGiveTheSingleReferenceNumbers)
{
    // The single-reference conversion with scalar diagonal matrices, in its order of operations.
    const double r = 75.0;
    ComplexMatrix s;
    s.resize(2, 2);
    s(0, 0) = Complex(0.3, -0.1);
    s(0, 1) = Complex(0.6, 0.2);
    s(1, 0) = Complex(0.55, 0.25);
    s(1, 1) = Complex(-0.2, 0.4);
    const double gamma = (50.0 - r) / (50.0 + r);
    const ComplexMatrix a = scalarDiagonal(s, Complex(std::sqrt(50.0 / r) / (50.0 + r), 0.0));
    const ComplexMatrix g = scalarDiagonal(s, Complex(gamma, 0.0));
    const ComplexMatrix expected = inverse(a) * (s - g) * inverse(identity(s) - g * s) * a;

    const double references[2] = { r, r };
    renormalizePorts(s, references);
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            EXPECT_EQ(s(i, j), expected(i, j)) << i << j;
}

TEST(PortRenormalize, EachPortFromItsOwnReference)
{
    struct Row {
        double z, r1, r2, newR;
    };
    const Row rows[] = { { 30, 50, 75, 50 }, { 10, 25, 100, 50 }, { 200, 60, 40, 75 }, { 0, 50, 50, 50 } };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.r1 * 1000 + row.r2);
        ComplexMatrix s = seriesResistor(row.z, row.r1, row.r2);
        const double references[2] = { row.r1, row.r2 };
        renormalizePorts(s, references, row.newR);
        const ComplexMatrix expected = seriesResistor(row.z, row.newR, row.newR);
        for (int i = 0; i < 2; ++i) {
            for (int j = 0; j < 2; ++j) {
                EXPECT_NEAR(s(i, j).real(), expected(i, j).real(), 1e-12) << i << j;
                EXPECT_NEAR(s(i, j).imag(), 0.0, 1e-12) << i << j;
            }
        }
    }
}

TEST(PortRenormalize, LargeNetworkOfUnconnectedPorts)
{
    // Eight open ports (S = 1 at any reference) and resistive loads stay open; a matched load
    // at its own reference reflects (R - 50) / (R + 50) at 50 ohm.
    const int n = 8;
    ComplexMatrix s;
    s.resize(n, n);
    double references[n];
    for (int i = 0; i < n; ++i) {
        references[i] = 20.0 + 15.0 * i;
        s(i, i) = i % 2 == 0 ? 1.0 : 0.0;
    }
    renormalizePorts(s, references);
    for (int i = 0; i < n; ++i) {
        const double expected = i % 2 == 0 ? 1.0 : (references[i] - 50.0) / (references[i] + 50.0);
        EXPECT_NEAR(s(i, i).real(), expected, 1e-12) << i;
        for (int j = 0; j < n; ++j) {
            if (j != i) {
                EXPECT_NEAR(std::abs(s(i, j)), 0.0, 1e-12) << i << j;
            }
        }
    }
}
