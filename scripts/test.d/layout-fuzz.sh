#!/usr/bin/env bash
# Fuzzes the layout-file reader (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# for a bounded time: the description's text and whole archives. Any finding fails this
# script. The build and the seeds are kept in build-fuzz; PAGINOR_FUZZ_SECONDS changes the time.
set -euo pipefail
cd "$(dirname "$0")/../.."
B=build-fuzz
SECONDS_TO_RUN=${PAGINOR_FUZZ_SECONDS:-60}

if [ ! -f "$B/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$B" -G Ninja -DPAGINOR_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$B" --target layout_fuzz

# Seeds: a description with a copy, a caption holding the clone mark and a comma number,
# and archives holding one (with a picture member, a hostile name and a duplicate).
seeds="$B/layout-seeds"
if [ ! -f "$seeds/.done" ]; then
  rm -rf "$seeds" && mkdir -p "$seeds"
  printf '#Paginor Layout File\r\nFrames=4\r\nAR=1.33333337306976\r\nmargin=3\r\n1.jpg=a<Cloned_From>0\r\n3.jpg=b=c<Cloned_From>x<Cloned_From>0\r\n4.jpg=a<Cloned_From>1\r\n#End of file\r\n' > "$seeds/page.vdt"
  printf '#Paginor Layout File\r\nFrames=3\r\nAR=1,5\r\nmargin=2,5\r\n1.bmp=\r\n#End of file\r\n' > "$seeds/comma.vdt"
  python3 - "$seeds" <<'PY'
import sys, os, zipfile, warnings
warnings.simplefilter("ignore")  # the duplicate member is meant
d = sys.argv[1]
vdt = "#Paginor Layout File\r\nFrames=2\r\nAR=1.5\r\nmargin=3\r\n1.jpg=one<Cloned_From>0\r\n2.jpg=two<Cloned_From>1\r\n#End of file\r\n"
with zipfile.ZipFile(os.path.join(d, "page.zip"), "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("layout.vdt", vdt)
    z.writestr("1.jpg", b"\xff\xd8\xff\xd9" * 8)
with zipfile.ZipFile(os.path.join(d, "hostile.zip"), "w", zipfile.ZIP_STORED) as z:
    z.writestr("layout.vdt", vdt.replace("2.jpg=", "2.jpg/../x="))
    z.writestr("1.jpg", b"one")
    z.writestr("1.jpg", b"two")
    z.writestr("2.jpg/../x", b"out")
PY
  touch "$seeds/.done"
fi

corpus="$B/layout-corpus"
artifacts="$B/layout-artifacts"
mkdir -p "$corpus" "$artifacts"
log="$B/layout-fuzz.log"
if ! "$B/fuzz/layout_fuzz" -max_total_time="$SECONDS_TO_RUN" -timeout=10 -max_len=8192 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "$seeds" >"$log" 2>&1; then
  cat "$log"
  echo "layout-fuzz: the fuzzer found a fault; the input is in $artifacts" >&2
  exit 1
fi
grep -E '^(Done|stat::(number_of_executed_units|new_units_added|peak_rss_mb))' "$log"
