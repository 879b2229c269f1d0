#!/usr/bin/env bash
# Fuzzes the EXIF reader (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# for a bounded time on a seed corpus; any finding fails this script. Quick to repeat:
# the build and the seeds are kept in build-fuzz. PAGINOR_FUZZ_SECONDS changes the time.
set -euo pipefail
cd "$(dirname "$0")/../.."
B=build-fuzz
SECONDS_TO_RUN=${PAGINOR_FUZZ_SECONDS:-60}

if [ ! -f "$B/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$B" -G Ninja -DPAGINOR_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$B" --target exif_fuzz

# Seeds: a small JPEG with the usual camera tags in each byte order, one whose EXIF block
# follows a JFIF segment, one with a wrong TIFF magic number, and a bare header.
seeds="$B/exif-seeds"
if [ ! -f "$seeds/.done" ]; then
  rm -rf "$seeds" && mkdir -p "$seeds"
  tags=(-Make=Maker -Model="Model 1" -ModifyDate="2021:03:04 05:06:07"
        -DateTimeOriginal="2020:01:02 03:04:05" -CreateDate="2020:01:02 03:04:06"
        -ExposureTime=0.8 -FNumber=2.8 -ShutterSpeedValue=1/60 -ApertureValue=5.6
        -MaxApertureValue=2 -FocalLength=5.4 -Flash#=1 -MeteringMode#=5 -LightSource#=21
        -ResolutionUnit=inches -XResolution=300 -Copyright=C -Software=S -ImageDescription=D
        -SubjectDistance=2.5 -CompressedBitsPerPixel=4 -Orientation#=6)
  if command -v exiftool >/dev/null && command -v convert >/dev/null; then
    convert -size 4x4 xc:gray "$seeds/base.jpg"
    for order in II MM; do
      cp "$seeds/base.jpg" "$seeds/$order.jpg"
      exiftool -q -q -overwrite_original -JFIF:all= -ExifByteOrder=$order "${tags[@]}" "$seeds/$order.jpg"
    done
    cp "$seeds/base.jpg" "$seeds/jfif.jpg"
    exiftool -q -q -overwrite_original -Make=Maker "$seeds/jfif.jpg"
    # The magic number sits at offset 14.
    cp "$seeds/II.jpg" "$seeds/magic.jpg"
    printf '\x2b' | dd of="$seeds/magic.jpg" bs=1 seek=14 conv=notrunc status=none
    rm "$seeds/base.jpg"
  fi
  printf '\xff\xd8\xff\xe1\x00\x10Exif\x00\x00MM\x00\x2a\x00\x00\x00\x08\x00\x01\x01\x0f\x00\x02\x00\x00\x00\x06\x00\x00\x00\x1a\x00\x00\x00\x00Maker\x00' > "$seeds/tiny.jpg"
  touch "$seeds/.done"
fi

corpus="$B/exif-corpus"
artifacts="$B/exif-artifacts"
mkdir -p "$corpus" "$artifacts"
log="$B/exif-fuzz.log"
if ! "$B/fuzz/exif_fuzz" -max_total_time="$SECONDS_TO_RUN" -timeout=10 -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "$seeds" >"$log" 2>&1; then
  cat "$log"
  echo "exif-fuzz: the fuzzer found a fault; the input is in $artifacts" >&2
  exit 1
fi
grep -E '^(Done|stat::(number_of_executed_units|new_units_added|peak_rss_mb))' "$log"
