#pragma once

#include <QWidget>

// The splitter band over the edge between the chart and the file list: invisible, with the
// west-east sizing cursor. Moving the pointer with the left button held, after a press on the
// band, drags the splitter.
class SplitterHandle : public QWidget {
    Q_OBJECT
public:
    explicit SplitterHandle(QWidget* parent = nullptr);

signals:
    // The pointer moved to x, in the parent's coordinates, with the left button held.
    void dragged(int x);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool dragging = false;
};
