#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "cformat.h"
#include "decimalcommalocale.h"
#include "loader.h"
#include "tempdir.h"
#include "touchstonereader.h"

namespace {

const double kPi = 3.14159265358979323846;

std::vector<char> bufferOf(const std::string& text)
{
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    return buffer;
}

LoadResult readTwoPort(RubberS2PData& m, const std::string& text)
{
    std::vector<char> buffer = bufferOf(text);
    return readS2P(m, buffer.data(), text.size());
}

LoadResult readOnePort(RubberS2PData& m, const std::string& text)
{
    std::vector<char> buffer = bufferOf(text);
    return readS1P(m, buffer.data(), text.size());
}

struct ThreePort {
    RubberS2PData v12, v23, v13, reduced;
    std::string label;
    LoadResult read(const std::string& text)
    {
        std::vector<char> buffer = bufferOf(text);
        return readS3P(v12, v23, v13, reduced, buffer.data(), text.size(), label);
    }
};

void expectComplex(const Complex& actual, const Complex& expected, double tolerance = 1e-12)
{
    EXPECT_NEAR(actual.real(), expected.real(), tolerance);
    EXPECT_NEAR(actual.imag(), expected.imag(), tolerance);
}

TouchstoneOptions optionsOf(const std::string& text)
{
    std::vector<char> buffer = bufferOf(text);
    TouchstoneOptions o;
    o.freqMultiplier = -1.0; // proves the defaults are set by the parser
    parseOptionLine(buffer.data(), text.size(), o);
    return o;
}

// A series resistance z between the ports, seen with reference resistance r0.
void seriesResistor(double z, double r0, double& s11, double& s21)
{
    s11 = z / (z + 2.0 * r0);
    s21 = 2.0 * r0 / (z + 2.0 * r0);
}

std::string line(const char* format, double a, double b, double c, double d)
{
    char text[256];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

} // namespace

TEST(TouchstoneOptionLine, TokensAndDefaults)
{
    struct Row {
        std::string text;
        double multiplier;
        int param;
        int format;
        double resistance;
    };
    const Row rows[] = {
        { std::string("#\0", 2), 1e9, ParamS, FormatMA, 50.0 },
        { "# hz s db r 75", 1.0, ParamS, FormatDB, 75.0 },
        { "# MHz S RI R 50", 1e6, ParamS, FormatRI, 50.0 },
        { "#KHZ Y ma", 1e3, ParamY, FormatMA, 50.0 },
        { "# khz z", 1e3, ParamZ, FormatMA, 50.0 },
        { "# GHz H", 1e9, ParamH, FormatMA, 50.0 },
        { "# G", 1e9, ParamG, FormatMA, 50.0 },
        { "# Hz", 1.0, ParamS, FormatMA, 50.0 },
        { "# Ohm 12.5e1 RI", 1e9, ParamS, FormatRI, 125.0 },
        { "# R e", 1e9, ParamS, FormatMA, 50.0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const TouchstoneOptions o = optionsOf(row.text);
        EXPECT_EQ(o.freqMultiplier, row.multiplier);
        EXPECT_EQ(o.paramType, row.param);
        EXPECT_EQ(o.dataFormat, row.format);
        EXPECT_EQ(o.refResistance, row.resistance);
    }
}

TEST(TouchstoneOptionLine, ReturnsTheEndOfTheOptionLine)
{
    const std::string text("x\0# MHz\0"
                           "1 2",
        11);
    std::vector<char> buffer = bufferOf(text);
    TouchstoneOptions o;
    EXPECT_EQ(parseOptionLine(buffer.data(), text.size(), o), 7u);
    EXPECT_GE(parseOptionLine("1 2 3", 5, o), 5u);
    EXPECT_GE(parseOptionLine("1 2 #", 5, o), 5u);
}

TEST(TouchstoneReader, ReadsRealImaginaryTwoPort)
{
    RubberS2PData m;
    ASSERT_EQ(readTwoPort(m,
                  "# MHz S RI R 50\r\n"
                  "100 0.5 0 0.1 0 0.1 0 0.5 0\r\n"
                  "200 0.5 0 0.1 0 0.1 0 0.5 0\r\n"),
        LoadSuccess);
    ASSERT_EQ(m.itemCount, 2);
    EXPECT_EQ(m.dataValid, 1);
    EXPECT_EQ(m.point(0)->freq, 1e8);
    EXPECT_EQ(m.point(1)->freq, 2e8);
    for (int i = 0; i < 2; ++i) {
        const ComplexMatrix& s = m.point(i)->sParams;
        EXPECT_EQ(s(0, 0), Complex(0.5, 0));
        EXPECT_EQ(s(1, 1), Complex(0.5, 0));
        EXPECT_EQ(s(1, 0), Complex(0.1, 0));
        EXPECT_EQ(s(0, 1), Complex(0.1, 0));
    }
}

TEST(TouchstoneReader, FileOrderIsS11S21S12S22)
{
    RubberS2PData m;
    ASSERT_EQ(readTwoPort(m, "# Hz S RI\n1 1 2 3 4 5 6 7 8\n2 1 2 3 4 5 6 7 8\n"), LoadSuccess);
    const ComplexMatrix& s = m.point(0)->sParams;
    EXPECT_EQ(s(0, 0), Complex(1, 2));
    EXPECT_EQ(s(1, 0), Complex(3, 4));
    EXPECT_EQ(s(0, 1), Complex(5, 6));
    EXPECT_EQ(s(1, 1), Complex(7, 8));
}

TEST(TouchstoneReader, FormatsAndUnits)
{
    struct Row {
        const char* option;
        const char* pair;
        double multiplier;
        Complex s11;
    };
    const double half = 20.0 * std::log10(0.5);
    char halfDb[64];
    std::snprintf(halfDb, sizeof halfDb, "%.17g 0", half);
    const Row rows[] = {
        { "# Hz MA", "1 90", 1.0, std::polar(1.0, kPi / 2) },
        { "# kHz MA", "0.5 -45", 1e3, std::polar(0.5, -kPi / 4) },
        { "# MHz DB", "-20 0", 1e6, Complex(0.1, 0) },
        { "# GHz DB", halfDb, 1e9, Complex(0.5, 0) },
        { "# DB", "-6 180", 1e9, std::polar(std::pow(10.0, -6.0 / 20.0), kPi) },
        { "# Hz RI", "-0.25 0.75", 1.0, Complex(-0.25, 0.75) },
        { "#", "0.3 30", 1e9, std::polar(0.3, kPi / 6) },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.option);
        const std::string pair = row.pair;
        RubberS2PData m;
        ASSERT_EQ(readTwoPort(m,
                      std::string(row.option) + "\n1 " + pair + " 0 0 0 0 0 0\n2 " + pair + " 0 0 0 0 0 0\n"),
            LoadSuccess);
        EXPECT_EQ(m.point(1)->freq, 2.0 * row.multiplier);
        expectComplex(m.point(0)->sParams(0, 0), row.s11);
    }
}

TEST(TouchstoneReader, ConvertsSeventyFiveOhmToFiftyOhm)
{
    // A 30 ohm series resistor written at 75 ohm must read as the same resistor at 50 ohm.
    double s11 = 0, s21 = 0;
    seriesResistor(30.0, 75.0, s11, s21);
    const std::string data = line("%.17g 0 %.17g 0 %.17g 0 %.17g 0", s11, s21, s21, s11);
    RubberS2PData m;
    ASSERT_EQ(readTwoPort(m, "# hz s ri r 75\n1 " + data + "\n2 " + data + "\n"), LoadSuccess);
    seriesResistor(30.0, 50.0, s11, s21);
    for (int i = 0; i < 2; ++i) {
        const ComplexMatrix& s = m.point(i)->sParams;
        expectComplex(s(0, 0), s11);
        expectComplex(s(1, 1), s11);
        expectComplex(s(1, 0), s21);
        expectComplex(s(0, 1), s21);
    }
}

TEST(TouchstoneReader, ConvertsOnlyBeyondATenthOfAnOhm)
{
    struct Row {
        const char* resistance;
        double expectedS11;
    };
    const Row rows[] = {
        { "50.05", 0.0 },
        { "49.95", 0.0 },
        { "50.2", (50.2 - 50.0) / (50.2 + 50.0) },
        { "49.8", (49.8 - 50.0) / (49.8 + 50.0) },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.resistance);
        // A matched two-port at the file's resistance reflects at 50 ohm.
        RubberS2PData m;
        ASSERT_EQ(
            readTwoPort(
                m, std::string("# Hz RI R ") + row.resistance + "\n1 0 0 0 0 0 0 0 0\n2 0 0 0 0 0 0 0 0\n"),
            LoadSuccess);
        expectComplex(m.point(0)->sParams(0, 0), row.expectedS11);
        expectComplex(m.point(0)->sParams(1, 1), row.expectedS11);
    }
}

