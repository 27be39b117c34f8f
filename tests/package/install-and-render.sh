#!/usr/bin/env bash
# Builds the Debian package from this build, checks it with lintian (no errors), unpacks it
# into a scratch root with dpkg -x and runs the installed renderer there.
# Usage: install-and-render.sh BUILD_DIR WORK_DIR
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="$1" WORK="$2"
rm -rf "$WORK"
mkdir -p "$WORK"
fail() { echo "package test: $*" >&2; exit 1; }

deb="$("$ROOT/tools/package/make-deb.sh" "$BUILD" "$WORK" | tail -1)"
[ -f "$deb" ] || fail "no package was built"

if command -v lintian >/dev/null; then
    lintian "$deb" >"$WORK/lintian.txt" 2>&1 || true
    ! grep -q '^E:' "$WORK/lintian.txt" || fail "lintian reports errors: $(grep '^E:' "$WORK/lintian.txt" | tr '\n' ' ')"
fi

root="$WORK/root"
dpkg -x "$deb" "$root"
for path in usr/bin/lumivox usr/bin/lumivox-render usr/lib/vst3/LUMIVOX.vst3/Contents/x86_64-linux/LUMIVOX.so \
            usr/lib/lv2/LUMIVOX.lv2/manifest.ttl usr/share/applications/lumivox.desktop \
            usr/share/icons/hicolor/256x256/apps/lumivox.png usr/share/man/man1/lumivox-render.1.gz; do
    [ -e "$root/$path" ] || fail "the package has no /$path"
done

render="$root/usr/bin/lumivox-render"
version="$("$render" --version)"
[ "$version" = "lumivox-render $(sed -n 's/^project(LUMIVOX VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")" ] \
    || fail "--version printed '$version'"
sox -q -n -r 48000 -c 2 -b 16 "$WORK/in.wav" synth 1 sine 440 gain -n -6
HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" "$render" --preset "NEON ORBIT" --json "$WORK/in.wav" "$WORK/out.wav" \
    >"$WORK/render.json" || fail "the installed renderer failed"
grep -q '"nonFiniteSamples": 0' "$WORK/render.json" || fail "the render reported non-finite samples: $(cat "$WORK/render.json")"
[ "$(soxi -D "$WORK/out.wav" 2>/dev/null)" = "1.000000" ] || fail "the output is not one second long"
zcat "$root/usr/share/man/man1/lumivox-render.1.gz" | grep -q 'preset\\-out' || fail "the man page lacks the options"
echo "package test: $(basename "$deb") installs and renders"
