#!/bin/bash
# Measures the running program under Xvfb, as the end-to-end tests run it: time from start to
# the first title frame, processor time on the title menu, the help and settings screens, in
# the scene and while another window has the focus, and peak memory after a whole question
# and answer.
# Usage: tests/e2e/measure.sh BUILD_FOLDER   (not part of the test run; prints a table)
# MINNE_BIN may name another program of that build, such as minnespiegel.exe to run under wine;
# MINNE_DATA another data folder (a cross-build takes its data from the native build).
set -u
build=$(cd "${1:?usage: $0 BUILD_FOLDER}" && pwd)
export MINNE_BIN="${MINNE_BIN:-$build/bin/minnespiegel}" MINNE_DATA="${MINNE_DATA:-$build/data}" E2E_ARTEFACTS="$build/e2e-artefacts"
. "$(dirname "$0")/lib.sh"
e2e_init measure

hz=$(getconf CLK_TCK)
ticks() { awk '{ print $14 + $15 }' "$1"; }
process_ticks() { ticks "/proc/$APP_PID/stat"; }
main_ticks() { ticks "/proc/$APP_PID/task/$APP_PID/stat"; }
percent() { awk -v t="$1" -v s="$2" -v hz="$hz" 'BEGIN { printf "%.1f %%", 100 * t / hz / s }'; }

start=$(date +%s.%N)
e2e_start
until e2e_title_menu_shown; do :; done
first_frame=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f s", b - a }')

# measure_screen NAME: processor time of the whole process and of the main thread over 10 s,
# after a second to settle, into NAME_process and NAME_main.
measure_screen()
{
    sleep 1
    local p0 m0
    p0=$(process_ticks); m0=$(main_ticks)
    sleep 10
    printf -v "$1_process" '%s' "$(percent $(($(process_ticks) - p0)) 10)"
    printf -v "$1_main" '%s' "$(percent $(($(main_ticks) - m0)) 10)"
}

measure_screen title
e2e_click 50 490
measure_screen help
e2e_click 720 565
e2e_wait_until 5 e2e_title_menu_shown || e2e_fail "no title menu after help"
e2e_click 60 400
measure_screen settings
e2e_click 720 565
e2e_wait_until 5 e2e_title_menu_shown || e2e_fail "no title menu after settings"

(exec display -geometry 200x100+300+250 "$WORK/data/gfx/cursor.bmp") &
other=$!
e2e_wait_window "ImageMagick: cursor.bmp" 10
xdotool windowfocus "$WINDOW_ID"
sleep 1
i0=$(process_ticks); j0=$(main_ticks)
sleep 10
i1=$(process_ticks); j1=$(main_ticks)
kill "$other"
program=$(e2e_find_window "Minnespiegel 2004")
xdotool windowfocus "$program"
sleep 1

e2e_click 50 350
sleep 1
s0=$(process_ticks); t0=$(main_ticks)
sleep 10
s1=$(process_ticks); t1=$(main_ticks)
xdotool type --delay 70 "Wird er mich heiraten?"
e2e_key Return
e2e_wait_until 10 e2e_box_colour_at_least 100 25 125 100
peak=$(awk '/VmHWM/ { printf "%.1f MB", $2 / 1024 }' "/proc/$APP_PID/status")
e2e_key Escape
e2e_wait_exit

printf '%-44s %s\n' "start to first title frame" "$first_frame" \
    "title menu, 10 s, whole process" "$title_process" \
    "title menu, 10 s, main thread" "$title_main" \
    "help, 10 s, whole process" "$help_process" \
    "help, 10 s, main thread" "$help_main" \
    "settings, 10 s, whole process" "$settings_process" \
    "settings, 10 s, main thread" "$settings_main" \
    "scene (torches, dancer), 10 s, whole process" "$(percent $((s1 - s0)) 10)" \
    "scene (torches, dancer), 10 s, main thread" "$(percent $((t1 - t0)) 10)" \
    "inactive, 10 s, whole process (song plays)" "$(percent $((i1 - i0)) 10)" \
    "inactive, 10 s, main thread" "$(percent $((j1 - j0)) 10)" \
    "peak memory (VmHWM) after question and answer" "$peak"