TEST(TouchstoneReader, UnusableReferenceResistanceRejectsTheFile)
{
    for (const char* r : { "0", "-50", "-0", "1e999", "-inf", "-nan" }) {
        SCOPED_TRACE(r);
        RubberS2PData m;
        EXPECT_EQ(readTwoPort(m, std::string("# Hz RI R ") + r + "\n1 0 0 0 0 0 0 0 0\n2 0 0 0 0 0 0 0 0\n"),
            LoadNoData);
        EXPECT_EQ(m.itemCount, 0);
        EXPECT_EQ(m.dataValid, 0);
    }
}

TEST(TouchstoneReader, FinishedMeasurementsHaveTheirFrequencySummary)
{
    RubberS2PData two;
    ASSERT_EQ(readTwoPort(two, "# MHz S RI\n100 0 0 0 0 0 0 0 0\n200 0 0 0 0 0 0 0 0\n400 0 0 0 0 0 0 0 0\n"),
        LoadSuccess);
    EXPECT_EQ(two.freqFirst, 1e8);
    EXPECT_EQ(two.freqLast, 4e8);
    EXPECT_EQ(two.freqStep, 1.5e8);

    RubberS2PData one;
    ASSERT_EQ(readOnePort(one, "# kHz S RI\n1 0 0\n3 0 0\n"), LoadSuccess);
    EXPECT_EQ(one.freqFirst, 1e3);
    EXPECT_EQ(one.freqLast, 3e3);
    EXPECT_EQ(one.freqStep, 2e3);

    // A measurement read again holds the summary of its new points.
    ASSERT_EQ(readTwoPort(two, "# Hz S RI\n5 0 0 0 0 0 0 0 0\n6 0 0 0 0 0 0 0 0\n"), LoadSuccess);
    EXPECT_EQ(two.freqFirst, 5.0);
    EXPECT_EQ(two.freqLast, 6.0);
    EXPECT_EQ(two.freqStep, 1.0);
}

