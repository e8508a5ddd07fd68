#pragma once

#include <string>
#include <vector>

#include "cliresult.h"

// Each subcommand takes the words after its name and returns how it ended.
CliResult runInfo(const std::vector<std::string>& words);
CliResult runDump(const std::vector<std::string>& words);
CliResult runAverage(const std::vector<std::string>& words);
CliResult runRender(const std::vector<std::string>& words);
CliResult runExport(const std::vector<std::string>& words);
CliResult runReadout(const std::vector<std::string>& words);
CliResult runCheck(const std::vector<std::string>& words);
CliResult runSearch(const std::vector<std::string>& words);
