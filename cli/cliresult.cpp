#include "cliresult.h"

#include "listingtext.h"

CliResult CliResult::help(const std::string& text)
{
    return CliResult { CliSuccess, text };
}

CliResult CliResult::usageError(const std::string& line, const std::string& help)
{
    return CliResult { CliUsageError, line + '\n' + help };
}

CliResult CliResult::failure(const std::string& line)
{
    return CliResult { CliFailure, escaped(line) + '\n' };
}

CliResult CliResult::afterLoad(bool loadedAll)
{
    return CliResult { loadedAll ? CliSuccess : CliFailure, std::string() };
}
