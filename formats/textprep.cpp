#include "textprep.h"

namespace {

// Drops comments, maps line ends to NUL and control bytes to blanks, and keeps one byte of
// every run of blanks and of every run of line ends. Returns the count written.
size_t stripComments(char* b, size_t from, size_t n)
{
    size_t out = 0;
    bool inComment = false;
    bool haveLast = false;
    char last = 0;
    for (size_t i = from; i < n; ++i) {
        const unsigned char byte = static_cast<unsigned char>(b[i]);
        char c = 0;
        if (byte == '\r' || byte == '\n') {
            // A line end closes a comment and still ends the line, whatever the line-end style.
            inComment = false;
            c = 0;
        } else if (inComment) {
            continue;
        } else if (byte == '!' || byte > 'z') {
            inComment = true;
            continue;
        } else if (byte < 0x20) {
            c = ' ';
        } else if (byte == ',') {
            c = '.';
        } else {
            c = static_cast<char>(byte);
        }
        const bool repeat = haveLast && c == last && (c == ' ' || c == 0);
        haveLast = true;
        last = c;
        if (!repeat)
            b[out++] = c;
    }
    return out;
}

// Removes blanks and line ends at the start, after a line end and before a line end.
size_t trimLines(char* b, size_t n)
{
    size_t out = 0;
    for (size_t i = 0; i < n; ++i) {
        const char c = b[i];
        if (c == ' ' || c == 0) {
            if (out == 0 || b[out - 1] == 0)
                continue;
            if (b[out - 1] == ' ') {
                b[out - 1] = 0;
                continue;
            }
        }
        b[out++] = c;
    }
    return out;
}

} // namespace

size_t normalizeText(char* buffer, size_t length)
{
    size_t from = 0;
    if (length >= 3 && static_cast<unsigned char>(buffer[0]) == 0xEF
        && static_cast<unsigned char>(buffer[1]) == 0xBB && static_cast<unsigned char>(buffer[2]) == 0xBF)
        from = 3;
    const size_t stripped = stripComments(buffer, from, length);
    const size_t prepared = trimLines(buffer, stripped);
    buffer[prepared] = 0;
    return prepared;
}
