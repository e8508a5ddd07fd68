// Feeds arbitrary bytes to the Touchstone readers. The first byte chooses the reader: modulo 5,
// 0 to 2 the one-, two- and three-port files, 3 a file whose keywords name the port count (.ts),
// 4 a file whose extension names 4 to 33 ports (the byte divided by 5 chooses the count); the
// rest is the file's text.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fuzzinput.h"
#include "touchstonereader.h"

namespace {

void readAnyPorts(char* buffer, size_t length, int ports)
{
    TouchstoneText text;
    if (prepareTouchstone(buffer, length, ports, text) != LoadSuccess)
        return;
    std::vector<std::unique_ptr<RubberS2PData>> views;
    std::vector<RubberS2PData*> raw;
    for (int v = 0; v < touchstoneViewCount(text.ports); ++v) {
        views.push_back(std::make_unique<RubberS2PData>());
        raw.push_back(views.back().get());
    }
    std::string label;
    readTouchstone(text, raw.data(), label);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int reader = data[0] % 5;
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
    case 2:
        readS3P(views[0], views[1], views[2], views[3], buffer.get(), length, label);
        break;
    case 3:
        readAnyPorts(buffer.get(), length, -1);
        break;
    default:
        readAnyPorts(buffer.get(), length, 4 + data[0] / 5 % 30);
        break;
    }
    return 0;
}
