#include "workbookexport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include <xlsxwriter.h>

#include "cellname.h"
#include "clocalescope.h"
#include "columnwidth.h"
#include "exportaxis.h"
#include "exportedtraces.h"
#include "exportlayout.h"
#include "exporttexts.h"
#include "phasetexts.h"
#include "savefile.h"
#include "tracevalues.h"
#include "utf8text.h"

namespace {

// Size of a new chart in the writer, in pixels at 96 pixels per inch; charts are scaled from it.
constexpr double writerChartWidth = 480;
constexpr double writerChartHeight = 288;
constexpr double pixelsPerPoint = 1 / pointsPerPixel;

// Every data cell shows three decimals. Workbooks keep number formats in one invariant form,
// in which "." is the decimal point (and "," thousands grouping); the spreadsheet shows it
// with the user's own separator.
const char numberFormat[] = "0.000";

// Tick labels of both axes are formatted as text.
const char tickLabelFormat[] = "@";

// Marker size of every series, in points.
constexpr uint8_t markerSize = 4;

// Marker shapes given to the series in turn. The writer drops a marker size whose shape is
// left automatic, so every series names one.
const uint8_t markerTypes[] = { LXW_CHART_MARKER_DIAMOND, LXW_CHART_MARKER_SQUARE, LXW_CHART_MARKER_TRIANGLE,
    LXW_CHART_MARKER_X, LXW_CHART_MARKER_STAR, LXW_CHART_MARKER_CIRCLE, LXW_CHART_MARKER_PLUS };

struct WorkbookDeleter {
    void operator()(lxw_workbook* workbook) const { lxw_workbook_free(workbook); }
};
using WorkbookPointer = std::unique_ptr<lxw_workbook, WorkbookDeleter>;

// Fills one worksheet, keeping the first failure with the cell it happened in.
class SheetWriter {
public:
    SheetWriter(lxw_worksheet* sheet, lxw_format* format)
        : worksheet(sheet)
        , cellFormat(format)
    {
    }

    void text(int32_t column, int32_t row, const std::string& value, ColumnWidth& width)
    {
        const std::string valid = validUtf8(value);
        width.addText(valid);
        check(worksheet_write_string(worksheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                  valid.c_str(), nullptr),
            column, row);
    }

    // Values that are not finite have no representation in a cell and leave it empty.
    void number(int32_t column, int32_t row, double value, ColumnWidth& width)
    {
        if (!std::isfinite(value))
            return;
        width.addNumber(value);
        check(worksheet_write_number(
                  worksheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column), value, cellFormat),
            column, row);
    }

    void fitColumn(int32_t column, const ColumnWidth& width)
    {
        const lxw_col_t c = static_cast<lxw_col_t>(column);
        check(worksheet_set_column(worksheet, c, c, width.width(), nullptr), column, 0);
    }

    bool failed() const { return !failure.empty(); }
    const std::string& failureText() const { return failure; }

private:
    void check(lxw_error result, int32_t column, int32_t row)
    {
        if (result != LXW_NO_ERROR && failure.empty())
            failure = "cell " + cellName(column, row) + ": " + lxw_strerror(result);
    }

    lxw_worksheet* worksheet;
    lxw_format* cellFormat;
    std::string failure;
};

void applyAxis(lxw_chart_axis* axis, const ExportAxis& settings)
{
    chart_axis_major_gridlines_set_visible(axis, LXW_TRUE);
    chart_axis_minor_gridlines_set_visible(axis, LXW_FALSE);
    if (settings.hasLimits) {
        chart_axis_set_min(axis, settings.minimum);
        chart_axis_set_max(axis, settings.maximum);
    }
    if (settings.hasMajorUnit)
        chart_axis_set_major_unit(axis, settings.majorUnit);
    chart_axis_set_num_format(axis, tickLabelFormat);
}

struct ChartPlan {
    const char* sheetName = nullptr;
    int32_t headerRow = 0;
    int32_t pointCount = 0;
    int32_t seriesCount = 0;
    ExportAxis frequencyAxis;
    ExportAxis valueAxis;
    std::string valueAxisTitle;
};

