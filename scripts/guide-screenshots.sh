#!/usr/bin/env bash
# Takes the pictures of the German user guide (docs/handbuch/bilder/*.png) from the real
# program: starts its own Xvfb, drives the program with xdotool as a user does (keys only),
# and captures each window with ImageMagick's import.
#
# Usage: scripts/guide-screenshots.sh [path/to/tarvosk]     (default: build/src/shell/tarvosk)
#
# Everything runs with a temporary HOME and XDG folders; the real home is never touched.
# The dice get a fixed seed ([Startup] Random=2, RandomText=1880), so the same program
# gives the same pictures. The pictures are replaced only when every one of them was taken:
# when a window never appears, the script says which and exits with 1.
set -euo pipefail

project=$(cd "$(dirname "$0")/.." && pwd)
binary=$(readlink -f "${1:-$project/build/src/shell/tarvosk}")
destination=$project/docs/handbuch/bilder
wait_limit=20 # seconds for a window to appear, go or change

fail() {
    echo "guide-screenshots: $*" >&2
    exit 1
}

[ -x "$binary" ] || fail "no program at $binary (build it first, or name it as the argument)"

# shellcheck source=scripts/common.sh
source "$project/scripts/common.sh"
ensure_packages_from xvfb xdotool imagemagick x11-utils || fail "the packages it needs are missing"

started=$(date +%s%N)
work=$(mktemp -d "${TMPDIR:-/tmp}/guide-screenshots.XXXXXX")
xvfb_pid=
xvfb_display=
program_pid=

cleanup() {
    local status=$?
    trap - EXIT INT TERM
    if [ "$status" -ne 0 ]; then
        # Only ever our own display, never one the script was started on.
        if [ -n "$xvfb_display" ] &&
            import -display "$xvfb_display" -window root "${TMPDIR:-/tmp}/guide-screenshots-failure.png" 2>/dev/null; then
            echo "guide-screenshots: the screen at the failure: ${TMPDIR:-/tmp}/guide-screenshots-failure.png" >&2
        fi
        if [ -s "$work/program.log" ]; then
            echo "guide-screenshots: the program said:" >&2
            sed 's/^/    /' "$work/program.log" >&2
        fi
    fi
    if [ -n "$program_pid" ]; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# --- a private desktop ----------------------------------------------------------------

mkdir -p "$work"/{home,config/Tarvosk,data,state,cache,runtime,datadirs,shots}
chmod 700 "$work/runtime"
export HOME=$work/home
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_STATE_HOME=$work/state
export XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime XDG_DATA_DIRS=$work/datadirs
export XAUTHORITY=$work/Xauthority
# No session manager, session bus or desktop of the user's: only this X server.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus
unset SESSION_MANAGER WAYLAND_DISPLAY XDG_SESSION_TYPE XDG_CURRENT_DESKTOP DESKTOP_SESSION
unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI
export QT_QPA_PLATFORM=xcb QT_AUTO_SCREEN_SCALE_FACTOR=0
# The program speaks German by itself; one fixed locale keeps the pictures alike everywhere.
export LANG=C.UTF-8
unset LC_ALL LC_CTYPE LC_NUMERIC LC_TIME LC_COLLATE LC_MONETARY LC_MESSAGES LANGUAGE

# Only the seed differs from the defaults: the same rolls on every run.
printf '[Startup]\nRandom=2\nRandomText=1880\n' > "$XDG_CONFIG_HOME/Tarvosk/Tarvosk.conf"

# A white root (-wr): outside its shape, the start-up screen is told apart by it.
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp -wr -noreset 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
deadline=$((SECONDS + wait_limit))
until [ -s "$work/display" ] && grep -q '[0-9]$' "$work/display"; do
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    [ "$SECONDS" -lt "$deadline" ] || fail "Xvfb did not start within $wait_limit s"
    sleep 0.05
done
xvfb_display=:$(head -n 1 "$work/display")
export DISPLAY=$xvfb_display
# The pointer out of the way, where no window comes: nothing lights up under it.
xdotool mousemove 1599 1199

# --- helpers --------------------------------------------------------------------------

program_alive() {
    kill -0 "$program_pid" 2>/dev/null || fail "the program has ended unexpectedly"
}

# Ids of the visible windows whose name matches the (extended, case-blind) pattern.
visible_windows() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null || true
}

# Waits until a visible window matches the pattern (and is none of the ids given after it);
# prints its id.
wait_for_window() {
    local pattern=$1 what=$2
    shift 2
    local deadline=$((SECONDS + wait_limit)) id
    while :; do
        program_alive
        for id in $(visible_windows "$pattern"); do
            if [[ " $* " != *" $id "* ]]; then
                echo "$id"
                return 0
            fi
        done
        [ "$SECONDS" -lt "$deadline" ] || fail "$what never appeared (no window \"$pattern\" within $wait_limit s)"
        sleep 0.05
    done
}

