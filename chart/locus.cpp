#include "locus.h"

#include <cmath>
#include <new>
#include <utility>

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
    // The first locus of each measurement that has a locus to take, and the end of its loci.
    std::vector<std::pair<size_t, size_t>> walks;
    for (int32_t m = 0; m < measurements.itemCount; ++m) {
        const RubberS2PData* data = measurements.measurement(m);
        if (data == nullptr || data->itemCount <= 0)
            continue;
        const LocusSource source { data->serial, data->itemCount, xMin, xMax };
        const size_t begin = count;
        bool current = true;
        for (int32_t p = 0; p < parametersPerMeasurement; ++p) {
            if (!parameterShown(state, m, p))
                continue;
            if (count == loci.size())
                loci.emplace_back();
            Locus& locus = loci[count];
            current = current && locus.parameter == p && locus.source == source;
            locus.measurement = m;
            locus.parameter = p;
            ++count;
        }
        if (!current)
            walks.emplace_back(begin, count);
    }
    loci.resize(count);
    // One walk through a measurement's points fills all its loci, so that each point is
    // fetched once.
    const int32_t total = static_cast<int32_t>(walks.size());
#pragma omp parallel for schedule(dynamic)
    for (int32_t w = 0; w < total; ++w) {
        const auto [begin, end] = walks[static_cast<size_t>(w)];
        RubberS2PData& data = *measurements.measurement(loci[begin].measurement);
        for (size_t l = begin; l < end; ++l) {
            loci[l].freq.clear();
            loci[l].values.clear();
            loci[l].source = LocusSource();
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
            for (size_t l = begin; l < end; ++l)
                loci[l].source = LocusSource { data.serial, data.itemCount, xMin, xMax };
        } catch (const std::bad_alloc&) {
            // Out of memory the loci are left out rather than drawn in part.
            for (size_t l = begin; l < end; ++l) {
                std::vector<double>().swap(loci[l].freq);
                std::vector<Complex>().swap(loci[l].values);
            }
        }
    }
}
