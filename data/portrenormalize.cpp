#include "portrenormalize.h"

#include <cmath>

namespace {

// Reference resistances closer to the system's than this are taken as the system's.
constexpr double kRenormalizeTolerance = 0.1;

ComplexMatrix invert(const ComplexMatrix& a)
{
    return a.rowCount <= 3 ? inverse(a) : eliminationInverse(a);
}

} // namespace

bool needsRenormalize(double refResistance)
{
    return std::fabs(refResistance - kSystemResistance) > kRenormalizeTolerance;
}

void renormalizePorts(ComplexMatrix& s, const double* oldR, double newR)
{
    // S' = A^-1 (S - G) (I - G S)^-1 A with G = diag(gamma_i) and A = diag(a_i). The power waves
    // of port i scale by (R_i + R') / (2 sqrt(R_i R')), which is 1 / (2 R_i a_i) for the a_i of a
    // single reference; the factor R_i / R_0 makes that scale common to all ports, so that it
    // cancels, and is exactly 1 when the references are equal.
    const int32_t n = s.rowCount;
    ComplexMatrix scale;
    ComplexMatrix g;
    scale.resize(n, n);
    g.resize(n, n);
    for (int32_t i = 0; i < n; ++i) {
        const double r = oldR[i];
        g(i, i) = Complex((newR - r) / (newR + r), 0.0);
        scale(i, i) = Complex(std::sqrt(newR / r) / (newR + r) * (r / oldR[0]), 0.0);
    }
    const ComplexMatrix unit = identity(s);
    const ComplexMatrix gs = g * s;
    const ComplexMatrix denominator = invert(unit - gs);
    const ComplexMatrix numerator = s - g;
    const ComplexMatrix scaleInverse = invert(scale);
    s = scaleInverse * numerator * denominator * scale;
}

void renormalizeTwoPort(ComplexMatrix& s, double oldR, double newR)
{
    const double references[2] = { oldR, oldR };
    renormalizePorts(s, references, newR);
}

void renormalizeReflection(ComplexMatrix& s, double oldR)
{
    const double gamma = (kSystemResistance - oldR) / (kSystemResistance + oldR);
    const Complex s11 = s(0, 0);
    const Complex denominator = 1.0 - gamma * s11;
    s(0, 0) = denominator == Complex(0.0, 0.0) ? Complex(0.0, 0.0) : (s11 - gamma) / denominator;
}
