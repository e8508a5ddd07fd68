#include "axisspinbox.h"

#include <QKeyEvent>
#include <QLineEdit>

AxisSpinBox::AxisSpinBox(QWidget* parent)
    : QAbstractSpinBox(parent)
{
    setAccelerated(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
}

void AxisSpinBox::setEditText(const QString& text)
{
    lineEdit()->setText(text);
}

void AxisSpinBox::stepBy(int steps)
{
    if (steps != 0)
        emit deltaPos(-steps);
}

QAbstractSpinBox::StepEnabled AxisSpinBox::stepEnabled() const
{
    return isEnabled() ? (StepUpEnabled | StepDownEnabled) : StepNone;
}

QValidator::State AxisSpinBox::validate(QString&, int&) const
{
    return QValidator::Acceptable;
}

void AxisSpinBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit returnPressed();
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}
