#pragma once

#include <QGuiApplication>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "chartstate.h"
#include "cliarguments.h"
#include "cliresult.h"
#include "viewoptions.h"

// One chart command: its name, usage text, the options beyond the view's, whether it writes a
// file named by -o and the flags beyond the view's.
struct ChartCommand {
    const char* name;
    const char* usage;
    std::set<std::string> valueOptions;
    bool writesFile;
    std::set<std::string> flagOptions = {};
};

// What a parsed chart command works on.
struct ChartRun {
    CliArguments arguments;
    std::string output; // empty for a command that writes no file
    ViewOptions view;
};

// A line of the command about what went wrong: "sprelin-cli NAME: TEXT".
std::string commandLine(const ChartCommand& command, const std::string& text);

// A usage error of the command: the error after the command's name, then its usage and the
// view options.
CliResult chartUsageError(const ChartCommand& command, const std::string& error);

// Parses the words; the command's result when it is already done (its help or a usage error).
std::optional<CliResult> parseChartCommand(
    const ChartCommand& command, const std::vector<std::string>& words, ChartRun& run);

// The chart needs a GUI application for its fonts; the offscreen platform needs no display.
class OffscreenApplication {
public:
    OffscreenApplication();
    OffscreenApplication(const OffscreenApplication&) = delete;
    OffscreenApplication& operator=(const OffscreenApplication&) = delete;

private:
    char name[12] = "sprelin-cli";
    char platformOption[10] = "-platform";
    char platform[10] = "offscreen";
    char* argv[4] = { name, platformOption, platform, nullptr };
    int argc = 3;
    [[maybe_unused]] bool filtered;
    QGuiApplication application;
};

// A chart command's chart: the application its fonts need (made first, gone last) and the
// state, drawn.
struct ComputedChart {
    OffscreenApplication application;
    ChartState state;
    bool loadedAll = false; // every file gave measurements
};

// Loads the files (and the limit mask of --limits, for a command that takes it) into the chart's
// state and computes and draws it for the view, as the render command does. The command's result when it
// cannot go on.
std::optional<CliResult> computeChart(const ChartCommand& command, const ChartRun& run, ComputedChart& chart);

// The result of a command that wrote its file, or failed to with the error: a failure also
// when some file gave no measurements.
CliResult writtenResult(bool written, const std::string& error, bool loadedAll);
