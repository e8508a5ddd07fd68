#include <QImage>

#include <optional>

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
    = "Usage: sprelin-cli render -o OUT.png|OUT.svg [view options] [--legend] [--limits FILE] FILE...\n"
      "Loads the files, computes and draws the chart as the program's window shows it for the\n"
      "view, and saves the chart image: as SVG vector paths when OUT ends in .svg, as PNG\n"
      "otherwise; -o - writes PNG to standard output. --legend adds the box that names each\n"
      "shown trace in its colour and the units of both axes. --limits draws the limit mask\n"
      "of FILE (see sprelin-cli check --help) over the curves.\n";

const char* const exportUsage
    = "Usage: sprelin-cli export -o OUT.xlsx [view options] [--language en|ru] [--limits FILE] FILE...\n"
      "Loads the files, computes the chart for the view and writes the spreadsheet export:\n"
      "a workbook with the plotted table and an XY chart of it, sized for a screen of the\n"
      "chart frame's size. --language chooses the titles (default en). --limits adds the\n"
      "verdict of every measurement against the limit mask of FILE. -o - writes it to\n"
      "standard output.\n";

// The language the --language option names, English when none is asked for; none when the
// value names neither language.
std::optional<Language> languageOption(const ChartRun& run)
{
    if (run.arguments.values.count("--language") == 0)
        return Language::english;
    const std::string& name = run.arguments.values.at("--language");
    if (name == "ru")
        return Language::russian;
    if (name == "en")
        return Language::english;
    return std::nullopt;
}

} // namespace

CliResult runRender(const std::vector<std::string>& words)
{
    const ChartCommand command { "render", renderUsage, { "--limits" }, true, { "--legend" } };
    ChartRun run;
    if (const std::optional<CliResult> done = parseChartCommand(command, words, run))
        return *done;
    ComputedChart chart;
    if (const std::optional<CliResult> done = computeChart(command, run, chart))
        return *done;
    const bool withLegend = run.arguments.has("--legend");
    const ChartLegend legend
        = legendOfShownChart(exportInputOf(chart.state, Language::english, 0, 0), chart.state);
    std::string error;
    const bool written = saveChartPicture(chart.state, withLegend ? &legend : nullptr, run.output, error);
    return writtenResult(written, error, chart.loadedAll);
}

CliResult runExport(const std::vector<std::string>& words)
{
    const ChartCommand command { "export", exportUsage, { "--language", "--limits" }, true };
    ChartRun run;
    if (const std::optional<CliResult> done = parseChartCommand(command, words, run))
        return *done;
    const std::optional<Language> language = languageOption(run);
    if (!language)
        return chartUsageError(
            command, "--language takes en or ru, not '" + run.arguments.values.at("--language") + "'");
    ComputedChart chart;
    if (const std::optional<CliResult> done = computeChart(command, run, chart))
        return *done;
    // The workbook is laid out for a screen of the chart frame's size.
    const ExportInput input = exportInputOf(
        chart.state, *language, run.view.width * pointsPerPixel, run.view.height * pointsPerPixel);
    std::string error;
    return writtenResult(exportToWorkbook(input, run.output, error), error, chart.loadedAll);
}
