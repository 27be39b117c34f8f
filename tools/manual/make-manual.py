#!/usr/bin/env python3
"""Writes docs/manual.md from manual.md.in: every line "@params ID ..." becomes a table of
those parameters with their ranges and defaults, read from lumivox-render --list-params, so
the manual always tells the truth about them. Usage: make-manual.py RENDERER TEMPLATE OUT"""
import subprocess
import sys


def number(text):
    value = float(text)
    return str(int(value)) if value == int(value) else f"{value:g}"


def main():
    renderer, template, out = sys.argv[1:4]
    listing = subprocess.run([renderer, "--list-params"], check=True, capture_output=True, text=True,
                             env={"HOME": "/tmp", "XDG_CONFIG_HOME": "/tmp/.lumivox-manual"}).stdout
    params = {}
    for line in listing.splitlines():
        pid, name, kind, value_range, interval, default, _current = line.split("\t")
        params[pid] = (name, kind, value_range, default)

    lines = []
    for line in open(template):
        if not line.startswith("@params"):
            lines.append(line.rstrip("\n"))
            continue
        lines.append("| control | parameter | range | default |")
        lines.append("|---|---|---|---|")
        for pid in line.split()[1:]:
            name, kind, value_range, default = params[pid]
            if kind == "choice":
                items = value_range.split("|")
                shown, default_shown = ", ".join(items), items[int(float(default))]
            elif kind == "bool":
                shown, default_shown = "off, on", "on" if float(default) >= 0.5 else "off"
            else:
                low, high = value_range.split("..")
                shown, default_shown = f"{number(low)} to {number(high)}", number(default)
            lines.append(f"| {name} | `{pid}` | {shown} | {default_shown} |")
    with open(out, "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
