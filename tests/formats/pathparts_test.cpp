#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "pathparts.h"

namespace {

struct PathCase {
    std::string path;
    std::string name;
    const char* extension;
};

void PrintTo(const PathCase& c, std::ostream* os)
{
    *os << '"' << c.path << '"';
}

class PathPartCases : public ::testing::TestWithParam<PathCase> { };

TEST_P(PathPartCases, NameAndExtension)
{
    const PathCase& c = GetParam();
    EXPECT_EQ(fileNamePart(c.path), c.name);
    EXPECT_TRUE(hasExtension(c.path, c.extension));
    for (const char* other : { ".s2p", ".csv", ".dtu", ".bak" }) {
        if (std::string(other) != c.extension) {
            EXPECT_FALSE(hasExtension(c.path, other)) << other;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, PathPartCases,
    ::testing::Values(PathCase { "/data/filter.s2p", "filter", ".s2p" },
        PathCase { "/data/FILTER.S2P", "FILTER", ".s2p" }, PathCase { "relative/amp.S2p", "amp", ".s2p" },
        PathCase { "/data/filter.s2p.bak", "filter.s2p", ".bak" }, PathCase { "/data/filter", "filter", "" },
        PathCase { "/data.csv/filter", "filter", "" }, PathCase { "/meas.d/name.dtu", "name", ".dtu" },
        PathCase { "table.csv", "table", ".csv" }, PathCase { "/data/.csv", "", ".csv" },
        PathCase { "/data/", "", "" }, PathCase { "", "", "" },
        PathCase { "/Фильтры/полоса.Csv", "полоса", ".csv" }));

TEST(PathParts, ExtensionIsComparedWhole)
{
    EXPECT_FALSE(hasExtension("/data/filter.s2", ".s2p"));
    EXPECT_FALSE(hasExtension("/data/filter.s2pp", ".s2p"));
    EXPECT_TRUE(hasExtension("/data/filter.s2p", ".S2P"));
    EXPECT_FALSE(hasExtension("/data/filter.s2p", "s2p"));
}

TEST(PathParts, HashStandsForThePortCountDigits)
{
    struct Row {
        const char* path;
        bool matches;
        const char* extension;
    };
    const Row rows[] = {
        { "/data/coupler.s4p", true, ".s4p" },
        { "/data/BUS.S16P", true, ".S16P" },
        { "/data/big.s123p", true, ".s123p" },
        { "/data/none.sp", false, ".sp" },
        { "/data/letter.sxp", false, ".sxp" },
        { "/data/tail.s4p2", false, ".s4p2" },
        { "/data/cut.s4", false, ".s4" },
        { "/data.s4p/plain", false, "" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(hasExtension(row.path, ".s#p"), row.matches);
        EXPECT_EQ(extensionPart(row.path), row.extension);
    }
}

} // namespace
