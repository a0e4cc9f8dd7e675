# Helpers for the end-to-end scenarios: the real program on its own X server (Xvfb, 800 x 600,
# German keyboard), driven with xdotool, looked at with ImageMagick screenshots.
#
# Every scenario sources this file and calls e2e_init first. It gets a working folder
# $WORK (a copy of the build's data folder in $WORK/data, its own XDG_CONFIG_HOME, the
# screenshots) under $E2E_ARTEFACTS, which the test run keeps.
# Needs: MINNE_BIN (the program), MINNE_DATA (the build's data folder), E2E_ARTEFACTS.
# A MINNE_BIN ending in .exe runs under wine, in the prefix E2E_WINEPREFIX (made on first use),
# whose wine server ends with each scenario so the next one starts on its own X server.

set -u

APP_PID=""
XVFB_PID=""
SHOT_NUMBER=0

e2e_fail()
{
    echo "FAIL: $*" >&2
    e2e_shot failure >/dev/null 2>&1 || true
    [ -f "$WORK/data/error_log.txt" ] && { echo "--- error_log.txt" >&2; cat "$WORK/data/error_log.txt" >&2; }
    exit 1
}

e2e_note()
{
    echo "- $*"
}

e2e_cleanup()
{
    if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then
        kill -TERM "$APP_PID" 2>/dev/null
        sleep 1
        kill -KILL "$APP_PID" 2>/dev/null
    fi
    e2e_is_wine && wineserver -k 2>/dev/null
    if [ -n "$XVFB_PID" ]; then
        kill -TERM "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
}

# e2e_init NAME [WIDTH HEIGHT]: folder, data copy, X server with a German keyboard.
e2e_init()
{
    local name=$1 width=${2:-800} height=${3:-600}
    WORK="$E2E_ARTEFACTS/$name"
    rm -rf "$WORK"
    mkdir -p "$WORK/data" "$WORK/config" "$WORK/bin"
    cp -r "$MINNE_DATA/." "$WORK/data/"
    rm -f "$WORK/data/error_log.txt" "$WORK/data/log.txt"
    export XDG_CONFIG_HOME="$WORK/config"
    # No sound card here: SDL's silent driver still plays the song through the mixer.
    export SDL_AUDIODRIVER=dummy
    unset WAYLAND_DISPLAY
    trap e2e_cleanup EXIT

    # Xvfb picks a free display number itself and tells it on a file descriptor.
    local displayFile="$WORK/display.txt"
    : >"$displayFile"
    Xvfb -displayfd 9 -screen 0 "${width}x${height}x24" -noreset -nolisten tcp 9>"$displayFile" \
        >"$WORK/xvfb.txt" 2>&1 &
    XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
        [ -s "$displayFile" ] && break
        sleep 0.1
    done
    [ -s "$displayFile" ] || e2e_fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$displayFile")"
    setxkbmap de || e2e_fail "no German keyboard layout"
    if e2e_is_wine; then
        e2e_wine_init
    fi
}

e2e_is_wine()
{
    case "$MINNE_BIN" in *.exe) return 0 ;; esac
    return 1
}

# One prefix for every scenario, made once (under a lock, as wineboot takes half a minute), and
# the program's settings removed so each scenario starts from none, as on Linux.
e2e_wine_init()
{
    export WINEPREFIX="${E2E_WINEPREFIX:-$E2E_ARTEFACTS/wineprefix}"
    export WINEDEBUG=-all
    # No installers for .NET or the browser engine are asked for.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 8
        [ -f "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1
    ) 8>"$WINEPREFIX.lock"
    wine reg delete 'HKCU\Software\Velmora' /f >/dev/null 2>&1
    return 0
}

# e2e_reg_dword NAME: the program's stored DWORD setting as wine's registry tool shows it
# (0x1), or nothing.
e2e_reg_dword()
{
    wine reg query 'HKCU\Software\Velmora\Minnespiegel\2004' /v "$1" 2>/dev/null | tr -d '\r' |
        awk -v name="$1" '$1 == name && $2 == "REG_DWORD" { print $3 }'
}

# e2e_run [ARGUMENTS...]: the program in the foreground, in the data folder.
e2e_run()
{
    if e2e_is_wine; then
        (cd "$WORK/data" && wine "$MINNE_BIN" "$@")
    else
        (cd "$WORK/data" && "$MINNE_BIN" "$@")
    fi
}

# e2e_start [ARGUMENTS...]: the program in the data folder, in the background.
e2e_start()
{
    if e2e_is_wine; then
        (cd "$WORK/data" && exec wine "$MINNE_BIN" "$@" >"$WORK/stdout.txt" 2>"$WORK/stderr.txt") &
    else
        (cd "$WORK/data" && exec "$MINNE_BIN" "$@" >"$WORK/stdout.txt" 2>"$WORK/stderr.txt") &
    fi
    APP_PID=$!
}

