#!/usr/bin/python3
"""Writes the large Touchstone files that bench/compare_toolkit.sh times, into the folder given:
big.s2p, a version 1 two-port of 1,000,000 points (MHz, RI, ten significant digits);
big-v2.s2p, the same data lines behind version 2 keywords; and big.s4p, a version 1 four-port
of about as many bytes and numbers, a matrix row a line. Files already there are kept."""
import os
import sys

POINTS = 1000000


def numbers(i, count):
    """The numbers after the frequency of record i: slowly drifting values of ten digits."""
    x = i * 1e-6
    base = (0.1234567891, -0.2345678912, 0.8765432198, 0.0123456789,
            0.8765432198, 0.0123456789, 0.3456789123, -0.4567891234)
    return [base[k % 8] + (x if k % 3 else -x) * (1 + k // 8) for k in range(count)]


def write(path, head, records, lines_of, tail=""):
    if os.path.exists(path):
        return
    with open(path + ".part", "w") as f:
        f.write(head)
        for i in range(records):
            f.write(lines_of(i))
        f.write(tail)
    os.replace(path + ".part", path)


def two_port_line(i):
    return " ".join("%.10g" % v for v in [10.0 + i * 0.001234567] + numbers(i, 8)) + "\n"


def four_port_lines(i):
    values = ["%.10g" % v for v in numbers(i, 32)]
    rows = [values[8 * r:8 * r + 8] for r in range(4)]
    return "%.10g " % (10.0 + i * 0.004) + "\n".join(" ".join(r) for r in rows) + "\n"


def main():
    work = sys.argv[1]
    os.makedirs(work, exist_ok=True)
    write(os.path.join(work, "big.s2p"), "! generated two-port\n# MHz S RI R 50\n", POINTS, two_port_line)
    write(os.path.join(work, "big-v2.s2p"),
          "! generated two-port\n[Version] 2.0\n# MHz S RI R 50\n[Number of Ports] 2\n"
          "[Two-Port Data Order] 21_12\n[Number of Frequencies] %d\n[Network Data]\n" % POINTS,
          POINTS, two_port_line, "[End]\n")
    # 33 numbers a frequency against the two-port's 9: about as many numbers in all.
    write(os.path.join(work, "big.s4p"), "! generated four-port\n# MHz S RI R 50\n", POINTS * 9 // 33,
          four_port_lines)


main()
