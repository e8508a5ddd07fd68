#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QSize>

#include <array>
#include <atomic>
#include <cstdint>

#include "pixelrect.h"
#include "tracepalette.h"

// The chart object: trace colours and pens, label font, the off-screen image that holds the
// finished chart, and the margins around the plot area. It knows its frame only by its size
// in pixels, which the owner passes to attach and updates with setFrameSize, so it draws
// without any window. Fonts need a running QGuiApplication.
class ChartView {
public:
    ChartView();
    ChartView(const ChartView&) = delete;
    ChartView& operator=(const ChartView&) = delete;
    ~ChartView();

    // Prepares drawing into a frame of frameSize pixels, labelled in fontDescription: makes
    // the pens, brush and font, an image of the frame's size painted white with a black
    // outline, and the margins. Releases an earlier attachment first; an invalid size
    // (QSize()) stands for a missing frame and leaves the chart detached.
    void attach(const QFont& fontDescription, QSize frameSize);
    // Drops the image, pens, brush and font and forgets the frame.
    void release();
    bool isAttached() const { return attached; }

    // The frame's current size; drawing adopts it when it differs from frameRect. Ignored
    // while detached or for an invalid size.
    void setFrameSize(QSize size);
    QSize frameSize() const { return currentFrameSize; }

    // The frame's area (left 0, top 0) less the left, right and bottom margins.
    PixelRect plotRect() const;

    // Gives palette slot a new colour and, while attached, its trace pen too; other slots
    // are ignored.
    void setPaletteColour(int32_t slot, const QColor& colour);

    // The fixed font the margins are measured in: the room for labels does not depend on
    // the label font the frame's owner chooses.
    static QFont surfaceDefaultFont();
    // A label font for owners without a font of their own, such as the batch renderer.
    static QFont defaultLabelFont();

    TracePalette palette;
    QColor backgroundColour;
    int32_t labelWidth = 0; // width of "0000000", room for the value labels
    int32_t bottomMargin = 0; // height of "0000000", room for the frequency labels
    int32_t leftMargin = 0; // equal to labelWidth
    int32_t rightMargin = 0;
    std::atomic<int32_t> busy { 0 }; // 1 while the image is drawn or presented
    QImage chartBitmap; // the finished chart, the frame's size as of frameRect
    QPen gridPen; // dotted, 1 pixel, black
    std::array<QPen, paletteSize> tracePens; // solid, 2 pixels, pen i in palette colour i
    QPen framePen; // solid, 1 pixel, black
    PixelRect frameRect; // the frame's area when the image was last sized
    QBrush backgroundBrush;
    QFont chartFont;

private:
    static QPen makeTracePen(const QColor& colour);

    bool attached = false;
    QSize currentFrameSize;
};
