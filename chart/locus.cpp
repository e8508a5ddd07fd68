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
    // The loci of one measurement lie together in the list; one walk through its points fills
    // them all, so that each point is fetched once.
    std::vector<size_t> firsts;
    for (size_t l = 0; l < count; ++l) {
        if (l == 0 || loci[l].measurement != loci[l - 1].measurement)
            firsts.push_back(l);
    }
    firsts.push_back(count);
    const int32_t groups = static_cast<int32_t>(firsts.size()) - 1;
#pragma omp parallel for schedule(dynamic)
    for (int32_t g = 0; g < groups; ++g) {
        const size_t begin = firsts[static_cast<size_t>(g)];
        const size_t end = firsts[static_cast<size_t>(g) + 1];
        RubberS2PData& data = *measurements.measurement(loci[begin].measurement);
        for (size_t l = begin; l < end; ++l) {
            loci[l].freq.clear();
            loci[l].values.clear();
        }
        try {
            for (int32_t i = 0; i < data.itemCount; ++i) {
                const S2PPoint* point = data.point(i);
                if (point == nullptr || !(point->freq >= xMin && point->freq <= xMax))
                    continue;
                for (size_t l = begin; l < end; ++l) {
                    loci[l].freq.push_back(point->freq);
                    loci[l].values.push_back(sParameterOf(*point, 2 * loci[l].parameter));
                }
            }
        } catch (const std::bad_alloc&) {
            // Out of memory the loci are left out rather than drawn in part.
            for (size_t l = begin; l < end; ++l) {
                std::vector<double>().swap(loci[l].freq);
                std::vector<Complex>().swap(loci[l].values);
            }
        }
    }
}
