#pragma once

#include <string>
#include <vector>

#include "shellquote.h"

// What one run of the batch tool gave.
struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs sprelin-cli (or the copy of it at tool) with the given argument text (already quoted for
// the shell), optionally with environment assignments in front ("LC_ALL=de_DE.UTF-8").
CliRun runCli(const std::string& arguments, const std::string& environment = std::string(),
    const std::string& tool = SPRELIN_CLI);

// The path of a sample file shipped with the project.
std::string samplePath(const std::string& name);

// The lines of a command's output, without their line ends.
std::vector<std::string> linesOf(const std::string& text);
