#pragma once

#include <QImage>
#include <QWidget>

#include "presentchart.h"

class ChartView;

// The rectangle the chart is shown in. It paints the chart's finished image with the overlay (a
// cursor line or a rubber rectangle) over it, straight from the chart; white until the first
// chart. It holds no logic: the chart decides what the image and the overlay are.
class ChartFrame : public QWidget {
    Q_OBJECT
public:
    explicit ChartFrame(QWidget* parent = nullptr);

    // Shows the chart's image, newly drawn, with the overlay over it.
    void present(ChartView& chart, const ChartOverlay& overlay = ChartOverlay());
    // Moves the overlay over the image already shown; only the pixels of the old and the new
    // overlay are painted again.
    void moveOverlay(const ChartOverlay& overlay);
    // What the frame shows: the image with its overlay, or a null image before the first chart.
    QImage shownImage() const;

signals:
    // The frame's size changed; the chart should be drawn anew for it.
    void resized(QSize size);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRegion overlayRegion(const ChartOverlay& shown) const;

    ChartView* chart = nullptr;
    ChartOverlay overlay;
};
