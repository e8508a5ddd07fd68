#include "listingtext.h"

#include "cformat.h"

std::string escaped(const std::string& text)
{
    std::string line;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n')
            line += "\\n";
        else if (c == '\t')
            line += "\\t";
        else if (c == '\\')
            line += "\\\\";
        else if (byte < 0x20 || byte == 0x7f)
            line += cFormat("\\x%02x", byte);
        else
            line += c;
    }
    return line;
}
