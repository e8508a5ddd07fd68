#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "language.h"
#include "markerset.h"
#include "tracesearch.h"

struct ChartState;

// The searches on one trace that place markers.
enum class SearchKind : int32_t { maximum, minimum, bandwidth };

// The level below the maximum of the bandwidth search until one is chosen, in the trace's
// unit (dB for a magnitude).
constexpr double defaultBandwidthDrop = 3;

// Searches trace t as the chart plots it (see ownTrace, relative to the plotted reference)
// over the frequency axis of the view in force; none when t is no trace of a measurement with
// points. Locks the measurements while it reads.
std::optional<TraceSearch> searchShownTrace(ChartState& state, int32_t trace, double drop);

// Places markers where the search found what kind asks for: the maximum, the minimum, or the
// edges of the bandwidth that were found. Returns the numbers placed (fewer when the sixteen
// markers run out).
std::vector<int32_t> placeSearchMarkers(MarkerSet& markers, const TraceSearch& search, SearchKind kind);

// The search's outcome for the readout strip in the language, frequencies in the unit of
// multiplier: "Max: -0.5 at 2400 MHz", "Min: ...", or for the bandwidth "-3 dB: centre 2398
// MHz, BW 200 MHz, Q 11.99; 2300 - 2500 MHz", the edges last, with "none" for an edge not found
// and for what needs it.
std::string searchText(const TraceSearch& search, SearchKind kind, double drop, double multiplier, Language language);
