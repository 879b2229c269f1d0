#!/usr/bin/env bash
# The monkey (tests/app/monkey_test.cpp) for longer than the test suite gives it:
#   bench/monkey.sh MINUTES [SEED]
# Runs the sanitizer build's monkey (build-asan, made by scripts/test.d/asan-suite.sh) when
# there is one, else the plain build's, at low priority; the seed comes from the clock unless
# given. Ends with the number of actions, or the seed and the last 50 actions of a failure.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
MINUTES=${1:?usage: bench/monkey.sh MINUTES [SEED]}
SEED=${2:-time}
exe=build-asan/tests/monkey_test
[ -x "$exe" ] || exe=build/tests/monkey_test
[ -x "$exe" ] || { echo "monkey: build the tests first (build-asan or build)" >&2; exit 2; }
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR=$(mktemp -d)
  chmod 0700 "$XDG_RUNTIME_DIR"
fi
echo "monkey: $exe for $MINUTES min"
exec nice -n 19 "$exe" --seed "$SEED" --seconds $((MINUTES * 60))
