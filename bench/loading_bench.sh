#!/bin/sh
# Loading 16 camera-sized JPEGs (6000 x 4000) into a 16-frame page, against djpeg fully
# decoding the same files. Prints the load time and its ratio to djpeg's, the floor (djpeg
# decoding the files at the frames' DCT scale on every core), the time to repaint the
# whole page, and the peak memory against the files' total size.
#
#   bench/loading_bench.sh [BUILD_DIR]      (default: build; RUNS rounds, default 5)
#
# NOISE (default 0.15) sets the grain of the generated pictures: 0.15 gives files of
# about the size a 24-megapixel camera writes at its finest quality; 0.4 gives very
# grainy ones (about 13 MB), where entropy decoding, which no scaling saves, dominates.
# ONLOAD=1 turns every other picture upright (jpegtran, lossless) and loads them with the
# on-load turn and fit switched on.
# ORIENT=1 tags the 16 files with EXIF orientations 2..8 (exiftool) and loads them, in the
# same run, against the same files with the tag removed; prints the ratio (target at most
# 1.1: turning the screen renditions upright must cost next to nothing).
# HEIC=1 instead loads a page of 16 phone-sized (4032 x 3024) HEIC files and one of 16
# JPEGs of the same pictures, and prints the HEIC page's peak memory against the JPEG
# page's (target at most 1.3). The HEIC files are made as phones make them: a grid of
# 512 x 512 HEVC tiles (8 x 6, the right and bottom ones cropped), written by
# bench/make_grid_heic.py. HEIC_SINGLE=1 loads instead files holding one 4032 x 3024 HEVC
# picture each (heif-enc's own output), for comparison.
set -eu

build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
case $build in /*) ;; *) build=$root/$build ;; esac
bench=$build/bench/paginor_loading_bench
noise=${NOISE:-0.15}
data=$build/bench-data/loading-$noise

if ! command -v djpeg >/dev/null 2>&1; then
    echo "installing libjpeg-turbo-progs for djpeg" >&2
    if [ "$(id -u)" = 0 ]; then apt-get install -y libjpeg-turbo-progs >/dev/null
    else sudo apt-get install -y libjpeg-turbo-progs >/dev/null; fi
fi
command -v convert >/dev/null 2>&1 || { echo "needs ImageMagick's convert" >&2; exit 1; }
cmake --build "$build" --target paginor_loading_bench >/dev/null

if [ "${HEIC:-0}" = 1 ]; then
    command -v heif-enc >/dev/null 2>&1 || { echo "needs heif-enc (libheif-examples)" >&2; exit 1; }
    command -v python3 >/dev/null 2>&1 || { echo "needs python3" >&2; exit 1; }
    if [ "${HEIC_SINGLE:-0}" = 1 ]; then
        phones=$build/bench-data/loading-heic
        kind="one HEVC picture each"
    else
        phones=$build/bench-data/loading-heic-grid
        kind="grids of 512 x 512 tiles"
    fi
    mkdir -p "$phones"
    if [ ! -f "$phones/photo16.heic" ]; then
        echo "generating 16 HEIC ($kind) and 16 JPEG files of 4032 x 3024 in $phones" >&2
        # 8 bits a channel, and a HEIC about the JPEG's size, as a phone writes them: the
        # pages then keep the same amount of compressed data, and the peaks compare decoding.
        convert -size 1008x756 plasma:fractal -resize 4032x3024! -attenuate "$noise" +noise Gaussian -depth 8 \
            "$phones/base.png"
        convert "$phones/base.png" -quality 92 "$phones/base.jpg"
        if [ "${HEIC_SINGLE:-0}" = 1 ]; then
            heif-enc -q 60 -o "$phones/base.heic" "$phones/base.png" >/dev/null
        else
            python3 "$here/make_grid_heic.py" --tile 512 --quality 60 "$phones/base.png" "$phones/base.heic"
        fi
        i=1
        while [ $i -le 16 ]; do
            cp "$phones/base.jpg" "$phones/photo$i.jpg"
            cp "$phones/base.heic" "$phones/photo$i.heic"
            i=$((i + 1))
        done
    fi
    peak() {
        out=$(QT_QPA_PLATFORM=offscreen "$bench" "$@" 2>&1) || {
            printf '%s\nloading bench failed on %s ...\n' "$out" "$1" >&2
            exit 1
        }
        mb=$(echo "$out" | sed -n 's/^peak memory: \([0-9.]*\) MB.*/\1/p')
        [ -n "$mb" ] || { printf '%s\nloading bench printed no peak memory for %s ...\n' "$out" "$1" >&2; exit 1; }
        echo "$mb"
    }
    jpeg_mb=$(peak "$phones"/photo[0-9]*.jpg)
    heic_mb=$(peak "$phones"/photo[0-9]*.heic)
    # Each page keeps its files' compressed data, so their sizes count in its peak.
    printf 'peak memory, 16 JPEGs of 4032 x 3024: %s MB (files: %s MB)\n' "$jpeg_mb" \
        "$(du -cm "$phones"/photo[0-9]*.jpg | tail -1 | cut -f1)"
    printf 'peak memory, 16 HEICs of the same pictures (%s): %s MB (files: %s MB)\n' "$kind" "$heic_mb" \
        "$(du -cm "$phones"/photo[0-9]*.heic | tail -1 | cut -f1)"
    printf 'HEIC / JPEG peak memory: %.2f (target at most 1.3)\n' "$(echo "$heic_mb / $jpeg_mb" | bc -l)"
    exit 0
