#include <iostream>

#include "averagedcommand.h"
#include "averaging.h"
#include "cformat.h"
#include "cliarguments.h"
#include "clicommands.h"
#include "cliload.h"
#include "listingtext.h"

namespace {

const char* const kAverageHelp
    = "Usage: sprelin-cli average -o OUT.s2p FILE...\n"
      "Loads the files and writes the average of all their measurements, on the\n"
      "frequency grid of the first, as a two-port Touchstone file in GHz, dB and degrees.\n"
      "A point whose average is not a finite number is left out. A measurement that does not\n"
      "cover the first one's range is named on standard error, with the end value that stands\n"
      "in for it beyond its range; the exit status stays 0. -o - writes to standard\n"
      "output.\n";

std::string gigahertz(double hertz)
{
    return cFormat("%g", hertz / 1e9);
}

// Says which measurements do not cover the range the average is written on, and how their
// ends stand in beyond their own range.
void reportUncoveredRanges(RubberS2P& list, const std::string& output, std::ostream& err)
{
    const std::vector<UncoveredRange> uncovered = uncoveredRanges(list);
    if (uncovered.empty())
        return;
    const RubberS2PData& first = *list.measurement(0);
    err << output << ": the average is written on the frequencies of the first measurement, "
        << gigahertz(first.freqFirst) << " to " << gigahertz(first.freqLast) << " GHz\n";
    for (const UncoveredRange& range : uncovered) {
        const std::string name = escaped(range.name);
        if (range.startsLate)
            err << output << ": " << name << " starts at " << gigahertz(range.freqFirst)
                << " GHz: its first value is repeated below it\n";
        if (range.endsEarly)
            err << output << ": " << name << " ends at " << gigahertz(range.freqLast)
                << " GHz: its last value is repeated above it\n";
    }
}

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
    RubberS2P& list = listKeptToExit();
    const bool all = loadForCli(arguments.files, list, std::cerr);
    std::string reason;
    const LoadResult written = averagedS2PCommand(list, output, &reason);
    if (written != LoadSuccess)
        return CliResult::failure(output + ": " + (reason.empty() ? loadResultReason(written) : reason));
    reportUncoveredRanges(list, escaped(output), std::cerr);
    return CliResult::afterLoad(all);
}
