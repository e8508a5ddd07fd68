#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "averagedwriter.h"
#include "decimalcommalocale.h"
#include "filesizelimit.h"
#include "filetext.h"
#include "measurementbuilder.h"
#include "tempdir.h"

namespace {

const char kHeader[] = "! Sprelin average calculated S2P\r\n"
                       "# GHz    S       DB      R    50\r\n"
                       "!FREQ         S11M         S11A         S21M         S21A         S12M         S12A"
                       "         S22M         S22A\r\n";

struct Point {
    double freq;
    SParams s;
};

void fill(RubberS2PData& m, const std::vector<Point>& points)
{
    for (const Point& p : points)
        fillMeasurement(m, { p.freq }, [&p](double) { return p.s; });
}

std::vector<Point> manyPoints(int n)
{
    std::vector<Point> points;
    for (int i = 0; i < n; ++i) {
        const double f = 1e8 + 3.7e7 * i;
        points.push_back({ f,
            { std::polar(0.9, 0.01 * i), std::polar(0.5 + 0.001 * i, -0.3 * i), std::polar(0.01, -2.0),
                Complex(-0.2, 0.1 * std::sin(i)) } });
    }
    return points;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        out.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return out;
}

// The file's dB and degrees back to a complex number.
Complex fromDbAngle(double db, double degrees)
{
    const double pi = std::acos(-1.0);
    return std::polar(std::pow(10.0, db / 20.0), degrees * pi / 180.0);
}

TEST(AveragedWriter, WritesTheHeaderAndOneExactLinePerPoint)
{
    TempDir dir;
    const std::string path = dir.file("mean.s2p");
    RubberS2PData m;
    fill(m,
        { { 1.5e9, { Complex(0.5, 0), Complex(-1, 0), Complex(0, 0.1), Complex(0, 0) } },
            { 2.25e9, { Complex(0, -0.5), Complex(0, 0), Complex(1e-4, 0), Complex(-0.5, -0.5) } } });
    ASSERT_EQ(writeAveragedS2P(m, path), LoadSuccess);
    EXPECT_EQ(m.sourcePath, path);

    // 20 log10 0.5 = -6.0205999...; S12 = 0.1i is -20 dB at 90 degrees; S21 = -1 is 0 dB at 180.
    // Second point: -0.5i is -6.0206 dB at -90; 1e-4 is -80 dB; -0.5 - 0.5i is 20 log10(0.5 sqrt 2)
    // = -3.0103 dB at -135 degrees; S21 = 0 is written as 0 dB at angle 0.
    const std::string expected = std::string(kHeader)
        + " 1.5          -6.0206      0            0            180          -20          90           0     "
          "  "
          "     0           \r\n"
          " 2.25         -6.0206      -90          0            0            -80          0            "
          "-3.0103 "
          "     -135        \r\n";
    EXPECT_EQ(readAll(path), expected);
}

TEST(AveragedWriter, NumbersReadBackWithinSixDigits)
{
    TempDir dir;
    const std::string path = dir.file("mean.s2p");
    RubberS2PData m;
    const std::vector<Point> points = manyPoints(40);
    fill(m, points);
    ASSERT_EQ(writeAveragedS2P(m, path), LoadSuccess);

    const std::vector<std::string> all = lines(readAll(path));
    ASSERT_EQ(all.size(), 3 + points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        const std::string& line = all[3 + i];
        ASSERT_EQ(line[0], ' ');
        double v[9];
        const char* at = line.c_str();
        for (double& x : v) {
            char* end = nullptr;
            x = std::strtod(at, &end);
            ASSERT_NE(end, at) << line;
            at = end;
        }
        EXPECT_EQ(*at, ' ') << "the last field is padded too";
        EXPECT_NEAR(v[0] * 1e9, points[i].freq, points[i].freq * 5e-6);
        const SParams& expected = points[i].s; // in the file's order
        for (int k = 0; k < 4; ++k) {
            const Complex back = fromDbAngle(v[1 + 2 * k], v[2 + 2 * k]);
            EXPECT_NEAR(std::abs(back - expected[k]), 0.0, std::abs(expected[k]) * 2e-5) << line;
        }
    }
}

TEST(AveragedWriter, PrintsADecimalPointUnderADecimalCommaLocale)
{
    const DecimalCommaLocale comma;
    if (!comma.active())
        GTEST_SKIP() << "no decimal-comma locale is installed";
    TempDir dir;
    const std::string path = dir.file("mean.s2p");
    RubberS2PData m;
    fill(m, { { 1.5e9, { Complex(0.5, 0), Complex(-1, 0), Complex(0, 0.1), Complex(0, 0) } } });
    ASSERT_EQ(writeAveragedS2P(m, path), LoadSuccess);
    const std::vector<std::string> all = lines(readAll(path));
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[3].substr(0, 26), " 1.5          -6.0206     ");
}

