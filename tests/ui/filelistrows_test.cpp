#include <QtTest>

#include "chartstate.h"
#include "filelistrows.h"
#include "mlist.h"

// The file list's rows kept in step with the chart's visibility table, without a main window.
class FileListRowsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void rebuildMakesAGroupPerMeasurementAndARowPerEnabledKind();
    void collectTakesTheChecksAndTheSelectionElsewhere();
    void applyChecksAndHoldsListUpdating();
    void invertTouchesOnlyEnabledKinds();
    void tableGrowsBeyond2048Measurements();
    void statisticsOfShownTracesOnly();

private:
    void addMeasurements(int32_t count);

    ChartState* state = nullptr;
    MList* list = nullptr;
    int32_t listUpdating = 0;
};

void FileListRowsTest::init()
{
    state = new ChartState();
    list = new MList();
    list->setColumnCount(5);
    listUpdating = 0;
}

void FileListRowsTest::cleanup()
{
    delete list;
    delete state;
}

void FileListRowsTest::addMeasurements(int32_t count)
{
    for (int32_t m = 0; m < count; ++m)
        state->measurements.measurement(state->measurements.itemCount)->displayName = "m" + std::to_string(m);
}

void FileListRowsTest::rebuildMakesAGroupPerMeasurementAndARowPerEnabledKind()
{
    addMeasurements(3);
    state->traceEnabled = { 1, 0, 1, 0, 0, 0, 0, 1 }; // S11M, S21M, S22A
    state->ensureRowVisibility();
    state->resetRowVisibility();
    state->rowVisible[8 + 2] = 0; // measurement 1, S21M hidden
    rebuildFileList(*list, *state, listUpdating);

    QCOMPARE(list->topLevelItemCount(), 3);
    QCOMPARE(list->topLevelItem(2)->text(0), QStringLiteral("m2"));
    QCOMPARE(list->rowCount(), 9);
    const QStringList names { "S11M", "S21M", "S22A" };
    for (int32_t r = 0; r < 9; ++r) {
        const int32_t m = r / 3;
        const int32_t k = std::array<int32_t, 3> { 0, 2, 7 }[r % 3];
        QCOMPARE(list->itemData(r), 8 * m + k);
        QCOMPARE(list->groupOfRow(r), m);
        QCOMPARE(list->rowItem(r)->text(0), names[r % 3]);
        QCOMPARE(list->rowChecked(r), r != 4);
    }
    // Measurement 3, S21M: item data 26 shares slot 0 with measurement 0, S11M.
    QCOMPARE((8 * 3 + 2) % 26, 0);

    // With every kind disabled the groups stay, without rows.
    state->traceEnabled = {};
    rebuildFileList(*list, *state, listUpdating);
    QCOMPARE(list->topLevelItemCount(), 3);
    QCOMPARE(list->rowCount(), 0);
    QCOMPARE(listUpdating, 0);
}

void FileListRowsTest::collectTakesTheChecksAndTheSelectionElsewhere()
{
    addMeasurements(2);
    state->traceEnabled = { 0, 1, 1, 0, 0, 0, 0, 0 };
    state->ensureRowVisibility();
    state->resetRowVisibility();
    rebuildFileList(*list, *state, listUpdating);
    list->setRowChecked(1, false); // measurement 0, S21M
    // Flags of kinds without rows are overwritten by the selection.
    state->rowVisible[8 + 5] = 1;
    collectRowChecks(*list, *state);
    QCOMPARE(state->rowVisible[2], 0);
    QCOMPARE(state->rowVisible[1], 1);
    QCOMPARE(state->rowVisible[8 + 2], 1);
    QCOMPARE(state->rowVisible[8 + 5], 0);
    QCOMPARE(state->rowVisible[8 + 0], 0);
}

