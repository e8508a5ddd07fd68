#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <unistd.h>
#include <vector>

#include "clirunner.h"
#include "filetext.h"
#include "tempdir.h"

namespace {

std::string repeated(const std::string& piece, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

const std::string tooMany = ": more measurements than the window can hold (2045)\n";

// One input file: what info must print (its line count) and the error text after the path.
struct InputCase {
    const char* what;
    std::string name;
    std::string text;
    size_t infoLines;
    std::string error; // after "PATH", empty when the file loads
};

TEST(CliInputs, FilesOfMoreMeasurementsThanTheWindowHoldsDoNotLoad)
{
    // A CSV table of n data columns and one data row.
    const auto csv
        = [](int n) { return "T\nFreq, MHz" + repeated(";S", n) + "\n1" + repeated(";-1", n) + "\n"; };
    const std::vector<InputCase> cases = {
        { "a column file of 2045 data columns", "a.dtu", repeated("1 ", 2046) + "\n", 2045, "" },
        { "a column file of 2046 data columns", "a.dtu", repeated("1 ", 2047) + "\n", 0, tooMany },
        { "a line of 4 MB", "a.dtu", repeated("1 ", 2000000) + "\n", 0, tooMany },
        { "a CSV table of 2045 columns", "a.csv", csv(2045), 2045, "" },
        { "a CSV table of 2046 columns", "a.csv", csv(2046), 0, tooMany },
        { "two CSV tables of 1023 columns each", "a.csv", csv(1023) + "\n" + csv(1023), 0, tooMany },
    };
    for (const InputCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string path = dir.file(c.name);
        writeAll(path, c.text);
        // A good file beside the bad one comes out all the same.
        const CliRun run
            = runCli("info " + shellQuoted(path) + " " + shellQuoted(samplePath("attenuator-10db.s2p")));
        EXPECT_EQ(run.status, c.error.empty() ? 0 : 1);
        EXPECT_EQ(run.err, c.error.empty() ? "" : path + c.error);
        EXPECT_EQ(linesOf(run.out).size(), c.infoLines + 1);
    }
}

TEST(CliInputs, FrequenciesThatAreNotFiniteEndTheScan)
{
    // 1e300 GHz is 1e309 Hz, beyond the largest double.
    const std::vector<InputCase> cases = {
        { "a column file", "a.dtu", "1e9 -1\n2e9 -2\n1e400 -3\n4e9 -4\n", 1, "" },
        { "a CSV file in GHz", "a.csv", "T\nFreq, GHz;S21\n1;-1\n2;-2\n1e300;-3\n", 0,
            ": no usable measurement in the file\n" },
    };
    for (const InputCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string path = dir.file(c.name);
        writeAll(path, c.text);
        const CliRun run = runCli("info " + shellQuoted(path));
        EXPECT_EQ(run.err, c.error.empty() ? "" : path + c.error);
        const std::vector<std::string> out = linesOf(run.out);
        ASSERT_EQ(out.size(), c.infoLines);
        if (!out.empty()) { // two points from 1 to 2 GHz
            EXPECT_EQ(out[0], "0\ta-01\t2\t1000000000\t2000000000\t1000000000");
        }
    }
}

TEST(CliInputs, AverageLeavesOutPointsThatAreNotNumbers)
{
    TempDir dir;
    const std::string input = dir.file("a.dtu");
    // An infinite level makes the second point's dB infinite and its angle not a number.
    writeAll(input, "1e9 -20\n2e9 1e400\n3e9 -40\n");
    const std::string out = dir.file("mean.s2p");
    const CliRun run = runCli("average -o " + shellQuoted(out) + " " + shellQuoted(input));
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string text = readAll(out);
    EXPECT_EQ(text.find("nan"), std::string::npos);
    EXPECT_EQ(text.find("inf"), std::string::npos);
    const CliRun info = runCli("info " + shellQuoted(out));
    EXPECT_EQ(info.out, "0\tmean\t2\t1000000000\t3000000000\t2000000000\n");

    writeAll(input, "1e9 1e400\n2e9 1e400\n");
    const CliRun none = runCli("average -o " + shellQuoted(out) + " " + shellQuoted(input));
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, out + ": no usable S-parameter data\n");
    EXPECT_EQ(readAll(out), text);
}

TEST(CliInputs, CsvWhoseFirstTableIsEmptyGivesTheLaterTable)
{
    TempDir dir;
    const std::string path = dir.file("a.csv");
    writeAll(path, "T1\nFreq, MHz;A\n\nT2\nFreq, MHz;B\n1;-1\n2;-2\n");
    const CliRun run = runCli("info " + shellQuoted(path));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "0\tB T2\t2\t1000000\t2000000\t1000000\n");
}

TEST(CliInputs, ControlCharactersOfNamesAreEscapedInListings)
{
    TempDir dir;
    const std::string name = "a\nb\tc\x1b\\d";
    const std::string path = dir.file(name + ".dtu");
    writeAll(path, "1e9 -1\n2e9 -2\n");
    const std::string shown = "a\\nb\\tc\\x1b\\\\d-01";
    const CliRun info = runCli("info " + shellQuoted(path));
    EXPECT_EQ(info.out, "0\t" + shown + "\t2\t1000000000\t2000000000\t1000000000\n");
    const CliRun dump = runCli("dump " + shellQuoted(path));
    const std::vector<std::string> dumped = linesOf(dump.out);
    ASSERT_EQ(dumped.size(), 3u);
    const std::string folder = dir.path.string();
    EXPECT_EQ(dumped[0], "measurement\t0\t" + shown + "\t" + folder + "/a\\nb\\tc\\x1b\\\\d.dtu\t2");
    const CliRun help = runCli("--help");
    EXPECT_NE(help.out.find("\\n, \\t, \\\\ and \\xNN"), std::string::npos);
}

TEST(CliInputs, PathsOnStandardErrorAreEscapedAsInListings)
{
    TempDir dir;
    const std::string input = dir.file("in\nput.s2p");
    const std::string output = dir.file("no\tfolder/out.s2p");
    const CliRun run = runCli("average -o " + shellQuoted(output) + " " + shellQuoted(input) + " "
        + shellQuoted(samplePath("attenuator-10db.s2p")));
    EXPECT_EQ(run.status, 1);
    const std::string folder = dir.path.string();
    EXPECT_EQ(linesOf(run.err),
        (std::vector<std::string> { folder + "/in\\nput.s2p: no such file",
            folder + "/no\\tfolder/out.s2p: not writable: no such folder" }));
}

// Under a limit of 200 MiB of address space, a file of 1 GiB (that takes no disk) fails for
// want of memory, and the other file is listed all the same.
TEST(CliInputs, AFileThatRunsOutOfMemoryUnderAnAddressLimitFailsAlone)
{
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit leaves";
#endif
    TempDir dir;
    const std::string huge = dir.file("huge.s2p");
    writeAll(huge, "");
    ASSERT_EQ(::truncate(huge.c_str(), off_t { 1 } << 30), 0);
    // The shell that starts the tool lowers its address space limit first.
    const CliRun run
        = runCli("info " + shellQuoted(samplePath("attenuator-10db.s2p")) + " " + shellQuoted(huge),
            "ulimit -v 204800;");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, huge + ": not enough memory\n");
    EXPECT_EQ(linesOf(run.out).size(), 1u);
}

} // namespace
