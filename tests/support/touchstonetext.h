#pragma once

#include <array>
#include <string>
#include <vector>

// One data line of a two-port Touchstone file: the frequency in the file's unit and the pairs
// of S11, S21, S12 and S22 in the file's format.
struct TouchstoneLine {
    double freq;
    std::array<double, 8> values;
};

// A line in dB and degrees whose S11 and S22 lie at s11dB and whose S21 and S12 lie at s21dB,
// all at 0 degrees.
TouchstoneLine levelsLine(double freq, double s11dB, double s21dB);

// The text of a two-port Touchstone file: the comment line when one is given, the option line
// ("MHz S DB R 50") and one line per point, numbers as printf's %g writes them in the C locale.
std::string touchstoneText(
    const std::string& options, const std::vector<TouchstoneLine>& lines, const std::string& comment = "");
