#!/bin/sh
# The phone, web and camera decoders against the formats' own tools, on the same files in
# one run: a 12-megapixel HEIC against heif-convert (to PNG), once as one HEVC picture and
# once as phones write it (a grid of 512 x 512 tiles), a WebP against dwebp (to
# PPM), a JPEG XL against djxl (to PPM), and a camera RAW file with a full-size preview
# loaded by its preview against LibRaw's full develop (dcraw_emu, and the library here).
# Each time is the median of RUNS (default 5) runs of one process per decode; ratios are
# printed with their targets.
#
#   bench/decoders_bench.sh [BUILD_DIR]      (default: build)
set -eu

build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
case $build in /*) ;; *) build=$root/$build ;; esac
bench=$build/bench/paginor_decoders_bench
runs=${RUNS:-5}
data=$build/bench-data/decoders

for tool in python3 convert heif-enc heif-convert cwebp dwebp cjxl djxl dcraw_emu; do
    command -v $tool >/dev/null 2>&1 || { echo "needs $tool (scripts/setup.sh installs it)" >&2; exit 1; }
done
cmake --build "$build" --target paginor_decoders_bench >/dev/null

mkdir -p "$data"
if [ ! -f "$data/photo.dng" ] || [ ! -f "$data/grid.heic" ]; then
    echo "generating a 4032 x 3024 photo as HEIC, WebP, JPEG XL and DNG in $data" >&2
    convert -size 1008x756 plasma:fractal -resize 4032x3024! -attenuate 0.15 +noise Gaussian "$data/photo.png"
    heif-enc -q 85 -o "$data/photo.heic" "$data/photo.png" >/dev/null
    python3 "$here/make_grid_heic.py" --quality 85 "$data/photo.png" "$data/grid.heic"
    cwebp -quiet -q 85 "$data/photo.png" -o "$data/photo.webp"
    cjxl -d 1 "$data/photo.png" "$data/photo.jxl" >/dev/null 2>&1
    convert "$data/photo.png" -quality 92 "$data/preview.jpg"
    "$bench" --write-dng "$data/photo.dng" "$data/preview.jpg" 4032 3024
fi
out=$data/out
mkdir -p "$out"
cat "$data"/photo.* >/dev/null

# The median wall time of $runs runs of the command, in seconds.
median() {
    i=0
    : >"$out/times"
    while [ $i -lt "$runs" ]; do
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s.%N)
        echo "$end - $start" | bc -l >>"$out/times"
        i=$((i + 1))
    done
    sort -g "$out/times" | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'
}

row() { # name ours peer target peer-name
    printf '%-28s %7.3f s   %-30s %7.3f s   ratio %.2f (target at most %s)\n' "$1" "$2" "$5" "$3" \
        "$(echo "$2 / $3" | bc -l)" "$4"
}

heic=$(median "$bench" "$data/photo.heic")
heic_peer=$(median heif-convert "$data/photo.heic" "$out/heic.png")
grid=$(median "$bench" "$data/grid.heic")
grid_peer=$(median heif-convert "$data/grid.heic" "$out/grid.png")
webp=$(median "$bench" "$data/photo.webp")
webp_peer=$(median dwebp "$data/photo.webp" -ppm -o "$out/webp.ppm")
jxl=$(median "$bench" "$data/photo.jxl")
jxl_peer=$(median djxl "$data/photo.jxl" "$out/jxl.ppm")
raw=$(median "$bench" "$data/photo.dng")
develop=$(median "$bench" --develop "$data/photo.dng")
cp "$data/photo.dng" "$out/photo.dng"
raw_peer=$(median dcraw_emu -w -o 1 "$out/photo.dng")

echo "decoders on a 4032 x 3024 photo, median of $runs runs each (one process per decode)"
row "HEIC" "$heic" "$heic_peer" 1.1 "heif-convert to PNG"
row "HEIC, a grid of tiles" "$grid" "$grid_peer" 1.1 "heif-convert to PNG"
row "WebP" "$webp" "$webp_peer" 1.1 "dwebp to PPM"
row "JPEG XL" "$jxl" "$jxl_peer" 1.1 "djxl to PPM"
row "DNG by its preview" "$raw" "$raw_peer" 0.2 "dcraw_emu full develop"
row "DNG by its preview" "$raw" "$develop" 0.2 "LibRaw develop (in process)"
printf 'load average: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
