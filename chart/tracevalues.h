#pragma once

#include <array>
#include <cstdint>

#include "rubbers2pdata.h"

// Traces of one measurement; trace t of the chart belongs to measurement t / 8.
constexpr int32_t tracesPerMeasurement = 8;

// The traces of a measurement in order: magnitude (M) and phase (A) of S11, S21, S12, S22.
enum TraceKind : int32_t { S11M, S11A, S21M, S21A, S12M, S12A, S22M, S22A };

// Name of trace kind k ("S11M" ... "S22A"); empty outside 0..7.
const char* traceName(int32_t kind);

using PointValues = std::array<double, tracesPerMeasurement>;

// Whether a measurement of portCount ports holds trace kind k: a one-port holds S11 alone.
bool kindHeld(int32_t portCount, int32_t kind);

// The four S-parameters of a point in trace order: S11, S21, S12, S22; trace kind k shows
// parameter k / 2.
using SParameters = std::array<Complex, 4>;
SParameters sParametersOf(const S2PPoint& point);

// Largest VSWR shown: a perfect reflection and everything near it.
constexpr double vswrLimit = 1000;

// A value that a trace does not have: the dB value of an exact zero, the phase of an exact zero.
// Curves break there, cells stay empty and the readout and statistics pass it over.
// 20 log10 |s|; no value (NaN) for an exact zero.
double decibels(double magnitude);
// (1 + |s|) / (1 - |s|), capped at vswrLimit; a magnitude above 1 gives a negative value.
double vswr(double magnitude);
// Phase of s in degrees, in (-180, 180]; no value (NaN) for an exact zero.
double phaseDegrees(const Complex& s);

// 20 log10 |s| computed from |s|^2; no value (NaN) for an exact zero.
double decibelsOf(const Complex& s);

// The S-parameter that trace kind k shows.
const Complex& sParameterOf(const S2PPoint& point, int32_t kind);

// The plotted value of trace kind k from its S-parameter s: magnitudes in dB (S11 and S22 as
// VSWR when dbMode is 0), phases in degrees.
double traceValueOf(const Complex& s, int32_t kind, int32_t dbMode);
// The same from all four S-parameters.
double traceValue(const SParameters& s, int32_t kind, int32_t dbMode);

// The eight plotted values of one point in trace order.
PointValues pointValues(const S2PPoint& point, int32_t dbMode);

// A phase difference brought into [-180, 180]. Values that are not finite pass unchanged.
double wrapPhase(double degrees);
