#!/usr/bin/env bash
# Measures the program against bare Qt references and prints the ratios.
#
# Usage: scripts/benchmark.sh [-n RUNS] [-s SETTLE_MS] [-v] [PROGRAM]
#   PROGRAM      the program to measure (default build/src/shell/tarvosk)
#   -n RUNS      runs of every measurement, median reported (default $RUNS, else 15)
#   -s SETTLE_MS how long a started program runs on before its RSS is read (default 1000)
#   -v           tell which window maps first and the RSS while settling
#
# Installs what it needs (Xvfb, Qt, libzip, CMake), builds the references from
# scripts/benchmark/ into build-benchmark/ (Release) and runs everything under an Xvfb
# of its own, with a temporary home (never the real one):
#   Start (erster Lauf)          program, empty config and data home each run  vs bare_window
#   Start (spätere Läufe)        program, home reused after a warm-up run       vs bare_window
#   Start mit 5000 Spielernamen  as the later runs, [Users] 1..5000 in Tarvosk.conf
#                                                                vs the later runs
#   RSS nach dem Start           VmRSS after settling, later-run state          vs bare_window
#   --pdf CPU / --docx CPU       user+system CPU of the command  vs bare_pdf / bare_docx
# The program and its reference take turns run by run. Start is the time from fork to
# the first MapNotify of a top-level window (mapwatch); CPU time is getrusage of the
# waited-for child (cputime). Exit 0 whatever the ratios; 1 when a measurement failed.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

runs=${RUNS:-15}
settle_ms=${SETTLE_MS:-1000}
verbose=()
while getopts "n:s:vh" option; do
    case $option in
        n) runs=$OPTARG ;;
        s) settle_ms=$OPTARG ;;
        v) verbose=(-v) ;;
        *) sed -n '2,8s/^# \{0,1\}//p' "$0"; [ "$option" = h ] && exit 0; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
program=$(readlink -f "${1:-build/src/shell/tarvosk}")
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "RUNS must be a positive number: $runs" >&2; exit 2; }
[ -x "$program" ] || { echo "No program at $program (build it first: ./run or cmake --build build)" >&2; exit 1; }

# Numbers are read and written with a decimal point, whatever the locale.
calc() { LC_ALL=C awk "$@"; }
cprintf() { env LC_ALL=C printf "$@"; }

began=$(date +%s)
cpus=$(nproc)
load() { cut -d' ' -f1-3 /proc/loadavg; }
echo "Last zu Beginn: $(load) ($cpus CPUs)"
if calc -v l="$(cut -d' ' -f1 /proc/loadavg)" -v c="$cpus" 'BEGIN { exit !(l > 0.5 * c) }'; then
    echo "WARNUNG: die Maschine ist beschäftigt (Last über 0.5 je CPU); die Zahlen streuen." >&2
fi

# shellcheck source=scripts/common.sh
source scripts/common.sh
ensure_packages_from xvfb libx11-dev qt6-base-dev cmake g++ pkg-config libzip-dev

# --- the references and tools -------------------------------------------------------
bench_build=build-benchmark
if [ ! -f "$bench_build/CMakeCache.txt" ]; then
    generator=()
    command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
    cmake -S scripts/benchmark -B "$bench_build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
if ! build_log=$(cmake --build "$bench_build" 2>&1); then
    echo "$build_log" >&2
    exit 1
fi
bin=$(readlink -f "$bench_build")

# --- a display and homes of our own ---------------------------------------------------
work=$(mktemp -d /tmp/tarvosk-benchmark.XXXXXX)
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

die() {
    echo "Messung fehlgeschlagen: $*" >&2
    exit 1
}

# The first free display number; Xvfb reports on -displayfd once it accepts connections.
start_xvfb() {
    local n
    for ((n = 90; n < 200; n++)); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        : >"$work/displayfd"
        Xvfb ":$n" -screen 0 1600x1200x24 -nolisten tcp -displayfd 3 3>"$work/displayfd" \
            >"$work/xvfb.log" 2>&1 &
        xvfb_pid=$!
        local i
        for ((i = 0; i < 500; i++)); do
            if [ -s "$work/displayfd" ]; then
                export DISPLAY=":$n"
                return 0
            fi
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.02
        done
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
    done
    cat "$work/xvfb.log" >&2
    die "Xvfb startet nicht"
}
start_xvfb

unset QT_QPA_PLATFORM WAYLAND_DISPLAY SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS XAUTHORITY
export XDG_DATA_DIRS=/usr/share

