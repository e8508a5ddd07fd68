#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

#include "filetext.h"
#include "touchstonetext.h"

// Small helpers for the window tests: measurement files on disk and looks at the chart image.

// Slope of the transmission traces of the test files, in dB per MHz.
constexpr double s21SlopePerMHz = -0.02;

// A two-port Touchstone file in dB and degrees: every point carries s11dB for S11 and S22, and
// for S21 and S12 s21dB falling by s21SlopePerMHz from the first frequency on, all at 0
// degrees. Frequencies in MHz. Returns the path, or an empty text when it cannot be written.
inline QString writeTouchstone(
    const QString& path, const std::vector<double>& freqsMHz, double s11dB, double s21dB)
{
    std::vector<TouchstoneLine> lines;
    for (double f : freqsMHz)
        lines.push_back(levelsLine(f, s11dB, s21dB + s21SlopePerMHz * (f - freqsMHz.front())));
    const std::string text = touchstoneText("MHz S DB R 50", lines, "made by the window tests");
    return writeAll(path.toStdString(), text) ? path : QString();
}

// Frequencies from first to last MHz in steps of step MHz.
inline std::vector<double> sweepMHz(double first, double last, double step)
{
    std::vector<double> f;
    for (double v = first; v <= last + step / 2; v += step)
        f.push_back(v);
    return f;
}

// Number of pixels of exactly this colour in the image.
inline int countPixels(const QImage& image, const QColor& colour)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRgb wanted = colour.rgb();
    int count = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == (wanted & 0xFFFFFF))
                ++count;
        }
    }
    return count;
}

inline std::vector<std::string> toStd(const QStringList& paths)
{
    std::vector<std::string> result;
    for (const QString& p : paths)
        result.push_back(p.toStdString());
    return result;
}
