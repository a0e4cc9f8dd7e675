# The settings screen changes the landscape and the music; Zurück stores them in the registry
# file, and the next run uses them.
. "$(dirname "$0")/../lib.sh"
e2e_init settings
registry="$XDG_CONFIG_HOME/minnespiegel/registry.reg"

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
[ -f "$registry" ] && e2e_fail "settings were stored before Zurück"
e2e_click 720 565
e2e_wait_until 5 e2e_title_menu_shown || e2e_fail "Zurück did not return to the title menu"
[ -f "$registry" ] || e2e_fail "Zurück stored nothing"
cp "$registry" "$WORK/registry-after-back.reg"
for line in '"back"=dword:00000001' '"dancer"=dword:00000000' '"music"=dword:00000001'; do
    tr -d '\r' <"$registry" | grep -qx "$line" || e2e_fail "the registry file lacks $line"
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
