#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "clirunner.h"

namespace {

std::vector<std::string> fieldsOf(const std::string& line, char separator)
{
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, separator);)
        fields.push_back(field);
    return fields;
}

std::string allSamples()
{
    std::string words;
    for (const char* name : { "bandpass-filter.s2p", "antenna-900mhz.s1p", "power-divider-75ohm.s3p",
             "attenuator-10db.s2p", "lowpass-channels.dtu", "filters-two-tables.csv" })
        words += shellQuoted(samplePath(name)) + " ";
    return words;
}

} // namespace

TEST(CliDump, PrintsEveryMeasurementInPathOrder)
{
    const CliRun run = runCli("dump " + allSamples());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    std::vector<std::string> headers;
    size_t pointLines = 0;
    size_t expectedPoints = 0;
    for (const std::string& line : linesOf(run.out)) {
        if (line.rfind("measurement\t", 0) == 0) {
            const std::vector<std::string> f = fieldsOf(line, '\t');
            ASSERT_EQ(f.size(), 5u) << line;
            EXPECT_EQ(f[1], std::to_string(headers.size()));
            headers.push_back(f[2]);
            expectedPoints += std::stoul(f[4]);
            continue;
        }
        EXPECT_EQ(fieldsOf(line, ' ').size(), 9u) << line;
        ++pointLines;
    }
    EXPECT_EQ(pointLines, expectedPoints);
    const std::vector<std::string> expected
        = { "bandpass-filter", "antenna-900mhz", "[1->2] power-divider-75ohm", "[2->3] power-divider-75ohm",
              "[1->3] power-divider-75ohm", "[Conc. 2-3,3-2] power-divider-75ohm", "attenuator-10db",
              "lowpass-channels-01", "lowpass-channels-02", "lowpass-channels-03", "S21 Фильтр ФНЧ-1",
              "S12 Фильтр ФНЧ-1", "S21 Фильтр ФНЧ-2" };
    EXPECT_EQ(headers, expected);
}

TEST(CliDump, PointsKeepFullPrecision)
{
    const CliRun run = runCli("dump " + shellQuoted(samplePath("bandpass-filter.s2p")));
    ASSERT_EQ(run.status, 0);
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_GE(lines.size(), 2u);
    // The sample's first line: 2.0000 GHz, S11 = 0.275583 - 0.843205j, S21 = -0.378340 - 0.100086j.
    const std::vector<std::string> f = fieldsOf(lines[1], ' ');
    EXPECT_EQ(std::stod(f[0]), 2e9);
    EXPECT_EQ(std::stod(f[1]), 0.275583);
    EXPECT_EQ(std::stod(f[2]), -0.843205);
    EXPECT_EQ(std::stod(f[3]), -0.37834);
    EXPECT_EQ(std::stod(f[4]), -0.100086);
}

