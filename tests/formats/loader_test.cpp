#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "loader.h"
#include "reloadorder.h"
#include "tempdir.h"

namespace {

const char* const kTwoPort = "# MHz S RI\n100 0 0 0.5 0 0.5 0 0 0\n200 0 0 0.4 0 0.4 0 0 0\n";
const char* const kOnePort = "# MHz S DB\n100 -20 0\n200 -21 0\n";
const char* const kThreePort = "# Hz MA\n1 0 0 0.5 0 0.3 0\n0.5 0 0 0 0.1 0\n0.3 0 0.1 0 0 0\n"
                               "2 0 0 0.5 0 0.3 0\n0.5 0 0 0 0.1 0\n0.3 0 0.1 0 0 0\n";
const char* const kColumns = "1000 -3 -6\n2000 -4 -7\n";
const char* const kCsv = "Filter\r\nMHz;S21;S12\r\n100;-1;-20\r\n200;-2;-25\r\n";

std::vector<std::string> displayNames(RubberS2P& list)
{
    std::vector<std::string> names;
    for (int32_t i = 0; i < list.itemCount; ++i)
        names.push_back(list.measurement(i)->displayName);
    return names;
}

} // namespace

TEST(Loader, NamesTouchstoneMeasurements)
{
    const TempDir dir;
    const std::string s2p = dir.write("filter.S2P", kTwoPort);
    const std::string s1p = dir.write("antenna.s1p", kOnePort);
    const std::string s3p = dir.write("amp.s3p", kThreePort);

    RubberS2P list;
    EXPECT_EQ(loadFile(list, s2p), LoadSuccess);
    EXPECT_EQ(loadFile(list, s1p), LoadSuccess);
    EXPECT_EQ(loadFile(list, s3p), LoadSuccess);
    ASSERT_EQ(list.itemCount, 6);
    const std::vector<std::string> expected
        = { "filter", "antenna", "[1->2] amp", "[2->3] amp", "[1->3] amp", "[Conc. 2-3,3-2] amp" };
    EXPECT_EQ(displayNames(list), expected);
    EXPECT_EQ(list.measurement(0)->fullName, s2p);
    EXPECT_EQ(list.measurement(0)->sourcePath, s2p);
    EXPECT_EQ(list.measurement(1)->sourcePath, s1p);
    EXPECT_EQ(list.measurement(2)->fullName, "[1->2] " + s3p);
    EXPECT_EQ(list.measurement(5)->fullName, "[Conc. 2-3,3-2] " + s3p);
    EXPECT_EQ(list.measurement(2)->sourcePath, s3p);
    for (int32_t i = 3; i < 6; ++i)
        EXPECT_EQ(list.measurement(i)->sourcePath, "");
    EXPECT_EQ(list.measurement(0)->freqFirst, 1e8);
    EXPECT_EQ(list.measurement(0)->freqStep, 1e8);
    EXPECT_EQ(list.measurement(4)->freqLast, 2.0);
}

// A four-port: S_ij = 0.1 i + 0.01 j at every frequency, rows wrapped after two pairs.
std::string fourPortText()
{
    std::string text = "# Hz S RI\n";
    for (int f = 1; f <= 2; ++f) {
        text += std::to_string(f);
        for (int i = 1; i <= 4; ++i)
            for (int j = 1; j <= 4; ++j)
                text += " " + std::to_string(0.1 * i + 0.01 * j) + " 0" + (j == 2 ? "\n" : "");
        text += "\n";
    }
    return text;
}

