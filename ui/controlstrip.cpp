#include "controlstrip.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "axisspinbox.h"
#include "dialogunits.h"
#include "uitexts.h"
#include "unitmultiplier.h"

namespace {

// Columns of the strip's grid.
enum Column {
    yLabelColumn,
    yEditColumn,
    xLabelColumn = yEditColumn + 2,
    xEditColumn,
    unitColumn = xEditColumn + 2,
    firstTraceColumn = unitColumn + 2,
    lastColumn = firstTraceColumn + 5
};

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

ControlStrip::ControlStrip(QWidget* parent)
    : QWidget(parent)
{
    const DialogUnits du(fontMetrics());

    autoYBox = named(new QCheckBox(this), "autoYBox");
    yMinLabel = named(new QLabel(this), "yMinLabel");
    yMinEdit = named(new AxisSpinBox(this), "yMinEdit");
    yMaxLabel = named(new QLabel(this), "yMaxLabel");
    yMaxEdit = named(new AxisSpinBox(this), "yMaxEdit");
    yStepLabel = named(new QLabel(this), "yStepLabel");
    yStepEdit = named(new QLineEdit(this), "yStepEdit");
    autoXBox = named(new QCheckBox(this), "autoXBox");
    xMinLabel = named(new QLabel(this), "xMinLabel");
    xMinEdit = named(new AxisSpinBox(this), "xMinEdit");
    xMaxLabel = named(new QLabel(this), "xMaxLabel");
    xMaxEdit = named(new AxisSpinBox(this), "xMaxEdit");
    xStepLabel = named(new QLabel(this), "xStepLabel");
    xStepEdit = named(new QLineEdit(this), "xStepEdit");
    unitCombo = named(new QComboBox(this), "unitCombo");
    applyButton = named(new QPushButton(this), "applyButton");
    dbRadio = named(new QRadioButton(this), "dbRadio");
    vswrRadio = named(new QRadioButton(this), "vswrRadio");
    relativeLabel = named(new QLabel(this), "relativeLabel");
    referenceCombo = named(new QComboBox(this), "referenceCombo");
    for (int32_t k = 0; k < tracesPerMeasurement; ++k) {
        traceBoxes[k] = new QCheckBox(QLatin1String(traceName(k)), this);
        traceBoxes[k]->setObjectName(QStringLiteral("trace") + QLatin1String(traceName(k)));
    }

    auto* magnitudeGroup = new QButtonGroup(this);
    magnitudeGroup->addButton(dbRadio);
    magnitudeGroup->addButton(vswrRadio);
    applyButton->setDefault(true);
    applyButton->setAutoDefault(false);
    referenceCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    referenceCombo->setMinimumContentsLength(8);
    for (int32_t k = 0; k < unitCount; ++k)
        unitCombo->addItem(QString());

    // Widths of the design: 54 units for an edit, 11 more for its arrows, 38 for the unit
    // box, 40 for Apply and 140 for the reference box.
    for (AxisSpinBox* box : { yMinEdit, yMaxEdit, xMinEdit, xMaxEdit })
        box->setFixedWidth(du.x(65));
    for (QLineEdit* edit : { yStepEdit, xStepEdit })
        edit->setFixedWidth(du.x(54));
    unitCombo->setMinimumWidth(du.x(38));
    applyButton->setMinimumWidth(du.x(40));
    referenceCombo->setFixedWidth(du.x(140));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(du.x(4), du.y(2), du.x(4), du.y(1));
    grid->setHorizontalSpacing(du.x(3));
    grid->setVerticalSpacing(du.y(1));

    grid->addWidget(autoYBox, 0, yLabelColumn, 1, 2);
    grid->addWidget(yMinLabel, 1, yLabelColumn);
    grid->addWidget(yMinEdit, 1, yEditColumn);
    grid->addWidget(yMaxLabel, 2, yLabelColumn);
    grid->addWidget(yMaxEdit, 2, yEditColumn);
    grid->addWidget(yStepLabel, 3, yLabelColumn);
    grid->addWidget(yStepEdit, 3, yEditColumn, Qt::AlignLeft);

    grid->addWidget(autoXBox, 0, xLabelColumn, 1, 2);
    grid->addWidget(xMinLabel, 1, xLabelColumn);
    grid->addWidget(xMinEdit, 1, xEditColumn);
    grid->addWidget(xMaxLabel, 2, xLabelColumn);
    grid->addWidget(xMaxEdit, 2, xEditColumn);
    grid->addWidget(xStepLabel, 3, xLabelColumn);
    grid->addWidget(xStepEdit, 3, xEditColumn, Qt::AlignLeft);

    grid->addWidget(unitCombo, 1, unitColumn);
    grid->addWidget(applyButton, 2, unitColumn);

    grid->addWidget(dbRadio, 0, firstTraceColumn);
    grid->addWidget(vswrRadio, 1, firstTraceColumn);
    grid->addWidget(relativeLabel, 0, firstTraceColumn + 1, 1, 4);
    grid->addWidget(referenceCombo, 1, firstTraceColumn + 1, 1, 4, Qt::AlignLeft);
    // The trace boxes in four columns, magnitude over phase: S11, S21, S12, S22.
    for (int32_t port = 0; port < 4; ++port) {
        grid->addWidget(traceBoxes[2 * port], 2, firstTraceColumn + port);
        grid->addWidget(traceBoxes[2 * port + 1], 3, firstTraceColumn + port);
    }

    // Gaps between the groups, as in the design.
    grid->setColumnMinimumWidth(yEditColumn + 1, du.x(6));
    grid->setColumnMinimumWidth(xEditColumn + 1, du.x(6));
    grid->setColumnMinimumWidth(unitColumn + 1, du.x(12));
    for (int32_t c = firstTraceColumn; c < firstTraceColumn + 4; ++c)
        grid->setColumnMinimumWidth(c, du.x(36));
    grid->setColumnStretch(lastColumn, 1);
}

void ControlStrip::applyTexts(const UiTexts& texts)
{
    autoYBox->setText(texts.autoY);
    yMinLabel->setText(texts.yMin);
    yMaxLabel->setText(texts.yMax);
    yStepLabel->setText(texts.yStep);
    autoXBox->setText(texts.autoX);
    xMinLabel->setText(texts.xMin);
    xMaxLabel->setText(texts.xMax);
    xStepLabel->setText(texts.xStep);
    applyButton->setText(texts.apply);
    dbRadio->setText(texts.db);
    vswrRadio->setText(texts.vswr);
    relativeLabel->setText(texts.relativeTo);
    const int unit = unitCombo->currentIndex();
    for (int32_t k = 0; k < unitCount; ++k)
        unitCombo->setItemText(k, texts.unitNames[k]);
    unitCombo->setCurrentIndex(unit);
}
