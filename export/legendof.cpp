#include "legendof.h"

#include <QStringList>

#include <array>

#include "exportedtraces.h"
#include "exporttexts.h"
#include "locus.h"
#include "phasetexts.h"
#include "tracepalette.h"
#include "tracevalues.h"
#include "unitmultiplier.h"

namespace {

// Keeps the first maximumLegendLines entries and counts the rest.
void limitEntries(ChartLegend& legend, Language language)
{
    const int32_t total = static_cast<int32_t>(legend.entries.size());
    if (total > maximumLegendLines) {
        legend.entries.resize(maximumLegendLines);
        legend.moreText = QString::fromStdString(legendMoreText(language, total - maximumLegendLines));
    }
}

} // namespace

ChartLegend chartLegendOf(const ExportInput& input, const ChartView& chart)
{
    ChartLegend legend;
    const PhaseResults& phase = input.buffers.phase;
    std::array<bool, valueAxisKindCount> kinds {};
    for (const int32_t t : exportedTraces(input)) {
        const std::string text = displayNameOf(input, t) + ' ' + traceName(t % tracesPerMeasurement);
        legend.entries.push_back(
            LegendEntry { chart.palette[static_cast<size_t>(paletteSlot(t))], QString::fromStdString(text) });
        kinds[static_cast<size_t>(valueAxisKind(t, input.dbMode, phase.mode))] = true;
    }
    limitEntries(legend, input.language);
    legend.frequencyUnit = QString::fromUtf8(unitName(input.language, unitIndexOf(input.unitMultiplier)));
    QStringList units;
    // The delay's unit stands over the value labels of every chart output already.
    for (const ValueAxisKind kind : { ValueAxisKind::Decibels, ValueAxisKind::Degrees, ValueAxisKind::Vswr }) {
        if (kinds[static_cast<size_t>(kind)])
            units.append(QString::fromUtf8(valueAxisTitle(input.language, kind, phase.delayExponent)));
    }
    legend.valueUnit = units.join(QStringLiteral(", "));
    if (kinds[static_cast<size_t>(ValueAxisKind::Delay)])
        legend.note = QString::fromStdString(apertureLabel(input.language, phase));
    return legend;
}

ChartLegend legendOfShownChart(const ExportInput& input, const ChartState& state)
{
    if (state.chartKind == ChartKind::frequency)
        return chartLegendOf(input, state.chart);
    ChartLegend legend;
    for (const Locus& locus : state.plane.loci) {
        const std::string text = displayNameOf(input, locus.trace()) + ' ' + parameterName(locus.parameter);
        legend.entries.push_back(
            LegendEntry { state.chart.palette[static_cast<size_t>(paletteSlot(locus.trace()))],
                QString::fromStdString(text) });
    }
    limitEntries(legend, input.language);
    return legend;
}
