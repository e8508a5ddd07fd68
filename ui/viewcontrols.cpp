#include "viewcontrols.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "axisedits.h"
#include "axisspinbox.h"
#include "busycursor.h"
#include "chartframe.h"
#include "chartstate.h"
#include "controlstrip.h"
#include "filelistcontroller.h"
#include "filelistrows.h"
#include "phasetraces.h"
#include "recomputechart.h"
#include "settingsrecord.h"
#include "unitmultiplier.h"
#include "windowpanes.h"

namespace {

QString editText(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string fromEdit(const QString& text)
{
    return text.toStdString();
}

} // namespace

ViewControls::ViewControls(ChartState& chartState, SettingsRecord& windowSettings, WindowPanes& windowPanes,
    FileListController& fileList)
    : QObject(&windowPanes)
    , state(chartState)
    , settings(windowSettings)
    , panes(windowPanes)
    , list(fileList)
{
    ControlStrip* strip = panes.strip;
    connect(strip->applyButton, &QPushButton::clicked, this, &ViewControls::onApply);
    for (AxisSpinBox* edit : { strip->yMinEdit, strip->yMaxEdit, strip->xMinEdit, strip->xMaxEdit })
        connect(edit, &AxisSpinBox::returnPressed, this, &ViewControls::onApply);
    connect(strip->yStepEdit, &QLineEdit::returnPressed, this, &ViewControls::onApply);
    connect(strip->xStepEdit, &QLineEdit::returnPressed, this, &ViewControls::onApply);
    connect(strip->autoYBox, &QCheckBox::clicked, this, &ViewControls::onAutoAxis);
    connect(strip->autoXBox, &QCheckBox::clicked, this, &ViewControls::onAutoAxis);
    connect(strip->unitCombo, &QComboBox::activated, this, &ViewControls::onUnitChanged);
    connect(strip->dbRadio, &QRadioButton::clicked, this, &ViewControls::onMagnitudeMode);
    connect(strip->vswrRadio, &QRadioButton::clicked, this, &ViewControls::onMagnitudeMode);
    for (QCheckBox* box : strip->traceBoxes)
        connect(box, &QCheckBox::clicked, this, &ViewControls::onTraceBox);
    connect(strip->referenceCombo, &QComboBox::activated, this, &ViewControls::onReferenceChanged);
    const auto spinner = [this](AxisSpinBox* edit, AxisSpinner which) {
        connect(edit, &AxisSpinBox::deltaPos, this, [this, which](int delta) { onSpinner(which, delta); });
    };
    spinner(strip->yMaxEdit, AxisSpinner::valueMax);
    spinner(strip->yMinEdit, AxisSpinner::valueMin);
    spinner(strip->xMaxEdit, AxisSpinner::frequencyMax);
    spinner(strip->xMinEdit, AxisSpinner::frequencyMin);
}

void ViewControls::redrawChart()
{
    // Showing the chart frame from inside a recomputation delivers its pending resize: that
    // must not start a second recomputation while the first holds the measurements locked.
    if (redrawing)
        return;
    redrawing = true;
    const BusyCursor busy;
    state.chart.setFrameSize(panes.frame->size());
    ZoomEntry& zoom = state.currentZoom();
    recomputeChart(state, *this, zoom.autoX, zoom.autoY);
    panes.frame->present(state.chart);
    redrawing = false;
    emit chartRedrawn();
}

void ViewControls::readControls()
{
    const ControlStrip* strip = panes.strip;
    for (int32_t k = 0; k < tracesPerMeasurement; ++k)
        state.traceEnabled[k] = strip->traceBoxes[k]->isChecked() ? 1 : 0;
    ZoomEntry& zoom = state.currentZoom();
    zoom.autoY = strip->autoYBox->isChecked() ? 1 : 0;
    zoom.autoX = strip->autoXBox->isChecked() ? 1 : 0;
    state.dbMode = strip->dbRadio->isChecked() ? 1 : 0;
    state.referenceIndex = strip->referenceCombo->currentIndex() - 1;
    const int unit = strip->unitCombo->currentIndex();
    state.unitMultiplier = unitMultiplierOf(unit < 0 ? 2 : unit);
    settings.MX = state.unitMultiplier;
}

void ViewControls::writeControls()
{
    ControlStrip* strip = panes.strip;
    for (int32_t k = 0; k < tracesPerMeasurement; ++k)
        strip->traceBoxes[k]->setChecked(state.traceEnabled[k] != 0);
    const ZoomEntry& zoom = state.currentZoom();
    strip->autoYBox->setChecked(zoom.autoY != 0);
    strip->autoXBox->setChecked(zoom.autoX != 0);
    strip->dbRadio->setChecked(state.dbMode == 1);
    strip->vswrRadio->setChecked(state.dbMode == 0);
    strip->referenceCombo->setCurrentIndex(state.referenceIndex < 0 ? -1 : state.referenceIndex + 1);
    strip->unitCombo->setCurrentIndex(unitIndexOf(state.unitMultiplier));
}

void ViewControls::writeAxisEdits()
{
    writeAxisEdits(state.currentZoom(), state.unitMultiplier);
}

bool ViewControls::readAxisEdits()
{
    return readAxisEdits(state.currentZoom(), state.unitMultiplier);
}

void ViewControls::writeAxisEdits(const ZoomEntry& zoom, double unitMultiplier)
{
    ControlStrip* strip = panes.strip;
    const AxisEditTexts texts = formatAxisEdits(zoom, unitMultiplier, state.chartKind);
    strip->yMaxEdit->setEditText(editText(texts.yMax));
    strip->yMinEdit->setEditText(editText(texts.yMin));
    strip->xStepEdit->setText(editText(texts.xStep));
    strip->yStepEdit->setText(editText(texts.yStep));
    strip->xMaxEdit->setEditText(editText(texts.xMax));
    strip->xMinEdit->setEditText(editText(texts.xMin));
}

bool ViewControls::readAxisEdits(ZoomEntry& zoom, double unitMultiplier)
{
    const ControlStrip* strip = panes.strip;
    AxisEditTexts texts;
    texts.yMax = fromEdit(strip->yMaxEdit->text());
    texts.yMin = fromEdit(strip->yMinEdit->text());
    texts.xStep = fromEdit(strip->xStepEdit->text());
    texts.yStep = fromEdit(strip->yStepEdit->text());
    texts.xMax = fromEdit(strip->xMaxEdit->text());
    texts.xMin = fromEdit(strip->xMinEdit->text());
    return parseAxisEdits(texts, zoom, unitMultiplier, state.chartKind);
}

void ViewControls::fillStatistics(const ChartState& chartState)
{
    ::fillStatistics(*panes.files, chartState);
}

void ViewControls::setChartFrameVisible(bool visible)
{
    panes.setChartFrameVisible(visible);
}

void ViewControls::readViewControls(ChartState&)
{
    readControls();
}

void ViewControls::writeViewControls(ChartState&)
{
    updateAxisEnables();
    writeControls();
}

void ViewControls::reportMemory(bool ranOut)
{
    emit memoryReported(ranOut);
}

void ViewControls::updateAxisEnables()
{
    ControlStrip* strip = panes.strip;
    const ZoomEntry& zoom = state.currentZoom();
    // A Smith or polar chart has no value axis to set.
    const bool manualY = zoom.autoY == 0 && state.chartKind == ChartKind::frequency;
    const bool manualX = zoom.autoX == 0;
    strip->yMinEdit->setEnabled(manualY);
    strip->yMaxEdit->setEnabled(manualY);
    strip->yStepEdit->setEnabled(manualY);
    strip->xMinEdit->setEnabled(manualX);
    strip->xMaxEdit->setEnabled(manualX);
    strip->xStepEdit->setEnabled(manualX);
    strip->applyButton->setEnabled(manualY || manualX);
}

void ViewControls::fillReferenceCombo()
{
    QComboBox* combo = panes.strip->referenceCombo;
    combo->clear();
    combo->addItem(QString());
    for (int32_t m = 0; m < state.measurements.itemCount; ++m) {
        const RubberS2PData* measurement = state.measurements.measurement(m);
        combo->addItem(measurement != nullptr ? QString::fromStdString(measurement->displayName) : QString());
    }
    combo->setCurrentIndex(state.referenceIndex < 0 ? -1 : state.referenceIndex + 1);
}

void ViewControls::toggleSmoothing()
{
    settings.Filter = settings.Filter != 0 ? 0 : 1;
    state.smoothing = settings.Filter;
    redrawChart();
}

void ViewControls::setChartKind(ChartKind kind)
{
    state.chartKind = kind;
    settings.ChartKind = static_cast<int32_t>(kind);
    updateAxisEnables();
    redrawChart();
}

void ViewControls::toggleAdmittanceGrid()
{
    state.admittanceGrid = state.admittanceGrid != 0 ? 0 : 1;
    settings.AdmittanceGrid = state.admittanceGrid;
    redrawChart();
}

void ViewControls::setPhaseMode(int32_t phaseMode)
{
    state.phaseMode = phaseModeOf(phaseMode);
    settings.PhaseMode = state.phaseMode;
    redrawChart();
}

void ViewControls::setDelayAperture(int32_t points)
{
    state.delayAperture = delayApertureOf(points);
    settings.DelayAperture = state.delayAperture;
    redrawChart();
}

void ViewControls::onApply()
{
    const ZoomEntry& zoom = state.currentZoom();
    if (zoom.autoY == 1 && zoom.autoX == 1)
        return;
    if (!readAxisEdits())
        return;
    redrawChart();
}

void ViewControls::onAutoAxis()
{
    readControls();
    updateAxisEnables();
    redrawChart();
}

void ViewControls::onUnitChanged()
{
    const double oldMultiplier = state.unitMultiplier;
    readControls();
    // Texts that do not make a valid view were not taken, so the view still holds the range
    // in hertz and needs no scaling.
    if (readAxisEdits())
        keepFrequencyRange(state.currentZoom(), oldMultiplier, state.unitMultiplier);
    writeAxisEdits();
    redrawChart();
}

void ViewControls::onMagnitudeMode()
{
    readControls();
    state.resetRowVisibility();
    list.applyRowChecks();
    redrawChart();
}

void ViewControls::onTraceBox()
{
    readControls();
    state.resetRowVisibility();
    list.rebuild();
    redrawChart();
}

void ViewControls::onReferenceChanged()
{
    readControls();
    redrawChart();
}

void ViewControls::onSpinner(AxisSpinner spinner, int delta)
{
    if (delta == 0 || !spinnerAxisManual(state.currentZoom(), spinner))
        return;
    if (!readAxisEdits())
        return;
    stepAxisSpinner(state.currentZoom(), spinner, delta);
    writeAxisEdits();
    redrawChart();
}
