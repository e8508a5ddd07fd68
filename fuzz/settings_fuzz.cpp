// Any bytes as the settings file. The settings read from it are valid (every double finite);
// written back into the file, as the window does when it closes, they read back as they were,
// doubles to the six significant digits of their "%lg" form; a second write and read changes
// nothing at all.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <tuple>

#include "fuzzinput.h"
#include "settingsrecord.h"

namespace {

// Every double field of the record, in one order.
std::array<double, 7> doubles(const SettingsRecord& r)
{
    return { r.MX, r.MinX, r.MaxX, r.dX, r.MinY, r.MaxY, r.dY };
}

// Every field but the doubles, as one comparable whole.
auto others(const SettingsRecord& r)
{
    return std::make_tuple(r.Topmost, r.Filter, r.columnWidth[0], r.columnWidth[1], r.columnWidth[2],
        r.columnWidth[3], r.columnWidth[4], r.listWidth, r.Left, r.Top, r.Right, r.Bottom, r.AutoX, r.AutoY,
        r.Units, r.S11m, r.S12m, r.S21m, r.S22m, r.S11a, r.S12a, r.S21a, r.S22a, r.Language, r.OpenFolder);
}

// Equal to the six significant digits "%lg" keeps; values that small ones round to nothing
// in print count as equal.
bool closeEnough(double a, double b)
{
    return std::abs(a - b) <= 1e-5 * std::max(std::abs(a), std::abs(b)) + 1e-300;
}

SettingsRecord readFrom(const std::string& path)
{
    SettingsRecord record;
    readSettings(record, path);
    return record;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzzFolder() + "/sprelin.ini";
    if (!writeFuzzFile(path, std::string(reinterpret_cast<const char*>(data), size)))
        std::abort();

    const SettingsRecord first = readFrom(path);
    for (const double v : doubles(first))
        if (!std::isfinite(v))
            std::abort();
    if (!writeSettings(first, path))
        std::abort();
    const SettingsRecord second = readFrom(path);
    const std::array<double, 7> before = doubles(first);
    const std::array<double, 7> after = doubles(second);
    if (others(first) != others(second)
        || !std::equal(before.begin(), before.end(), after.begin(), closeEnough))
        std::abort();

    if (!writeSettings(second, path))
        std::abort();
    const SettingsRecord third = readFrom(path);
    if (others(second) != others(third) || doubles(second) != doubles(third))
        std::abort();
    return 0;
}