fi

# Grainy pictures compress like photographs (several MB each), not like flat test cards.
mkdir -p "$data"
if [ ! -f "$data/photo16.jpg" ]; then
    echo "generating 16 JPEGs of 6000 x 4000 in $data" >&2
    convert -size 1500x1000 plasma:fractal -resize 6000x4000! -attenuate "$noise" +noise Gaussian "$data/base.ppm"
    i=1
    while [ $i -le 16 ]; do
        convert "$data/base.ppm" -modulate 100,$((80 + 2 * i)),$((90 + i)) -quality 92 "$data/photo$i.jpg"
        i=$((i + 1))
    done
    rm -f "$data/base.ppm"
fi
files=$(ls "$data"/photo*.jpg)
bench_args=
if [ "${ONLOAD:-0}" = 1 ]; then
    upright=$data-upright
    mkdir -p "$upright"
    if [ ! -f "$upright/photo16.jpg" ]; then
        for f in $files; do
            case $(basename "$f") in
            photo1.jpg | photo3.jpg | photo5.jpg | photo7.jpg | photo9.jpg | photo11.jpg | photo13.jpg | photo15.jpg)
                jpegtran -rotate 90 -outfile "$upright/$(basename "$f")" "$f" ;;
            *) cp "$f" "$upright/" ;;
            esac
        done
    fi
    files=$(ls "$upright"/photo*.jpg)
    bench_args=--on-load
