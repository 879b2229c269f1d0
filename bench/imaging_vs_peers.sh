#!/usr/bin/env bash
# Times `paginor edit` against vips and ImageMagick's convert on the same uncompressed
# pictures, as whole processes: warm-up, then A B A B ... runs, medians, the ratio of
# the medians and the median of the pair-by-pair ratios, and each side's peak memory.
#
#   bench/imaging_vs_peers.sh [BUILD_DIR] [RUNS]     (defaults: build, 7)
#
# PAGINOR_EDIT may name the command to time instead (e.g. "build/paginor edit").
# vips and convert are installed with apt-get when missing; they are needed here only.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${1:-build}
RUNS=${2:-7}
WORK=$(mktemp -d "${TMPDIR:-/tmp}/paginor-bench.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
need() {
  local tool=$1 package=$2
  if [ ! -x "$tool" ]; then
    echo "bench: installing $package for the comparison"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$package" >/dev/null
  fi
}
need /usr/bin/vips libvips-tools
need /usr/bin/convert-im6.q16 imagemagick
need /usr/bin/time time
CONVERT=/usr/bin/convert-im6.q16
VIPS=/usr/bin/vips

# The command under test: the main program's subcommand when it has it, else the
# stand-alone driver built beside the benchmarks.
if [ -n "${PAGINOR_EDIT:-}" ]; then
  read -r -a EDIT <<<"$PAGINOR_EDIT"
elif [ -x "$BUILD/paginor" ] &&
  [[ $(QT_QPA_PLATFORM=offscreen timeout 10 "$BUILD/paginor" edit 2>&1 || true) == *"usage: paginor edit"* ]]; then
  EDIT=("$BUILD/paginor" edit)
else
  EDIT=("$BUILD/bench/paginor_edit")
fi
export QT_QPA_PLATFORM=offscreen
echo "bench: timing '${EDIT[*]}' on $(nproc) processors; $RUNS runs each after one warm-up"

# Photo-like test pictures: fractal noise has detail at every scale, like a photo.
echo "bench: making the test pictures"
$CONVERT -seed 7 -size 1500x1000 plasma:fractal -blur 0x1 "$WORK/small.ppm"
$CONVERT "$WORK/small.ppm" -filter Triangle -resize '6000x4000!' -seed 8 -attenuate 0.3 +noise Gaussian "$WORK/big.ppm"
printf '3 3 8 0\n-1 -1 -1\n-1 16 -1\n-1 -1 -1\n' >"$WORK/sharpen.mat"

# One timed run: prints "seconds peak-kilobytes"; fails the script if the command does.
timed() {
  /usr/bin/time -f '%e %M' -o "$WORK/time" "$@" >/dev/null 2>"$WORK/err" || {
    echo "bench: command failed: $*" >&2
    cat "$WORK/err" >&2
    exit 1
  }
  cat "$WORK/time"
}

median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# compare NAME TARGET -- A... -- B...: TARGET is the largest A/B ratio that meets the goal
# (e.g. 1.0 for "at most the peer's time", 0.25 for "4x faster").
compare() {
  local name=$1 target=$2
  shift 3
  local a=() b=()
  while [ "$1" != "--" ]; do a+=("$1"); shift; done
  shift
  b=("$@")
  timed "${a[@]}" >/dev/null
  timed "${b[@]}" >/dev/null
  : >"$WORK/a" && : >"$WORK/b" && : >"$WORK/r"
  for _ in $(seq "$RUNS"); do
    read -r ta ma < <(timed "${a[@]}")
    read -r tb mb < <(timed "${b[@]}")
    echo "$ta $ma" >>"$WORK/a"
    echo "$tb $mb" >>"$WORK/b"
    awk -v x="$ta" -v y="$tb" 'BEGIN {print (y > 0 ? x / y : 0)}' >>"$WORK/r"
  done
  local mta mtb mma mmb mr
  mta=$(cut -d' ' -f1 "$WORK/a" | median)
  mtb=$(cut -d' ' -f1 "$WORK/b" | median)
  mma=$(cut -d' ' -f2 "$WORK/a" | median)
  mmb=$(cut -d' ' -f2 "$WORK/b" | median)
  mr=$(median <"$WORK/r")
  awk -v n="$name" -v ta="$mta" -v tb="$mtb" -v ma="$mma" -v mb="$mmb" -v r="$mr" -v t="$target" 'BEGIN {
    verdict = t > 0 ? sprintf("target <= %.2f %s", t, (ta / tb <= t ? "met" : "MISSED")) : "(reading and writing only)"
    printf "%-38s paginor %6.3f s %5.0f MB | peer %6.3f s %5.0f MB | ratio %5.2f (pairs %5.2f) %s\n",
      n, ta, ma / 1024, tb, mb / 1024, ta / tb, r, verdict
  }'
}

E=("${EDIT[@]}")
B=$WORK/big.ppm
S=$WORK/small.ppm
O=$WORK/out
echo
# The floor under every case: the picture read and written, nothing done to it.
compare "no operation vs vips copy" 0 -- "${E[@]}" "$B" -o "$O.bmp" -- $VIPS copy "$B" "$O.ppm"
compare "shrink Lanczos3 vs vips" 1.0 -- "${E[@]}" "$B" -o "$O.bmp" --resample 1126x750:5 -- \
  $VIPS resize "$B" "$O.ppm" 0.1876666667 --vscale 0.1875 --kernel lanczos3 --gap 0
compare "shrink Mitchell vs vips" 1.0 -- "${E[@]}" "$B" -o "$O.bmp" --resample 1126x750:6 -- \
  $VIPS resize "$B" "$O.ppm" 0.1876666667 --vscale 0.1875 --kernel mitchell --gap 0
compare "shrink Triangle vs vips" 1.0 -- "${E[@]}" "$B" -o "$O.bmp" --resample 1126x750:1 -- \
  $VIPS resize "$B" "$O.ppm" 0.1876666667 --vscale 0.1875 --kernel linear --gap 0
compare "shrink Lanczos3 vs convert (4x faster)" 0.25 -- "${E[@]}" "$B" -o "$O.bmp" --resample 1126x750:5 -- \
  $CONVERT "$B" -filter Lanczos -resize '1126x750!' "$O.ppm"
compare "enlarge 4x Lanczos3 vs vips" 0.5 -- "${E[@]}" "$S" -o "$O.bmp" --resample 6000x4000:5 -- \
  $VIPS resize "$S" "$O.ppm" 4
compare "quarter turn vs vips rot d90" 1.0 -- "${E[@]}" "$B" -o "$O.bmp" --rotate 270 -- \
  $VIPS rot "$B" "$O.ppm" d90
compare "sharpen 3x3 vs vips conv integer" 0.5 -- "${E[@]}" "$B" -o "$O.bmp" --convolve 0 -- \
  $VIPS conv "$B" "$O.ppm" "$WORK/sharpen.mat" --precision integer
