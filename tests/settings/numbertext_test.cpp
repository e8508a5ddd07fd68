#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>
#include <string>

#include "numbertext.h"

namespace {

struct PrintCase {
    double value;
    const char* text;
};

// %g: six significant digits; exponent form when the exponent is below -4 or at least 6.
const PrintCase kPrintCases[] = {
    { 0.0, "0" },
    { 100.0, "100" },
    { 1000000.0, "1e+06" },
    { 123456.0, "123456" },
    { 1234567.0, "1.23457e+06" },
    { 12345678.0, "1.23457e+07" },
    { 0.0001, "0.0001" },
    { 0.00001, "1e-05" },
    { -0.5, "-0.5" },
    { 1.5, "1.5" },
    { 12.345678, "12.3457" },
    { 999999.5, "1e+06" },
    { 2.5e-300, "2.5e-300" },
};

TEST(NumberText, PrintDoubleInGeneralFormWithSixDigits)
{
    for (const PrintCase& c : kPrintCases)
        EXPECT_EQ(printDouble(c.value), c.text) << c.value;
}

TEST(NumberText, PrintLongInDecimal)
{
    EXPECT_EQ(printLong(0), "0");
    EXPECT_EQ(printLong(-1), "-1");
    EXPECT_EQ(printLong(170), "170");
    EXPECT_EQ(printLong(std::numeric_limits<int32_t>::min()), "-2147483648");
}

struct ScanLongCase {
    const char* text;
    int32_t value;
};

const ScanLongCase kScanLongCases[] = {
    { "12", 12 },
    { "  \t12", 12 },
    { "12abc", 12 },
    { "+7", 7 },
    { "-42 px", -42 },
    { "", 0 },
    { "yes", 0 },
    { "- 5", 0 },
    { "+-5", 0 },
    { "0x10", 0 },
    { "1.9", 1 },
    { "2147483647", 2147483647 },
    { "2147483648", 2147483647 },
    { "-2147483648", std::numeric_limits<int32_t>::min() },
    { "-99999999999999999999999", std::numeric_limits<int32_t>::min() },
};

TEST(NumberText, ScanLongTakesOneLeadingIntegerAndSaturates)
{
    for (const ScanLongCase& c : kScanLongCases)
        EXPECT_EQ(scanLong(c.text), c.value) << '"' << c.text << '"';
}

struct ScanDoubleCase {
    const char* text;
    double value;
};

const ScanDoubleCase kScanDoubleCases[] = {
    { "1.5", 1.5 },
    { "  -2.25e3xyz", -2250.0 },
    { "1e+06", 1e6 },
    { ".5", 0.5 },
    { "5.", 5.0 },
    { "+0.125", 0.125 },
    { "1e", 1.0 },
    { "1,5", 1.0 },
    { "", 0.0 },
    { ".", 0.0 },
    { "abc", 0.0 },
    { "+-1", 0.0 },
    { "inf", 0.0 },
    { "-nan", 0.0 },
    { "1e999", 0.0 },
    { "1e-999", 0.0 },
};

TEST(NumberText, ScanDoubleTakesOneLeadingFiniteNumber)
{
    for (const ScanDoubleCase& c : kScanDoubleCases)
        EXPECT_EQ(scanDouble(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumberText, DecimalCommaLocaleChangesNothing)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    const std::string printed = printDouble(1234.5);
    const double scanned = scanDouble("1234.5");
    const double commaScanned = scanDouble("1234,5");
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(printed, "1234.5");
    EXPECT_EQ(scanned, 1234.5);
    EXPECT_EQ(commaScanned, 1234.0);
}

} // namespace