// The XY chart over the table's first seriesCount + 1 columns: column 0 the frequencies, each
// further column one series named by its title cell.
lxw_chart* addExportChart(lxw_workbook* workbook, const ChartPlan& plan)
{
    lxw_chart* chart = workbook_add_chart(workbook, LXW_CHART_SCATTER_SMOOTH_WITH_MARKERS);
    if (chart == nullptr)
        return nullptr;
    const lxw_row_t firstRow = static_cast<lxw_row_t>(plan.headerRow + 1);
    const lxw_row_t lastRow = static_cast<lxw_row_t>(plan.headerRow + plan.pointCount);
    for (int32_t i = 1; i <= plan.seriesCount; ++i) {
        lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
        if (series == nullptr)
            return nullptr;
        const lxw_col_t column = static_cast<lxw_col_t>(i);
        chart_series_set_categories(series, plan.sheetName, firstRow, 0, lastRow, 0);
        chart_series_set_values(series, plan.sheetName, firstRow, column, lastRow, column);
        chart_series_set_name_range(series, plan.sheetName, static_cast<lxw_row_t>(plan.headerRow), column);
        chart_series_set_marker_type(
            series, markerTypes[static_cast<size_t>(i - 1) % std::size(markerTypes)]);
        chart_series_set_marker_size(series, markerSize);
    }
    chart_title_off(chart);

    applyAxis(chart->y_axis, plan.valueAxis);
    chart_axis_set_name(chart->y_axis, plan.valueAxisTitle.c_str());

    applyAxis(chart->x_axis, plan.frequencyAxis);
    chart_axis_set_label_position(chart->x_axis, LXW_CHART_AXIS_LABEL_POSITION_LOW);
    chart_axis_set_name_range(chart->x_axis, plan.sheetName, static_cast<lxw_row_t>(plan.headerRow), 0);
    return chart;
}

struct ScratchClose {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using ScratchPointer = std::unique_ptr<std::FILE, ScratchClose>;

// Appends the whole of the scratch file to the target; false when it cannot be read back.
bool copyFile(std::FILE* scratch, SaveFile& target)
{
    if (std::fseek(scratch, 0, SEEK_SET) != 0)
        return false;
    std::vector<char> block(1 << 16);
    while (true) {
        const size_t n = std::fread(block.data(), 1, block.size(), scratch);
        target.write(block.data(), n);
        if (n < block.size())
            return std::ferror(scratch) == 0;
    }
}

bool fail(std::string& error, const std::string& text)
{
    error = text;
    return false;
}

} // namespace

// A worksheet of the name added after the others; null with the reason in failure when it
// could not be.
lxw_worksheet* addWorksheet(lxw_workbook* workbook, const char* name, std::string& failure)
{
    lxw_worksheet* worksheet = workbook_add_worksheet(workbook, name);
    if (worksheet == nullptr)
        failure = "out of memory";
    return worksheet;
}

// Fits every column of the writer's sheet to its widest text; false with the reason in
// failure when anything on the sheet could not be written.
bool finishWorksheet(SheetWriter& writer, const std::vector<ColumnWidth>& widths, std::string& failure)
{
    for (size_t c = 0; c < widths.size(); ++c)
        writer.fitColumn(static_cast<int32_t>(c), widths[c]);
    if (writer.failed()) {
        failure = writer.failureText();
        return false;
    }
    return true;
}

