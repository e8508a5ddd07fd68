#include "chartrun.h"

#include <iostream>

#include "clicommands.h"
#include "cliload.h"
#include "renderchart.h"

namespace {

void printHelp(const ChartCommand& command, std::ostream& out)
{
    out << command.usage << viewOptionsHelp;
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

int chartUsageError(const ChartCommand& command, const std::string& error)
{
    std::cerr << "sprelin-cli " << command.name << ": " << error << '\n';
    printHelp(command, std::cerr);
    return CliUsageError;
}

bool parseChartCommand(
    const ChartCommand& command, const std::vector<std::string>& words, ChartRun& run, int& status)
{
    std::set<std::string> valueOptions = viewValueOptions();
    if (command.writesFile)
        valueOptions.insert({ "-o", "--output" });
    valueOptions.insert(command.valueOptions.begin(), command.valueOptions.end());
    std::set<std::string> flags = viewFlagOptions();
    flags.insert({ "--help", "-h" });
    flags.insert(command.flagOptions.begin(), command.flagOptions.end());
    std::string error;
    if (!parseCliArguments(words, valueOptions, flags, run.arguments, error)) {
        status = chartUsageError(command, error);
        return false;
    }
    if (run.arguments.has("--help") || run.arguments.has("-h")) {
        printHelp(command, std::cout);
        status = CliSuccess;
        return false;
    }
    const auto& values = run.arguments.values;
    run.output = values.count("-o") != 0 ? values.at("-o")
        : values.count("--output") != 0  ? values.at("--output")
                                         : "";
    if (command.writesFile && (run.output.empty() || run.arguments.files.empty())) {
        status = chartUsageError(command, "needs -o OUTPUT and at least one file");
        return false;
    }
    if (run.arguments.files.empty()) {
        status = chartUsageError(command, "needs at least one file");
        return false;
    }
    if (!parseViewOptions(run.arguments, run.view, error)) {
        status = chartUsageError(command, error);
        return false;
    }
    return true;
}

OffscreenApplication::OffscreenApplication()
    : filtered(installMessageFilter())
    , application(argc, argv)
{
}

bool computeChart(const ChartCommand& command, const ChartRun& run, ComputedChart& chart, int& status)
{
    ChartState& state = chart.state;
    chart.loadedAll = loadForCli(run.arguments.files, state.measurements, std::cerr);
    if (state.measurements.itemCount == 0) {
        std::cerr << "sprelin-cli " << command.name << ": no measurement to draw\n";
        status = CliFailure;
        return false;
    }
    std::string error;
    if (!applyViewOptions(run.view, state, error)) {
        status = chartUsageError(command, error);
        return false;
    }
    HeadlessChartHost host;
    const RecomputeResult result
        = renderChartImage(state, host, QSize(run.view.width, run.view.height), chart.image);
    if (result == RecomputeResult::FrameTooSmall) {
        status = chartUsageError(command,
            "a chart frame of " + std::to_string(run.view.width) + "x" + std::to_string(run.view.height)
                + " pixels leaves no room for the plot");
        return false;
    }
    if (result != RecomputeResult::Drawn) {
        std::cerr << "sprelin-cli " << command.name << ": the chart could not be computed (out of memory)\n";
        status = CliFailure;
        return false;
    }
    return true;
}

int writtenStatus(bool written, const std::string& error, bool loadedAll)
{
    if (!written) {
        std::cerr << error << '\n';
        return CliFailure;
    }
    return loadedAll ? CliSuccess : CliFailure;
}
