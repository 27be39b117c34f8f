#!/usr/bin/env python3
"""Writes docs/performance.md and its two plots from a lumivox_bench JSON file, the sox
comparison (a tab-separated file: effect, sox command, sox real-time factor, lumivox command,
lumivox real-time factor), the start-up line of tools/perf/startup.sh (milliseconds of audio,
runs, sox's median ms, lumivox-render's median ms, their ratio) and the hand-written analysis
that closes the page."""
import json
import os
import subprocess
import sys

TARGET_FULL, TARGET_PRESET, TARGET_OFF, TARGET_WORST, TARGET_STARTUP = 80.0, 150.0, 3000.0, 0.25, 5.0
# Modules alone: (benchmark, what, target real-time factor).
MODULE_TARGETS = [
    ("driveAtQuality/quality:2", "drive at ULTRA 4X alone", 400.0),
    ("formant/48000", "formant at 48 kHz alone", 350.0),
    ("reverb", "reverb alone", 800.0),
    ("pitch", "pitch alone", 900.0),
    ("halftime", "halftime alone", 900.0),
]


def load(path):
    with open(path) as f:
        data = json.load(f)
    rows = [b for b in data["benchmarks"] if b.get("run_type") == "aggregate" and b.get("aggregate_name") == "median"]
    if not rows:
        rows = [b for b in data["benchmarks"] if b.get("run_type", "iteration") == "iteration"]
    result = {}
    for b in rows:
        name = b.get("run_name", b["name"]).replace("/min_time:0.100", "").replace("/iterations:1", "")
        result[name] = b
    return data.get("context", {}), result


def verdict(ok):
    return "met" if ok else "**missed**"


def plot(path_png, path_data, title, xlabel, logx):
    script = f"""
set terminal pngcairo size 900,480 font ',11'
set output '{path_png}'
set title '{title}'
set xlabel '{xlabel}'
set ylabel 'real-time factor (audio s per CPU s)'
set grid
{'set logscale x 2' if logx else ''}
set key off
plot '{path_data}' using 1:2 with linespoints lw 2 pt 7
"""
    subprocess.run(["gnuplot"], input=script.encode(), check=True)


