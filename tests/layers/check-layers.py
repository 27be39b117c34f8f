#!/usr/bin/env python3
"""Fails when a unit of a lower layer includes a unit of a higher one.

usage: check-layers.py SRC_DIR --layers modules engine presets editor [--unit presets/PresetBrowser=editor ...]

The layers are given lowest first, each named by its folder under SRC_DIR; --unit places a
unit (a header/source pair, by its path without extension) in another folder's layer.
"""
import argparse
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("src", type=pathlib.Path)
    parser.add_argument("--layers", nargs="+", required=True)
    parser.add_argument("--unit", action="append", default=[])
    args = parser.parse_args()

    rank = {folder: i for i, folder in enumerate(args.layers)}
    placed = dict(entry.split("=", 1) for entry in args.unit)

    def layer_of(path):
        unit = str(pathlib.PurePosixPath(path).with_suffix(""))
        folder = placed.get(unit, unit.split("/", 1)[0])
        return folder if folder in rank else None

    wrong = []
    for folder in args.layers:
        for file in sorted((args.src / folder).glob("*.[ch]*")):
            own = layer_of(file.relative_to(args.src).as_posix())
            for included in INCLUDE.findall(file.read_text(errors="replace")):
                target = layer_of(included)
                if target is not None and rank[target] > rank[own]:
                    wrong.append(f"{file.relative_to(args.src)} ({own}) includes {included} ({target})")

    for line in wrong:
        print("wrong way:", line)
    if wrong:
        print(f"{len(wrong)} include(s) point up; layers, lowest first: {' <- '.join(args.layers)}")
        return 1
    print(f"every include points down: {' <- '.join(args.layers)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