void FileListRowsTest::applyChecksAndHoldsListUpdating()
{
    addMeasurements(2);
    state->ensureRowVisibility();
    rebuildFileList(*list, *state, listUpdating);
    QList<int32_t> seen;
    connect(list, &MList::rowCheckChanged, this, [&] { seen.append(listUpdating); });
    state->rowVisible[2] = 0;
    state->rowVisible[10] = 0;
    applyRowChecks(*list, *state, listUpdating);
    QCOMPARE(seen, QList<int32_t>({ 1, 1 }));
    QVERIFY(!list->rowChecked(0));
    QVERIFY(!list->rowChecked(1));
    QCOMPARE(listUpdating, 0);
}

void FileListRowsTest::invertTouchesOnlyEnabledKinds()
{
    addMeasurements(3);
    state->traceEnabled = { 1, 0, 1, 0, 0, 0, 0, 0 };
    state->ensureRowVisibility();
    state->resetRowVisibility();
    state->rowVisible[8 + 2] = 0;
    state->rowVisible[8 + 3] = 1;
    const std::vector<int32_t> before = state->rowVisible;
    state->invertEnabledTraces();
    for (int32_t t = 0; t < 24; ++t) {
        const bool enabled = t % 8 == 0 || t % 8 == 2;
        QCOMPARE(state->rowVisible[t], enabled ? (before[t] == 0 ? 1 : 0) : before[t]);
    }
    // Flags beyond the loaded measurements stay.
    QCOMPARE(state->rowVisible[24], before[24]);
}

void FileListRowsTest::tableGrowsBeyond2048Measurements()
{
    addMeasurements(2100);
    state->ensureRowVisibility();
    QCOMPARE(state->rowVisible.size(), size_t(2100 * 8));
    QVERIFY(state->traceVisible(2099 * 8 + 2));
    QVERIFY(!state->traceVisible(2099 * 8 + 3));
    rebuildFileList(*list, *state, listUpdating);
    QCOMPARE(list->rowCount(), 2100);
    list->setRowChecked(2099, false);
    collectRowChecks(*list, *state);
    QVERIFY(!state->traceVisible(2099 * 8 + 2));
    QVERIFY(state->traceVisible(2098 * 8 + 2));
    // A measurement more takes the selection; the others keep their flags.
    addMeasurements(1);
    state->ensureRowVisibility();
    QVERIFY(state->traceVisible(2100 * 8 + 2));
    QVERIFY(!state->traceVisible(2099 * 8 + 2));
}

void FileListRowsTest::statisticsOfShownTracesOnly()
{
    addMeasurements(2);
    state->ensureRowVisibility();
    rebuildFileList(*list, *state, listUpdating);
    // Before any recomputation nothing is written.
    list->rowItem(0)->setText(2, QStringLiteral("old"));
    fillStatistics(*list, *state);
    QCOMPARE(list->rowItem(0)->text(2), QStringLiteral("old"));

    TraceBuffers& b = state->buffers;
    b.traceCount = 16;
    b.traceMin.assign(16, 0);
    b.traceMax.assign(16, 0);
    b.traceMin[2] = -3.25;
    b.traceMax[2] = 1.5;
    b.traceMin[10] = 100;
    b.traceMax[10] = 123.456;
    state->rowVisible[10] = 0;
    fillStatistics(*list, *state);
    // "%5.4lg": four significant digits, at least five characters.
    QCOMPARE(list->rowItem(0)->text(2), QStringLiteral("-3.25"));
    QCOMPARE(list->rowItem(0)->text(3), QStringLiteral("  1.5"));
    QCOMPARE(list->rowItem(0)->text(4), QStringLiteral(" 4.75"));
    QCOMPARE(list->rowItem(1)->text(2), QString());
    QCOMPARE(list->rowItem(1)->text(3), QString());
    QCOMPARE(list->rowItem(1)->text(4), QString());
    state->rowVisible[10] = 1;
    fillStatistics(*list, *state);
    QCOMPARE(list->rowItem(1)->text(3), QStringLiteral("123.5"));
    QCOMPARE(list->rowItem(1)->text(4), QStringLiteral("23.46"));
}

QTEST_MAIN(FileListRowsTest)
#include "filelistrows_test.moc"
