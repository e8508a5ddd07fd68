#include "textencoding.h"

#include <cstdint>

namespace {

// Code points of the bytes 0x80 to 0xBF of code page 1251; 0xC0 to 0xFF are U+0410 to U+044F.
constexpr char32_t kCp1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, //
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, //
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, //
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, //
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, //
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, //
};

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Length of the UTF-8 sequence that the lead byte starts; 0 for a byte that starts none.
size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Decodes the character at text[i]; returns its length, or 0 when no valid character starts
// there (bad lead byte, missing continuation, overlong form, surrogate or beyond U+10FFFF).
size_t decodeAt(const std::string& text, size_t i, char32_t& c)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t length = sequenceLength(lead);
    if (length == 0 || i + length > text.size())
        return 0;
    if (length == 1) {
        c = lead;
        return 1;
    }
    c = lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        const auto byte = static_cast<unsigned char>(text[i + k]);
        if (!isContinuation(byte))
            return 0;
        c = (c << 6) | (byte & 0x3F);
    }
    static constexpr char32_t kSmallest[5] = { 0, 0, 0x80, 0x800, 0x10000 };
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

// The length of text without an unfinished multi-byte character at its end.
size_t withoutCutTail(const std::string& text)
{
    const size_t size = text.size();
    for (size_t back = 1; back <= 3 && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(text[size - back]);
        if (isContinuation(byte))
            continue;
        const size_t length = sequenceLength(byte);
        return length > back ? size - back : size;
    }
    return size;
}

char32_t upperCase(char32_t c)
{
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 'A';
    if (c >= 0x0430 && c <= 0x044F)
        return c - 0x20;
    if (c >= 0x0450 && c <= 0x045F)
        return c - 0x50;
    return c;
}

} // namespace

bool isValidUtf8(const std::string& text)
{
    char32_t c = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t length = decodeAt(text, i, c);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string cp1251ToUtf8(const std::string& text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (const char byte : text) {
        const auto b = static_cast<unsigned char>(byte);
        if (b < 0x80)
            out += byte;
        else if (b < 0xC0)
            appendUtf8(out, kCp1251High[b - 0x80]);
        else
            appendUtf8(out, 0x0410 + (b - 0xC0));
    }
    return out;
}

std::string decodeFileText(const std::string& text, bool mayBeCut)
{
    if (isValidUtf8(text))
        return text;
    if (mayBeCut) {
        const std::string whole = text.substr(0, withoutCutTail(text));
        if (isValidUtf8(whole))
            return whole;
    }
    return cp1251ToUtf8(text);
}

std::string upperCaseUtf8(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    char32_t c = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t length = decodeAt(text, i, c);
        if (length == 0) {
            out += text[i++];
            continue;
        }
        appendUtf8(out, upperCase(c));
        i += length;
    }
    return out;
}
