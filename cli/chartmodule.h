#pragma once

#include <string>
#include <vector>

#include "cliresult.h"

// The commands that compute or draw a chart (render, export, readout, check, search) live in
// a module beside the executable, loaded when one of them runs: the graphics libraries they
// need take most of the tool's start, which the listings and the average then do without.

// Whether name is one of the chart commands.
bool isChartCommand(const std::string& name);

// Runs the chart command of that name on the words after it; a failure, naming the module and
// why, when the module cannot be loaded.
CliResult runChartCommand(const std::string& name, const std::vector<std::string>& words);

// The module's entry: runs the chart command of that name, a usage error for any other name.
extern "C" void sprelinRunChartCommand(
    const char* name, const std::vector<std::string>& words, CliResult& result);
