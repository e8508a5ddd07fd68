#include "averaging.h"

#include "interpolation.h"

namespace {

// Locks the list and its measurements for the averaging unless they are locked already, so
// that the points can be read from several threads; releases only what it locked.
class ListReadLock {
public:
    explicit ListReadLock(RubberS2P& list)
        : list_(list)
        , took_(list.lockedArray == nullptr)
    {
        if (took_)
            list_.lockAll();
    }
    ListReadLock(const ListReadLock&) = delete;
    ListReadLock& operator=(const ListReadLock&) = delete;
    ~ListReadLock()
    {
        if (took_)
            list_.releaseAll();
    }

private:
    RubberS2P& list_;
    const bool took_;
};

void setZero(ComplexMatrix& s)
{
    for (int32_t r = 0; r < 2; ++r) {
        for (int32_t c = 0; c < 2; ++c)
            s(r, c) = Complex(0.0, 0.0);
    }
}

// The sum over the measurements, in list order, of their S-parameters at frequency f.
void sumAt(RubberS2P& list, int32_t count, double f, ComplexMatrix& sum)
{
    thread_local S2PPoint sample;
    if (sample.sParams.rowCount != 2 || sample.sParams.colCount != 2)
        sample.sParams.resize(2, 2);
    for (int32_t k = 0; k < count; ++k) {
        RubberS2PData* m = list.measurement(k);
        if (m == nullptr)
            continue;
        setZero(sample.sParams);
        interpolateAt(*m, sample, f);
        for (int32_t r = 0; r < 2; ++r) {
            for (int32_t c = 0; c < 2; ++c)
                sum(r, c) += sample.sParams(r, c);
        }
    }
}

} // namespace

void averageMeasurements(RubberS2PData& out, RubberS2P& list)
{
    const int32_t count = list.itemCount;
    if (count == 0)
        return;
    RubberS2PData* grid = list.measurement(0);
    if (grid == nullptr)
        return;

    const int32_t points = grid->itemCount;
    for (int32_t i = 0; i < points; ++i) {
        S2PPoint* p = out.point(i);
        if (p == nullptr) {
            out.releasePoints();
            return;
        }
        p->freq = grid->point(i)->freq;
        setZero(p->sParams);
    }

    // Every point sums the measurements in list order, whichever thread computes it, so the
    // average is the same bit for bit as a serial one.
    const double divisor = static_cast<double>(count);
    {
        const ListReadLock readLock(list);
        out.lockArray();
#pragma omp parallel for schedule(static)
        for (int32_t j = 0; j < points; ++j) {
            S2PPoint* p = out.point(j);
            sumAt(list, count, p->freq, p->sParams);
            for (int32_t r = 0; r < 2; ++r) {
                for (int32_t c = 0; c < 2; ++c) {
                    const Complex& s = p->sParams(r, c);
                    p->sParams(r, c) = Complex(s.real() / divisor, s.imag() / divisor);
                }
            }
        }
        out.releaseArray();
    }
    out.dataValid = 1;
    out.updateFreqSummary();
}

std::vector<UncoveredRange> uncoveredRanges(RubberS2P& list)
{
    std::vector<UncoveredRange> uncovered;
    RubberS2PData* grid = list.itemCount > 0 ? list.measurement(0) : nullptr;
    if (grid == nullptr || grid->itemCount == 0)
        return uncovered;
    for (int32_t k = 1; k < list.itemCount; ++k) {
        const RubberS2PData* m = list.measurement(k);
        if (m == nullptr || m->itemCount == 0)
            continue;
        const bool startsLate = m->freqFirst > grid->freqFirst;
        const bool endsEarly = m->freqLast < grid->freqLast;
        if (startsLate || endsEarly)
            uncovered.push_back(
                UncoveredRange { m->displayName, m->freqFirst, m->freqLast, startsLate, endsEarly });
    }
    return uncovered;
}
