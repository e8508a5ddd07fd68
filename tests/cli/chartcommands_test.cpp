#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>

#include "clirunner.h"
#include "decimalcommalocale.h"
#include "filetext.h"
#include "tempdir.h"
#include "touchstonetext.h"
#include "xlsxcontents.h"

namespace {

std::string samples(std::initializer_list<const char*> names)
{
    std::string words;
    for (const char* name : names)
        words += " " + shellQuoted(samplePath(name));
    return words;
}

// A file of the test's own in a fresh folder, removed afterwards.
class OutputFile {
public:
    explicit OutputFile(const std::string& name)
        : path(folder.file(name))
    {
    }

    bool exists() const { return std::filesystem::exists(path); }

    const TempDir folder;
    const std::string path;
};

int colouredPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.saturation() > 100)
                ++count;
        }
    return count;
}

std::vector<std::string> valueAxes(const XlsxContents& book)
{
    return between(book.chart, "<c:valAx>", "</c:valAx>");
}

} // namespace

TEST(CliRender, WritesThePngOfTheRequestedSize)
{
    struct Case {
        const char* options;
        int width;
        int height;
    };
    const Case cases[] = {
        { "", 1000, 700 },
        { "--size 640x480", 640, 480 },
        { "--size=320X200 --traces S21M,S21A --smooth --unit GHz", 320, 200 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        OutputFile png("render.png");
        const CliRun run = runCli(std::string("render -o ") + shellQuoted(png.path) + " " + c.options
            + samples({ "bandpass-filter.s2p", "attenuator-10db.s2p" }));
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        QImage image;
        ASSERT_TRUE(image.load(QString::fromStdString(png.path), "PNG"));
        EXPECT_EQ(image.width(), c.width);
        EXPECT_EQ(image.height(), c.height);
        // The frame's corner is black, its inside white, and the traces are drawn in colour.
        EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
        EXPECT_EQ(image.pixelColor(c.width - 2, 1), QColor(Qt::white));
        EXPECT_GT(colouredPixels(image), 100);
    }
}

TEST(CliRender, ManualAxesChangeThePicture)
{
    OutputFile automatic("automatic.png");
    OutputFile manual("manual.png");
    const std::string files = samples({ "bandpass-filter.s2p" });
    ASSERT_EQ(runCli("render -o " + shellQuoted(automatic.path) + files).status, 0);
    const CliRun run
        = runCli("render -o " + shellQuoted(manual.path) + " --x 2300:2500:50 --y -3:0:0.5" + files);
    ASSERT_EQ(run.status, 0) << run.err;
    QImage a(QString::fromStdString(automatic.path));
    QImage b(QString::fromStdString(manual.path));
    ASSERT_FALSE(a.isNull());
    ASSERT_EQ(a.size(), b.size());
    EXPECT_NE(a, b);
}

TEST(CliRender, LegendAndSvgAreAskedForAndTheDefaultStaysTheWindowsImage)
{
    const std::string files = samples({ "bandpass-filter.s2p", "attenuator-10db.s2p" });
    OutputFile plain("plain.png");
    ASSERT_EQ(runCli("render -o " + shellQuoted(plain.path) + files).status, 0);
    const QImage window(QString::fromStdString(plain.path));
    ASSERT_FALSE(window.isNull());
    struct Case {
        const char* name;
        const char* options;
        bool svg;
        bool changed; // the pixels differ from the default image
    };
    const Case cases[] = {
        { "legend.png", "--legend", false, true },
        { "plain.svg", "", true, false },
        { "legend.svg", "--legend", true, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OutputFile out(c.name);
        const CliRun run
            = runCli("render " + std::string(c.options) + " -o " + shellQuoted(out.path) + files);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string bytes = readAll(out.path);
        EXPECT_EQ(bytes.find("<svg") != std::string::npos, c.svg);
        // Two traces: the S21M curve of each file, two pixels wide.
        if (c.svg) {
            EXPECT_EQ(between(bytes, "stroke-width=\"2\"", ">").size(), 2u);
        }
        EXPECT_EQ(bytes.find("bandpass-filter S21M") != std::string::npos, c.svg && c.changed);
        if (!c.svg) {
            const QImage image(QString::fromStdString(out.path));
            ASSERT_EQ(image.size(), window.size());
            EXPECT_EQ(image != window, c.changed);
        }
    }
}

TEST(CliExport, WritesTheWorkbookOfTheView)
{
    OutputFile xlsx("export.xlsx");
    const CliRun run = runCli("export -o " + shellQuoted(xlsx.path) + " --traces S21M,S11M --unit GHz"
        + samples({ "attenuator-10db.s2p", "bandpass-filter.s2p" }));
    ASSERT_EQ(run.status, 0) << run.err;
    XlsxContents book;
    ASSERT_TRUE(book.read(xlsx.path));
    // 1000 x 700 pixels are 750 x 525 points: the chart is 472.5 points high, the titles are
    // on row trunc(472.5 / 15) + 2 = 33, Excel row 34.
    EXPECT_EQ(book.cells.at("A34").value, "Frequency, GHz");
    EXPECT_EQ(book.cells.at("B34").value, "S11M attenuator-10db");
    EXPECT_EQ(book.cells.at("C34").value, "S21M attenuator-10db");
    EXPECT_EQ(book.cells.at("D34").value, "S11M bandpass-filter");
    EXPECT_EQ(book.cells.at("E34").value, "S21M bandpass-filter");
    EXPECT_EQ(book.cells.count("F34"), 0u);
    EXPECT_EQ(occurrences(book.chart, "<c:ser>"), 4u);
    const std::vector<std::string> axes = valueAxes(book);
    ASSERT_EQ(axes.size(), 2u);
    EXPECT_NE(axes[1].find("<a:t>dB</a:t>"), std::string::npos);
    // The attenuator's -10 dB lie on every grid point in its range.
    const double s21 = std::stod(book.cells.at("C35").value);
    EXPECT_NEAR(s21, -10, 0.5);
}

TEST(CliChartCommands, MeasurementsPastTheFirst2048KeepTheirTraces)
{
    const TempDir folder;
    const std::string text = touchstoneText(
        "MHz S DB R 50", { levelsLine(100, -20, -3), levelsLine(150, -20, -3), levelsLine(200, -20, -3) });
    // The last measurement's S21 lies apart from the others', so only it draws there.
    const std::string last = touchstoneText(
        "MHz S DB R 50", { levelsLine(100, -20, -40), levelsLine(150, -20, -40), levelsLine(200, -20, -40) });
    std::string files;
    const int count = 2100;
    std::string allButLast;
    for (int i = 0; i < count; ++i) {
        allButLast = files;
        files += " " + shellQuoted(folder.write("m" + std::to_string(i) + ".s2p", i == count - 1 ? last : text));
    }
    OutputFile xlsx("many.xlsx");
    const CliRun exported = runCli("export -o " + shellQuoted(xlsx.path) + files);
    ASSERT_EQ(exported.status, 0) << exported.err;
    XlsxContents book;
    ASSERT_TRUE(book.read(xlsx.path));
    size_t titles = 0;
    for (const auto& cell : book.cells)
        titles += std::regex_match(cell.first, std::regex("[A-Z]+34")) && cell.second.isText ? 1 : 0;
    EXPECT_EQ(titles, static_cast<size_t>(count) + 1) << "the frequency column and one column per trace";

    OutputFile all("many.png");
    OutputFile fewer("fewer.png");
    ASSERT_EQ(runCli("render --y -50:0:10 -o " + shellQuoted(all.path) + files).status, 0);
    ASSERT_EQ(runCli("render --y -50:0:10 -o " + shellQuoted(fewer.path) + allButLast).status, 0);
    const QImage withLast(QString::fromStdString(all.path));
    ASSERT_FALSE(withLast.isNull());
    EXPECT_NE(withLast, QImage(QString::fromStdString(fewer.path))) << "the 2100th trace is drawn";

    const CliRun read = runCli("readout --at 150" + files);
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(std::count(read.out.begin(), read.out.end(), '\n'), count + 1)
        << "a line per trace and the strip";
}

TEST(CliExport, TakesTheViewOptionsAndTheLanguage)
{
    OutputFile xlsx("export-view.xlsx");
    const CliRun run = runCli("export -o " + shellQuoted(xlsx.path)
        + " --traces S11M --vswr --language ru --size 800x600 --x 2100:2700:100 --y 1:4:0.5"
        + samples({ "bandpass-filter.s2p" }));
    ASSERT_EQ(run.status, 0) << run.err;
    XlsxContents book;
    ASSERT_TRUE(book.read(xlsx.path));
    // 600 pixels are 450 points; 405 / 15 = 27, so the titles are on row 29, Excel row 30.
    EXPECT_EQ(book.cells.at("A30").value, "Частота, МГц");
    EXPECT_EQ(book.cells.at("B30").value, "S11M bandpass-filter");
    EXPECT_EQ(std::stod(book.cells.at("A31").value), 2100);
    const std::vector<std::string> axes = valueAxes(book);
    ASSERT_EQ(axes.size(), 2u);
    EXPECT_EQ(attributeOf(axes[0], "<c:min", "val"), "2100");
    EXPECT_EQ(attributeOf(axes[0], "<c:max", "val"), "2700");
    EXPECT_EQ(attributeOf(axes[0], "<c:majorUnit", "val"), "100");
    EXPECT_EQ(attributeOf(axes[1], "<c:min", "val"), "1");
    EXPECT_EQ(attributeOf(axes[1], "<c:max", "val"), "4");
    EXPECT_EQ(attributeOf(axes[1], "<c:majorUnit", "val"), "0.5");
    EXPECT_NE(axes[1].find("<a:t>КСВН</a:t>"), std::string::npos);
}

TEST(CliExport, RelativeToItselfGivesZeros)
{
    OutputFile xlsx("export-relative.xlsx");
    const std::string file = samples({ "attenuator-10db.s2p" });
    const CliRun run = runCli("export -o " + shellQuoted(xlsx.path) + " --relative 1" + file + file);
    ASSERT_EQ(run.status, 0) << run.err;
    XlsxContents book;
    ASSERT_TRUE(book.read(xlsx.path));
    int values = 0;
    for (const char* column : { "B", "C" })
        for (int row = 35; book.cells.count(column + std::to_string(row)) != 0; ++row, ++values)
            EXPECT_EQ(std::stod(book.cells.at(column + std::to_string(row)).value), 0) << column << row;
    EXPECT_GT(values, 20);
}

TEST(CliExport, ReadsOptionNumbersAlikeInEveryLocale)
{
    {
        const DecimalCommaLocale probe;
        if (!probe.active())
            GTEST_SKIP() << "no decimal-comma locale installed";
    }
    OutputFile xlsx("export-locale.xlsx");
    const CliRun run = runCli(
        "export -o " + shellQuoted(xlsx.path) + " --y -12.5:0.5:2.5" + samples({ "attenuator-10db.s2p" }),
        "LC_ALL=de_DE.UTF-8");
    ASSERT_EQ(run.status, 0) << run.err;
    XlsxContents book;
    ASSERT_TRUE(book.read(xlsx.path));
    const std::vector<std::string> axes = valueAxes(book);
    ASSERT_EQ(axes.size(), 2u);
    EXPECT_EQ(attributeOf(axes[1], "<c:min", "val"), "-12.5");
    EXPECT_EQ(attributeOf(axes[1], "<c:max", "val"), "0.5");
    EXPECT_EQ(attributeOf(axes[1], "<c:majorUnit", "val"), "2.5");
    EXPECT_EQ(book.sheet.find("<v>-10,"), std::string::npos);
    const CliRun comma = runCli(
        "export -o " + shellQuoted(xlsx.path) + " --y -12,5:0,5:2,5" + samples({ "attenuator-10db.s2p" }),
        "LC_ALL=de_DE.UTF-8");
    EXPECT_EQ(comma.status, 2);
}

TEST(CliChartCommands, MistakesAreUsageErrors)
{
    struct Row {
        const char* arguments;
        const char* errStart;
    };
    const Row rows[] = {
        { "render FILE", "sprelin-cli render: needs -o OUTPUT and at least one file" },
        { "export -o OUT", "sprelin-cli export: needs -o OUTPUT and at least one file" },
        { "render -o OUT --size 0x5 FILE", "sprelin-cli render: --size takes WIDTHxHEIGHT" },
        { "render -o OUT --size 100 FILE", "sprelin-cli render: --size takes WIDTHxHEIGHT" },
        { "render -o OUT --size 20000x100 FILE", "sprelin-cli render: --size takes WIDTHxHEIGHT" },
        { "render -o OUT --size 10x10 FILE",
            "sprelin-cli render: a chart frame of 10x10 pixels leaves no room" },
        { "render -o OUT --unit THz FILE",
            "sprelin-cli render: --unit takes Hz, kHz, MHz or GHz, not 'THz'" },
        { "render -o OUT --traces S21M,S99M FILE", "sprelin-cli render: --traces takes names" },
        { "render -o OUT --x 5:1:1 FILE", "sprelin-cli render: --x takes MIN:MAX:STEP" },
        { "render -o OUT --y 1:2:0 FILE", "sprelin-cli render: --y takes MIN:MAX:STEP" },
        { "render -o OUT --y 1:2 FILE", "sprelin-cli render: --y takes MIN:MAX:STEP" },
        { "render -o OUT --y 1:nan:1 FILE", "sprelin-cli render: --y takes MIN:MAX:STEP" },
        { "render -o OUT --relative -1 FILE", "sprelin-cli render: --relative takes a measurement index" },
        { "render -o OUT --relative 1 FILE",
            "sprelin-cli render: --relative 1: there are only 1 measurements" },
        { "export -o OUT --language fr FILE", "sprelin-cli export: --language takes en or ru, not 'fr'" },
        { "render -o OUT --language ru FILE", "sprelin-cli render: unknown option --language" },
        { "export -o OUT --bogus FILE", "sprelin-cli export: unknown option --bogus" },
    };
    OutputFile out("mistake.out");
    for (const Row& row : rows) {
        std::string arguments = row.arguments;
        const size_t output = arguments.find("OUT");
        if (output != std::string::npos)
            arguments.replace(output, 3, shellQuoted(out.path));
        const size_t file = arguments.find("FILE");
        if (file != std::string::npos)
            arguments.replace(file, 4, shellQuoted(samplePath("attenuator-10db.s2p")));
        SCOPED_TRACE(arguments);
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.rfind(row.errStart, 0), 0u) << run.err;
        EXPECT_FALSE(out.exists());
    }
}

TEST(CliChartCommands, HelpDescribesTheViewOptions)
{
    for (const char* command : { "render --help", "export -h", "readout --help" }) {
        const CliRun run = runCli(command);
        EXPECT_EQ(run.status, 0);
        EXPECT_NE(run.out.find("View options:"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("--relative N"), std::string::npos);
    }
    const CliRun top = runCli("--help");
    EXPECT_NE(top.out.find("  render "), std::string::npos);
    EXPECT_NE(top.out.find("  export "), std::string::npos);
    EXPECT_NE(top.out.find("  readout  --at FREQ"), std::string::npos);
}

TEST(CliChartCommands, OutputsThatCannotBeWrittenFail)
{
    const std::string folder = ::testing::TempDir() + "/sprelin_no_such_folder";
    for (const char* command : { "render -o ", "export -o " }) {
        const std::string out = folder + (std::string(command) == "render -o " ? "/out.png" : "/out.xlsx");
        const CliRun run = runCli(command + shellQuoted(out) + samples({ "attenuator-10db.s2p" }));
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_NE(run.err.find(out), std::string::npos) << run.err;
    }
    OutputFile png("nothing.png");
    const CliRun nothing
        = runCli("render -o " + shellQuoted(png.path) + " " + shellQuoted(samplePath("no-such-file.s2p")));
    EXPECT_EQ(nothing.status, 1);
    EXPECT_FALSE(png.exists());
}