TEST(TouchstoneReader, TextLayoutVariants)
{
    struct Row {
        const char* name;
        std::string text;
        int points;
        double lastFreq;
        Complex lastS21;
    };
    const Row rows[] = {
        { "comments anywhere",
            "! made by hand\r\n# Hz RI ! options\r\n! between\r\n1 0 0 2 0 0 0 0 0 ! note\r\n"
            "2 0 0 3 0 0 0 0 0\r\n",
            2, 2.0, Complex(3, 0) },
        { "trailing comment with LF line ends",
            "# Hz RI\n1 0 0 2 0 0 0 0 0 ! first\n2 0 0 3 0 0 0 0 0 ! second\n"
            "3 0 0 4 0 0 0 0 0\n",
            3, 3.0, Complex(4, 0) },
        { "tabs and decimal commas",
            "# Hz RI\n1\t0\t0\t1,5\t0,5\t0\t0\t0\t0\n2\t0\t0\t2,5\t-0,5\t0\t0\t0\t0\n", 2, 2.0,
            Complex(2.5, -0.5) },
        { "noise block",
            "# Hz RI\n10 0 0 1 0 0 0 0 0\n20 0 0 2 0 0 0 0 0\n30 0 0 3 0 0 0 0 0\n"
            "! noise parameters\n10 1.5 0.3 45 0.4\n20 1.7 0.3 50 0.4\n",
            3, 30.0, Complex(3, 0) },
        { "repeated frequency ends the scan",
            "# Hz RI\n1 0 0 1 0 0 0 0 0\n2 0 0 2 0 0 0 0 0\n2 0 0 9 0 0 0 0 0\n"
            "3 0 0 3 0 0 0 0 0\n",
            2, 2.0, Complex(2, 0) },
        { "byte-order mark", "\xEF\xBB\xBF# Hz RI\n1 0 0 1 0 0 0 0 0\n2 0 0 2 0 0 0 0 0\n", 2, 2.0,
            Complex(2, 0) },
        { "text before the numbers of a line", "# Hz RI\nF= 1 0 0 1 0 0 0 0 0\nF= 2 0 0 2 0 0 0 0 0\n", 2,
            2.0, Complex(2, 0) },
        { "no final line end", "# Hz RI\n1 0 0 1 0 0 0 0 0\n2 0 0 2 0 0 0 0 0", 2, 2.0, Complex(2, 0) },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RubberS2PData m;
        ASSERT_EQ(readTwoPort(m, row.text), LoadSuccess);
        ASSERT_EQ(m.itemCount, row.points);
        EXPECT_EQ(m.point(row.points - 1)->freq, row.lastFreq);
        EXPECT_EQ(m.point(row.points - 1)->sParams(1, 0), row.lastS21);
    }
}

