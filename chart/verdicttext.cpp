#include "verdicttext.h"

#include <cmath>

#include "labeltext.h"
#include "tracevalues.h"
#include "unitmultiplier.h"

namespace {

bool russian(Language language)
{
    return language == Language::russian;
}

// The unit of a margin of trace kind k: none for VSWR.
const char* marginUnit(int32_t kind, int32_t dbMode)
{
    if (kind % 2 == 1)
        return "°";
    const bool reflection = kind == S11M || kind == S22M;
    return reflection && dbMode != 1 ? "" : " dB";
}

// The margin with its sign; a negative one with the minus sign that reads as such.
std::string signedMargin(double margin)
{
    const std::string magnitude = formatNumber("%.3g", std::abs(margin));
    return (margin < 0 ? "\u2212" : "+") + magnitude;
}

} // namespace

std::string verdictText(const LimitVerdict& verdict, int32_t dbMode, double unitMultiplier, Language language)
{
    if (!verdict.checked)
        return std::string();
    const std::string at = (russian(language) ? " на " : " at ")
        + formatNumber("%.6g", verdict.freq / unitMultiplier) + " "
        + unitName(language, unitIndexOf(unitMultiplier));
    if (verdict.notCovered)
        return std::string("FAIL ") + (russian(language) ? "не покрыт" : "not covered") + at;
    return std::string(verdict.pass() ? "PASS " : "FAIL ") + signedMargin(verdict.margin)
        + marginUnit(verdict.kind, dbMode) + at;
}

std::string passCountText(const LimitsVerdicts& verdicts, Language language)
{
    if (verdicts.checkedCount == 0)
        return std::string();
    return std::to_string(verdicts.passCount) + (russian(language) ? " из " : " of ")
        + std::to_string(verdicts.checkedCount) + (russian(language) ? " годны" : " pass");
}
