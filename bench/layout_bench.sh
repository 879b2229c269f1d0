#!/bin/sh
# A page of 16 camera-sized JPEGs (6000 x 4000, the loading benchmark's pictures) saved
# as a layout file and loaded again, against zip -9 and unzip on the same files in the
# same run. Prints medians and the ratios: save / zip -9, and load / (unzip + the normal
# load step of the same files). The program also reports how far its memory rose during a
# save, beside the archive's size and the largest member's.
#
#   bench/layout_bench.sh [BUILD_DIR] [RUNS]      (defaults: build, 5)
set -eu

build=${1:-build}
runs=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
case $build in /*) ;; *) build=$root/$build ;; esac
data=$build/bench-data/loading-0.15
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for tool in zip unzip; do
    command -v $tool >/dev/null 2>&1 || {
        if [ "$(id -u)" = 0 ]; then apt-get install -y $tool >/dev/null; else sudo apt-get install -y $tool >/dev/null; fi
    }
done
command -v convert >/dev/null 2>&1 || { echo "needs ImageMagick's convert" >&2; exit 1; }
cmake --build "$build" --target paginor_layout_bench >/dev/null

mkdir -p "$data"
if [ ! -f "$data/photo16.jpg" ]; then
    echo "generating 16 JPEGs of 6000 x 4000 in $data" >&2
    convert -size 1500x1000 plasma:fractal -resize 6000x4000! -attenuate 0.15 +noise Gaussian "$data/base.ppm"
    i=1
    while [ $i -le 16 ]; do
        convert "$data/base.ppm" -modulate 100,$((80 + 2 * i)),$((90 + i)) -quality 92 "$data/photo$i.jpg"
        i=$((i + 1))
    done
    rm -f "$data/base.ppm"
fi
files=$(ls "$data"/photo*.jpg)
cat $files >/dev/null

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
now() { date +%s.%N; }

# The peers: the same 16 files (and a description) into a new archive at level 9, and
# the archive's members out again.
printf '#Paginor Layout File\r\n' > "$work/layout.vdt"
zip_times=""
unzip_times=""
r=0
while [ $r -lt "$runs" ]; do
    rm -f "$work/peer.zip"
    t0=$(now); zip -9 -j -q "$work/peer.zip" "$work/layout.vdt" $files; t1=$(now)
    zip_times="$zip_times $(echo "$t1 - $t0" | bc -l)"
    rm -rf "$work/out"
    t0=$(now); unzip -q -o "$work/peer.zip" -d "$work/out"; t1=$(now)
    unzip_times="$unzip_times $(echo "$t1 - $t0" | bc -l)"
    r=$((r + 1))
done
zip_s=$(echo $zip_times | tr ' ' '\n' | median)
unzip_s=$(echo $unzip_times | tr ' ' '\n' | median)

out=$("$build/bench/paginor_layout_bench" "$runs" "$work/page.zip" $files)
echo "$out"
load_s=$(echo "$out" | sed -n 's/^load step: \([0-9.]*\) s$/\1/p')
save_s=$(echo "$out" | sed -n 's/^save page: \([0-9.]*\) s$/\1/p')
reload_s=$(echo "$out" | sed -n 's/^load page: \([0-9.]*\) s$/\1/p')

printf 'zip -9: %.3f s   unzip: %.3f s   (medians of %d)\n' "$zip_s" "$unzip_s" "$runs"
printf 'archive sizes: page %s bytes, zip -9 %s bytes\n' "$(stat -c %s "$work/page.zip")" "$(stat -c %s "$work/peer.zip")"
printf 'save page / zip -9: %.2f (target at most 1.2)\n' "$(echo "$save_s / $zip_s" | bc -l)"
printf 'load page / (unzip + load step): %.2f (target at most 1.2)\n' "$(echo "$reload_s / ($unzip_s + $load_s)" | bc -l)"
printf 'load average: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
