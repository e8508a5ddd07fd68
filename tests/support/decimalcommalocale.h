#pragma once

#include <clocale>
#include <string>

// Switches the process to a locale whose decimal separator is a comma for the lifetime of the
// object, as Qt does at start-up with the user's locale, and restores the previous one.
class DecimalCommaLocale {
public:
    DecimalCommaLocale()
    {
        const char* current = std::setlocale(LC_ALL, nullptr);
        previous_ = current != nullptr ? current : "C";
        for (const char* name : { "de_DE.UTF-8", "ru_RU.UTF-8", "de_DE.utf8", "ru_RU.utf8" }) {
            if (std::setlocale(LC_ALL, name) != nullptr) {
                active_ = *std::localeconv()->decimal_point == ',';
                if (active_)
                    return;
            }
        }
        std::setlocale(LC_ALL, previous_.c_str());
    }
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;
    ~DecimalCommaLocale() { std::setlocale(LC_ALL, previous_.c_str()); }

    // False when no such locale is installed on this machine.
    bool active() const { return active_; }

private:
    std::string previous_;
    bool active_ = false;
};