TEST(TouchstoneReader, ShortLinesReuseThePreviousNumbersAndStartFromZero)
{
    RubberS2PData m;
    ASSERT_EQ(readTwoPort(m, "# Hz RI\n1 0.5 0.25\n2 0.1 0 0.2 0 0.3 0 0.4 0\n3 0.7\n"), LoadSuccess);
    ASSERT_EQ(m.itemCount, 3);
    const ComplexMatrix& first = m.point(0)->sParams;
    EXPECT_EQ(first(0, 0), Complex(0.5, 0.25));
    EXPECT_EQ(first(1, 0), Complex(0, 0));
    EXPECT_EQ(first(1, 1), Complex(0, 0));
    const ComplexMatrix& last = m.point(2)->sParams;
    EXPECT_EQ(last(0, 0), Complex(0.7, 0));
    EXPECT_EQ(last(1, 0), Complex(0.2, 0));
    EXPECT_EQ(last(0, 1), Complex(0.3, 0));
    EXPECT_EQ(last(1, 1), Complex(0.4, 0));
}

TEST(TouchstoneReader, RejectedFiles)
{
    struct Row {
        const char* name;
        std::string text;
        LoadResult result;
    };
    const Row rows[] = {
        { "no option line", "1 0 0 0 0 0 0 0 0\n2 0 0 0 0 0 0 0 0\n", LoadNoData },
        { "option line at the very end", "1 0 0 0 0 0 0 0 0\n#", LoadNoData },
        { "one data line", "# Hz RI\n1 0 0 0 0 0 0 0 0\n", LoadSinglePoint },
        { "empty file", "", LoadNoData },
        { "Y parameters", "# Hz Y RI\n1 0 0 0 0 0 0 0 0\n2 0 0 0 0 0 0 0 0\n", LoadNotSParameters },
        { "Z parameters", "# MHz Z MA R 50\n1 0 0 0 0 0 0 0 0\n2 0 0 0 0 0 0 0 0\n", LoadNotSParameters },
        { "option line behind a byte above z", "\xC0# Hz RI\n1 0 0 0 0 0 0 0 0\n2 0 0 0 0 0 0 0 0\n",
            LoadNoData },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RubberS2PData m;
        EXPECT_EQ(readTwoPort(m, row.text), row.result);
        EXPECT_EQ(m.itemCount, 0);
        EXPECT_EQ(m.dataValid, 0);
    }
}

TEST(TouchstoneReader, ReadingDoesNotDependOnTheProcessLocale)
{
    const DecimalCommaLocale locale;
    if (!locale.active())
        GTEST_SKIP() << "no decimal-comma locale installed";
    RubberS2PData m;
    ASSERT_EQ(
        readTwoPort(m, "# MHz RI R 75.5\n1.5 0.25 0 0 0 0 0 0 0\n2.5 0.25 0 0 0 0 0 0 0\n"), LoadSuccess);
    EXPECT_EQ(m.point(0)->freq, 1.5e6);
    const double gamma = (50.0 - 75.5) / (50.0 + 75.5);
    expectComplex(m.point(0)->sParams(0, 0), (0.25 - gamma) / (1.0 - gamma * 0.25));
}

TEST(OnePortReader, FillerDependsOnTheFormat)
{
    struct Row {
        const char* option;
        Complex filler;
    };
    const Row rows[] = { { "# Hz DB", 1.0 }, { "# Hz RI", 0.0 }, { "# Hz MA", 0.0 } };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.option);
        RubberS2PData m;
        ASSERT_EQ(readOnePort(m, std::string(row.option) + "\n1 -20 0\n2 -20 0\n"), LoadSuccess);
        ASSERT_EQ(m.itemCount, 2);
        EXPECT_EQ(m.portCount, 1); // the filler is never shown
        const ComplexMatrix& s = m.point(1)->sParams;
        EXPECT_EQ(s(0, 1), row.filler);
        EXPECT_EQ(s(1, 0), row.filler);
        EXPECT_EQ(s(1, 1), row.filler);
    }
}

