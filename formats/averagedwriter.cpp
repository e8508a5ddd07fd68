#include "averagedwriter.h"

#include <cmath>
#include <string>

#include "cformat.h"
#include "savefile.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

const char kComment[] = "Sprelin average calculated S2P";
const char kOptionLine[] = "# GHz    S       DB      R    50\r\n";
const char kColumnLine[] = "!FREQ         S11M         S11A         S21M         S21A         S12M         "
                           "S12A         S22M         "
                           "S22A\r\n";

// The file's column order: S11, S21, S12, S22 as (row, column).
constexpr int kColumns[4][2] = { { 0, 0 }, { 1, 0 }, { 0, 1 }, { 1, 1 } };

double magnitudeDb(const Complex& s)
{
    const double a = std::abs(s);
    return a > 0.0 ? 20.0 * std::log10(a) : 0.0;
}

double angleDegrees(const Complex& s)
{
    return std::arg(s) * 180.0 / kPi;
}

void writeText(SaveFile& file, const std::string& text)
{
    file.write(text.data(), text.size());
}

} // namespace

LoadResult writeAveragedS2P(RubberS2PData& m, const std::string& path)
{
    if (m.dataValid == 0)
        return LoadSuccess;

    SaveFile file;
    if (!file.open(path)) {
        m.sourcePath.clear();
        return LoadCannotWrite;
    }

    writeText(file, cFormat("! %s\r\n", kComment));
    writeText(file, kOptionLine);
    writeText(file, kColumnLine);

    for (int32_t i = 0; i < m.itemCount; ++i) {
        const S2PPoint* p = m.point(i);
        double v[9];
        v[0] = p->freq / 1e9;
        for (int c = 0; c < 4; ++c) {
            const Complex& s = p->sParams(kColumns[c][0], kColumns[c][1]);
            v[1 + 2 * c] = magnitudeDb(s);
            v[2 + 2 * c] = angleDegrees(s);
        }
        writeText(file,
            cFormat(" %-12lg %-12lg %-12lg %-12lg %-12lg %-12lg %-12lg %-12lg %-12lg\r\n", v[0], v[1], v[2],
                v[3], v[4], v[5], v[6], v[7], v[8]));
    }

    if (!file.commit()) {
        m.sourcePath.clear();
        return LoadCannotWrite;
    }
    m.sourcePath = path;
    return LoadSuccess;
}
