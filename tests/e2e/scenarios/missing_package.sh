# Without resource.dat the error log gets the package messages and the program runs silently.
. "$(dirname "$0")/../lib.sh"
e2e_init missing_package
rm "$WORK/data/resource.dat"

e2e_start_and_wait_for_title
e2e_click 50 350
e2e_wait_until 10 e2e_scene_shown 1 || e2e_fail "the scene did not appear"
e2e_shot silent-scene >/dev/null
[ -z "$(e2e_find_window Error)" ] || e2e_fail "an error box appeared"
e2e_key Escape
e2e_wait_exit
[ "$EXIT_CODE" -eq 0 ] || e2e_fail "exit code $EXIT_CODE"
e2e_expect_log "Farbtiefe: 32" "Could not load bonus package" \
    "music.ogg: cannot find song within bonus package" "music.ogg: cannot load song from bonus package" \
    "cannot open song for streaming" "cannot play song" "spiegel started" "ESC pressed - leaving at once"
e2e_note "missing package: messages logged, runs silently"
