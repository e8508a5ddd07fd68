#include <cstdlib>

#include "fuzzinput.h"
#include "zetlabsreader.h"

// A read either keeps every column with its points or rejects every one of them; no column
// has more points than the one before it (only the last line may leave later columns short).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::unique_ptr<char[]> buffer = fileBuffer(data, size);
    RubberS2P list;
    readZetLabs("/fuzz/input.dtu", buffer.get(), size, list);
    for (int32_t i = 0; i < list.itemCount; ++i) {
        RubberS2PData* m = list.measurement(i);
        const RubberS2PData* first = list.measurement(0);
        if (m->dataValid != first->dataValid || (m->dataValid == 0 && m->itemCount != 0))
            std::abort();
        if (i > 0 && m->itemCount > list.measurement(i - 1)->itemCount)
            std::abort();
    }
    return 0;
}
