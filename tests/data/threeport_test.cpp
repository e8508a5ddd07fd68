#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>

#include "threeport.h"

namespace {

using Full = std::array<std::array<Complex, 3>, 3>;

// The 2 x 2 view of ports p, q (1-based, p < q) of a full three-port.
S2PPoint view(const Full& s, int p, int q)
{
    S2PPoint point;
    point.sParams.resize(2, 2);
    const int ports[2] = { p - 1, q - 1 };
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            point.sParams(i, j) = s[ports[i]][ports[j]];
    return point;
}

// Two copies of the three-port joined crosswise at ports x and y, solved by letting the waves
// bounce between the copies until they settle; returns S11 and S21 seen at the free port z
// of copy one (port 1) and of copy two (port 2).
std::array<Complex, 2> joinByWaves(const Full& s, int z, int x, int y)
{
    --z;
    --x;
    --y;
    std::array<Complex, 3> a1 {};
    std::array<Complex, 3> a2 {};
    std::array<Complex, 3> b1 {};
    std::array<Complex, 3> b2 {};
    for (int round = 0; round < 400; ++round) {
        a1 = {};
        a2 = {};
        a1[z] = 1.0;
        a1[x] = b2[y];
        a1[y] = b2[x];
        a2[y] = b1[x];
        a2[x] = b1[y];
        for (int i = 0; i < 3; ++i) {
            b1[i] = 0.0;
            b2[i] = 0.0;
            for (int j = 0; j < 3; ++j) {
                b1[i] += s[i][j] * a1[j];
                b2[i] += s[i][j] * a2[j];
            }
        }
    }
    return { b1[z], b2[z] };
}

Full networkWithWeakest(int weakestTo, int weakestFrom)
{
    Full s {};
    const Complex reflections[3] = { { 0.1, 0.05 }, { -0.08, 0.12 }, { 0.02, -0.15 } };
    for (int i = 0; i < 3; ++i)
        s[i][i] = reflections[i];
    s[1][0] = { 0.5, 0.2 };
    s[0][1] = { 0.45, -0.1 };
    s[2][0] = { 0.35, 0.1 };
    s[0][2] = { 0.3, 0.15 };
    s[2][1] = { 0.25, -0.2 };
    s[1][2] = { 0.2, 0.2 };
    // Make the chosen pair the weakest transmission.
    s[weakestTo - 1][weakestFrom - 1] = { 0.05, 0.02 };
    return s;
}

void expectNear(const Complex& actual, const Complex& expected)
{
    EXPECT_NEAR(actual.real(), expected.real(), 1e-12);
    EXPECT_NEAR(actual.imag(), expected.imag(), 1e-12);
}

} // namespace

TEST(ThreePortReduction, ReciprocalLosslessExampleJoinsPortsTwoAndThree)
{
    Full s {};
    s[1][0] = s[0][1] = 0.5;
    s[2][0] = s[0][2] = 0.3;
    s[2][1] = s[1][2] = 0.1;
    S2PPoint out;
    std::string label;
    reduceThreePort(view(s, 1, 2), view(s, 2, 3), view(s, 1, 3), out, label);
    EXPECT_EQ(label, "[Conc. 2-3,3-2]");
    expectNear(out.sParams(0, 0), 0.03 / 0.99);
    expectNear(out.sParams(1, 1), 0.03 / 0.99);
    expectNear(out.sParams(0, 1), 0.3 / 0.99);
    expectNear(out.sParams(1, 0), 0.3 / 0.99);
}

TEST(ThreePortReduction, EachWeakestPairMatchesTheWaveSolution)
{
    struct Row {
        int weakestTo, weakestFrom; // the transmission made weakest, S(to, from)
        int z, x, y;
        const char* label;
    };
    const Row rows[] = {
        { 3, 2, 1, 2, 3, "[Conc. 2-3,3-2]" },
        { 3, 1, 2, 1, 3, "[Conc. 1-3,3-1]" },
        { 2, 1, 3, 1, 2, "[Conc. 1-2,2-1]" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const Full s = networkWithWeakest(row.weakestTo, row.weakestFrom);
        S2PPoint out;
        out.freq = 123.0;
        std::string label;
        reduceThreePort(view(s, 1, 2), view(s, 2, 3), view(s, 1, 3), out, label);
        EXPECT_EQ(label, row.label);
        EXPECT_EQ(out.freq, 123.0);
        const auto fromZ = joinByWaves(s, row.z, row.x, row.y);
        expectNear(out.sParams(0, 0), fromZ[0]);
        expectNear(out.sParams(1, 0), fromZ[1]);
        // The two copies are identical, so the network looks the same from either end.
        expectNear(out.sParams(1, 1), fromZ[0]);
        expectNear(out.sParams(0, 1), fromZ[1]);
    }
}

TEST(ThreePortReduction, NoStrictlyWeakestTransmissionGivesZeroAndKeepsLabel)
{
    struct Row {
        const char* name;
        double s21, s31, s32;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Row rows[] = {
        { "equal minima", 0.2, 0.2, 0.5 },
        { "all zero", 0.0, 0.0, 0.0 },
        { "not a number", nan, 0.3, 0.4 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Full s {};
        s[0][0] = 0.3;
        s[1][0] = s[0][1] = row.s21;
        s[2][0] = s[0][2] = row.s31;
        s[2][1] = s[1][2] = row.s32;
        S2PPoint out;
        std::string label = "[Conc. 1-2,2-1]";
        reduceThreePort(view(s, 1, 2), view(s, 2, 3), view(s, 1, 3), out, label);
        EXPECT_EQ(label, "[Conc. 1-2,2-1]");
        ASSERT_EQ(out.sParams.rowCount, 2);
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j)
                EXPECT_EQ(out.sParams(i, j), Complex(0.0, 0.0));
    }
}

TEST(ThreePortReduction, SingularLoopKeepsOnlyTheDirectReflections)
{
    // Ports 2 and 3 of each copy pass everything to each other, so the loop between the
    // copies never settles and only the direct reflections remain.
    ComplexMatrix a;
    a.resize(3, 3);
    a(0, 0) = 0.25;
    a(0, 1) = a(1, 0) = 0.3;
    a(1, 2) = a(2, 1) = 1.0;
    ComplexMatrix b;
    b.resize(3, 3);
    b(0, 1) = b(1, 0) = 1.0;
    b(2, 2) = 0.125;
    b(0, 2) = b(2, 0) = 0.4;
    const ComplexMatrix r = joinThreePorts(a, b);
    expectNear(r(0, 0), 0.25);
    expectNear(r(1, 1), 0.125);
    expectNear(r(0, 1), 0.0);
    expectNear(r(1, 0), 0.0);
}