wait_until_gone() {
    local id=$1 what=$2
    local deadline=$((SECONDS + wait_limit))
    while xwininfo -id "$id" 2>/dev/null | grep -q IsViewable; do
        program_alive
        [ "$SECONDS" -lt "$deadline" ] || fail "$what did not close within $wait_limit s"
        sleep 0.05
    done
}

size_of() {
    xwininfo -id "$1" | awk '/^  Width:/ { w = $2 } /^  Height:/ { h = $2 } END { print w "x" h }'
}

# wait_while_same OLD WHAT COMMAND...: waits until COMMAND prints something else than OLD.
wait_while_same() {
    local old=$1 what=$2
    shift 2
    local deadline=$((SECONDS + wait_limit))
    while [ "$("$@")" = "$old" ]; do
        program_alive
        [ "$SECONDS" -lt "$deadline" ] || fail "$what: nothing changed within $wait_limit s"
        sleep 0.05
    done
}

# A step of the wizard has a size of its own: the next one is there when the size changes.
wait_for_new_size() {
    wait_while_same "$2" "$3 never appeared (the window stayed $2)" size_of "$1"
}

focus_window() {
    # No window manager: windowactivate has nobody to ask, windowfocus sets the focus itself.
    xdotool windowactivate "$1" >/dev/null 2>&1 || true
    timeout "$wait_limit" xdotool windowfocus --sync "$1" || fail "the window $1 never took the focus"
}

# The window's picture, as a file without metadata, so that equal pictures are equal files.
grab() {
    import -window "$1" "ppm:$2"
}

fingerprint() {
    local file=$work/shots/fingerprint.ppm
    grab "$1" "$file"
    md5sum < "$file" | cut -d' ' -f1
}

# Waits until the window shows something else than the fingerprint given.
wait_for_change() {
    wait_while_same "$2" "$3" fingerprint "$1"
}

# Grabs the window until two pictures in a row are equal (painting is done); the last one
# goes to the file.
grab_settled() {
    local id=$1 file=$2 limit=${3:-$wait_limit}
    local deadline=$((SECONDS + limit)) previous='' current
    while :; do
        program_alive
        grab "$id" "$file"
        current=$(md5sum < "$file" | cut -d' ' -f1)
        [ "$current" = "$previous" ] && return 0
        [ "$SECONDS" -lt "$deadline" ] || fail "the window $id never stopped changing (within $limit s)"
        previous=$current
        sleep 0.15
    done
}

# No message box or other window has come up beside the ones expected: a picture with a
# refusal on top (or behind) would show the wrong state.
only_windows() {
    local id name unexpected=
    for id in $(visible_windows .); do
        [[ " $* " == *" $id "* ]] && continue
        name=$(xdotool getwindowname "$id" 2>/dev/null || true)
        unexpected+=" \"$name\""
    done
    [ -z "$unexpected" ] || fail "an unexpected window came up:$unexpected"
}

declare -a taken=()

# Writes a grabbed picture as a small PNG without metadata.
save_png() {
    local from=$1 name=$2
    shift 2
    convert "$from" "$@" -strip -define png:exclude-chunk=date,time,tIME \
        -define png:compression-level=9 -define png:compression-filter=5 "$work/shots/$name"
    # Committed pictures stay small: over 400 KB a palette of 256 colours does.
    if [ "$(stat -c %s "$work/shots/$name")" -gt 409600 ]; then
        convert "$from" "$@" -strip -colors 256 -define png:exclude-chunk=date,time,tIME \
            -define png:compression-level=9 "$work/shots/$name"
    fi
    taken+=("$name")
}

capture() {
    local id=$1 name=$2
    grab_settled "$id" "$work/shots/${name%.png}.ppm" "${3:-$wait_limit}"
    save_png "$work/shots/${name%.png}.ppm" "$name"
}

repeat_key() {
    local count=$1 key=$2 keys=()
    for ((i = 0; i < count; i++)); do keys+=("$key"); done
    xdotool key --delay 20 "${keys[@]}"
}

wizard_title='^Valdris 1880 Character Creator$'

# --- the start-up screen --------------------------------------------------------------

"$binary" >"$work/program.log" 2>&1 &
program_pid=$!

startup=$(wait_for_window '^Chara?cter Creator$' "The start-up screen")
only_windows "$startup"
focus_window "$startup"
# A shaped window: outside its shape it shows what lies below, here the white root, while
# its own picture is black there. Where both agree, the window is; elsewhere it is clear.
grab_settled "$startup" "$work/shots/startbild-window.ppm"
read -r x y < <(xwininfo -id "$startup" |
    awk '/Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF } END { print x, y }')
import -window root -crop "$(size_of "$startup")+$x+$y" +repage "ppm:$work/shots/startbild-root.ppm"
convert "$work/shots/startbild-window.ppm" "$work/shots/startbild-root.ppm" -compose difference -composite \
    -colorspace gray -threshold 0 -negate "$work/shots/startbild-mask.pgm"
save_png "$work/shots/startbild-window.ppm" startbild.png \
    "$work/shots/startbild-mask.pgm" -alpha off -compose copy_opacity -composite

