#include "abouttext.h"

namespace {

// Version shown in the About box; the build passes the project's major.minor.
#ifdef SPRELIN_VERSION_TEXT
constexpr const char* versionText = SPRELIN_VERSION_TEXT;
#else
constexpr const char* versionText = "1.7";
#endif

constexpr const char* unknownDate = "??.??.????";
constexpr const char* monthNames = "JanFebMarAprMayJunJulAugSepOctNovDec";

struct Maker {
    const char* name;
    const char* address;
};

constexpr Maker russianMaker = { "Разработчики Sprelin", "https://sprelin.example.org" };
constexpr Maker englishMaker = { "Sprelin developers", "https://sprelin.example.org" };

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

BuildStamp programBuildStamp()
{
    return { __DATE__, __TIME__ };
}

std::string buildDateText(const std::string& compilerDate)
{
    // "Mmm dd yyyy": month name, blank, day (a blank before one digit), blank, year.
    if (compilerDate.size() != 11 || compilerDate[3] != ' ' || compilerDate[6] != ' ')
        return unknownDate;
    int month = 0;
    for (int i = 0; i < 12; ++i) {
        if (compilerDate.compare(0, 3, monthNames + 3 * i, 3) == 0)
            month = i + 1;
    }
    const char dayTens = compilerDate[4] == ' ' ? '0' : compilerDate[4];
    const char dayUnits = compilerDate[5];
    bool digits = isDigit(dayTens) && isDigit(dayUnits);
    for (size_t i = 7; i < 11; ++i)
        digits = digits && isDigit(compilerDate[i]);
    const int day = (dayTens - '0') * 10 + (dayUnits - '0');
    if (month == 0 || !digits || day < 1 || day > 31)
        return unknownDate;

    std::string text;
    text += dayTens;
    text += dayUnits;
    text += '.';
    text += static_cast<char>('0' + month / 10);
    text += static_cast<char>('0' + month % 10);
    text += '.';
    text += compilerDate.substr(7, 4);
    return text;
}

std::string aboutText(Language language, const BuildStamp& stamp)
{
    const bool russian = language == Language::russian;
    const Maker& maker = russian ? russianMaker : englishMaker;
    const std::string bitness = std::to_string(sizeof(void*) * 8);
    std::string text = russian ? std::string("Sprelin, версия ") + versionText + " (" + bitness + " бит)"
                               : std::string("Sprelin, version ") + versionText + " (" + bitness + "-bit)";
    text += "\n\n";
    text += maker.name;
    text += '\n';
    text += maker.address;
    text += "\n\n";
    text += buildDateText(stamp.date) + ' ' + stamp.time;
    return text;
}

std::string aboutText(Language language)
{
    return aboutText(language, programBuildStamp());
}
