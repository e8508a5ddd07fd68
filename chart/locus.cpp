#include "locus.h"

#include <cmath>

#include "chartstate.h"
#include "tracevalues.h"

int32_t Locus::trace() const
{
    return tracesPerMeasurement * measurement + 2 * parameter;
}

int32_t Locus::nearestIndex(double f) const
{
    int32_t best = -1;
    double bestDistance = 0;
    for (size_t i = 0; i < freq.size(); ++i) {
        const double distance = std::abs(freq[i] - f);
        if (best < 0 || distance <= bestDistance) {
            best = static_cast<int32_t>(i);
            bestDistance = distance;
        }
    }
    return best;
}

const char* parameterName(int32_t parameter)
{
    static const char* const names[parametersPerMeasurement] = { "S11", "S21", "S12", "S22" };
    return parameter >= 0 && parameter < parametersPerMeasurement ? names[parameter] : "";
}

bool parameterShown(const ChartState& state, int32_t m, int32_t p)
{
    const int32_t magnitude = tracesPerMeasurement * m + 2 * p;
    return state.traceVisible(magnitude) || state.traceVisible(magnitude + 1);
}

std::vector<Locus> collectLoci(ChartState& state, double xMin, double xMax)
{
    std::vector<Locus> loci;
    RubberS2P& measurements = state.measurements;
    for (int32_t m = 0; m < measurements.itemCount; ++m) {
        RubberS2PData* data = measurements.measurement(m);
        if (data == nullptr || data->itemCount == 0)
            continue;
        for (int32_t p = 0; p < parametersPerMeasurement; ++p) {
            if (!parameterShown(state, m, p))
                continue;
            Locus locus;
            locus.measurement = m;
            locus.parameter = p;
            locus.freq.reserve(static_cast<size_t>(data->itemCount));
            locus.values.reserve(static_cast<size_t>(data->itemCount));
            for (int32_t i = 0; i < data->itemCount; ++i) {
                const S2PPoint* point = data->point(i);
                if (point == nullptr || !(point->freq >= xMin && point->freq <= xMax))
                    continue;
                locus.freq.push_back(point->freq);
                locus.values.push_back(sParameterOf(*point, 2 * p));
            }
            loci.push_back(std::move(locus));
        }
    }
    return loci;
}
