#!/bin/bash
# Times Sprelin against scikit-rf in one run on the same files: sprelin-cli info against
# skrf.Network() on a 1,000,000-point two-port (RI, ten significant digits), sprelin-cli info of
# the same data as Touchstone 2.0 and of a four-port of about the same size against that of the
# two-port (bench/make_large_touchstone.py writes the three), and
# sprelin-cli average against skrf.average plus writing the result on 200 two-ports of 1601
# points, and sprelin-cli check against sprelin-cli info and against scikit-rf loading and
# checking with numpy on 2000 two-ports of 1601 points and a 20-segment mask (SPRELIN_CHECK_FILES
# changes the count), and sprelin-cli search --bw 3 against scikit-rf loading and finding the
# maximum, the minimum and the -3 dB edges with numpy on 500 band-pass two-ports of 1601 points
# (SPRELIN_SEARCH_FILES changes the count), and sprelin-cli render against scikit-rf loading and
# matplotlib plotting 50 two-ports of 10,001 points; prints each time and the ratio.
# Usage: bench/compare_toolkit.sh [BUILD_DIR]
set -euo pipefail

build=${1:-$(dirname "$0")/../build}
cli=$build/cli/sprelin-cli
work=${SPRELIN_COMPARE_DIR:-/tmp/sprelin-compare}
[ -x "$cli" ] || { echo "no $cli: build sprelin-cli first" >&2; exit 1; }
# Debian's interpreter, which the python3-scikit-rf package installs into.
py=/usr/bin/python3

if ! $py -c 'import numpy, skrf' > /dev/null 2>&1; then
    apt-get install -y python3-scikit-rf
fi
mkdir -p "$work/many"
$py "$(dirname "$0")/make_large_touchstone.py" "$work"

# scikit-rf 0.15 still names the aliases that numpy has removed. It may print a note about
# plotting on standard output, so only the last line of its output is read.
prelude='import numpy as np
np.complex = complex; np.float = float; np.int = int
import skrf, time, sys, glob'

$py - "$work" <<'PY'
import math, os, sys
work = sys.argv[1]
# The same 1601 frequencies in every file, as skrf.average requires.
for k in range(200):
    path = os.path.join(work, "many", "m%03d.s2p" % k)
    if os.path.exists(path):
        continue
    with open(path, "w") as f:
        f.write("# Hz S RI R 50\n")
        for i in range(1601):
            fr = 10e6 + i * (20e9 - 10e6) / 1600
            ph = -2 * math.pi * fr * 1e-9
            v = [(0.1 + 1e-4 * k) * complex(math.cos(ph / 2), math.sin(ph / 2)),
                 (0.9 - 1e-4 * k) * complex(math.cos(ph), math.sin(ph)),
                 0.01 * complex(math.cos(ph), math.sin(ph)),
                 0.12 * complex(math.cos(0.7 * ph), math.sin(0.7 * ph))]
            f.write("%.10g " % fr + " ".join("%.10g %.10g" % (c.real, c.imag) for c in v) + "\n")
PY

# The best of three runs of a command, in seconds.
best_of_three() {
    local best=
    for _ in 1 2 3; do
        local start end
        start=$(date +%s.%N)
        "$@" > /dev/null
        end=$(date +%s.%N)
        best=$($py -c "t=$end-$start; b='$best'; print(t if b=='' or t<float(b) else b)")
    done
    echo "$best"
}

ratio() { $py -c "print('%.2fx' % ($1 / $2))"; }

# The best of three in-process runs of a toolkit step, in seconds.
toolkit_best() {
    $py -c "$prelude
import timeit
work = sys.argv[1]
print(min(timeit.repeat(lambda: ($1), number=1, repeat=3)))" "$work" 2>/dev/null | tail -1
}

echo "load: $(uptime)"
info=$(best_of_three "$cli" info "$work/big.s2p")
network=$(toolkit_best "skrf.Network(work + '/big.s2p')")
peak=$( { /usr/bin/time -f %M "$cli" info "$work/big.s2p" > /dev/null; } 2>&1 | tail -1)
size=$(stat -c %s "$work/big.s2p")
echo "1M points: sprelin-cli info ${info}s, skrf.Network() ${network}s, ratio $(ratio "$network" "$info")"
echo "1M points: peak resident ${peak} KiB for a file of $((size / 1024)) KiB," \
    "$($py -c "print('%.1f' % (($peak * 1024 - $size) / 1e6))") bytes per point above the file"
