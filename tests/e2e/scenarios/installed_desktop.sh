# Installed into a DESTDIR and started as the desktop menu starts it, in a fresh home without
# data: the title menu appears with the window's icon and class set; a question gets an answer;
# the settings land in $XDG_CONFIG_HOME and the logs in $XDG_STATE_HOME/minnespiegel; Escape
# exits 0; nothing under the install prefix changed. The screenshots of title and answer are
# kept for the metainfo in <build>/screenshots.
. "$(dirname "$0")/../lib.sh"
e2e_init installed_desktop
[ -n "${MINNE_BUILD_DIR:-}" ] || e2e_fail "MINNE_BUILD_DIR is not set"
root="$WORK/root"
DESTDIR="$root" cmake --install "$MINNE_BUILD_DIR" >"$WORK/install.txt" || e2e_fail "cmake --install failed"
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$MINNE_BUILD_DIR/CMakeCache.txt")
tree="$root$prefix"
bindir=$(sed -n 's/^CMAKE_INSTALL_BINDIR:PATH=//p' "$MINNE_BUILD_DIR/CMakeCache.txt")
app_id=$(basename "$(ls "$tree"/share/applications/*.desktop)" .desktop)
listing() { (cd "$root" && find . -printf '%p %s %m %T@\n' | sort); }
listing >"$WORK/tree-before.txt"

home="$WORK/home"
mkdir -p "$home"
export HOME="$home" XDG_STATE_HOME="$WORK/state"
# The desktop entry's command, as the menu runs it: by name through PATH, in the home folder.
exec_line=$(sed -n 's/^Exec=//p' "$tree/share/applications/$app_id.desktop")
[ "$exec_line" = minnespiegel ] || e2e_fail "the desktop entry runs '$exec_line'"
(cd "$home" && PATH="$tree/$bindir:$PATH" exec minnespiegel >"$WORK/stdout.txt" 2>"$WORK/stderr.txt") &
APP_PID=$!
e2e_wait_window "Minnespiegel 2004"
e2e_wait_until 20 e2e_title_menu_shown || e2e_fail "the title menu did not appear"
e2e_shot title >/dev/null
title_shot=$LAST_SHOT

class=$(xprop -id "$WINDOW_ID" WM_CLASS)
[ "$class" = "WM_CLASS(STRING) = \"$app_id\", \"$app_id\"" ] || e2e_fail "window class: $class"
grep -qx "StartupWMClass=$app_id" "$tree/share/applications/$app_id.desktop" ||
    e2e_fail "StartupWMClass does not name the window's class"
# xprop shows an icon as a picture headed by its size, older ones as the bare numbers.
xprop -id "$WINDOW_ID" _NET_WM_ICON >"$WORK/icon.txt"
grep -q -e 'Icon (64 x 64)' -e '= 64, 64, ' "$WORK/icon.txt" || e2e_fail "no 64 x 64 window icon: $(head -c 200 "$WORK/icon.txt")"

# Settings: in and out by Zurück stores them.
e2e_click 60 400
sleep 0.3
e2e_click 720 565
e2e_wait_until 5 e2e_title_menu_shown || e2e_fail "Zurück did not return to the title menu"
[ -f "$XDG_CONFIG_HOME/minnespiegel/registry.reg" ] || e2e_fail "the settings are not in \$XDG_CONFIG_HOME"

e2e_click 50 350
e2e_wait_until 10 e2e_scene_shown 1 || e2e_fail "the scene did not appear after Start"
xdotool type --delay 70 "Liebt er mich?"
e2e_key Return
e2e_wait_until 10 e2e_box_colour_at_least 100 25 125 100 || e2e_fail "no answer appeared"
sleep 1
e2e_shot answer >/dev/null
answer_shot=$LAST_SHOT
e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE after Escape"

logs="$XDG_STATE_HOME/minnespiegel"
[ "$(tr -d '\r' <"$logs/error_log.txt" | cut -c27-)" = "Farbtiefe: 32
spiegel started
ESC pressed - leaving at once" ] || e2e_fail "error_log.txt in $logs: $(cat "$logs/error_log.txt" 2>&1)"
for f in error_log.txt log.txt sw.dat hv.dat registry.reg; do
    [ -e "$home/$f" ] && e2e_fail "the program wrote $f into the working folder"
done
listing >"$WORK/tree-after.txt"
diff "$WORK/tree-before.txt" "$WORK/tree-after.txt" >"$WORK/tree-diff.txt" ||
    e2e_fail "the install tree changed: $(head -5 "$WORK/tree-diff.txt")"

mkdir -p "$MINNE_BUILD_DIR/screenshots"
cp "$title_shot" "$MINNE_BUILD_DIR/screenshots/title.png"
cp "$answer_shot" "$MINNE_BUILD_DIR/screenshots/answer.png"
e2e_note "installed, started from a fresh home: icon, class, settings, answer, logs, untouched tree: fine"
