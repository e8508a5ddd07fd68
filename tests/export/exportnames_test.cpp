#include <gtest/gtest.h>

#include "cellname.h"
#include "exporttexts.h"
#include "utf8text.h"

namespace {

TEST(CellName, NamesColumnsWithOneToThreeLetters)
{
    struct Case {
        int32_t column;
        int32_t row;
        const char* name;
    };
    const Case cases[] = {
        { 0, 0, "A1" },
        { 25, 0, "Z1" },
        { 26, 4, "AA5" },
        { 27, 9, "AB10" },
        { 254, 33, "IU34" },
        { 701, 0, "ZZ1" },
        { 702, 0, "AAA1" },
        { 728, 0, "ABA1" },
        { 16383, 1048575, "XFD1048576" },
        { 18277, 0, "ZZZ1" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(cellName(c.column, c.row), c.name) << c.column << ", " << c.row;
}

TEST(CellName, GivesNoNameOutsideThreeLetters)
{
    EXPECT_EQ(cellName(18278, 0), "");
    EXPECT_EQ(cellName(-1, 0), "");
    EXPECT_EQ(cellName(0, -1), "");
    EXPECT_EQ(cellName(0, INT32_MAX), "");
}

TEST(ExportTexts, TitlesTheFrequencyColumnByLanguageAndUnit)
{
    EXPECT_EQ(frequencyTitle(Language::english, 1), "Frequency, Hz");
    EXPECT_EQ(frequencyTitle(Language::english, 1e3), "Frequency, kHz");
    EXPECT_EQ(frequencyTitle(languageOf(7), 1e6), "Frequency, MHz");
    EXPECT_EQ(frequencyTitle(Language::english, 1e9), "Frequency, GHz");
    EXPECT_EQ(frequencyTitle(Language::russian, 1), "Частота, Гц");
    EXPECT_EQ(frequencyTitle(Language::russian, 1e3), "Частота, кГц");
    EXPECT_EQ(frequencyTitle(Language::russian, 1e6), "Частота, МГц");
    EXPECT_EQ(frequencyTitle(Language::russian, 1e9), "Частота, ГГц");
}

TEST(ExportTexts, TitlesATraceByItsKindAndMeasurement)
{
    const char* const kinds[] = { "S11M", "S11A", "S21M", "S21A", "S12M", "S12A", "S22M", "S22A" };
    for (int32_t t = 0; t < 24; ++t)
        EXPECT_EQ(traceTitle(t, "dut.s2p"), std::string(kinds[t % 8]) + " dut.s2p");
}

TEST(ExportTexts, ChoosesTheValueAxisKindOfATrace)
{
    using K = ValueAxisKind;
    // By trace kind S11M .. S22A, in dB mode and in VSWR mode.
    const K inDb[] = { K::Decibels, K::Degrees, K::Decibels, K::Degrees, K::Decibels, K::Degrees, K::Decibels,
        K::Degrees };
    const K inVswr[]
        = { K::Vswr, K::Degrees, K::Decibels, K::Degrees, K::Decibels, K::Degrees, K::Vswr, K::Degrees };
    for (int32_t t = 0; t < 16; ++t) {
        EXPECT_EQ(valueAxisKind(t, 1), inDb[t % 8]) << t;
        EXPECT_EQ(valueAxisKind(t, 0), inVswr[t % 8]) << t;
    }
    EXPECT_STREQ(valueAxisTitle(Language::english, K::Decibels), "dB");
    EXPECT_STREQ(valueAxisTitle(Language::english, K::Degrees), "Deg");
    EXPECT_STREQ(valueAxisTitle(Language::english, K::Vswr), "VSWR");
    EXPECT_STREQ(valueAxisTitle(Language::russian, K::Decibels), "дБ");
    EXPECT_STREQ(valueAxisTitle(Language::russian, K::Degrees), "Град.");
    EXPECT_STREQ(valueAxisTitle(Language::russian, K::Vswr), "КСВН");
}

TEST(Utf8Text, ReplacesEveryInvalidSequence)
{
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        { "plain", "plain" },
        { "Частота ГГц €𝄞", "Частота ГГц €𝄞" },
        { "a\xff"
          "b",
            "a\xEF\xBF\xBD"
            "b" },
        { "\xD0", "\xEF\xBF\xBD" }, // truncated two-byte sequence
        { "\xE2\x82", "\xEF\xBF\xBD\xEF\xBF\xBD" }, // truncated three-byte sequence
        { "\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD" }, // overlong '/'
        { "\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" }, // surrogate
        { "\xF4\x90\x80\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" }, // above U+10FFFF
        { "\xCF\xF0\xE8\xE2\xE5\xF2",
            "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(validUtf8(c.in), c.out) << c.in;
    EXPECT_EQ(codePointCount("Частота €𝄞"), 10u);
}

} // namespace
