#!/usr/bin/env bash
# Builds Sprelin (Release, in build/) and starts it on the given files, or on the showcase
# measurements of samples/showcase/.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages $BUILD_PACKAGES

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"

if [ $# -gt 0 ]; then
    files=("$@")
else
    files=()
    for f in samples/showcase/*; do
        [ -f "$f" ] && files+=("$f")
    done
fi

if [ -x build/ui/sprelin ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    exec build/ui/sprelin "${files[@]}"
fi
if [ -x build/cli/sprelin-cli ]; then
    build/cli/sprelin-cli render --legend -o build/sprelin-chart.png "${files[@]}"
    echo "$(pwd)/build/sprelin-chart.png"
    exit 0
fi
echo "No display to show build/ui/sprelin on, and no sprelin-cli to render the chart with."
