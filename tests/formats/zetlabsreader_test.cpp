#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "readertesting.h"
#include "zetlabsreader.h"

namespace {

const std::string kPath = "/srv/meas.d/name.dtu";

void readText(RubberS2P& list, const std::string& text, const std::string& path = kPath)
{
    FileImage file(text);
    readZetLabs(path, file.data(), file.length(), list);
}

TEST(ZetLabsReader, TwoColumnsBecomeTwoNamedMeasurements)
{
    RubberS2P list;
    readText(list, "1000 -3 -6\r\n2000 -4 -7\r\n");
    ASSERT_EQ(list.itemCount, 2);
    const double dB[2][2] = { { -3, -4 }, { -6, -7 } };
    for (int c = 0; c < 2; ++c) {
        RubberS2PData* m = list.measurement(c);
        ASSERT_EQ(m->itemCount, 2);
        expectTransmission(m, 0, 1000, dB[c][0]);
        expectTransmission(m, 1, 2000, dB[c][1]);
        EXPECT_EQ(m->dataValid, 1);
        EXPECT_EQ(m->fullName, kPath);
        EXPECT_EQ(m->freqFirst, 1000);
        EXPECT_EQ(m->freqLast, 2000);
        EXPECT_EQ(m->freqStep, 1000);
    }
    EXPECT_EQ(list.measurement(0)->displayName, "name-01");
    EXPECT_EQ(list.measurement(1)->displayName, "name-02");
    EXPECT_EQ(list.measurement(0)->sourcePath, kPath);
    EXPECT_EQ(list.measurement(1)->sourcePath, "");
    // The worked values: -3 dB and -6 dB at the first point.
    EXPECT_NEAR(list.measurement(0)->point(0)->sParams(1, 0).real(), 0.708, 5e-4);
    EXPECT_NEAR(list.measurement(1)->point(0)->sParams(1, 0).real(), 0.501, 5e-4);
}

// Files that make measurements; every case has the frequencies and dB values expected per column.
struct ReadCase {
    const char* name;
    std::string text;
    std::vector<double> freqs;
    std::vector<std::vector<double>> columns;
};

void PrintTo(const ReadCase& c, std::ostream* os)
{
    *os << c.name;
}

class ZetLabsReadCases : public ::testing::TestWithParam<ReadCase> { };

TEST_P(ZetLabsReadCases, GivesThePointsOfEveryColumn)
{
    const ReadCase& c = GetParam();
    RubberS2P list;
    readText(list, c.text);
    ASSERT_EQ(list.itemCount, static_cast<int32_t>(c.columns.size()));
    for (size_t col = 0; col < c.columns.size(); ++col) {
        RubberS2PData* m = list.measurement(static_cast<int32_t>(col));
        const std::vector<double>& dB = c.columns[col];
        ASSERT_EQ(m->itemCount, static_cast<int32_t>(dB.size())) << "column " << col + 1;
        EXPECT_EQ(m->dataValid, 1);
        for (size_t k = 0; k < dB.size(); ++k)
            expectTransmission(m, static_cast<int32_t>(k), c.freqs[k], dB[k]);
    }
}

const std::string kCyrillicHeader = "\xD7\xE0\xF1\xF2\xEE\xF2\xE0 \xC3\xF6 \xC4\xC1\n"; // Частота Гц ДБ

INSTANTIATE_TEST_SUITE_P(Files, ZetLabsReadCases,
    ::testing::Values(ReadCase { "CyrillicHeadersAndCommentsAnywhere",
                          kCyrillicHeader + "! measured at the bench\n1000 -3 -6\n" + kCyrillicHeader
                              + "2000 -4 -7 ! end\n",
                          { 1000, 2000 }, { { -3, -4 }, { -6, -7 } } },
        ReadCase {
            "DecimalCommas", "1000,5 -3,25\n2000,25 -0,5\n", { 1000.5, 2000.25 }, { { -3.25, -0.5 } } },
        ReadCase { "OneDataLine", "5e6 -1 -2\n", { 5e6 }, { { -1 }, { -2 } } },
        ReadCase { "TabsAndOnlyCarriageReturns", "1000\t-3\t-6\r2000\t-4\t-7", { 1000, 2000 },
            { { -3, -4 }, { -6, -7 } } },
        ReadCase { "ByteOrderMark",
            "\xEF\xBB\xBF"
            "1000 -3\n2000 -4\n",
            { 1000, 2000 }, { { -3, -4 } } },
        ReadCase { "ColumnsBeyondTheFirstLineAreIgnored", "1000 -3\n2000 -4 -9 -12\n", { 1000, 2000 },
            { { -3, -4 } } },
        // A short line gives 0 dB to its missing columns, except a last line that no line end
        // follows: the text ends there, and the missing columns get no point at all.
        ReadCase { "ShortLines", "1000 -3 -6\n2000 -4\n3000 -5\n", { 1000, 2000, 3000 },
            { { -3, -4, -5 }, { -6, 0, 0 } } },
        ReadCase { "ShortLastLineAtTheEndOfTheText", "1000 -3 -6\n2000 -4\n3000 -5", { 1000, 2000, 3000 },
            { { -3, -4, -5 }, { -6, 0 } } },
        ReadCase { "FrequenciesKeptInLineOrder", "3000 -1\n1000 -2\n", { 3000, 1000 }, { { -1, -2 } } }),
    [](const ::testing::TestParamInfo<ReadCase>& param) { return std::string(param.param.name); });

TEST(ZetLabsReader, OneDataLineHasNoKnownSpacing)
{
    RubberS2P list;
    readText(list, "5e6 -1\n");
    ASSERT_EQ(list.itemCount, 1);
    EXPECT_EQ(list.measurement(0)->freqFirst, 5e6);
    EXPECT_EQ(list.measurement(0)->freqLast, 5e6);
    EXPECT_EQ(list.measurement(0)->freqStep, 0.0);
}

TEST(ZetLabsReader, FirstLineWithFewerThanTwoNumbersCreatesNothing)
{
    for (const char* text : { "", "   \n\n", "Freq dB\n1000 -3\n", "1000\n2000\n", "12abc\n1000 -3\n",
             "\xD7\xE0\xF1\xF2\xEE\xF2\xE0\n" }) {
        RubberS2P list;
        readText(list, text);
        EXPECT_EQ(list.itemCount, 0) << text;
    }
}

TEST(ZetLabsReader, NonNumberLaterRejectsTheFileButKeepsItsEmptyMeasurements)
{
    for (const char* text :
        { "1000 -3 -6\nFreq dB\n2000 -4 -7\n", "1000 -3 -6\n2000 x -7\n", "1000 -3 -6\n2000 -4 -\n" }) {
        RubberS2P list;
        list.measurement(0)->displayName = "earlier";
        readText(list, text);
        ASSERT_EQ(list.itemCount, 3) << text;
        EXPECT_EQ(list.measurement(0)->displayName, "earlier");
        for (int32_t i = 1; i < 3; ++i) {
            EXPECT_EQ(list.measurement(i)->itemCount, 0) << text;
            EXPECT_EQ(list.measurement(i)->dataValid, 0);
        }
    }
}

TEST(ZetLabsReader, NamesCountColumnsWithAtLeastTwoDigits)
{
    std::string line = "1000";
    for (int c = 1; c <= 10; ++c)
        line += " -" + std::to_string(c);
    RubberS2P list;
    list.measurement(0);
    readText(list, line + "\n", "plain");
    ASSERT_EQ(list.itemCount, 11);
    EXPECT_EQ(list.measurement(1)->displayName, "plain-01");
    EXPECT_EQ(list.measurement(10)->displayName, "plain-10");
    EXPECT_EQ(list.measurement(1)->sourcePath, "plain");
    expectTransmission(list.measurement(10), 0, 1000, -10);
}

TEST(ZetLabsReader, NumbersIgnoreTheProcessLocale)
{
    DecimalCommaLocale locale;
    if (!locale.active())
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    RubberS2P list;
    readText(list, "1000.5 -3.5\n2000,5 -4,5\n");
    ASSERT_EQ(list.itemCount, 1);
    expectTransmission(list.measurement(0), 0, 1000.5, -3.5);
    expectTransmission(list.measurement(0), 1, 2000.5, -4.5);
}

// Files read on several threads into one list: each file's measurements stay together and in
// column order, whatever order the files reach the list in.
TEST(ZetLabsReader, ParallelReadsKeepEachFilesMeasurementsTogether)
{
    constexpr int kFiles = 16;
    constexpr int kColumns = 3;
    RubberS2P list;
    std::vector<std::thread> threads;
    for (int f = 0; f < kFiles; ++f) {
        threads.emplace_back([&list, f] {
            std::string text;
            for (int k = 1; k <= 50; ++k)
                text += std::to_string(k * 1000) + " -1 -2 -3\n";
            readText(list, text, "/m/file" + std::to_string(f) + ".nrm");
        });
    }
    for (std::thread& t : threads)
        t.join();

    ASSERT_EQ(list.itemCount, kFiles * kColumns);
    std::vector<int> seen(kFiles, 0);
    for (int32_t i = 0; i < list.itemCount; i += kColumns) {
        const std::string path = list.measurement(i)->sourcePath;
        ASSERT_EQ(path.rfind("/m/file", 0), 0u);
        const int f = std::stoi(path.substr(7));
        ++seen[f];
        for (int c = 0; c < kColumns; ++c) {
            RubberS2PData* m = list.measurement(i + c);
            EXPECT_EQ(m->fullName, path);
            EXPECT_EQ(m->displayName, "file" + std::to_string(f) + "-0" + std::to_string(c + 1));
            ASSERT_EQ(m->itemCount, 50);
            expectTransmission(m, 49, 50000, -(c + 1));
        }
    }
    for (int f = 0; f < kFiles; ++f)
        EXPECT_EQ(seen[f], 1) << "file " << f;
}

} // namespace
