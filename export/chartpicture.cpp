#include "chartpicture.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>

#include "presentchart.h"
#include "renderchart.h"
#include "savefile.h"

namespace {

constexpr int svgPixelsPerInch = 96;

bool encodePng(const QImage& image, QByteArray& bytes)
{
    QBuffer buffer(&bytes);
    return !image.isNull() && buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG");
}

bool encodeSvg(ChartState& state, const ChartLegend* legend, QByteArray& bytes)
{
    const ChartView& chart = state.chart;
    if (!chart.isAttached() || chart.chartBitmap.isNull())
        return false;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return false;
    const QSize size(chart.frameRect.width(), chart.frameRect.height());
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    // Pixels of the frame are CSS pixels, so that viewers show the document at the image's size.
    svg.setResolution(svgPixelsPerInch);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Sprelin chart"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    paintDrawnChart(painter, state);
    if (legend != nullptr)
        paintChartLegend(painter, chart, *legend);
    return painter.end() && !bytes.isEmpty();
}

} // namespace

PictureFormat pictureFormatOf(const std::string& path)
{
    const std::string suffix = ".svg";
    if (path.size() < suffix.size())
        return PictureFormat::Png;
    const bool svg
        = std::equal(suffix.begin(), suffix.end(), path.end() - static_cast<std::ptrdiff_t>(suffix.size()),
            [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
    return svg ? PictureFormat::Svg : PictureFormat::Png;
}

QImage chartImage(ChartState& state, const ChartLegend* legend)
{
    QImage image = presentChart(state.chart);
    if (!image.isNull() && legend != nullptr) {
        QPainter painter(&image);
        paintChartLegend(painter, state.chart, *legend);
    }
    return image;
}

bool encodeChartPicture(ChartState& state, PictureFormat format, const ChartLegend* legend, QByteArray& bytes)
{
    bytes.clear();
    if (format == PictureFormat::Svg)
        return encodeSvg(state, legend, bytes);
    return encodePng(chartImage(state, legend), bytes);
}

bool saveChartPicture(
    ChartState& state, const ChartLegend* legend, const std::string& path, std::string& error)
{
    error.clear();
    QByteArray bytes;
    if (!encodeChartPicture(state, pictureFormatOf(path), legend, bytes)) {
        error = "The chart image could not be made (nothing is drawn, or out of memory).";
        return false;
    }
    SaveFile file;
    std::string reason;
    if (file.open(path, reason))
        file.write(bytes.constData(), static_cast<size_t>(bytes.size()));
    if (!reason.empty() || !file.commit(reason)) {
        error = path + ": " + reason;
        return false;
    }
    return true;
}
