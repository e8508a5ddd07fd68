#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include <complex>

#include "cformat.h"
#include "clirunner.h"
#include "decimalcommalocale.h"
#include "tempdir.h"
#include "touchstonetext.h"

namespace {

using Complex = std::complex<double>;

// The cells of a tab-separated line.
std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> cells(1);
    for (const char c : line) {
        if (c == '\t')
            cells.emplace_back();
        else
            cells.back() += c;
    }
    return cells;
}

// Two-port files of the test's own, 21 points from 1000 to 3000 MHz in steps of 100 MHz,
// every parameter at a constant level in dB and 0 degrees: S11 and S22 at s11, S21 and S12
// at s21.
class ReadoutFiles {
public:
    ReadoutFiles()
        : low(write("low", -20.5, -7))
        , high(write("high", -10.25, -3))
    {
    }

    std::string write(const std::string& name, double s11, double s21) const
    {
        std::vector<TouchstoneLine> lines;
        for (int i = 0; i <= 20; ++i)
            lines.push_back(levelsLine(1000 + 100 * i, s11, s21));
        return shellQuoted(folder.write(name + ".s2p", touchstoneText("MHz S DB R 50", lines)));
    }

    const TempDir folder;
    const std::string low;
    const std::string high;
};

CliRun readout(const ReadoutFiles& files, const std::string& options, const std::string& environment = "")
{
    return runCli("readout " + options + " " + files.low + " " + files.high, environment);
}

} // namespace

TEST(CliReadout, RowsAndStripOfTheShownTraces)
{
    struct Case {
        const char* options;
        const char* out;
    };
    // "%5.4lg" pads to five places; -3 - (-7) = 4 and -3 - (-20.5) = 17.5.
    const Case cases[] = {
        { "--at 1500",
            "0\tlow\tS21M\t   -7\n1\thigh\tS21M\t   -3\n"
            "1500\tMax:    -3\thigh\tMin:    -7\tlow\tDiff:     4\n" },
        { "--at 1500 --traces S21M,S11M",
            "0\tlow\tS11M\t-20.5\n0\tlow\tS21M\t   -7\n1\thigh\tS11M\t-10.25\n1\thigh\tS21M\t   -3\n"
            "1500\tMax:    -3\thigh\tMin: -20.5\tlow\tDiff:  17.5\n" },
        // Outside the value axis a trace has no text and no part in Max and Min.
        { "--at 1500 --y -5:0:1",
            "0\tlow\tS21M\t\n1\thigh\tS21M\t   -3\n"
            "1500\tMax:    -3\thigh\tMin:    -3\thigh\tDiff:     0\n" },
        { "--at 1500 --y 0:5:1", "0\tlow\tS21M\t\n1\thigh\tS21M\t\n\t\t\t\t\t\n" },
        // Past the measurements' last point at 3 GHz no trace has a value.
        { "--at 10 --unit GHz --x 1:20:1", "0\tlow\tS21M\t\n1\thigh\tS21M\t\n\t\t\t\t\t\n" },
    };
    const ReadoutFiles files;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const CliRun run = readout(files, c.options);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, "");
    }
}

TEST(CliReadout, EveryAtGivesItsBlockInTheOrderGiven)
{
    const ReadoutFiles files;
    const CliRun run = readout(files, "--at 2500 --at 1500 --at=2500");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string block25 = "0\tlow\tS21M\t   -7\n1\thigh\tS21M\t   -3\n"
                                "2500\tMax:    -3\thigh\tMin:    -7\tlow\tDiff:     4\n";
    const std::string block15 = "0\tlow\tS21M\t   -7\n1\thigh\tS21M\t   -3\n"
                                "1500\tMax:    -3\thigh\tMin:    -7\tlow\tDiff:     4\n";
    EXPECT_EQ(run.out, block25 + block15 + block25);
    // A frequency outside the view fails the command, after the blocks before it.
    const CliRun outside = readout(files, "--at 1500 --at 999");
    EXPECT_EQ(outside.status, 2);
    EXPECT_EQ(outside.out, block15);
}

TEST(CliReadout, NearestColumnInTheViewsUnitAndFormat)
{
    struct Case {
        const char* options;
        const char* frequency; // first text of the strip
    };
    // The grid has the measurements' 100 MHz step; the strip's format comes from a hundredth
    // of the axis's right end: 30 MHz "%lg", 0.03 GHz "%.2f", 0.2 GHz "%.1lf".
    const Case cases[] = {
        { "--at 1549", "1500" },
        { "--at 1550", "1500" },
        { "--at 1551", "1600" },
        { "--at +1.6e3", "1600" },
        { "--at 3000", "3000" },
        { "--at 1.5 --unit GHz", "1.50" },
        { "--at 1549000 --unit kHz", "1.5e+06" },
        { "--at 1.5 --unit GHz --x 1:20:1", "1.5" },
    };
    const ReadoutFiles files;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const CliRun run = readout(files, c.options);
        ASSERT_EQ(run.status, 0) << run.err;
        const size_t strip = run.out.rfind('\n', run.out.size() - 2) + 1;
        EXPECT_EQ(run.out.substr(strip, run.out.find('\t', strip) - strip), c.frequency);
    }
}