// The verdict columns on a worksheet of their own, one row per measurement under a header:
// index, name, PASS or FAIL, the worst margin (empty where a segment is not covered), its
// trace, its frequency in the displayed unit and the segment's line; no row for a measurement
// that no segment applies to.
// Returns false with the reason in failure when the worksheet could not be written.
bool writeVerdicts(lxw_workbook* workbook, lxw_format* format, const ExportInput& input, std::string& failure)
{
    lxw_worksheet* worksheet = addWorksheet(workbook, "Limits", failure);
    if (worksheet == nullptr)
        return false;
    SheetWriter writer(worksheet, format);
    const char* const titles[] = { "Index", "Name", "Verdict", "Margin", "Trace", nullptr, "Line" };
    std::vector<ColumnWidth> widths(std::size(titles));
    for (size_t c = 0; c < std::size(titles); ++c) {
        const std::string title
            = titles[c] != nullptr ? titles[c] : frequencyTitle(input.language, input.unitMultiplier);
        writer.text(static_cast<int32_t>(c), 0, title, widths[c]);
    }
    int32_t row = 1;
    for (size_t m = 0; m < input.verdicts.measurements.size(); ++m) {
        const LimitVerdict& v = input.verdicts.measurements[m];
        if (!v.checked)
            continue;
        writer.number(0, row, static_cast<double>(m), widths[0]);
        writer.text(1, row, m < input.displayNames.size() ? input.displayNames[m] : std::string(), widths[1]);
        writer.text(2, row, v.pass() ? "PASS" : "FAIL", widths[2]);
        if (v.notCovered)
            writer.text(3, row, "not covered", widths[3]);
        else
            writer.number(3, row, v.margin, widths[3]);
        writer.text(4, row, traceName(v.kind), widths[4]);
        writer.number(5, row, v.freq / input.unitMultiplier, widths[5]);
        writer.number(6, row, v.line, widths[6]);
        ++row;
    }
    return finishWorksheet(writer, widths, failure);
}

// The marker table on a worksheet of its own: a title row (an empty cell, then each marker's
// title), then one row per shown trace with its title and its value at each marker, empty
// where it has none. Returns false with the reason in failure when it could not be written.
bool writeMarkerTable(lxw_workbook* workbook, lxw_format* format, const ExportInput& input, std::string& failure)
{
    lxw_worksheet* worksheet = addWorksheet(workbook, "Markers", failure);
    if (worksheet == nullptr)
        return false;
    const MarkerTable& markers = input.markers;
    SheetWriter writer(worksheet, format);
    std::vector<ColumnWidth> widths(markers.titles.size() + 1);
    for (size_t c = 0; c < markers.titles.size(); ++c)
        writer.text(static_cast<int32_t>(c + 1), 0, markers.titles[c], widths[c + 1]);
    for (size_t r = 0; r < markers.traces.size(); ++r) {
        const int32_t t = markers.traces[r];
        const int32_t row = static_cast<int32_t>(r + 1);
        writer.text(0, row,
            traceTitle(t, displayNameOf(input, t),
                traceUnitText(input.buffers.phase, t % tracesPerMeasurement, input.language)),
            widths[0]);
        for (size_t c = 0; c < markers.cells[r].size(); ++c)
            writer.number(static_cast<int32_t>(c + 1), row, markers.cells[r][c], widths[c + 1]);
    }
    return finishWorksheet(writer, widths, failure);
}

