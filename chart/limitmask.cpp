#include "limitmask.h"

#include <charconv>
#include <cmath>
#include <strings.h>
#include <utility>

#include "tracevalues.h"
#include "unitmultiplier.h"

namespace {

// Longest piece of a bad line quoted in a reason; longer ones end in "...".
constexpr size_t quotedLength = 40;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// The blank-separated words of one line, read one after the other.
class Words {
public:
    explicit Words(std::string_view line)
        : rest(line)
    {
    }

    // The next word; empty at the end of the line.
    std::string_view next()
    {
        size_t start = 0;
        while (start < rest.size() && isBlank(rest[start]))
            ++start;
        size_t end = start;
        while (end < rest.size() && !isBlank(rest[end]))
            ++end;
        const std::string_view word = rest.substr(start, end - start);
        rest.remove_prefix(end);
        return word;
    }

private:
    std::string_view rest;
};

std::string quoted(std::string_view word)
{
    if (word.size() <= quotedLength)
        return "'" + std::string(word) + "'";
    return "'" + std::string(word.substr(0, quotedLength)) + "...'";
}

bool sameWord(std::string_view word, const char* name)
{
    return word.size() == std::char_traits<char>::length(name)
        && strncasecmp(word.data(), name, word.size()) == 0;
}

// The trace kind a word names, or -1.
int32_t kindOf(std::string_view word)
{
    for (int32_t k = 0; k < tracesPerMeasurement; ++k)
        if (sameWord(word, traceName(k)))
            return k;
    return -1;
}

// Hertz per unit of a unit word, or 0.
double multiplierOf(std::string_view word)
{
    for (int32_t k = 0; k < unitCount; ++k)
        if (sameWord(word, unitName(Language::english, k)))
            return unitMultiplierOf(k);
    return 0;
}

// A whole word that is a finite number; a leading '+' is allowed.
bool readNumber(std::string_view word, double& value)
{
    if (!word.empty() && word.front() == '+')
        word.remove_prefix(1);
    const char* last = word.data() + word.size();
    const std::from_chars_result r = std::from_chars(word.data(), last, value);
    return !word.empty() && r.ec == std::errc() && r.ptr == last && std::isfinite(value);
}

// The reading of one file: the unit in force and the segments so far.
class LimitsReader {
public:
    // Takes one line without its comment; false with the reason when it is bad.
    bool take(std::string_view line, int32_t number, std::string& reason);

    Limits limits;

private:
    bool takeUnit(Words& words, std::string& reason);
    bool takeSegment(int32_t kind, Words& words, int32_t number, std::string& reason);
    // The next word as a number; what is wrong with it otherwise.
    bool nextNumber(Words& words, const char* what, double& value, std::string& reason);

    double multiplier = 1;
    bool unitGiven = false;
};

bool LimitsReader::take(std::string_view line, int32_t number, std::string& reason)
{
    Words words(line);
    const std::string_view first = words.next();
    if (first.empty())
        return true;
    if (sameWord(first, "unit"))
        return takeUnit(words, reason);
    const int32_t kind = kindOf(first);
    if (kind < 0) {
        reason = "unknown trace " + quoted(first)
            + ", not one of S11M, S11A, S21M, S21A, S12M, S12A, S22M, "
              "S22A or 'unit'";
        return false;
    }
    return takeSegment(kind, words, number, reason);
}

bool LimitsReader::takeUnit(Words& words, std::string& reason)
{
    if (unitGiven) {
        reason = "the unit is given a second time";
        return false;
    }
    if (!limits.segments.empty()) {
        reason = "the unit comes after the first segment";
        return false;
    }
    const std::string_view word = words.next();
    multiplier = multiplierOf(word);
    if (multiplier == 0) {
        reason = word.empty() ? "unit without a unit: Hz, kHz, MHz or GHz"
                              : "unknown unit " + quoted(word) + ", not Hz, kHz, MHz or GHz";
        return false;
    }
    const std::string_view extra = words.next();
    if (!extra.empty()) {
        reason = "text after the unit: " + quoted(extra);
        return false;
    }
    unitGiven = true;
    return true;
}

bool LimitsReader::nextNumber(Words& words, const char* what, double& value, std::string& reason)
{
    const std::string_view word = words.next();
    if (word.empty()) {
        reason = std::string("missing number: ") + what;
        return false;
    }
    if (!readNumber(word, value)) {
        reason = std::string(what) + " " + quoted(word) + " is not a finite number";
        return false;
    }
    return true;
}

bool LimitsReader::takeSegment(int32_t kind, Words& words, int32_t number, std::string& reason)
{
    LimitSegment segment;
    segment.kind = kind;
    segment.line = number;
    const std::string_view side = words.next();
    if (sameWord(side, "upper")) {
        segment.side = LimitSide::upper;
    } else if (sameWord(side, "lower")) {
        segment.side = LimitSide::lower;
    } else {
        reason
            = side.empty() ? "missing 'upper' or 'lower'" : quoted(side) + " is neither 'upper' nor 'lower'";
        return false;
    }
    if (!nextNumber(words, "F1", segment.f1, reason) || !nextNumber(words, "V1", segment.v1, reason))
        return false;
    segment.f2 = segment.f1;
    segment.v2 = segment.v1;
    Words after = words;
    if (!after.next().empty()) {
        if (!nextNumber(words, "F2", segment.f2, reason) || !nextNumber(words, "V2", segment.v2, reason))
            return false;
        if (!(segment.f2 > segment.f1)) {
            reason = "F2 is not above F1";
            return false;
        }
    }
    const std::string_view extra = words.next();
    if (!extra.empty()) {
        reason = "text after the numbers: " + quoted(extra);
        return false;
    }
    segment.f1 *= multiplier;
    segment.f2 *= multiplier;
    if (!std::isfinite(segment.f1) || !std::isfinite(segment.f2) || segment.f1 < 0) {
        reason = segment.f1 < 0 ? "negative frequency" : "frequency too large";
        return false;
    }
    limits.segments.push_back(segment);
    return true;
}

} // namespace

double LimitSegment::limitAt(double f) const
{
    if (spot() || f <= f1)
        return v1;
    if (f >= f2)
        return v2;
    return v1 + (v2 - v1) * ((f - f1) / (f2 - f1));
}

double LimitSegment::margin(double f, double value) const
{
    const double limit = limitAt(f);
    return side == LimitSide::upper ? limit - value : value - limit;
}

bool parseLimits(std::string_view text, Limits& limits, LimitsError& error)
{
    LimitsReader reader;
    int32_t number = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        line = line.substr(0, line.find('#'));
        std::string reason;
        if (!reader.take(line, number, reason)) {
            error = LimitsError { number, reason };
            return false;
        }
    }
    if (reader.limits.empty()) {
        error = LimitsError { 0, "no limit segments" };
        return false;
    }
    limits = std::move(reader.limits);
    return true;
}
