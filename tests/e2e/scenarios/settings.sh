# The settings screen changes the landscape and the music; Zurück stores them in the registry
# (on Linux its file, under wine the one wine's registry tool shows), and the next run uses them.
. "$(dirname "$0")/../lib.sh"
e2e_init settings
registry="$XDG_CONFIG_HOME/minnespiegel/registry.reg"

# stored NAME: the stored number as 0x1, or nothing.
stored()
{
    if e2e_is_wine; then
        e2e_reg_dword "$1"
        return
    fi
    local hex
    hex=$(tr -d '\r' <"$registry" 2>/dev/null | sed -n "s/^\"$1\"=dword:\([0-9a-f]\{8\}\)\$/\1/p")
    [ -n "$hex" ] && printf '0x%x\n' "$((16#$hex))"
}

# Landscape 2 and music off: the second tiles of both pictures (inside their keyed rims).
selectors_show()
{
    e2e_region_shows "$1" 380 256 46 46 "$WORK/data/gfx/mb_back.bmp" 64 6 20
    e2e_region_shows "$1" 380 401 46 46 "$WORK/data/gfx/mb_music.bmp" 64 6 20
}

e2e_start_and_wait_for_title
e2e_click 60 400
sleep 0.3
e2e_shot settings >/dev/null
e2e_region_shows "$LAST_SHOT" 0 0 800 240 "$WORK/data/gfx/mi_einstellungen.jpg" 0 0
e2e_click 403 279   # landscape 1 -> 2
e2e_click 403 424   # music on -> off
e2e_point_at 600 100
sleep 0.2
e2e_shot changed >/dev/null
selectors_show "$LAST_SHOT"
[ -n "$(stored back)$(stored music)" ] && e2e_fail "settings were stored before Zurück"
e2e_click 720 565
e2e_wait_until 5 e2e_title_menu_shown || e2e_fail "Zurück did not return to the title menu"
if e2e_is_wine; then
    wine reg query 'HKCU\Software\Velmora\Minnespiegel\2004' >"$WORK/registry-after-back.txt" 2>&1
else
    cp "$registry" "$WORK/registry-after-back.reg" || e2e_fail "Zurück stored nothing"
fi
for pair in back=0x1 dancer=0x0 music=0x1; do
    value=$(stored "${pair%=*}")
    [ "$value" = "${pair#*=}" ] || e2e_fail "the registry holds ${pair%=*} = '$value', not ${pair#*=}"
done
e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"

# The next run: landscape 2 at Start, and the settings screen shows what was stored.
e2e_start_and_wait_for_title
e2e_click 50 350
e2e_wait_until 10 e2e_scene_shown 2 || e2e_fail "the stored landscape 2 was not used"
e2e_shot second-run-scene >/dev/null
e2e_click 720 35
e2e_wait_until 5 e2e_title_menu_shown || e2e_fail "Zurück did not return to the title menu"
e2e_click 60 400
e2e_point_at 600 100
sleep 0.2
e2e_shot second-run-settings >/dev/null
selectors_show "$LAST_SHOT"
e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
e2e_note "settings stored by Zurück and used by the next run: fine"
