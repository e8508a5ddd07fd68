#pragma once

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <QTextStream>

#include <string>
#include <vector>

// Small helpers for the window tests: measurement files on disk and looks at the chart image.

// Slope of the transmission traces of the test files, in dB per MHz.
constexpr double s21SlopePerMHz = -0.02;

// A two-port Touchstone file in dB and degrees: every point carries s11dB for S11 and S22, and
// for S21 and S12 s21dB falling by s21SlopePerMHz from the first frequency on, all at 0
// degrees. Frequencies in MHz.
inline QString writeTouchstone(
    const QString& path, const std::vector<double>& freqsMHz, double s11dB, double s21dB)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    QTextStream out(&file);
    out << "! made by the window tests\n# MHz S DB R 50\n";
    for (double f : freqsMHz) {
        const double s21 = s21dB + s21SlopePerMHz * (f - freqsMHz.front());
        out << f << ' ' << s11dB << " 0 " << s21 << " 0 " << s21 << " 0 " << s11dB << " 0\n";
    }
    return path;
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
