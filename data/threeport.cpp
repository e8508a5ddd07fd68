#include "threeport.h"

#include <cmath>

namespace {

// A 2 x 2 view read from its far port: element (i, j) is the stored (1 - i, 1 - j).
ComplexMatrix reversed(const ComplexMatrix& view)
{
    ComplexMatrix r;
    r.resize(2, 2);
    for (int32_t i = 0; i < 2; ++i)
        for (int32_t j = 0; j < 2; ++j)
            r(i, j) = view(1 - i, 1 - j);
    return r;
}

bool isTwoPort(const ComplexMatrix& m)
{
    return m.rowCount == 2 && m.colCount == 2;
}

} // namespace

ComplexMatrix joinThreePorts(const ComplexMatrix& a, const ComplexMatrix& b)
{
    const ComplexMatrix t = block(a, 0, 1, 0, 1);
    const ComplexMatrix u = block(a, 0, 1, 1, 2);
    const ComplexMatrix o = block(a, 1, 2, 0, 1);
    const ComplexMatrix m = block(a, 1, 2, 1, 2);
    const ComplexMatrix l = block(b, 0, 2, 0, 2);
    const ComplexMatrix h = block(b, 0, 2, 2, 1);
    const ComplexMatrix g = block(b, 2, 1, 0, 2);
    const ComplexMatrix f = block(b, 2, 1, 2, 1);

    const ComplexMatrix unit = identity(l);
    const ComplexMatrix w1 = inverse(unit - l * m);
    const ComplexMatrix w2 = inverse(unit - m * l);

    ComplexMatrix r;
    r.resize(2, 2);
    setBlock(r, 0, 0, t + u * w1 * l * o);
    setBlock(r, 0, 1, u * w1 * h);
    setBlock(r, 1, 0, g * w2 * o);
    setBlock(r, 1, 1, f + g * w2 * m * h);
    return r;
}

void reduceThreePort(
    const S2PPoint& v12, const S2PPoint& v23, const S2PPoint& v13, S2PPoint& out, std::string& label)
{
    // T1 is the view of ports (z, x), T2 of (x, y), T3 of (z, y), where x, y are joined and z is free.
    ComplexMatrix t1;
    ComplexMatrix t2;
    ComplexMatrix t3;
    t1.resize(2, 2);
    t2.resize(2, 2);
    t3.resize(2, 2);

    if (!isTwoPort(v12.sParams) || !isTwoPort(v23.sParams) || !isTwoPort(v13.sParams)) {
        out.sParams = t1;
        return;
    }
    const double a = std::abs(v12.sParams(1, 0));
    const double b = std::abs(v13.sParams(1, 0));
    const double c = std::abs(v23.sParams(1, 0));
    if (a > c && b > c) {
        t1 = v12.sParams;
        t2 = v23.sParams;
        t3 = v13.sParams;
        label = "[Conc. 2-3,3-2]";
    } else if (a > b && c > b) {
        t1 = reversed(v12.sParams);
        t2 = v13.sParams;
        t3 = v23.sParams;
        label = "[Conc. 1-3,3-1]";
    } else if (b > a && c > a) {
        t1 = reversed(v13.sParams);
        t2 = v12.sParams;
        t3 = reversed(v23.sParams);
        label = "[Conc. 1-2,2-1]";
    }

    // X is copy one in port order (z, x, y), Y copy two in port order (y, x, z).
    ComplexMatrix x;
    ComplexMatrix y;
    x.resize(3, 3);
    y.resize(3, 3);
    x(0, 0) = t1(0, 0);
    x(0, 1) = t1(0, 1);
    x(0, 2) = t3(0, 1);
    x(1, 0) = t1(1, 0);
    x(1, 1) = t1(1, 1);
    x(1, 2) = t2(0, 1);
    x(2, 0) = t3(1, 0);
    x(2, 1) = t2(1, 0);
    x(2, 2) = t3(1, 1);
    y(0, 0) = t3(1, 1);
    y(0, 1) = t2(1, 0);
    y(0, 2) = t3(1, 0);
    y(1, 0) = t2(0, 1);
    y(1, 1) = t2(0, 0);
    y(1, 2) = t1(1, 0);
    y(2, 0) = t3(0, 1);
    y(2, 1) = t1(0, 1);
    y(2, 2) = t1(0, 0);

    out.sParams = joinThreePorts(x, y);
}
