#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

#include "textencoding.h"

namespace {

// The C library's own conversion of one code page 1251 byte, as an independent reference.
std::string iconvCp1251(unsigned char byte)
{
    iconv_t cd = iconv_open("UTF-8", "CP1251");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string();
    char in[1] = { static_cast<char>(byte) };
    char out[8] = {};
    char* inPtr = in;
    char* outPtr = out;
    size_t inLeft = 1;
    size_t outLeft = sizeof out;
    const size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<size_t>(-1))
        return std::string();
    return std::string(out, outPtr);
}

TEST(TextEncoding, Cp1251MatchesTheCLibraryForEveryHighByte)
{
    if (iconvCp1251(0xC0).empty())
        GTEST_SKIP() << "the C library has no CP1251 conversion";
    for (int b = 0x80; b <= 0xFF; ++b) {
        if (b == 0x98)
            continue;
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(cp1251ToUtf8(byte), iconvCp1251(static_cast<unsigned char>(b))) << "byte " << b;
    }
    EXPECT_EQ(cp1251ToUtf8("\x98"), "\xEF\xBF\xBD");
    EXPECT_EQ(cp1251ToUtf8("MHz \xCC\xC3\xF6"), "MHz МГц");
}

TEST(TextEncoding, Utf8Validity)
{
    struct Case {
        std::string text;
        bool valid;
    };
    const Case cases[] = {
        { "", true }, { "plain ASCII; 1,5", true }, { "МГц ёЁ", true },
        { "\xE2\x82\xAC \xF0\x9F\x93\xA1", true }, // euro sign, four-byte character
        { "\xCC\xC3\xD6", false }, // code page 1251 МГЦ
        { "\x80", false }, // lone continuation byte
        { "\xC0\x80", false }, // overlong NUL
        { "\xE0\x80\xAF", false }, // overlong '/'
        { "\xED\xA0\x80", false }, // surrogate
        { "\xF4\x90\x80\x80", false }, // beyond U+10FFFF
        { "\xF5\x80\x80\x80", false }, { "ab\xD0", false }, // unfinished at the end
    };
    for (const Case& c : cases)
        EXPECT_EQ(isValidUtf8(c.text), c.valid) << c.text;
}

TEST(TextEncoding, DecodeKeepsUtf8AndConvertsTheRest)
{
    EXPECT_EQ(decodeFileText("Фильтр"), "Фильтр");
    EXPECT_EQ(decodeFileText("\xD4\xE8\xEB\xFC\xF2\xF0"), "Фильтр");
    // A code page 1251 text ending in a byte that could lead a UTF-8 character stays itself.
    EXPECT_EQ(decodeFileText("AB\xD0"), "ABР");
    EXPECT_EQ(decodeFileText("AB\xD0", true), "AB");
    EXPECT_EQ(decodeFileText("Ж\xE2\x82", true), "Ж");
    EXPECT_EQ(decodeFileText("\xCC\xC3\xD6", true), "МГЦ");
}

TEST(TextEncoding, UpperCaseCoversAsciiAndCyrillic)
{
    EXPECT_EQ(upperCaseUtf8("мгц кгц ггц khz"), "МГЦ КГЦ ГГЦ KHZ");
    EXPECT_EQ(upperCaseUtf8("абвгдеёжзийклмнопрстуфхцчшщъыьэюя"), "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
    EXPECT_EQ(upperCaseUtf8("ђџ µ 1,5 \xCC"), "ЂЏ µ 1,5 \xCC");
}

} // namespace