for other in big-v2.s2p big.s4p; do
    time=$(best_of_three "$cli" info "$work/$other")
    peak=$( { /usr/bin/time -f %M "$cli" info "$work/$other" > /dev/null; } 2>&1 | tail -1)
    echo "$other: sprelin-cli info ${time}s, ratio to the two-port $(ratio "$time" "$info")," \
        "peak resident ${peak} KiB for a file of $(($(stat -c %s "$work/$other") / 1024)) KiB"
done

average=$(best_of_three "$cli" average -o "$work/sprelin-average.s2p" "$work"/many/*.s2p)
toolkit=$(toolkit_best "skrf.average([skrf.Network(f) for f in sorted(glob.glob(work + '/many/*.s2p'))]).write_touchstone(work + '/skrf-average')")
echo "200 x 1601: sprelin-cli average ${average}s, scikit-rf read, average and write ${toolkit}s," \
    "ratio $(ratio "$toolkit" "$average")"
networks="[skrf.Network(f) for f in sorted(glob.glob(work + '/many/*.s2p'))]"
alone=$($py -c "$prelude
import timeit
work = sys.argv[1]
networks = $networks
print(min(timeit.repeat(lambda: skrf.average(networks), number=1, repeat=5)))" "$work" 2>/dev/null | tail -1)
echo "200 x 1601: skrf.average alone ${alone}s (compare BM_Average200x1601 of bench/average_bench)"

# The limit check: 2000 two-ports of 1601 points against 20 S21 segments of 1 GHz each.
units=${SPRELIN_CHECK_FILES:-2000}
mkdir -p "$work/units"
$py - "$work" "$units" <<'PY'
import math, os, sys
work, count = sys.argv[1], int(sys.argv[2])
with open(os.path.join(work, "mask.txt"), "w") as f:
    f.write("unit GHz\n")
    for k in range(20):
        f.write("S21M %s %g %g %g %g\n" % ("lower" if k % 2 else "upper", k, -1.5 if k % 2 else 0.5, k + 1,
                -1.5 if k % 2 else 0.5))
for k in range(count):
    path = os.path.join(work, "units", "u%04d.s2p" % k)
    if os.path.exists(path):
        continue
    with open(path, "w") as f:
        f.write("# Hz S RI R 50\n")
        for i in range(1601):
            fr = 10e6 + i * (20e9 - 10e6) / 1600
            ph = -2 * math.pi * fr * 1e-9
            g = 0.9 - 1e-5 * k
            f.write("%.9g %.6g %.6g %.6g %.6g %.6g %.6g %.6g %.6g\n" % (fr, 0.1 * math.cos(ph), 0.1 * math.sin(ph),
                g * math.cos(ph), g * math.sin(ph), 0.01, 0.0, 0.12, 0.0))
PY
info=$(best_of_three "$cli" info "$work"/units/*.s2p)
check=$(best_of_three bash -c '"$0" check --limits "$1/mask.txt" "$1"/units/*.s2p; [ $? -le 3 ]' "$cli" "$work")
toolkit=$(toolkit_best "[(lambda n: [np.min(np.where(up, l - v, v - l)) for up, lo, hi, l in
    [(s[0], s[1], s[2], s[3]) for s in [(k % 2 == 0, k * 1e9, (k + 1) * 1e9, 0.5 if k % 2 == 0 else -1.5)
    for k in range(20)]] for v in [n.s_db[(n.f >= lo) & (n.f <= hi), 1, 0]] if v.size])(skrf.Network(f))
    for f in sorted(glob.glob(work + '/units/*.s2p'))]")
echo "$units x 1601, 20 segments: sprelin-cli check ${check}s, info ${info}s, ratio $(ratio "$check" "$info");" \
    "scikit-rf load and numpy check ${toolkit}s, ratio $(ratio "$toolkit" "$check")"

# The search: 500 third-order Butterworth band-passes of 1601 points, centres spread around 2.4 GHz.
filters=${SPRELIN_SEARCH_FILES:-500}
mkdir -p "$work/filters"
$py - "$work" "$filters" <<'PY'
import math, os, sys
work, count = sys.argv[1], int(sys.argv[2])
for k in range(count):
    path = os.path.join(work, "filters", "f%04d.s2p" % k)
    if os.path.exists(path):
        continue
    f0, bw = 2.4e9 * (1 + 1e-4 * (k % 50)), 200e6
    with open(path, "w") as f:
        f.write("# Hz S RI R 50\n")
        for i in range(1601):
            fr = 1.4e9 + i * 2e9 / 1600
            w = (fr / f0 - f0 / fr) * f0 / bw
            s21 = 1 / math.sqrt(1 + w ** 6)
            s11 = math.sqrt(1 - s21 * s21)
            f.write("%.9g %.9g 0 %.9g 0 %.9g 0 %.9g 0\n" % (fr, s11, s21, s21, s11))
PY
search=$(best_of_three "$cli" search --trace S21M --bw 3 "$work"/filters/*.s2p)
toolkit=$(toolkit_best "[(lambda f, v: (lambda p, level: (f[p], v[p], f[np.argmin(v)], v.min(),
    [(lambda i: f[i] + (f[i + 1] - f[i]) * (level - v[i]) / (v[i + 1] - v[i]))(p - b[0]) for b in
        [np.nonzero(v[p::-1] < level)[0]] if b.size],
    [(lambda i: f[i - 1] + (f[i] - f[i - 1]) * (level - v[i - 1]) / (v[i] - v[i - 1]))(p + b[0]) for b in
        [np.nonzero(v[p:] < level)[0]] if b.size]))(int(np.argmax(v)), v.max() - 3))(n.f, n.s_db[:, 1, 0])
    for n in [skrf.Network(path) for path in sorted(glob.glob(work + '/filters/*.s2p'))]]")
echo "$filters x 1601, -3 dB bandwidth: sprelin-cli search ${search}s, scikit-rf load and numpy search" \
    "${toolkit}s, ratio $(ratio "$toolkit" "$search")"

# The chart: sprelin-cli render of 50 two-ports of 10,001 points with all eight traces, against
# scikit-rf loading them and matplotlib plotting the same traces (magnitudes in dB, phases in
# degrees) into a PNG of the same size, timed after the imports.
if ! $py -c 'import matplotlib' > /dev/null 2>&1; then
    apt-get install -y python3-matplotlib
fi
mkdir -p "$work/chart"
$py - "$work" <<'PY'
import math, os, sys
work = sys.argv[1]
for k in range(50):
    path = os.path.join(work, "chart", "c%02d.s2p" % k)
    if os.path.exists(path):
        continue
    with open(path, "w") as f:
        f.write("# Hz S RI R 50\n")
        centre = 4e9 + k * 20e6
        for i in range(10001):
            fr = 10e6 + i * 1e6
            detune = (fr / centre - centre / fr) / 0.4
            h = 1 / complex(1, detune ** 3)
            s21 = h * complex(math.cos(-2 * math.pi * fr * 1.5e-9), math.sin(-2 * math.pi * fr * 1.5e-9))
            s11 = (0.2 + 0.05 * math.cos(fr * 1e-8)) * complex(math.cos(-fr * 1e-9), math.sin(-fr * 1e-9))
            v = [s11, s21, s21, 0.9 * s11]
            f.write("%.10g " % fr + " ".join("%.9g %.9g" % (c.real, c.imag) for c in v) + "\n")
PY
traces=S11M,S11A,S21M,S21A,S12M,S12A,S22M,S22A
render=$(best_of_three "$cli" render -o "$work/sprelin-chart.png" --size 1200x800 --traces $traces "$work"/chart/*.s2p)
plot=$($py -c "$prelude
import timeit, matplotlib
matplotlib.use('Agg')
import matplotlib.pyplot as plt
work = sys.argv[1]
def chart():
    networks = [skrf.Network(f) for f in sorted(glob.glob(work + '/chart/*.s2p'))]
    figure, axes = plt.subplots(figsize=(12, 8), dpi=100)
    for n in networks:
        for i, j in ((0, 0), (1, 0), (0, 1), (1, 1)):
            axes.plot(n.f, n.s_db[:, i, j])
            axes.plot(n.f, n.s_deg[:, i, j])
    figure.savefig(work + '/skrf-chart.png')
    plt.close(figure)
print(min(timeit.repeat(chart, number=1, repeat=3)))" "$work" 2>/dev/null | tail -1)
echo "50 x 10,001, all traces: sprelin-cli render ${render}s, scikit-rf load and matplotlib plot ${plot}s," \
    "ratio $(ratio "$plot" "$render")"
