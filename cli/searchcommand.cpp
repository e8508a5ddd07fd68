#include <iostream>
#include <limits>
#include <optional>
#include <vector>

#include "cformat.h"
#include "chartrun.h"
#include "clicommands.h"
#include "cliload.h"
#include "listingtext.h"
#include "markersearch.h"
#include "measurementlock.h"
#include "owntrace.h"

namespace {

const char* const searchUsage
    = "Usage: sprelin-cli search --trace T [--bw N] [view options] FILE...\n"
      "Loads the files and searches trace T (one of S11M, S11A, S21M, S21A, S12M, S12A, S22M,\n"
      "S22A) of every measurement at its own points, on the values the chart plots for the\n"
      "view (dB or --vswr, phases as --phase gives them, group delay in seconds, relative to\n"
      "--relative N), over the frequencies of --x (all without it). Prints one line per\n"
      "measurement, in list order, tab-separated:\n"
      "  index, name, frequency and value of the maximum, frequency and value of the minimum,\n"
      "  lower edge, upper edge, centre, bandwidth and Q\n"
      "where the edges are the nearest frequencies on each side of the maximum at which the\n"
      "trace falls N below it (default 3), each on the straight line between the two points\n"
      "around that level; the centre is the geometric mean of the edges and Q the centre over\n"
      "the bandwidth. Frequencies are in the unit of --unit. Cells are empty where an edge is\n"
      "not found (and so the centre, bandwidth and Q), or where the measurement has no value\n"
      "of the trace.\n";

// The fields after the name of one measurement's line.
std::string searchFields(const TraceSearch& search, double multiplier)
{
    if (!search.found)
        return "\t\t\t\t\t\t\t\t";
    const auto edge = [&](const std::optional<double>& hertz) {
        return hertz ? cFormat("%.17g", *hertz / multiplier) : std::string();
    };
    std::string fields = cFormat("%.17g\t%.17g\t%.17g\t%.17g\t", search.maxFreq / multiplier, search.maxValue,
                             search.minFreq / multiplier, search.minValue)
        + edge(search.lowerEdge) + "\t" + edge(search.upperEdge) + "\t";
    if (!search.bandwidthFound())
        return fields + "\t\t";
    return fields
        + cFormat("%.17g\t%.17g\t%.17g", search.centre() / multiplier, search.bandwidth() / multiplier, search.q());
}

} // namespace

CliResult runSearch(const std::vector<std::string>& words)
{
    const ChartCommand command { "search", searchUsage, { "--trace", "--bw" }, false };
    ChartRun run;
    if (const std::optional<CliResult> done = parseChartCommand(command, words, run))
        return *done;
    const auto& values = run.arguments.values;
    if (values.count("--trace") == 0)
        return chartUsageError(command, "needs --trace T");
    const std::optional<int32_t> kind = traceKindNamed(values.at("--trace"));
    if (!kind)
        return chartUsageError(command,
            "--trace takes one of S11M, S11A, S21M, S21A, S12M, S12A, S22M, S22A, not '"
                + escaped(values.at("--trace")) + "'");
    double drop = defaultBandwidthDrop;
    if (values.count("--bw") != 0 && (!readNumber(values.at("--bw"), drop) || !(drop > 0)))
        return chartUsageError(command, "--bw takes a level above 0, not '" + escaped(values.at("--bw")) + "'");

    RubberS2P& list = listKeptToExit();
    const bool all = loadForCli(run.arguments.files, list, std::cerr);
    std::string error;
    if (!referenceLoaded(run.view, list.itemCount, error))
        return chartUsageError(command, error);
    const double multiplier = run.view.unitMultiplier;
    double low = -std::numeric_limits<double>::infinity();
    double high = std::numeric_limits<double>::infinity();
    if (run.view.manualX) {
        low = run.view.xMin * multiplier;
        high = run.view.xMax * multiplier;
    }
    TraceView view;
    view.dbMode = run.view.dbMode;
    view.phaseMode = run.view.phaseMode;
    view.aperture = run.view.delayAperture;

    const int32_t count = list.itemCount;
    std::vector<TraceSearch> found(static_cast<size_t>(count));
    {
        const MeasurementLock lock(list);
        const int32_t r = run.view.referenceIndex;
        RubberS2PData* reference = r >= 0 ? list.measurement(r) : nullptr;
#pragma omp parallel
        {
            OwnTrace trace;
#pragma omp for schedule(dynamic)
            for (int32_t i = 0; i < count; ++i) {
                RubberS2PData* m = list.measurement(i);
                if (m == nullptr || m->itemCount == 0 || !kindHeld(m->portCount, *kind))
                    continue;
                ownTrace(*m, reference, *kind, view, trace);
                found[static_cast<size_t>(i)] = searchTrace(trace, low, high, drop);
            }
        }
    }
    std::string out;
    for (int32_t i = 0; i < count; ++i)
        out += cFormat("%d\t%s\t", i, escaped(list.measurement(i)->displayName).c_str())
            + searchFields(found[static_cast<size_t>(i)], multiplier) + "\n";
    std::cout << out;
    return CliResult::afterLoad(all);
}
