#pragma once

#include "rubbers2p.h"

// Fills out (a new, empty measurement) with the mean two-port of every measurement of the
// list, on the frequencies of the list's first measurement. The mean is taken over the complex
// S-parameters; a measurement without usable data adds zeros but still counts. Leaves out
// empty when the list is empty, and invalid when memory runs out.
void averageMeasurements(RubberS2PData& out, RubberS2P& list);
