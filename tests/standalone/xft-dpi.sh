#!/usr/bin/env bash
# The standalone app on a virtual X display that announces its density only through Xft.dpi
# in the X resources (the KDE and plain-X way): at 192 dpi the window opens at 200 % (twice
# the default 920 x 580), without the resource at 100 %.
# Usage: xft-dpi.sh APP   (needs Xvfb, x11-utils, xdotool)
set -euo pipefail
APP="$1"

work="$(mktemp -d /tmp/lumivox-xft-dpi-XXXXXX)"
server=""
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    [ -n "$server" ] && kill "$server" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "xft-dpi: $*" >&2; exit 1; }

# A display number no X server holds (xvfb-run -a counts down from 99, so look above it).
free=300
while [ -e "/tmp/.X$free-lock" ] || [ -e "/tmp/.X11-unix/X$free" ]; do free=$((free + 1)); done
# -noreset: without it the server forgets the root window's resources when xprop disconnects.
Xvfb ":$free" -screen 0 3000x2000x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
server=$!
for _ in $(seq 100); do xdpyinfo -display ":$free" >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo -display ":$free" >/dev/null 2>&1 || fail "Xvfb did not start"

check() { # LABEL RESOURCES MIN-WIDTH MAX-WIDTH MIN-HEIGHT
    local label="$1" resources="$2" minw="$3" maxw="$4" minh="$5"
    if [ -n "$resources" ]; then
        xprop -display ":$free" -root -format RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$resources"
    else
        xprop -display ":$free" -root -remove RESOURCE_MANAGER
    fi
    rm -rf "$work/home"
    mkdir -p "$work/home"
    DISPLAY=":$free" HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" "$APP" >"$work/app.log" 2>&1 &
    app=$!
    local window=""
    for _ in $(seq 150); do
        window="$(DISPLAY=":$free" xdotool search --onlyvisible --name LUMIVOX 2>/dev/null | head -n 1 || true)"
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "$label: no window appeared: $(cat "$work/app.log")"
    sleep 1 # the window settles at the editor's size
    local width height
    eval "$(DISPLAY=":$free" xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=')"
    width="$WIDTH" height="$HEIGHT"
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    app=""
    [ "$width" -ge "$minw" ] && [ "$width" -le "$maxw" ] && [ "$height" -ge "$minh" ] \
        || fail "$label: window ${width} x ${height}, expected ${minw} to ${maxw} wide and at least ${minh} high"
    echo "xft-dpi: $label: window ${width} x ${height}"
}

check "Xft.dpi 192" $'Xft.antialias:\t1\nXft.dpi:\t192\n' 1840 1900 1160
check "no Xft.dpi" "" 920 980 580
