#include <gtest/gtest.h>

#include <omp.h>

#include <vector>

#include "measurementbuilder.h"
#include "rubbers2p.h"

namespace {

// Points whose S21 is (f, -f) and whose other parameters are zero.
void fill(RubberS2PData& m, const std::vector<double>& freqs)
{
    const Complex zero(0, 0);
    fillMeasurement(m, freqs, [zero](double f) { return SParams { zero, Complex(f, -f), zero, zero }; });
}

TEST(RubberS2PData, PointAppendsOneZeroPointAndReturnsItAgain)
{
    RubberS2PData m;
    S2PPoint* p = m.point(0);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(m.itemCount, 1);
    EXPECT_EQ(p->freq, 0.0);
    ASSERT_EQ(p->sParams.rowCount, 2);
    ASSERT_EQ(p->sParams.colCount, 2);
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j)
            EXPECT_EQ(p->sParams(i, j), Complex(0, 0));
    }
    EXPECT_EQ(m.point(0), p);
    EXPECT_EQ(m.itemCount, 1);
}

TEST(RubberS2PData, FrequencySummary)
{
    RubberS2PData m;
    m.freqStep = 7;
    m.updateFreqSummary();
    EXPECT_EQ(m.freqStep, 7);
    fill(m, { 1e9, 2e9, 4e9 });
    EXPECT_EQ(m.freqFirst, 1e9);
    EXPECT_EQ(m.freqLast, 4e9);
    EXPECT_EQ(m.freqStep, 1.5e9);
}

TEST(RubberS2PData, OnePointHasNoKnownSpacing)
{
    RubberS2PData m;
    fill(m, { 5e6 });
    EXPECT_EQ(m.freqFirst, 5e6);
    EXPECT_EQ(m.freqLast, 5e6);
    EXPECT_EQ(m.freqStep, 0.0);
}

TEST(RubberS2PData, ClearPointsDropsOnlyValidData)
{
    RubberS2PData m;
    fill(m, { 1, 2 });
    m.dataValid = 0;
    m.clearPoints();
    EXPECT_EQ(m.itemCount, 2);
    m.dataValid = 1;
    m.clearPoints();
    EXPECT_EQ(m.itemCount, 0);
    EXPECT_EQ(m.dataValid, 0);
}

TEST(RubberS2P, MeasurementMakesEmptyMeasurementsOnDemand)
{
    RubberS2P list;
    RubberS2PData* first = list.measurement(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(list.itemCount, 1);
    EXPECT_EQ(first->dataValid, 0);
    EXPECT_TRUE(first->displayName.empty());
    EXPECT_EQ(list.measurement(0), first);
    list.measurement(2);
    EXPECT_EQ(list.itemCount, 3);
    EXPECT_EQ(list.exist(1), 0);
    EXPECT_EQ(list.exist(2), 1);
}

TEST(RubberS2P, RemoveMeasurementShiftsTheOthersDown)
{
    RubberS2P list;
    for (int i = 0; i < 3; ++i)
        list.measurement(i)->displayName = std::to_string(i);
    list.removeMeasurement(1);
    ASSERT_EQ(list.itemCount, 2);
    EXPECT_EQ(list.measurement(1)->displayName, "2");
    list.removeAll();
    EXPECT_EQ(list.itemCount, 0);
}

TEST(RubberS2P, LockAllThenReleaseAllLeavesEverythingUnlockedAndUnchanged)
{
    RubberS2P list;
    fill(*list.measurement(0), { 1, 2, 3 });
    list.measurement(2);
    list.lockAll();
    EXPECT_NE(list.lockedArray, nullptr);
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(list.measurement(i), nullptr);
        EXPECT_NE(list.measurement(i)->lockedArray, nullptr);
    }
    list.releaseAll();
    EXPECT_EQ(list.lockedArray, nullptr);
    EXPECT_EQ(list.itemCount, 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list.measurement(i)->lockedArray, nullptr);
    EXPECT_EQ(list.measurement(0)->itemCount, 3);
    EXPECT_EQ(list.measurement(0)->point(2)->freq, 3);
}

TEST(RubberS2P, LockedListIsReadInParallelFromOpenMPThreads)
{
    constexpr int kMeasurements = 16;
    constexpr int kPoints = 2000;
    RubberS2P list;
    for (int m = 0; m < kMeasurements; ++m) {
        std::vector<double> freqs;
        for (int i = 0; i < kPoints; ++i)
            freqs.push_back(m * 1e6 + i);
        fill(*list.measurement(m), freqs);
    }
    list.lockAll();
    std::vector<double> sums(kMeasurements * kPoints, 0.0);
    int threadsSeen = 0;
#pragma omp parallel num_threads(4)
    {
#pragma omp single
        threadsSeen = omp_get_num_threads();
#pragma omp for schedule(static)
        for (int k = 0; k < kMeasurements * kPoints; ++k) {
            // Scattered indexes: every read is a plain snapshot read, none moves a cursor.
            const int m = (k * 7) % kMeasurements;
            const int i = (k * 131) % kPoints;
            S2PPoint* p = list.measurement(m)->point(i);
            sums[k] = p->freq + p->sParams(1, 0).real() + p->sParams(1, 0).imag();
        }
    }
    list.releaseAll();
    EXPECT_GE(threadsSeen, 1);
    for (int k = 0; k < kMeasurements * kPoints; ++k) {
        const int m = (k * 7) % kMeasurements;
        const int i = (k * 131) % kPoints;
        ASSERT_EQ(sums[k], m * 1e6 + i) << k;
    }
    EXPECT_EQ(list.measurement(3)->curItemIndex, kPoints - 1);
}

} // namespace
