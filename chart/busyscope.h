#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

// Holds the chart's busy flag for the lifetime of the object, so that drawing and presenting
// never use the image at the same time: waits while another holder has it, polling every
// millisecond, then sets it, and clears it at the end.
class BusyScope {
public:
    explicit BusyScope(std::atomic<int32_t>& busyFlag)
        : flag(busyFlag)
    {
        while (flag.exchange(1) != 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    ~BusyScope() { flag.store(0); }

private:
    std::atomic<int32_t>& flag;
};