TEST(OnePortReader, ConvertsReflectionAloneAndKeepsTheFiller)
{
    // A 100 ohm load: 1/7 at 75 ohm, 1/3 at 50 ohm.
    const std::string db = line("%.17g 0", 20.0 * std::log10(1.0 / 7.0), 0, 0, 0);
    RubberS2PData m;
    ASSERT_EQ(readOnePort(m, "# MHz S DB R 75\n100 " + db + "\n200 " + db + "\n"), LoadSuccess);
    for (int i = 0; i < 2; ++i) {
        const ComplexMatrix& s = m.point(i)->sParams;
        expectComplex(s(0, 0), 1.0 / 3.0);
        EXPECT_EQ(s(1, 0), Complex(1.0, 0.0));
        EXPECT_EQ(s(1, 1), Complex(1.0, 0.0));
    }
}

TEST(OnePortReader, ShortLinesReadAsZero)
{
    RubberS2PData m;
    ASSERT_EQ(readOnePort(m, "# Hz RI\n1 0.5 0.5\n2 0.25\n"), LoadSuccess);
    EXPECT_EQ(m.point(1)->sParams(0, 0), Complex(0.25, 0.0));
    RubberS2PData single;
    EXPECT_EQ(readOnePort(single, "# Hz RI\n1 0.5 0.5\n"), LoadSinglePoint);
    EXPECT_EQ(single.itemCount, 0);
}

namespace {

// A reciprocal three-port without reflections: |S21| 0.5, |S31| 0.3, |S32| 0.1 in MA.
const char* const kDivider = "# GHz S MA R 50\n"
                             "! three-port, rows S1x, S2x, S3x\n"
                             "1 0 0 0.5 0 0.3 0\n"
                             "  0.5 0 0 0 0.1 0\n"
                             "  0.3 0 0.1 0 0 0\n"
                             "2 0.2 0 0.5 0 0.3 0\n"
                             "  0.5 0 0.4 0 0.1 0\n"
                             "  0.3 0 0.1 0 0.6 0\n";

} // namespace

TEST(ThreePortReader, ViewsHoldTheirPortPairs)
{
    ThreePort file;
    ASSERT_EQ(file.read(kDivider), LoadSuccess);
    for (RubberS2PData* m : { &file.v12, &file.v23, &file.v13, &file.reduced }) {
        ASSERT_EQ(m->itemCount, 2);
        EXPECT_EQ(m->dataValid, 1);
        EXPECT_EQ(m->freqFirst, 1e9);
        EXPECT_EQ(m->freqLast, 2e9);
    }
    const ComplexMatrix& v12 = file.v12.point(1)->sParams;
    const ComplexMatrix& v23 = file.v23.point(1)->sParams;
    const ComplexMatrix& v13 = file.v13.point(1)->sParams;
    expectComplex(v12(0, 0), 0.2);
    expectComplex(v12(1, 0), 0.5);
    expectComplex(v12(1, 1), 0.4);
    expectComplex(v23(0, 0), 0.4);
    expectComplex(v23(0, 1), 0.1);
    expectComplex(v23(1, 1), 0.6);
    expectComplex(v13(0, 0), 0.2);
    expectComplex(v13(1, 0), 0.3);
    expectComplex(v13(1, 1), 0.6);
}

TEST(ThreePortReader, ReducedViewJoinsTheWeakestPair)
{
    ThreePort file;
    ASSERT_EQ(file.read(kDivider), LoadSuccess);
    EXPECT_EQ(file.label, "[Conc. 2-3,3-2]");
    const S2PPoint* p = file.reduced.point(0);
    EXPECT_EQ(p->freq, 1e9);
    expectComplex(p->sParams(0, 0), 0.03 / 0.99);
    expectComplex(p->sParams(1, 0), 0.3 / 0.99);
}

