#!/usr/bin/env bash
# Sets the machine up, builds, and starts Paginor.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec build/paginor "$@"
