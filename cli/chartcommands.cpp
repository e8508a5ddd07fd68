#include <QBuffer>
#include <QImage>

#include <iostream>

#include "chartrun.h"
#include "chartstate.h"
#include "clicommands.h"
#include "exportinput.h"
#include "exportlayout.h"
#include "savefile.h"
#include "workbookexport.h"

namespace {

const char* const renderUsage = "Usage: sprelin-cli render -o OUT.png [view options] FILE...\n"
                                "Loads the files, computes and draws the chart as the program's window\n"
                                "shows it for the view, and saves the chart image as PNG; -o - writes it to\n"
                                "standard output.\n";

const char* const exportUsage
    = "Usage: sprelin-cli export -o OUT.xlsx [view options] [--language en|ru] FILE...\n"
      "Loads the files, computes the chart for the view and writes the spreadsheet export:\n"
      "a workbook with the plotted table and an XY chart of it, sized for a screen of the\n"
      "chart frame's size. --language chooses the titles (default en). -o - writes it to\n"
      "standard output.\n";

} // namespace

int runRender(const std::vector<std::string>& words)
{
    const ChartCommand command { "render", renderUsage, {}, true };
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
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        std::cerr << "sprelin-cli render: the image could not be encoded (out of memory)\n";
        return CliFailure;
    }
    SaveFile file;
    std::string error;
    if (file.open(run.output, error))
        file.write(png.constData(), static_cast<size_t>(png.size()));
    if (!error.empty() || !file.commit(error)) {
        std::cerr << run.output << ": " << error << '\n';
        return CliFailure;
    }
    return loadedAll ? CliSuccess : CliFailure;
}

int runExport(const std::vector<std::string>& words)
{
    const ChartCommand command { "export", exportUsage, { "--language" }, true };
    ChartRun run;
    int status = CliSuccess;
    if (!parseChartCommand(command, words, run, status))
        return status;
    int32_t language = 1;
    if (run.arguments.values.count("--language") != 0) {
        const std::string& name = run.arguments.values.at("--language");
        if (name != "en" && name != "ru")
            return chartUsageError(command, "--language takes en or ru, not '" + name + "'");
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