def main():
    bench_json, sox_tsv, startup_tsv, out_dir, commit, analysis = sys.argv[1:7]
    context, b = load(bench_json)
    with open(startup_tsv) as f:
        audio_ms, runs, sox_ms, lumivox_ms, startup_ratio = f.readline().rstrip("\n").split("\t")
    startup_ratio = float(startup_ratio)
    docs = out_dir
    os.makedirs(docs, exist_ok=True)

    def rtf(name):
        return b[name]["realtime"]

    modules = [n for n in b if "/" not in n or n.startswith("driveAtQuality") or n.startswith("formant/")]
    presets = sorted((n for n in b if n.startswith("preset/")), key=rtf)
    off = rtf("processor/off")
    full = rtf("processor/fullRack/rate/48000")
    t64, t512 = b["processor/fullRack/blockTimes/64"], b["processor/fullRack/blockTimes/512"]

    rates = [44100, 48000, 96000, 192000]
    blocks = [16, 32, 64, 128, 256, 512, 1024, 2048, 4096]
    with open(os.path.join(docs, "performance-rate.dat"), "w") as f:
        for r in rates:
            f.write(f"{r / 1000:g} {rtf(f'processor/fullRack/rate/{r}'):.2f}\n")
    with open(os.path.join(docs, "performance-block.dat"), "w") as f:
        for n in blocks:
            f.write(f"{n} {rtf(f'processor/fullRack/block/{n}'):.2f}\n")
    plot(os.path.join(docs, "performance-rate.png"), os.path.join(docs, "performance-rate.dat"),
         "Full rack, 512-sample blocks: cost against sample rate", "sample rate (kHz)", False)
    plot(os.path.join(docs, "performance-block.png"), os.path.join(docs, "performance-block.dat"),
         "Full rack, 48 kHz: cost against block size", "block size (samples)", True)
    for name in ("performance-rate.dat", "performance-block.dat"):
        os.remove(os.path.join(docs, name))

    lines = []
    w = lines.append
    w("# Performance")
    w("")
    w(f"Measured with `./lumivox bench --report` (the Google Benchmark suite in `bench/`, medians of "
      f"{b['processor/off'].get('repetitions', 1)} repetitions) on commit {commit}, on this project's build "
      f"machine: {context.get('num_cpus', '?')} cores at {context.get('mhz_per_cpu', '?')} MHz, a virtual machine "
      "whose timings vary by up to a third from run to run. Figures are real-time factors: seconds of 48 kHz stereo "
      "audio processed per second of one core's time (higher is cheaper). Inputs are stereo noise at -12 dBFS; "
      "host blocks of 512 samples unless stated.")
    w("")
    w("## Targets")
    w("")
    w("| what | target | measured | |")
    w("|---|---|---|---|")
    w(f"| full rack: all sixteen effects on, drive at ULTRA 4X, eight modulation routes | {TARGET_FULL:.0f}x | {full:.1f}x | {verdict(full >= TARGET_FULL)} |")
    slowest = presets[0]
    below = sum(1 for n in presets if rtf(n) < TARGET_PRESET)
    w(f"| every factory preset | {TARGET_PRESET:.0f}x | slowest {rtf(slowest):.0f}x ({slowest[7:]}), {below} of {len(presets)} below {TARGET_PRESET:.0f}x, median {rtf(presets[len(presets) // 2]):.0f}x | {verdict(below == 0)} |")
    w(f"| processor with everything off | {TARGET_OFF:.0f}x | {off:.0f}x | {verdict(off >= TARGET_OFF)} |")
    for name, what, target in MODULE_TARGETS:
        w(f"| {what} | {target:.0f}x | {rtf(name):.0f}x | {verdict(rtf(name) >= target)} |")
    w(f"| full rack, 64-sample blocks: worst block over 60 s | below 25 % of the block (1333 us) | {t64['max_us']:.0f} us ({t64['worst_of_block']:.1%}) | {verdict(t64['worst_of_block'] < TARGET_WORST)} |")
    w(f"| start-up: rendering a {audio_ms} ms file, against sox copying it | at most 5x sox's time | {startup_ratio:.1f}x | {verdict(startup_ratio <= TARGET_STARTUP)} |")
    w("")
    w("## Full rack")
    w("")
    w("Per-block times over 60 s of audio, each block timed on its own:")
    w("")
    w("| block | median | 99.9th percentile | maximum | maximum against the block's duration |")
    w("|---|---|---|---|---|")
    for size, t in ((64, t64), (512, t512)):
        w(f"| {size} | {t['median_us']:.1f} us | {t['p99.9_us']:.1f} us | {t['max_us']:.1f} us | {t['worst_of_block']:.1%} |")
    w("")
    w("| sample rate | 44.1 kHz | 48 kHz | 96 kHz | 192 kHz |")
    w("|---|---|---|---|---|")
    w("| real-time factor | " + " | ".join(f"{rtf(f'processor/fullRack/rate/{r}'):.1f}x" for r in rates) + " |")
    w("")
    w("| block size | " + " | ".join(str(n) for n in blocks) + " |")
    w("|---" * (len(blocks) + 1) + "|")
    w("| real-time factor | " + " | ".join(f"{rtf(f'processor/fullRack/block/{n}'):.1f}x" for n in blocks) + " |")
    w("")
    w("![cost against sample rate](performance-rate.png)")
    w("")
    w("![cost against block size](performance-block.png)")
    w("")
    w("## Each module alone")
    w("")
    w("Switched on with its default settings (pitch a fifth up), on its own, without the processor around it.")
    w("")
    w("| module | real-time factor |")
    w("|---|---|")
    for n in modules:
        label = n.replace("driveAtQuality/quality:0", "drive ECO 1X").replace("driveAtQuality/quality:1", "drive HQ 2X") \
                 .replace("driveAtQuality/quality:2", "drive ULTRA 4X").replace("modulationEngine", "modulation engine")
        label = label.replace("formant/", "formant at ").replace("44100", "44.1 kHz").replace("48000", "48 kHz") \
                     .replace("96000", "96 kHz").replace("192000", "192 kHz")
        w(f"| {label} | {rtf(n):.0f}x |")
    w("")
    w("## Factory presets")
    w("")
    w(f"All {len(presets)} presets, slowest first.")
    w("")
    w("| preset | real-time factor |")
    w("|---|---|")
    for n in presets:
        w(f"| {n[7:]} | {rtf(n):.0f}x |")
    w("")
    w("## Beside sox")
    w("")
    w("The same 60 s stereo 48 kHz file through sox's nearest effects and through `lumivox-render` with the "
      "corresponding module alone, one after the other in one run, timed from start to finish (file reading and "
      "writing included for both). The effects are not the same: sox's are simpler (no oversampling, no smoothing of "
      "settings, mono-summed chorus), so the table compares costs, not sounds.")
    w("")
    w("| effect | sox | sox real-time factor | LUMIVOX | LUMIVOX real-time factor |")
    w("|---|---|---|---|---|")
    with open(sox_tsv) as f:
        for line in f:
            effect, sox_cmd, sox_rtf, lumivox_cmd, lumivox_rtf = line.rstrip("\n").split("\t")
            w(f"| {effect} | `{sox_cmd}` | {float(sox_rtf):.0f}x | `{lumivox_cmd}` | {float(lumivox_rtf):.0f}x |")
    w("")
    w("## Start-up")
    w("")
    w(f"A {audio_ms} ms stereo 48 kHz file (pink noise), copied by `sox in.wav out.wav` and rendered by "
      f"`lumivox-render in.wav out.wav` with the default sound, {runs} times each, the two taking turns in one run "
      "(`tools/perf/startup.sh`), in a home folder of their own. Medians of the wall times from start to exit:")
    w("")
    w("| sox | lumivox-render | ratio |")
    w("|---|---|---|")
    w(f"| {float(sox_ms):.2f} ms | {float(lumivox_ms):.2f} ms | {startup_ratio:.1f}x |")
    w("")
    with open(analysis) as f:
        lines.append(f.read().rstrip("\n"))
    lines.append("")
    with open(os.path.join(docs, "performance.md"), "w") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()
