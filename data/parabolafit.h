#pragma once

#include <complex>

// The least-squares parabola through three samples whose abscissae several series share, as
// the interpolation fits the four S-parameters of one window of points. The normal equations
// of the abscissae are eliminated once; each series then costs only its right-hand side and
// the back substitution. Every operation is the one ComplexPolyFit makes with three
// coefficients on the same three samples, in the same order, so the values agree bit for bit.
class ParabolaFit {
public:
    using Complex = std::complex<double>;

    // Eliminates the normal equations of the samples at x[0], x[1], x[2], oldest first.
    explicit ParabolaFit(const Complex (&x)[3]);

    // The value at x0 of the parabola fitted to the ordinates y[0], y[1], y[2].
    Complex valueAt(const Complex (&y)[3], const Complex& x0) const;

private:
    Complex x_[3];
    // The eliminated normal matrix (upper triangle) and the elimination factors below it.
    Complex a00_, a01_, a02_, a11_, a12_, a22_;
    Complex f10_, f20_, f21_;
};