# Tab lights "NEU", Enter takes it.
xdotool key Tab Return
wait_until_gone "$startup" "The start-up screen"

# --- step 1: class and values ---------------------------------------------------------

wizard=$(wait_for_window "$wizard_title" "The wizard")
focus_window "$wizard"
step1_size=$(size_of "$wizard")
before=$(fingerprint "$wizard")
# The class drop-down has the focus; typing a name chooses it, and the values are rolled.
xdotool type --delay 40 Soldat
wait_for_change "$wizard" "$before" "Choosing the class"
only_windows "$wizard"
capture "$wizard" schritt1.png

# Back from the drop-down over "Abbrechen" to "Weiter", and press it.
xdotool key shift+Tab shift+Tab space
wait_for_new_size "$wizard" "$step1_size" "Step 2 of the wizard"
step2_size=$(size_of "$wizard")

# --- step 2: skills -------------------------------------------------------------------

# The tabs have the focus; Tab leads into the class skills. Space learns the framed row.
before=$(fingerprint "$wizard")
xdotool key --delay 20 Tab space                     # Erste Hilfe
xdotool key --delay 20 Down Down Down space          # Reiten
xdotool key --delay 20 Down space                    # Schwimmen
xdotool key --delay 20 Down Down Down Down space     # Pistole
xdotool key --delay 20 Right space Down space        # in the next column: Speer, Gewehr
# The school knowledge: the tabs, the next one, its list; a language counted up twice.
xdotool key --delay 20 shift+Tab Right Tab
xdotool key --delay 20 Down Down Down Down space     # Kunstverständnis
xdotool key --delay 20 Down Down Down plus plus      # 2x Sprechen
xdotool key --delay 20 Down Down space               # Allgemeinbildung
# Back to the class skills for the picture.
xdotool key --delay 20 shift+Tab Left
wait_for_change "$wizard" "$before" "Learning skills"
only_windows "$wizard"
capture "$wizard" schritt2.png

# From the tabs back over "Abbrechen" and "Charakterwerte ansehen" to "Weiter".
xdotool key --delay 20 shift+Tab shift+Tab shift+Tab space
wait_for_new_size "$wizard" "$step2_size" "Step 3 of the wizard"

# --- step 3: personal data ------------------------------------------------------------

# The name has the focus; Tab leads to the player, then over the two icons beside it,
# nationality, age and birthday to the place of residence.
xdotool type --delay 20 "Jakob Brenner"
xdotool key Tab
xdotool type --delay 20 "Martina Keller"
repeat_key 7 Tab
xdotool type --delay 20 "Hamburg"
# Back over the fields to "Fertig", which then has the frame (and no text cursor blinks).
repeat_key 10 shift+Tab
only_windows "$wizard"
capture "$wizard" schritt3.png

xdotool key space
wait_until_gone "$wizard" "The wizard (after \"Fertig\")"

# --- the character sheet --------------------------------------------------------------

sheet=$(wait_for_window "$wizard_title" "The character sheet" "$wizard")
focus_window "$sheet"
only_windows "$sheet"
capture "$sheet" datenblatt.png

# The print preview.
xdotool key ctrl+shift+p
preview=$(wait_for_window '^Druckvorschau$' "The print preview")
only_windows "$sheet" "$preview"
capture "$preview" druckvorschau.png
focus_window "$preview"
xdotool key Escape
wait_until_gone "$preview" "The print preview"

# The settings: from the sheet Tab leads to the toolbar; "Einstellungen" is its ninth stop
# (Neuer Charakter, Öffnen and its arrow, Speichern and its arrow, Drucken and its arrow,
# Datenblatt in Word, Einstellungen).
focus_window "$sheet"
repeat_key 9 Tab
xdotool key space
settings=$(wait_for_window '^Einstellungen$' "The settings dialog")
only_windows "$sheet" "$settings"
capture "$settings" einstellungen.png

# Alt+B opens the tab "Über". Its title card blends from day to night and back, 18.6 s
# a round; it rests only at either end, and a picture taken in between would differ from
# run to run. So the card is taken where it first rests: at night, some 9 s on.
focus_window "$settings"
before=$(fingerprint "$settings")
xdotool key alt+b
wait_for_change "$settings" "$before" "The tab \"Über\""
capture "$settings" einstellungen-ueber.png 15
xdotool key Escape
wait_until_gone "$settings" "The settings dialog"

# --- done: the new pictures replace the old ones --------------------------------------

mkdir -p "$destination"
for name in "${taken[@]}"; do
    cp "$work/shots/$name" "$destination/$name"
    printf '%s  %s, %d KB\n' "${destination#"$project"/}/$name" \
        "$(identify -format '%wx%h' "$destination/$name")" \
        $(( ($(stat -c %s "$destination/$name") + 1023) / 1024 ))
done
echo "${#taken[@]} pictures in $(( ($(date +%s%N) - started) / 1000000 )) ms"
