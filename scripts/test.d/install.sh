#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop finds there: the
# desktop entry and AppStream metainfo pass their validators, the icons are in hicolor, and
# the installed program runs headless with the build folder moved away. Then builds the
# Debian package and checks its contents and dependencies.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$(pwd)
WORK=$(mktemp -d)
PREFIX="$WORK/prefix"
ID=org.paginor.Paginor
moved=
cleanup() {
  [ -n "$moved" ] && [ -d "$ROOT/build.away" ] && mv "$ROOT/build.away" "$ROOT/build"
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "install: $*" >&2; exit 1; }

cmake --install build --prefix "$PREFIX" >/dev/null
desktop-file-validate "$PREFIX/share/applications/$ID.desktop"
appstreamcli validate --no-net --pedantic "$PREFIX/share/metainfo/$ID.metainfo.xml" >/dev/null ||
  appstreamcli validate --no-net "$PREFIX/share/metainfo/$ID.metainfo.xml"
[ -f "$PREFIX/share/icons/hicolor/scalable/apps/$ID.svg" ] || fail "no scalable icon"
for s in 16 22 24 32 48 64 128 256; do
  f="$PREFIX/share/icons/hicolor/${s}x${s}/apps/$ID.png"
  [ -f "$f" ] || fail "no ${s}x${s} icon"
  file "$f" 2>/dev/null | grep -q "$s x $s" || python3 - "$f" "$s" <<'PY' || fail "icon $f is not ${s}x${s}"
import struct, sys
data = open(sys.argv[1], 'rb').read(24)
w, h = struct.unpack('>II', data[16:24])
sys.exit(0 if w == h == int(sys.argv[2]) else 1)
PY
done
[ -f "$PREFIX/share/paginor/help/Chooseatopic.html" ] || fail "help pages not installed"

# The installed program on its own: the build folder is out of reach.
mv "$ROOT/build" "$ROOT/build.away"
moved=1
export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 0700 "$XDG_RUNTIME_DIR"
version=$("$PREFIX/bin/paginor" --version)
[[ "$version" == paginor\ * ]] || fail "--version said '$version'"
printf 'P6\n4 3\n255\n' > "$WORK/in.ppm"
head -c 36 /dev/urandom >> "$WORK/in.ppm"
"$PREFIX/bin/paginor" render -o "$WORK/page.jpg" --printer-page 827x1169 --printer-dpi 100 \
  --set NumberOfFrames=1 "$WORK/in.ppm" >/dev/null
[ -s "$WORK/page.jpg" ] || fail "the installed program rendered no page"
# Its scanner source manager is found relative to the program, under lib/paginor.
mkdir -p "$WORK/sane.d" && echo test > "$WORK/sane.d/dll.conf" && cp /etc/sane.d/test.conf "$WORK/sane.d/"
SANE_CONFIG_DIR="$WORK/sane.d" "$PREFIX/bin/paginor" scan -o "$WORK/scan.bmp" >/dev/null
[ -s "$WORK/scan.bmp" ] || fail "the installed program scanned nothing"
mv "$ROOT/build.away" "$ROOT/build"
moved=

# The Debian package.
(cd build && cpack -G DEB -B "$WORK/deb" >/dev/null)
deb=$(ls "$WORK"/deb/paginor_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for need in libqt6widgets6 libqt6printsupport6 libcups2 libjpeg62-turbo libqpdf qt6-image-formats-plugins; do
  [[ "$depends" == *"$need"* ]] || fail "the package does not depend on $need (Depends: $depends)"
done
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/paginor ./usr/share/applications/$ID.desktop ./usr/share/metainfo/$ID.metainfo.xml \
         ./usr/share/paginor/help/Chooseatopic.html ./usr/lib/paginor/libpaginor_twaindsm.so; do
  grep -qF "$f" <<<"$contents" || fail "the package lacks $f"
done
echo "install: prefix, validators, installed run and package $(basename "$deb") checked"