TEST(ThreePortReader, TiedTransmissionsGiveNoJoinedTwoPort)
{
    // No frequency has a strictly weakest transmission: the file gives its three views alone.
    ThreePort file;
    ASSERT_EQ(file.read("# Hz MA\n1 0 0 0.2 0 0.2 0\n0.2 0 0 0 0.5 0\n0.2 0 0.5 0 0 0\n"
                        "2 0 0 0.2 0 0.2 0\n0.2 0 0 0 0.5 0\n0.2 0 0.5 0 0 0\n"),
        LoadSuccess);
    EXPECT_EQ(file.label, "");
    EXPECT_EQ(file.reduced.itemCount, 0);
    EXPECT_EQ(file.reduced.dataValid, 0);
    for (const RubberS2PData* view : { &file.v12, &file.v23, &file.v13 })
        EXPECT_EQ(view->itemCount, 2);
}

TEST(ThreePortReader, LabelNamesTheLastChosenPair)
{
    // At 1 Hz S(3,2) is weakest, at 2 Hz S(2,1).
    ThreePort file;
    ASSERT_EQ(file.read("# Hz MA\n1 0 0 0.5 0 0.3 0\n0.5 0 0 0 0.1 0\n0.3 0 0.1 0 0 0\n"
                        "2 0 0 0.1 0 0.3 0\n0.1 0 0 0 0.5 0\n0.3 0 0.5 0 0 0\n"),
        LoadSuccess);
    EXPECT_EQ(file.label, "[Conc. 1-2,2-1]");
}

TEST(ThreePortReader, ConvertsEachViewOnItsOwnAndRejectsShortFiles)
{
    ThreePort matched;
    ASSERT_EQ(matched.read("# Hz RI R 75\n1 0 0 0 0 0 0\n0 0 0 0 0 0\n0 0 0 0 0 0\n"
                           "2 0 0 0 0 0 0\n0 0 0 0 0 0\n0 0 0 0 0 0\n"),
        LoadSuccess);
    expectComplex(matched.v23.point(0)->sParams(0, 0), 0.2);
    expectComplex(matched.v13.point(1)->sParams(1, 1), 0.2);

    ThreePort single;
    EXPECT_EQ(single.read("# Hz RI\n1 0 0 0 0 0 0\n0 0 0 0 0 0\n0 0 0 0 0 0\n"), LoadSinglePoint);
    for (RubberS2PData* m : { &single.v12, &single.v23, &single.v13, &single.reduced })
        EXPECT_EQ(m->itemCount, 0);

    ThreePort yParams;
    EXPECT_EQ(yParams.read("# Hz Y RI\n1 0 0 0 0 0 0\n"), LoadNotSParameters);
}

TEST(TwoPortFile, ReportsOpenAndReadOutcomes)
{
    const TempDir dir;
    const std::string good = dir.write("good.s2p", "# MHz S RI\n1 0 0 1 0 1 0 0 0\n2 0 0 1 0 1 0 0 0\n");
    const std::string empty = dir.write("empty.s2p", "no option line\n");

    RubberS2PData m;
    EXPECT_EQ(loadS2PFile(m, good), LoadSuccess);
    EXPECT_EQ(m.sourcePath, good);
    EXPECT_EQ(m.itemCount, 2);

    RubberS2PData e;
    EXPECT_EQ(loadS2PFile(e, empty), LoadNoData);
    EXPECT_EQ(e.sourcePath, empty);

    RubberS2PData missing;
    missing.sourcePath = "stale";
    EXPECT_EQ(loadS2PFile(missing, dir.file("missing.s2p")), LoadCannotOpen);
    EXPECT_EQ(missing.sourcePath, "");

    RubberS2PData directory;
    EXPECT_EQ(loadS2PFile(directory, dir.path.string()), LoadCannotOpen);
}

