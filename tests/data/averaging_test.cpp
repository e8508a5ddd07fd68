#include <gtest/gtest.h>

#include <vector>

#include "averaging.h"
#include "lagrange.h"
#include "measurementbuilder.h"

namespace {

constexpr double GHz = 1e9;

void expectNear(const Complex& actual, const Complex& expected, double tol)
{
    EXPECT_NEAR(actual.real(), expected.real(), tol);
    EXPECT_NEAR(actual.imag(), expected.imag(), tol);
}

TEST(AverageMeasurements, EqualGridsGiveTheComplexMean)
{
    const std::vector<double> grid = { 1 * GHz, 1.5 * GHz, 2.5 * GHz, 4 * GHz, 4.2 * GHz };
    // Three measurements whose values differ at every point; the mean of the complex numbers,
    // not of magnitudes.
    auto values = [](int k) {
        return [k](double f) {
            const double g = f / GHz;
            return SParams { Complex(0.1 * k + g, -g), Complex(g * g - k, k * g), Complex(k, 0.5),
                Complex(-0.2 * k, 0.01 * g) };
        };
    };
    RubberS2P list;
    for (int k = 0; k < 3; ++k)
        addMeasurement(list, grid, values(k));

    RubberS2PData out;
    averageMeasurements(out, list);
    EXPECT_EQ(out.dataValid, 1);
    ASSERT_EQ(out.itemCount, static_cast<int32_t>(grid.size()));
    for (int32_t i = 0; i < out.itemCount; ++i) {
        const S2PPoint* p = out.point(i);
        EXPECT_EQ(p->freq, grid[static_cast<size_t>(i)]);
        for (int e = 0; e < 4; ++e) {
            Complex sum(0, 0);
            for (int k = 0; k < 3; ++k)
                sum += values(k)(grid[static_cast<size_t>(i)])[e];
            expectNear(p->sParams(kElements[e][0], kElements[e][1]), sum / 3.0, 1e-12);
        }
    }
    EXPECT_EQ(out.freqFirst, grid.front());
    EXPECT_EQ(out.freqLast, grid.back());
}

TEST(AverageMeasurements, OneAndIGiveHalfOfEach)
{
    const std::vector<double> grid = { 1 * GHz, 2 * GHz, 3 * GHz };
    const Complex zero(0, 0);
    RubberS2P list;
    addMeasurement(list, grid, [&](double) { return SParams { zero, Complex(1, 0), zero, zero }; });
    addMeasurement(list, grid, [&](double) { return SParams { zero, Complex(0, 1), zero, zero }; });
    RubberS2PData out;
    averageMeasurements(out, list);
    ASSERT_EQ(out.itemCount, 3);
    for (int32_t i = 0; i < 3; ++i)
        expectNear(out.point(i)->sParams(1, 0), Complex(0.5, 0.5), 1e-15);
}

TEST(AverageMeasurements, MeasurementsWithoutDataCountAsZeros)
{
    const std::vector<double> grid = { 1 * GHz, 2 * GHz, 3 * GHz, 4 * GHz };
    const auto values = [](double f) {
        return SParams { Complex(f / GHz, 1), Complex(0.5, 0.25), Complex(2, -f / GHz), Complex(-1, 0) };
    };
    RubberS2P list;
    addMeasurement(list, grid, values);
    list.measurement(1); // empty, no data
    addMeasurement(list, { 2 * GHz }, values); // one point: nothing to interpolate
    RubberS2PData out;
    averageMeasurements(out, list);
    ASSERT_EQ(out.itemCount, 4);
    for (int32_t i = 0; i < 4; ++i) {
        for (int e = 0; e < 4; ++e)
            expectNear(out.point(i)->sParams(kElements[e][0], kElements[e][1]),
                values(grid[static_cast<size_t>(i)])[e] / 3.0, 1e-15);
    }
}

TEST(AverageMeasurements, DifferentGridsUseTheParabolaOfEachMeasurement)
{
    const std::vector<double> grid = { 1 * GHz, 2 * GHz, 3 * GHz, 4 * GHz, 5 * GHz, 7 * GHz };
    const std::vector<double> other = { 0.5 * GHz, 1.7 * GHz, 2.2 * GHz, 3.9 * GHz, 6 * GHz };
    const auto first = [](double f) {
        const double g = f / GHz;
        return SParams { Complex(g, 0), Complex(1, 1), Complex(0, g), Complex(-g, 2) };
    };
    const auto second = [](double f) {
        const double g = f / GHz;
        return SParams { Complex(1 / g, g), Complex(0.3, -g * g), Complex(g * g * g, -1),
            Complex(1 / (g + 1), 0) };
    };
    RubberS2P list;
    addMeasurement(list, grid, first);
    addMeasurement(list, other, second);

    // The second measurement at each grid frequency, worked out from its own points: the first
    // point's value below 0.5 GHz does not apply; 1 and 2 GHz lie in the window 0.5, 1.7,
    // 2.2 GHz; 3 GHz in 1.7, 2.2, 3.9; 4 and 5 GHz in 2.2, 3.9, 6; 7 GHz copies the 6 GHz point.
    const int window[] = { 0, 0, 1, 2, 2, -1 };
    RubberS2PData out;
    averageMeasurements(out, list);
    ASSERT_EQ(out.itemCount, 6);
    for (size_t i = 0; i < grid.size(); ++i) {
        const double f = grid[i];
        EXPECT_EQ(out.point(static_cast<int32_t>(i))->freq, f);
        for (int e = 0; e < 4; ++e) {
            Complex fromSecond;
            if (window[i] < 0) {
                fromSecond = second(other.back())[e];
            } else {
                const size_t w = static_cast<size_t>(window[i]);
                const double x[3] = { other[w], other[w + 1], other[w + 2] };
                const Complex y[3] = { second(x[0])[e], second(x[1])[e], second(x[2])[e] };
                fromSecond = lagrange(x, y, f);
            }
            const Complex expected = (first(f)[e] + fromSecond) / 2.0;
            expectNear(out.point(static_cast<int32_t>(i))->sParams(kElements[e][0], kElements[e][1]),
                expected, 1e-12);
        }
    }
}

TEST(AverageMeasurements, EmptyListLeavesTheOutputEmpty)
{
    RubberS2P list;
    RubberS2PData out;
    averageMeasurements(out, list);
    EXPECT_EQ(out.itemCount, 0);
    EXPECT_EQ(out.dataValid, 0);
    EXPECT_EQ(list.itemCount, 0);
}

TEST(UncoveredRanges, NameTheMeasurementsThatLeaveOutPartOfTheFirstOnesRange)
{
    // The average runs on 0.1 .. 10.1 GHz; each row adds one measurement over its own range.
    struct Row {
        double first;
        double last;
        bool startsLate;
        bool endsEarly;
    };
    const Row rows[] = {
        { 0.1 * GHz, 10.1 * GHz, false, false },
        { 0.05 * GHz, 11 * GHz, false, false },
        { 2 * GHz, 2.8 * GHz, true, true },
        { 0.1 * GHz, 3 * GHz, false, true },
        { 5 * GHz, 10.1 * GHz, true, false },
    };
    for (const Row& row : rows) {
        RubberS2P list;
        addConstantMeasurement(list, 0.1 * GHz, 10.1 * GHz, 101, Complex(0.5, 0));
        addConstantMeasurement(list, row.first, row.last, 11, Complex(0.5, 0)).displayName = "unit";
        const std::vector<UncoveredRange> uncovered = uncoveredRanges(list);
        const bool covers = !row.startsLate && !row.endsEarly;
        ASSERT_EQ(uncovered.size(), covers ? 0u : 1u) << row.first << " .. " << row.last;
        if (covers)
            continue;
        EXPECT_EQ(uncovered[0].name, "unit");
        EXPECT_EQ(uncovered[0].freqFirst, row.first);
        EXPECT_EQ(uncovered[0].freqLast, row.last);
        EXPECT_EQ(uncovered[0].startsLate, row.startsLate);
        EXPECT_EQ(uncovered[0].endsEarly, row.endsEarly);
    }
}

} // namespace
