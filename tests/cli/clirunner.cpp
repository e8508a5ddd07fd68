#include "clirunner.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "filetext.h"

CliRun runCli(const std::string& arguments, const std::string& environment, const std::string& tool)
{
    // Test cases run as parallel processes: each run gets files of its own.
    static int runs = 0;
    const std::string stem
        = ::testing::TempDir() + "/sprelin_cli_" + std::to_string(getpid()) + "_" + std::to_string(++runs);
    const std::string out = stem + ".out";
    const std::string err = stem + ".err";
    const std::string command
        = environment + " " + shellQuoted(tool) + " " + arguments + " >'" + out + "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    CliRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = readAll(out);
    run.err = readAll(err);
    std::remove(out.c_str());
    std::remove(err.c_str());
    return run;
}

std::string samplePath(const std::string& name)
{
    return std::string(SPRELIN_SAMPLES) + "/" + name;
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}
