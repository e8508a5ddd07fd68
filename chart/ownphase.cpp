#include "ownphase.h"

#include "gridsampling.h"
#include "phasetraces.h"
#include "tracevalues.h"

void ownFrequencies(RubberS2PData& m, double* frequencies)
{
    for (int32_t i = 0; i < m.itemCount; ++i)
        frequencies[i] = measuredPoint(m, i).freq;
}

void ownPhaseValues(RubberS2PData& m, int32_t kind, int32_t phaseMode, int32_t aperture,
    const double* frequencies, double* scratch, double* values)
{
    const int32_t count = m.itemCount;
    double* phases = phaseMode == PhaseDelay ? scratch : values;
    for (int32_t i = 0; i < count; ++i)
        phases[i] = phaseDegrees(sParameterOf(measuredPoint(m, i), kind));
    if (phaseMode != PhaseUnwrapped && phaseMode != PhaseDelay)
        return;
    unwrapPhases(phases, count);
    if (phaseMode == PhaseDelay)
        groupDelays(frequencies, phases, count, aperture, values);
}
