#pragma once

#include <string>

// Exit statuses of the batch tool.
enum CliStatus : int { CliSuccess = 0, CliFailure = 1, CliUsageError = 2, CliLimitsFailed = 3 };

// How a command ends: its exit status and the text main prints for it, on standard output after
// a success (a help text) and on standard error otherwise (the error, then the help where the
// words were wrong). What the command makes (listings, readouts, files written to "-") and the
// line of each file that yields nothing it writes as it goes.
struct CliResult {
    int status = CliSuccess;
    std::string message; // whole lines; empty prints nothing

    // The help text asked for.
    static CliResult help(const std::string& text);
    // Words the command cannot run with: the line, then the help (none where the line says
    // enough).
    static CliResult usageError(const std::string& line, const std::string& help);
    // A run that could not be done, said in one line whose control characters (those of a
    // path in it) are escaped as listings escape them.
    static CliResult failure(const std::string& line);
    // A command that did its work: a failure, without a message of its own, when some file gave
    // no measurements (its line was written by the load).
    static CliResult afterLoad(bool loadedAll);
};
