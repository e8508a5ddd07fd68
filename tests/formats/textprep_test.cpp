#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "textprep.h"

namespace {

// The prepared text with its line-ending NULs shown as '|'.
std::string prepare(const std::string& text)
{
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\x7f'); // the spare byte, deliberately not a NUL
    const size_t n = normalizeText(buffer.data(), text.size());
    EXPECT_LE(n, text.size());
    EXPECT_EQ(buffer[n], '\0');
    std::string shown(buffer.data(), n);
    for (char& c : shown)
        if (c == '\0')
            c = '|';
    return shown;
}

} // namespace

TEST(TextPreparation, LeavesOneTrimmedLinePerTextLine)
{
    struct Row {
        const char* name;
        std::string text;
        std::string prepared;
    };
    const Row rows[] = {
        { "blanks collapse", "  1   2\t\t3  \r\n", "1 2 3|" },
        { "empty lines vanish", "\r\n\r\n1\r\n\r\n\n2", "1|2" },
        { "comma becomes point", "1,5 2,25\n", "1.5 2.25|" },
        { "blank before line end", "1 \n 2 \n", "1|2|" },
        { "blank line of blanks", "1\n   \n2", "1|2" },
        { "control bytes are blanks",
            std::string("1\x01\x02"
                        "2\0"
                        "3",
                6),
            "1 2 3" },
        { "empty text", "", "" },
        { "only line ends", "\r\n\n\r", "" },
    };
    for (const Row& row : rows)
        EXPECT_EQ(prepare(row.text), row.prepared) << row.name;
}

TEST(TextPreparation, RemovesComments)
{
    struct Row {
        const char* name;
        std::string text;
        std::string prepared;
    };
    const Row rows[] = {
        { "whole line", "! header\r\n# GHz\r\n", "# GHz|" },
        { "after data, CR LF", "1 2 ! note\r\n3 4\r\n", "1 2|3 4|" },
        { "after data, LF alone", "1 2 ! note\n3 4\n", "1 2|3 4|" },
        { "after data, CR alone", "1 2 ! note\r3 4\r", "1 2|3 4|" },
        { "byte above z", "1 2 {x}\n3\n", "1 2|3|" },
        { "cyrillic line", "\xD7\xE0\xF1\xF2\xEE\xF2\xE0 1 2\n3\n", "3|" },
        { "comment at end of text", "1 ! tail", "1 " },
    };
    for (const Row& row : rows)
        EXPECT_EQ(prepare(row.text), row.prepared) << row.name;
}

TEST(TextPreparation, SkipsALeadingByteOrderMarkOnly)
{
    EXPECT_EQ(prepare("\xEF\xBB\xBF# MHz S RI\n1 2\n"), "# MHz S RI|1 2|");
    // Without the full mark the high bytes start a comment as usual.
    EXPECT_EQ(prepare("\xEF\xBB# MHz\n1\n"), "1|");
    EXPECT_EQ(prepare("\xEF\xBB\xBF"), "");
}

namespace {

// The preparation written out as two separate passes over a copy, byte by byte, to check the
// one-pass version against.
std::string referencePreparation(const std::string& text)
{
    size_t from = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    std::string first;
    bool inComment = false;
    bool haveLast = false;
    char last = 0;
    for (size_t i = from; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        char c;
        if (byte == '\r' || byte == '\n') {
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
        const bool repeat = haveLast && last == c && (c == ' ' || c == 0);
        haveLast = true;
        last = c;
        if (!repeat)
            first.push_back(c);
    }
    std::string second;
    for (const char c : first) {
        if ((c == ' ' || c == 0) && (second.empty() || second.back() == 0))
            continue;
        if ((c == ' ' || c == 0) && second.back() == ' ') {
            second.back() = 0;
            continue;
        }
        second.push_back(c);
    }
    for (char& c : second)
        if (c == '\0')
            c = '|';
    return second;
}

} // namespace

TEST(TextPreparation, MatchesTheTwoPassRuleOnGeneratedText)
{
    // Long plain runs, comments, commas and every kind of separator, in random mixtures.
    const std::string pieces[]
        = { "0.1234567891", "-2.5e-3", " ", "  ", "\t", "\r\n", "\n", "\r", "! note ", ",", "\xD0", "{}", "#",
              "1234567890123456789012345", "\x01", "x", "\xEF\xBB\xBF", "MHz", "!", "\n\n" };
    unsigned seed = 12345;
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int count = round % 60;
        for (int k = 0; k < count; ++k) {
            seed = seed * 1103515245u + 12345u;
            text += pieces[(seed >> 16) % (sizeof pieces / sizeof pieces[0])];
        }
        ASSERT_EQ(prepare(text), referencePreparation(text)) << "round " << round;
    }
}
