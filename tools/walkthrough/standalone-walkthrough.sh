#!/usr/bin/env bash
# Uses the real standalone app on a virtual display the way a person would (xdotool), with a
# screenshot after every step: insert an effect from "+ FX", drag its card to the front, draw
# a shaper point, assign a modulation route, undo twice, save a user preset and reopen it.
# Usage: tools/walkthrough/standalone-walkthrough.sh [APP] [OUT_DIR]   (needs Xvfb, xdotool, imagemagick)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
APP="${1:-$ROOT/build/bin/LUMIVOX}"
OUT="${2:-$ROOT/build/walkthrough}"
DISPLAY_NUMBER=97
export DISPLAY=":$DISPLAY_NUMBER"

home="$(mktemp -d /tmp/lumivox-walkthrough-home-XXXXXX)"
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
mkdir -p "$OUT"
rm -f "$OUT"/*.png

Xvfb "$DISPLAY" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT
sleep 1

"$APP" >"$OUT/app.log" 2>&1 &
app=$!
for _ in $(seq 50); do
    window="$(xdotool search --name '^LUMIVOX$' 2>/dev/null | head -1 || true)"
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "walkthrough: the app's window did not appear" >&2; exit 1; }
sleep 2

# The editor's top-left corner on the screen: the window's content starts below the title
# bar and the muted-input notice.
eval "$(xdotool getwindowgeometry --shell "$window")"
EX=$((X + ${EDITOR_DX:-2})) EY=$((Y + ${EDITOR_DY:-58}))

step=0
shot() {
    step=$((step + 1))
    sleep "${2:-0.6}"
    import -window root "$OUT/$(printf '%02d' "$step")-$1.png"
    echo "walkthrough: $(printf '%02d' "$step")-$1.png"
}
click() { xdotool mousemove $((EX + $1)) $((EY + $2)) click 1; }
drag() { # x0 y0 x1 y1, in small moves so the framework sees a drag
    xdotool mousemove $((EX + $1)) $((EY + $2)) mousedown 1
    for i in 1 2 3 4 5 6 7 8 9 10; do
        xdotool mousemove $((EX + $1 + ($3 - $1) * i / 10)) $((EY + $2 + ($4 - $2) * i / 10))
        sleep 0.05
    done
    xdotool mouseup 1
}
keys() { xdotool key --delay 120 "$@"; }

shot opened 0.2
click 881 176;           shot effect-browser            # "+ FX"
click 502 202;           shot reverb-inserted           # "Reverb" in the call-out
drag 570 214 90 214;     shot reverb-dragged-to-front   # by the card's header onto DRIVE
drag 130 520 130 545;    shot shaper-point-drawn        # point 3 of the shaper curve
click 819 176;           shot modulation-matrix         # MOD
click 155 242; keys Down Return; shot route-source          # route 1 source: next item
click 328 242; keys Down Down Down Return; shot route-destination
drag 615 242 720 242;    shot route-depth
click 868 38;            shot matrix-closed             # CLOSE
click 390 58;            shot undo-once                 # UNDO
click 390 58;            shot undo-twice
click 508 28;            shot preset-library            # the preset name
click 460 468; keys ctrl+a; xdotool type --delay 40 "Walkthrough One"; shot named
click 186 503;           shot saved-as                  # SAVE AS
click 851 46;            shot library-closed            # CLOSE
click 263 28;            shot previous-preset           # PREV loads another sound
click 508 28; click 480 91; xdotool type --delay 40 "Walkthrough"; shot searched
click 400 150;           shot reopened                  # the saved preset's row
click 851 46;            shot back-in-the-editor

kill "$app"; wait "$app" 2>/dev/null || true; app=""
echo "walkthrough: $step screenshots in $OUT"