TEST(Loader, NamesThePortPairViewsOfLargerFiles)
{
    const TempDir dir;
    const std::string s4p = dir.write("coupler.s4p", fourPortText());
    const std::string ts = dir.write("divider.ts",
        "[Version] 2.0\n# Hz MA\n[Number of Ports] 3\n[Network Data]\n"
        "1 0 0 0.5 0 0.3 0 0.5 0 0 0 0.1 0 0.3 0 0.1 0 0 0\n2 0 0 0.5 0 0.3 0 0.5 0 0 0 0.1 0 0.3 0 0.1 0 0 "
        "0\n");
    const std::string s2p = dir.write("v2.s2p",
        "[Version] 2.0\n# MHz S RI\n[Number of Ports] 2\n[Two-Port Data Order] 12_21\n[Network Data]\n"
        "100 0 0 0.25 0 0.5 0 0 0\n200 0 0 0.25 0 0.5 0 0 0\n");
    RubberS2P list;
    EXPECT_EQ(loadFile(list, s4p), LoadSuccess);
    EXPECT_EQ(loadFile(list, ts), LoadSuccess);
    EXPECT_EQ(loadFile(list, s2p), LoadSuccess);
    const std::vector<std::string> expected = { "[1->2] coupler", "[1->3] coupler", "[1->4] coupler",
        "[2->3] coupler", "[2->4] coupler", "[3->4] coupler", "[1->2] divider", "[2->3] divider",
        "[1->3] divider", "[Conc. 2-3,3-2] divider", "v2" };
    ASSERT_EQ(displayNames(list), expected);
    EXPECT_EQ(list.measurement(0)->sourcePath, s4p);
    EXPECT_EQ(list.measurement(5)->fullName, "[3->4] " + s4p);
    for (int32_t i = 1; i < 6; ++i)
        EXPECT_EQ(list.measurement(i)->sourcePath, "");
    EXPECT_EQ(list.measurement(6)->sourcePath, ts);
    // View 2-4 of the four-port holds S22, S24, S42, S44.
    const ComplexMatrix& v24 = list.measurement(4)->point(1)->sParams;
    EXPECT_NEAR(v24(0, 1).real(), 0.24, 1e-12);
    EXPECT_NEAR(v24(1, 0).real(), 0.42, 1e-12);
    EXPECT_NEAR(v24(1, 1).real(), 0.44, 1e-12);
    EXPECT_EQ(list.measurement(10)->point(0)->sParams(1, 0), Complex(0.5, 0.0));
    EXPECT_EQ(list.measurement(10)->freqLast, 2e8);
}

