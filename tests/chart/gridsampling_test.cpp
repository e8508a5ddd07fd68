#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "frequencywalk.h"
#include "gridsampling.h"
#include "interpolation.h"
#include "measurementbuilder.h"

namespace {

// A measurement at the given frequencies whose four S-parameters are different functions of
// the frequency and the point's index, so that every point can be told apart.
RubberS2PData& addAt(RubberS2P& list, const std::vector<double>& freqs)
{
    int point = 0;
    return addMeasurement(list, freqs, [&point](double f) {
        const double v = std::sin(f * 0.37) + 0.1 * point++;
        return SParams { Complex(v, 0.5), Complex(0.2 * v, -v), Complex(-v, 0.3 * v), Complex(0.1, v * v) };
    });
}

TEST(GridSampling, NearestPointTakesTheHigherOnATie)
{
    RubberS2P list;
    RubberS2PData& m = addAt(list, { 0, 10, 20, 30 });
    struct Row {
        double x;
        double freq;
    };
    const Row rows[] = { { -5, 0 }, { 4.9, 0 }, { 5, 10 }, { 14, 10 }, { 15, 20 }, { 26, 30 }, { 99, 30 } };
    for (const Row& row : rows)
        EXPECT_EQ(nearestPoint(m, row.x).freq, row.freq) << row.x;
}

TEST(GridSampling, InterpolationAgreesWithTheMeasurementFit)
{
    RubberS2P list;
    RubberS2PData& even = addAt(list, { 1e9, 1.1e9, 1.2e9, 1.3e9, 1.4e9, 1.5e9 });
    RubberS2PData& uneven = addAt(list, { 0, 1, 2, 3, 4, 100 });
    RubberS2PData& two = addAt(list, { 5, 9 });
    for (RubberS2PData* m : { &even, &uneven, &two }) {
        for (int32_t k = -2; k <= 42; ++k) {
            const double f = m->freqFirst + (m->freqLast - m->freqFirst) * k / 40.0;
            S2PPoint expected;
            ASSERT_EQ(interpolateAt(*m, expected, f), 1);
            const SParameters got = interpolatedSParameters(*m, f);
            const SParameters want = sParametersOf(expected);
            for (size_t j = 0; j < got.size(); ++j)
                EXPECT_NEAR(std::abs(got[j] - want[j]), 0, 1e-9) << f << " " << j;
        }
    }
}

TEST(GridSampling, InterpolationWithoutAFitTakesTheNearestPoint)
{
    RubberS2P list;
    RubberS2PData& single = addAt(list, { 7 });
    RubberS2PData& invalid = addAt(list, { 0, 10, 20 });
    invalid.dataValid = 0;
    EXPECT_EQ(interpolatedSParameters(single, 100)[1], single.point(0)->sParams(1, 0));
    EXPECT_EQ(interpolatedSParameters(invalid, 19)[1], invalid.point(0)->sParams(1, 0));
}

TEST(GridSampling, NeighboursBracketTheGridFrequency)
{
    RubberS2P list;
    RubberS2PData& even = addAt(list, { 0, 10, 20, 30 });
    RubberS2PData& repeated = addAt(list, { 0, 5, 5, 10 }); // searched
    RubberS2PData& descending = addAt(list, { 10, 8, 6, 4 });
    struct Row {
        RubberS2PData* m;
        double x;
        double lo;
        double hi;
        double t;
    };
    // Out of order, so that the walk also goes back.
    const Row rows[] = {
        { &even, -5, 0, 0, 0 },
        { &even, 0, 0, 0, 0 },
        { &even, 27.5, 20, 30, 0.75 },
        { &even, 2.5, 0, 10, 0.25 },
        { &even, 10, 10, 20, 0 },
        { &even, 30, 30, 30, 0 },
        { &even, 41, 30, 30, 0 },
        { &repeated, 2.5, 0, 5, 0.5 },
        { &repeated, 5, 5, 5, 0 },
        { &repeated, 9, 5, 10, 0.8 },
        { &repeated, 12, 10, 10, 0 },
    };
    PointWalk evenWalk(even);
    PointWalk repeatedWalk(repeated);
    for (const Row& row : rows) {
        const PointWalk::Neighbours n = (row.m == &even ? evenWalk : repeatedWalk).neighbours(row.x);
        EXPECT_EQ(n.lo->freq, row.lo) << row.x;
        EXPECT_EQ(n.hi->freq, row.hi) << row.x;
        EXPECT_DOUBLE_EQ(n.t, row.t) << row.x;
    }

    // Descending points have no neighbours in order: the searched nearest point stands alone.
    PointWalk descendingWalk(descending);
    for (const double x : { 11.0, 9.0, 7.0, 4.0, 2.0 }) {
        const PointWalk::Neighbours n = descendingWalk.neighbours(x);
        EXPECT_EQ(n.lo, &nearestPoint(descending, x)) << x;
        EXPECT_EQ(n.hi, n.lo) << x;
        EXPECT_EQ(n.t, 0) << x;
    }
}

// Equal values, where two not-a-number parts count as equal.
bool same(const Complex& a, const Complex& b)
{
    const auto part = [](double u, double v) { return u == v || (std::isnan(u) && std::isnan(v)); };
    return part(a.real(), b.real()) && part(a.imag(), b.imag());
}

// The walk must give exactly what the searches give, on every kind of measurement.
TEST(GridSampling, WalkMatchesTheSearchesExactly)
{
    RubberS2P list;
    addAt(list, { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 });
    addAt(list, { 0, 1, 2, 3, 4, 100 });
    addAt(list, { 3, 3.5, 9, 9.25, 9.5, 40 });
    addAt(list, { 10, 8, 6, 4 }); // descending: searched
    addAt(list, { 0, 5, 5, 10 }); // a repeated frequency: searched
    addAt(list, { 2, 4 });
    addAt(list, { 6 });
    RubberS2PData& stale = addAt(list, { 0, 2, 4, 6 });
    stale.freqLast = 5; // a summary that does not match its points: searched
    list.lockAll();
    for (int32_t mi = 0; mi < list.itemCount; ++mi) {
        RubberS2PData& m = *list.measurement(mi);
        PointWalk nearestWalk(m);
        PointWalk interpolationWalk(m);
        // Grid frequencies on, between and beyond the points, ties included.
        for (int32_t k = -10; k <= 250; ++k) {
            const double x = k * 0.25 - 1;
            EXPECT_EQ(&nearestWalk.nearest(x), &nearestPoint(m, x)) << mi << " " << x;
            const SParameters walked = interpolationWalk.interpolated(x);
            const SParameters searched = interpolatedSParameters(m, x);
            for (size_t j = 0; j < walked.size(); ++j)
                EXPECT_TRUE(same(walked[j], searched[j])) << mi << " " << x;
        }
    }
    list.releaseAll();
}

} // namespace

