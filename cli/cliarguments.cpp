#include "cliarguments.h"

bool parseCliArguments(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
    const std::set<std::string>& flagOptions, CliArguments& parsed, std::string& error)
{
    bool optionsEnded = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            parsed.files.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        if (flagOptions.count(name) != 0 && equals == std::string::npos) {
            parsed.flags.insert(name);
            continue;
        }
        if (valueOptions.count(name) == 0) {
            error = "unknown option " + word;
            return false;
        }
        if (equals != std::string::npos) {
            parsed.values[name] = word.substr(equals + 1);
        } else if (i + 1 < words.size()) {
            parsed.values[name] = words[++i];
        } else {
            error = "option " + name + " needs a value";
            return false;
        }
        parsed.allValues[name].push_back(parsed.values[name]);
    }
    return true;
}