// A data text long enough to be read in two halves at once: whatever line the halves meet at,
// a short line keeps the later numbers of the last whole line before it, and the first
// frequency that does not increase ends the measurement.
TEST(TwoPortLargeText, ReadsAcrossTheMiddleAsInOneScan)
{
    constexpr int32_t kLines = 300000;
    constexpr int32_t kMiddle = kLines / 2;
    // Whole line i: S11 (i, 1) and S21 (i, 3). A short line holds its frequency and S11 (5, 6).
    const auto text = [&](const std::function<bool(int32_t)>& isShort, int32_t stop) {
        std::string t = "# Hz S RI\n";
        for (int32_t i = 0; i < kLines; ++i) {
            if (i == stop)
                t += "1 0 0 0 0 0 0 0 0\n";
            else if (isShort(i))
                t += cFormat("%07d 5 6\n", i + 1);
            else
                t += cFormat("%07d %07d 1 %07d 3 4 5 6 7\n", i + 1, i, i);
        }
        return t;
    };
    const auto nearMiddle = [](int32_t i) { return i >= kMiddle - 5000 && i < kMiddle + 5000; };
    // Runs of ten short lines between whole ones, and one run longer than the second half's
    // reader keeps before its first whole line.
    const std::function<bool(int32_t)> patterns[]
        = { [&](int32_t i) { return nearMiddle(i) && i % 11 != 10; }, nearMiddle };
    for (const auto& isShort : patterns) {
        RubberS2PData m;
        ASSERT_EQ(readTwoPort(m, text(isShort, -1)), LoadSuccess);
        ASSERT_EQ(m.itemCount, kLines);
        int32_t lastWhole = -1;
        for (int32_t i = 0; i < kLines; ++i) {
            const ComplexMatrix& s = m.point(i)->sParams;
            if (!isShort(i)) {
                lastWhole = i;
                ASSERT_EQ(s(0, 0), Complex(i, 1)) << i;
            } else {
                ASSERT_EQ(s(0, 0), Complex(5, 6)) << i;
            }
            ASSERT_EQ(s(1, 0), Complex(lastWhole, 3)) << i;
        }
    }

    const auto noShortLines = [](int32_t) { return false; };
    for (int32_t stop = kMiddle - 3; stop <= kMiddle + 3; ++stop) {
        RubberS2PData m;
        ASSERT_EQ(readTwoPort(m, text(noShortLines, stop)), LoadSuccess);
        EXPECT_EQ(m.itemCount, stop);
        EXPECT_EQ(m.freqFirst, 1.0);
        EXPECT_EQ(m.freqLast, stop);
        // A one-port's lines of a frequency and S11 each.
        std::string onePort = "# Hz S RI\n";
        for (int32_t i = 0; i < kLines; ++i)
            onePort += i == stop ? std::string("1 0 0\n") : cFormat("%07d %07d 1\n", i + 1, i);
        RubberS2PData reflection;
        ASSERT_EQ(readOnePort(reflection, onePort), LoadSuccess);
        EXPECT_EQ(reflection.itemCount, stop);
        EXPECT_EQ(reflection.freqLast, stop);
    }
}

namespace {

// Number t of line n of the large three-port texts below: the first number of every line
// increases with n, so that frequency groups read off their intended lines still follow each
// other; all are exact in binary.
double lineNumber(int32_t n, int t)
{
    return t == 0 ? n + 1.0 : 100.0 * n + t;
}

// Checks that the views 1-2, 2-3, 1-3 and the reduced view hold one point for each of groups
// frequency groups, group k of lines 3k to 3k + 2, whose number t of line n is held(n, t).
void expectGroups(
    RubberS2PData* const* views, int32_t groups, const std::function<double(int32_t, int)>& held)
{
    const int ports[3][2] = { { 0, 1 }, { 1, 2 }, { 0, 2 } };
    for (int v = 0; v < 3; ++v) {
        ASSERT_EQ(views[v]->itemCount, groups);
        for (int32_t k = 0; k < groups; ++k) {
            const S2PPoint* p = views[v]->point(k);
            ASSERT_EQ(p->freq, lineNumber(3 * k, 0)) << k;
            for (int e = 0; e < 4; ++e) {
                // Element (i, j) of the group: line 3k + i, its pair j after the frequency on the
                // first line, pair j from the start on the others.
                const int i = ports[v][e / 2];
                const int j = ports[v][e % 2];
                const int t = i == 0 ? 1 + 2 * j : 2 * j;
                ASSERT_EQ(p->sParams(e / 2, e % 2), Complex(held(3 * k + i, t), held(3 * k + i, t + 1)))
                    << k << " " << v << " " << e;
            }
        }
    }
    EXPECT_EQ(views[3]->itemCount, groups);
    EXPECT_EQ(views[3]->point(groups - 1)->freq, lineNumber(3 * (groups - 1), 0));
}

// Line n of the large three-port texts: seven numbers when sevenNumbers, else six.
std::string numberLine(int32_t n, bool sevenNumbers)
{
    std::string line;
    for (int t = 0; t < (sevenNumbers ? 7 : 6); ++t)
        line += cFormat(t == 0 ? "%.0f" : " %.0f", lineNumber(n, t));
    return line + "\n";
}

} // namespace

