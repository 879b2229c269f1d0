#!/usr/bin/env bash
# Fuzzes the readers of tone curves (the node text and .tcv files) the way the decoders
# are fuzzed, 30 s each by default: the parsers are small. PAGINOR_CURVE_FUZZ_SECONDS
# changes the time.
set -euo pipefail
cd "$(dirname "$0")/../.."
PAGINOR_FUZZERS="nodes tcv" PAGINOR_FUZZ_SECONDS=${PAGINOR_CURVE_FUZZ_SECONDS:-30} \
  exec bash scripts/test.d/decoders-fuzz.sh
