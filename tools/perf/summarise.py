#!/usr/bin/env python3
"""Prints the real-time factors of a lumivox_bench JSON file as a compact table."""
import json
import sys


def load(path):
    with open(path) as f:
        return [b for b in json.load(f)["benchmarks"] if b.get("run_type", "iteration") == "iteration"]


def main():
    rows = load(sys.argv[1])
    presets = [b for b in rows if b["name"].startswith("preset/")]
    for b in rows:
        if b["name"].startswith("preset/"):
            continue
        extra = ""
        if "max_us" in b:
            extra = "  median {:.1f} us  p99.9 {:.1f} us  max {:.1f} us  worst {:.1%} of the block".format(
                b["median_us"], b["p99.9_us"], b["max_us"], b["worst_of_block"])
        print("{:45s} {:9.1f}x{}".format(b["name"], b["realtime"], extra))
    if presets:
        slowest = sorted(presets, key=lambda b: b["realtime"])
        print("presets: {} measured; slowest {}; median {:.0f}x".format(
            len(presets), ", ".join("{} {:.0f}x".format(b["name"][7:], b["realtime"]) for b in slowest[:5]),
            slowest[len(slowest) // 2]["realtime"]))


if __name__ == "__main__":
    main()
