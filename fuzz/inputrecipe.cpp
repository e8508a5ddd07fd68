#include "inputrecipe.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

// The file kinds a recipe may choose, by its first byte modulo their count.
const char* const kExtensions[] = { ".s1p", ".s2p", ".s3p", ".s4p", ".s12p", ".ts", ".dtu", ".csv" };
constexpr size_t kExtensionCount = sizeof(kExtensions) / sizeof(kExtensions[0]);
constexpr size_t kHalfMiB = size_t { 1 } << 19;
// Repetitions between the places two neighbouring edit positions name.
constexpr size_t kEditStride = 97;
constexpr size_t kFillerLine = size_t { 64 } << 10;
constexpr int kLongLineCopies = 1000;

struct Edit {
    uint8_t kind;
    uint8_t byte;
};

// Text up to the next 0x00 (or the end), and the position after it.
std::string takeField(const uint8_t*& p, const uint8_t* end)
{
    const uint8_t* stop = std::find(p, end, uint8_t { 0 });
    std::string field(p, stop);
    p = stop == end ? end : stop + 1;
    return field;
}

std::string numbered(const std::string& line, size_t n)
{
    const std::string number = std::to_string(n + 1);
    std::string out;
    for (const char c : line)
        out += c == '#' ? number : std::string(1, c);
    return out;
}

} // namespace

InputRecipe expandRecipe(const uint8_t* data, size_t size)
{
    InputRecipe recipe;
    if (size < 2)
        return recipe;
    recipe.extension = kExtensions[data[0] % kExtensionCount];
    const size_t target = (data[1] % 16 + 2) * kHalfMiB;
    const uint8_t* p = data + 2;
    const uint8_t* const end = data + size;
    recipe.text = takeField(p, end);
    const std::string line = takeField(p, end) + "\n";
    std::multimap<size_t, Edit> edits;
    for (; end - p >= 3; p += 3)
        edits.emplace(p[0] * kEditStride, Edit { static_cast<uint8_t>(p[1] % 5), p[2] });

    std::string& text = recipe.text;
    text.reserve(target + kFillerLine);
    for (size_t n = 0; text.size() < target; ++n) {
        std::string next = numbered(line, n);
        bool stop = false;
        const auto here = edits.equal_range(n);
        for (auto e = here.first; e != here.second; ++e) {
            const Edit& edit = e->second;
            switch (edit.kind) {
            case 0:
                next[edit.byte % next.size()] = static_cast<char>(edit.byte);
                break;
            case 1:
                next += std::string(kFillerLine, static_cast<char>(edit.byte)) + "\n";
                break;
            case 2:
                next.pop_back();
                next += ' ';
                break;
            case 3: {
                std::string copies;
                for (int k = 0; k < kLongLineCopies; ++k)
                    copies += numbered(line.substr(0, line.size() - 1), n) + " ";
                next += copies + "\n";
                break;
            }
            default:
                stop = true;
                break;
            }
        }
        text += next;
        if (stop)
            break;
    }
    return recipe;
}
