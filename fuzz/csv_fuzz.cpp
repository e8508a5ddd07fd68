#include <cstdlib>

#include "csvreader.h"
#include "fuzzinput.h"

// A file is taken whole or not at all: every measurement left is valid, and its frequencies
// rise strictly.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::unique_ptr<char[]> buffer = fileBuffer(data, size);
    RubberS2P list;
    readCsv(list, buffer.get(), size, "/fuzz/input.csv");
    for (int32_t i = 0; i < list.itemCount; ++i) {
        RubberS2PData* m = list.measurement(i);
        if (m->dataValid != 1)
            std::abort();
        for (int32_t k = 1; k < m->itemCount; ++k) {
            if (!(m->point(k - 1)->freq < m->point(k)->freq))
                std::abort();
        }
    }
    return 0;
}
