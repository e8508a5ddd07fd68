#pragma once

#include <QImage>
#include <QWidget>

// The rectangle the chart is shown in. It only shows the image it was given (the finished
// chart with any cursor line or rubber rectangle already over it); white until the first one.
class ChartFrame : public QWidget {
    Q_OBJECT
public:
    explicit ChartFrame(QWidget* parent = nullptr);

    void present(const QImage& image);
    const QImage& shownImage() const { return image; }

signals:
    // The frame's size changed; the chart should be drawn anew for it.
    void resized(QSize size);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage image;
};
