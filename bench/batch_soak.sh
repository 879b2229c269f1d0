#!/usr/bin/env bash
# Soak: batch printing from the main window (tb_print_next) of 50 and of 500 photos to
# the CUPS queue, and the peak memory of each run, from the kernel (VmHWM) and from GNU
# time. The memory of a batch must not grow with its length: the two peaks should be
# within 10 % of each other. Not part of CI: it sends dozens of jobs to the queue.
#
#   bench/batch_soak.sh [BUILD_DIR] [QUEUE] [FRAMES]     (defaults: build, PDF, 16)
#
# The photos are 25 distinct 2000 x 1500 JPEG files, linked under 500 names; with 16
# frames a page that is 4 and 32 jobs.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${1:-build}
QUEUE=${2:-PDF}
FRAMES=${3:-16}
SOAK="$BUILD/bench/paginor_batch_soak"
[ -x "$SOAK" ] || { echo "bench: build $SOAK first (cmake --build $BUILD --target paginor_batch_soak)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "bench: needs GNU time (apt-get install time)" >&2; exit 1; }
WORK=$(mktemp -d "${TMPDIR:-/tmp}/paginor-soak.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME="$WORK/config"

mkdir -p "$WORK/photos"
command -v convert >/dev/null || { echo "bench: needs ImageMagick's convert (apt-get install imagemagick)" >&2; exit 1; }
# Photo-like: blurred colour noise, each picture its own hue.
for i in $(seq 0 24); do
  convert -size 2000x1500 xc: +noise Random -blur 0x2 -modulate 100,100,$((i * 8)) -quality 90 \
    "$WORK/photos/src$(printf %02d "$i").jpg"
done
for i in $(seq 1 500); do
  ln "$WORK/photos/src$(printf %02d $(((i - 1) % 25))).jpg" "$WORK/photos/p$(printf %03d "$i").jpg"
done

run() {
  local n=$1
  local files=()
  for i in $(seq 1 "$n"); do files+=("$WORK/photos/p$(printf %03d "$i").jpg"); done
  /usr/bin/time -v -o "$WORK/time-$n" "$SOAK" "$QUEUE" "$FRAMES" "${files[@]}" >"$WORK/out-$n"
  local rss
  rss=$(awk -F: '/Maximum resident set size/ {gsub(/ /, "", $2); print $2}' "$WORK/time-$n")
  echo "$n files: $(cat "$WORK/out-$n"), time -v maximum RSS ${rss} KiB" >&2
  echo "$rss"
}

PEAK50=$(run 50)
PEAK500=$(run 500)
awk -v a="$PEAK50" -v b="$PEAK500" 'BEGIN {
  r = b / a
  printf "peak memory: 50 files %d KiB, 500 files %d KiB, ratio 500/50 = %.3f (%s)\n", a, b, r,
         (r <= 1.10 && r >= 0.90) ? "flat, within 10 %" : "NOT within 10 %"
}'