fi
if [ "${ORIENT:-0}" = 1 ]; then
    command -v exiftool >/dev/null 2>&1 || { echo "needs exiftool" >&2; exit 1; }
    tagged=$data-oriented
    untagged=$data-untagged
    mkdir -p "$tagged" "$untagged"
    if [ ! -f "$untagged/photo16.jpg" ]; then
        i=1
        for f in $files; do
            cp "$f" "$tagged/"
            exiftool -q -q -overwrite_original -Orientation#=$((2 + i % 7)) "$tagged/$(basename "$f")"
            cp "$tagged/$(basename "$f")" "$untagged/"
            exiftool -q -q -overwrite_original -Orientation= "$untagged/$(basename "$f")"
            i=$((i + 1))
        done
    fi
    cat "$tagged"/*.jpg "$untagged"/*.jpg >/dev/null
    # Loads of each (RUNS, 7 unless set), taken in turn so both see the same machine; the
    # median of each counts, for the wall time until painted and for the CPU time of the
    # whole run (the wall time of a shared machine varies by half from run to run).
    runs=${RUNS:-7}
    median() { tr ' ' '\n' | grep . | sort -n | awk '{v[NR] = $1} END {print (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2}'; }
    run() {
        QT_QPA_PLATFORM=offscreen /usr/bin/time -f 'cpu: %U %S' "$bench" $(ls "$1"/photo*.jpg) 2>&1 |
            sed -n -e 's/^load until painted: \([0-9.]*\) s$/wall \1/p' -e 's/^cpu: \(.*\)/\1/p' |
            awk '/^wall/ {w = $2} !/^wall/ {c = $1 + $2} END {print w, c}'
    }
    tw= tc= uw= uc=
    i=0
    while [ $i -lt "$runs" ]; do
        set -- $(run "$untagged"); uw="$uw $1"; uc="$uc $2"
        set -- $(run "$tagged"); tw="$tw $1"; tc="$tc $2"
        i=$((i + 1))
    done
    tws=$(echo $tw | median) uws=$(echo $uw | median) tcs=$(echo $tc | median) ucs=$(echo $uc | median)
    printf 'load of 16 files tagged with orientations 2..8: %.3f s until painted, %.2f CPU s (runs:%s)\n' "$tws" "$tcs" "$tw"
    printf 'load of the same files without the tag:         %.3f s until painted, %.2f CPU s (runs:%s)\n' "$uws" "$ucs" "$uw"
    printf 'tagged / untagged: %.2f wall, %.2f CPU (target at most 1.1)\n' \
        "$(echo "$tws / $uws" | bc -l)" "$(echo "$tcs / $ucs" | bc -l)"
    printf 'load average: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
    exit 0
fi
total_mb=$(du -cm $files | tail -1 | cut -f1)

# Warm the page cache so both sides read from memory.
cat $files >/dev/null

# RUNS rounds (5 unless set), each timing djpeg, the loader and the floor in turn, so all
# three see the same machine; the medians count. Wall time is what the user waits for; CPU
# time is printed too, since on a machine shared with other work the wall time of both
# sides depends on what else runs.
# The floor: the same files decoded by djpeg at the DCT scale the frames take, as many at
# once as the machine has cores. The entropy decoding, which no scale saves, is most of a
# scaled decode, so no loader that reads every byte (as the load must, to refuse damaged
# files) gets below it.
runs=${RUNS:-5}
cores=$(nproc)
median() { tr ' ' '\n' | grep . | sort -n | awk '{v[NR] = $1} END {print (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2}'; }
now() { date +%s.%N; }
djpeg_t= load_t= floor_t= djpeg_c= load_c=
r=0
while [ $r -lt "$runs" ]; do
    start=$(now)
    cpu=$( { /usr/bin/time -f '%U %S' sh -c 'for f in "$@"; do djpeg -outfile /dev/null "$f"; done' sh $files; } 2>&1 | tail -1)
    end=$(now)
    djpeg_t="$djpeg_t $(echo "$end - $start" | bc -l)"
    djpeg_c="$djpeg_c $(echo "$cpu" | awk '{print $1 + $2}')"

    out=$( { QT_QPA_PLATFORM=offscreen /usr/bin/time -f 'cpu: %U %S' "$bench" $bench_args $files; } 2>&1)
    [ $r -eq 0 ] && echo "$out" | grep -v -e '^cpu:' -e XDG_RUNTIME_DIR -e '^load until painted' -e '^peak memory'
    load_t="$load_t $(echo "$out" | sed -n 's/^load until painted: \([0-9.]*\) s$/\1/p')"
    load_c="$load_c $(echo "$out" | sed -n 's/^cpu: //p' | awk '{print $1 + $2}')"
    peak=$(echo "$out" | sed -n 's/^peak memory: \([0-9.]*\) MB.*/\1/p')
    peak_mb=$(printf '%s\n%s\n' "${peak_mb:-0}" "$peak" | sort -n | tail -1)
    eighths=$(echo "$out" | sed -n 's|.*(DCT scale \([0-9]\)/8).*|\1|p')

    start=$(now)
    printf '%s\n' $files | xargs -P "$cores" -n 1 djpeg -scale "${eighths:-8}/8" -outfile /dev/null
    end=$(now)
    floor_t="$floor_t $(echo "$end - $start" | bc -l)"
    r=$((r + 1))
done
djpeg_s=$(echo $djpeg_t | median)
load_s=$(echo $load_t | median)
floor_s=$(echo $floor_t | median)

printf 'load until painted: %.3f s (runs:%s)\n' "$load_s" "$load_t"
printf 'djpeg full decode of the 16 files: %.3f s (runs:%s)\n' "$djpeg_s" "$djpeg_t"
printf 'floor, djpeg -scale %s/8 of the 16 files, %d at a time: %.3f s (runs:%s)\n' "${eighths:-8}" "$cores" "$floor_s" "$floor_t"
printf 'load / djpeg: %.2f (target at most 0.25); floor / djpeg: %.2f; load / floor: %.2f (medians of %d)\n' \
    "$(echo "$load_s / $djpeg_s" | bc -l)" "$(echo "$floor_s / $djpeg_s" | bc -l)" "$(echo "$load_s / $floor_s" | bc -l)" "$runs"
printf 'CPU seconds: loader %s (whole run, start-up included), djpeg %s (medians)\n' \
    "$(echo $load_c | median)" "$(echo $djpeg_c | median)"
printf 'load average: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
printf 'files: %d MB; peak memory limit 2 x files + 150 MB = %d MB\n' "$total_mb" $((2 * total_mb + 150))
printf 'peak memory: %s MB\n' "$peak_mb"
