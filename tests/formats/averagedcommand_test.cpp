#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "averagedcommand.h"
#include "tempdir.h"

namespace {

void addMeasurement(RubberS2P& list, const Complex& s21)
{
    RubberS2PData* m = list.measurement(list.itemCount);
    ASSERT_NE(m, nullptr);
    for (double f : { 1e9, 2e9, 3e9 }) {
        S2PPoint* p = m->point(m->itemCount);
        p->freq = f;
        p->sParams(1, 0) = s21;
        p->sParams(0, 0) = Complex(0.25, 0);
    }
    m->dataValid = 1;
    m->updateFreqSummary();
}

TEST(AveragedS2PCommand, WritesTheMeanOfTheListAndLeavesTheListAsItWas)
{
    TempDir dir;
    const std::string path = dir.file("mean.s2p");
    RubberS2P list;
    addMeasurement(list, Complex(1, 0));
    addMeasurement(list, Complex(0, 1));
    ASSERT_EQ(averagedS2PCommand(list, path), LoadSuccess);
    EXPECT_EQ(list.itemCount, 2);

    // S21 = 0.5 + 0.5i: 20 log10(0.5 sqrt 2) = -3.0103 dB at 45 degrees; S11 = 0.25: -12.0412 dB.
    const std::string text = readAll(path);
    const std::string line
        = " 2            -12.0412     0            -3.0103      45           0            0       "
          "     0            0           \r\n";
    EXPECT_NE(text.find(line), std::string::npos) << text;
}

TEST(AveragedS2PCommand, EmptyListWritesNothing)
{
    TempDir dir;
    RubberS2P list;
    EXPECT_EQ(averagedS2PCommand(list, dir.file("mean.s2p")), LoadNoData);
    EXPECT_TRUE(dir.entries().empty());
}

TEST(AveragedS2PCommand, ReportsAFileThatCannotBeWritten)
{
    TempDir dir;
    RubberS2P list;
    addMeasurement(list, Complex(1, 0));
    EXPECT_EQ(averagedS2PCommand(list, dir.file("missing/mean.s2p")), LoadCannotWrite);
}

} // namespace
