#!/usr/bin/env bash
# Makes the user guide's screenshots anew from the real window: builds the screenshot
# program, runs it under a private Xvfb with a fixed set of generated photos, and writes
# the pictures into help/images. Commit what changed.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/build.ninja ] || scripts/setup.sh
cmake --build build --target help_shots
display=
for n in $(seq 121 160); do
  if [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
mkdir -p help/images
DISPLAY="$display" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 build/tests/help_shots help/images
