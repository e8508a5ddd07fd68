#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "readertesting.h"
#include "touchstonereader.h"

namespace {

// The measurements of one file read as the loader reads it.
struct TouchstoneFile {
    std::vector<std::unique_ptr<RubberS2PData>> views;
    std::string label;
    int ports = 0;

    // ports: the count the extension names, -1 for none.
    LoadResult read(const std::string& text, int extensionPorts)
    {
        FileImage image(text);
        TouchstoneText prepared;
        const LoadResult ready = prepareTouchstone(image.data(), image.length(), extensionPorts, prepared);
        if (ready != LoadSuccess)
            return ready;
        ports = prepared.ports;
        std::vector<RubberS2PData*> raw;
        for (int v = 0; v < touchstoneViewCount(ports); ++v) {
            views.push_back(std::make_unique<RubberS2PData>());
            raw.push_back(views.back().get());
        }
        return readTouchstone(prepared, raw.data(), label);
    }
    RubberS2PData& view(size_t v) { return *views.at(v); }
};

std::string number(double x)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", x);
    return text;
}

// S_ij of a made-up network at frequency index k, real and imaginary part.
Complex element(int i, int j, int k)
{
    return Complex(0.01 * (i + 1) + 0.001 * (j + 1) + 0.0001 * k, 0.02 * (j + 1) - 0.003 * (i + 1));
}

// A symmetric version of element, for the triangle formats.
Complex symmetricElement(int i, int j, int k)
{
    return i <= j ? element(i, j, k) : element(j, i, k);
}

std::string pair(const Complex& z)
{
    return " " + number(z.real()) + " " + number(z.imag());
}

void expectSamePoints(RubberS2PData& a, RubberS2PData& b)
{
    ASSERT_EQ(a.itemCount, b.itemCount);
    EXPECT_EQ(a.dataValid, b.dataValid);
    for (int32_t k = 0; k < a.itemCount; ++k) {
        const S2PPoint* p = a.point(k);
        const S2PPoint* q = b.point(k);
        EXPECT_EQ(p->freq, q->freq);
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j)
                EXPECT_EQ(p->sParams(i, j), q->sParams(i, j)) << "point " << k << " element " << i << j;
    }
}

void expectNear(const Complex& actual, const Complex& expected, const char* what)
{
    EXPECT_NEAR(actual.real(), expected.real(), 1e-12) << what;
    EXPECT_NEAR(actual.imag(), expected.imag(), 1e-12) << what;
}

// A series resistance z between two ports of references r1 and r2, as S-parameters.
void seriesResistor(double z, double r1, double r2, Complex s[2][2])
{
    const double d = z + r1 + r2;
    s[0][0] = (z + r2 - r1) / d;
    s[1][1] = (z + r1 - r2) / d;
    s[0][1] = s[1][0] = 2.0 * std::sqrt(r1 * r2) / d;
}

const char* const kTwoPort1 = "# MHz S RI R 75\n"
                              "100 0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8\n"
                              "200 0.11 0.21 0.31 0.41 0.51 0.61 0.71 0.81\n"
                              "! noise\n50 1 0.5 10 0.3\n";

} // namespace

