#!/usr/bin/env python3
"""Mends the LV2 description that JUCE 7.0.5 writes into dsp.ttl, after every build of the bundle.

- Its scale points carry normalised values (stutter rate "1/16" as 0.333333), while the
  parameter's range is its own (0 ... 9): point k of a parameter becomes its minimum + k.
- Its maintainer's mailbox is the bare address, a relative URI that resolves to the file itself;
  it becomes a mailto: URI.

Usage: fix-description.py DSP_TTL
"""
import os
import re
import sys


def fix_parameter(block):
    if "lv2:scalePoint" not in block:
        return block
    minimum = re.search(r"lv2:minimum\s+(-?[0-9.]+)", block)
    start = float(minimum.group(1)) if minimum else 0.0
    counter = iter(range(1 << 20))

    def value(match):
        v = start + next(counter)
        return match.group(1) + ("%d" % v if v == int(v) else repr(v))

    return re.sub(r"(rdf:value\s+)-?[0-9.e+-]+", value, block)


def main(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    # Statements end with " ." at the end of a line; each parameter is one statement.
    statements = re.split(r"(?<= \.)\n", text)
    text = "\n".join(fix_parameter(s) if s.lstrip().startswith("plug:") else s for s in statements)
    text = re.sub(r"foaf:mbox <(?!mailto:)([^>]+@[^>]+)>", r"foaf:mbox <mailto:\1>", text)
    with open(path + ".tmp", "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(path + ".tmp", path)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: fix-description.py DSP_TTL")
    main(sys.argv[1])
