#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "csvreader.h"
#include "readertesting.h"

namespace {

const std::string kPath = "/srv/tables/filter.csv";
// "МГЦ", "мгц" and "КГЦ" in code page 1251.
const std::string kMhzCp1251 = "\xCC\xC3\xD6";
const std::string kMhzLowerCp1251 = "\xEC\xE3\xF6";
const std::string kKhzCp1251 = "\xCA\xC3\xD6";

void readText(RubberS2P& list, const std::string& text, const std::string& path = kPath)
{
    FileImage file(text);
    readCsv(list, file.data(), file.length(), path);
}

// The Filter table with its rows joined by the given line end.
std::string filterTable(const std::string& eol)
{
    return "Filter" + eol + kMhzCp1251 + ";S21;S12" + eol + "100;-1,5;-20" + eol + "200;-2;-25" + eol;
}

void expectFilterTable(RubberS2P& list, int32_t first = 0)
{
    ASSERT_GE(list.itemCount, first + 2);
    RubberS2PData* s21 = list.measurement(first);
    RubberS2PData* s12 = list.measurement(first + 1);
    EXPECT_EQ(s21->displayName, "S21 Filter");
    EXPECT_EQ(s12->displayName, "S12 Filter");
    ASSERT_EQ(s21->itemCount, 2);
    ASSERT_EQ(s12->itemCount, 2);
    expectTransmission(s21, 0, 1e8, -1.5);
    expectTransmission(s21, 1, 2e8, -2);
    expectTransmission(s12, 0, 1e8, -20);
    expectTransmission(s12, 1, 2e8, -25);
    for (RubberS2PData* m : { s21, s12 }) {
        EXPECT_EQ(m->dataValid, 1);
        EXPECT_EQ(m->fullName, kPath);
        EXPECT_EQ(m->freqFirst, 1e8);
        EXPECT_EQ(m->freqLast, 2e8);
        EXPECT_EQ(m->freqStep, 1e8);
    }
}

TEST(CsvReader, FilterTableGivesOneMeasurementPerColumn)
{
    RubberS2P list;
    readText(list, filterTable("\r\n"));
    ASSERT_EQ(list.itemCount, 2);
    expectFilterTable(list);
    EXPECT_EQ(list.measurement(0)->sourcePath, kPath);
    EXPECT_EQ(list.measurement(1)->sourcePath, "");
    // The worked values of the table.
    EXPECT_NEAR(list.measurement(0)->point(0)->sParams(1, 0).real(), 0.841, 5e-4);
    EXPECT_NEAR(list.measurement(1)->point(1)->sParams(1, 0).real(), 0.056, 5e-4);
}

TEST(CsvReader, EveryLineEndStyleEndsOneRow)
{
    for (const char* eol : { "\r\n", "\n", "\r" }) {
        SCOPED_TRACE(eol[0] == '\n' ? "LF" : eol[1] == '\n' ? "CR LF" : "CR");
        RubberS2P list;
        readText(list, filterTable(eol));
        ASSERT_EQ(list.itemCount, 2);
        expectFilterTable(list);
    }
    RubberS2P mixed;
    readText(mixed, "Filter\n" + kMhzCp1251 + ";S21;S12\r\n100;-1,5;-20\r200;-2;-25");
    expectFilterTable(mixed);
}

TEST(CsvReader, TablesFollowEachOtherWithOrWithoutEmptyRows)
{
    for (const char* eol : { "\r\n", "\n" }) {
        for (const std::string& gap : { std::string(), std::string(eol), std::string(eol) + eol }) {
            RubberS2P list;
            list.measurement(0)->displayName = "earlier";
            readText(list, filterTable(eol) + gap + filterTable(eol));
            ASSERT_EQ(list.itemCount, 5);
            EXPECT_EQ(list.measurement(0)->displayName, "earlier");
            expectFilterTable(list, 1);
            expectFilterTable(list, 3);
            // Only the file's very first measurement names the file for re-reading.
            EXPECT_EQ(list.measurement(1)->sourcePath, kPath);
            for (int32_t i = 2; i < 5; ++i)
                EXPECT_EQ(list.measurement(i)->sourcePath, "");
        }
    }
}

struct UnitCase {
    const char* label;
    std::string header;
    double multiplier;
};

void PrintTo(const UnitCase& c, std::ostream* os)
{
    *os << c.label;
}

class CsvUnitCases : public ::testing::TestWithParam<UnitCase> { };

TEST_P(CsvUnitCases, HeaderUnitScalesFrequencies)
{
    RubberS2P list;
    readText(list, "T\n" + GetParam().header + ";A\n2,5;-1\n");
    ASSERT_EQ(list.itemCount, 1);
    expectTransmission(list.measurement(0), 0, 2.5 * GetParam().multiplier, -1);
}

INSTANTIATE_TEST_SUITE_P(Headers, CsvUnitCases,
    ::testing::Values(UnitCase { "kHz", "kHz", 1e3 }, UnitCase { "KHZ", "KHZ", 1e3 },
        UnitCase { "FreqKhz", "Freq, khz", 1e3 }, UnitCase { "KHZcp1251", kKhzCp1251, 1e3 },
        UnitCase { "MHZcp1251", kMhzCp1251, 1e6 }, UnitCase { "mhzCp1251", kMhzLowerCp1251, 1e6 },
        UnitCase { "FreqMhzCp1251", "\xD7\xE0\xF1\xF2\xEE\xF2\xE0, \xCC\xC3\xF6", 1e6 }, // "Частота, МГц"
        UnitCase { "MHzUtf8", "МГц", 1e6 }, UnitCase { "FreqMhzUtf8", "частота, мгц", 1e6 },
        UnitCase { "MHz", "MHz", 1e6 }, UnitCase { "GHzUtf8", "ГГц", 1e9 }, UnitCase { "gHz", "gHz", 1e9 },
        UnitCase { "Hz", "Hz", 1 }, UnitCase { "FreqUtf8", "Частота", 1 }, UnitCase { "NoUnit", "F", 1 }));

// Files with a fault anywhere reject every table of the file, also the sound ones before it.
TEST(CsvReader, MalformedFileLeavesNoMeasurementBehind)
{
    const std::string sound = filterTable("\n") + "\n";
    const std::vector<std::string> faults = {
        "T\nMHz;A;B\n100;-1;-2\n100;-1;-2\n", // frequency equal to the previous one
        "T\nMHz;A;B\n200;-1;-2\n100;-1;-2\n", // frequency falling
        "T\nMHz;A;B\n100;-1;-2\n200;-1\n", // fewer fields than columns
        "T\nMHz\n100;-1\n", // header of one field
        "T\nMHz;;B\n100;-1;-2\n", // empty first column name
    };
    for (const std::string& fault : faults) {
        for (const std::string& before : { std::string(), sound }) {
            RubberS2P list;
            list.measurement(0)->displayName = "earlier";
            readText(list, before + fault);
            ASSERT_EQ(list.itemCount, 1) << before + fault;
            EXPECT_EQ(list.measurement(0)->displayName, "earlier");
        }
    }
}

TEST(CsvReader, ExtraFieldsAndEmptyOrWordyValues)
{
    RubberS2P list;
    readText(list, "T\nHz;A;B;\n100;;-6;-9;x\n200;level;-7\n300;-1e1;  -8,5\n");
    ASSERT_EQ(list.itemCount, 2);
    expectTransmission(list.measurement(0), 0, 100, 0);
    expectTransmission(list.measurement(0), 1, 200, 0);
    expectTransmission(list.measurement(0), 2, 300, -10);
    expectTransmission(list.measurement(1), 0, 100, -6);
    expectTransmission(list.measurement(1), 2, 300, -8.5);
}

TEST(CsvReader, FrequencyFieldStartingWithSpaceStartsATable)
{
    RubberS2P list;
    readText(list, filterTable("\n") + " Next;ignored\nkHz;A\n5;-3\n");
    ASSERT_EQ(list.itemCount, 3);
    expectFilterTable(list);
    RubberS2PData* next = list.measurement(2);
    EXPECT_EQ(next->displayName, "A  Next");
    EXPECT_EQ(next->sourcePath, "");
    ASSERT_EQ(next->itemCount, 1);
    expectTransmission(next, 0, 5e3, -3);
}

TEST(CsvReader, OneDataRowHasNoKnownSpacingAndNoDataRowNoPoints)
{
    RubberS2P list;
    readText(list, "One\nHz;A\n7;-1\n\nNone\nHz;B\n");
    ASSERT_EQ(list.itemCount, 2);
    RubberS2PData* one = list.measurement(0);
    ASSERT_EQ(one->itemCount, 1);
    EXPECT_EQ(one->freqFirst, 7);
    EXPECT_EQ(one->freqLast, 7);
    EXPECT_EQ(one->freqStep, 0.0);
    EXPECT_EQ(list.measurement(1)->displayName, "B None");
    EXPECT_EQ(list.measurement(1)->itemCount, 0);
}

TEST(CsvReader, TextWithoutTablesCreatesNothing)
{
    for (const char* text : { "", "\n\n\r\n", "Title only\n", "Title\nMHz;A\n", "\xEF\xBB\xBF" }) {
        RubberS2P list;
        readText(list, text);
        EXPECT_LE(list.itemCount, 1) << text;
        if (list.itemCount == 1) {
            EXPECT_EQ(list.measurement(0)->itemCount, 0);
        }
    }
}

TEST(CsvReader, NamesAreDecodedToUtf8)
{
    struct NameCase {
        std::string title;
        std::string column;
        std::string displayName;
    };
    const NameCase cases[] = {
        { "\xD4\xE8\xEB\xFC\xF2\xF0", "\xC0\xEC\xEF\xEB", "Ампл Фильтр" }, // code page 1251
        { "Фильтр", "Ампл", "Ампл Фильтр" }, // UTF-8 kept
        { "\xEF\xBB\xBF"
          "Filter",
            "S21", "S21 Filter" }, // the byte-order mark of a UTF-8 file is no part of the title
    };
    for (const NameCase& c : cases) {
        RubberS2P list;
        readText(list, c.title + "\r\nMHz;" + c.column + "\r\n1;-1\r\n");
        ASSERT_EQ(list.itemCount, 1);
        EXPECT_EQ(list.measurement(0)->displayName, c.displayName);
    }
}

TEST(CsvReader, LongFieldsKeepTheirFirst259Bytes)
{
    const std::string title(300, 't');
    std::string column;
    for (int i = 0; i < 200; ++i)
        column += "Ж";
    RubberS2P list;
    readText(list, title + "\n" + std::string(400, 'M') + "Hz;" + column + ";B\n1;-1;-2\n");
    ASSERT_EQ(list.itemCount, 2);
    // 259 bytes hold 129 whole two-byte letters; the half letter at the cut is dropped.
    std::string kept;
    for (int i = 0; i < 129; ++i)
        kept += "Ж";
    EXPECT_EQ(list.measurement(0)->displayName, kept + " " + std::string(259, 't'));
    EXPECT_EQ(list.measurement(1)->displayName, "B " + std::string(259, 't'));
    // The unit word lay beyond the kept part of the header field.
    expectTransmission(list.measurement(0), 0, 1, -1);
}

TEST(CsvReader, NumbersIgnoreTheProcessLocale)
{
    DecimalCommaLocale locale;
    if (!locale.active())
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    RubberS2P list;
    readText(list, "T\nHz;A\n100,5;-1,5\n200.5;-2.5\n");
    ASSERT_EQ(list.itemCount, 1);
    expectTransmission(list.measurement(0), 0, 100.5, -1.5);
    expectTransmission(list.measurement(0), 1, 200.5, -2.5);
}

TEST(SplitRow, CutsAtSemicolonsAndTabsAndStopsOnTheNul)
{
    const char text[] = "a;b\tc;;\0next";
    const size_t length = sizeof text - 1;
    std::vector<std::string> fields { "stale" };
    size_t position = 0;
    ASSERT_EQ(splitRow(position, fields, text, length), 5);
    EXPECT_EQ(fields, (std::vector<std::string> { "a", "b", "c", "", "" }));
    EXPECT_EQ(position, 7u);
    ++position;
    ASSERT_EQ(splitRow(position, fields, text, length), 1);
    EXPECT_EQ(fields, (std::vector<std::string> { "next" }));
    EXPECT_EQ(position, length);
    ++position;
    EXPECT_EQ(splitRow(position, fields, text, length), 0);
    EXPECT_TRUE(fields.empty());
}

TEST(SplitRow, EmptyRowIsOneEmptyFieldAndLongFieldsAreCut)
{
    const std::string text = std::string(1, '\0') + std::string(1000, 'x') + ";y";
    size_t position = 0;
    std::vector<std::string> fields;
    ASSERT_EQ(splitRow(position, fields, text.c_str(), text.size()), 1);
    EXPECT_EQ(fields[0], "");
    ++position;
    ASSERT_EQ(splitRow(position, fields, text.c_str(), text.size()), 2);
    EXPECT_EQ(fields[0], std::string(kMaxCsvFieldLength, 'x'));
    EXPECT_EQ(fields[1], "y");
    EXPECT_EQ(position, text.size());
}

} // namespace
