#pragma once

#include <cstdint>

// The languages of the program's texts. The settings file and the tests' tables keep them as
// the numbers 0 and 1.
enum class Language : int32_t { russian = 0, english = 1 };

// The language a stored number names: 0 Russian, any other English.
constexpr Language languageOf(int32_t stored)
{
    return stored == 0 ? Language::russian : Language::english;
}

constexpr int32_t storedLanguage(Language language)
{
    return static_cast<int32_t>(language);
}