TEST(Loader, TouchstoneFilesThatDoNotLoadLeaveOnlyEmptyMeasurements)
{
    const TempDir dir;
    struct Row {
        const char* name;
        std::string text;
        LoadResult result;
        int32_t emptyMeasurements; // one when the header fails, the views when the data do
    };
    const Row rows[] = {
        { "big.s33p", "# Hz S RI\n1 0 0\n2 0 0\n", LoadTooManyPorts, 1 },
        { "mismatch.s4p", "[Version] 2.0\n# Hz\n[Number of Ports] 2\n[Network Data]\n1 0 0 0 0 0 0 0 0\n",
            LoadBadKeywords, 1 },
        { "plain.ts", kTwoPort, LoadNoData, 1 },
        { "short.s4p", "# Hz S RI\n1 0 0 0 0\n", LoadNoDataLine, 6 },
        { "one.s1p", "# Hz S RI\n1 0 0\n", LoadSinglePoint, 1 },
        { "empty.s3p", "", LoadEmptyFile, 0 }, // a file not taken as text makes no measurement
        { "binary.s1p", std::string("# Hz S RI\n1 0 0\n2 0 0\n\0\x89PNG", 26), LoadNotText, 0 },
        // Large enough to be read by two threads, with the binary byte in the second half.
        { "late-binary.s1p",
            std::string("# Hz S RI\n") + std::string(size_t { 24 } << 20, ' ') + std::string(1, '\0'),
            LoadNotText, 0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RubberS2P list;
        EXPECT_EQ(loadFile(list, dir.write(row.name, row.text)), row.result);
        EXPECT_EQ(list.itemCount, row.emptyMeasurements);
        removeEmptyMeasurements(list);
        EXPECT_EQ(list.itemCount, 0);
    }
}

TEST(Loader, ReaderTableDecidesTheExtensions)
{
    struct Row {
        const char* path;
        bool read;
    };
    const Row rows[] = { { "a.s1p", true }, { "a.S2P", true }, { "a.s3p", true }, { "a.s4p", true },
        { "a.S16p", true }, { "a.s99p", true }, { "a.sp", false }, { "a.TS", true }, { "a.dtu", true },
        { "a.nrm", true }, { "a.csv", true }, { "a.s2p.bak", false }, { "a.txt", false }, { "a", false } };
    for (const Row& row : rows)
        EXPECT_EQ(hasReader(row.path), row.read) << row.path;

    // Every row of the table reads its own extension ('#' stands for a port count).
    for (const ReaderExtension& row : readerExtensions()) {
        std::string sample = std::string("file") + row.extension;
        if (sample.find('#') != std::string::npos)
            sample.replace(sample.find('#'), 1, "7");
        EXPECT_TRUE(hasReader(sample)) << sample;
    }
    EXPECT_EQ(readerExtensionList(), ".s1p, .s2p, .s3p, .sNp, .ts, .dtu, .nrm, .csv");
}

TEST(Loader, FailuresLeaveNothingOrEmptyMeasurements)
{
    const TempDir dir;
    const std::string noData = dir.write("broken.s2p", "no option line\n");
    const std::string yParams = dir.write("y.s1p", "# Hz Y RI\n1 0 0\n2 0 0\n");
    const std::string text = dir.write("notes.txt", kTwoPort);

    RubberS2P list;
    EXPECT_EQ(loadFile(list, dir.file("missing.s2p")), LoadCannotOpen);
    EXPECT_EQ(loadFile(list, dir.file("missing.s1p")), LoadCannotOpen);
    EXPECT_EQ(loadFile(list, noData), LoadNoData);
    EXPECT_EQ(loadFile(list, yParams), LoadNotSParameters);
    EXPECT_EQ(loadFile(list, text), LoadNoData);
    // The missing and the broken two-port leave one empty measurement each, the one-port one.
    ASSERT_EQ(list.itemCount, 3);
    EXPECT_EQ(list.measurement(0)->sourcePath, "");
    EXPECT_EQ(list.measurement(1)->sourcePath, noData);
    for (int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(list.measurement(i)->itemCount, 0);
    removeEmptyMeasurements(list);
    EXPECT_EQ(list.itemCount, 0);
}

TEST(Loader, SameFileTwiceGivesTwoEqualMeasurements)
{
    const TempDir dir;
    const std::string s2p = dir.write("twice.s2p", kTwoPort);
    RubberS2P list;
    loadFiles(list, { s2p, s2p });
    ASSERT_EQ(list.itemCount, 2);
    EXPECT_EQ(list.measurement(0)->displayName, list.measurement(1)->displayName);
    EXPECT_TRUE(restoreFileOrder(list, { s2p, s2p }));
}

// Many files of every format loaded at once: each file's measurements appear exactly once,
// next to each other and in the order the file names them, and the re-read rule puts the
// files back into path order.
TEST(Loader, ParallelLoadKeepsEveryFileWholeAndRestoresThePathOrder)
{
    const TempDir dir;
    struct Kind {
        const char* extension;
        const char* text;
        std::vector<std::string> prefixes; // display name = prefix + name, or name + suffix
        bool suffixes;
    };
    const Kind kinds[] = {
        { ".s2p", kTwoPort, { "" }, false },
        { ".s1p", kOnePort, { "" }, false },
        { ".s3p", kThreePort, { "[1->2] ", "[2->3] ", "[1->3] ", "[Conc. 2-3,3-2] " }, false },
        { ".dtu", kColumns, { "-01", "-02" }, true },
        { ".csv", kCsv, { "S21 Filter", "S12 Filter" }, true },
    };
    std::vector<std::string> paths;
    std::map<std::string, std::vector<std::string>> expectedNames;
    for (int k = 0; k < 400; ++k) {
        const Kind& kind = kinds[k % 5];
        const std::string name = "file" + std::to_string(k);
        const std::string path = dir.write(name + kind.extension, kind.text);
        paths.push_back(path);
        for (const std::string& part : kind.prefixes)
            expectedNames[path].push_back(
                kind.suffixes ? (part[0] == '-' ? name + part : part) : part + name);
    }

    for (int round = 0; round < 5; ++round) {
        RubberS2P list;
        std::vector<LoadResult> results;
        loadFiles(list, paths, &results);
        removeEmptyMeasurements(list);
        ASSERT_EQ(list.itemCount, 80 * (1 + 1 + 4 + 2 + 2));
        for (LoadResult r : results)
            EXPECT_EQ(r, LoadSuccess);

        ASSERT_TRUE(restoreFileOrder(list, paths));
        int32_t index = 0;
        for (const std::string& path : paths) {
            for (const std::string& name : expectedNames[path]) {
                ASSERT_LT(index, list.itemCount);
                RubberS2PData* m = list.measurement(index);
                EXPECT_EQ(m->displayName, name) << "round " << round;
                EXPECT_EQ(m->itemCount, 2);
                ++index;
            }
        }
    }
}

TEST(ReloadOrder, UnreadableFileDropsOutAndTheOthersKeepTheirOrder)
{
    const TempDir dir;
    const std::string a = dir.write("a.s2p", kTwoPort);
    const std::string b = dir.write("b.s3p", kThreePort);
    const std::string c = dir.write("c.s1p", kOnePort);
    RubberS2P list;
    loadFiles(list, { c, b, a });
    removeEmptyMeasurements(list);
    ASSERT_TRUE(restoreFileOrder(list, { c, b, a }));
    const std::vector<std::string> paths = collectSourcePaths(list);
    EXPECT_EQ(paths, (std::vector<std::string> { c, b, a }));

    std::remove(b.c_str());
    list.removeAll();
    loadFiles(list, paths);
    removeEmptyMeasurements(list);
    ASSERT_TRUE(restoreFileOrder(list, paths));
    EXPECT_EQ(displayNames(list), (std::vector<std::string> { "c", "a" }));
}

TEST(ReloadOrder, PermutationThatMissesAMeasurementKeepsTheLoadOrder)
{
    const TempDir dir;
    const std::string a = dir.write("a.s2p", kTwoPort);
    const std::string b = dir.write("b.s2p", kTwoPort);
    RubberS2P list;
    loadFile(list, b);
    loadFile(list, a);
    EXPECT_FALSE(restoreFileOrder(list, { a }));
    EXPECT_EQ(displayNames(list), (std::vector<std::string> { "b", "a" }));
}

// A file several times the step at which the scan gives the text behind it back: every point
// still holds the numbers of its own line.
TEST(Loader, LargeFilesKeepEveryPoint)
{
    const TempDir dir;
    constexpr int32_t kLines = 400000;
    const struct {
        const char* name;
        const char* tail;
    } files[] = { { "large.s2p", " 0 0.5 0.25 1 0 -1 2\n" }, { "large.s1p", " -7\n" } };
    for (const auto& file : files) {
        std::string text = "# Hz S RI\n";
        for (int32_t i = 0; i < kLines; ++i)
            text += std::to_string(i + 1) + " " + std::to_string(i) + file.tail;
        RubberS2P list;
        ASSERT_EQ(loadFile(list, dir.write(file.name, text)), LoadSuccess) << file.name;
        RubberS2PData& m = *list.measurement(0);
        ASSERT_EQ(m.itemCount, kLines) << file.name;
        for (int32_t i = 0; i < kLines; ++i) {
            const S2PPoint& p = *m.point(i);
            ASSERT_EQ(p.freq, i + 1.0) << file.name;
            ASSERT_EQ(p.sParams(0, 0), Complex(i, file.tail[1] == '-' ? -7.0 : 0.0)) << file.name << " " << i;
        }
    }
}
