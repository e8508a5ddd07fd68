// Grows each input into a file of several MiB (see inputrecipe.h) and loads it as the program
// does, from a file, so that the reading in two halves, the scans of long Touchstone blocks and
// the measurement bound of column files meet hostile text. Every measurement a Touchstone or CSV
// file yields has frequencies that rise strictly (the column reader promises no order), and no
// file yields more measurements than the list may hold.
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#include "fuzzinput.h"
#include "inputrecipe.h"
#include "loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const InputRecipe recipe = expandRecipe(data, size);
    if (recipe.extension.empty())
        return 0;
    static const std::string folder = fuzzFolder();
    const std::string path = folder + "/input" + recipe.extension;
    if (!writeFuzzFile(path, recipe.text))
        std::abort();

    RubberS2P list;
    loadFile(list, path);
    if (list.itemCount > maxListMeasurements)
        std::abort();
    const bool rising = recipe.extension != ".dtu";
    for (int32_t i = 0; rising && i < list.itemCount; ++i) {
        RubberS2PData* m = list.measurement(i);
        for (int32_t k = 1; k < m->itemCount; ++k) {
            if (!(m->point(k - 1)->freq < m->point(k)->freq))
                std::abort();
        }
    }
    return 0;
}
