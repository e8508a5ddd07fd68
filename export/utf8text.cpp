#include "utf8text.h"

#include <cstdint>

namespace {

const char replacement[] = "\xEF\xBF\xBD";

// Length of the valid UTF-8 sequence at text[i], or 0 when none starts there.
size_t sequenceLength(const std::string& text, size_t i)
{
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    const uint8_t lead = byte(i);
    if (lead < 0x80)
        return 1;
    size_t length = 0;
    uint32_t code = 0;
    uint32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - i < length)
        return 0;
    for (size_t k = 1; k < length; ++k) {
        const uint8_t next = byte(i + k);
        if ((next & 0xC0u) != 0x80u)
            return 0;
        code = (code << 6) | (next & 0x3Fu);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

std::string validUtf8(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const size_t length = sequenceLength(text, i);
        if (length == 0) {
            result += replacement;
            ++i;
            continue;
        }
        result.append(text, i, length);
        i += length;
    }
    return result;
}

size_t codePointCount(const std::string& text)
{
    size_t count = 0;
    for (const char c : text)
        if ((static_cast<uint8_t>(c) & 0xC0u) != 0x80u)
            ++count;
    return count;
}