TEST(CliReadout, FrequencyOutsideTheViewAndMistakes)
{
    const std::string notIn
        = "sprelin-cli readout: --at takes a frequency of the view, 1000 to 3000 MHz, not '";
    // The whole message, or its start where the usage follows.
    const std::pair<const char*, std::string> cases[] = {
        { "--at 999", notIn + "999'\n" },
        { "--at 3000.5", notIn + "3000.5'\n" },
        { "--at abc", notIn + "abc'\n" },
        { "--at inf", notIn + "inf'\n" },
        { "--at 1500 --unit GHz",
            "sprelin-cli readout: --at takes a frequency of the view, 1 to 3 GHz, not '1500'\n" },
        { "--traces S21M", "sprelin-cli readout: needs --at FREQ\nUsage: sprelin-cli readout" },
        { "--at 1500 -o x.png", "sprelin-cli readout: unknown option -o\n" },
    };
    const ReadoutFiles files;
    for (const auto& [options, err] : cases) {
        SCOPED_TRACE(options);
        const CliRun run = readout(files, options);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.substr(0, err.size()), err);
    }
}

TEST(CliReadout, FileThatYieldsNothingFailsAfterTheOthersPrint)
{
    const ReadoutFiles files;
    const std::string missing = files.folder.file("missing.s2p");
    const CliRun run = runCli("readout --at 2000 " + files.high + " '" + missing + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "0\thigh\tS21M\t   -3\n2000\tMax:    -3\thigh\tMin:    -3\thigh\tDiff:     0\n");
    EXPECT_EQ(run.err, missing + ": no such file\n");
}

TEST(CliReadout, ControlCharactersInNamesAreEscaped)
{
    const ReadoutFiles files;
    const std::string odd = files.write(std::string("tab\tback\\line\nbell\x07") + "del\x7f", -1, -2);
    const CliRun run = runCli("readout --at 2000 " + odd);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string name = "tab\\tback\\\\line\\nbell\\x07del\\x7f";
    EXPECT_EQ(run.out,
        "0\t" + name + "\tS21M\t   -2\n2000\tMax:    -2\t" + name + "\tMin:    -2\t" + name
            + "\tDiff:     0\n");
}

TEST(CliReadout, DecimalCommaLocalePrintsTheSameBytes)
{
    {
        const DecimalCommaLocale probe;
        if (!probe.active())
            GTEST_SKIP() << "no decimal-comma locale installed";
    }
    const ReadoutFiles files;
    const std::string options = "--at 1.5 --unit GHz --traces S11M,S21M --y -25.5:0.5:2.5";
    const CliRun plain = readout(files, options);
    ASSERT_EQ(plain.status, 0) << plain.err;
    for (const char* locale : { "de_DE.UTF-8", "ru_RU.UTF-8" }) {
        SCOPED_TRACE(locale);
        const CliRun local = readout(files, options, std::string("LC_ALL=") + locale);
        EXPECT_EQ(local.status, 0) << local.err;
        EXPECT_EQ(local.out, plain.out);
    }
    EXPECT_NE(plain.out.find("1.50\tMax:    -3\thigh\tMin: -20.5\tlow\tDiff:  17.5\n"), std::string::npos);
    EXPECT_EQ(readout(files, "--at 1,5 --unit GHz", "LC_ALL=de_DE.UTF-8").status, 2);
}

// A one-port of ideal loads, one a frequency: 25 ohm, 100 ohm, 50 + j50 ohm, a short and an
// open. Each line carries the nearest point's frequency, |G|, its angle and R and X, with
// G = (Z - 50) / (Z + 50); the open has no impedance.
TEST(CliReadout, SmithChartReadsTheLoadsAsImpedances)
{
    const TempDir folder;
    struct Row {
        const char* at;
        double freq;
        Complex ohms;
        bool open;
    };
    const Row rows[] = {
        { "100", 100, { 25, 0 }, false },
        { "180", 200, { 100, 0 }, false },
        { "300", 300, { 50, 50 }, false },
        { "420", 400, { 0, 0 }, false },
        { "500", 500, { 0, 0 }, true },
    };
    std::string text = "# MHz S RI R 50\n";
    for (const Row& row : rows) {
        const Complex g = row.open ? Complex(1, 0) : (row.ohms - 50.0) / (row.ohms + 50.0);
        text += cFormat("%.0f %.17g %.17g\n", row.freq, g.real(), g.imag());
    }
    const std::string loads = shellQuoted(folder.write("loads.s1p", text));
    for (const Row& row : rows) {
        const CliRun run
            = runCli("readout --chart smith --traces S11M --at " + std::string(row.at) + " " + loads);
        EXPECT_EQ(run.status, 0) << run.err;
        const std::vector<std::string> lines = linesOf(run.out);
        ASSERT_EQ(lines.size(), 1u) << run.out;
        const std::vector<std::string> cells = splitTabs(lines[0]);
        ASSERT_EQ(cells.size(), 8u) << lines[0];
        EXPECT_EQ(cells[0] + cells[1] + cells[2], "0loadsS11");
        const Complex g = row.open ? Complex(1, 0) : (row.ohms - 50.0) / (row.ohms + 50.0);
        EXPECT_DOUBLE_EQ(std::stod(cells[3]), row.freq);
        EXPECT_NEAR(std::stod(cells[4]), std::abs(g), 1e-12);
        EXPECT_NEAR(
            std::stod(cells[5]), g == Complex(0, 0) ? 0 : std::arg(g) * 180 / 3.141592653589793, 1e-9);
        if (row.open) {
            EXPECT_EQ(cells[6] + cells[7], "");
            continue;
        }
        EXPECT_NEAR(std::stod(cells[6]), row.ohms.real(), 1e-9) << row.at;
        EXPECT_NEAR(std::stod(cells[7]), row.ohms.imag(), 1e-9) << row.at;
    }
    const CliRun wrong = runCli("readout --chart nyquist --at 100 " + loads);
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.err.find("--chart takes frequency, smith or polar"), std::string::npos) << wrong.err;
    const CliRun outside = runCli("readout --chart smith --traces S11M --at 900 " + loads);
    EXPECT_EQ(outside.status, 2);
}
