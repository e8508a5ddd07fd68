#include "planereadout.h"

#include <cmath>

#include "chartstate.h"
#include "labeltext.h"
#include "smithgrid.h"
#include "tracevalues.h"

namespace {

const char* const minusSign = "\u2212";

std::string impedanceText(const Complex& z)
{
    // A reactance that prints as zero keeps the sign of the capacitive side, as in "25.0 − j0.0".
    const char* sign = z.imag() > 0 ? "+" : minusSign;
    return formatNumber("Z = %.1f ", z.real()) + sign + formatNumber(" j%.1f \u03a9", std::abs(z.imag()));
}

std::string polarText(const char* format, double magnitude, const Complex& s)
{
    return formatNumber(format, magnitude) + formatNumber(" \u2220 %.1f\u00b0", angleDegrees(s));
}

// The locus of parameter p of measurement m; -1 when it is not shown.
int32_t locusOf(const std::vector<Locus>& loci, int32_t m, int32_t p)
{
    for (size_t i = 0; i < loci.size(); ++i) {
        if (loci[i].measurement == m && loci[i].parameter == p)
            return static_cast<int32_t>(i);
    }
    return -1;
}

} // namespace

std::optional<LocusPoint> nearestLocusPoint(
    const std::vector<Locus>& loci, const GammaMapping& mapping, double x, double y)
{
    const PixelRect& plot = mapping.plot();
    std::optional<LocusPoint> best;
    double bestDistance = 0;
    for (size_t l = 0; l < loci.size(); ++l) {
        const std::vector<Complex>& values = loci[l].values;
        for (size_t i = 0; i < values.size(); ++i) {
            const QPointF p = mapping.toPixel(values[i]);
            if (!(p.x() >= plot.left && p.x() < plot.right && p.y() >= plot.top && p.y() < plot.bottom))
                continue;
            const double distance = (p.x() - x) * (p.x() - x) + (p.y() - y) * (p.y() - y);
            if (!best || distance < bestDistance) {
                best = LocusPoint { static_cast<int32_t>(l), static_cast<int32_t>(i) };
                bestDistance = distance;
            }
        }
    }
    return best;
}

double angleDegrees(const Complex& s)
{
    return s == Complex(0, 0) ? 0 : phaseDegrees(s);
}

std::optional<Complex> impedanceOhms(const Complex& gamma)
{
    const Complex below = 1.0 - gamma;
    if (below == Complex(0, 0))
        return std::nullopt;
    const Complex z = smithReferenceOhms * (1.0 + gamma) / below;
    if (!std::isfinite(z.real()) || !std::isfinite(z.imag()))
        return std::nullopt;
    return z;
}

std::string parameterText(const Complex& s)
{
    const double db = decibels(std::abs(s));
    return std::isfinite(db) ? polarText("%.2f dB", db, s) : std::string();
}

std::array<std::string, readoutColumnCount> planeStripTexts(
    const Locus& locus, int32_t index, ChartKind kind, const char* frequencyFormat, double multiplier)
{
    std::array<std::string, readoutColumnCount> strip;
    if (index < 0 || static_cast<size_t>(index) >= locus.values.size())
        return strip;
    const Complex s = locus.values[static_cast<size_t>(index)];
    const double magnitude = std::abs(s);
    strip[0] = formatNumber(frequencyFormat, locus.freq[static_cast<size_t>(index)] / multiplier);
    if (!locus.reflection()) {
        strip[1] = kind == ChartKind::polar
            ? parameterText(s)
            : polarText((std::string(parameterName(locus.parameter)) + " = %.3f").c_str(), magnitude, s);
        return strip;
    }
    strip[1] = polarText("\u0393 = %.3f", magnitude, s);
    if (const std::optional<Complex> z = impedanceOhms(s))
        strip[2] = impedanceText(*z);
    if (magnitude < 1)
        strip[3] = formatNumber("VSWR %.2f", vswr(magnitude));
    if (magnitude > 0 && std::isfinite(magnitude))
        strip[4] = formatNumber("RL %.2f dB", -decibels(magnitude));
    return strip;
}

std::optional<PlaneCursor> planeCursorReadout(
    ChartState& state, const std::vector<int32_t>& rowTraces, int32_t x, int32_t y)
{
    const std::vector<Locus>& loci = state.plane.loci;
    const std::optional<LocusPoint> nearest = nearestLocusPoint(loci, state.plane.mapping, x, y);
    if (!nearest)
        return std::nullopt;
    const Locus& locus = loci[static_cast<size_t>(nearest->locus)];
    const double f = locus.freq[static_cast<size_t>(nearest->index)];
    PlaneCursor cursor;
    cursor.marker = state.plane.mapping.toPixel(locus.values[static_cast<size_t>(nearest->index)]);
    CursorReadout& readout = cursor.readout;
    readout.current.resize(rowTraces.size());
    for (size_t r = 0; r < rowTraces.size(); ++r) {
        const int32_t t = rowTraces[r];
        const int32_t m = t / tracesPerMeasurement;
        const int32_t p = (t % tracesPerMeasurement) / 2;
        const int32_t l = t >= 0 ? locusOf(loci, m, p) : -1;
        if (l < 0)
            continue;
        const Locus& own = loci[static_cast<size_t>(l)];
        const int32_t i = own.nearestIndex(f);
        if (i >= 0)
            readout.current[r] = parameterText(own.values[static_cast<size_t>(i)]);
        if (l == nearest->locus && (readout.hoverRow < 0 || t == locus.trace()))
            readout.hoverRow = static_cast<int32_t>(r);
    }
    readout.strip = planeStripTexts(locus, nearest->index, state.chartKind,
        readoutFrequencyFormat(state.currentZoom().xMax, state.unitMultiplier), state.unitMultiplier);
    return cursor;
}
