#pragma once

#include "unitmultiplier.h"

// Sets the process-wide unitMultiplier for the lifetime of the object and gives the previous
// value back afterwards, so that no test leaves another its displayed unit.
class UnitMultiplierScope {
public:
    explicit UnitMultiplierScope(double multiplier)
        : previous_(unitMultiplier)
    {
        unitMultiplier = multiplier;
    }
    ~UnitMultiplierScope() { unitMultiplier = previous_; }
    UnitMultiplierScope(const UnitMultiplierScope&) = delete;
    UnitMultiplierScope& operator=(const UnitMultiplierScope&) = delete;

private:
    double previous_;
};
