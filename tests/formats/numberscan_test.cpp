#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "decimalcommalocale.h"
#include "numberscan.h"

namespace {

struct ScanRow {
    const char* text;
    bool reads;
    double value;
    int consumed;
};

void checkRows(const ScanRow* rows, size_t count)
{
    for (size_t r = 0; r < count; ++r) {
        const ScanRow& row = rows[r];
        SCOPED_TRACE(row.text);
        const char* end = row.text + std::strlen(row.text);
        double value = -12345.0;
        const char* next = scanNumber(row.text, end, value);
        if (!row.reads) {
            EXPECT_EQ(next, nullptr);
            EXPECT_EQ(value, -12345.0);
            continue;
        }
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(next - row.text, row.consumed);
        if (std::isnan(row.value))
            EXPECT_TRUE(std::isnan(value));
        else
            EXPECT_EQ(value, row.value);
    }
}

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

const ScanRow kRows[] = {
    { "1.5", true, 1.5, 3 },
    { "  42 7", true, 42.0, 4 },
    { "+2", true, 2.0, 2 },
    { "-3e2", true, -300.0, 4 },
    { "2.5E-1x", true, 0.25, 6 },
    { ".5", true, 0.5, 2 },
    { "7.", true, 7.0, 2 },
    { "1e", true, 1.0, 1 },
    { "1e+", true, 1.0, 1 },
    { "1,5", true, 1.0, 1 },
    { "inf", true, inf, 3 },
    { "-Infinity", true, -inf, 9 },
    { "nan", true, nan, 3 },
    { "0x1p3", true, 8.0, 5 },
    { "-0x10", true, -16.0, 5 },
    { "1e999", true, inf, 5 },
    { "+-1", false, 0.0, 0 },
    { "--1", false, 0.0, 0 },
    { "e5", false, 0.0, 0 },
    { "-", false, 0.0, 0 },
    { ".", false, 0.0, 0 },
    { "", false, 0.0, 0 },
    { "   ", false, 0.0, 0 },
    { "abc", false, 0.0, 0 },
};

} // namespace

TEST(NumberScan, ReadsWhatAFloatingPointConversionReads)
{
    checkRows(kRows, sizeof kRows / sizeof kRows[0]);
}

TEST(NumberScan, DoesNotDependOnTheProcessLocale)
{
    const DecimalCommaLocale locale;
    if (!locale.active())
        GTEST_SKIP() << "no decimal-comma locale installed";
    checkRows(kRows, sizeof kRows / sizeof kRows[0]);
}

TEST(NumberScan, StopsAtTheGivenEnd)
{
    const char text[] = "12345 6";
    double value = 0.0;
    EXPECT_EQ(scanNumber(text, text + 2, value), text + 2);
    EXPECT_EQ(value, 12.0);
    EXPECT_EQ(scanNumber(text, text, value), nullptr);
    const char hex[] = "0x1F";
    EXPECT_EQ(scanNumber(hex, hex + 3, value), hex + 3);
    EXPECT_EQ(value, 1.0);
}

TEST(NumberScan, ReadsASequenceUpToTheFirstFailure)
{
    const char text[] = "1 -2.5e1\t3x 4";
    double values[5] = { 9, 9, 9, 9, 9 };
    const char* stop = nullptr;
    EXPECT_EQ(scanNumbers(text, text + std::strlen(text), values, 5, &stop), 3);
    EXPECT_EQ(values[0], 1.0);
    EXPECT_EQ(values[1], -25.0);
    EXPECT_EQ(values[2], 3.0);
    EXPECT_EQ(values[3], 9.0);
    EXPECT_EQ(*stop, 'x');
    // Numbers need no blank between them when a sign starts the next one.
    const char joined[] = "1-2";
    EXPECT_EQ(scanNumbers(joined, joined + 3, values, 5), 2);
    EXPECT_EQ(values[1], -2.0);
}

TEST(NumberScan, NumberCharacters)
{
    for (const char c : std::string("0123456789+-.eE"))
        EXPECT_TRUE(isNumberChar(c)) << c;
    for (const char c : std::string("aZ ,x#!\t"))
        EXPECT_FALSE(isNumberChar(c)) << c;
    EXPECT_FALSE(isNumberChar('\0'));
}
