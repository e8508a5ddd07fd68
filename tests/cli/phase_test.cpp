#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <complex>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "clirunner.h"
#include "tempdir.h"
#include "touchstonetext.h"
#include "xlsxcontents.h"

// The batch tool's --phase and --aperture: the delay of a measured-looking file against the
// central differences of its unwrapped phase (as scikit-rf's group_delay takes them), the
// readout's units and aperture, and the options' mistakes.

namespace {

constexpr double pi = 3.141592653589793;

// A one-port file in "GHz S RI" that looks measured: a resonance in a line of 0.4 ns with a
// small ripple that no formula of the chart knows, on 401 points from 1 to 5 GHz.
std::string writeResonatorFile(const TempDir& folder)
{
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text.precision(17);
    text << "! a resonator made by the phase tests\n# GHz S RI R 50\n";
    for (int i = 0; i <= 400; ++i) {
        const double f = 1 + 0.01 * i;
        const std::complex<double> resonance = 1.0 - 0.6 / std::complex<double>(1.0, 8 * (f - 3));
        const double ripple = 0.02 * std::sin(37.0 * i) + 0.01 * std::cos(11.0 * i);
        const std::complex<double> s11 = resonance * std::polar(0.9 + ripple, -2 * pi * f * 0.4);
        text << f << ' ' << s11.real() << ' ' << s11.imag() << '\n';
    }
    return folder.write("resonator.s1p", text.str());
}

// The frequencies (hertz) and reflections of a one-port Touchstone file in "GHz S RI", read
// here on their own: every line that does not start with '!' or '#' is a point.
struct OnePort {
    std::vector<double> hertz;
    std::vector<std::complex<double>> s11;
};

OnePort readOnePort(const std::string& path)
{
    OnePort port;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '!' || line[0] == '#')
            continue;
        std::istringstream words(line);
        double f = 0;
        double re = 0;
        double im = 0;
        if (words >> f >> re >> im) {
            port.hertz.push_back(f * 1e9);
            port.s11.emplace_back(re, im);
        }
    }
    return port;
}

// -d(unwrapped phase)/d(omega) by central differences at every interior point, in seconds, as
// scikit-rf's Network.group_delay computes it: the phase in radians unwrapped as numpy's
// unwrap does, both gradients central.
std::vector<double> centralDelays(const OnePort& port)
{
    std::vector<double> phase;
    for (const std::complex<double>& s : port.s11)
        phase.push_back(std::arg(s));
    for (size_t i = 1; i < phase.size(); ++i) {
        const double step = phase[i] - phase[i - 1];
        phase[i] -= 2 * pi * std::round(step / (2 * pi));
    }
    std::vector<double> delays(phase.size(), NAN);
    for (size_t i = 1; i + 1 < phase.size(); ++i)
        delays[i] = -(phase[i + 1] - phase[i - 1]) / (2 * pi * (port.hertz[i + 1] - port.hertz[i - 1]));
    return delays;
}

double numberOf(const std::string& text)
{
    double v = NAN;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

// A delay line of 2.2 ns from 1000 to 3000 MHz in 10 MHz steps, "line.s2p": S21 and S12 at
// -1 dB, S11 and S22 at -20 dB seeing the line twice.
class DelayLineFile {
public:
    DelayLineFile()
    {
        std::vector<TouchstoneLine> lines;
        for (int i = 0; i <= 200; ++i) {
            const double f = 1000 + 10 * i;
            const double through = std::remainder(-360 * f * 1e6 * 2.2e-9, 360);
            const double reflected = std::remainder(-720 * f * 1e6 * 2.2e-9, 360);
            lines.push_back({ f, { -20, reflected, -1, through, -1, through, -20, reflected } });
        }
        path = shellQuoted(folder.write("line.s2p", touchstoneText("MHz S DB R 50", lines)));
    }

    const TempDir folder;
    std::string path;
};

} // namespace

