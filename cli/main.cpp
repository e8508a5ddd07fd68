// sprelin-cli: the batch tool on the viewer's engine.
#include <clocale>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "chartmodule.h"
#include "clicommands.h"
#include "cliload.h"
#include "loader.h"

namespace {

std::string indentedLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += "       " + line + "\n";
    return text;
}

std::string helpText()
{
    return "Usage: sprelin-cli COMMAND [OPTIONS] FILE...\n"
           "       sprelin-cli --help | --version\n"
           "\n"
           "Loads S-parameter files ("
        + readerExtensionList()
        + ") as Sprelin does.\n"
          "\n"
          "Commands:\n"
          "  info     one line per measurement: index, name, points, frequency range\n"
          "  dump     every measurement with all its points\n"
          "  average  -o OUT.s2p: the average of all measurements as a two-port file\n"
          "  render   -o OUT.png [view options]: the chart image as the program draws it\n"
          "  export   -o OUT.xlsx [view options]: a workbook with the plotted table and chart\n"
          "  readout  --at FREQ [--at FREQ...] [view options]: the cursor readout at each\n"
          "           frequency of the view, in the order given\n"
          "  check    --limits FILE [view options]: PASS or FAIL of every measurement against a\n"
          "           limit mask; exit status 3 when any fails\n"
          "  search   --trace T [--bw N] [view options]: maximum, minimum and -N dB bandwidth\n"
          "           of every measurement's trace\n"
          "\n"
          "-o - writes the output of average, render and export to standard output. Listings\n"
          "write control characters of names as \\n, \\t, \\\\ and \\xNN.\n"
          "\n"
          "'sprelin-cli COMMAND --help' describes a command.\n"
          "\n"
          "Exit status:\n"
          "  0  success\n"
          "  1  a file yielded nothing, with a line 'FILE: REASON', REASON one of\n"
        + indentedLines(loadFailureReasons())
        + "     or an output failed, with a line 'OUT: not writable: REASON', REASON one of\n"
          "       no such folder, is a directory, permission denied, no space left on the\n"
          "       device, read-only file system, file too large, too many symbolic links\n"
          "     or the module of the chart commands, beside the tool, could not be loaded\n"
          "  2  usage error\n"
          "  3  check: some measurement fails its limits\n";
}

struct Command {
    const char* name;
    CliResult (*run)(const std::vector<std::string>&);
};

const Command kCommands[] = {
    { "info", runInfo },
    { "dump", runDump },
    { "average", runAverage },
};

// How the command the words name ended, or the tool's own options.
CliResult runCommandLine(int argc, char** argv)
{
    if (argc < 2)
        return CliResult { CliUsageError, helpText() };
    const std::string first = argv[1];
    if (first == "--help" || first == "-h")
        return CliResult::help(helpText());
    if (first == "--version")
        return CliResult { CliSuccess, "sprelin-cli " SPRELIN_VERSION "\n" };
    const std::vector<std::string> words(argv + 2, argv + argc);
    for (const Command& command : kCommands)
        if (first == command.name)
            return command.run(words);
    if (isChartCommand(first))
        return runChartCommand(first, words);
    return CliResult::usageError("sprelin-cli: unknown command '" + first + "'", helpText());
}

} // namespace

int main(int argc, char** argv)
{
    // Take the user's locale as the window does; every number the tool prints or reads is
    // locale-independent all the same.
    std::setlocale(LC_ALL, "");
    const CliResult result = runCommandLine(argc, argv);
    // The one place where the tool's texts of how it ended are printed: a success's message
    // (help or version) on standard output, any other on standard error.
    (result.status == CliSuccess ? std::cout : std::cerr) << result.message;
    return result.status;
}