bool exportToWorkbook(const ExportInput& input, const std::string& path, std::string& error)
{
    error.clear();
    const TraceBuffers& buffers = input.buffers;
    if (buffers.pointCount <= 0 || buffers.freqGrid.size() < static_cast<size_t>(buffers.pointCount))
        return fail(error, "There is nothing to export: no traces have been plotted yet.");
    const std::vector<int32_t> traces = exportedTraces(input);
    const ExportLayout layout = exportLayout(input.usableWidth, input.usableHeight);
    const int32_t pointCount = buffers.pointCount;
    if (traces.size() >= static_cast<size_t>(LXW_COL_MAX))
        return fail(error, "Too many traces are shown for the columns of one worksheet.");
    if (static_cast<int64_t>(layout.headerRow) + pointCount >= static_cast<int64_t>(LXW_ROW_MAX))
        return fail(error, "The traces have more points than the rows of one worksheet.");

    // The writer prints numbers with the thread's locale; a decimal comma would corrupt the file.
    const CLocaleScope cLocale;
    SaveFile target;
    std::string reason;
    if (!target.open(path, reason))
        return fail(error, path + ": " + reason);
    // The writer seeks in its file, which a pipe or a device cannot do: the workbook is made
    // in an unnamed scratch file and then copied to the target.
    const ScratchPointer scratch(std::tmpfile());
    if (scratch == nullptr)
        return fail(error, "Cannot make the workbook for " + path + ": no scratch file.");
    const std::string scratchPath = "/proc/self/fd/" + std::to_string(fileno(scratch.get()));

    WorkbookPointer workbook(workbook_new(scratchPath.c_str()));
    lxw_worksheet* worksheet = workbook ? workbook_add_worksheet(workbook.get(), nullptr) : nullptr;
    lxw_format* format = workbook ? workbook_add_format(workbook.get()) : nullptr;
    if (worksheet == nullptr || format == nullptr)
        return fail(error, "Cannot make the workbook for " + path + ": out of memory.");
    format_set_num_format(format, numberFormat);

    SheetWriter sheet(worksheet, format);
    const int32_t headerRow = layout.headerRow;
    ColumnWidth frequencyWidth;
    const std::string frequencyText = frequencyTitle(input.language, input.unitMultiplier);
    sheet.text(0, headerRow, frequencyText, frequencyWidth);
    for (int32_t k = 0; k < pointCount; ++k)
        sheet.number(0, headerRow + 1 + k, buffers.freqGrid[static_cast<size_t>(k)], frequencyWidth);
    sheet.fitColumn(0, frequencyWidth);

    for (size_t n = 1; n <= traces.size(); ++n) {
        const int32_t t = traces[n - 1];
        const int32_t column = static_cast<int32_t>(n);
        ColumnWidth width;
        const std::string unit = traceUnitText(buffers.phase, t % tracesPerMeasurement, input.language);
        sheet.text(column, headerRow, traceTitle(t, displayNameOf(input, t), unit), width);
        const size_t k = static_cast<size_t>(t);
        const double* values = buffers.traceValues[k];
        const int32_t first = std::max(buffers.firstIndex[k], 0);
        const int32_t last = std::min(buffers.lastIndex[k], pointCount - 1);
        for (int32_t i = first; i <= last; ++i)
            sheet.number(column, headerRow + 1 + i, values[i], width);
        sheet.fitColumn(column, width);
    }
    if (sheet.failed())
        return fail(error, "Cannot write the table of " + path + ": " + sheet.failureText());

    // An XY chart without a series would be an empty frame, and the writer refuses it.
    if (!traces.empty()) {
        ChartPlan plan;
        plan.sheetName = worksheet->name;
        plan.headerRow = headerRow;
        plan.pointCount = pointCount;
        plan.seriesCount = std::min(static_cast<int32_t>(traces.size()), maximumChartedTraces);
        const ZoomEntry& zoom = input.currentZoom;
        const double multiplier = input.unitMultiplier;
        plan.frequencyAxis
            = exportAxis(zoom.xMin / multiplier, zoom.xMax / multiplier, zoom.xStep / multiplier);
        plan.valueAxis = exportAxis(zoom.yMin, zoom.yMax, zoom.yStep);
        plan.valueAxisTitle = valueAxisTitle(input.language,
            valueAxisKind(traces.front(), input.dbMode, buffers.phase.mode), buffers.phase.delayExponent);
        lxw_chart* chart = addExportChart(workbook.get(), plan);
        if (chart == nullptr)
            return fail(error, "Cannot make the chart for " + path + ": out of memory.");
        lxw_chart_options placement {};
        placement.x_scale = layout.chartWidth * pixelsPerPoint / writerChartWidth;
        placement.y_scale = layout.chartHeight * pixelsPerPoint / writerChartHeight;
        const lxw_error inserted = worksheet_insert_chart_opt(worksheet, 0, 0, chart, &placement);
        if (inserted != LXW_NO_ERROR)
            return fail(error, "Cannot place the chart in " + path + ": " + lxw_strerror(inserted));
    }

    std::string failure;
    if (input.verdicts.checkedCount > 0 && !writeVerdicts(workbook.get(), format, input, failure))
        return fail(error, "Cannot write the verdicts of " + path + ": " + failure);
    if (!input.markers.empty() && !writeMarkerTable(workbook.get(), format, input, failure))
        return fail(error, "Cannot write the marker table of " + path + ": " + failure);

    const lxw_error closed = workbook_close(workbook.release());
    if (closed != LXW_NO_ERROR)
        return fail(error, "Cannot write " + path + ": " + lxw_strerror(closed));
    if (!copyFile(scratch.get(), target) || !target.commit(reason))
        return fail(error, path + ": " + (reason.empty() ? "not writable: input/output error" : reason));
    return true;
}
