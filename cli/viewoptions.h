#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "chartkind.h"
#include "cliarguments.h"

struct ChartState;

// The view the chart commands compute: what the main window's controls would be set to.
struct ViewOptions {
    int32_t width = 1000; // chart frame in pixels
    int32_t height = 700;
    double unitMultiplier = 1000000.0; // hertz per displayed frequency unit
    // Trace kinds shown, in order S11M, S11A, S21M, S21A, S12M, S12A, S22M, S22A.
    std::array<int32_t, 8> traceEnabled { 0, 0, 1, 0, 0, 0, 0, 0 };
    int32_t dbMode = 1; // 0: S11M and S22M as VSWR
    // Manual axes; frequencies in the displayed unit.
    bool manualX = false;
    double xMin = 0;
    double xMax = 0;
    double xStep = 0;
    bool manualY = false;
    double yMin = 0;
    double yMax = 0;
    double yStep = 0;
    int32_t referenceIndex = -1; // measurement the traces are relative to; negative: none
    int32_t smoothing = 0;
    ChartKind chartKind = ChartKind::frequency;
    int32_t phaseMode = 0; // of the phase traces: 0 wrapped, 1 unwrapped, 2 group delay
    int32_t delayAperture = 5; // group delay aperture in points
};

// Largest chart frame side the commands draw, in pixels.
constexpr int32_t maximumFrameSide = 10000;

// The options that take a value and the flags the view adds to a chart command.
const std::set<std::string>& viewValueOptions();
const std::set<std::string>& viewFlagOptions();

// The help lines that describe the view options.
extern const char* const viewOptionsHelp;

// Reads a whole text that is a finite number, with a decimal point in every locale; a leading
// '+' is allowed. Returns false for anything else.
bool readNumber(const std::string& text, double& value);

// Reads the view options from parsed words. Numbers are read the same in every locale.
// Returns false with a sentence in error for a value that is malformed or out of range.
bool parseViewOptions(const CliArguments& arguments, ViewOptions& view, std::string& error);

// Whether the reference measurement, if any, is one of measurementCount loaded ones; false
// with a sentence in error otherwise.
bool referenceLoaded(const ViewOptions& view, int32_t measurementCount, std::string& error);

// The trace kind of a name from "S11M" ... "S22A", in any letter case; none for another.
std::optional<int32_t> traceKindNamed(const std::string& name);

// Sets the chart state, its frequency unit included, to the view, for the measurements already
// loaded into state. Returns false with a sentence in error when the reference measurement is
// not one of them.
bool applyViewOptions(const ViewOptions& view, ChartState& state, std::string& error);
