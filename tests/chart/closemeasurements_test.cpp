#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chartstate.h"
#include "closemeasurements.h"

namespace {

using Flags = std::vector<int32_t>;
using Names = std::vector<std::string>;
using Indices = std::vector<int32_t>;

constexpr int32_t traces = tracesPerMeasurement;

// A flag row that differs for every measurement: trace k of measurement m is hidden when
// k + m is divisible by 3.
Flags flagsOf(int32_t m)
{
    Flags row;
    for (int32_t k = 0; k < traces; ++k)
        row.push_back((k + m) % 3 == 0 ? 0 : 1);
    return row;
}

Flags slice(const Flags& table, size_t first, size_t count)
{
    return Flags(table.begin() + static_cast<std::ptrdiff_t>(first),
        table.begin() + static_cast<std::ptrdiff_t>(first + count));
}

// Measurements named A, B, C ... with the reference given and a table that holds exactly their
// flag rows.
void fillState(ChartState& state, int32_t count, int32_t reference)
{
    state.rowVisible.clear();
    for (int32_t m = 0; m < count; ++m) {
        state.measurements.measurement(m)->displayName = std::string(1, static_cast<char>('A' + m));
        const Flags row = flagsOf(m);
        state.rowVisible.insert(state.rowVisible.end(), row.begin(), row.end());
    }
    state.referenceIndex = reference;
}

} // namespace

TEST(CloseMeasurements, ClosesAndCompacts)
{
    struct Case {
        const char* name;
        int32_t count;
        int32_t reference;
        Indices selected;
        Names remaining;
        int32_t expectedReference;
    };
    const Case cases[] = {
        { "A and D of four, reference C", 4, 2, { 0, 3 }, { "B", "C" }, 1 },
        { "the reference itself", 4, 2, { 2 }, { "A", "B", "D" }, -1 },
        { "reference and one below", 4, 2, { 1, 2 }, { "A", "D" }, -1 },
        { "middle of three keeps the last one's hidden traces", 3, -1, { 1 }, { "A", "C" }, -1 },
        { "all above the reference", 4, 0, { 2, 3 }, { "A", "B" }, 0 },
        { "nothing selected", 4, 3, {}, { "A", "B", "C", "D" }, 3 },
        { "unordered, repeated, out of range", 4, 2, { 3, 0, 3, 7, -1, 4 }, { "B", "C" }, 1 },
        { "everything", 3, 1, { 2, 1, 0 }, {}, -1 },
    };
    for (const Case& c : cases) {
        ChartState state;
        fillState(state, c.count, c.reference);

        closeMeasurements(state, c.selected);

        EXPECT_EQ(measurementNames(state.measurements), c.remaining) << c.name;
        EXPECT_EQ(state.referenceIndex, c.expectedReference) << c.name;
        ASSERT_EQ(state.rowVisible.size(), static_cast<size_t>(c.count) * traces) << c.name;
        // Each survivor carries the flag row it had under its former index (its name's letter).
        for (size_t m = 0; m < c.remaining.size(); ++m)
            EXPECT_EQ(slice(state.rowVisible, m * traces, traces), flagsOf(c.remaining[m][0] - 'A'))
                << c.name << ", survivor " << m;
    }
}

TEST(CloseMeasurements, LeavesTableEntriesPastTheListAlone)
{
    ChartState state;
    fillState(state, 3, -1);
    state.rowVisible.resize(size_t { 2048 * traces }, 5);

    closeMeasurements(state, { 0 });

    ASSERT_EQ(state.rowVisible.size(), size_t { 2048 * traces });
    EXPECT_EQ(slice(state.rowVisible, 0, traces), flagsOf(1));
    EXPECT_EQ(slice(state.rowVisible, traces, traces), flagsOf(2));
    EXPECT_TRUE(std::all_of(state.rowVisible.begin() + 3 * traces, state.rowVisible.end(),
        [](int32_t flag) { return flag == 5; }));
}

TEST(CloseMeasurements, StaysInsideAShortTable)
{
    // Three measurements but flags for one and a half: the flags that exist move, nothing
    // is read or written past the table's end.
    ChartState state;
    fillState(state, 3, 2);
    state.rowVisible.resize(12);
    const Flags second = flagsOf(1);

    closeMeasurements(state, { 0 });

    EXPECT_EQ(measurementNames(state.measurements), (Names { "B", "C" }));
    EXPECT_EQ(state.referenceIndex, 1);
    ASSERT_EQ(state.rowVisible.size(), size_t { 12 });
    EXPECT_EQ(slice(state.rowVisible, 0, 4), slice(second, 0, 4));

    state.rowVisible.clear();
    closeMeasurements(state, { 1 });
    EXPECT_EQ(measurementNames(state.measurements), Names { "B" });
    EXPECT_EQ(state.referenceIndex, -1);
    EXPECT_TRUE(state.rowVisible.empty());
}

TEST(CloseMeasurements, EmptyListChangesNothing)
{
    ChartState state;
    state.rowVisible.assign(16, 1);
    state.referenceIndex = 0;
    closeMeasurements(state, { 0, 1 });
    EXPECT_EQ(state.measurements.itemCount, 0);
    EXPECT_EQ(state.referenceIndex, 0);
    EXPECT_EQ(state.rowVisible, Flags(16, 1));
}

TEST(CloseMeasurements, NamesFollowTheList)
{
    ChartState state;
    fillState(state, 2, -1);
    state.measurements.measurement(1)->displayName = "плата 2.s2p";
    EXPECT_EQ(measurementNames(state.measurements), (Names { "A", "плата 2.s2p" }));
}

TEST(CloseMeasurements, SourcePathPassesToTheFilesNextView)
{
    struct Case {
        const char* name;
        Indices selected;
        Names remainingPaths;
    };
    // A three-port file's four views (the first names the file), then a file of its own.
    const Case cases[] = {
        { "first view", { 0 }, { "/d/p.s3p", "", "", "/d/q.s2p" } },
        { "first two views", { 0, 1 }, { "/d/p.s3p", "", "/d/q.s2p" } },
        { "every view", { 3, 2, 1, 0 }, { "/d/q.s2p" } },
        { "a later view", { 2 }, { "/d/p.s3p", "", "", "/d/q.s2p" } },
        { "the file after it", { 4 }, { "/d/p.s3p", "", "", "" } },
    };
    const char* const prefixes[] = { "[1->2] ", "[2->3] ", "[1->3] ", "[Conc. 2-3,3-2] " };
    for (const Case& c : cases) {
        ChartState state;
        RubberS2P& list = state.measurements;
        for (int32_t m = 0; m < 4; ++m) {
            list.measurement(m)->fullName = std::string(prefixes[m]) + "/d/p.s3p";
            list.measurement(m)->sourcePath = m == 0 ? "/d/p.s3p" : "";
        }
        list.measurement(4)->fullName = "/d/q.s2p";
        list.measurement(4)->sourcePath = "/d/q.s2p";

        closeMeasurements(state, c.selected);

        Names paths;
        for (int32_t m = 0; m < list.itemCount; ++m)
            paths.push_back(list.measurement(m)->sourcePath);
        EXPECT_EQ(paths, c.remainingPaths) << c.name;
    }
}
