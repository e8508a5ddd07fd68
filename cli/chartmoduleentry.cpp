#include "chartmodule.h"
#include "clicommands.h"

namespace {

struct ChartCommand {
    const char* name;
    CliResult (*run)(const std::vector<std::string>&);
};

const ChartCommand kChartCommands[] = {
    { "render", runRender },
    { "export", runExport },
    { "readout", runReadout },
    { "check", runCheck },
    { "search", runSearch },
};

} // namespace

extern "C" __attribute__((visibility("default"))) void sprelinRunChartCommand(
    const char* name, const std::vector<std::string>& words, CliResult& result)
{
    for (const ChartCommand& command : kChartCommands)
        if (std::string(name) == command.name) {
            result = command.run(words);
            return;
        }
    result = CliResult::usageError("sprelin-cli: unknown command '" + std::string(name) + "'", std::string());
}
