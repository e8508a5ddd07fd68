#include "markersearch.h"

#include "chartstate.h"
#include "labeltext.h"
#include "measurementlock.h"
#include "unitmultiplier.h"

namespace {

// The words of the strip's search texts, English and Russian.
struct SearchWords {
    const char* maximum;
    const char* minimum;
    const char* at;
    const char* decibels;
    const char* centre;
    const char* bandwidth;
    const char* none;
    const char* nothing;
};

const SearchWords englishWords { "Max: ", "Min: ", " at ", " dB: ", "centre ", "BW ", "none",
    "no value in the view" };
const SearchWords russianWords { "Макс.: ", "Мин.: ", " на ", " дБ: ", "центр ", "полоса ", "нет",
    "нет значений в окне" };

std::string number(double value)
{
    return formatNumber("%.6lg", value);
}

} // namespace

std::optional<TraceSearch> searchShownTrace(ChartState& state, int32_t trace, double drop)
{
    if (trace < 0 || trace >= tracesPerMeasurement * state.measurements.itemCount)
        return std::nullopt;
    const MeasurementLock lock(state.measurements);
    RubberS2PData* m = state.measurements.measurement(trace / tracesPerMeasurement);
    if (m == nullptr || m->itemCount == 0)
        return std::nullopt;
    OwnTrace own;
    ownTrace(*m, plottedReference(state), trace % tracesPerMeasurement, traceViewOf(state), own);
    const ZoomEntry& zoom = state.currentZoom();
    return searchTrace(own, zoom.xMin, zoom.xMax, drop);
}

std::vector<int32_t> placeSearchMarkers(MarkerSet& markers, const TraceSearch& search, SearchKind kind)
{
    std::vector<double> at;
    if (search.found && kind == SearchKind::maximum)
        at.push_back(search.maxFreq);
    if (search.found && kind == SearchKind::minimum)
        at.push_back(search.minFreq);
    if (kind == SearchKind::bandwidth) {
        for (const std::optional<double>& edge : { search.lowerEdge, search.upperEdge })
            if (edge)
                at.push_back(*edge);
    }
    std::vector<int32_t> placed;
    for (const double f : at)
        if (const int32_t n = markers.add(f); n != 0)
            placed.push_back(n);
    return placed;
}

std::string searchText(const TraceSearch& search, SearchKind kind, double drop, double multiplier, Language language)
{
    const SearchWords& words = language == Language::russian ? russianWords : englishWords;
    const std::string unit = std::string(" ") + unitName(language, unitIndexOf(multiplier));
    if (!search.found)
        return words.nothing;
    const auto frequency = [&](const std::optional<double>& hertz) {
        return hertz ? number(*hertz / multiplier) : std::string(words.none);
    };
    if (kind == SearchKind::maximum)
        return words.maximum + number(search.maxValue) + words.at + frequency(search.maxFreq) + unit;
    if (kind == SearchKind::minimum)
        return words.minimum + number(search.minValue) + words.at + frequency(search.minFreq) + unit;
    const bool both = search.bandwidthFound();
    return "\u2212" + number(drop) + words.decibels + words.centre + (both ? frequency(search.centre()) + unit : words.none)
        + ", " + words.bandwidth + (both ? frequency(search.bandwidth()) + unit : words.none) + ", Q "
        + (both ? number(search.q()) : words.none) + "; " + frequency(search.lowerEdge) + " - "
        + frequency(search.upperEdge) + unit;
}
