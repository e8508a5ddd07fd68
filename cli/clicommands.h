#pragma once

#include <string>
#include <vector>

// Exit statuses of the batch tool.
enum CliStatus : int { CliSuccess = 0, CliFailure = 1, CliUsageError = 2 };

// Each subcommand takes the words after its name and returns the exit status.
int runInfo(const std::vector<std::string>& words);
int runDump(const std::vector<std::string>& words);
int runAverage(const std::vector<std::string>& words);
int runRender(const std::vector<std::string>& words);
int runExport(const std::vector<std::string>& words);
int runReadout(const std::vector<std::string>& words);
