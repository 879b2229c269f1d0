#!/usr/bin/env bash
# Fuzzes what reads outside input: the decoders this program owns (binary netpbm, Autodesk
# Animator, the bitmap checks in front of Qt's BMP reader, the JPEG header checks and
# decoders, the glue around the HEIF, WebP, JPEG XL and camera RAW libraries), the EXIF
# reader, layout archives, the settings file's values and the tone curves' node text and
# .tcv files, each for a bounded time (clang, libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) from the seed corpus kept in fuzz/seeds/<name>, so each run
# starts where the earlier ones got to (fuzz/grow.sh adds what a long run finds). The
# fuzzers run one per core at a time, each on one core as before. Any finding fails this
# script. The build and what this run found are kept in build-fuzz.
# PAGINOR_FUZZ_SECONDS changes the time of each (the curve parsers are small: they get half);
# PAGINOR_FUZZERS picks some of them.
set -euo pipefail
cd "$(dirname "$0")/../.."
B=build-fuzz
SECONDS_TO_RUN=${PAGINOR_FUZZ_SECONDS:-60}
FUZZERS=${PAGINOR_FUZZERS:-pnm animator bmp jpeg settings modern exif layout nodes tcv}
AT_ONCE=$(nproc)

if [ ! -f "$B/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$B" -G Ninja -DPAGINOR_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
targets=()
for f in $FUZZERS; do targets+=("${f}_fuzz"); done
cmake --build "$B" --target "${targets[@]}"

# Runs one fuzzer; prints its summary line, or its log and the finding.
fuzz_one() {
  local f=$1
  local corpus="$B/$f-corpus" artifacts="$B/$f-artifacts" log="$B/$f-fuzz.log"
  mkdir -p "$corpus" "$artifacts"
  # Decoded pictures are kept small so that the time goes into the parsing; a 4 KB input
  # may still announce pictures of millions of pixels, which the size checks must meet.
  # Layout archives get 8 KB: a ZIP's headers and directory alone take a few hundred bytes.
  local maxLen=4096 seconds=$SECONDS_TO_RUN
  [ "$f" = layout ] && maxLen=8192
  case $f in nodes|tcv) seconds=$(( (SECONDS_TO_RUN + 1) / 2 )) ;; esac
  if "$B/fuzz/${f}_fuzz" -max_total_time="$seconds" -timeout=10 -max_len=$maxLen -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "fuzz/seeds/$f" >"$log" 2>&1; then
    echo "$f-fuzz: $(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}') runs," \
      "$(grep -oE 'cov: [0-9]+' "$log" | tail -1) edges, no findings"
  else
    cat "$log"
    echo "$f-fuzz: the fuzzer found a fault; the input is in $artifacts" >&2
    return 1
  fi
}

failed=0
running=0
for f in $FUZZERS; do
  if [ "$running" -ge "$AT_ONCE" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
  fuzz_one "$f" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
exit $failed
