#!/usr/bin/env bash
# Fuzzes the layout-file reader (the description's text and whole archives) the way the
# decoders are fuzzed, from the seed corpus in fuzz/seeds/layout (a description with a copy,
# a caption holding the clone mark and a comma number, archives with a picture member, a
# hostile name and a duplicate, and what earlier runs found).
set -euo pipefail
cd "$(dirname "$0")/../.."
PAGINOR_FUZZERS=layout exec bash scripts/test.d/decoders-fuzz.sh
