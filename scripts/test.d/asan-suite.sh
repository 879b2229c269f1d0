#!/usr/bin/env bash
# The whole test suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer
# (leaks included): any report fails the test it came from, and so this script. The build
# is kept in build-asan (ccache makes a rebuild cheap); the benchmarks are left out of it.
# The monkey (tests/app/monkey_test.cpp) gets a minute a seed here.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$(pwd)
B=build-asan
FLAGS="-O1 -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"

if ! grep -q -- "-fno-sanitize-recover=undefined" "$B/CMakeCache.txt" 2>/dev/null ||
   ! grep -q "PAGINOR_BENCH:BOOL=OFF" "$B/CMakeCache.txt"; then
  cmake -S . -B "$B" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPAGINOR_BENCH=OFF \
    -DCMAKE_C_FLAGS="$FLAGS" -DCMAKE_CXX_FLAGS="$FLAGS" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
fi
start=$(date +%s)
cmake --build "$B" | tail -n 1
echo "asan-suite: built in $(( $(date +%s) - start )) s"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export PAGINOR_MONKEY_SECONDS=${PAGINOR_MONKEY_SECONDS:-60}
status=0
cd "$B"
ctest -j2 --timeout 900 -E '^(twain_sane_test|main_window_system_sane)$' --output-on-failure >ctest.log 2>&1 || status=$?
# The monkey's seeds (the clock's one too) and how far each run got.
grep -h '^monkey: seed' Testing/Temporary/LastTest.log || true
# The SANE test backend's reader thread leaks, and the backend is unloaded (dlclose) at exit,
# so its frames have no names a suppression could match; the same holds for the backends of
# the machine's own SANE configuration that main_window_system_sane loads. Those two tests
# run without the leak check. Everything else they do is still checked.
ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0" ctest --timeout 900 -R '^(twain_sane_test|main_window_system_sane)$' --output-on-failure \
  >>ctest.log 2>&1 || status=$?
grep -E -A40 '(ERROR: (Address|Leak)Sanitizer|runtime error:)' ctest.log | head -n 400 || true
grep -E '(tests passed|tests failed|^\s+[0-9]+ - .*\((Failed|SEGFAULT|Subprocess aborted|Timeout|Exception|Subprocess killed)\))' ctest.log || true
exit "$status"
