#include "gridsampling.h"

#include "interpolation.h"

namespace {

// Point i of m; on a locked measurement a plain read of its snapshot.
const S2PPoint& pointAt(RubberS2PData& m, int32_t i)
{
    if (m.lockedArray != nullptr)
        return *static_cast<const S2PPoint*>(m.lockedArray[static_cast<int64_t>(i) - m.firstItemIndex]);
    return *m.point(i);
}

} // namespace

const S2PPoint& measuredPoint(RubberS2PData& m, int32_t i)
{
    return pointAt(m, i);
}

const S2PPoint& nearestPoint(RubberS2PData& m, double x)
{
    const Bracket b = findBracket(m, x);
    const S2PPoint& lo = pointAt(m, b.lo);
    const S2PPoint& hi = pointAt(m, b.hi);
    return hi.freq - x > x - lo.freq ? lo : hi;
}

namespace {

// The straight line through two points at f.
SParameters lineAt(const S2PPoint& a, const S2PPoint& b, double f)
{
    const double t = (f - a.freq) / (b.freq - a.freq);
    const SParameters sa = sParametersOf(a);
    const SParameters sb = sParametersOf(b);
    SParameters s;
    for (size_t k = 0; k < s.size(); ++k)
        s[k] = sa[k] + (sb[k] - sa[k]) * t;
    return s;
}

// The parabola through the three points from w0 at f.
SParameters parabolaAt(RubberS2PData& m, int32_t w0, double f)
{
    const S2PPoint& p0 = pointAt(m, w0);
    const S2PPoint& p1 = pointAt(m, w0 + 1);
    const S2PPoint& p2 = pointAt(m, w0 + 2);
    const double d0 = f - p0.freq;
    const double d1 = f - p1.freq;
    const double d2 = f - p2.freq;
    const double l0 = d1 * d2 / ((p0.freq - p1.freq) * (p0.freq - p2.freq));
    const double l1 = d0 * d2 / ((p1.freq - p0.freq) * (p1.freq - p2.freq));
    const double l2 = d0 * d1 / ((p2.freq - p0.freq) * (p2.freq - p1.freq));
    const SParameters s0 = sParametersOf(p0);
    const SParameters s1 = sParametersOf(p1);
    const SParameters s2 = sParametersOf(p2);
    SParameters s;
    for (size_t k = 0; k < s.size(); ++k)
        s[k] = s0[k] * l0 + s1[k] * l1 + s2[k] * l2;
    return s;
}

// The first point of the window of three that interpolateAt fits around bracket lo: the
// point below the bracket, or point 0.
int32_t windowStart(int32_t lo)
{
    return lo - 1 < 0 ? 0 : lo - 1;
}

} // namespace

SParameters interpolatedSParameters(RubberS2PData& m, double f)
{
    const int32_t count = m.itemCount;
    if (m.dataValid == 0 || count < 2)
        return sParametersOf(nearestPoint(m, f));
    if (f <= m.freqFirst)
        return sParametersOf(pointAt(m, 0));
    if (f >= m.freqLast)
        return sParametersOf(pointAt(m, count - 1));

    if (count == 2)
        return lineAt(pointAt(m, 0), pointAt(m, 1), f);
    return parabolaAt(m, windowStart(findBracket(m, f).lo), f);
}

PointWalk::PointWalk(RubberS2PData& measurement)
    : m(measurement)
{
    const int32_t count = m.itemCount;
    if (m.dataValid == 0 || count < 2)
        return;
    double previous = pointAt(m, 0).freq;
    if (previous != m.freqFirst)
        return;
    for (int32_t i = 1; i < count; ++i) {
        const double f = pointAt(m, i).freq;
        if (!(f > previous))
            return;
        previous = f;
    }
    ascending = previous == m.freqLast;
}

void PointWalk::moveTo(double x)
{
    const int32_t last = m.itemCount - 1;
    if (below == nullptr) {
        below = &pointAt(m, 0);
        above = &pointAt(m, 1);
    }
    while (at < last && above->freq <= x) {
        ++at;
        below = above;
        above = &pointAt(m, at < last ? at + 1 : last);
    }
    while (at > 0 && below->freq > x) {
        --at;
        above = below;
        below = &pointAt(m, at);
    }
}

const S2PPoint& PointWalk::nearest(double x)
{
    if (!ascending)
        return nearestPoint(m, x);
    moveTo(x);
    if (at == m.itemCount - 1)
        return *below;
    return above->freq - x > x - below->freq ? *below : *above;
}

PointWalk::Neighbours PointWalk::neighbours(double x)
{
    if (!ascending) {
        const Bracket b = findBracket(m, x);
        const S2PPoint& lo = pointAt(m, b.lo);
        const S2PPoint& hi = pointAt(m, b.hi);
        if (lo.freq < x && x < hi.freq)
            return { &lo, &hi, (x - lo.freq) / (hi.freq - lo.freq) };
        const S2PPoint& closer = hi.freq - x > x - lo.freq ? lo : hi;
        return { &closer, &closer, 0.0 };
    }
    if (!(x > m.freqFirst && x < m.freqLast)) {
        const S2PPoint& end = nearest(x);
        return { &end, &end, 0.0 };
    }
    moveTo(x);
    return { below, above, (x - below->freq) / (above->freq - below->freq) };
}

int32_t PointWalk::nearestIndex(double x)
{
    if (!ascending) {
        const Bracket b = findBracket(m, x);
        return pointAt(m, b.hi).freq - x > x - pointAt(m, b.lo).freq ? b.lo : b.hi;
    }
    moveTo(x);
    if (at == m.itemCount - 1)
        return at;
    return above->freq - x > x - below->freq ? at : at + 1;
}

PointWalk::IndexNeighbours PointWalk::neighbourIndices(double x)
{
    if (!ascending) {
        const Bracket b = findBracket(m, x);
        const double lo = pointAt(m, b.lo).freq;
        const double hi = pointAt(m, b.hi).freq;
        if (lo < x && x < hi)
            return { b.lo, b.hi, (x - lo) / (hi - lo) };
        const int32_t closer = hi - x > x - lo ? b.lo : b.hi;
        return { closer, closer, 0.0 };
    }
    if (!(x > m.freqFirst && x < m.freqLast)) {
        const int32_t end = nearestIndex(x);
        return { end, end, 0.0 };
    }
    moveTo(x);
    return { at, at + 1, (x - below->freq) / (above->freq - below->freq) };
}

SParameters PointWalk::interpolated(double f)
{
    if (!ascending || m.itemCount == 2 || !(f > m.freqFirst && f < m.freqLast))
        return interpolatedSParameters(m, f);
    moveTo(f);
    // On a point every window's parabola gives the point itself: its weights are exactly 1, 0, 0.
    if (below->freq == f)
        return sParametersOf(*below);
    return parabolaAt(m, windowStart(at), f);
}
