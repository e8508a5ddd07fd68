#pragma once

#include <QByteArray>
#include <QImage>

#include <string>

#include "chartlegend.h"
#include "chartstate.h"

// The picture formats a chart is saved in.
enum class PictureFormat { Png, Svg };

// The format a path asks for by its extension: SVG for ".svg" in any case, PNG otherwise.
PictureFormat pictureFormatOf(const std::string& path);

// The chart's last drawing as an image of its frame's size, exactly as the window shows it
// without cursor or rubber band, with the legend painted over it when one is given. A null
// image while the chart has none.
QImage chartImage(ChartState& state, const ChartLegend* legend);

// The chart's picture encoded in format: the PNG of chartImage, or an SVG document of the
// frame's size that strokes the same curves, grid and labels as vector paths in the same
// colours, with the same legend. False when there is no drawing or encoding ran out of memory.
bool encodeChartPicture(
    ChartState& state, PictureFormat format, const ChartLegend* legend, QByteArray& bytes);

// Writes the chart's picture, in the format of the path's extension, through SaveFile (whole or
// not at all; "-" is standard output). False with a sentence in error ("PATH: not writable:
// REASON") when it could not be made or written.
bool saveChartPicture(
    ChartState& state, const ChartLegend* legend, const std::string& path, std::string& error);