TEST(Touchstone2, GivesTheMeasurementsOfTheVersion1File)
{
    struct Row {
        const char* name;
        int ports;
        std::string version1;
        std::string version2;
    };
    const Row rows[] = {
        { "one-port", 1, "# GHz S DB R 60\n1 -3 45\n2 -4 50\n",
            "[Version] 2.0\n# GHz S DB R 60\n[Number of Ports] 1\n[Number of Frequencies] 2\n"
            "[Network Data]\n1 -3 45\n2 -4 50\n[End]\n" },
        { "two-port 21_12", 2, kTwoPort1,
            "[Version] 2.0\n# MHz S RI R 75\n[Number of Ports] 2\n[Two-Port Data Order] 21_12\n"
            "[Number of Frequencies] 2\n[Number of Noise Frequencies] 1\n[Network Data]\n"
            "100 0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8\n200 0.11 0.21 0.31 0.41 0.51 0.61 0.71 0.81\n"
            "[Noise Data]\n50 1 0.5 10 0.3\n[End]\n" },
        { "two-port 12_21, references on their own line", 2, kTwoPort1,
            "[version] 2.1\n# MHz S RI\n[NUMBER OF PORTS] 2\n[two-port data order] 12_21\n[Reference]\n75 "
            "75\n"
            "[Network Data]\n100 0.1 0.2 0.5 0.6 0.3 0.4 0.7 0.8\n"
            "200 0.11 0.21 0.51 0.61 0.31 0.41 0.71 0.81\n" },
        { "three-port", 3,
            "# Hz MA R 75\n1 0.1 0 0.5 10 0.3 20\n0.5 10 0.2 0 0.1 30\n0.3 20 0.1 30 0.15 0\n"
            "2 0.1 5 0.5 15 0.3 25\n0.5 15 0.2 5 0.1 35\n0.3 25 0.1 35 0.15 5\n",
            "[Version] 2.0\n# Hz MA\n[Number of Ports] 3\n[Reference] 75 75\n75\n[Number of Frequencies] 2\n"
            "[Begin Information]\n1 2 3 # not an option line\n[End Information]\n[Network Data]\n"
            "1 0.1 0 0.5 10 0.3 20 0.5 10 0.2 0 0.1 30 0.3 20 0.1 30 0.15 0\n"
            "2 0.1 5 0.5 15 0.3 25\n0.5 15 0.2 5 0.1 35\n0.3 25 0.1 35 0.15 5\n[End]\n" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TouchstoneFile one;
        TouchstoneFile two;
        ASSERT_EQ(one.read(row.version1, row.ports), LoadSuccess);
        ASSERT_EQ(two.read(row.version2, row.ports), LoadSuccess);
        ASSERT_EQ(two.ports, row.ports);
        ASSERT_EQ(one.views.size(), two.views.size());
        for (size_t v = 0; v < one.views.size(); ++v)
            expectSamePoints(one.view(v), two.view(v));
        EXPECT_EQ(one.label, two.label);
        TouchstoneFile fromFile;
        ASSERT_EQ(fromFile.read(row.version2, -1), LoadSuccess) << "the port count from the keyword";
        expectSamePoints(one.view(0), fromFile.view(0));
    }
}

TEST(Touchstone2, DataOrdersGiveTheSameTransmission)
{
    const std::string head = "[Version] 2.0\n# Hz S RI\n[Number of Ports] 2\n[Two-Port Data Order] ";
    TouchstoneFile order21;
    TouchstoneFile order12;
    ASSERT_EQ(
        order21.read(head + "21_12\n[Network Data]\n1 0 0 0.9 0.1 0.2 0 0 0\n2 0 0 0.8 0.1 0.2 0 0 0\n", 2),
        LoadSuccess);
    ASSERT_EQ(
        order12.read(head + "12_21\n[Network Data]\n1 0 0 0.2 0 0.9 0.1 0 0\n2 0 0 0.2 0 0.8 0.1 0 0\n", 2),
        LoadSuccess);
    for (TouchstoneFile* f : { &order21, &order12 }) {
        EXPECT_EQ(f->view(0).point(0)->sParams(1, 0), Complex(0.9, 0.1));
        EXPECT_EQ(f->view(0).point(1)->sParams(1, 0), Complex(0.8, 0.1));
        EXPECT_EQ(f->view(0).point(1)->sParams(0, 1), Complex(0.2, 0.0));
    }
}

TEST(Touchstone2, TrianglesGiveTheFullMatrix)
{
    const int ports = 4;
    struct Row {
        const char* format;
        bool lower;
        bool upper;
    };
    const Row rows[] = { { "Full", true, true }, { "Lower", true, false }, { "Upper", false, true } };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.format);
        std::string text = "[Version] 2.0\n# Hz S RI\n[Number of Ports] 4\n[Matrix Format] "
            + std::string(row.format) + "\n[Network Data]\n";
        for (int k = 0; k < 3; ++k) {
            text += std::to_string(k + 1);
            for (int i = 0; i < ports; ++i) {
                for (int j = 0; j < ports; ++j)
                    if ((j <= i && row.lower) || (j >= i && row.upper))
                        text += pair(symmetricElement(i, j, k));
                text += "\n";
            }
        }
        TouchstoneFile file;
        ASSERT_EQ(file.read(text, 4), LoadSuccess);
        ASSERT_EQ(file.views.size(), 6u);
        int v = 0;
        for (int a = 0; a < ports; ++a) {
            for (int b = a + 1; b < ports; ++b, ++v) {
                const ComplexMatrix& s = file.view(static_cast<size_t>(v)).point(2)->sParams;
                EXPECT_EQ(s(0, 1), symmetricElement(a, b, 2)) << a << b;
                EXPECT_EQ(s(1, 0), symmetricElement(b, a, 2)) << a << b;
                EXPECT_EQ(s(1, 1), symmetricElement(b, b, 2)) << a << b;
            }
        }
    }
}

