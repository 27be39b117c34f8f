#!/usr/bin/env bash
# Builds the Debian package from a finished build: the VST3 bundle under /usr/lib/vst3, the
# LV2 bundle under /usr/lib/lv2, the standalone app as /usr/bin/lumivox with a desktop entry
# and a hicolor icon, and /usr/bin/lumivox-render with a man page made from its --help.
# Usage: tools/package/make-deb.sh BUILD_DIR OUT_DIR   (needs dpkg-dev, help2man; lintian checks it)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="$1" OUT="$2"
version="$(sed -n 's/^project(LUMIVOX VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")"
arch="$(dpkg-architecture -qDEB_HOST_ARCH)"
stage="$OUT/stage"
rm -rf "$stage"
mkdir -p "$stage/DEBIAN" "$stage/usr/bin" "$stage/usr/lib/vst3" "$stage/usr/lib/lv2" \
    "$stage/usr/share/applications" "$stage/usr/share/icons/hicolor/256x256/apps" \
    "$stage/usr/share/man/man1" "$stage/usr/share/doc/lumivox"

install -m 755 "$BUILD/bin/LUMIVOX" "$stage/usr/bin/lumivox"
install -m 755 "$BUILD/bin/lumivox-render" "$stage/usr/bin/lumivox-render"
cp -rL "$BUILD/plugins/LUMIVOX.vst3" "$stage/usr/lib/vst3/"
cp -rL "$BUILD/plugins/LUMIVOX.lv2" "$stage/usr/lib/lv2/"
install -m 644 "$ROOT/resources/lumivox.desktop" "$stage/usr/share/applications/lumivox.desktop"
install -m 644 "$ROOT/resources/lumivox.png" "$stage/usr/share/icons/hicolor/256x256/apps/lumivox.png"
find "$stage/usr/lib" -type d -exec chmod 755 {} + ; find "$stage/usr/lib" -type f -exec chmod 644 {} +
find "$stage/usr/bin" "$stage/usr/lib" -type f \( -name '*.so' -o -perm -u+x \) -exec strip --strip-unneeded {} +

help2man --no-info --version-string="$version" --name="render audio files through the LUMIVOX effect rack" \
    "$stage/usr/bin/lumivox-render" | gzip -9n >"$stage/usr/share/man/man1/lumivox-render.1.gz"
gzip -9nc "$ROOT/resources/lumivox.1" >"$stage/usr/share/man/man1/lumivox.1.gz"

cat >"$stage/usr/share/doc/lumivox/copyright" <<TXT
Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: LUMIVOX
Source: https://lumivox.audio

Files: *
Copyright: 2026 the LUMIVOX authors
License: GPL-3
 This program is free software: you can redistribute it and/or modify it under the terms
 of the GNU General Public License, version 3, as published by the Free Software
 Foundation.
 .
 On Debian systems, the complete text of the GNU General Public License version 3 can be
 found in "/usr/share/common-licenses/GPL-3".
TXT
printf 'lumivox (%s) unstable; urgency=medium\n\n  * Release %s.\n\n -- LUMIVOX authors <authors@lumivox.audio>  %s\n' \
    "$version" "$version" "$(date -R -d @"${SOURCE_DATE_EPOCH:-$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || date +%s)}")" \
    | gzip -9n >"$stage/usr/share/doc/lumivox/changelog.gz"

# Shared-library dependencies of every binary, as dpkg-shlibdeps finds them.
mkdir -p "$OUT/shlibs/debian"
printf 'Source: lumivox\n\nPackage: lumivox\nArchitecture: any\n' >"$OUT/shlibs/debian/control"
binaries=("$stage/usr/bin/lumivox" "$stage/usr/bin/lumivox-render" \
          "$(find "$stage/usr/lib/vst3" -name '*.so')" "$(find "$stage/usr/lib/lv2" -name '*.so')")
depends="$(cd "$OUT/shlibs" && dpkg-shlibdeps -O "${binaries[@]}" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')"

size="$(du -sk "$stage/usr" | cut -f1)"
cat >"$stage/DEBIAN/control" <<TXT
Package: lumivox
Version: $version
Architecture: $arch
Maintainer: LUMIVOX authors <authors@lumivox.audio>
Installed-Size: $size
Depends: $depends
Section: sound
Priority: optional
Homepage: https://lumivox.audio
Description: creative multi-effect audio plug-in (VST3, LV2, standalone)
 LUMIVOX runs a mono or stereo signal through a rack of sixteen effects
 (drive, filter, shaper, gate, crusher, pitch, formant, halftime, stutter,
 reverse, tape stop, granular, chorus/flanger, delay, reverb and width) in
 an order of your choosing, with a modulation matrix, macros, 161 factory
 sounds and user preset banks.
 .
 This package holds the VST3 and LV2 plug-ins, the standalone application
 and lumivox-render, which renders audio files through the effect rack from
 the command line.
TXT

deb="$OUT/lumivox_${version}_${arch}.deb"
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "$deb"
