#include <iostream>
#include <optional>

#include "cformat.h"
#include "chartrun.h"
#include "clicommands.h"
#include "cliload.h"
#include "limitscheck.h"
#include "limitsfile.h"
#include "listingtext.h"
#include "tracevalues.h"

namespace {

const char* const checkUsage
    = "Usage: sprelin-cli check --limits FILE [view options] FILE...\n"
      "Loads the files and checks every measurement against the limit mask in FILE, on the\n"
      "values the chart plots for the view (dB or --vswr, phases in degrees, relative to\n"
      "--relative N). Prints one line per measurement, in list order:\n"
      "  index<TAB>name<TAB>PASS|FAIL<TAB>worst margin<TAB>its trace<TAB>its frequency in the\n"
      "  unit of --unit<TAB>the segment's line in FILE\n"
      "the margin being 'not covered' where a segment lies outside the measured range, and\n"
      "NONE with empty fields for a measurement that no segment applies to; then 'N of M\n"
      "pass'. Exit status: 0 when every checked measurement passes, 3 when any fails or none\n"
      "is checked, 1 for bad arguments, a bad limits file (its line on standard error) or a\n"
      "file that yields nothing.\n"
      "Limits file: 'unit Hz|kHz|MHz|GHz' once before the segments (default Hz), then one\n"
      "segment a line, 'TRACE upper|lower F1 V1 [F2 V2]'; '#' starts a comment.\n";

// The fields after the name of one measurement's line.
std::string verdictFields(const LimitVerdict& verdict, double unitMultiplier)
{
    if (!verdict.checked)
        return "NONE\t\t\t\t";
    const std::string margin = verdict.notCovered ? "not covered" : cFormat("%.6g", verdict.margin);
    return cFormat("%s\t%s\t%s\t%.10g\t%d", verdict.pass() ? "PASS" : "FAIL", margin.c_str(),
        traceName(verdict.kind), verdict.freq / unitMultiplier, verdict.line);
}

// The check takes every wrong word as bad input, of the same status as a bad limits file.
CliResult asBadInput(CliResult result)
{
    if (result.status == CliUsageError)
        result.status = CliFailure;
    return result;
}

} // namespace

CliResult runCheck(const std::vector<std::string>& words)
{
    const ChartCommand command { "check", checkUsage, { "--limits" }, false };
    ChartRun run;
    if (const std::optional<CliResult> done = parseChartCommand(command, words, run))
        return asBadInput(*done);
    if (!run.arguments.has("--limits"))
        return asBadInput(chartUsageError(command, "needs --limits FILE"));
    Limits limits;
    std::string error;
    if (!readLimitsFile(run.arguments.values.at("--limits"), limits, error))
        return CliResult::failure(commandLine(command, error));

    RubberS2P& list = listKeptToExit();
    const bool all = loadForCli(run.arguments.files, list, std::cerr);
    if (!referenceLoaded(run.view, list.itemCount, error))
        return CliResult::failure(commandLine(command, error));
    const LimitsVerdicts verdicts = checkLimits(limits, list, run.view.dbMode, run.view.referenceIndex);
    for (int32_t i = 0; i < list.itemCount; ++i) {
        std::cout << cFormat("%d\t%s\t", i, escaped(list.measurement(i)->displayName).c_str())
                  << verdictFields(verdicts.measurements[static_cast<size_t>(i)], run.view.unitMultiplier)
                  << '\n';
    }
    std::cout << cFormat("%d of %d pass\n", verdicts.passCount, verdicts.checkedCount);
    if (!all)
        return CliResult::afterLoad(false);
    const bool passed = verdicts.checkedCount > 0 && verdicts.passCount == verdicts.checkedCount;
    return CliResult { passed ? CliSuccess : CliLimitsFailed, std::string() };
}
