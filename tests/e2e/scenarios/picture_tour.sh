# The pictures as a user meets them, kept as screenshots to look at: the title menu, each of the
# four landscapes with a question typed, and the gate's glow at its brightest.
. "$(dirname "$0")/../lib.sh"
e2e_init picture_tour
registry="$XDG_CONFIG_HOME/minnespiegel/registry.reg"
key='[HKEY_CURRENT_USER\Software\Velmora\Minnespiegel\2004]'
mkdir -p "$(dirname "$registry")"

# e2e_window_red PICTURE: the mean red (0..255) in the middle of the gate's window.
e2e_window_red()
{
    convert "$1[36x40+428+340]" -format '%[fx:int(255*mean.r)]' info:
}

for n in 1 2 3 4; do
    # The stored value counts the landscapes from 0.
    printf 'REGEDIT4\r\n\r\n%s\r\n"back"=dword:%08d\r\n"music"=dword:00000000\r\n' "$key" $((n - 1)) >"$registry"
    e2e_start_and_wait_for_title
    [ "$n" -eq 1 ] && e2e_shot title-menu >/dev/null
    e2e_click 50 350
    e2e_wait_until 10 e2e_scene_shown "$n" || e2e_fail "landscape $n did not appear after Start"
    xdotool type --delay 40 "Liebt er mich?"
    e2e_point_at 790 590
    sleep 0.3
    e2e_shot "landscape-$n-question" >/dev/null
    e2e_question_ink_at_least 50 || e2e_fail "the question does not show on landscape $n"
    if [ "$n" -eq 1 ]; then
        # The glow pulses for about three seconds after the flight: grab as fast as the
        # screen can be read until it is over, then keep the brightest frame.
        e2e_key Return
        glow_end=$(( $(date +%s) + 7 ))
        i=0
        while [ "$(date +%s)" -lt "$glow_end" ] && [ "$i" -lt 60 ]; do
            i=$((i + 1))
            import -window root "$WORK/.glow-$(printf %02d "$i").ppm" 2>/dev/null
        done
        best=0
        for shot in "$WORK"/.glow-*.ppm; do
            red=$(e2e_window_red "$shot")
            if [ "$red" -gt "$best" ]; then
                best=$red
                peak=$shot
            fi
        done
        [ "$best" -gt 0 ] && convert "$peak" "$WORK/glow-peak.png"
        rm -f "$WORK"/.glow-*.ppm
        [ "$best" -ge 90 ] || e2e_fail "the gate's window never glowed brightly (red $best)"
    fi
    e2e_key Escape
    e2e_wait_exit
done
