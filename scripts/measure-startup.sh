#!/usr/bin/env bash
# Measures how long the program takes from process start until its main window is
# mapped on an X display: run under Xvfb, N starts, prints each and the median.
# Usage: xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" scripts/measure-startup.sh [runs]
# (needs x11-utils for xwininfo; -noreset keeps Xvfb up between the starts)
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
runs=${1:-9}
binary=build/src/shell/tarvosk
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data
mkdir -p "$XDG_CONFIG_HOME/Tarvosk"
# Straight to the wizard, as on every start after the first choice.
printf '[Startup]\nStartup=0\n' > "$XDG_CONFIG_HOME/Tarvosk/Tarvosk.conf"

times=()
for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$binary" & pid=$!
    until xwininfo -name "Valdris 1880 Character Creator" 2>/dev/null | grep -q 'IsViewable'; do
        if ! kill -0 "$pid" 2>/dev/null || (( $(date +%s%N) - start > 10000000000 )); then
            echo "start $((i + 1)): no window within 10 s" >&2
            exit 1
        fi
    done
    end=$(date +%s%N)
    kill "$pid"; wait "$pid" 2>/dev/null || true
    times+=($(( (end - start) / 1000000 )))
    echo "start $((i + 1)): ${times[-1]} ms"
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "median: ${sorted[$((runs / 2))]} ms over $runs starts"
