#include "locus.h"

#include <cmath>
#include <new>

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

void collectLoci(ChartState& state, double xMin, double xMax, std::vector<Locus>& loci)
{
    RubberS2P& measurements = state.measurements;
    size_t count = 0;
    for (int32_t m = 0; m < measurements.itemCount; ++m) {
        const RubberS2PData* data = measurements.measurement(m);
        for (int32_t p = 0; data != nullptr && data->itemCount > 0 && p < parametersPerMeasurement; ++p) {
            if (!parameterShown(state, m, p))
                continue;
            if (count == loci.size())
                loci.emplace_back();
            loci[count].measurement = m;
            loci[count].parameter = p;
            ++count;
        }
    }
    loci.resize(count);
    const int32_t total = static_cast<int32_t>(count);
#pragma omp parallel for schedule(dynamic)
    for (int32_t l = 0; l < total; ++l) {
        Locus& locus = loci[static_cast<size_t>(l)];
        RubberS2PData& data = *measurements.measurement(locus.measurement);
        locus.freq.clear();
        locus.values.clear();
        try {
            for (int32_t i = 0; i < data.itemCount; ++i) {
                const S2PPoint* point = data.point(i);
                if (point == nullptr || !(point->freq >= xMin && point->freq <= xMax))
                    continue;
                locus.freq.push_back(point->freq);
                locus.values.push_back(sParameterOf(*point, 2 * locus.parameter));
            }
        } catch (const std::bad_alloc&) {
            // Out of memory the locus is left out rather than drawn in part.
            std::vector<double>().swap(locus.freq);
            std::vector<Complex>().swap(locus.values);
        }
    }
}
