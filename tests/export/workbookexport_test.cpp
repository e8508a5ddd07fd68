#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <sys/stat.h>

#include "decimalcommalocale.h"
#include "filetext.h"
#include "tempdir.h"
#include "workbookexport.h"
#include "xlsxcontents.h"

namespace {

// The usable area of a 1000 x 700 pixel screen: the chart is 675 x 472.5 points, and the table
// starts at row trunc(472.5 / 15) + 2 = 33, Excel row 34.
constexpr double usableWidth = 750;
constexpr double usableHeight = 525;
constexpr int32_t headerRow = 33;

// Hand-made results of a recomputation: frequencies 100 + 2.5 i in the displayed unit and
// trace t's value t + 0.125 i at grid point i, all exact in binary.
struct PlottedTable {
    PlottedTable(int32_t measurements, int32_t points)
    {
        buffers.pointCount = points;
        buffers.traceCount = 8 * measurements;
        for (int32_t i = 0; i < points; ++i)
            buffers.freqGrid.push_back(frequency(i));
        buffers.allocateValues(std::vector<bool>(static_cast<size_t>(buffers.traceCount), true));
        for (int32_t t = 0; t < buffers.traceCount; ++t) {
            for (int32_t i = 0; i < points; ++i)
                buffers.traceValues[static_cast<size_t>(t)][i] = value(t, i);
            buffers.firstIndex.push_back(0);
            buffers.lastIndex.push_back(points - 1);
        }
        rowVisible.assign(static_cast<size_t>(buffers.traceCount), 0);
        for (int32_t m = 0; m < measurements; ++m)
            names.push_back("meas" + std::to_string(m));
    }

    static double frequency(int32_t i) { return 100 + 2.5 * i; }
    static double value(int32_t t, int32_t i) { return t + 0.125 * i; }

    ExportInput input() const
    {
        ExportInput in(buffers, rowVisible);
        in.displayNames = names;
        in.usableWidth = usableWidth;
        in.usableHeight = usableHeight;
        in.currentZoom.xMin = 100e6;
        in.currentZoom.xMax = 200e6;
        in.currentZoom.xStep = 10e6;
        in.currentZoom.yMin = -40;
        in.currentZoom.yMax = 0;
        in.currentZoom.yStep = 5;
        return in;
    }

    void show(int32_t trace) { rowVisible[static_cast<size_t>(trace)] = 1; }

    TraceBuffers buffers;
    std::vector<int32_t> rowVisible;
    std::vector<std::string> names;
};

// The Excel name of a cell by column letters and 0-based row.
std::string at(const std::string& column, int32_t row)
{
    return column + std::to_string(row + 1);
}

double numberOf(const XlsxCell& cell)
{
    double v = NAN;
    std::from_chars(cell.value.data(), cell.value.data() + cell.value.size(), v);
    return v;
}

class WorkbookExport : public ::testing::Test {
protected:
    // Exports input and reads the workbook back; a failed export or read fails the test.
    XlsxContents exported(const ExportInput& input)
    {
        std::string error;
        EXPECT_TRUE(exportToWorkbook(input, file, error)) << error;
        XlsxContents contents;
        EXPECT_TRUE(contents.read(file));
        return contents;
    }

