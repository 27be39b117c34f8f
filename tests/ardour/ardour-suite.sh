#!/usr/bin/env bash
# LUMIVOX in Ardour 7 without a GUI: ardour7-lua builds sessions on the Dummy backend,
# ardour7-export bounces them, compare.py measures the exports against lumivox-render.
# Usage: ardour-suite.sh GROUP VST3_BUNDLE LV2_BUNDLE RENDERER OUT_DIR
#   discovery  Ardour lists LUMIVOX as VST3 and as LV2
#   vst3, lv2  all-off null, a sound set through Ardour's parameters against the renderer,
#              the same after saving and reloading, and the latency Ardour sees
#   grid       where the shaper's 1/8 cycles start in Ardour and in the renderer, both
#              formats, 90 and 120 BPM, with and without the formant effect
# Needs the Debian package ardour (7.x) and python3. Exports and logs are kept in OUT_DIR;
# ARDOUR_SUITE_KEEP=1 also keeps the scratch folder (HOME, session) and prints where it is.
set -euo pipefail
GROUP="$1" VST3_BUNDLE="$2" LV2_BUNDLE="$3" RENDER="$4" OUT="$5"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
ARDOUR_LIB="${ARDOUR_LIB:-/usr/lib/ardour7}"
LUA_BIN="${ARDOUR_LUA:-ardour7-lua}"
EXPORT_BIN="${ARDOUR_EXPORT:-ardour7-export}"
PY=(python3 "$HERE/compare.py")

fail() { echo "ardour-suite: $*" >&2; exit 1; }
command -v "$LUA_BIN" >/dev/null || fail "$LUA_BIN not found (Debian package ardour)"
command -v "$EXPORT_BIN" >/dev/null || fail "$EXPORT_BIN not found (Debian package ardour)"
[ -x "$ARDOUR_LIB/ardour-vst3-scanner" ] || fail "no ardour-vst3-scanner in $ARDOUR_LIB"
[ -d "$VST3_BUNDLE" ] && [ -d "$LV2_BUNDLE" ] && [ -x "$RENDER" ] || fail "plug-in bundles or renderer missing"