TEST(GridSampling, IndexesAreThoseOfThePointsTheWalkGives)
{
    RubberS2P list;
    RubberS2PData& even = addAt(list, { 0, 10, 20, 30, 40, 50 });
    RubberS2PData& uneven = addAt(list, { 0, 1, 2, 3, 4, 100 });
    // Points not strictly ascending take the search.
    RubberS2PData& repeated = addAt(list, { 0, 10, 10, 20, 30 });
    RubberS2PData& single = addAt(list, { 7 });
    for (RubberS2PData* m : { &even, &uneven, &repeated, &single }) {
        PointWalk byPoint(*m);
        PointWalk byIndex(*m);
        // The kept frequencies of ascending points give the walk's indexes too.
        std::vector<double> frequencies(static_cast<size_t>(m->itemCount));
        for (int32_t i = 0; i < m->itemCount; ++i)
            frequencies[static_cast<size_t>(i)] = m->point(i)->freq;
        EXPECT_EQ(byPoint.walksAscending(), m != &repeated && m != &single);
        FrequencyWalk byFrequency(frequencies.data(), m->itemCount);
        for (int32_t k = -3; k <= 43; ++k) {
            const double x = m->freqFirst - 1 + (m->freqLast - m->freqFirst + 2) * k / 40.0;
            const S2PPoint& nearest = byPoint.nearest(x);
            EXPECT_EQ(m->point(byIndex.nearestIndex(x)), &nearest) << x;
            const PointWalk::Neighbours around = byPoint.neighbours(x);
            const PointWalk::IndexNeighbours indexes = byIndex.neighbourIndices(x);
            EXPECT_EQ(m->point(indexes.lo), around.lo) << x;
            EXPECT_EQ(m->point(indexes.hi), around.hi) << x;
            EXPECT_EQ(indexes.t, around.t) << x;
            EXPECT_EQ(&measuredPoint(*m, indexes.lo), around.lo) << x;
            if (!byPoint.walksAscending())
                continue;
            const PointWalk::IndexNeighbours walked = byFrequency.neighbourIndices(x);
            EXPECT_EQ(byFrequency.nearestIndex(x), byIndex.nearestIndex(x)) << x;
            EXPECT_EQ(walked.lo, indexes.lo) << x;
            EXPECT_EQ(walked.hi, indexes.hi) << x;
            EXPECT_EQ(walked.t, indexes.t) << x;
        }
    }
}
