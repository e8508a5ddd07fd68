#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

// The words after a subcommand: options (with or without a value) and file paths. Options may
// be given as "--name value" or "--name=value"; "--" ends the options.
struct CliArguments {
    std::map<std::string, std::string> values; // the last value of each option
    std::map<std::string, std::vector<std::string>> allValues; // every value, in order
    std::set<std::string> flags;
    std::vector<std::string> files;

    bool has(const std::string& name) const { return values.count(name) != 0 || flags.count(name) != 0; }
};

// Splits words by the options a subcommand knows. Returns false and sets error on an unknown
// option or a missing value.
bool parseCliArguments(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
    const std::set<std::string>& flagOptions, CliArguments& parsed, std::string& error);