TEST(CliDump, TouchstoneTwoAndFourPortSamplesReadAsTheirFormulas)
{
    // The two-port: 10 ohm + 5 nH in series, written at 50 and 75 ohm, read at 50 ohm as
    // S11 = Z / (Z + 100) and S21 = 100 / (Z + 100) (the file holds six decimals).
    const CliRun series = runCli("dump " + shellQuoted(samplePath("series-rl-50-75ohm.s2p")));
    ASSERT_EQ(series.status, 0) << series.err;
    const std::vector<std::string> lines = linesOf(series.out);
    ASSERT_EQ(lines.size(), 31u);
    for (size_t k = 1; k < lines.size(); k += 10) {
        const std::vector<std::string> f = fieldsOf(lines[k], ' ');
        const double freq = std::stod(f[0]);
        const std::complex<double> z(10.0, 2.0 * 3.14159265358979323846 * freq * 5e-9);
        const std::complex<double> s11 = z / (z + 100.0);
        const std::complex<double> s21 = 100.0 / (z + 100.0);
        EXPECT_NEAR(std::stod(f[1]), s11.real(), 2e-6) << freq;
        EXPECT_NEAR(std::stod(f[2]), s11.imag(), 2e-6) << freq;
        EXPECT_NEAR(std::stod(f[3]), s21.real(), 2e-6) << freq;
        EXPECT_NEAR(std::stod(f[4]), s21.imag(), 2e-6) << freq;
    }

    // The four-port coupler: six views; in view 1-3 |S31| is the coupling 10^(-10/20).
    const CliRun coupler = runCli("dump " + shellQuoted(samplePath("coupler-10db.s4p")));
    ASSERT_EQ(coupler.status, 0) << coupler.err;
    std::vector<std::string> names;
    std::vector<std::string> firstPoints;
    const std::vector<std::string> all = linesOf(coupler.out);
    for (size_t k = 0; k + 1 < all.size(); ++k) {
        if (all[k].rfind("measurement\t", 0) == 0) {
            names.push_back(fieldsOf(all[k], '\t')[2]);
            firstPoints.push_back(all[k + 1]);
        }
    }
    const std::vector<std::string> expected = { "[1->2] coupler-10db", "[1->3] coupler-10db",
        "[1->4] coupler-10db", "[2->3] coupler-10db", "[2->4] coupler-10db", "[3->4] coupler-10db" };
    ASSERT_EQ(names, expected);
    const std::vector<std::string> f = fieldsOf(firstPoints[1], ' ');
    EXPECT_NEAR(std::hypot(std::stod(f[3]), std::stod(f[4])), std::pow(10.0, -0.5), 1e-6);
}

TEST(CliDump, OutputDoesNotDependOnTheLocale)
{
    const CliRun plain = runCli("dump " + allSamples());
    for (const char* locale : { "de_DE.UTF-8", "ru_RU.UTF-8" }) {
        const CliRun local = runCli("dump " + allSamples(), std::string("LC_ALL=") + locale);
        EXPECT_EQ(local.status, 0);
        EXPECT_EQ(local.out, plain.out) << locale;
    }
}

TEST(CliDump, FileThatYieldsNothingIsReportedAndTheOthersStillPrint)
{
    const std::string missing = ::testing::TempDir() + "/sprelin_no_such_file.s2p";
    const std::string unsupported = samplePath("../README.md");
    const std::string folder = samplePath(".");
    const CliRun run = runCli("dump " + shellQuoted(samplePath("antenna-900mhz.s1p")) + " "
        + shellQuoted(missing) + " " + shellQuoted(unsupported) + " " + shellQuoted(folder));
    EXPECT_EQ(run.status, 1);
    const std::vector<std::string> errors = linesOf(run.err);
    ASSERT_EQ(errors.size(), 3u) << run.err;
    EXPECT_EQ(errors[0], missing + ": no such file");
    EXPECT_EQ(errors[1].rfind(unsupported + ": not a supported file type", 0), 0u) << errors[1];
    EXPECT_EQ(errors[2], folder + ": a directory, not a file");
    EXPECT_EQ(run.out.rfind("measurement\t0\tantenna-900mhz\t", 0), 0u);
}

TEST(CliInfo, OneLinePerMeasurement)
{
    const CliRun run = runCli("info " + shellQuoted(samplePath("attenuator-10db.s2p")) + " "
        + shellQuoted(samplePath("lowpass-channels.dtu")));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 4u);
    // The attenuator's 51 points run from 0.1 to 10.1 GHz in steps of 0.2 GHz; its noise block
    // is not part of it.
    EXPECT_EQ(lines[0], "0\tattenuator-10db\t51\t100000000\t1.01e+10\t200000000");
    EXPECT_EQ(lines[1], "1\tlowpass-channels-01\t101\t1000\t6000\t50");
}