# e2e_wait_exit [SECONDS]: waits for the program to end and sets EXIT_CODE.
e2e_wait_exit()
{
    local seconds=${1:-10} i
    for i in $(seq 1 $((seconds * 10))); do
        kill -0 "$APP_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$APP_PID" 2>/dev/null && e2e_fail "the program did not end within $seconds s"
    wait "$APP_PID"
    EXIT_CODE=$?
    APP_PID=""
}

# e2e_find_window TITLE: the id of a top-level window with exactly this title, or nothing.
e2e_find_window()
{
    xwininfo -root -tree 2>/dev/null | awk -v t=" \"$1\": " 'index($0, t) { print $1; exit }'
}

# e2e_wait_window TITLE [SECONDS]: waits until the window exists; sets WINDOW_ID.
e2e_wait_window()
{
    local seconds=${2:-15} i
    WINDOW_ID=""
    for i in $(seq 1 $((seconds * 10))); do
        WINDOW_ID=$(e2e_find_window "$1")
        [ -n "$WINDOW_ID" ] && return 0
        sleep 0.1
    done
    e2e_fail "no window \"$1\" within $seconds s"
}

# e2e_shot NAME: a numbered screenshot of the whole screen in $WORK; prints its path.
e2e_shot()
{
    SHOT_NUMBER=$((SHOT_NUMBER + 1))
    local path
    path=$(printf '%s/%02d-%s.png' "$WORK" "$SHOT_NUMBER" "$1")
    import -window root "$path"
    LAST_SHOT=$path
    echo "$path"
}

# e2e_differing PICTURE X Y W H REFERENCE RX RY: how many pixels of the region differ
# noticeably from the same-sized region of the reference picture.
e2e_differing()
{
    local shot=$1 x=$2 y=$3 w=$4 h=$5 ref=$6 rx=$7 ry=$8
    # One process, cropping as it reads: the polls call this several times a second.
    compare -metric AE -fuzz 6% "$shot[${w}x${h}+${x}+${y}]" "$ref[${w}x${h}+${rx}+${ry}]" null: 2>&1 |
        cut -d' ' -f1
}

# e2e_region_shows PICTURE X Y W H REFERENCE RX RY [ALLOWED]: fails unless the region matches.
e2e_region_shows()
{
    local allowed=${9:-600} differing
    differing=$(e2e_differing "$1" "$2" "$3" "$4" "$5" "$6" "$7" "$8")
    e2e_at_most "$differing" "$allowed" ||
        e2e_fail "region ${4}x${5}+${2}+${3} of $(basename "$1") differs from $(basename "$6") in $differing pixels"
}

# e2e_count_colour PICTURE X Y W H R G B: pixels of exactly this colour in the region.
e2e_count_colour()
{
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -alpha off \
        -fill black +opaque "rgb($6,$7,$8)" -fill white -opaque "rgb($6,$7,$8)" \
        -format '%[fx:round(mean*w*h)]' info:
}

# Moves the mouse by one motion event and gives the program a few frames to take it alone:
# the program accelerates each frame's motion as a whole.
e2e_motion()
{
    xdotool mousemove_relative -- "$1" "$2"
    sleep 0.08
}

# The largest motion that the acceleration (more than 6 counts: double; more than 2: one and a
# half) turns into at most `remaining` pixels, for one axis.
e2e_step_for()
{
    local r=$1 sign=1
    [ "$r" -lt 0 ] && { sign=-1; r=$((-r)); }
    if [ "$r" -ge 14 ]; then
        echo $((sign * (r / 2)))
    elif [ "$r" -ge 2 ]; then
        echo $((sign * 2))
    else
        echo $((sign * r))
    fi
}
e2e_moved_by()
{
    local d=$1 a=$1
    [ "$a" -lt 0 ] && a=$((-a))
    if [ "$a" -gt 6 ]; then echo $((d * 2)); elif [ "$a" -gt 2 ]; then echo $((d * 3 / 2)); else echo "$d"; fi
}

# e2e_point_at X Y: puts the cursor's pointing spot (7, 2 inside the cursor picture) on
# (X, Y). In full screen the mouse moves the cursor relatively; it is first pushed into the
# top-left corner, where it stops at (-15, -12).
e2e_point_at()
{
    e2e_motion -3000 -3000
    local rx=$(($1 - 7 + 15)) ry=$(($2 - 2 + 12)) sx sy
    while [ "$rx" -ne 0 ] || [ "$ry" -ne 0 ]; do
        sx=$(e2e_step_for "$rx")
        sy=$(e2e_step_for "$ry")
        e2e_motion "$sx" "$sy"
        rx=$((rx - $(e2e_moved_by "$sx")))
        ry=$((ry - $(e2e_moved_by "$sy")))
    done
}

