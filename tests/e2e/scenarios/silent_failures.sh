# Trouble the user would otherwise not hear of leaves a line in error_log.txt: a damaged
# settings file (its out-of-range values count as the defaults, and the next save leaves each
# name once), a missing landscape, settings that cannot be saved and a home page without a
# browser.
. "$(dirname "$0")/../lib.sh"
e2e_init silent_failures
registry="$XDG_CONFIG_HOME/minnespiegel/registry.reg"
key='[HKEY_CURRENT_USER\Software\Velmora\Minnespiegel\2004]'

# e2e_log_has LINE: error_log.txt holds this message.
e2e_log_has()
{
    e2e_log_lines | grep -qxF "$1" || e2e_fail "error_log.txt lacks \"$1\":
$(e2e_log_lines)"
}

end_with_escape()
{
    e2e_key Escape
    e2e_wait_exit
    [ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
}

# A hand-edited file: a landscape number no selector has, music as no number, no final line break.
mkdir -p "$(dirname "$registry")"
printf 'REGEDIT4\r\n\r\n%s\r\n"back"=dword:00000009\r\n"music"=dword:zzzz' "$key" >"$registry"
e2e_start_and_wait_for_title
e2e_click 60 400
e2e_point_at 600 100
sleep 0.3
e2e_shot damaged-settings >/dev/null
# The first tiles: landscape 1 and music on, as for no stored value at all.
e2e_region_shows "$LAST_SHOT" 380 256 46 46 "$WORK/data/gfx/mb_back.bmp" 6 6 20
e2e_region_shows "$LAST_SHOT" 380 401 46 46 "$WORK/data/gfx/mb_music.bmp" 6 6 20
e2e_click 720 565
e2e_wait_until 5 e2e_title_menu_shown || e2e_fail "Zurück did not return to the title menu"
cp "$registry" "$WORK/registry-saved.reg"
[ "$(grep -ci '^"music"=' "$registry")" -eq 1 ] || e2e_fail "\"music\" is not on one line: $(cat "$registry")"
tr -d '\r' <"$registry" | grep -qx '"back"=dword:00000000' || e2e_fail "back was not saved as 0"
[ "$(tail -c 2 "$registry" | od -An -c | tr -d ' ')" = '\r\n' ] || e2e_fail "the saved file has no final line break"
e2e_click 50 350
e2e_wait_until 10 e2e_scene_shown 1 || e2e_fail "the default landscape 1 was not shown"
end_with_escape
e2e_note "damaged settings: defaults shown, each name saved once"

# Landscape 2 chosen, but its picture is gone: the scene is black behind the gate and the log says why.
printf 'REGEDIT4\r\n\r\n%s\r\n"back"=dword:00000001\r\n' "$key" >"$registry"
rm "$WORK/data/gfx/landschaft2.jpg" "$WORK/data/error_log.txt"
e2e_start_and_wait_for_title
e2e_click 50 350
sleep 1
e2e_shot missing-landscape >/dev/null
e2e_log_has "LoadImage: gfx/landschaft2.jpg konnte nicht geladen werden (cannot open the file: No such file or directory)"
[ "$(e2e_count_colour "$LAST_SHOT" 0 0 690 200 0 0 0)" -gt 100000 ] || e2e_fail "the sky is not black"
end_with_escape
e2e_note "missing landscape: logged"

# A file where the settings folder should be: Zurück cannot save, and says so.
rm -rf "$(dirname "$registry")" "$WORK/data/error_log.txt"
printf 'in the way' >"$(dirname "$registry")"
e2e_start_and_wait_for_title
e2e_click 60 400
e2e_click 720 565
e2e_wait_until 5 e2e_title_menu_shown || e2e_fail "Zurück did not return to the title menu"
for name in back dancer music; do
    e2e_log_has "SaveSetting: $name konnte nicht gespeichert werden (CRegistryKey::CreateOrOpenKey() - Access is denied.)"
done
end_with_escape
e2e_note "settings that cannot be saved: logged"

# A launcher that finds no browser: the program still ends, and the log says so.
cat >"$WORK/bin/xdg-open" <<'SCRIPT'
#!/bin/sh
echo "xdg-open: no method available for opening '$1'" >&2
exit 3
SCRIPT
chmod +x "$WORK/bin/xdg-open"
rm -f "$WORK/data/error_log.txt"
PATH="$WORK/bin:$PATH" e2e_start_and_wait_for_title
e2e_click 100 450
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE after Homepage"
e2e_log_has "launchHomePage: no browser could be started (xdg-open ended with status 3)"
e2e_note "home page without a browser: logged, program ended"
