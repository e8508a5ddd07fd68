#include "viewoptions.h"

#include <optional>
#include <charconv>
#include <cmath>
#include <iterator>
#include <optional>
#include <strings.h>
#include <vector>

#include "chartstate.h"
#include "exporttexts.h"
#include "phasetraces.h"
#include "tracevalues.h"
#include "unitmultiplier.h"

namespace {

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

bool readCount(const std::string& text, int32_t& value)
{
    const char* last = text.data() + text.size();
    const std::from_chars_result r = std::from_chars(text.data(), last, value);
    return !text.empty() && r.ec == std::errc() && r.ptr == last;
}

bool readSize(const std::string& text, ViewOptions& view, std::string& error)
{
    const size_t x = text.find_first_of("xX");
    int32_t width = 0;
    int32_t height = 0;
    if (x == std::string::npos || !readCount(text.substr(0, x), width)
        || !readCount(text.substr(x + 1), height) || width < 1 || height < 1 || width > maximumFrameSide
        || height > maximumFrameSide) {
        error = "--size takes WIDTHxHEIGHT in pixels, each 1 to " + std::to_string(maximumFrameSide)
            + ", not '" + text + "'";
        return false;
    }
    view.width = width;
    view.height = height;
    return true;
}

bool readUnit(const std::string& text, ViewOptions& view, std::string& error)
{
    for (int32_t k = 0; k < unitCount; ++k) {
        if (strcasecmp(text.c_str(), unitName(Language::english, k)) == 0) {
            view.unitMultiplier = unitMultiplierOf(k);
            return true;
        }
    }
    error = "--unit takes Hz, kHz, MHz or GHz, not '" + text + "'";
    return false;
}

bool readTraces(const std::string& text, ViewOptions& view, std::string& error)
{
    view.traceEnabled.fill(0);
    for (const std::string& name : split(text, ',')) {
        const std::optional<int32_t> found = traceKindNamed(name);
        if (!found) {
            error = "--traces takes names from S11M, S11A, S21M, S21A, S12M, S12A, S22M, S22A separated by "
                    "commas; '"
                + name + "' is none of them";
            return false;
        }
        view.traceEnabled[static_cast<size_t>(*found)] = 1;
    }
    return true;
}

// MIN:MAX:STEP with MIN < MAX and STEP > 0.
bool readAxis(const std::string& option, const std::string& text, double& low, double& high, double& step,
    std::string& error)
{
    const std::vector<std::string> parts = split(text, ':');
    if (parts.size() != 3 || !readNumber(parts[0], low) || !readNumber(parts[1], high)
        || !readNumber(parts[2], step) || !(low < high) || !(step > 0)) {
        error = option + " takes MIN:MAX:STEP with MIN below MAX and a positive STEP, not '" + text + "'";
        return false;
    }
    return true;
}

// The chart kinds by the names --chart takes, in the order of ChartKind.
const char* const chartNames[] = { "frequency", "smith", "polar" };

bool readChart(const std::string& text, ViewOptions& view, std::string& error)
{
    for (int32_t k = 0; k < static_cast<int32_t>(std::size(chartNames)); ++k) {
        if (text == chartNames[k]) {
            view.chartKind = chartKindOf(k);
            return true;
        }
    }
    error = "--chart takes frequency, smith or polar, not '" + text + "'";
    return false;
}

bool readPhase(const std::string& text, ViewOptions& view, std::string& error)
{
    static const char* const names[phaseModeCount] = { "wrapped", "unwrapped", "delay" };
    for (int32_t mode = 0; mode < phaseModeCount; ++mode) {
        if (strcasecmp(text.c_str(), names[mode]) == 0) {
            view.phaseMode = mode;
            return true;
        }
    }
    error = "--phase takes wrapped, unwrapped or delay, not '" + text + "'";
    return false;
}

bool readAperture(const std::string& text, ViewOptions& view, std::string& error)
{
    int32_t points = 0;
    if (!readCount(text, points) || !isDelayAperture(points)) {
        error = "--aperture takes an odd number of points from " + std::to_string(minimumDelayAperture)
            + " to " + std::to_string(maximumDelayAperture) + ", not '" + text + "'";
        return false;
    }
    view.delayAperture = points;
    return true;
}

} // namespace

bool readNumber(const std::string& text, double& value)
{
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    const std::from_chars_result r = std::from_chars(first, last, value);
    return first != last && r.ec == std::errc() && r.ptr == last && std::isfinite(value);
}

