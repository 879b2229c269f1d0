#!/usr/bin/env bash
# A tall scan (800 x 40000) on a one-frame A4 page at 300 dpi: `paginor render` against
# libvips resizing the same picture into the same frame height (the least work the page
# can take), peak memory and elapsed time of each, and their ratios. The page's memory
# must stay near the picture's and the page bitmap's, not the 6.4 GB of the picture
# padded to the frame's shape.
#
#   bench/tall_scan_bench.sh [BUILD_DIR]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
PAGINOR="$BUILD/paginor"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/paginor-tall-bench.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
[ -x "$PAGINOR" ] || { echo "bench: build $PAGINOR first" >&2; exit 1; }
[ -x /usr/bin/vips ] && [ -x /usr/bin/time ] || { echo "bench: needs vips (libvips-tools) and GNU time" >&2; exit 1; }
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$WORK/config"

python3 - "$WORK/tall.ppm" <<'PY'
import sys
w, h = 800, 40000
with open(sys.argv[1], "wb") as f:
    f.write(b"P6 %d %d 255\n" % (w, h))
    for y in range(h):
        f.write(bytes([(y // 40) % 256, 30, 200]) * w)
PY

measure() { /usr/bin/time -f "%e %M" -o "$WORK/t" "$@" >/dev/null 2>&1; cat "$WORK/t"; }
read -r pt pm < <(measure "$PAGINOR" render -o "$WORK/page.bmp" --set NumberOfFrames=1 \
  --printer-page 4960x7016 --printer-dpi 600 --dpi 300 "$WORK/tall.ppm")
# The frame is 2410 dots high at 300 dpi; vips shrinks the picture alone to that height.
read -r vt vm < <(measure /usr/bin/vips resize "$WORK/tall.ppm" "$WORK/vips.v" 0.06025)
echo "paginor render: ${pt} s, $((pm / 1024)) MB peak"
echo "vips resize:    ${vt} s, $((vm / 1024)) MB peak"
awk -v a="$pt" -v b="$vt" -v c="$pm" -v d="$vm" \
  'BEGIN { printf "ratio paginor/vips: time %.2f, memory %.2f\n", a / (b > 0 ? b : 0.01), c / d }'
