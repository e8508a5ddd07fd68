#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Which side of a limit line the values must stay on.
enum class LimitSide : int32_t { upper, lower };

// One line of a limits file: a limit on one trace kind between two frequencies, the straight
// line from (f1, v1) to (f2, v2); a spot check at f1 alone when f2 equals f1. Values are in
// the trace's plotted unit (dB, VSWR or degrees as the view shows it).
struct LimitSegment {
    int32_t kind = 0; // trace kind, S11M .. S22A
    LimitSide side = LimitSide::upper;
    double f1 = 0; // hertz
    double v1 = 0;
    double f2 = 0; // hertz, above f1, or f1 for a spot check
    double v2 = 0;
    int32_t line = 0; // line number in the file, from 1

    bool spot() const { return f2 == f1; }
    // The limit at f, on the line through both ends; v1 for a spot check.
    double limitAt(double f) const;
    // How far the value keeps inside the limit: the limit less the value for an upper limit,
    // the value less the limit for a lower one; negative is a violation.
    double margin(double f, double value) const;
};

// The limit mask of a limits file, segments in file order.
struct Limits {
    std::vector<LimitSegment> segments;

    bool empty() const { return segments.empty(); }
};

// Why a limits file was refused: the line (from 1) and the reason in one sentence.
struct LimitsError {
    int32_t line = 0;
    std::string reason;
};

// Reads a limits file's text: one segment a line, '#' starting a comment,
//   unit Hz|kHz|MHz|GHz          (once, before the segments; hertz until given)
//   TRACE upper|lower F1 V1 [F2 V2]
// TRACE one of S11M .. S22A (any case), F1 < F2, every number finite, a decimal point in any
// locale. Returns true with the segments in limits; false with the first bad line in error and
// limits untouched. A text without segments is refused (line 0). Reads nothing but the text.
bool parseLimits(std::string_view text, Limits& limits, LimitsError& error);
