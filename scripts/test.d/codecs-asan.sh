#!/usr/bin/env bash
# Runs the codec and load-step tests (every decoder on good, cut-off, corrupt and oversized files)
# under AddressSanitizer and UndefinedBehaviorSanitizer; any finding fails this script.
# The build is kept in build-asan, so a second run only rebuilds what changed.
set -euo pipefail
cd "$(dirname "$0")/../.."
B=build-asan
FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"

if [ ! -f "$B/build.ninja" ]; then
  cmake -S . -B "$B" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_FLAGS="$FLAGS" -DCMAKE_CXX_FLAGS="$FLAGS" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
fi
cmake --build "$B" --target imaging_codecs_test loading_test | tail -n 1

# Leaks inside the system's libraries (fontconfig, ImageMagick's module registry, Qt's
# plugin loader) are theirs and live as long as the process; ours are still reported.
cat > "$B/lsan.supp" <<'SUPP'
leak:libfontconfig
leak:libMagickCore
leak:libMagick++
leak:libQt6Core
leak:libQt6Gui
leak:libgomp
leak:libwmf
SUPP
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1
export LSAN_OPTIONS="suppressions=$PWD/$B/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
status=0
"$B/tests/imaging_codecs_test" --gtest_brief=1 >"$B/codecs-asan.log" 2>&1 || status=$?
# The load step decodes on worker threads: its tests run here too.
"$B/tests/loading_test" --gtest_brief=1 >>"$B/codecs-asan.log" 2>&1 || status=$?
# The libraries' own chatter about the broken test files is left out.
grep -v -e '^QTgaHandler' -e '^QBuffer::seek' -e '^TIFF' -e '^foo: ' -e '^libpng' "$B/codecs-asan.log" || true
exit "$status"