mkdir -p "$OUT"
rm -rf "${OUT:?}"/*

# Ardour reads and writes $XDG_CONFIG_HOME/ardour7, $XDG_CACHE_HOME/ardour7 (plug-in scan
# cache), ~/.vst3, ~/.lv2 (user presets): all of them live in this folder and go with it.
scratch="$(mktemp -d /tmp/lumivox-ardour-XXXXXX)"
[ -n "${ARDOUR_SUITE_KEEP:-}" ] && echo "scratch folder kept: $scratch" || trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" XDG_CACHE_HOME="$scratch/home/.cache"
export XDG_DATA_HOME="$scratch/home/.local/share"
mkdir -p "$HOME/.vst3" "$HOME/.lv2" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
# Only the bundles under test: Ardour scans ~/.vst3 by default, and LV2_PATH replaces
# lilv's default path (so no system plug-ins slow the start).
cp -rL "$VST3_BUNDLE" "$HOME/.vst3/LUMIVOX.vst3"
cp -rL "$LV2_BUNDLE" "$HOME/.lv2/LUMIVOX.lv2"
export LV2_PATH="$HOME/.lv2"
# The scanner stamps its cache with the module's mtime in whole seconds; Ardour then sees a
# module with a fractional mtime as newer than the cache and ignores the plug-in.
find "$HOME/.vst3/LUMIVOX.vst3" -exec touch -h -d '2020-01-01 00:00:00' {} +
LD_LIBRARY_PATH="$ARDOUR_LIB${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
    "$ARDOUR_LIB/ardour-vst3-scanner" -q "$HOME/.vst3/LUMIVOX.vst3" >"$OUT/vst3-scan.log" 2>&1 \
    || fail "ardour-vst3-scanner failed, see $OUT/vst3-scan.log"

lua() { # lua LOG ARGS...: ardour7-lua session.lua ARGS, output kept in OUT/LOG
    local log="$OUT/$1"; shift
    # Line-buffered, so a log shows how far a run got; bounded, as a plug-in can hang Ardour.
    if ! timeout -k 5 120 stdbuf -oL "$LUA_BIN" "$HERE/session.lua" "$@" </dev/null >"$log" 2>&1 \
        || ! grep -q '^LUA-DONE' "$log"; then
        grep -E 'LUA-FAIL|Error|error' "$log" >&2 || tail -20 "$log" >&2
        fail "ardour7-lua $1 failed, see $log"
    fi
}

# ardour7-export aborts about one run in four with a heap error inside Ardour's own
# PortExportChannel destructor (with or without LUMIVOX in the session), and an aborted
# run can leave garbage in the file: only a clean exit counts, so try again until one.
export_snapshot() { # export_snapshot SESSION_DIR SNAPSHOT OUT.wav
    local try
    for try in 1 2 3 4 5 6; do
        rm -f "$3"
        # In a subshell, so an abort is told in the log and not by this shell.
        if (timeout -k 5 120 "$EXPORT_BIN" -b float -o "$3" "$1" "$2") >"$3.log" 2>&1 && [ -s "$3" ]; then
            if [ "$try" -gt 1 ]; then echo "($2: export needed $try runs)"; fi
            return 0
        fi
    done
    fail "ardour7-export of $2 failed $try times, see $3.log"
}

plugin_ids() { # sets VST3_ID and LV2_ID from what Ardour lists
    lua discover.log discover
    VST3_ID="$(awk -F'\t' '$1=="FOUND" && $2=="VST3" {print $3}' "$OUT/discover.log" | head -1)"
    LV2_ID="$(awk -F'\t' '$1=="FOUND" && $2=="LV2" {print $3}' "$OUT/discover.log" | head -1)"
}

render_latency() { # render_latency ARGS...: the processor's latency for these settings
    "$RENDER" "$@" --json "$scratch/in.wav" "$scratch/latency-probe.wav" \
        | python3 -c 'import json,sys; print(int(json.load(sys.stdin)["latencySamples"]))'
}

ardour_latency() { # ardour_latency TAG: the plug-in's latency as Ardour reported it
    awk -F'\t' -v tag="$1" '$1=="LATENCY" && $2==tag {print $3}' "$OUT"/*.log | head -1
}

"$RENDER" --list-params >"$scratch/params.tsv"
status=0
check() { "$@" || status=1; }
check_latency() { # check_latency TAG EXPECTED
    local got; got="$(ardour_latency "$1")"
    if [ "$got" = "$2" ]; then
        echo "PASS latency $1: Ardour $got samples, processor $2"
    else
        echo "FAIL latency $1: Ardour ${got:-none} samples, processor $2"; status=1
    fi
}

# The rack (which effects are inserted, in which order) is part of the plug-in's state, not a
# parameter. A user brings it into Ardour with a preset; LV2 does that here. For VST3,
# Ardour 7.3 hangs loading any preset into a JUCE plug-in (see compare.py vst3chunk), so
# the state goes into the saved session instead, and Ardour restores it on loading that.
give_state() { # give_state FORMAT SESSION SNAPSHOT STATE: a VST3 snapshot's plug-in gets STATE
    if [ "$1" = VST3 ]; then
        "${PY[@]}" vst3chunk "$2/$3.ardour" "$VST3_ID" "$4"
    fi
}
lv2_preset() { # lv2_preset LABEL STATE
    # JUCE's LV2 wrapper keeps the whole state in one property, <plugin URI>:StateString.
    "${PY[@]}" lv2preset "$LV2_ID" "$LV2_ID:StateString" "$1" "$2" "$HOME/.lv2/LUMIVOX-$1.lv2"
}
# Plan lines that add LUMIVOX with a given state: Ardour's parameters set to the state's
# values (so its own idea of them agrees), and for LV2 the preset holding the whole state.
plugin_with_state() { # plugin_with_state FORMAT LABEL STATE
    local id="$VST3_ID"; [ "$1" = LV2 ] && id="$LV2_ID"
    printf 'plugin\t%s\t%s\n' "$1" "$id"
    if [ "$1" = LV2 ]; then printf 'preset\t%s\n' "$2"; fi
    "${PY[@]}" plan-state "$scratch/params.tsv" "$3"
}

case "$GROUP" in
discovery)
    plugin_ids
    [ -n "$VST3_ID" ] && echo "PASS Ardour lists LUMIVOX VST3 ($VST3_ID)" || { echo "FAIL Ardour does not list LUMIVOX as VST3"; status=1; }
    [ -n "$LV2_ID" ] && echo "PASS Ardour lists LUMIVOX LV2 ($LV2_ID)" || { echo "FAIL Ardour does not list LUMIVOX as LV2"; status=1; }
    ;;

vst3|lv2)
    FORMAT="$(echo "$GROUP" | tr a-z A-Z)"
    plugin_ids
    ID="$VST3_ID"; [ "$FORMAT" = LV2 ] && ID="$LV2_ID"
    [ -n "$ID" ] || fail "Ardour does not list LUMIVOX as $FORMAT"

    # Every effect's power switch off, the shaper's too.
    mapfile -t ALL_OFF < <(awk -F'\t' '$3=="bool" && $1 ~ /On$/ {print $1 "=0"}' "$scratch/params.tsv")
    # The rack drive, filter, shaper, delay comes with the state; the sound is then set through
    # Ardour's parameters. The shaper's curve is flat (a steady gain of one half), so the sound
    # does not depend on where the host's bar grid puts the cycle (the grid group measures that).
    SOUND=(drive=18 driveType=2 cutoff=5015 delayMix=50 shaperOn=1 shaperRate=4)
    for i in $(seq 0 15); do SOUND+=("shaperPoint$i=0.5"); done
    RACK=drive,filter,shaper,delay
    "$RENDER" --fx "$RACK" --state-out "$scratch/rack.state" --list-params >/dev/null
    lv2_preset Rack "$scratch/rack.state"

    session="$scratch/session"
    {
        printf 'save\tdry\n'
        printf 'plugin\t%s\t%s\n' "$FORMAT" "$ID"
        "${PY[@]}" plan "$scratch/params.tsv" "${ALL_OFF[@]}"
        printf 'latency\tall-off\nsave\tnull\nclear\n'
        plugin_with_state "$FORMAT" Rack "$scratch/rack.state"
        printf 'save\track\n'
    } >"$scratch/plan-record.tsv"
    lua record.log record "$session" lumivox 3 "$scratch/plan-record.tsv"
    give_state "$FORMAT" "$session" rack "$scratch/rack.state"
    "${PY[@]}" fill "$session" rich "$scratch/in.wav"
    {
        printf 'existing\t%s\n' "$FORMAT"
        "${PY[@]}" plan "$scratch/params.tsv" "${SOUND[@]}"
        printf 'latency\tsound\nsave\tsound\n'
    } >"$scratch/plan-sound.tsv"
    lua sound.log apply "$session" rack "$scratch/plan-sound.tsv"
    printf 'existing\t%s\nlatency\treloaded\nsave\treloaded\n' "$FORMAT" >"$scratch/plan-reload.tsv"
    lua reload.log apply "$session" sound "$scratch/plan-reload.tsv"

    for snap in dry null sound reloaded; do export_snapshot "$session" "$snap" "$OUT/$snap.wav"; done
    sets=(); for s in "${SOUND[@]}"; do sets+=(--set "$s"); done
    "$RENDER" --state-in "$scratch/rack.state" "${sets[@]}" "$scratch/in.wav" "$OUT/renderer.wav"

    check "${PY[@]}" same "$OUT/dry.wav" "$scratch/in.wav" 0 "$FORMAT dry export equals the test signal"
    check "${PY[@]}" same "$OUT/null.wav" "$OUT/dry.wav" 1e-6 "$FORMAT all-off LUMIVOX against dry"
    check "${PY[@]}" rack "$session" reloaded "$RACK" "$FORMAT reloaded"
    check "${PY[@]}" same "$OUT/sound.wav" "$OUT/renderer.wav" 1e-6 "$FORMAT sound set in Ardour against lumivox-render"
    check "${PY[@]}" same "$OUT/reloaded.wav" "$OUT/sound.wav" 1e-6 "$FORMAT session saved and reloaded"
    # A factory sound from the host's own preset menu (VST3's program list, the LV2 bundle's
    # presets), loaded in Ardour, saved, reopened and saved again: the plug-in holds it throughout.
    "$RENDER" --list-presets | cut -f2 >"$scratch/factory-names.txt"
    printf 'existing\t%s\nclear\nplugin\t%s\t%s\npresets\t%s\npreset\tNEON ORBIT\nsave\tpreset\n' \
        "$FORMAT" "$FORMAT" "$ID" "$scratch/factory-names.txt" >"$scratch/plan-preset.tsv"
    lua preset.log apply "$session" sound "$scratch/plan-preset.tsv"
    listed="$(grep -c '^PRESET' "$OUT/preset.log")"
    if [ "$listed" = "$(wc -l <"$scratch/factory-names.txt")" ]; then
        echo "PASS $FORMAT preset menu holds all $listed factory sounds"
    else
        echo "FAIL $FORMAT preset menu holds $listed of the $(wc -l <"$scratch/factory-names.txt") factory sounds"; status=1
    fi
    printf 'existing\t%s\nsave\treopened\n' "$FORMAT" >"$scratch/plan-reopen.tsv"
    lua reopen.log apply "$session" preset "$scratch/plan-reopen.tsv"
    for snap in preset reopened; do
        check "${PY[@]}" sound "$session" "$snap" "$FORMAT preset NEON ORBIT, $snap" presetName="NEON ORBIT" \
            insertedFx=filter,shaper,delay,width cutoff=9200 width=126 delayMs=220
    done
    offs=(); for s in "${ALL_OFF[@]}"; do offs+=(--set "$s"); done
    check_latency all-off "$(render_latency "${offs[@]}")"
    sound_latency="$(render_latency --state-in "$scratch/rack.state" "${sets[@]}")"
    check_latency sound "$sound_latency"
    check_latency reloaded "$sound_latency"
    ;;

grid)
    plugin_ids
    [ -n "$VST3_ID" ] && [ -n "$LV2_ID" ] || fail "Ardour does not list LUMIVOX in both formats"
    # A hard step: full level for the first half of each 1/8 cycle, silence for the second.
    # --fx leaves the shaper's own switch alone, hence shaperOn.
    SHAPE=(shaperOn=1 shaperRate=3 shaperDepth=100 shaperMix=100)
    for i in $(seq 0 7); do SHAPE+=("shaperPoint$i=1"); done
    for i in $(seq 8 15); do SHAPE+=("shaperPoint$i=0"); done
    sets=(); for s in "${SHAPE[@]}"; do sets+=(--set "$s"); done
    declare -A RACK_OF=([Shaper]=shaper [Formant]=formant,shaper)
    for fx in Shaper Formant; do
        "$RENDER" --fx "${RACK_OF[$fx]}" "${sets[@]}" --state-out "$scratch/$fx.state" --list-params >/dev/null
        lv2_preset "$fx" "$scratch/$fx.state"
    done

    session="$scratch/session"
    for bpm in 90 120; do
        printf 'tempo\t%s\n' "$bpm"
        for fmt in VST3 LV2; do
            for fx in Shaper Formant; do
                tag="$fmt-$bpm-$fx"
                plugin_with_state "$fmt" "$fx" "$scratch/$fx.state"
                # A VST3 insert gets its state only after this run: its latency is read later.
                if [ "$fmt" = LV2 ]; then printf 'latency\t%s\n' "$tag"; fi
                printf 'save\t%s\nclear\n' "$tag"
            done
        done
    done >"$scratch/plan-record.tsv"
    lua record.log record "$session" lumivox 3 "$scratch/plan-record.tsv"
    "${PY[@]}" fill "$session" tone "$scratch/in.wav"
    for bpm in 90 120; do
        for fx in Shaper Formant; do
            tag="VST3-$bpm-$fx"
            give_state VST3 "$session" "$tag" "$scratch/$fx.state"
            # Loaded and saved once more: Ardour's latency and its own save of the state.
            printf 'existing\tVST3\nlatency\t%s\nsave\t%s\n' "$tag" "$tag" >"$scratch/plan-$tag.tsv"
            lua "apply-$tag.log" apply "$session" "$tag" "$scratch/plan-$tag.tsv"
        done
    done

    for bpm in 90 120; do
        for fx in Shaper Formant; do
            "$RENDER" --state-in "$scratch/$fx.state" --bpm "$bpm" --ppq 0 --transport playing \
                "$scratch/in.wav" "$OUT/renderer-$bpm-$fx.wav"
            # The renderer is the reference, so its own grid must not move when the formant
            # (and its FFT delay) is inserted ahead of the shaper.
            if [ "$fx" = Formant ]; then
                check "${PY[@]}" grid "$OUT/renderer-$bpm-Formant.wav" "$OUT/renderer-$bpm-Shaper.wav" \
                    "$bpm" "renderer-$bpm with the formant against without"
            fi
            lat="$(render_latency --state-in "$scratch/$fx.state" --bpm "$bpm")"
            for fmt in VST3 LV2; do
                tag="$fmt-$bpm-$fx"
                export_snapshot "$session" "$tag" "$OUT/$tag.wav"
                check "${PY[@]}" rack "$session" "$tag" "${RACK_OF[$fx]}" "$tag"
                check "${PY[@]}" grid "$OUT/$tag.wav" "$OUT/renderer-$bpm-$fx.wav" "$bpm" "$tag"
                check_latency "$tag" "$lat"
            done
        done
    done
    ;;

*)
    fail "unknown group $GROUP"
    ;;
esac

[ "$status" -eq 0 ] && echo "ardour-suite $GROUP: all checks passed" || echo "ardour-suite $GROUP: some checks FAILED"
exit "$status"
