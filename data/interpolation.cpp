#include "interpolation.h"

#include <cmath>

#include "parabolafit.h"

Bracket findBracket(RubberS2PData& m, double x)
{
    Bracket b;
    const int32_t count = m.itemCount;
    if (m.dataValid == 0 || count < 2)
        return b;

    if (x <= m.freqFirst) {
        b.lo = 0;
    } else if (x >= m.freqLast) {
        b.lo = count - 2;
    } else {
        // A step that is not positive and finite gives no guess: the upward correction then
        // searches from the first point. The guess is clamped so no index leaves the points.
        const double guess = (x - m.freqFirst) / m.freqStep;
        if (m.freqStep > 0.0 && std::isfinite(m.freqStep) && guess >= 0.0)
            b.lo = guess >= static_cast<double>(count - 2) ? count - 2 : static_cast<int32_t>(guess);
        else
            b.lo = 0;
    }
    b.hi = b.lo + 1;

    if (b.lo != 0 && m.point(b.lo)->freq > x) {
        --b.lo;
        while (b.lo > 0 && m.point(b.lo)->freq > x)
            --b.lo;
        b.hi = b.lo + 1;
        return b;
    }
    if (b.hi < count - 1 && x > m.point(b.hi)->freq) {
        while (b.hi < count - 1 && x > m.point(b.hi)->freq)
            ++b.hi;
        b.lo = b.hi - 1;
    }
    return b;
}

namespace {

// The four S-parameters in the order in which they are fitted: S21, S11, S12, S22.
constexpr int32_t kFitOrder[4][2] = { { 1, 0 }, { 0, 0 }, { 0, 1 }, { 1, 1 } };

void copyPoint(const S2PPoint& from, S2PPoint& out)
{
    out.freq = from.freq;
    for (const auto& e : kFitOrder)
        out.sParams(e[0], e[1]) = from.sParams(e[0], e[1]);
}

// Two points only: the straight line through them.
void interpolateLinear(const S2PPoint& a, const S2PPoint& b, S2PPoint& out, double f)
{
    const double t = (f - a.freq) / (b.freq - a.freq);
    for (const auto& e : kFitOrder) {
        const Complex& sa = a.sParams(e[0], e[1]);
        out.sParams(e[0], e[1]) = sa + (b.sParams(e[0], e[1]) - sa) * t;
    }
}

} // namespace

int interpolateAt(RubberS2PData& m, S2PPoint& out, double f)
{
    const int32_t count = m.itemCount;
    if (m.dataValid == 0 || count < 2)
        return 0;
    if (out.sParams.rowCount != 2 || out.sParams.colCount != 2)
        out.sParams.resize(2, 2);

    out.freq = f;
    if (f <= m.freqFirst) {
        copyPoint(*m.point(0), out);
        return 1;
    }
    if (f >= m.freqLast) {
        copyPoint(*m.point(count - 1), out);
        return 1;
    }
    if (count == 2) {
        interpolateLinear(*m.point(0), *m.point(1), out, f);
        return 1;
    }

    // The window of three points around the bracket: lo - 1 to hi, or the first three.
    const Bracket b = findBracket(m, f);
    const int32_t w0 = b.lo - 1 < 0 ? 0 : b.lo - 1;
    const S2PPoint* const window[3] = { m.point(w0), m.point(w0 + 1), m.point(w0 + 2) };

    // The abscissae are taken relative to f in units of the window's width. In raw hertz the
    // normal equations sum frequencies to the fourth power and cancel away all precision on
    // narrow sweeps at high frequencies (a 100 kHz spacing at 12 GHz loses about 0.02 in |S|).
    const double width = window[2]->freq - window[0]->freq;
    const double scale = width > 0.0 && std::isfinite(width) ? width : 1.0;
    // The four S-parameters share the abscissae, so one elimination serves them all.
    const ParabolaFit::Complex x[3] = { Complex((window[0]->freq - f) / scale, 0.0),
        Complex((window[1]->freq - f) / scale, 0.0), Complex((window[2]->freq - f) / scale, 0.0) };
    const ParabolaFit fit(x);
    for (const auto& e : kFitOrder) {
        const Complex y[3] = { window[0]->sParams(e[0], e[1]), window[1]->sParams(e[0], e[1]),
            window[2]->sParams(e[0], e[1]) };
        out.sParams(e[0], e[1]) = fit.valueAt(y, Complex(0.0, 0.0));
    }
    return 1;
}
