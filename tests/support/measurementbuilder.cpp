#include "measurementbuilder.h"

#include <algorithm>
#include <cmath>

void fillMeasurement(
    RubberS2PData& m, const std::vector<double>& freqs, const std::function<SParams(double)>& values)
{
    for (double f : freqs) {
        S2PPoint* p = m.point(m.itemCount);
        p->freq = f;
        const SParams s = values(f);
        for (int e = 0; e < 4; ++e)
            p->sParams(kElements[e][0], kElements[e][1]) = s[e];
    }
    m.dataValid = 1;
    m.updateFreqSummary();
}

std::vector<double> evenFrequencies(double first, double last, int32_t points)
{
    std::vector<double> freqs;
    for (int32_t i = 0; i < points; ++i)
        freqs.push_back(points > 1 ? first + (last - first) * i / (points - 1) : first);
    return freqs;
}

RubberS2PData& addMeasurement(
    RubberS2P& list, const std::vector<double>& freqs, const std::function<SParams(double)>& values)
{
    RubberS2PData& m = *list.measurement(list.itemCount);
    fillMeasurement(m, freqs, values);
    return m;
}

RubberS2PData& addMeasurement(
    RubberS2P& list, double first, double last, int32_t points, const std::function<SParams(double)>& values)
{
    return addMeasurement(list, evenFrequencies(first, last, points), values);
}

RubberS2PData& addConstantMeasurement(RubberS2P& list, double first, double last, int32_t points, Complex s)
{
    return addMeasurement(list, first, last, points, [s](double) { return SParams { s, s, s, s }; });
}

SParams bandPass(double f, double centre, double width, double delay, double ripple)
{
    const double pi = 3.141592653589793;
    const double detune = (f / centre - centre / std::max(f, 1.0)) / width;
    const Complex h = 1.0 / Complex(1.0, detune * detune * detune);
    const Complex line = std::polar(1.0, -2 * pi * f * delay);
    const Complex s21 = h * line * (1.0 - ripple * std::cos(f / centre * 40));
    const double reflected = std::sqrt(std::max(0.0, 1.0 - std::norm(s21)));
    const Complex s11 = std::polar(reflected, -pi * f * delay + 0.3);
    return SParams { s11, s21, s21, s11 * Complex(0.9, 0.1) };
}