TEST(CliUsage, HelpVersionAndMistakes)
{
    struct Row {
        const char* arguments;
        int status;
        const char* outStart;
        const char* errStart;
    };
    const Row rows[] = {
        { "--help", 0, "Usage: sprelin-cli COMMAND", "" },
        { "--version", 0, "sprelin-cli 1.7.0", "" },
        { "dump --help", 0, "Usage: sprelin-cli dump", "" },
        { "info -h", 0, "Usage: sprelin-cli info", "" },
        { "", 2, "", "Usage:" },
        { "frobnicate x.s2p", 2, "", "sprelin-cli: unknown command 'frobnicate'" },
        { "dump", 2, "", "sprelin-cli: no files given" },
        { "dump --bogus x.s2p", 2, "", "sprelin-cli: unknown option --bogus" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        const CliRun run = runCli(row.arguments);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.out.rfind(row.outStart, 0), 0u) << run.out;
        EXPECT_EQ(run.err.rfind(row.errStart, 0), 0u) << run.err;
    }
}

TEST(CliUsage, ACopyWithoutItsChartModuleStillListsAndSaysWhyItCannotDraw)
{
    const std::string folder = ::testing::TempDir() + "/sprelin_cli_alone_" + std::to_string(getpid());
    std::filesystem::create_directories(folder);
    const std::string tool = folder + "/sprelin-cli";
    std::filesystem::copy_file(SPRELIN_CLI, tool, std::filesystem::copy_options::overwrite_existing);
    const std::string sample = shellQuoted(samplePath("bandpass-filter.s2p"));

    EXPECT_EQ(runCli("info " + sample, std::string(), tool).status, 0);
    const CliRun render
        = runCli("render -o " + shellQuoted(folder + "/chart.png") + " " + sample, std::string(), tool);
    EXPECT_EQ(render.status, 1);
    EXPECT_EQ(render.err.rfind("sprelin-cli: the chart commands cannot be loaded: ", 0), 0u) << render.err;
    EXPECT_FALSE(std::filesystem::exists(folder + "/chart.png"));
    std::filesystem::remove_all(folder);
}

namespace {

// The point lines of a dump, as numbers.
std::vector<std::vector<double>> dumpedPoints(const std::string& out)
{
    std::vector<std::vector<double>> points;
    for (const std::string& line : linesOf(out)) {
        if (line.rfind("measurement\t", 0) == 0)
            continue;
        std::vector<double> values;
        for (const std::string& field : fieldsOf(line, ' '))
            values.push_back(std::stod(field));
        points.push_back(values);
    }
    return points;
}

} // namespace

TEST(CliAverage, AverageOfOneFileTwiceReadsBackAsThatFile)
{
    const std::string source = shellQuoted(samplePath("bandpass-filter.s2p"));
    const std::string out = ::testing::TempDir() + "/sprelin_cli_average.s2p";
    const CliRun written = runCli("average -o " + shellQuoted(out) + " " + source + " " + source);
    ASSERT_EQ(written.status, 0) << written.err;

    const CliRun original = runCli("dump " + source);
    const CliRun averaged = runCli("dump " + shellQuoted(out));
    ASSERT_EQ(averaged.status, 0) << averaged.err;
    const auto a = dumpedPoints(original.out);
    const auto b = dumpedPoints(averaged.out);
    ASSERT_EQ(a.size(), b.size());
    for (size_t k = 0; k < a.size(); ++k) {
        EXPECT_NEAR(b[k][0], a[k][0], 1e-6 * a[k][0]);
        // Six significant digits of dB and degrees give a few parts in a million of S.
        for (int v = 1; v < 9; ++v)
            EXPECT_NEAR(b[k][v], a[k][v], 2e-5) << "point " << k << " value " << v;
    }
    std::remove(out.c_str());
}

TEST(CliAverage, UnwritableOutputIsReported)
{
    const std::string out = ::testing::TempDir() + "/sprelin_no_such_folder/out.s2p";
    const CliRun run
        = runCli("average -o " + shellQuoted(out) + " " + shellQuoted(samplePath("attenuator-10db.s2p")));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, out + ": not writable: no such folder\n");
    const CliRun usage = runCli("average " + shellQuoted(samplePath("attenuator-10db.s2p")));
    EXPECT_EQ(usage.status, 2);
}
