#include "cellname.h"

#include "cformat.h"

namespace {

// Columns with at most three letters, A to ZZZ.
constexpr int32_t namedColumns = 26 + 26 * 26 + 26 * 26 * 26;

} // namespace

std::string cellName(int32_t column, int32_t row)
{
    if (column < 0 || column >= namedColumns || row < 0 || row == INT32_MAX)
        return std::string();
    // A negative letter value marks an absent letter.
    const int32_t c1 = column % 26;
    const int32_t c2 = (column / 26 - 1) % 26;
    const int32_t c3 = ((column / 26 - 1) / 26 - 1) % 26;
    const int number = row + 1;
    if (c3 >= 0)
        return cFormat("%c%c%c%d", 'A' + c3, 'A' + c2, 'A' + c1, number);
    if (c2 < 0)
        return cFormat("%c%d", 'A' + c1, number);
    return cFormat("%c%c%d", 'A' + c2, 'A' + c1, number);
}
