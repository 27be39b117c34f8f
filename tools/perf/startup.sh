#!/usr/bin/env bash
# Start-up cost: a 50 ms stereo 48 kHz file copied by sox and rendered by lumivox-render with
# its default sound, the two interleaved RUNS times each (50 unless given), so that both see
# the same machine. Prints one tab-separated line: milliseconds of audio, runs, sox's median
# wall time in ms, lumivox-render's median wall time in ms, and their ratio.
# Usage: tools/perf/startup.sh RENDERER WORK_DIR [RUNS]
set -euo pipefail
RENDER="$1" WORK="$2" RUNS="${3:-50}"
mkdir -p "$WORK"
in="$WORK/startup-in.wav" out="$WORK/startup-out.wav"
sox -q -n -r 48000 -c 2 -b 24 "$in" synth 0.05 pinknoise gain -n -12

# A home of its own, so no one's presets or settings take part.
home="$(mktemp -d "$WORK/startup-home-XXXXXX")"
trap 'rm -rf "$home" "$in" "$out"' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/.config"

sox_ms=() lumivox_ms=()
elapsed_ms() { # runs a command and prints its wall time in ms; bash's clock needs no process of its own
    local start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 || { echo "startup.sh: '$*' failed" >&2; exit 1; }
    local end=$EPOCHREALTIME
    echo "($end - $start) * 1000" | bc -l
}
for ((i = 0; i < RUNS; ++i)); do
    sox_ms+=("$(elapsed_ms sox -q "$in" "$out")")
    lumivox_ms+=("$(elapsed_ms "$RENDER" "$in" "$out")")
done

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
sox_median=$(median "${sox_ms[@]}")
lumivox_median=$(median "${lumivox_ms[@]}")
printf '50\t%d\t%.2f\t%.2f\t%.1f\n' "$RUNS" "$sox_median" "$lumivox_median" "$(echo "$lumivox_median / $sox_median" | bc -l)"
