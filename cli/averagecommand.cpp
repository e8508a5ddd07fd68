#include <iostream>

#include "averagedcommand.h"
#include "cliarguments.h"
#include "clicommands.h"
#include "cliload.h"

namespace {

const char* const kAverageHelp
    = "Usage: sprelin-cli average -o OUT.s2p FILE...\n"
      "Loads the files and writes the average of all their measurements, on the\n"
      "frequency grid of the first, as a two-port Touchstone file in GHz, dB and degrees.\n"
      "A point whose average is not a finite number is left out. -o - writes to standard\n"
      "output.\n";

} // namespace

CliResult runAverage(const std::vector<std::string>& words)
{
    CliArguments arguments;
    std::string error;
    if (!parseCliArguments(words, { "-o", "--output" }, { "--help", "-h" }, arguments, error))
        return CliResult::usageError("sprelin-cli: " + error, kAverageHelp);
    if (arguments.has("--help") || arguments.has("-h"))
        return CliResult::help(kAverageHelp);
    const std::string output = arguments.has("-o") ? arguments.values["-o"] : arguments.values["--output"];
    if (output.empty() || arguments.files.empty())
        return CliResult::usageError(
            "sprelin-cli: average needs -o OUT.s2p and at least one file", kAverageHelp);
    RubberS2P list;
    const bool all = loadForCli(arguments.files, list, std::cerr);
    std::string reason;
    const LoadResult written = averagedS2PCommand(list, output, &reason);
    if (written != LoadSuccess)
        return CliResult::failure(output + ": " + (reason.empty() ? loadResultReason(written) : reason));
    return CliResult::afterLoad(all);
}
