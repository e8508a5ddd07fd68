#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "loader.h"
#include "reloadorder.h"

namespace {

const char* const kTwoPort = "# MHz S RI\n100 0 0 0.5 0 0.5 0 0 0\n200 0 0 0.4 0 0.4 0 0 0\n";
const char* const kOnePort = "# MHz S DB\n100 -20 0\n200 -21 0\n";
const char* const kThreePort = "# Hz MA\n1 0 0 0.5 0 0.3 0\n0.5 0 0 0 0.1 0\n0.3 0 0.1 0 0 0\n"
                               "2 0 0 0.5 0 0.3 0\n0.5 0 0 0 0.1 0\n0.3 0 0.1 0 0 0\n";
const char* const kColumns = "1000 -3 -6\n2000 -4 -7\n";
const char* const kCsv = "Filter\r\nMHz;S21;S12\r\n100;-1;-20\r\n200;-2;-25\r\n";

// A folder of its own under the test temporary folder, removed with its files.
class TempFolder {
public:
    explicit TempFolder(const std::string& name)
        : path_(::testing::TempDir() + "/" + name)
    {
        std::system(("rm -rf '" + path_ + "' && mkdir -p '" + path_ + "'").c_str());
    }
    ~TempFolder() { std::system(("rm -rf '" + path_ + "'").c_str()); }
    std::string write(const std::string& name, const std::string& text) const
    {
        const std::string file = path_ + "/" + name;
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

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
    const TempFolder dir("sprelin_loader_names");
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

TEST(Loader, FailuresLeaveNothingOrEmptyMeasurements)
{
    const TempFolder dir("sprelin_loader_failures");
    const std::string noData = dir.write("broken.s2p", "no option line\n");
    const std::string yParams = dir.write("y.s1p", "# Hz Y RI\n1 0 0\n2 0 0\n");
    const std::string text = dir.write("notes.txt", kTwoPort);

    RubberS2P list;
    EXPECT_EQ(loadFile(list, dir.path() + "/missing.s2p"), LoadCannotOpen);
    EXPECT_EQ(loadFile(list, dir.path() + "/missing.s1p"), LoadCannotOpen);
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
    const TempFolder dir("sprelin_loader_twice");
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
    const TempFolder dir("sprelin_loader_parallel");
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
    const TempFolder dir("sprelin_reload");
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
    const TempFolder dir("sprelin_reload_partial");
    const std::string a = dir.write("a.s2p", kTwoPort);
    const std::string b = dir.write("b.s2p", kTwoPort);
    RubberS2P list;
    loadFile(list, b);
    loadFile(list, a);
    EXPECT_FALSE(restoreFileOrder(list, { a }));
    EXPECT_EQ(displayNames(list), (std::vector<std::string> { "b", "a" }));
}
