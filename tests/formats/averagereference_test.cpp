#include <gtest/gtest.h>

#include <string>

#include "averagedwriter.h"
#include "averaging.h"
#include "cformat.h"
#include "filetext.h"
#include "loader.h"
#include "tempdir.h"

namespace {

// Seven two-ports on shifted, stretched and one uneven grid, and one of two points, so that the
// average interpolates by parabola, by straight line and takes end points outside a range.
constexpr int kInputs = 8;

std::string referencePath(const std::string& name)
{
    return std::string(SPRELIN_AVERAGE_REFERENCE) + "/" + name;
}

void loadInputs(RubberS2P& list)
{
    for (int k = 0; k < kInputs; ++k)
        ASSERT_EQ(loadFile(list, referencePath(cFormat("input%d.s2p", k))), LoadSuccess);
}

// Every averaged number exactly, as C99 hexadecimal floating point.
std::string exactValues(RubberS2PData& m)
{
    std::string text;
    for (int32_t i = 0; i < m.itemCount; ++i) {
        const S2PPoint& p = *m.point(i);
        text += cFormat("%a", p.freq);
        for (int r = 0; r < 2; ++r) {
            for (int c = 0; c < 2; ++c)
                text += cFormat(" %a %a", p.sParams(r, c).real(), p.sParams(r, c).imag());
        }
        text += '\n';
    }
    return text;
}

// The reference files were written by the averaging as it stood before its work arrays were
// kept across points; a change in the order of the sums or of the fit shows here.
TEST(AverageReference, AveragedNumbersMatchTheReferenceBitForBit)
{
    RubberS2P list;
    loadInputs(list);
    RubberS2PData out;
    averageMeasurements(out, list);
    ASSERT_EQ(out.dataValid, 1);
    EXPECT_EQ(exactValues(out), readAll(referencePath("averaged.exact")));
}

TEST(AverageReference, AveragedFileMatchesTheReferenceByteForByte)
{
    TempDir dir;
    RubberS2P list;
    loadInputs(list);
    RubberS2PData out;
    averageMeasurements(out, list);
    ASSERT_EQ(writeAveragedS2P(out, dir.file("averaged.s2p")), LoadSuccess);
    EXPECT_EQ(readAll(dir.file("averaged.s2p")), readAll(referencePath("averaged.s2p")));
}

} // namespace