const char* const viewOptionsHelp
    = "View options:\n"
      "  --size WxH          chart frame size in pixels (default 1000x700)\n"
      "  --unit U            frequency unit: Hz, kHz, MHz or GHz (default MHz)\n"
      "  --traces LIST       traces to show, from S11M,S11A,S21M,S21A,S12M,S12A,S22M,S22A\n"
      "                      (default S21M)\n"
      "  --vswr              S11M and S22M as VSWR instead of dB\n"
      "  --x MIN:MAX:STEP    manual frequency axis, in the chosen unit (default automatic)\n"
      "  --y MIN:MAX:STEP    manual value axis (default automatic)\n"
      "  --relative N        plot relative to measurement N (0-based, in list order)\n"
      "  --smooth            smooth the curves\n"
      "  --chart KIND        frequency, smith or polar (default frequency): a Smith or polar\n"
      "                      chart shows S11, S21, S12 or S22 where its M or A trace is listed\n"
      "  --phase MODE        the phase traces (S11A, S21A, S12A, S22A) as wrapped phase,\n"
      "                      unwrapped phase (both in degrees) or group delay (seconds, with\n"
      "                      an SI prefix chosen for the view) (default wrapped)\n"
      "  --aperture N        group delay aperture: an odd number of points, 3 to 1001, of\n"
      "                      each measurement (default 5)\n";

const std::set<std::string>& viewValueOptions()
{
    static const std::set<std::string> options
        = { "--size", "--unit", "--traces", "--x", "--y", "--relative", "--chart", "--phase", "--aperture" };
    return options;
}

const std::set<std::string>& viewFlagOptions()
{
    static const std::set<std::string> flags = { "--vswr", "--smooth" };
    return flags;
}

bool parseViewOptions(const CliArguments& arguments, ViewOptions& view, std::string& error)
{
    const auto value = [&](const char* name) { return arguments.values.at(name); };
    if (arguments.values.count("--size") != 0 && !readSize(value("--size"), view, error))
        return false;
    if (arguments.values.count("--unit") != 0 && !readUnit(value("--unit"), view, error))
        return false;
    if (arguments.values.count("--traces") != 0 && !readTraces(value("--traces"), view, error))
        return false;
    if (arguments.values.count("--x") != 0) {
        if (!readAxis("--x", value("--x"), view.xMin, view.xMax, view.xStep, error))
            return false;
        if (!std::isfinite(view.xMin * view.unitMultiplier)
            || !std::isfinite(view.xMax * view.unitMultiplier)) {
            error = "--x " + value("--x") + ": the frequencies are too large";
            return false;
        }
        view.manualX = true;
    }
    if (arguments.values.count("--y") != 0) {
        if (!readAxis("--y", value("--y"), view.yMin, view.yMax, view.yStep, error))
            return false;
        view.manualY = true;
    }
    if (arguments.values.count("--relative") != 0) {
        if (!readCount(value("--relative"), view.referenceIndex) || view.referenceIndex < 0) {
            error = "--relative takes a measurement index from 0, not '" + value("--relative") + "'";
            return false;
        }
    }
    if (arguments.values.count("--chart") != 0 && !readChart(value("--chart"), view, error))
        return false;
    if (arguments.values.count("--phase") != 0 && !readPhase(value("--phase"), view, error))
        return false;
    if (arguments.values.count("--aperture") != 0 && !readAperture(value("--aperture"), view, error))
        return false;
    view.dbMode = arguments.flags.count("--vswr") != 0 ? 0 : 1;
    view.smoothing = arguments.flags.count("--smooth") != 0 ? 1 : 0;
    return true;
}

bool referenceLoaded(const ViewOptions& view, int32_t measurementCount, std::string& error)
{
    if (view.referenceIndex < measurementCount)
        return true;
    error = "--relative " + std::to_string(view.referenceIndex) + ": there are only "
        + std::to_string(measurementCount) + " measurements (0 to " + std::to_string(measurementCount - 1)
        + ")";
    return false;
}

std::optional<int32_t> traceKindNamed(const std::string& name)
{
    for (int32_t k = 0; k < tracesPerMeasurement; ++k)
        if (strcasecmp(name.c_str(), traceName(k)) == 0)
            return k;
    return std::nullopt;
}

bool applyViewOptions(const ViewOptions& view, ChartState& state, std::string& error)
{
    if (!referenceLoaded(view, state.measurements.itemCount, error))
        return false;
    state.unitMultiplier = view.unitMultiplier;
    state.traceEnabled = view.traceEnabled;
    state.resetRowVisibility();
    state.dbMode = view.dbMode;
    state.referenceIndex = view.referenceIndex;
    state.smoothing = view.smoothing;
    state.chartKind = view.chartKind;
    state.phaseMode = view.phaseMode;
    state.delayAperture = view.delayAperture;
    ZoomEntry& zoom = state.currentZoom();
    zoom.autoX = view.manualX ? 0 : 1;
    zoom.autoY = view.manualY ? 0 : 1;
    if (view.manualX) {
        zoom.xMin = view.xMin * view.unitMultiplier;
        zoom.xMax = view.xMax * view.unitMultiplier;
        zoom.xStep = view.xStep * view.unitMultiplier;
    }
    if (view.manualY) {
        zoom.yMin = view.yMin;
        zoom.yMax = view.yMax;
        zoom.yStep = view.yStep;
    }
    return true;
}
