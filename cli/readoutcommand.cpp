#include <QImage>

#include <algorithm>
#include <iostream>
#include <optional>

#include "cformat.h"
#include "chartrun.h"
#include "chartstate.h"
#include "clicommands.h"
#include "cursorreadout.h"
#include "exporttexts.h"
#include "labeltext.h"
#include "listingtext.h"
#include "markertable.h"
#include "planereadout.h"
#include "unitmultiplier.h"

namespace {

const char* const readoutUsage
    = "Usage: sprelin-cli readout --at FREQ [--at FREQ...] [view options] FILE...\n"
      "Loads the files, computes the chart for the view as render does and prints the\n"
      "window's cursor readout at the grid column nearest FREQ, a frequency of the view in\n"
      "the unit of --unit; --at given more than once prints one block per frequency, in\n"
      "the order given. A block is one line per shown trace, in list order,\n"
      "  index<TAB>display name<TAB>trace<TAB>value\n"
      "with an empty value where the trace has none or lies outside the value axis, then the\n"
      "strip: frequency, Max, its measurement, Min, its measurement and Diff, tab-separated,\n"
      "and the aperture while group delay is shown (--phase delay). Values of group delay\n"
      "carry their unit (\"1.234 ns\").\n"
      "With --chart smith or polar: one line per shown S-parameter of each measurement,\n"
      "  index<TAB>display name<TAB>S11|S21|S12|S22<TAB>frequency<TAB>|S|<TAB>angle<TAB>R<TAB>X\n"
      "at its own measured point nearest FREQ in the frequency view: the frequency in the unit\n"
      "of --unit, the angle in degrees, R and X in ohms for Z0 = 50 ohm (empty for S21, S12\n"
      "and the open circuit).\n"
      "Control characters in names are written as \\n, \\t, \\\\ and \\xNN.\n";

// The column of the ascending grid nearest frequency f; the lower one on a tie.
int32_t nearestColumn(const std::vector<double>& grid, double f)
{
    const auto above = std::lower_bound(grid.begin(), grid.end(), f);
    if (above == grid.begin())
        return 0;
    if (above == grid.end())
        return static_cast<int32_t>(grid.size() - 1);
    const auto below = above - 1;
    return static_cast<int32_t>((f - *below <= *above - f ? below : above) - grid.begin());
}

// The usage error of a frequency outside low to high, in the displayed unit of state.
CliResult frequencyOutside(
    const ChartCommand& command, const ChartState& state, const std::string& at, double low, double high)
{
    const std::string range = formatNumber("%.10lg", low) + " to " + formatNumber("%.10lg", high) + " "
        + unitName(Language::english, unitIndexOf(state.unitMultiplier));
    const std::string error = "--at takes a frequency of the view, " + range + ", not '" + escaped(at) + "'";
    return CliResult::usageError(commandLine(command, error), std::string());
}

// The readout of a Smith or polar chart: each shown S-parameter at its own measured point
// nearest the frequency.
std::optional<CliResult> planeReadout(const ChartCommand& command, ComputedChart& chart, const std::string& at)
{
    ChartState& state = chart.state;
    const double multiplier = state.unitMultiplier;
    const ZoomEntry& zoom = state.currentZoom();
    double frequency = 0;
    if (!readNumber(at, frequency) || frequency < zoom.xMin / multiplier
        || frequency > zoom.xMax / multiplier)
        return frequencyOutside(command, state, at, zoom.xMin / multiplier, zoom.xMax / multiplier);
    for (const Locus& locus : state.plane.loci) {
        const int32_t i = locus.nearestIndex(frequency * multiplier);
        if (i < 0)
            continue;
        const Complex s = locus.values[static_cast<size_t>(i)];
        std::string impedance = "\t";
        if (const std::optional<Complex> z = locus.reflection() ? impedanceOhms(s) : std::nullopt)
            impedance = cFormat("%.17g\t%.17g", z->real(), z->imag());
        std::cout << cFormat("%d\t%s\t%s\t%.17g\t%.17g\t%.17g\t%s\n", locus.measurement,
            escaped(state.measurements.measurement(locus.measurement)->displayName).c_str(),
            parameterName(locus.parameter), locus.freq[static_cast<size_t>(i)] / multiplier, std::abs(s),
            angleDegrees(s), impedance.c_str());
    }
    return std::nullopt;
}

// The block of a frequency chart's readout at one frequency; the command's result when it
// cannot be given.
std::optional<CliResult> frequencyReadout(const ChartCommand& command, ComputedChart& chart, const std::string& at)
{
    ChartState& state = chart.state;
    const std::vector<double>& grid = state.buffers.freqGrid;
    double frequency = 0;
    if (!readNumber(at, frequency) || frequency < grid.front() || frequency > grid.back())
        return frequencyOutside(command, state, at, grid.front(), grid.back());
    const std::vector<int32_t> rowTraces = shownRowTraces(state);
    const ZoomEntry& zoom = state.currentZoom();
    const std::optional<CursorReadout> readout
        = cursorReadout(state, rowTraces, nearestColumn(grid, frequency), (zoom.yMin + zoom.yMax) / 2);
    if (!readout.has_value())
        return CliResult::failure(commandLine(command, "the chart has no traces"));
    for (size_t r = 0; r < rowTraces.size(); ++r) {
        const int32_t m = rowTraces[r] / tracesPerMeasurement;
        std::cout << cFormat("%d\t%s\t%s\t%s\n", m,
            escaped(state.measurements.measurement(m)->displayName).c_str(),
            traceName(rowTraces[r] % tracesPerMeasurement), readout->current[r].c_str());
    }
    for (size_t c = 0; c < readout->strip.size(); ++c) {
        // The aperture's column is there only while it has a text.
        if (c == ReadoutAperture && readout->strip[c].empty())
            continue;
        std::cout << (c == 0 ? "" : "\t") << escaped(readout->strip[c]);
    }
    std::cout << '\n';
    return std::nullopt;
}

} // namespace

CliResult runReadout(const std::vector<std::string>& words)
{
    const ChartCommand command { "readout", readoutUsage, { "--at" }, false };
    ChartRun run;
    if (const std::optional<CliResult> done = parseChartCommand(command, words, run))
        return *done;
    if (!run.arguments.has("--at"))
        return chartUsageError(command, "needs --at FREQ");
    ComputedChart chart;
    if (const std::optional<CliResult> done = computeChart(command, run, chart))
        return *done;
    const bool plane = chart.state.chartKind != ChartKind::frequency;
    for (const std::string& at : run.arguments.allValues.at("--at")) {
        const std::optional<CliResult> failed
            = plane ? planeReadout(command, chart, at) : frequencyReadout(command, chart, at);
        if (failed)
            return *failed;
    }
    return CliResult::afterLoad(chart.loadedAll);
}
