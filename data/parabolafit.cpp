#include "parabolafit.h"

ParabolaFit::ParabolaFit(const Complex (&x)[3])
    : x_ { x[0], x[1], x[2] }
{
    // Sums of x^j, j = 0..4, oldest sample first, powers by repeated multiplication.
    Complex sums[5] = {};
    for (const Complex& xi : x_) {
        Complex p(1.0);
        for (Complex& s : sums) {
            s += p;
            p *= xi;
        }
    }
    Complex a10 = sums[1];
    Complex a20 = sums[2];
    Complex a21 = sums[3];
    a00_ = sums[0];
    a01_ = sums[1];
    a02_ = sums[2];
    a11_ = sums[2];
    a12_ = sums[3];
    a22_ = sums[4];

    // Elimination without pivoting: column 0 from rows 1 and 2, then column 1 from row 2.
    f10_ = -a10 / a00_;
    a11_ = a11_ + a01_ * f10_;
    a12_ = a12_ + a02_ * f10_;
    f20_ = -a20 / a00_;
    a21 = a21 + a01_ * f20_;
    a22_ = a22_ + a02_ * f20_;
    f21_ = -a21 / a11_;
    a22_ = a22_ + a12_ * f21_;
}

ParabolaFit::Complex ParabolaFit::valueAt(const Complex (&y)[3], const Complex& x0) const
{
    // Sums of y * x^j, j = 0..2, oldest sample first.
    Complex r0;
    Complex r1;
    Complex r2;
    for (int i = 0; i < 3; ++i) {
        Complex v = y[i];
        r0 += v;
        v *= x_[i];
        r1 += v;
        v *= x_[i];
        r2 += v;
    }
    r1 = r1 + f10_ * r0;
    r2 = r2 + f20_ * r0;
    r2 = r2 + f21_ * r1;

    const Complex c2 = r2 / a22_;
    Complex s = r1;
    s -= a12_ * c2;
    const Complex c1 = s / a11_;
    s = r0;
    s -= a01_ * c1;
    s -= a02_ * c2;
    const Complex c0 = s / a00_;

    Complex a;
    a = (c2 + a) * x0;
    a = (c1 + a) * x0;
    return c0 + a;
}