TEST(Touchstone2, EachPortConvertsFromItsOwnReference)
{
    // Series resistors of 30 ohm between ports 1-2 and of 80 ohm between ports 3-4, written at
    // 50, 75, 60 and 40 ohm, must read as the same resistors at 50 ohm.
    const double r[4] = { 50, 75, 60, 40 };
    Complex a[2][2];
    Complex b[2][2];
    seriesResistor(30.0, r[0], r[1], a);
    seriesResistor(80.0, r[2], r[3], b);
    std::string rows4;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            const bool first = i < 2 && j < 2;
            const bool second = i >= 2 && j >= 2;
            rows4 += pair(first ? a[i][j] : second ? b[i - 2][j - 2] : Complex(0.0, 0.0));
        }
        rows4 += "\n";
    }
    const std::string two = pair(a[0][0]) + pair(a[1][0]) + pair(a[0][1]) + pair(a[1][1]) + "\n";

    Complex at50a[2][2];
    Complex at50b[2][2];
    seriesResistor(30.0, 50.0, 50.0, at50a);
    seriesResistor(80.0, 50.0, 50.0, at50b);

    TouchstoneFile twoPort;
    ASSERT_EQ(twoPort.read("[Version] 2.0\n# Hz S RI\n[Number of Ports] 2\n[Two-Port Data Order] 21_12\n"
                           "[Reference] 50.05 75\n[Network Data]\n1"
                      + two + "2" + two,
                  2),
        LoadSuccess);
    const ComplexMatrix& s2 = twoPort.view(0).point(1)->sParams;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            expectNear(s2(i, j), at50a[i][j], "two-port");

    TouchstoneFile fourPort;
    ASSERT_EQ(fourPort.read("[Version] 2.0\n# Hz S RI\n[Number of Ports] 4\n[Reference] 50 75 60 40\n"
                            "[Network Data]\n1"
                      + rows4 + "2" + rows4,
                  4),
        LoadSuccess);
    const ComplexMatrix& v12 = fourPort.view(0).point(1)->sParams;
    const ComplexMatrix& v13 = fourPort.view(1).point(1)->sParams;
    const ComplexMatrix& v34 = fourPort.view(5).point(1)->sParams;
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j) {
            expectNear(v12(i, j), at50a[i][j], "view 1-2");
            expectNear(v34(i, j), at50b[i][j], "view 3-4");
        }
    }
    expectNear(v13(0, 0), at50a[0][0], "view 1-3, S11");
    expectNear(v13(1, 1), at50b[0][0], "view 1-3, S33");
    expectNear(v13(1, 0), 0.0, "view 1-3, S31");
}

TEST(Touchstone2, ThreePortViewsConvertFromTheirTwoPorts)
{
    // A matched three-port written at 50, 75 and 100 ohm: each view reflects at 50 ohm what
    // its two ports' references give, and the ports at 50 ohm do not reflect.
    const std::string zero = "0 0 0 0 0 0\n";
    TouchstoneFile file;
    ASSERT_EQ(
        file.read("[Version] 2.0\n# Hz RI\n[Number of Ports] 3\n[Reference] 50 75 100\n[Network Data]\n1 "
                + zero + zero + zero + "2 " + zero + zero + zero,
            3),
        LoadSuccess);
    const double g75 = (75.0 - 50.0) / (75.0 + 50.0);
    const double g100 = (100.0 - 50.0) / (100.0 + 50.0);
    const ComplexMatrix& v12 = file.view(0).point(0)->sParams;
    const ComplexMatrix& v23 = file.view(1).point(0)->sParams;
    const ComplexMatrix& v13 = file.view(2).point(0)->sParams;
    expectNear(v12(0, 0), 0.0, "S11 of view 1-2");
    expectNear(v12(1, 1), g75, "S22 of view 1-2");
    expectNear(v23(0, 0), g75, "S22 of view 2-3");
    expectNear(v23(1, 1), g100, "S33 of view 2-3");
    expectNear(v13(1, 1), g100, "S33 of view 1-3");
}

