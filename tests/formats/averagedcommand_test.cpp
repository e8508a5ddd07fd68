#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "averagedcommand.h"
#include "filetext.h"
#include "measurementbuilder.h"
#include "tempdir.h"

namespace {

// A measurement at 1, 2 and 3 GHz whose S11 is 0.25 and whose S21 is s21.
void addWithS21(RubberS2P& list, const Complex& s21)
{
    const Complex zero(0, 0);
    addMeasurement(list, { 1e9, 2e9, 3e9 }, [s21, zero](double) {
        return SParams { Complex(0.25, 0), s21, zero, zero };
    });
}

TEST(AveragedS2PCommand, WritesTheMeanOfTheListAndLeavesTheListAsItWas)
{
    TempDir dir;
    const std::string path = dir.file("mean.s2p");
    RubberS2P list;
    addWithS21(list, Complex(1, 0));
    addWithS21(list, Complex(0, 1));
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
    addWithS21(list, Complex(1, 0));
    EXPECT_EQ(averagedS2PCommand(list, dir.file("missing/mean.s2p")), LoadCannotWrite);
}

} // namespace
