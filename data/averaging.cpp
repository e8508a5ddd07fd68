#include "averaging.h"

#include "interpolation.h"

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
        for (int32_t r = 0; r < 2; ++r) {
            for (int32_t c = 0; c < 2; ++c)
                p->sParams(r, c) = Complex(0.0, 0.0);
        }
    }

    S2PPoint sample;
    sample.sParams.resize(2, 2);
    for (int32_t k = 0; k < count; ++k) {
        RubberS2PData* m = list.measurement(k);
        if (m == nullptr)
            continue;
        for (int32_t j = 0; j < points; ++j) {
            S2PPoint* p = out.point(j);
            for (int32_t r = 0; r < 2; ++r) {
                for (int32_t c = 0; c < 2; ++c)
                    sample.sParams(r, c) = Complex(0.0, 0.0);
            }
            interpolateAt(*m, sample, grid->point(j)->freq);
            for (int32_t r = 0; r < 2; ++r) {
                for (int32_t c = 0; c < 2; ++c)
                    p->sParams(r, c) += sample.sParams(r, c);
            }
        }
    }

    const double divisor = static_cast<double>(count);
    for (int32_t i = 0; i < points; ++i) {
        S2PPoint* p = out.point(i);
        for (int32_t r = 0; r < 2; ++r) {
            for (int32_t c = 0; c < 2; ++c) {
                const Complex& s = p->sParams(r, c);
                p->sParams(r, c) = Complex(s.real() / divisor, s.imag() / divisor);
            }
        }
    }
    out.dataValid = 1;
    out.updateFreqSummary();
}