TEST(TouchstoneNPort, ViewsHoldThePortPairsOfWrappedRows)
{
    // Version 1 files of four and five ports, each row of the matrix wrapped after two pairs.
    for (int ports : { 4, 5 }) {
        SCOPED_TRACE(ports);
        std::string text = "# Hz S RI R 50\n";
        for (int k = 0; k < 3; ++k) {
            text += std::to_string(10 * (k + 1));
            for (int i = 0; i < ports; ++i) {
                for (int j = 0; j < ports; ++j)
                    text += pair(element(i, j, k)) + (j % 2 == 1 ? "\n" : "");
                text += "\n";
            }
        }
        TouchstoneFile file;
        ASSERT_EQ(file.read(text, ports), LoadSuccess);
        ASSERT_EQ(file.views.size(), static_cast<size_t>(ports * (ports - 1) / 2));
        size_t v = 0;
        for (int a = 0; a < ports; ++a) {
            for (int b = a + 1; b < ports; ++b, ++v) {
                RubberS2PData& m = file.view(v);
                ASSERT_EQ(m.itemCount, 3);
                EXPECT_EQ(m.dataValid, 1);
                EXPECT_EQ(m.freqLast, 30.0);
                for (int k = 0; k < 3; ++k) {
                    const ComplexMatrix& s = m.point(k)->sParams;
                    EXPECT_EQ(s(0, 0), element(a, a, k));
                    EXPECT_EQ(s(0, 1), element(a, b, k));
                    EXPECT_EQ(s(1, 0), element(b, a, k));
                    EXPECT_EQ(s(1, 1), element(b, b, k));
                }
            }
        }
    }
}

TEST(TouchstoneNPort, RejectedFilesDoNotLoad)
{
    const std::string v2 = "[Version] 2.0\n# Hz S RI\n";
    const std::string data = "[Network Data]\n1 0 0 0 0 0 0 0 0\n2 0 0 0 0 0 0 0 0\n";
    struct Row {
        const char* name;
        std::string text;
        int extensionPorts;
        LoadResult result;
    };
    const Row rows[] = {
        { "zero ports", v2 + "[Number of Ports] 0\n" + data, -1, LoadBadKeywords },
        { "999 ports", v2 + "[Number of Ports] 999\n" + data, -1, LoadTooManyPorts },
        { "33 ports", v2 + "[Number of Ports] 33\n" + data, 33, LoadTooManyPorts },
        { "huge port count", v2 + "[Number of Ports] 99999999999999999999\n" + data, -1, LoadBadKeywords },
        { "ports not a whole number", v2 + "[Number of Ports] 2.5\n" + data, -1, LoadBadKeywords },
        { "ports disagree with the extension", v2 + "[Number of Ports] 3\n" + data, 2, LoadBadKeywords },
        { "no port count", v2 + data, 2, LoadBadKeywords },
        { "unknown data order", v2 + "[Number of Ports] 2\n[Two-Port Data Order] 22_11\n" + data, 2,
            LoadBadKeywords },
        { "unknown matrix format", v2 + "[Number of Ports] 2\n[Matrix Format] Diagonal\n" + data, 2,
            LoadBadKeywords },
        { "references short of the ports", v2 + "[Number of Ports] 2\n[Reference] 50\n" + data, 2,
            LoadBadKeywords },
        { "negative reference", v2 + "[Number of Ports] 2\n[Reference] 50 -75\n" + data, 2, LoadBadKeywords },
        { "version 3", "[Version] 3.0\n# Hz S RI\n[Number of Ports] 2\n" + data, 2, LoadBadKeywords },
        { "no network data keyword", v2 + "[Number of Ports] 2\n1 0 0 0 0 0 0 0 0\n2 0 0 0 0 0 0 0 0\n", 2,
            LoadBadKeywords },
        { "no option line", "[Version] 2.0\n[Number of Ports] 2\n" + data, 2, LoadNoData },
        { "mixed-mode", v2 + "[Number of Ports] 2\n[Mixed-Mode Order] D2,1 C2,1\n" + data, 2,
            LoadNotSParameters },
        { "Z parameters", "[Version] 2.0\n# Hz Z RI\n[Number of Ports] 2\n" + data, 2, LoadNotSParameters },
        { "one point", v2 + "[Number of Ports] 2\n[Network Data]\n1 0 0 0 0 0 0 0 0\n", 2, LoadSinglePoint },
        { "version 1 under .ts", "# Hz S RI\n1 0 0 0 0 0 0 0 0\n2 0 0 0 0 0 0 0 0\n", -1, LoadNoData },
        { "version 1 with 33 ports", "# Hz S RI\n1 0 0\n2 0 0\n", 33, LoadTooManyPorts },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TouchstoneFile file;
        EXPECT_EQ(file.read(row.text, row.extensionPorts), row.result);
        for (auto& view : file.views)
            EXPECT_EQ(view->itemCount, 0);
    }
}

