#!/usr/bin/env bash
# The standalone app on a real audio server: a JACK server with its dummy driver, the app
# set to JACK, a preset loaded, 60 s of audio through it, quit, started again with the saved
# state, and quit again. Screenshots of both runs go to OUT_DIR.
# Usage: jack-standalone.sh APP OUT_DIR   (needs jackd2, Xvfb, xdotool, imagemagick, sox)
set -euo pipefail
APP="$1" OUT="$2"
mkdir -p "$OUT"
rm -f "$OUT"/*.png "$OUT"/*.wav

home="$(mktemp -d /tmp/lumivox-jack-home-XXXXXX)"
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
export DISPLAY=":96"
settings="$home/.config/LUMIVOX.settings"
mkdir -p "$home/.config"

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT
fail() { echo "jack-standalone: $*" >&2; exit 1; }

Xvfb "$DISPLAY" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
jackd --no-realtime -d dummy -r 48000 -p 256 >"$OUT/jackd.log" 2>&1 &
pids+=($!)
jack_wait -w -t 10 >/dev/null || fail "the JACK server did not start (is another one running?)"

# The app's own settings file, pointing its audio at JACK.
cat >"$settings" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<PROPERTIES>
  <VALUE name="audioSetup">
    <DEVICESETUP deviceType="JACK" audioOutputDeviceName="system" audioInputDeviceName="system"
                 audioDeviceRate="48000.0" audioDeviceBufferSize="256"/>
  </VALUE>
</PROPERTIES>
XML

start_app() {
    "$APP" >>"$OUT/app.log" 2>&1 &
    app=$!
    for _ in $(seq 50); do
        jack_lsp 2>/dev/null | grep -q '^LUMIVOX:' && break
        sleep 0.2
    done
    jack_lsp 2>/dev/null | grep -q '^LUMIVOX:' || fail "the app did not connect to JACK"
    window="$(xdotool search --name '^LUMIVOX$' | head -1)"
    [ -n "$window" ] || fail "the app's window did not appear"
    sleep 1.5
    eval "$(xdotool getwindowgeometry --shell "$window")"
}

quit_app() { # the window's own close button, as a person would
    xdotool mousemove $((X + WIDTH - 18)) $((Y + 14)) click 1
    for _ in $(seq 50); do
        kill -0 "$app" 2>/dev/null || break
        sleep 0.2
    done
    kill -0 "$app" 2>/dev/null && fail "the app did not quit"
    wait "$app" || fail "the app quit with status $?"
}

# First run: fresh, input muted with the framework's notice; NEXT twice loads the second
# factory preset (the first is INIT).
start_app
import -window root "$OUT/1-first-start-input-muted.png"
for _ in 1 2; do
    xdotool mousemove $((X + 2 + 754)) $((Y + 58 + 28)) click 1
    sleep 0.5
done
import -window root "$OUT/2-preset-loaded.png"
quit_app
grep -q 'name="filterState"' "$settings" || fail "quitting did not save the plug-in state"
grep -q 'name="shouldMuteInput" val="1"' "$settings" || fail "the input did not start muted"

# Second run: the saved state comes back; with the input unmuted, a click track goes through
# it for 60 s into a recording.
sed -i 's/name="shouldMuteInput" val="1"/name="shouldMuteInput" val="0"/' "$settings"
start_app
import -window root "$OUT/3-second-start-state-restored.png"
jack_metro -n metro -b 240 -f 660 -a 0.5 -d 20 >/dev/null 2>&1 &
pids+=($!)
sleep 1
ins=$(jack_lsp | grep '^LUMIVOX:in' || true)
outs=$(jack_lsp | grep '^LUMIVOX:out' || true)
[ -n "$ins" ] && [ -n "$outs" ] || fail "the app has no JACK ports: $(jack_lsp | tr '\n' ' ')"
for port in $ins; do jack_connect metro:240_bpm "$port"; done
timeout 75 jack_rec -f "$OUT/through-the-app.wav" -d 60 $outs >/dev/null 2>&1 || true
timeout 10 jack_rec -f "$OUT/click.wav" -d 2 metro:240_bpm >/dev/null 2>&1 || true
[ -s "$OUT/through-the-app.wav" ] || fail "nothing was recorded from the app"
length=$(soxi -D "$OUT/through-the-app.wav")
peak=$(sox "$OUT/through-the-app.wav" -n stat 2>&1 | awk '/Maximum amplitude/ {print $3}')
rms=$(sox "$OUT/through-the-app.wav" -n stat 2>&1 | awk '/RMS     amplitude/ {print $3}')
clickRms=$(sox "$OUT/click.wav" -n stat 2>&1 | awk '/RMS     amplitude/ {print $3}')
echo "jack-standalone: recorded ${length} s, peak ${peak}, RMS ${rms} (the click alone: RMS ${clickRms})"
awk -v l="$length" 'BEGIN { exit !(l >= 59) }' || fail "recorded only ${length} s"
awk -v p="$peak" 'BEGIN { exit !(p > 0.01) }' || fail "the app passed no audio (peak ${peak})"
import -window root "$OUT/4-after-a-minute-of-audio.png"
quit_app
rm -f "$OUT/through-the-app.wav" "$OUT/click.wav"
echo "jack-standalone: passed"
