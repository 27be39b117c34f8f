#!/usr/bin/env bash
# The standalone app without a display, once with no DISPLAY at all and once with a DISPLAY
# that no X server answers: exit status 1 (no crash), one line on stderr, nothing else done.
# Usage: no-display.sh APP
set -euo pipefail
APP="$1"

work="$(mktemp -d /tmp/lumivox-no-display-XXXXXX)"
trap 'rm -rf "$work"' EXIT
fail() { echo "no-display: $*" >&2; exit 1; }

# A display number no X server holds (xvfb-run -a counts down from 99, so look above it).
free=200
while [ -e "/tmp/.X$free-lock" ] || [ -e "/tmp/.X11-unix/X$free" ]; do free=$((free + 1)); done

expected="LUMIVOX: no display available (DISPLAY is not set or cannot be opened); the standalone app needs a desktop"

check() { # LABEL ENV-ARGUMENTS...
    local label="$1" status=0
    shift
    rm -rf "$work/home"
    mkdir -p "$work/home"
    (ulimit -c 0; env "$@" HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
        timeout 60 "$APP" >"$work/out" 2>"$work/err") || status=$?
    [ "$status" -eq 1 ] || fail "$label: exit status $status, not 1: $(cat "$work/err")"
    [ "$(wc -l <"$work/err")" -eq 1 ] && [ "$(cat "$work/err")" = "$expected" ] \
        || fail "$label: stderr was: $(cat "$work/err")"
    [ ! -s "$work/out" ] || fail "$label: printed on stdout: $(cat "$work/out")"
    [ -z "$(ls -A "$work/home")" ] || fail "$label: the app wrote into its home folder: $(ls -A "$work/home")"
    echo "no-display: $label: exit status 1, one line on stderr"
}

check "no DISPLAY" -u DISPLAY -u WAYLAND_DISPLAY
check "DISPLAY=:$free without a server" -u WAYLAND_DISPLAY DISPLAY=":$free"
