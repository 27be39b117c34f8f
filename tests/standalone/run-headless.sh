#!/usr/bin/env bash
# ./lumivox run without a usable display (none, and one no X server answers), on this build
# without setup or build (LUMIVOX_RUN_BUILD_DIR): the bundles land in a temporary home folder,
# the demo is rendered, its WAV files printed, and the status is 0. The run sees the build
# through links in a scratch folder, so that the demo lands there and not in the build.
# Usage: run-headless.sh ROOT BUILD_DIR   (needs x11-utils, sox)
set -euo pipefail
ROOT="$1" BUILD="$2"

work="$(mktemp -d /tmp/lumivox-run-headless-XXXXXX)"
trap 'rm -rf "$work"' EXIT
fail() { echo "run-headless: $*" >&2; exit 1; }

# A display number no X server holds (xvfb-run -a counts down from 99, so look above it).
free=200
while [ -e "/tmp/.X$free-lock" ] || [ -e "/tmp/.X11-unix/X$free" ]; do free=$((free + 1)); done

mkdir -p "$work/build"
ln -s "$BUILD/bin" "$BUILD/plugins" "$work/build/"

check() { # LABEL ENV-ARGUMENTS...
    local label="$1" home="$work/home" status=0
    shift
    rm -rf "$home" "$work/build/demo"
    mkdir -p "$home"
    env "$@" HOME="$home" XDG_CONFIG_HOME="$home/.config" LUMIVOX_RUN_BUILD_DIR="$work/build" \
        "$ROOT/lumivox" run >"$work/run.log" 2>&1 || status=$?
    sed "s/^/  /" "$work/run.log"
    [ "$status" -eq 0 ] || fail "$label: exit status $status"

    diff -rq "$BUILD/plugins/LUMIVOX.vst3" "$home/.vst3/LUMIVOX.vst3" >/dev/null \
        || fail "$label: the VST3 bundle in the home folder is not the built one"
    diff -rq "$BUILD/plugins/LUMIVOX.lv2" "$home/.lv2/LUMIVOX.lv2" >/dev/null \
        || fail "$label: the LV2 bundle in the home folder is not the built one"
    grep -q '^lumivox run: on a desktop, ./lumivox run starts the app' "$work/run.log" \
        || fail "$label: no word on starting the app on a desktop"

    local wavs=()
    mapfile -t wavs < <(grep '\.wav$' "$work/run.log")
    [ "${#wavs[@]}" -eq 11 ] || fail "$label: ${#wavs[@]} WAV files printed, not the dry loop and ten presets"
    for wav in "${wavs[@]}"; do
        [[ "$wav" == "$work/build/demo/"* ]] || fail "$label: '$wav' is not in the run's demo folder"
        [ -s "$wav" ] || fail "$label: '$wav' is missing or empty"
        [ "$(soxi -t "$wav" 2>/dev/null)" = wav ] || fail "$label: '$wav' is not a WAV file"
        [ "$(soxi -V1 -s "$wav")" -gt 0 ] || fail "$label: '$wav' holds no samples"
    done
    echo "run-headless: $label: bundles installed, ${#wavs[@]} WAV files rendered"
}

check "no DISPLAY" -u DISPLAY -u WAYLAND_DISPLAY
check "DISPLAY=:$free without a server" -u WAYLAND_DISPLAY DISPLAY=":$free"
