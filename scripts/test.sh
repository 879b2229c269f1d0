#!/usr/bin/env bash
# Sets the machine up, builds, and runs every test; ends with ctest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

ROOT=$(pwd)
export XDG_RUNTIME_DIR="$ROOT/build/test-runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 0700 "$XDG_RUNTIME_DIR"

# The SANE test device, from a private configuration folder.
export SANE_CONFIG_DIR="$ROOT/build/sane.d"
mkdir -p "$SANE_CONFIG_DIR"
echo test > "$SANE_CONFIG_DIR/dll.conf"
cp /etc/sane.d/test.conf "$SANE_CONFIG_DIR/test.conf"

# An X server for the tests that need a real one (screenshots under Xvfb).
XVFB_PID=
if [ -z "${PAGINOR_XVFB_DISPLAY:-}" ]; then
  for n in $(seq 91 120); do
    if [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      XVFB_PID=$!
      export PAGINOR_XVFB_DISPLAY=":$n"
      break
    fi
  done
fi
cleanup() { [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true; }
trap cleanup EXIT

# Extra suites (fuzzing, sanitizer builds) run first so ctest's summary ends the output.
for extra in scripts/test.d/*.sh; do
  [ -e "$extra" ] || continue
  echo "== $extra"
  bash "$extra"
done

cd build
ctest --output-on-failure -j2 --timeout 900
