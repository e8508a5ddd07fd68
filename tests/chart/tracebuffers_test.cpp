#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tracebuffers.h"

// Every shown trace gets an array of its own, hidden ones the shared not-a-number array, also
// when a later recomputation shows more or fewer traces in the room kept from before.
TEST(TraceBuffers, ShownTracesGetArraysOfTheirOwn)
{
    TraceBuffers buffers;
    const std::vector<std::vector<bool>> selections = { { true, false, true, true }, { false, true, false, false },
        { true, true, true, true, true, true, true, true }, {} };
    for (const std::vector<bool>& shown : selections) {
        buffers.traceCount = 8;
        buffers.pointCount = 1000;
        ASSERT_TRUE(buffers.allocateValues(shown));
        for (int32_t t = 0; t < buffers.traceCount; ++t) {
            const bool isShown = static_cast<size_t>(t) < shown.size() && shown[static_cast<size_t>(t)];
            EXPECT_EQ(buffers.computed(t), isShown) << t;
            if (isShown)
                std::fill_n(buffers.traceValues[static_cast<size_t>(t)], buffers.pointCount, t);
        }
        for (int32_t t = 0; t < buffers.traceCount; ++t) {
            const double* v = buffers.traceValues[static_cast<size_t>(t)];
            for (int32_t i = 0; i < buffers.pointCount; ++i)
                ASSERT_TRUE(buffers.computed(t) ? v[i] == t : std::isnan(v[i])) << t << " " << i;
        }
    }
    buffers.releaseBuffers();
    EXPECT_EQ(buffers.traceCount, 0);
    EXPECT_FALSE(buffers.computed(0));
}
