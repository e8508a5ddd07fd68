// The mouse over the main window's chart: 50 measurements of 10,001 points with all eight
// traces shown, so that the file list holds 400 rows. A move over the chart presents the cursor
// line, reads every trace and updates the file list and the readout strip; "Painted" adds the
// repaint of the chart frame and the list that the move asks for. A wheel step forward zooms in
// (recomputation and drawing); it is timed alone, the step back that undoes it is not. The
// "Markers" moves have all sixteen markers set, so that the list carries sixteen more columns.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QWheelEvent>

#include <memory>

#include "benchmeasurements.h"
#include "chartframe.h"
#include "csprelindlg.h"
#include "filelistcontroller.h"
#include "fileloading.h"
#include "windowpanes.h"
#include "mlist.h"
#include "settingsrecord.h"

namespace {

constexpr int32_t measurementCount = 50;
const QSize windowSize(1400, 900);

// The window with every trace kind shown, or S21M alone, with smoothing on (as a first start
// has it) or off, and the given number of markers spread over the measurements' 10 MHz to 10 GHz.
std::unique_ptr<CSprelinDlg> openWindow(bool allTraces = true, bool smoothing = true, int32_t markers = 0)
{
    WindowServices services = defaultWindowServices();
    services.loadFiles = [](RubberS2P& list, const std::vector<std::string>&) {
        Noise noise;
        for (int32_t i = 0; i < measurementCount; ++i) {
            addFilter(list, i, noise);
            list.measurement(i)->displayName = "filter " + std::to_string(i);
            list.measurement(i)->sourcePath = "filter " + std::to_string(i);
        }
        return std::vector<LoadResult>(measurementCount, LoadSuccess);
    };
    SettingsRecord& settings = processSettings();
    const int32_t others = allTraces ? 1 : 0;
    settings.S21m = 1;
    settings.S11m = settings.S11a = settings.S21a = others;
    settings.S12m = settings.S12a = settings.S22m = settings.S22a = others;
    settings.Filter = smoothing ? 1 : 0;
    settings.Markers = SettingsRecord().Markers;
    settings.DeltaRef = 0;
    for (int32_t n = 0; n < markers; ++n)
        settings.Markers[static_cast<size_t>(n)] = 0.5e9 + n * 0.6e9;
    std::vector<std::string> names;
    for (int32_t i = 0; i < measurementCount; ++i)
        names.push_back("filter " + std::to_string(i));
    auto window = std::make_unique<CSprelinDlg>(names, services);
    window->resize(windowSize);
    QApplication::processEvents();
    return window;
}

void sendMove(QWidget* frame, const QPoint& p)
{
    QMouseEvent move(QEvent::MouseMove, p, frame->mapToGlobal(p), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(frame, &move);
}

void sendWheel(QWidget* frame, const QPoint& p, int delta)
{
    QWheelEvent wheel(
        p, frame->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(frame, &wheel);
}

void mouseMoves(benchmark::State& bench, bool painted, int32_t markers = 0)
{
    const std::unique_ptr<CSprelinDlg> window = openWindow(true, true, markers);
    if (window->panes().files->rowCount() != 8 * measurementCount) {
        bench.SkipWithError("the file list does not hold 400 rows");
        return;
    }
    ChartFrame* frame = window->panes().frame;
    const int width = frame->width();
    const int y = frame->height() / 3;
    int x = 100;
    for (auto _ : bench) {
        x = x % (width - 200) + 37;
        sendMove(frame, QPoint(x, y));
        if (painted)
            QApplication::processEvents();
    }
    bench.counters["rows"] = window->panes().files->rowCount();
    bench.counters["columns"] = window->panes().files->columnCount();
}

void BM_MouseMove(benchmark::State& bench)
{
    mouseMoves(bench, false);
}

void BM_MouseMovePainted(benchmark::State& bench)
{
    mouseMoves(bench, true);
}

void BM_MouseMoveMarkers(benchmark::State& bench)
{
    mouseMoves(bench, false, markerSlots);
}

void BM_MouseMoveMarkersPainted(benchmark::State& bench)
{
    mouseMoves(bench, true, markerSlots);
}

// Arguments: all eight trace kinds (1) or S21M alone (0); smoothing on (1) or off (0).
void BM_WheelZoom(benchmark::State& bench)
{
    const std::unique_ptr<CSprelinDlg> window = openWindow(bench.range(0) != 0, bench.range(1) != 0);
    ChartFrame* frame = window->panes().frame;
    const QPoint at(frame->width() / 2, frame->height() / 3);
    for (auto _ : bench) {
        sendWheel(frame, at, 120);
        bench.PauseTiming();
        sendWheel(frame, at, -120);
        bench.ResumeTiming();
    }
    bench.counters["points"] = window->chartState().buffers.pointCount;
}

#define MOUSE_BENCHMARK(name)                                                                                \
    BENCHMARK(name)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true)

MOUSE_BENCHMARK(BM_MouseMove);
MOUSE_BENCHMARK(BM_MouseMovePainted);
MOUSE_BENCHMARK(BM_MouseMoveMarkers);
MOUSE_BENCHMARK(BM_MouseMoveMarkersPainted);
MOUSE_BENCHMARK(BM_WheelZoom)->ArgNames({ "allTraces", "smoothing" })->ArgsProduct({ { 1, 0 }, { 1, 0 } });

} // namespace

// The window needs a widget application; the offscreen platform needs no display. The settings
// file of the test mode leaves the user's own alone.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
