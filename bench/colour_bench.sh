#!/bin/sh
# The cost of converting a photo's colour profile to sRGB on load: one 6000 x 4000 JPEG,
# bare and carrying an Adobe RGB profile, decoded and written as BMP by `paginor edit`,
# against ImageMagick converting the profiled file to sRGB into the same BMP. Prints the
# best of three runs of each and the ratios.
#
#   bench/colour_bench.sh [BUILD_DIR]      (default: build)
set -eu

build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
case $build in /*) ;; *) build=$root/$build ;; esac
profiles=/usr/share/color/icc/colord
for tool in convert exiftool; do
    command -v $tool >/dev/null 2>&1 || { echo "needs $tool" >&2; exit 1; }
done
[ -f $profiles/AdobeRGB1998.icc ] || { echo "needs colord-data's profiles" >&2; exit 1; }
cmake --build "$build" --target paginor >/dev/null

data=$build/bench-data/colour
mkdir -p "$data"
if [ ! -f "$data/adobe.jpg" ]; then
    convert -size 1500x1000 plasma:fractal -resize 6000x4000! -attenuate 0.15 +noise Gaussian -quality 92 "$data/plain.jpg"
    exiftool -q "-icc_profile<=$profiles/AdobeRGB1998.icc" -o "$data/adobe.jpg" "$data/plain.jpg"
fi
export XDG_CONFIG_HOME="$data/config" # not the user's settings

best() { # best wall time of three runs of the command, in seconds
    b=
    for _ in 1 2 3; do
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        t=$(awk "BEGIN { print $(date +%s.%N) - $start }")
        if [ -z "$b" ] || awk "BEGIN { exit !($t < $b) }"; then b=$t; fi
    done
    echo "$b"
}

plain=$(best "$build/paginor" edit "$data/plain.jpg" -o "$data/out.bmp")
adobe=$(best "$build/paginor" edit "$data/adobe.jpg" -o "$data/out.bmp")
peer=$(best convert "$data/adobe.jpg" -profile $profiles/sRGB.icc "$data/peer.bmp")
echo "paginor, no profile:        ${plain} s"
echo "paginor, Adobe RGB to sRGB: ${adobe} s  ($(awk "BEGIN { printf \"%.2f\", $adobe / $plain }") x the bare file)"
echo "ImageMagick, the same:      ${peer} s  (paginor takes $(awk "BEGIN { printf \"%.2f\", $adobe / $peer }") x its time)"
