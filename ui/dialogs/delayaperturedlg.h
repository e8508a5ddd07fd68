#pragma once

#include <QDialog>
#include <QSpinBox>

#include <cstdint>

#include "language.h"

class QLabel;
class QPushButton;

// A spin box of odd numbers: its arrows step by two, and an even number typed into it is not
// taken as it stands but moved up to the next odd one (down at the top of the range).
class OddSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit OddSpinBox(QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
};

// View > Group delay aperture: the number of points, odd, from minimumDelayAperture to
// maximumDelayAperture, over which the group delay's line is fitted, and beside it the width
// that many points take in frequency on the loaded measurements. OK ends it with Accepted,
// Cancel and Escape with Rejected.
class DelayApertureDlg : public QDialog {
    Q_OBJECT
public:
    // points: the aperture in force; stepLow and stepHigh: the smallest and largest mean
    // frequency step of the loaded measurements in hertz (0 when none is known).
    DelayApertureDlg(
        int32_t points, double stepLow, double stepHigh, Language language, QWidget* parent = nullptr);

    // The aperture chosen, always a usable one.
    int32_t aperture() const;
    // The width text beside the spin box: "aperture 5 points, 8 MHz"; empty without steps.
    QString widthText() const;

private:
    void showWidth();

    Language textLanguage;
    double lowStep;
    double highStep;
    QLabel* promptLabel = nullptr;
    OddSpinBox* pointsBox = nullptr;
    QLabel* widthLabel = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
};