new_home() {
    mkdir -p "$1"/{home,config,data,state,runtime}
    chmod 700 "$1/runtime"
}

# in_home DIR COMMAND...: COMMAND with DIR as its home and XDG folders.
in_home() {
    local dir=$1
    shift
    HOME=$dir/home XDG_CONFIG_HOME=$dir/config XDG_DATA_HOME=$dir/data \
        XDG_STATE_HOME=$dir/state XDG_RUNTIME_DIR=$dir/runtime "$@"
}

# start DIR COMMAND...: prints "MAP_MS RSS_KB".
start() {
    local dir=$1
    shift
    local rc=0
    in_home "$dir" "$bin/mapwatch" "${verbose[@]}" -s "$settle_ms" "$@" </dev/null || rc=$?
    [ "$rc" -eq 0 ] || die "$(basename "$1") (mapwatch Exit $rc)"
}

# cpu DIR COMMAND...: prints user+system CPU ms of COMMAND, run in DIR/out.
cpu() {
    local dir=$1
    shift
    local rc=0
    (cd "$dir/out" && in_home "$dir" "$bin/cputime" "$dir/cpu.txt" "$@" </dev/null >/dev/null) || rc=$?
    [ "$rc" -eq 0 ] || die "$(basename "$1") ${2:-} (Exit $rc)"
    # shellcheck disable=SC2016
    calc '{ printf "%.1f\n", $1 + $2 }' "$dir/cpu.txt"
}