// A three-port data text long enough to be read in two halves at once gives the points of one
// scan from the start: frequency groups are three lines that hold numbers, wherever the halves
// meet, whatever lines without numbers lie between them, however many numbers the lines hold,
// and the first frequency that does not increase ends them all.
TEST(ThreePortLargeText, ReadsAcrossTheMiddleAsInOneScan)
{
    constexpr int32_t kGroups = 40000;
    constexpr int32_t kMiddleLine = 3 * kGroups / 2;
    struct Layout {
        const char* name;
        int32_t lines;
        // Lines that hold seven numbers, as the first line of a group does; the others hold six.
        std::function<bool(int32_t)> sevenNumbers;
        std::string between; // text put behind the lines near the middle
    };
    const auto everyThird = [](int32_t n) { return n % 3 == 0; };
    const Layout layouts[] = {
        { "groups of three lines", 3 * kGroups, everyThird, "" },
        { "comments and lines without numbers near the middle", 3 * kGroups, everyThird, "! note\nabc\n\n" },
        // From some line before the middle the lines of seven numbers fall one line later than
        // the groups, as after a line too many: what a line holds does not tell a group's start.
        { "lines of seven numbers off the groups", 3 * kGroups,
            [](int32_t n) { return n < kMiddleLine - 301 ? n % 3 == 0 : n % 3 == 1; }, "" },
        { "the text ending one line into a group", 3 * kGroups + 1, everyThird, "" },
    };
    for (const Layout& layout : layouts) {
        // Number t of line n as the file holds it; lines past the text and missing numbers read as 0.
        const auto held = [&](int32_t n, int t) {
            return n < layout.lines && t < (layout.sevenNumbers(n) ? 7 : 6) ? lineNumber(n, t) : 0.0;
        };
        std::string lines;
        std::vector<size_t> groupStarts;
        for (int32_t n = 0; n < layout.lines; ++n) {
            if (n % 3 == 0)
                groupStarts.push_back(lines.size());
            lines += numberLine(n, layout.sevenNumbers(n));
            if (n > kMiddleLine - 200 && n < kMiddleLine + 200)
                lines += layout.between;
        }
        for (const int pad : { 0, 120, 240 }) {
            for (const int32_t stop : { -1, kGroups / 2 - 2, kGroups / 2 + 2 }) {
                SCOPED_TRACE(std::string(layout.name) + ", pad " + std::to_string(pad) + ", stop "
                    + std::to_string(stop));
                std::string data = lines;
                // A group whose frequency is that of the first: the scan ends before it.
                if (stop >= 0) {
                    const size_t at = groupStarts[static_cast<size_t>(stop)];
                    data.replace(at, data.find(' ', at) - at, "1");
                }
                // Leading zeros on the first frequency move the middle of the text by pad / 2.
                const std::string text
                    = "# Hz S RI R 50\n" + std::string(static_cast<size_t>(pad), '0') + data;
                ThreePort file;
                ASSERT_EQ(file.read(text), LoadSuccess);
                RubberS2PData* const views[4] = { &file.v12, &file.v23, &file.v13, &file.reduced };
                expectGroups(views, stop >= 0 ? stop : (layout.lines + 2) / 3, held);
            }
        }
    }
}

// A three-port file large enough that each of the two threads gives back the text behind its
// scan: every group still reads as written.
TEST(ThreePortLargeText, FileGivesItsTextBackBehindTheScan)
{
    constexpr int32_t kGroups = 120000;
    std::string text = "# Hz S RI R 50\n";
    for (int32_t n = 0; n < 3 * kGroups; ++n)
        text += numberLine(n, n % 3 == 0);
    ASSERT_GT(text.size(), size_t { 17 } << 20);
    const TempDir dir;
    RubberS2P list;
    ASSERT_EQ(loadFile(list, dir.write("large.s3p", text)), LoadSuccess);
    ASSERT_EQ(list.itemCount, 4);
    RubberS2PData* const views[4]
        = { list.measurement(0), list.measurement(1), list.measurement(2), list.measurement(3) };
    expectGroups(
        views, kGroups, [](int32_t n, int t) { return t < (n % 3 == 0 ? 7 : 6) ? lineNumber(n, t) : 0.0; });
}
