#include <QImage>

#include <iostream>

#include "chartpicture.h"
#include "chartrun.h"
#include "chartstate.h"
#include "clicommands.h"
#include "exportinput.h"
#include "exportlayout.h"
#include "legendof.h"
#include "workbookexport.h"

namespace {

const char* const renderUsage
    = "Usage: sprelin-cli render -o OUT.png|OUT.svg [view options] [--legend] FILE...\n"
      "Loads the files, computes and draws the chart as the program's window shows it for the\n"
      "view, and saves the chart image: as SVG vector paths when OUT ends in .svg, as PNG\n"
      "otherwise; -o - writes PNG to standard output. --legend adds the box that names each\n"
      "shown trace in its colour and the units of both axes.\n";

const char* const exportUsage
    = "Usage: sprelin-cli export -o OUT.xlsx [view options] [--language en|ru] FILE...\n"
      "Loads the files, computes the chart for the view and writes the spreadsheet export:\n"
      "a workbook with the plotted table and an XY chart of it, sized for a screen of the\n"
      "chart frame's size. --language chooses the titles (default en). -o - writes it to\n"
      "standard output.\n";

// The --language option's value, English when none is asked for; false after a usage error.
bool readLanguage(const ChartCommand& command, const ChartRun& run, Language& language, int& status)
{
    language = Language::english;
    if (run.arguments.values.count("--language") == 0)
        return true;
    const std::string& name = run.arguments.values.at("--language");
    if (name != "en" && name != "ru") {
        status = chartUsageError(command, "--language takes en or ru, not '" + name + "'");
        return false;
    }
    language = name == "ru" ? Language::russian : Language::english;
    return true;
}

} // namespace

int runRender(const std::vector<std::string>& words)
{
    const ChartCommand command { "render", renderUsage, {}, true, { "--legend" } };
    ChartRun run;
    int status = CliSuccess;
    if (!parseChartCommand(command, words, run, status))
        return status;
    ComputedChart chart;
    if (!computeChart(command, run, chart, status))
        return status;
    const bool withLegend = run.arguments.has("--legend");
    const ChartLegend legend
        = chartLegendOf(exportInputOf(chart.state, Language::english, 0, 0), chart.state.chart);
    std::string error;
    const bool written = saveChartPicture(chart.state, withLegend ? &legend : nullptr, run.output, error);
    return writtenStatus(written, error, chart.loadedAll);
}

int runExport(const std::vector<std::string>& words)
{
    const ChartCommand command { "export", exportUsage, { "--language" }, true };
    ChartRun run;
    int status = CliSuccess;
    if (!parseChartCommand(command, words, run, status))
        return status;
    Language language = Language::english;
    if (!readLanguage(command, run, language, status))
        return status;
    ComputedChart chart;
    if (!computeChart(command, run, chart, status))
        return status;
    // The workbook is laid out for a screen of the chart frame's size.
    const ExportInput input = exportInputOf(
        chart.state, language, run.view.width * pointsPerPixel, run.view.height * pointsPerPixel);
    std::string error;
    return writtenStatus(exportToWorkbook(input, run.output, error), error, chart.loadedAll);
}