TEST(Touchstone2, BlockMustHoldTheStatedNumberOfFrequencies)
{
    // Rule: with [Number of Frequencies] the network data hold exactly that many points, with
    // frequencies that increase and no numbers after them; without it the scan stops as in
    // version 1 files.
    const std::string head = "[Version] 2.0\n# Hz S RI\n[Number of Ports] 1\n";
    const std::string three = "[Network Data]\n1 0.1 0\n2 0.2 0\n3 0.3 0\n";
    struct Row {
        const char* name;
        std::string text;
        LoadResult result;
        int points;
    };
    const Row rows[] = {
        { "as stated", head + "[Number of Frequencies] 3\n" + three + "[End]\n", LoadSuccess, 3 },
        { "shorter", head + "[Number of Frequencies] 4\n" + three, LoadFrequencyCountDiffers, 0 },
        { "longer", head + "[Number of Frequencies] 2\n" + three, LoadFrequencyCountDiffers, 0 },
        { "frequency falls inside", head + "[Number of Frequencies] 3\n[Network Data]\n1 0 0\n3 0 0\n2 0 0\n",
            LoadFrequencyCountDiffers, 0 },
        { "half a point at the end", head + "[Number of Frequencies] 3\n" + three + "4 0.4\n",
            LoadFrequencyCountDiffers, 0 },
        { "zero stated", head + "[Number of Frequencies] 0\n" + three, LoadBadKeywords, 0 },
        { "not stated, frequency falls", head + "[Network Data]\n1 0 0\n3 0 0\n2 0 0\n", LoadSuccess, 2 },
        { "noise block after the end",
            head + "[Number of Frequencies] 3\n" + three + "[Noise Data]\n1 2 3 4 5\n", LoadSuccess, 3 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TouchstoneFile file;
        EXPECT_EQ(file.read(row.text, 1), row.result);
        const int32_t points = file.views.empty() ? 0 : file.view(0).itemCount;
        EXPECT_EQ(points, row.points);
    }
}

TEST(TouchstoneReader, FrequencyThatIsNotFiniteEndsTheScan)
{
    // 1e300 GHz is infinite in hertz; the points before it stay.
    struct Row {
        const char* name;
        std::string text;
        int ports;
    };
    const Row rows[] = {
        { "one-port", "# GHz S RI\n1 0 0\n2 0 0\n1e300 0 0\n", 1 },
        { "two-port", "# GHz S RI\n1 0 0 0 0 0 0 0 0\n2 0 0 0 0 0 0 0 0\ninf 0 0 0 0 0 0 0 0\n", 2 },
        { "three-port",
            "# GHz RI\n1 0 0 0 0 0 0\n0 0 0 0 0 0\n0 0 0 0 0 0\n2 0 0 0 0 0 0\n0 0 0 0 0 0\n0 0 0 0 0 0\n"
            "1e300 0 0 0 0 0 0\n0 0 0 0 0 0\n0 0 0 0 0 0\n",
            3 },
        { "version 2",
            "[Version] 2.0\n# GHz RI\n[Number of Ports] 1\n[Network Data]\n1 0 0\n2 0 0\n1e300 0 0\n", 1 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TouchstoneFile file;
        ASSERT_EQ(file.read(row.text, row.ports), LoadSuccess);
        EXPECT_EQ(file.view(0).itemCount, 2);
        EXPECT_EQ(file.view(0).point(1)->freq, 2e9);
    }
    TouchstoneFile first;
    EXPECT_EQ(first.read("# GHz S RI\n-nan 0 0\n1 0 0\n2 0 0\n", 1), LoadNoDataLine);
}

namespace {

// Raw pair of element (i, j) of record k in the large texts below: exact in binary, so that a
// read must give it back bit for bit.
Complex recordElement(int i, int j, int32_t k)
{
    return Complex(k, 10 * i + j);
}

// Record k of a large text: frequency k + 1 Hz, the first written with pad leading zeros so
// that the middle of the text falls on another line of a record, then the full matrix row by
// row, lines[0] numbers on the first line, lines[1] on the next and so on.
std::string record(int ports, int32_t k, int pad, const std::vector<int>& lines)
{
    std::vector<int> numbers = { k + 1 };
    for (int i = 0; i < ports; ++i) {
        for (int j = 0; j < ports; ++j) {
            const Complex z = recordElement(i, j, k);
            numbers.push_back(static_cast<int>(z.real()));
            numbers.push_back(static_cast<int>(z.imag()));
        }
    }
    std::string t(k == 0 ? static_cast<size_t>(pad) : 0, '0');
    size_t line = 0;
    int onLine = 0;
    for (const int n : numbers) {
        if (onLine == lines[line]) {
            t += "\n";
            line = std::min(line + 1, lines.size() - 1);
            onLine = 0;
        }
        t += (onLine == 0 ? "" : " ") + std::to_string(n);
        ++onLine;
    }
    return t + "\n";
}

} // namespace

// A data text long enough to be read in two halves at once gives the points of one scan from
// the start, wherever in a record the halves meet, and the first frequency that does not
// increase ends it there.
TEST(TouchstoneLargeText, ReadsAcrossTheMiddleAsInOneScan)
{
    struct Layout {
        const char* name;
        int ports;
        int extensionPorts;
        std::string head;
        int32_t records;
        std::vector<int> lines;
        std::string between = ""; // text put behind every record
    };
    const std::string version2 = "[Version] 2.0\n# Hz S RI R 50\n[Number of Ports] 2\n"
                                 "[Two-Port Data Order] 12_21\n[Network Data]\n";
    const Layout layouts[] = {
        { "version 2, a record a line", 2, 2, version2, 120000, { 9 } },
        { "version 2, the frequency on a line of its own", 2, 2, version2, 110000, { 1, 8 } },
        // A line of a frequency and half a pair, then one of an odd count inside the record: the
        // second half cannot tell where a record starts and leaves its half to the first.
        { "version 2, pairs broken over lines", 2, 2, version2, 110000, { 2, 7 } },
        { "four ports, a matrix row a line", 4, 4, "# Hz S RI R 50\n", 50000, { 9, 8 } },
        { "four ports, comments and lines without numbers between the records", 4, 4, "# Hz S RI R 50\n",
            30000, { 9, 8 }, "! note\n\n[x]\n" },
    };
    for (const Layout& layout : layouts) {
        for (const int pad : { 0, 100, 200, 300 }) {
            for (const int32_t stop : { -1, layout.records / 2 - 1, layout.records / 2 + 3 }) {
                SCOPED_TRACE(std::string(layout.name) + ", pad " + std::to_string(pad) + ", stop "
                    + std::to_string(stop));
                std::string text = layout.head;
                for (int32_t k = 0; k < layout.records; ++k)
                    text += record(layout.ports, k, pad, layout.lines) + layout.between;
                if (stop >= 0) {
                    // The frequency of record stop repeats that of the record before it.
                    const std::string again = "\n" + record(layout.ports, stop, 0, layout.lines);
                    text.replace(text.find(again) + 1, std::to_string(stop + 1).size(), std::to_string(stop));
                }
                TouchstoneFile file;
                ASSERT_EQ(file.read(text, layout.extensionPorts), LoadSuccess);
                int v = 0;
                for (int a = 0; a < layout.ports; ++a) {
                    for (int b = a + 1; b < layout.ports; ++b, ++v) {
                        RubberS2PData& m = file.view(static_cast<size_t>(v));
                        ASSERT_EQ(m.itemCount, stop >= 0 ? stop : layout.records);
                        for (int32_t k = 0; k < m.itemCount; ++k) {
                            const S2PPoint* p = m.point(k);
                            ASSERT_EQ(p->freq, k + 1.0) << k;
                            ASSERT_EQ(p->sParams(0, 0), recordElement(a, a, k)) << k;
                            ASSERT_EQ(p->sParams(0, 1), recordElement(a, b, k)) << k;
                            ASSERT_EQ(p->sParams(1, 0), recordElement(b, a, k)) << k;
                            ASSERT_EQ(p->sParams(1, 1), recordElement(b, b, k)) << k;
                        }
                    }
                }
            }
        }
    }
}
