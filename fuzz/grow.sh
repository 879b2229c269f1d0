#!/usr/bin/env bash
# Grows the seed corpora kept in fuzz/seeds: runs each named fuzz target for SECONDS from its
# corpus, then merges what the run found back into fuzz/seeds/<target> with -merge=1 (only
# inputs that reach new code are added). An input that made the target fail is kept in the
# corpus under crash-*, so every later run meets it again; the script then fails.
# Prints, per target: runs, edges before (the corpus alone) and after, inputs added.
#   fuzz/grow.sh SECONDS [target...]     (default: every target)
# The fuzzing build is the one scripts/test.d/fuzz.sh keeps in build-fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."
B=build-fuzz
SECONDS_TO_RUN=${1:?usage: fuzz/grow.sh SECONDS [target...]}
shift
TARGETS=${*:-exif layout settings pnm animator bmp jpeg nodes tcv modern}
kMaxCorpusBytes=$((2 * 1024 * 1024))

if [ ! -f "$B/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$B" -G Ninja -DPAGINOR_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
targets=()
for t in $TARGETS; do targets+=("${t}_fuzz"); done
cmake --build "$B" --target "${targets[@]}" >/dev/null

status=0
for t in $TARGETS; do
  seeds="fuzz/seeds/$t"
  work="$B/grow-$t"
  rm -rf "$work" && mkdir -p "$work/new" "$work/artifacts" "$seeds"
  maxLen=4096
  [ "$t" = layout ] && maxLen=8192
  log="$work/run.log"
  found=
  "$B/fuzz/${t}_fuzz" -max_total_time="$SECONDS_TO_RUN" -timeout=10 -max_len=$maxLen -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/new" "$seeds" >"$log" 2>&1 || found=1
  before=$(grep -m1 -oE 'INITED cov: [0-9]+' "$log" | grep -oE '[0-9]+$' || echo '?')
  after=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 | grep -oE '[0-9]+$' || echo '?')
  runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
  count=$(find "$seeds" -type f | wc -l)
  "$B/fuzz/${t}_fuzz" -merge=1 -max_len=$maxLen -rss_limit_mb=2048 "$seeds" "$work/new" >"$work/merge.log" 2>&1
  added=$(( $(find "$seeds" -type f | wc -l) - count ))
  for a in "$work"/artifacts/*; do
    [ -e "$a" ] || continue
    cp "$a" "$seeds/$(basename "$a")"
  done
  bytes=$(find "$seeds" -type f -printf '%s\n' | awk '{s+=$1} END {print s+0}')
  echo "$t: ${runs:-?} runs, edges $before before, $after after, $added inputs added," \
    "corpus $(find "$seeds" -type f | wc -l) files / $bytes bytes${found:+, FOUND A FAULT (see $log)}"
  if [ "$bytes" -gt "$kMaxCorpusBytes" ]; then
    echo "$t: the corpus is over 2 MB; minimise it (-merge=1 into an empty folder)" >&2
    status=1
  fi
  [ -n "$found" ] && status=1
done
exit $status
