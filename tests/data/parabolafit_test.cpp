#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "parabolafit.h"
#include "polyfit.h"

namespace {

using C = std::complex<double>;

bool sameBits(C a, C b)
{
    return std::memcmp(&a, &b, sizeof(C)) == 0;
}

struct SharedFitCase {
    const char* name;
    C x[3];
    C y[3];
    C x0;
};

class ParabolaFitTest : public ::testing::TestWithParam<SharedFitCase> { };

// The shared elimination must give every series exactly what a fit of its own gives, signed
// zeros, infinities and not-a-numbers included: the averaged files depend on it.
TEST_P(ParabolaFitTest, MatchesAFitOfItsOwnBitForBit)
{
    const SharedFitCase& c = GetParam();
    ComplexPolyFit own;
    for (int i = 0; i < 3; ++i)
        own.push(c.x[i], c.y[i]);
    const C expected = own.fitAt(c.x0);
    const C actual = ParabolaFit(c.x).valueAt(c.y, c.x0);
    EXPECT_TRUE(sameBits(actual, expected)) << actual << " against " << expected;
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(Samples, ParabolaFitTest,
    ::testing::Values(SharedFitCase { "WindowAroundZero", { C(-0.5, 0), C(0.1, 0), C(0.5, 0) },
                          { C(0.3, -0.7), C(0.31, -0.69), C(0.33, -0.66) }, C(0, 0) },
        SharedFitCase { "WindowBelowZero", { C(-1, 0), C(-0.6, 0), C(-0.1, 0) },
            { C(1e-9, 3e7), C(-2e-9, 2.9e7), C(4e-9, 2.7e7) }, C(0, 0) },
        SharedFitCase { "NegativeZeros", { C(-0.0, -0.0), C(0.25, 0), C(1, -0.0) },
            { C(-0.0, -0.0), C(-0.0, 0), C(-0.0, -0.0) }, C(-0.0, 0) },
        SharedFitCase { "ComplexAbscissae", { C(1, 1), C(2, 0), C(0, -1) },
            { C(1, 2), C(-3, 0.5), C(0.25, 4) }, C(-0.5, 2) },
        // Two equal abscissae: a zero pivot, so the values are infinite or not numbers.
        SharedFitCase {
            "RepeatedAbscissa", { C(0.2, 0), C(0.2, 0), C(0.7, 0) }, { C(1, 1), C(2, 2), C(3, 3) }, C(0, 0) },
        SharedFitCase { "InfiniteOrdinate", { C(-0.5, 0), C(0, 0), C(0.5, 0) },
            { C(kInf, 0), C(1, 1), C(2, -1) }, C(0, 0) }),
    [](const ::testing::TestParamInfo<SharedFitCase>& p) { return std::string(p.param.name); });

} // namespace
