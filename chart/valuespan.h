#pragma once

// The smallest and largest of the values taken so far; both 0 until one is taken.
struct ValueSpan {
    double low = 0;
    double high = 0;
    bool found = false;

    void take(double v)
    {
        if (!found) {
            low = v;
            high = v;
            found = true;
        } else if (v < low) {
            low = v;
        } else if (v > high) {
            high = v;
        }
    }
};
