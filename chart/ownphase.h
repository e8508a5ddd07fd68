#pragma once

#include <cstdint>

#include "rubbers2pdata.h"

// The phase traces of a measurement in the unwrapped and delay modes, computed along its own
// points: they depend on the measurement alone, never on the view. Both read only existing
// points, so they are safe on a locked measurement shared by several threads.

// The frequency of each of m's itemCount points, in index order, into frequencies.
void ownFrequencies(RubberS2PData& m, double* frequencies);

// Phase trace kind k (S11A, S21A, S12A or S22A) of m at each of its points into values: in
// PhaseUnwrapped the unwrapped phase in degrees, in PhaseDelay the group delay in seconds over
// aperture points (NaN everywhere when m has fewer points), in any other mode the wrapped
// phase. frequencies holds m's (ownFrequencies); scratch is room for itemCount values, used by
// the delay. A point without a phase (an exact zero) has none in either mode.
void ownPhaseValues(RubberS2PData& m, int32_t kind, int32_t phaseMode, int32_t aperture,
    const double* frequencies, double* scratch, double* values);
