#pragma once

#include <cmath>

// Accepts the first frequency of a file and then only strictly increasing ones, compared in the
// file's units; a frequency that is not finite in hertz is never accepted.
class FrequencyTest {
public:
    bool accept(double rawFreq, double freqMultiplier)
    {
        if (!std::isfinite(rawFreq * freqMultiplier))
            return false;
        if (havePrevious_ && !(rawFreq > previous_))
            return false;
        havePrevious_ = true;
        previous_ = rawFreq;
        return true;
    }

private:
    bool havePrevious_ = false;
    double previous_ = 0.0;
};
