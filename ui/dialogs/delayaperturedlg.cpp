#include "delayaperturedlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "phasetexts.h"
#include "phasetraces.h"
#include "templategeometry.h"

OddSpinBox::OddSpinBox(QWidget* parent)
    : QSpinBox(parent)
{
    setRange(minimumDelayAperture, maximumDelayAperture);
    setSingleStep(2);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

QValidator::State OddSpinBox::validate(QString& input, int& pos) const
{
    const QValidator::State state = QSpinBox::validate(input, pos);
    if (state != QValidator::Acceptable)
        return state;
    return valueFromText(input) % 2 == 1 ? QValidator::Acceptable : QValidator::Intermediate;
}

void OddSpinBox::fixup(QString& input) const
{
    QSpinBox::fixup(input);
    bool ok = false;
    int value = input.trimmed().toInt(&ok);
    if (!ok)
        return;
    value = std::clamp(value, minimum(), maximum());
    if (value % 2 == 0)
        value = value + 1 <= maximum() ? value + 1 : value - 1;
    input = textFromValue(value);
}

DelayApertureDlg::DelayApertureDlg(
    int32_t points, double stepLow, double stepHigh, Language language, QWidget* parent)
    : QDialog(parent)
    , textLanguage(language)
    , lowStep(stepLow)
    , highStep(stepHigh)
{
    const TemplateGeometry units(fontMetrics());
    setFixedSize(units.size(220, 62));
    const bool russian = language == Language::russian;
    setWindowTitle(russian ? QString::fromUtf8("Апертура группового времени запаздывания")
                           : QStringLiteral("Group delay aperture"));

    promptLabel = new QLabel(this);
    promptLabel->setObjectName(QStringLiteral("promptLabel"));
    promptLabel->setGeometry(units.rect(7, 7, 206, 10));
    const QString prompt = russian ? QString::fromUtf8("Точек в апертуре (нечётное, от %1 до %2):")
                                   : QStringLiteral("Points in the aperture (odd, %1 to %2):");
    promptLabel->setText(prompt.arg(minimumDelayAperture).arg(maximumDelayAperture));

    pointsBox = new OddSpinBox(this);
    pointsBox->setObjectName(QStringLiteral("pointsBox"));
    pointsBox->setGeometry(units.rect(7, 20, 44, 14));
    pointsBox->setValue(delayApertureOf(points));
    promptLabel->setBuddy(pointsBox);

    widthLabel = new QLabel(this);
    widthLabel->setObjectName(QStringLiteral("widthLabel"));
    widthLabel->setGeometry(units.rect(57, 22, 156, 10));

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setGeometry(units.rect(109, 42, 50, 14));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, [this] {
        pointsBox->interpretText();
        accept();
    });

    cancelButton = new QPushButton(russian ? QString::fromUtf8("Отмена") : QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setGeometry(units.rect(163, 42, 50, 14));
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    connect(pointsBox, &QSpinBox::valueChanged, this, &DelayApertureDlg::showWidth);
    showWidth();
    pointsBox->setFocus();
    pointsBox->selectAll();
}

int32_t DelayApertureDlg::aperture() const
{
    return delayApertureOf(pointsBox->value());
}

QString DelayApertureDlg::widthText() const
{
    return widthLabel->text();
}

void DelayApertureDlg::showWidth()
{
    const int32_t points = aperture();
    widthLabel->setText(QString::fromStdString(
        apertureLabel(textLanguage, points, (points - 1) * lowStep, (points - 1) * highStep)));
}
