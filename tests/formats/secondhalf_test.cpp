#include <gtest/gtest.h>

#include <string>

#include "secondhalf.h"

// The estimate of a prepared text's lines, by which a large file's points are reserved, starts
// from its first line, also where the text begins with the NUL that ended the option line.
TEST(SecondHalf, EstimatedLinesHoldEveryLineWithAnEighthToSpare)
{
    std::string lines;
    for (int k = 0; k < 800; ++k)
        lines += std::string("1 2 3 4", 7) + '\0';
    struct Row {
        const char* name;
        std::string text;
        size_t least;
        size_t most;
    };
    const Row rows[] = {
        { "lines alone", lines, 800, 800 + 800 / 8 + 1 },
        { "behind the option line's NUL", std::string(1, '\0') + lines, 800, 800 + 800 / 8 + 1 },
        { "no line end", "1 2 3", 1, 1 },
        { "nothing but NULs", std::string(4, '\0'), 1, 1 },
    };
    for (const Row& row : rows) {
        const size_t estimate = estimatedLines(row.text.data(), row.text.data() + row.text.size());
        EXPECT_GE(estimate, row.least) << row.name;
        EXPECT_LE(estimate, row.most) << row.name;
    }
}
