#pragma once

#include <cstdint>
#include <vector>

// One marker as the frequency chart draws it: a vertical line at its frequency labelled "Mn"
// at the top, and a triangle on each shown curve at the trace's value there.
struct MarkerMark {
    struct OnTrace {
        int32_t trace = 0;
        double value = 0;
    };

    int32_t number = 0;
    double freq = 0; // in displayed units
    std::vector<OnTrace> traces;
};
