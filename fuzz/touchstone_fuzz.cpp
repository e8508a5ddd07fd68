// Feeds arbitrary bytes to the Touchstone readers. The first byte chooses the reader (one-,
// two- or three-port); the rest is the file's text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzzinput.h"
#include "touchstonereader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int reader = data[0] % 3;
    const size_t length = size - 1;
    const auto buffer = fileBuffer(data + 1, length);

    RubberS2PData views[4];
    std::string label;
    switch (reader) {
    case 0:
        readS1P(views[0], buffer.get(), length);
        break;
    case 1:
        readS2P(views[0], buffer.get(), length);
        break;
    default:
        readS3P(views[0], views[1], views[2], views[3], buffer.get(), length, label);
        break;
    }
    return 0;
}
