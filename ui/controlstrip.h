#pragma once

#include <QWidget>

#include <array>

#include "tracevalues.h"

class AxisSpinBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct UiTexts;

// The strip along the top of the main window: the value axis (Auto Y, minimum, maximum, step),
// the frequency axis (Auto X, minimum, maximum, step) with its unit and Apply, dB or VSWR,
// the reference measurement and the eight trace check boxes. It only holds the controls; the
// main window reads and writes them.
class ControlStrip : public QWidget {
    Q_OBJECT
public:
    explicit ControlStrip(QWidget* parent = nullptr);

    // Sets every text that depends on the language; the unit keeps its entry.
    void applyTexts(const UiTexts& texts);

    QCheckBox* autoYBox;
    QLabel* yMinLabel;
    AxisSpinBox* yMinEdit;
    QLabel* yMaxLabel;
    AxisSpinBox* yMaxEdit;
    QLabel* yStepLabel;
    QLineEdit* yStepEdit;
    QCheckBox* autoXBox;
    QLabel* xMinLabel;
    AxisSpinBox* xMinEdit;
    QLabel* xMaxLabel;
    AxisSpinBox* xMaxEdit;
    QLabel* xStepLabel;
    QLineEdit* xStepEdit;
    QComboBox* unitCombo;
    QPushButton* applyButton;
    QRadioButton* dbRadio;
    QRadioButton* vswrRadio;
    QLabel* relativeLabel;
    QComboBox* referenceCombo;
    // The trace check boxes in trace order (S11M, S11A, S21M, ...).
    std::array<QCheckBox*, tracesPerMeasurement> traceBoxes;
};
