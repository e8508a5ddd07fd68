#pragma once

#include <QAbstractSpinBox>

// An axis edit box with its up-down arrows. The text is free: what it means is read by the
// main window, never by the box. Each step of the arrows, keys or wheel is reported as the
// up-down control's position delta: negative for the upper arrow, positive for the lower one.
class AxisSpinBox : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit AxisSpinBox(QWidget* parent = nullptr);

    void setEditText(const QString& text);

    void stepBy(int steps) override;

signals:
    void deltaPos(int delta);
    // Enter was pressed in the box.
    void returnPressed();

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void keyPressEvent(QKeyEvent* event) override;
};
