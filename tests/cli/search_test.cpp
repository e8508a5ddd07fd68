#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "clirunner.h"
#include "decimalcommalocale.h"
#include "tempdir.h"
#include "touchstonetext.h"

namespace {

constexpr double none = NAN; // an empty cell

// Two-ports of the test's own from 1000 to 3000 MHz in steps of 100 MHz, S11 at -20 dB and
// S21 (and S12) at s21(f) dB.
std::string writeFile(const TempDir& folder, const std::string& name, const std::function<double(double)>& s21)
{
    std::vector<TouchstoneLine> lines;
    for (int i = 0; i <= 20; ++i)
        lines.push_back(levelsLine(1000 + 100 * i, -20, s21(1000 + 100 * i)));
    return shellQuoted(folder.write(name + ".s2p", touchstoneText("MHz S DB R 50", lines)));
}

// The cells of a line after the index and the name, as numbers; NaN for an empty cell.
std::vector<double> numbersOf(const std::string& line)
{
    std::vector<double> numbers;
    size_t start = 0;
    for (int cell = 0; start <= line.size(); ++cell) {
        const size_t end = std::min(line.find('\t', start), line.size());
        if (cell >= 2)
            numbers.push_back(end == start ? none : std::strtod(line.substr(start, end - start).c_str(), nullptr));
        start = end + 1;
    }
    return numbers;
}

TEST(CliSearch, MaximumMinimumAndTheEdgesOfEachMeasurement)
{
    const TempDir folder;
    // A peak of 0 dB at 2000 MHz falling 1 dB per 10 MHz: 3 dB down 30 MHz to each side.
    const std::string peak = writeFile(folder, "peak", [](double f) { return -std::abs(f - 2000) / 10; });
    // Falling all the way from 1000 MHz: no lower edge.
    const std::string slope = writeFile(folder, "slope", [](double f) { return -(f - 1000) / 100; });
    const double centre = std::sqrt(1970.0 * 2030.0);
    struct Case {
        const char* options;
        std::vector<std::vector<double>> rows; // maximum, minimum, edges, centre, bandwidth, Q
    };
    const Case cases[] = {
        { "",
            { { 2000, 0, 1000, -100, 1970, 2030, centre, 60, centre / 60 },
                { 1000, 0, 3000, -20, none, 1300, none, none, none } } },
        { "--bw 10 --unit GHz",
            { { 2, 0, 1, -100, 1.9, 2.1, std::sqrt(1.9 * 2.1), 0.2, std::sqrt(1.9 * 2.1) / 0.2 },
                { 1, 0, 3, -20, none, 2, none, none, none } } },
        // Only the frequencies of the view: 1500 to 2000 MHz.
        { "--x 1500:2000:100",
            { { 2000, 0, 1500, -50, 1970, none, none, none, none },
                { 1500, -5, 2000, -10, none, 1800, none, none, none } } },
        // S11 is flat: neither edge.
        { "--trace S11M", { { 1000, -20, 1000, -20, none, none, none, none, none },
                              { 1000, -20, 1000, -20, none, none, none, none, none } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const std::string options = std::string(c.options).find("--trace") == std::string::npos
            ? std::string("--trace S21M ") + c.options
            : c.options;
        const CliRun run = runCli("search " + options + " " + peak + " " + slope);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<std::string> lines = linesOf(run.out);
        ASSERT_EQ(lines.size(), 2u) << run.out;
        EXPECT_EQ(lines[0].substr(0, 7), "0\tpeak\t");
        EXPECT_EQ(lines[1].substr(0, 8), "1\tslope\t");
        for (size_t r = 0; r < lines.size(); ++r) {
            const std::vector<double> got = numbersOf(lines[r]);
            ASSERT_EQ(got.size(), 9u) << lines[r];
            for (size_t i = 0; i < got.size(); ++i) {
                if (std::isnan(c.rows[r][i]))
                    EXPECT_TRUE(std::isnan(got[i])) << r << " " << i << " " << got[i];
                else
                    EXPECT_NEAR(got[i], c.rows[r][i], 1e-9 * std::abs(c.rows[r][i]) + 1e-12) << r << " " << i;
            }
        }
    }
}

TEST(CliSearch, MistakesAreUsageErrorsAndTheLocaleChangesNothing)
{
    const TempDir folder;
    const std::string file = writeFile(folder, "peak", [](double f) { return -std::abs(f - 2000) / 10; });
    const char* const mistakes[] = {
        "", "--trace S31M", "--trace S21M --bw 0", "--trace S21M --bw -3", "--trace S21M --bw abc",
        "--trace S21M --relative 5", "--trace S21M --at 1500",
    };
    for (const char* options : mistakes) {
        SCOPED_TRACE(options);
        const CliRun run = runCli(std::string("search ") + options + " " + file);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("sprelin-cli search: ", 0), 0u) << run.err;
    }
    const CliRun plain = runCli("search --trace s21m --bw 2.5 " + file);
    ASSERT_EQ(plain.status, 0) << plain.err;
    {
        const DecimalCommaLocale probe;
        if (!probe.active())
            GTEST_SKIP() << "no decimal-comma locale installed";
    }
    for (const char* locale : { "de_DE.UTF-8", "ru_RU.UTF-8" }) {
        SCOPED_TRACE(locale);
        const CliRun local = runCli("search --trace S21M --bw 2.5 " + file, std::string("LC_ALL=") + locale);
        EXPECT_EQ(local.status, 0) << local.err;
        EXPECT_EQ(local.out, plain.out);
    }
}

} // namespace
