#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>

#include <iostream>

#include "cliarguments.h"
#include "clicommands.h"
#include "cliload.h"
#include "exportinput.h"
#include "exportlayout.h"
#include "renderchart.h"
#include "viewoptions.h"
#include "workbookexport.h"

namespace {

const char* const renderUsage = "Usage: sprelin-cli render -o OUT.png [view options] FILE...\n"
                                "Loads the files, computes and draws the chart as the program's window\n"
                                "shows it for the view, and saves the chart image as PNG.\n";

const char* const exportUsage
    = "Usage: sprelin-cli export -o OUT.xlsx [view options] [--language en|ru] FILE...\n"
      "Loads the files, computes the chart for the view and writes the spreadsheet export:\n"
      "a workbook with the plotted table and an XY chart of it, sized for a screen of the\n"
      "chart frame's size. --language chooses the titles (default en).\n";

// One chart command: its name, usage text and the options beyond the view's.
struct ChartCommand {
    const char* name;
    const char* usage;
    std::set<std::string> valueOptions;
};

void printHelp(const ChartCommand& command, std::ostream& out)
{
    out << command.usage << viewOptionsHelp;
}

int usageError(const ChartCommand& command, const std::string& error)
{
    std::cerr << "sprelin-cli " << command.name << ": " << error << '\n';
    printHelp(command, std::cerr);
    return CliUsageError;
}

// What a parsed chart command works on.
struct ChartRun {
    CliArguments arguments;
    std::string output;
    ViewOptions view;
};

// Parses the words; returns a status when the command is already done (help or a usage error).
bool parseChartCommand(
    const ChartCommand& command, const std::vector<std::string>& words, ChartRun& run, int& status)
{
    std::set<std::string> valueOptions = viewValueOptions();
    valueOptions.insert({ "-o", "--output" });
    valueOptions.insert(command.valueOptions.begin(), command.valueOptions.end());
    std::set<std::string> flags = viewFlagOptions();
    flags.insert({ "--help", "-h" });
    std::string error;
    if (!parseCliArguments(words, valueOptions, flags, run.arguments, error)) {
        status = usageError(command, error);
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
    if (run.output.empty() || run.arguments.files.empty()) {
        status = usageError(command, std::string("needs -o OUTPUT and at least one file"));
        return false;
    }
    if (!parseViewOptions(run.arguments, run.view, error)) {
        status = usageError(command, error);
        return false;
    }
    return true;
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

// The chart needs a GUI application for its fonts; the offscreen platform needs no display.
class OffscreenApplication {
public:
    OffscreenApplication()
        : filtered(installMessageFilter())
        , application(argc, argv)
    {
    }

private:
    char name[12] = "sprelin-cli";
    char platformOption[10] = "-platform";
    char platform[10] = "offscreen";
    char* argv[4] = { name, platformOption, platform, nullptr };
    int argc = 3;
    [[maybe_unused]] bool filtered;
    QGuiApplication application;
};

// Loads the files into state and computes and draws its chart for the view. Returns a
// status when the command cannot go on; loadedAll tells whether every file gave measurements.
bool computeChart(const ChartCommand& command, const ChartRun& run, ChartState& state, QImage& image,
    bool& loadedAll, int& status)
{
    loadedAll = loadForCli(run.arguments.files, state.measurements, std::cerr);
    if (state.measurements.itemCount == 0) {
        std::cerr << "sprelin-cli " << command.name << ": no measurement to draw\n";
        status = CliFailure;
        return false;
    }
    std::string error;
    if (!applyViewOptions(run.view, state, error)) {
        status = usageError(command, error);
        return false;
    }
    HeadlessChartHost host;
    const RecomputeResult result
        = renderChartImage(state, host, QSize(run.view.width, run.view.height), image);
    if (result == RecomputeResult::FrameTooSmall) {
        status = usageError(command,
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

} // namespace

int runRender(const std::vector<std::string>& words)
{
    const ChartCommand command { "render", renderUsage, {} };
    ChartRun run;
    int status = CliSuccess;
    if (!parseChartCommand(command, words, run, status))
        return status;
    const OffscreenApplication application;
    ChartState state;
    QImage image;
    bool loadedAll = false;
    if (!computeChart(command, run, state, image, loadedAll, status))
        return status;
    // The image appears whole or not at all.
    QSaveFile file(QString::fromStdString(run.output));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        std::cerr << run.output << ": cannot write the image: " << file.errorString().toStdString() << '\n';
        return CliFailure;
    }
    return loadedAll ? CliSuccess : CliFailure;
}

int runExport(const std::vector<std::string>& words)
{
    const ChartCommand command { "export", exportUsage, { "--language" } };
    ChartRun run;
    int status = CliSuccess;
    if (!parseChartCommand(command, words, run, status))
        return status;
    int32_t language = 1;
    if (run.arguments.values.count("--language") != 0) {
        const std::string& name = run.arguments.values.at("--language");
        if (name != "en" && name != "ru")
            return usageError(command, "--language takes en or ru, not '" + name + "'");
        language = name == "ru" ? 0 : 1;
    }
    const OffscreenApplication application;
    ChartState state;
    QImage image;
    bool loadedAll = false;
    if (!computeChart(command, run, state, image, loadedAll, status))
        return status;
    // The workbook is laid out for a screen of the chart frame's size.
    const ExportInput input
        = exportInputOf(state, language, run.view.width * pointsPerPixel, run.view.height * pointsPerPixel);
    std::string error;
    if (!exportToWorkbook(input, run.output, error)) {
        std::cerr << error << '\n';
        return CliFailure;
    }
    return loadedAll ? CliSuccess : CliFailure;
}
