#include "chartmodule.h"

#include <climits>
#include <cstring>
#include <dlfcn.h>
#include <unistd.h>

namespace {

const char* const kChartCommands[] = { "render", "export", "readout", "check", "search" };

// The module's path: beside the executable, found through the link the kernel keeps to it;
// its bare file name, for the loader's own search, when that link cannot be read.
std::string modulePath()
{
    char executable[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", executable, sizeof executable - 1);
    if (length <= 0)
        return SPRELIN_CHART_MODULE;
    const std::string path(executable, static_cast<size_t>(length));
    const size_t slash = path.rfind('/');
    return path.substr(0, slash + 1) + SPRELIN_CHART_MODULE;
}

} // namespace

bool isChartCommand(const std::string& name)
{
    for (const char* command : kChartCommands)
        if (name == command)
            return true;
    return false;
}

CliResult runChartCommand(const std::string& name, const std::vector<std::string>& words)
{
    const std::string path = modulePath();
    // Kept loaded to the end: the graphics libraries it brings register their own clean-up.
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    using Entry = void (*)(const char*, const std::vector<std::string>&, CliResult&);
    const auto entry
        = module == nullptr ? nullptr : reinterpret_cast<Entry>(::dlsym(module, "sprelinRunChartCommand"));
    if (entry == nullptr)
        return CliResult::failure(
            "sprelin-cli: the chart commands cannot be loaded: " + std::string(::dlerror()));
    CliResult result;
    entry(name.c_str(), words, result);
    return result;
}
