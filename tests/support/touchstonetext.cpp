#include "touchstonetext.h"

#include <locale>
#include <sstream>

TouchstoneLine levelsLine(double freq, double s11dB, double s21dB)
{
    return TouchstoneLine { freq, { s11dB, 0, s21dB, 0, s21dB, 0, s11dB, 0 } };
}

std::string touchstoneText(
    const std::string& options, const std::vector<TouchstoneLine>& lines, const std::string& comment)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    if (!comment.empty())
        out << "! " << comment << '\n';
    out << "# " << options << '\n';
    for (const TouchstoneLine& line : lines) {
        out << line.freq;
        for (double v : line.values)
            out << ' ' << v;
        out << '\n';
    }
    return out.str();
}
