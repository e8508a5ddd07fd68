#pragma once

// Clears the upper halves of the calling thread's AVX registers where the processor has them.
//
// Library code elsewhere in the process (seen once the GUI application has started) can leave
// those halves dirty. On many x86 processors every later SSE instruction then carries a false
// dependency on them, which makes the sampling and curve loops several times slower. The hot
// loops call this once per thread before they start and after each call into the painter.
void clearUpperVectorState();
