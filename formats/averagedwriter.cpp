#include "averagedwriter.h"

#include <cmath>
#include <string>

#include "angles.h"
#include "cformat.h"
#include "savefile.h"

namespace {

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
    return degreesOf(std::arg(s));
}

void writeText(SaveFile& file, const std::string& text)
{
    file.write(text.data(), text.size());
}

// The nine fields of point p: frequency in GHz, then dB and degrees of each column; false
// when one is not a finite number, which no reader of the file would take.
bool pointFields(const S2PPoint& p, double (&v)[9])
{
    v[0] = p.freq / 1e9;
    for (int c = 0; c < 4; ++c) {
        const Complex& s = p.sParams(kColumns[c][0], kColumns[c][1]);
        v[1 + 2 * c] = magnitudeDb(s);
        v[2 + 2 * c] = angleDegrees(s);
    }
    for (const double x : v)
        if (!std::isfinite(x))
            return false;
    return true;
}

LoadResult failWith(RubberS2PData& m, std::string* reason, const std::string& text, LoadResult result)
{
    m.sourcePath.clear();
    if (reason != nullptr)
        *reason = text;
    return result;
}

} // namespace

LoadResult writeAveragedS2P(RubberS2PData& m, const std::string& path, std::string* reason)
{
    if (m.dataValid == 0)
        return LoadSuccess;

    double v[9];
    int32_t finitePoints = 0;
    for (int32_t i = 0; i < m.itemCount; ++i)
        finitePoints += pointFields(*m.point(i), v) ? 1 : 0;
    if (finitePoints == 0)
        return failWith(m, reason, loadResultReason(LoadNoData), LoadNoData);

    SaveFile file;
    std::string error;
    if (!file.open(path, error))
        return failWith(m, reason, error, LoadCannotWrite);

    writeText(file, cFormat("! %s\r\n", kComment));
    writeText(file, kOptionLine);
    writeText(file, kColumnLine);
    for (int32_t i = 0; i < m.itemCount; ++i) {
        if (!pointFields(*m.point(i), v))
            continue;
        writeText(file,
            cFormat(" %-12lg %-12lg %-12lg %-12lg %-12lg %-12lg %-12lg %-12lg %-12lg\r\n", v[0], v[1], v[2],
                v[3], v[4], v[5], v[6], v[7], v[8]));
    }

    if (!file.commit(error))
        return failWith(m, reason, error, LoadCannotWrite);
    m.sourcePath = path;
    return LoadSuccess;
}
