#!/usr/bin/env bash
# Fuzzes the EXIF reader and the details builder the way the decoders are fuzzed, from the
# seed corpus in fuzz/seeds/exif (camera tags in both byte orders, an EXIF block after a
# JFIF segment, a wrong TIFF magic number, a bare header, and what earlier runs found).
set -euo pipefail
cd "$(dirname "$0")/../.."
PAGINOR_FUZZERS=exif exec bash scripts/test.d/decoders-fuzz.sh
