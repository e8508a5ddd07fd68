#include "chartrun.h"

#include <iostream>

#include "cliload.h"
#include "limitsfile.h"
#include "renderchart.h"

namespace {

std::string helpOf(const ChartCommand& command)
{
    return std::string(command.usage) + viewOptionsHelp;
}

// Qt's note that a batch run has no desktop session folder is no concern of the user; every
// other message passes as usual.
QtMessageHandler defaultHandler = nullptr;

void filterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    defaultHandler(type, context, message);
}

bool installMessageFilter()
{
    defaultHandler = qInstallMessageHandler(filterMessages);
    return true;
}

} // namespace

std::string commandLine(const ChartCommand& command, const std::string& text)
{
    return "sprelin-cli " + std::string(command.name) + ": " + text;
}

CliResult chartUsageError(const ChartCommand& command, const std::string& error)
{
    return CliResult::usageError(commandLine(command, error), helpOf(command));
}

std::optional<CliResult> parseChartCommand(
    const ChartCommand& command, const std::vector<std::string>& words, ChartRun& run)
{
    std::set<std::string> valueOptions = viewValueOptions();
    if (command.writesFile)
        valueOptions.insert({ "-o", "--output" });
    valueOptions.insert(command.valueOptions.begin(), command.valueOptions.end());
    std::set<std::string> flags = viewFlagOptions();
    flags.insert({ "--help", "-h" });
    flags.insert(command.flagOptions.begin(), command.flagOptions.end());
    std::string error;
    if (!parseCliArguments(words, valueOptions, flags, run.arguments, error))
        return chartUsageError(command, error);
    if (run.arguments.has("--help") || run.arguments.has("-h"))
        return CliResult::help(helpOf(command));
    const auto& values = run.arguments.values;
    run.output = values.count("-o") != 0 ? values.at("-o")
        : values.count("--output") != 0  ? values.at("--output")
                                         : "";
    if (command.writesFile && (run.output.empty() || run.arguments.files.empty()))
        return chartUsageError(command, "needs -o OUTPUT and at least one file");
    if (run.arguments.files.empty())
        return chartUsageError(command, "needs at least one file");
    if (!parseViewOptions(run.arguments, run.view, error))
        return chartUsageError(command, error);
    return std::nullopt;
}

OffscreenApplication::OffscreenApplication()
    : filtered(installMessageFilter())
    , application(argc, argv)
{
}

std::optional<CliResult> computeChart(const ChartCommand& command, const ChartRun& run, ComputedChart& chart)
{
    ChartState& state = chart.state;
    std::string error;
    const auto& values = run.arguments.values;
    if (values.count("--limits") != 0 && !readLimitsFile(values.at("--limits"), state.limits, error))
        return CliResult::failure(commandLine(command, error));
    chart.loadedAll = loadForCli(run.arguments.files, state.measurements, std::cerr);
    if (state.measurements.itemCount == 0)
        return CliResult::failure(commandLine(command, "no measurement to draw"));
    if (!applyViewOptions(run.view, state, error))
        return chartUsageError(command, error);
    HeadlessChartHost host;
    const RecomputeResult result = renderChart(state, host, QSize(run.view.width, run.view.height));
    if (result == RecomputeResult::FrameTooSmall)
        return chartUsageError(command,
            "a chart frame of " + std::to_string(run.view.width) + "x" + std::to_string(run.view.height)
                + " pixels leaves no room for the plot");
    if (result != RecomputeResult::Drawn)
        return CliResult::failure(commandLine(command, "the chart could not be computed (out of memory)"));
    return std::nullopt;
}

CliResult writtenResult(bool written, const std::string& error, bool loadedAll)
{
    if (!written)
        return CliResult::failure(error);
    return CliResult::afterLoad(loadedAll);
}
