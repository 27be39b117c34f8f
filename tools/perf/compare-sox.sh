#!/usr/bin/env bash
# Renders one 60 s stereo 48 kHz file through sox's nearest effects and through lumivox-render
# with the corresponding module alone, one after the other, and prints a tab-separated line
# per pair: effect, sox command, sox real-time factor, lumivox command, lumivox real-time factor.
# Usage: tools/perf/compare-sox.sh RENDERER WORK_DIR
set -euo pipefail
RENDER="$1" WORK="$2"
mkdir -p "$WORK"
in="$WORK/in.wav" out="$WORK/out.wav"
seconds=60

# A chord over pink noise, so every effect has something to work on.
sox -q -n -r 48000 -c 2 -b 24 "$in" synth $seconds pinknoise pinknoise synth $seconds sine mix 220 sine mix 330 gain -n -12

wall() { # prints the real-time factor of one command
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    echo "$seconds / ($end - $start)" | bc -l
}

pairs=(
    "drive|overdrive 20|--fx drive --set drive=20"
    "filter|lowpass 2000|--fx filter --set cutoff=2000"
    "chorus|chorus 0.5 0.9 50 0.4 0.25 2 -t|--fx chorus"
    "flanger|flanger|--fx chorus --set chorusMode=1"
    "delay|echo 0.8 0.9 250 0.3|--fx delay"
    "reverb|reverb 50|--fx reverb"
    "pitch|pitch 700|--fx pitch --set pitchSemitones=7"
)
for pair in "${pairs[@]}"; do
    IFS='|' read -r effect soxArgs lumivoxArgs <<<"$pair"
    # shellcheck disable=SC2086
    soxRtf=$(wall sox -q "$in" -b 32 "$out" $soxArgs)
    # shellcheck disable=SC2086
    lumivoxRtf=$(wall "$RENDER" $lumivoxArgs "$in" "$out")
    printf '%s\tsox in.wav out.wav %s\t%.1f\tlumivox-render %s in.wav out.wav\t%.1f\n' \
        "$effect" "$soxArgs" "$soxRtf" "$lumivoxArgs" "$lumivoxRtf"
done
rm -f "$in" "$out"
