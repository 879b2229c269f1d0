#!/usr/bin/env bash
# Renders one 16-frame A4 page at 600 dpi from 16 photos of 4000 x 3000 with Lanczos3,
# to a JPEG at quality 95, with `paginor render`, with ImageMagick's montage and with
# libvips (thumbnail per photo, two at a time, then arrayjoin): warm-up, then the three
# in turn, medians of the elapsed times, the ratios to the targets, and peak memory.
# Beside them the floor: the photos decoded at the DCT scale the frames need with
# `djpeg -scale`, spread over the processors, plus `cjpeg` of the page, in the same run.
#
#   bench/render_bench.sh [BUILD_DIR] [RUNS] [a4|a3]     (defaults: build, 5, a4)
#
# a3: the A3 page at 1000 dpi (11693 x 16535 dots, a 580 MB page bitmap), without montage.
# PAGINOR=path runs another build of the program (an older one, for a before-and-after).
# vips, montage, djpeg/cjpeg and GNU time are installed with apt-get when missing.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${1:-build}
RUNS=${2:-5}
SIZE=${3:-a4}
PAGINOR=${PAGINOR:-$BUILD/paginor}
WORK=$(mktemp -d "${TMPDIR:-/tmp}/paginor-render-bench.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
DATA="$BUILD/bench-render-photos"

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
need /usr/bin/montage-im6.q16 imagemagick
need /usr/bin/time time
need /usr/bin/djpeg libjpeg-turbo-progs
[ -x "$PAGINOR" ] || { echo "bench: build $PAGINOR first (cmake --build $BUILD --target paginor)" >&2; exit 1; }
VIPS=/usr/bin/vips
MONTAGE=/usr/bin/montage-im6.q16
export QT_QPA_PLATFORM=offscreen
# A settings folder of the run's own: the user's stored settings must not change the page.
export XDG_CONFIG_HOME="$WORK/config"

# Photo-like pictures, each its own: blurred colour noise (detail at the pixel scale, as a
# camera's) over a gradient, saved as a camera would (quality 92, 4:2:0).
make_photos() {
  mkdir -p "$DATA"
  for i in $(seq 1 16); do
    [ -f "$DATA/photo$i.jpg" ] && continue
    echo "bench: making photo $i of 16"
    for band in r g b; do
      $VIPS gaussnoise "$WORK/$band.v" 4000 3000 --mean 128 --sigma 40 --seed $((i * 3 + ${#band}))
    done
    $VIPS bandjoin "$WORK/r.v $WORK/g.v $WORK/b.v" "$WORK/n.v"
    $VIPS gaussblur "$WORK/n.v" "$WORK/s.v" 1.2
    $VIPS linear "$WORK/s.v" "$WORK/c.v" "0.$((5 + i % 4)) 0.8 0.$((9 - i % 5))" "$((i * 7)) 20 $((60 - i * 2))"
    $VIPS cast "$WORK/c.v" "$WORK/u.v" uchar
    $VIPS jpegsave "$WORK/u.v" "$DATA/photo$i.jpg" --Q 92
    rm -f "$WORK"/*.v
  done
}
make_photos
PHOTOS=()
for i in $(seq 1 16); do PHOTOS+=("$DATA/photo$i.jpg"); done

if [ "$SIZE" = a3 ]; then
  PAGE_ARGS=(--dpi 1000 --printer-page 11693x16535 --printer-dpi 1000)
  TOOLS=(run_paginor run_vips)
else
  PAGE_ARGS=(--dpi 600 --printer-page 4960x7016 --printer-dpi 600)
  TOOLS=(run_paginor run_montage run_vips)
fi
RENDER=("$PAGINOR" render "${PAGE_ARGS[@]}"
        --set NumberOfFrames=16 --set Print_Image_Resample_USing=6 --set Quality=95)

# The page as paginor lays it out: the frame size and the gap come from its geometry line.
geometry=$("${RENDER[@]}" -o "$WORK/probe.jpg" --geometry "${PHOTOS[@]}" 2>/dev/null)
read -r PW PH L T R B < <(echo "$geometry" | sed -E \
  's/.*"width":([0-9]+),"height":([0-9]+).*"frame":1,"left":(-?[0-9]+),"top":([0-9]+),"right":([0-9]+),"bottom":([0-9]+).*/\1 \2 \3 \4 \5 \6/')
W=$((R - L)); H=$((B - T)); M=$T
echo "bench: page ${PW}x${PH}, frames ${W}x${H}, gap $M on each side; $(nproc) processors; $RUNS runs each"

# ImageMagick with room to work: its stock policy allows 256 MiB and would page to disk.
mkdir -p "$WORK/im"
cat >"$WORK/im/policy.xml" <<'POLICY'
<policymap>
  <policy domain="resource" name="memory" value="8GiB"/>
  <policy domain="resource" name="map" value="8GiB"/>
  <policy domain="resource" name="width" value="64KP"/>
  <policy domain="resource" name="height" value="64KP"/>
  <policy domain="resource" name="area" value="4GP"/>
  <policy domain="resource" name="disk" value="16GiB"/>
</policymap>
POLICY

run_paginor() { "${RENDER[@]}" -o "$WORK/paginor.jpg" "${PHOTOS[@]}"; }
run_montage() {
  MAGICK_CONFIGURE_PATH="$WORK/im" $MONTAGE -define jpeg:size=$((2 * W))x$((2 * H)) -filter Lanczos \
    -tile 4x4 -geometry "${W}x${H}+${M}+${M}" -background white -quality 95 "${PHOTOS[@]}" "$WORK/montage.jpg"
}
run_vips() {
  printf '%s\n' "${PHOTOS[@]}" | xargs -P 2 -I{} sh -c \
    'f="$1"; b=$(basename "$f" .jpg); '"$VIPS"' thumbnail "$f" "'"$WORK"'/t-$b.v" '"$W"' --height '"$H"' --size force' _ {}
  local tiles=()
  for i in $(seq 1 16); do tiles+=("$WORK/t-photo$i.v"); done
  $VIPS arrayjoin "${tiles[*]}" "$WORK/vips.jpg[Q=95]" --across 4 --shim $((2 * M)) --background 255
  rm -f "$WORK"/t-*.v
}
export -f run_paginor run_montage run_vips 2>/dev/null || true


# One timed run: "seconds peak-kilobytes".
timed() {
  /usr/bin/time -f '%e %M' -o "$WORK/time" bash -c "$(declare -f "$1"); $(declare -p RENDER PHOTOS WORK VIPS MONTAGE W H M SCALE 2>/dev/null); $1" \
    >/dev/null 2>"$WORK/err" || { echo "bench: $1 failed" >&2; cat "$WORK/err" >&2; exit 1; }
  cat "$WORK/time"
}
median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# The floor: the smallest DCT scale M/8 that still gives each photo the frame's pixels.
read -r IW IH < <(djpeg -fast -scale 1/8 "${PHOTOS[0]}" | head -c 20 | sed -n 2p)
IW=$((IW * 8)); IH=$((IH * 8))
SCALE=8
for m in 1 2 3 4 5 6 7 8; do
  if [ $((IW * m / 8)) -ge "$W" ] && [ $((IH * m / 8)) -ge "$H" ]; then SCALE=$m; break; fi
done
run_floor_decode() {
  printf '%s\n' "${PHOTOS[@]}" | xargs -P "$(nproc)" -I{} djpeg -scale "$SCALE/8" -outfile /dev/null {}
}
run_floor_encode() { cjpeg -quality 95 -sample 1x1 -outfile "$WORK/floor.jpg" "$WORK/page.ppm"; }
export SCALE
for f in "${TOOLS[@]}"; do timed $f >/dev/null; done # warm-up, page cache filled
djpeg -outfile "$WORK/page.ppm" "$WORK/paginor.jpg"
: >"$WORK/paginor.t"; : >"$WORK/montage.t"; : >"$WORK/vips.t"; : >"$WORK/floor.t"
for _ in $(seq 1 "$RUNS"); do
  for f in "${TOOLS[@]}"; do timed $f >>"$WORK/${f#run_}.t"; done
  d=$(timed run_floor_decode); e=$(timed run_floor_encode)
  echo "$d $e" | awk '{printf "%.2f %d\n", $1 + $3, ($2 > $4 ? $2 : $4)}' >>"$WORK/floor.t"
done

report() { # name file
  local t m
  [ -s "$2" ] || return 0
  t=$(cut -d' ' -f1 "$2" | median)
  m=$(cut -d' ' -f2 "$2" | sort -g | tail -n1)
  printf '%-9s median %6.2f s   peak %5d MB   (runs: %s)\n' "$1" "$t" $((m / 1024)) "$(cut -d' ' -f1 "$2" | tr '\n' ' ')"
}
echo "bench: the floor decodes at $SCALE/8 of ${IW}x${IH}"
report paginor "$WORK/paginor.t"
report montage "$WORK/montage.t"
report vips "$WORK/vips.t"
report floor "$WORK/floor.t"
tp=$(cut -d' ' -f1 "$WORK/paginor.t" | median)
tv=$(cut -d' ' -f1 "$WORK/vips.t" | median)
tf=$(cut -d' ' -f1 "$WORK/floor.t" | median)
mp=$(cut -d' ' -f2 "$WORK/paginor.t" | sort -g | tail -n1)
mv=$(cut -d' ' -f2 "$WORK/vips.t" | sort -g | tail -n1)
page_mb=$((PW * PH * 3 / 1048576))
awk -v p="$tp" -v v="$tv" -v f="$tf" -v mp="$mp" -v mv="$mv" -v page="$page_mb" 'BEGIN {
  printf "paginor / vips      %.2f\n", p / v
  printf "paginor / floor     %.2f\n", p / f
  printf "paginor peak        %d MB (vips %d MB; the page bitmap would be %d MB)\n", mp / 1024, mv / 1024, page
}'
if [ -s "$WORK/montage.t" ]; then
  tm=$(cut -d' ' -f1 "$WORK/montage.t" | median)
  awk -v p="$tp" -v m="$tm" 'BEGIN { printf "paginor / montage   %.2f\n", p / m }'
fi
