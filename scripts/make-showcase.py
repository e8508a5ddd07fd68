#!/usr/bin/env python3
"""Writes the showcase measurements of samples/showcase/: three units of one 2.4 GHz band-pass
filter and a 6 dB attenuator, all from 1.8 to 3.0 GHz in 2 MHz steps, so that they overlay on
one grid. Every value comes from the formulas below."""
import cmath
import math
import os

FIRST, LAST, STEP = 1800.0, 3000.0, 2.0
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "samples", "showcase")


def frequencies():
    n = int(round((LAST - FIRST) / STEP))
    return [FIRST + i * STEP for i in range(n + 1)]


def db(s):
    return 20 * math.log10(max(abs(s), 1e-12))


def deg(s):
    return math.degrees(cmath.phase(s))


def bandpass(f, centre, width, ripple, loss_db, delay_ns):
    # Three coupled resonators: a flat passband with steep skirts, behind a line.
    detune = (f / centre - centre / f) / width
    h = 1 / (1 + 1j * detune) ** 3 * (1 - ripple * math.cos(8 * detune))
    h *= 10 ** (-loss_db / 20)
    line = cmath.exp(-2j * math.pi * f * 1e6 * delay_ns * 1e-9)
    s21 = h * line
    s11 = math.sqrt(max(0.0, 1 - abs(h) ** 2 * 10 ** (loss_db / 10))) * cmath.exp(1j * (cmath.phase(line) / 2 + 0.4))
    return s11, s21, s21, s11 * cmath.exp(0.1j)


def attenuator(f):
    s21 = 10 ** (-(6 + 0.15 * (f - FIRST) / (LAST - FIRST)) / 20) * cmath.exp(-2j * math.pi * f * 1e6 * 0.2e-9)
    s11 = 0.02 + 0.01j * math.sin(f / 150)
    return s11, s21, s21, s11


def write_two_port(name, comment, params):
    with open(os.path.join(OUT, name), "w", encoding="ascii", newline="\n") as out:
        out.write("! %s\n! made by scripts/make-showcase.py\n# MHz S DB R 50\n" % comment)
        for f in frequencies():
            s = params(f)
            out.write("%.1f" % f + "".join(" %.4f %.3f" % (db(x), deg(x)) for x in s) + "\n")


def main():
    os.makedirs(OUT, exist_ok=True)
    units = [("a", 2440, 0.10, 0.02, 1.2, 1.1), ("b", 2450, 0.095, 0.03, 1.4, 1.1), ("c", 2432, 0.105, 0.025, 1.0, 1.2)]
    for unit, centre, width, ripple, loss, delay in units:
        write_two_port("bandpass-2g4-unit-%s.s2p" % unit, "2.4 GHz band-pass filter, unit %s" % unit,
                       lambda f, c=centre, w=width, r=ripple, l=loss, d=delay: bandpass(f, c, w, r, l, d))
    write_two_port("attenuator-6db.s2p", "6 dB attenuator", attenuator)


main()