# shellcheck disable=SC2016
median() {
    printf '%s\n' "$@" | LC_ALL=C sort -g |
        calc '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

conf_dir=config/Tarvosk
later=$work/later
names=$work/names
reference=$work/reference
new_home "$later"
new_home "$reference"

# A copy of the program, so that a build replacing it meanwhile changes nothing measured.
source_program=$program
mkdir -p "$work/bin"
program=$work/bin/$(basename "$source_program")
cp -p "$source_program" "$program"
version=$(in_home "$reference" "$program" --version) || die "$source_program --version"

# Warm-up: the first run of the reused home, long enough for the tools it starts
# (update-mime-database, update-desktop-database) to finish.
echo "Aufwärmen ..."
settle_ms=3000 start "$later" "$program" >/dev/null
start "$reference" "$bin/bare_window" >/dev/null
if [ -f "$later/$conf_dir/Tarvosk.conf" ]; then
    conf_note="Tarvosk.conf wie vom ersten Lauf hinterlassen"
else
    # The first run, left on the start-up screen, writes no settings: a returning user's
    # file then holds the defaults, so the start-up screen shows again.
    mkdir -p "$later/$conf_dir"
    printf '[Startup]\nStartup=1\n' >"$later/$conf_dir/Tarvosk.conf"
    conf_note="der erste Lauf schrieb keine Tarvosk.conf; angelegt mit [Startup] Startup=1 (Vorgabe)"
fi
cp -a "$later" "$names"
{
    printf '\n[Users]\n'
    seq 5000 | awk '{ print $1 "=Spieler " $1 }'
} >>"$names/$conf_dir/Tarvosk.conf"
start "$later" "$program" >/dev/null
start "$names" "$program" >/dev/null

# --- start-up and RSS ------------------------------------------------------------------
first_ms=() bare_ms=() bare_kb=() later_ms=() later_kb=() names_ms=()
for ((i = 1; i <= runs; i++)); do
    fresh=$work/fresh-$i
    new_home "$fresh"
    read -r ms _ < <(start "$fresh" "$program") || die "erster Lauf"
    first_ms+=("$ms")
    rm -rf "$fresh"
    read -r ms kb < <(start "$reference" "$bin/bare_window") || die "bare_window"
    bare_ms+=("$ms") bare_kb+=("$kb")
    read -r ms kb < <(start "$later" "$program") || die "späterer Lauf"
    later_ms+=("$ms") later_kb+=("$kb")
    read -r ms _ < <(start "$names" "$program") || die "Lauf mit 5000 Namen"
    names_ms+=("$ms")
    cprintf 'Start %2d/%d: erster %6.1f ms  bare_window %6.1f ms  später %6.1f ms  5000 Namen %6.1f ms  RSS %s / %s kB\n' \
        "$i" "$runs" "${first_ms[-1]}" "${bare_ms[-1]}" "${later_ms[-1]}" "${names_ms[-1]}" \
        "${later_kb[-1]}" "${bare_kb[-1]}"
done

# --- the commands without a window -----------------------------------------------------
mkdir -p "$later/out"
(cd "$later/out" && in_home "$later" "$program" --roll Soldat --seed 7 held.tvk >/dev/null) ||
    die "--roll Soldat --seed 7 held.tvk"
cpu "$later" "$program" --pdf held.tvk out.pdf >/dev/null
cpu "$later" "$bin/bare_pdf" bare.pdf >/dev/null
cpu "$later" "$program" --docx held.tvk out.docx >/dev/null
cpu "$later" "$bin/bare_docx" bare.docx >/dev/null
for f in out.pdf bare.pdf out.docx bare.docx; do
    [ -s "$later/out/$f" ] || die "$f ist leer"
done
pdf_cpu=() bare_pdf_cpu=() docx_cpu=() bare_docx_cpu=()
for ((i = 1; i <= runs; i++)); do
    ms=$(cpu "$later" "$program" --pdf held.tvk out.pdf)
    pdf_cpu+=("$ms")
    ms=$(cpu "$later" "$bin/bare_pdf" bare.pdf)
    bare_pdf_cpu+=("$ms")
    ms=$(cpu "$later" "$program" --docx held.tvk out.docx)
    docx_cpu+=("$ms")
    ms=$(cpu "$later" "$bin/bare_docx" bare.docx)
    bare_docx_cpu+=("$ms")
    cprintf 'CPU %2d/%d: --pdf %6.1f ms  bare_pdf %6.1f ms  --docx %6.1f ms  bare_docx %6.1f ms\n' \
        "$i" "$runs" "${pdf_cpu[-1]}" "${bare_pdf_cpu[-1]}" "${docx_cpu[-1]}" "${bare_docx_cpu[-1]}"
done

# --- the table -------------------------------------------------------------------------
# Pads to a width in characters (UTF-8), whatever the locale.
pad() {
    local text=$1 width=$2 length
    length=$(printf '%s' "$text" | LC_ALL=C tr -d '\200-\277' | wc -c)
    printf '%s%*s' "$text" $((width > length ? width - length : 0)) ''
}
row() {
    pad "$1" 30; pad "$2" 13; pad "$3" 13; pad "$4" 11; pad "$5" 9; printf '%s\n' "$6"
}
# measure NAME UNIT PROGRAM_MEDIAN REFERENCE_MEDIAN BUDGET ("" for none)
measure() {
    local ratio verdict budget=$5 digits=1 program reference
    [ "$2" = kB ] && digits=0
    program=$(cprintf "%.${digits}f" "$3")
    reference=$(cprintf "%.${digits}f" "$4")
    ratio=$(calc -v p="$3" -v r="$4" 'BEGIN { printf "%.2f", p / r }')
    if [ -z "$budget" ]; then
        verdict="(nur Bericht)" budget="-"
    elif calc -v p="$3" -v r="$4" -v b="$budget" 'BEGIN { exit !(p / r <= b) }'; then
        verdict="ok" budget="≤ $budget"
    else
        verdict="ÜBER BUDGET" budget="≤ $budget"
    fi
    row "$1" "$program $2" "$reference $2" "${ratio}x" "$budget" "$verdict"
}

echo
echo "Programm: $source_program ($version, gebaut $(stat -c %y "$program" | cut -d. -f1); gemessen als Kopie)"
echo "Läufe je Messung: $runs (Median), RSS nach $settle_ms ms; $conf_note"
echo "CPU-Zeit: getrusage der Kindprozesse (scripts/benchmark/cputime.c), Benutzer + System"
echo
row "Messung" "Programm" "Referenz" "Verhältnis" "Budget" "Urteil"
measure "Start (erster Lauf)" ms "$(median "${first_ms[@]}")" "$(median "${bare_ms[@]}")" 1.5
measure "Start (spätere Läufe)" ms "$(median "${later_ms[@]}")" "$(median "${bare_ms[@]}")" 1.5
measure "Start mit 5000 Spielernamen" ms "$(median "${names_ms[@]}")" "$(median "${later_ms[@]}")" 1.10
measure "RSS nach dem Start" kB "$(median "${later_kb[@]}")" "$(median "${bare_kb[@]}")" 1.3
measure "--pdf CPU" ms "$(median "${pdf_cpu[@]}")" "$(median "${bare_pdf_cpu[@]}")" 1.5
measure "--docx CPU" ms "$(median "${docx_cpu[@]}")" "$(median "${bare_docx_cpu[@]}")" ""
echo
echo "Referenzen: bare_window (Start, RSS), spätere Läufe (5000 Namen), bare_pdf, bare_docx"
echo "Last am Ende: $(load); Dauer: $(($(date +%s) - began)) s"