TEST(CliPhase, DelayWithThreePointsIsTheCentralDifference)
{
    const TempDir files;
    const std::string path = writeResonatorFile(files);
    const OnePort port = readOnePort(path);
    ASSERT_GT(port.hertz.size(), 100u);
    const std::vector<double> want = centralDelays(port);
    double largest = 0;
    for (const double d : want)
        if (std::isfinite(d))
            largest = std::max(largest, std::abs(d));

    TempDir folder;
    const std::string book = folder.file("delay.xlsx");
    const CliRun run = runCli(
        "export -o " + shellQuoted(book) + " --phase delay --aperture 3 --traces S11A " + shellQuoted(path));
    ASSERT_EQ(run.status, 0) << run.err;
    XlsxContents contents;
    ASSERT_TRUE(contents.read(book));
    const std::string title = contents.cells.at("B34").value;
    const std::string unit = title.substr(title.rfind(", ") + 2);
    const std::map<std::string, double> perSecond { { "ps", 1e12 }, { "ns", 1e9 } };
    ASSERT_EQ(perSecond.count(unit), 1u) << title;

    int32_t compared = 0;
    for (int32_t row = 35; contents.cells.count("A" + std::to_string(row)) != 0; ++row) {
        const std::string cell = "B" + std::to_string(row);
        ASSERT_EQ(contents.cells.count(cell), 1u) << cell;
        const double f = numberOf(contents.cells.at("A" + std::to_string(row)).value) * 1e6;
        const double got = numberOf(contents.cells.at(cell).value) / perSecond.at(unit);
        // The grid point shows its nearest own point.
        const auto nearest = std::min_element(port.hertz.begin(), port.hertz.end(),
            [f](double a, double b) { return std::abs(a - f) < std::abs(b - f); });
        const size_t i = static_cast<size_t>(nearest - port.hertz.begin());
        if (i == 0 || i + 1 == port.hertz.size())
            continue;
        const double scale = std::max(std::abs(want[i]), 1e-3 * largest);
        EXPECT_LE(std::abs(got - want[i]), 1e-9 * scale)
            << "at " << f << " Hz: " << got << " against " << want[i];
        ++compared;
    }
    EXPECT_GE(compared, static_cast<int32_t>(port.hertz.size()) - 3);
}

TEST(CliPhase, ReadoutCarriesTheDelayUnitAndTheAperture)
{
    struct Case {
        const char* options;
        const char* out;
    };
    const Case cases[] = {
        { "--at 2000 --traces S21A,S11A --phase delay",
            "0\tline\tS11A\t  4.4 ns\n0\tline\tS21A\t  2.2 ns\n"
            "2000\tMax:   4.4 ns\tline\tMin:   2.2 ns\tline\tDiff:   2.2 ns\taperture 5 points, 40 MHz\n" },
        { "--at 2000 --traces S21A --phase DELAY --aperture 9",
            "0\tline\tS21A\t  2.2 ns\n2000\tMax:   2.2 ns\tline\tMin:   2.2 ns\tline\tDiff:     0 ns\t"
            "aperture 9 points, 80 MHz\n" },
        // The unwrapped phase goes on from the first point's -72 degrees; the wrapped one wraps.
        { "--at 1500 --traces S21A --phase unwrapped",
            "0\tline\tS21A\t -468\n1500\tMax:  -468\tline\tMin:  -468\tline\tDiff:     0\n" },
        { "--at 1500 --traces S21A",
            "0\tline\tS21A\t -108\n1500\tMax:  -108\tline\tMin:  -108\tline\tDiff:     0\n" },
    };
    const DelayLineFile file;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const CliRun run = runCli(std::string("readout ") + c.options + " " + file.path);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.out);
    }
}

TEST(CliPhase, MistakesInThePhaseOptionsAreUsageErrors)
{
    struct Row {
        const char* options;
        const char* errStart;
    };
    const Row rows[] = {
        { "--phase sideways",
            "sprelin-cli readout: --phase takes wrapped, unwrapped or delay, not 'sideways'" },
        { "--aperture 4",
            "sprelin-cli readout: --aperture takes an odd number of points from 3 to 1001, not '4'" },
        { "--aperture 1003", "sprelin-cli readout: --aperture takes an odd number of points from 3 to 1001" },
        { "--aperture 5x", "sprelin-cli readout: --aperture takes an odd number of points from 3 to 1001" },
    };
    const DelayLineFile file;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.options);
        const CliRun run = runCli(std::string("readout --at 2000 ") + row.options + " " + file.path);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.rfind(row.errStart, 0), 0u) << run.err;
        EXPECT_EQ(run.out, "");
    }
    for (const char* command : { "render --help", "export --help", "readout --help" }) {
        const CliRun help = runCli(command);
        EXPECT_NE(help.out.find("  --phase MODE "), std::string::npos) << command;
        EXPECT_NE(help.out.find("  --aperture N "), std::string::npos) << command;
    }
}