TEST(AveragedWriter, InvalidMeasurementCreatesNoFile)
{
    TempDir dir;
    RubberS2PData m;
    fill(m, manyPoints(3));
    m.dataValid = 0;
    EXPECT_EQ(writeAveragedS2P(m, dir.file("none.s2p")), LoadSuccess);
    EXPECT_TRUE(dir.entries().empty());
}

TEST(AveragedWriter, ReplacesAnExistingFileAndKeepsItsPermissions)
{
    TempDir dir;
    const std::string path = dir.file("mean.s2p");
    writeAll(path, std::string(5000, 'x'));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    RubberS2PData m;
    fill(m, manyPoints(2));
    ASSERT_EQ(writeAveragedS2P(m, path), LoadSuccess);
    EXPECT_EQ(lines(readAll(path)).size(), 5u);
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(dir.entries(), std::vector<std::string> { "mean.s2p" });
}

TEST(AveragedWriter, MissingDirectoryGivesCannotWrite)
{
    TempDir dir;
    RubberS2PData m;
    fill(m, manyPoints(2));
    m.sourcePath = "old";
    EXPECT_EQ(writeAveragedS2P(m, dir.file("missing/mean.s2p")), LoadCannotWrite);
    EXPECT_EQ(m.sourcePath, "");
    EXPECT_TRUE(dir.entries().empty());
}

TEST(AveragedWriter, DirectoryInTheWayGivesCannotWriteAndLeavesNoTemporaryFile)
{
    TempDir dir;
    const std::string path = dir.file("taken.s2p");
    ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
    RubberS2PData m;
    fill(m, manyPoints(2));
    EXPECT_EQ(writeAveragedS2P(m, path), LoadCannotWrite);
    EXPECT_EQ(dir.entries(), std::vector<std::string> { "taken.s2p" });
}

TEST(AveragedWriter, UnwritableDirectoryKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = dir.file("mean.s2p");
    writeAll(path, "old contents\r\n");
    ASSERT_EQ(::chmod(dir.path.c_str(), 0555), 0);
    if (::access(dir.path.c_str(), W_OK) == 0)
        GTEST_SKIP() << "running with rights that ignore directory permissions";
    RubberS2PData m;
    fill(m, manyPoints(2));
    EXPECT_EQ(writeAveragedS2P(m, path), LoadCannotWrite);
    EXPECT_EQ(readAll(path), "old contents\r\n");
    EXPECT_EQ(dir.entries(), std::vector<std::string> { "mean.s2p" });
}

// A write that fails half-way (here the file size limit of the process) leaves the old file
// whole and removes the partial text.
TEST(AveragedWriter, FailedWriteKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = dir.file("mean.s2p");
    writeAll(path, "old contents\r\n");
    RubberS2PData m;
    fill(m, manyPoints(100));

    LoadResult result = LoadSuccess;
    {
        const FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.active());
        result = writeAveragedS2P(m, path);
    }

    EXPECT_EQ(result, LoadCannotWrite);
    EXPECT_EQ(m.sourcePath, "");
    EXPECT_EQ(readAll(path), "old contents\r\n");
    EXPECT_EQ(dir.entries(), std::vector<std::string> { "mean.s2p" });
}

} // namespace
