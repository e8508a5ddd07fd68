#include <iostream>
#include <optional>

#include "cformat.h"
#include "cliarguments.h"
#include "clicommands.h"
#include "cliload.h"
#include "listingtext.h"

namespace {

const char* const kInfoHelp
    = "Usage: sprelin-cli info FILE...\n"
      "Loads the files and prints one line per measurement:\n"
      "index, display name, point count, first and last frequency and mean step in hertz,\n"
      "separated by tabs. Control characters in names are written as \\n, \\t, \\\\ and\n"
      "\\xNN.\n";

const char* const kDumpHelp = "Usage: sprelin-cli dump FILE...\n"
                              "Loads the files and prints every measurement: a line\n"
                              "  measurement<TAB>index<TAB>display name<TAB>full name<TAB>point count\n"
                              "then one line per point:\n"
                              "  freq_hz s11_re s11_im s21_re s21_im s12_re s12_im s22_re s22_im\n"
                              "Control characters in names are written as \\n, \\t, \\\\ and \\xNN.\n";

// Parses the words of a listing command; the command's result when it is already done (its
// help or a usage error).
std::optional<CliResult> prepareListing(
    const std::vector<std::string>& words, const char* help, CliArguments& arguments)
{
    std::string error;
    if (!parseCliArguments(words, {}, { "--help", "-h" }, arguments, error))
        return CliResult::usageError("sprelin-cli: " + error, help);
    if (arguments.has("--help") || arguments.has("-h"))
        return CliResult::help(help);
    if (arguments.files.empty())
        return CliResult::usageError("sprelin-cli: no files given", help);
    return std::nullopt;
}

} // namespace

CliResult runInfo(const std::vector<std::string>& words)
{
    CliArguments arguments;
    if (const std::optional<CliResult> done = prepareListing(words, kInfoHelp, arguments))
        return *done;
    RubberS2P& list = listKeptToExit();
    const bool all = loadForCli(arguments.files, list, std::cerr);
    for (int32_t i = 0; i < list.itemCount; ++i) {
        const RubberS2PData& m = *list.measurement(i);
        std::cout << cFormat("%d\t%s\t%d\t%.10g\t%.10g\t%.10g\n", i, escaped(m.displayName).c_str(),
            m.itemCount, m.freqFirst, m.freqLast, m.freqStep);
    }
    return CliResult::afterLoad(all);
}

CliResult runDump(const std::vector<std::string>& words)
{
    CliArguments arguments;
    if (const std::optional<CliResult> done = prepareListing(words, kDumpHelp, arguments))
        return *done;
    RubberS2P& list = listKeptToExit();
    const bool all = loadForCli(arguments.files, list, std::cerr);
    for (int32_t i = 0; i < list.itemCount; ++i) {
        RubberS2PData& m = *list.measurement(i);
        std::cout << cFormat("measurement\t%d\t%s\t%s\t%d\n", i, escaped(m.displayName).c_str(),
            escaped(m.fullName).c_str(), m.itemCount);
        for (int32_t k = 0; k < m.itemCount; ++k) {
            const S2PPoint& p = *m.point(k);
            const ComplexMatrix& s = p.sParams;
            std::cout << cFormat("%.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g\n", p.freq,
                s(0, 0).real(), s(0, 0).imag(), s(1, 0).real(), s(1, 0).imag(), s(0, 1).real(),
                s(0, 1).imag(), s(1, 1).real(), s(1, 1).imag());
        }
    }
    return CliResult::afterLoad(all);
}