    TempDir dir;
    std::string file = dir.file("out.xlsx");
};

TEST_F(WorkbookExport, WritesTitlesOnTheHeaderRowInBothLanguages)
{
    struct Case {
        int32_t language;
        double multiplier;
        const char* frequencyTitle;
    };
    const Case cases[] = {
        { 1, 1e6, "Frequency, MHz" },
        { 1, 1e9, "Frequency, GHz" },
        { 0, 1e3, "Частота, кГц" },
        { 0, 1, "Частота, Гц" },
    };
    PlottedTable table(2, 5);
    table.show(2); // S21M of meas0
    table.show(9); // S11A of meas1
    table.show(15); // S22A of meas1
    for (const Case& c : cases) {
        ExportInput input = table.input();
        input.language = languageOf(c.language);
        input.unitMultiplier = c.multiplier;
        const XlsxContents book = exported(input);
        EXPECT_EQ(book.cells.at(at("A", headerRow)).value, c.frequencyTitle);
        EXPECT_TRUE(book.cells.at(at("A", headerRow)).isText);
        EXPECT_EQ(book.cells.at(at("B", headerRow)).value, "S21M meas0");
        EXPECT_EQ(book.cells.at(at("C", headerRow)).value, "S11A meas1");
        EXPECT_EQ(book.cells.at(at("D", headerRow)).value, "S22A meas1");
        EXPECT_EQ(book.cells.count(at("E", headerRow)), 0u);
        // Nothing above the table but the chart.
        for (const auto& cell : book.cells)
            EXPECT_GE(std::stoi(cell.first.substr(1)), headerRow + 1) << cell.first;
    }
}

TEST_F(WorkbookExport, WritesTheFrequencyColumnAndTheValuesOnTheirRows)
{
    PlottedTable table(1, 6);
    table.show(0);
    table.show(3);
    const XlsxContents book = exported(table.input());
    for (int32_t i = 0; i < 6; ++i) {
        EXPECT_EQ(numberOf(book.cells.at(at("A", headerRow + 1 + i))), PlottedTable::frequency(i));
        EXPECT_EQ(numberOf(book.cells.at(at("B", headerRow + 1 + i))), PlottedTable::value(0, i));
        EXPECT_EQ(numberOf(book.cells.at(at("C", headerRow + 1 + i))), PlottedTable::value(3, i));
    }
    EXPECT_EQ(book.cells.count(at("A", headerRow + 7)), 0u);
}

TEST_F(WorkbookExport, FillsOnlyTheRowsOfTheTracesGridRange)
{
    PlottedTable table(1, 30);
    table.buffers.firstIndex[2] = 10;
    table.buffers.lastIndex[2] = 20;
    table.show(2);
    const XlsxContents book = exported(table.input());
    for (int32_t i = 0; i < 30; ++i) {
        const std::string name = at("B", headerRow + 1 + i);
        if (i >= 10 && i <= 20) {
            EXPECT_EQ(numberOf(book.cells.at(name)), PlottedTable::value(2, i)) << name;
        } else {
            EXPECT_EQ(book.cells.count(name), 0u) << name;
        }
    }
    // The frequency column stays whole, so each value sits beside its frequency.
    EXPECT_EQ(numberOf(book.cells.at(at("A", headerRow + 1 + 10))), PlottedTable::frequency(10));
    EXPECT_EQ(numberOf(book.cells.at(at("A", headerRow + 30))), PlottedTable::frequency(29));
}

TEST_F(WorkbookExport, GivesEveryDataCellThreeDecimalsWhateverTheLocale)
{
    PlottedTable table(1, 3);
    table.show(2);
    const DecimalCommaLocale comma;
    if (!comma.active())
        GTEST_SKIP() << "no decimal-comma locale installed";
    const XlsxContents book = exported(table.input());
    EXPECT_EQ(attributeOf(book.styles, "<numFmt ", "formatCode"), "0.000");
    const std::string formatId = attributeOf(book.styles, "<numFmt ", "numFmtId");
    const std::vector<std::string> formats = between(book.styles, "<cellXfs", "</cellXfs>");
    ASSERT_EQ(formats.size(), 1u);
    const std::vector<std::string> xfs = between(formats.front(), "<xf ", ">");
    for (const char* column : { "A", "B" }) {
        const XlsxCell& cell = book.cells.at(at(column, headerRow + 2));
        ASSERT_LT(static_cast<size_t>(cell.style), xfs.size());
        EXPECT_NE(
            xfs[static_cast<size_t>(cell.style)].find("numFmtId=\"" + formatId + "\""), std::string::npos);
        EXPECT_EQ(cell.value.find(','), std::string::npos) << cell.value;
    }
    EXPECT_EQ(numberOf(book.cells.at(at("B", headerRow + 2))), 2.125);
    EXPECT_EQ(book.cells.at(at("B", headerRow)).style, 0) << "titles are plain text";
    EXPECT_EQ(attributeOf(book.chart, "<c:majorUnit", "val"), "10");
    EXPECT_EQ(attributeOf(book.chart, "<c:min", "val").find(','), std::string::npos);
}

TEST_F(WorkbookExport, LeavesValuesThatAreNotFiniteEmpty)
{
    PlottedTable table(1, 4);
    table.buffers.traceValues[2][1] = NAN;
    table.buffers.traceValues[2][2] = INFINITY;
    table.show(2);
    const XlsxContents book = exported(table.input());
    EXPECT_EQ(book.cells.count(at("B", headerRow + 2)), 0u);
    EXPECT_EQ(book.cells.count(at("B", headerRow + 3)), 0u);
    EXPECT_EQ(numberOf(book.cells.at(at("B", headerRow + 4))), PlottedTable::value(2, 3));
    EXPECT_EQ(book.sheet.find("NAN"), std::string::npos);
    EXPECT_EQ(book.sheet.find("INF"), std::string::npos);
}

TEST_F(WorkbookExport, FitsEveryColumnToItsWidestText)
{
    PlottedTable table(1, 3);
    table.names[0] = "a rather long measurement name";
    table.buffers.traceValues[2][1] = -123456.75;
    table.show(2);
    table.show(3);
    const XlsxContents book = exported(table.input());
    const std::vector<std::string> columns = between(book.sheet, "<col ", "/>");
    ASSERT_EQ(columns.size(), 3u);
    const auto widthOf
        = [&](size_t k) { return std::stod(attributeOf("<col " + columns[k], "<col", "width")); };
    // "Frequency, MHz" has 14 characters, the title of B 35, "-123456.750" 11.
    EXPECT_GE(widthOf(0), 14);
    EXPECT_LT(widthOf(0), 20);
    EXPECT_GE(widthOf(1), 35);
    EXPECT_LT(widthOf(1), 45);
    EXPECT_NEAR(widthOf(2), widthOf(1), 0.5);
}

TEST_F(WorkbookExport, ChartsAtMostTheFirst254TracesAndWritesThemAll)
{
    PlottedTable table(38, 4); // 304 traces
    for (int32_t t = 0; t < 300; ++t)
        table.show(t);
    const XlsxContents book = exported(table.input());
    // Column n holds trace n - 1: column 300 (KO) trace 299, S21A of measurement 37.
    EXPECT_EQ(book.cells.at(at("KO", headerRow)).value, "S21A meas37");
    EXPECT_EQ(numberOf(book.cells.at(at("KO", headerRow + 4))), PlottedTable::value(299, 3));
    EXPECT_EQ(book.cells.count(at("KP", headerRow)), 0u);
    EXPECT_EQ(occurrences(book.chart, "<c:ser>"), 254u);
    // The last series is column 254 (IU), named by its title cell, over the table's rows.
    const std::vector<std::string> values = between(book.chart, "<c:yVal><c:numRef><c:f>", "</c:f>");
    ASSERT_EQ(values.size(), 254u);
    EXPECT_EQ(values.front(), "Sheet1!$B$35:$B$38");
    EXPECT_EQ(values.back(), "Sheet1!$IU$35:$IU$38");
    const std::vector<std::string> names = between(book.chart, "<c:tx><c:strRef><c:f>", "</c:f>");
    ASSERT_GE(names.size(), 254u);
    EXPECT_EQ(names[0], "Sheet1!$B$34");
    EXPECT_EQ(names[253], "Sheet1!$IU$34");
    for (const std::string& x : between(book.chart, "<c:xVal><c:numRef><c:f>", "</c:f>"))
        EXPECT_EQ(x, "Sheet1!$A$35:$A$38");
}

TEST_F(WorkbookExport, WithNothingShownWritesTheFrequencyColumnAlone)
{
    PlottedTable table(2, 4);
    const XlsxContents book = exported(table.input());
    for (const auto& cell : book.cells)
        EXPECT_EQ(cell.first[0], 'A') << cell.first;
    EXPECT_EQ(book.cells.size(), 5u);
    EXPECT_EQ(book.cells.at(at("A", headerRow)).value, "Frequency, MHz");
    EXPECT_TRUE(book.chart.empty());
    EXPECT_EQ(book.sheet.find("<drawing"), std::string::npos);
}

TEST_F(WorkbookExport, DrawsSmoothedLinesWithMarkersOfSizeFour)
{
    PlottedTable table(1, 4);
    table.show(2);
    table.show(4);
    table.show(6);
    const XlsxContents book = exported(table.input());
    EXPECT_EQ(attributeOf(book.chart, "<c:scatterStyle", "val"), "smoothMarker");
    EXPECT_EQ(occurrences(book.chart, "<c:smooth val=\"1\"/>"), 3u);
    const std::vector<std::string> markers = between(book.chart, "<c:marker>", "</c:marker>");
    ASSERT_EQ(markers.size(), 3u);
    for (const std::string& marker : markers) {
        EXPECT_NE(marker.find("<c:size val=\"4\"/>"), std::string::npos) << marker;
        EXPECT_NE(marker.find("<c:symbol val=\""), std::string::npos) << marker;
    }
    EXPECT_NE(book.chart.find("<c:legend>"), std::string::npos);
    EXPECT_NE(book.chart.find("<c:autoTitleDeleted val=\"1\"/>"), std::string::npos);
}

TEST_F(WorkbookExport, GivesTheAxesTheViewsRoundedLimitsStepsAndTitles)
{
    PlottedTable table(1, 4);
    table.show(2);
    ExportInput input = table.input();
    input.unitMultiplier = 1e9;
    input.currentZoom.xMin = 1.2345e9;
    input.currentZoom.xMax = 2.0051e9;
    input.currentZoom.xStep = 1e8;
    input.currentZoom.yMin = -12.345;
    input.currentZoom.yMax = 0.005;
    input.currentZoom.yStep = 2.5;
    const XlsxContents book = exported(input);
    const std::vector<std::string> axes = between(book.chart, "<c:valAx>", "</c:valAx>");
    ASSERT_EQ(axes.size(), 2u);
    const std::string& frequencyAxis = axes[0];
    const std::string& valueAxis = axes[1];
    EXPECT_EQ(attributeOf(frequencyAxis, "<c:axPos", "val"), "b");
    EXPECT_EQ(attributeOf(valueAxis, "<c:axPos", "val"), "l");

    EXPECT_EQ(attributeOf(valueAxis, "<c:min", "val"), "-12.35");
    EXPECT_EQ(attributeOf(valueAxis, "<c:max", "val"), "0.01");
    EXPECT_EQ(attributeOf(valueAxis, "<c:majorUnit", "val"), "2.5");
    EXPECT_NE(valueAxis.find("<a:t>dB</a:t>"), std::string::npos);

    EXPECT_EQ(attributeOf(frequencyAxis, "<c:min", "val"), "1.23");
    EXPECT_EQ(attributeOf(frequencyAxis, "<c:max", "val"), "2.01");
    EXPECT_EQ(attributeOf(frequencyAxis, "<c:majorUnit", "val"), "0.1");
    EXPECT_EQ(attributeOf(frequencyAxis, "<c:tickLblPos", "val"), "low");
    EXPECT_NE(frequencyAxis.find("<c:title><c:tx><c:strRef><c:f>Sheet1!$A$34</c:f>"), std::string::npos);

    for (const std::string& axis : axes) {
        EXPECT_NE(axis.find("<c:majorGridlines"), std::string::npos);
        EXPECT_EQ(axis.find("<c:minorGridlines"), std::string::npos);
        EXPECT_EQ(attributeOf(axis, "<c:numFmt", "formatCode"), "@");
    }
}

TEST_F(WorkbookExport, NamesTheValueAxisByTheFirstExportedTracesKind)
{
    struct Case {
        int32_t firstTrace;
        int32_t dbMode;
        int32_t language;
        const char* title;
    };
    const Case cases[] = {
        { 0, 0, 1, "VSWR" },
        { 0, 0, 0, "КСВН" },
        { 6, 0, 1, "VSWR" },
        { 0, 1, 1, "dB" },
        { 0, 1, 0, "дБ" },
        { 2, 0, 1, "dB" },
        { 4, 0, 0, "дБ" },
        { 1, 0, 1, "Deg" },
        { 7, 1, 0, "Град." },
    };
    for (const Case& c : cases) {
        PlottedTable table(2, 3);
        table.show(c.firstTrace);
        // A later trace of another kind changes nothing: a phase after a magnitude and a
        // magnitude in dB after a phase.
        table.show(c.firstTrace % 2 == 0 ? 9 : 10);
        ExportInput input = table.input();
        input.dbMode = c.dbMode;
        input.language = languageOf(c.language);
        const XlsxContents book = exported(input);
        const std::vector<std::string> axes = between(book.chart, "<c:valAx>", "</c:valAx>");
        ASSERT_EQ(axes.size(), 2u);
        EXPECT_NE(axes[1].find(std::string("<a:t>") + c.title + "</a:t>"), std::string::npos)
            << "trace " << c.firstTrace << " dbMode " << c.dbMode << " language " << c.language;
    }
}

TEST_F(WorkbookExport, SizesTheChartFromTheUsableArea)
{
    PlottedTable table(1, 3);
    table.show(2);
    const XlsxContents book = exported(table.input());
    // 675 x 472.5 points are 900 x 630 pixels. The chart is anchored from the top-left cell to
    // the cell its far corner falls in, with offsets in drawing units of 9525 per pixel: rows
    // are 20 pixels high, a column of stored width w (padding included) trunc(7 w + 0.5).
    const std::vector<std::string> from = between(book.drawing, "<xdr:from>", "</xdr:from>");
    const std::vector<std::string> to = between(book.drawing, "<xdr:to>", "</xdr:to>");
    ASSERT_EQ(from.size(), 1u);
    ASSERT_EQ(to.size(), 1u);
    EXPECT_NE(from[0].find("<xdr:col>0</xdr:col><xdr:colOff>0</xdr:colOff>"), std::string::npos);
    EXPECT_NE(from[0].find("<xdr:row>0</xdr:row><xdr:rowOff>0</xdr:rowOff>"), std::string::npos);
    const auto element = [](const std::string& xml, const std::string& name) {
        return std::stoi(between(xml, "<xdr:" + name + ">", "</xdr:" + name + ">").at(0));
    };
    EXPECT_EQ(element(to[0], "row") * 20 + element(to[0], "rowOff") / 9525, 630);

    std::vector<int> columnPixels(200, 64);
    for (const std::string& col : between(book.sheet, "<col ", "/>")) {
        const std::string tag = "<col " + col;
        const double width = std::stod(attributeOf(tag, "<col", "width"));
        for (int c = std::stoi(attributeOf(tag, "<col", "min"));
             c <= std::stoi(attributeOf(tag, "<col", "max")); ++c)
            columnPixels[static_cast<size_t>(c - 1)] = static_cast<int>(width * 7 + 0.5);
    }
    int left = 0;
    for (int c = 0; c < element(to[0], "col"); ++c)
        left += columnPixels[static_cast<size_t>(c)];
    EXPECT_EQ(left + element(to[0], "colOff") / 9525, 900);
}

TEST_F(WorkbookExport, KeepsNamesThatAreNotUtf8Readable)
{
    PlottedTable table(1, 3);
    table.names[0] = "bad\xff\xfe<&>";
    table.show(2);
    const XlsxContents book = exported(table.input());
    EXPECT_EQ(book.cells.at(at("B", headerRow)).value, "S21M bad\xEF\xBF\xBD\xEF\xBF\xBD<&>");
}

TEST_F(WorkbookExport, ReplacesAnOlderFileWholeAndLeavesNoTemporaryFile)
{
    writeAll(file, "old contents");
    ::chmod(file.c_str(), 0640);
    PlottedTable table(1, 3);
    table.show(2);
    const XlsxContents book = exported(table.input());
    EXPECT_EQ(book.cells.at(at("B", headerRow)).value, "S21M meas0");
    EXPECT_EQ(dir.entries(), std::vector<std::string> { "out.xlsx" });
    struct stat status;
    ASSERT_EQ(::stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST_F(WorkbookExport, FailsWithoutTouchingTheTarget)
{
    PlottedTable table(1, 3);
    table.show(2);
    std::string error;
    EXPECT_FALSE(exportToWorkbook(table.input(), dir.file("missing/out.xlsx"), error));
    EXPECT_NE(error.find("missing/out.xlsx"), std::string::npos) << error;

    writeAll(file, "old contents");
    TraceBuffers empty;
    const std::vector<int32_t> visible(8, 1);
    ExportInput nothing(empty, visible);
    error.clear();
    EXPECT_FALSE(exportToWorkbook(nothing, file, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(readAll(file), "old contents");
    EXPECT_EQ(dir.entries(), std::vector<std::string> { "out.xlsx" });
}

TEST_F(WorkbookExport, RefusesMoreTracesThanAWorksheetHasColumns)
{
    // 2048 measurements of 8 traces and the frequency column need 16385 of 16384 columns.
    PlottedTable table(2048, 2);
    table.rowVisible.assign(table.rowVisible.size(), 1);
    std::string error;
    EXPECT_FALSE(exportToWorkbook(table.input(), file, error));
    EXPECT_NE(error.find("columns"), std::string::npos) << error;
    EXPECT_TRUE(dir.entries().empty());
    table.rowVisible[0] = 0;
    EXPECT_TRUE(exportToWorkbook(table.input(), file, error)) << error;
}

TEST_F(WorkbookExport, ReadsNothingOutsideInconsistentBuffers)
{
    PlottedTable table(2, 5);
    table.buffers.traceCount = 64; // more than the arrays hold
    table.buffers.firstIndex[2] = -3;
    table.buffers.lastIndex[2] = 99;
    table.buffers.firstIndex[3] = 4;
    table.buffers.lastIndex[3] = 1;
    table.rowVisible.assign(64, 1);
    table.names.resize(1);
    const XlsxContents book = exported(table.input());
    // Traces 0..15 are exported, those of measurement 1 with empty names.
    EXPECT_EQ(book.cells.at(at("Q", headerRow)).value, "S22A ");
    EXPECT_EQ(book.cells.count(at("R", headerRow)), 0u);
    // Trace 2 (column D) over its range clamped to the grid, trace 3 (E) with none.
    EXPECT_EQ(numberOf(book.cells.at(at("D", headerRow + 1))), PlottedTable::value(2, 0));
    EXPECT_EQ(numberOf(book.cells.at(at("D", headerRow + 5))), PlottedTable::value(2, 4));
    EXPECT_EQ(book.cells.count(at("E", headerRow + 1)), 0u);
    EXPECT_EQ(book.cells.count(at("E", headerRow + 5)), 0u);
}

} // namespace

TEST_F(WorkbookExport, MarkerTableHasASheetOfItsOwn)
{
    PlottedTable table(2, 5);
    table.show(2);
    ExportInput input = table.input();
    EXPECT_EQ(exported(input).part("xl/worksheets/sheet2.xml"), "");
    input.markers.numbers = { 2 };
    input.markers.titles = { "M2 150 MHz" };
    input.markers.traces = { 2 };
    input.markers.cells = { { -3.25 } };
    const XlsxContents contents = exported(input);
    EXPECT_NE(contents.part("xl/workbook.xml").find("name=\"Markers\""), std::string::npos);
    const std::string sheet = contents.part("xl/worksheets/sheet2.xml");
    EXPECT_NE(sheet.find("<v>-3.25</v>"), std::string::npos) << sheet;
    const std::string strings = contents.part("xl/sharedStrings.xml");
    EXPECT_NE(strings.find("M2 150 MHz"), std::string::npos);
    EXPECT_NE(strings.find("S21M meas0"), std::string::npos);
}