# e2e_click X Y: a left click with the pointing spot on (X, Y).
e2e_click()
{
    e2e_point_at "$1" "$2"
    xdotool click 1
    sleep 0.3
}

# e2e_log_lines: the messages of error_log.txt, without time stamps, one per line.
e2e_log_lines()
{
    [ -f "$WORK/data/error_log.txt" ] || return 0
    tr -d '\r' <"$WORK/data/error_log.txt" | cut -c27-
}

# e2e_expect_log LINE...: error_log.txt holds exactly these messages, in this order.
e2e_expect_log()
{
    local expected actual
    expected=$(printf '%s\n' "$@")
    actual=$(e2e_log_lines)
    [ "$actual" = "$expected" ] || e2e_fail "error_log.txt is
$actual
expected
$expected"
}

# The title menu picture stands alone in the top 230 rows (the menu is drawn below it).
e2e_expect_title_menu()
{
    e2e_region_shows "$1" 0 0 800 230 "$WORK/data/gfx/mi_titel2.jpg" 0 0
}

# A landscape fills the sky of the scene (the back button stands at the top right).
e2e_expect_landscape()
{
    e2e_region_shows "$1" 0 0 690 300 "$WORK/data/gfx/landschaft$2.jpg" 0 0
}

# e2e_wait_until SECONDS COMMAND...: polls the command every 0.2 s.
e2e_wait_until()
{
    local seconds=$1 i
    shift
    for i in $(seq 1 $((seconds * 5))); do
        "$@" && return 0
        sleep 0.2
    done
    return 1
}

# e2e_at_most NUMBER LIMIT: compares numbers as ImageMagick prints them (also 1.2e+06).
e2e_at_most()
{
    awk -v n="$1" -v limit="$2" 'BEGIN { exit !(n != "" && n + 0 <= limit + 0) }'
}

# e2e_grab: a screenshot for polling, overwritten each time; its path in POLL_SHOT.
e2e_grab()
{
    # Uncompressed: written and read again at once.
    POLL_SHOT="$WORK/.poll.ppm"
    import -window root "$POLL_SHOT" 2>/dev/null
}

e2e_title_menu_shown()
{
    e2e_grab && e2e_at_most "$(e2e_differing "$POLL_SHOT" 0 0 800 230 "$WORK/data/gfx/mi_titel2.jpg" 0 0)" 600
}

e2e_scene_shown()
{
    e2e_grab && e2e_at_most "$(e2e_differing "$POLL_SHOT" 0 0 690 300 "$WORK/data/gfx/landschaft$1.jpg" 0 0)" 600
}

# e2e_box_colour_at_least R G B COUNT: the question and answer box shows at least COUNT
# pixels of the colour (the question's text is 18 72 122, the answer's 100 25 125).
e2e_box_colour_at_least()
{
    e2e_grab && [ "$(e2e_count_colour "$POLL_SHOT" 141 505 500 95 "$1" "$2" "$3")" -ge "$4" ]
}

# e2e_question_ink PICTURE: pixels of the question's colour in the box, without the caret. The
# caret is the only upright run of 18 such pixels (2 wide); as it blinks, counts taken at
# different moments would otherwise differ by it.
e2e_question_ink()
{
    local mask="$WORK/.question-mask.png" all runs
    convert "$1" -crop 500x95+141+505 +repage -alpha off \
        -fill black +opaque "rgb(18,72,122)" -fill white -opaque "rgb(18,72,122)" "$mask"
    all=$(convert "$mask" -format '%[fx:round(mean*w*h)]' info:)
    runs=$(convert "$mask" -morphology Erode Rectangle:1x18 -format '%[fx:round(mean*w*h)]' info:)
    echo $((all - 18 * runs))
}

# e2e_question_ink_at_least COUNT: the box now shows at least COUNT pixels of question text.
e2e_question_ink_at_least()
{
    e2e_grab && [ "$(e2e_question_ink "$POLL_SHOT")" -ge "$1" ]
}

# e2e_start_and_wait_for_title [ARGUMENTS...]
e2e_start_and_wait_for_title()
{
    e2e_start "$@"
    e2e_wait_window "Minnespiegel 2004"
    e2e_wait_until 20 e2e_title_menu_shown || e2e_fail "the title menu did not appear"
    if e2e_is_wine; then
        # Without a window manager nobody has the focus once an earlier program has ended, and
        # the devices read only the foreground window's input: wine gets the focus from X.
        xdotool windowfocus "$WINDOW_ID"
        sleep 0.5
    fi
}

# e2e_key KEY...: keys as xdotool names them, one frame apart.
e2e_key()
{
    local k
    for k in "$@"; do
        xdotool key "$k"
        sleep 0.08
    done
}
