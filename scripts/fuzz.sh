#!/usr/bin/env bash
# Builds the fuzzers (clang, ASan + UBSan, in build-asan/) and runs each for
# SECONDS (default 300) on its seed corpus. Exits non-zero on any finding.
#
#   bash scripts/fuzz.sh [SECONDS]
set -euo pipefail
seconds="${1:-300}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
    echo "usage: bash scripts/fuzz.sh [SECONDS]" >&2
    exit 2
fi
STOMPVALE_NO_BUILD=1 source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
source "$STOMPVALE_SOURCE/scripts/sanitizers.sh"
stompvale_build_sanitized "${STOMPVALE_FUZZERS[@]/#/fuzz_}"
stompvale_fuzz "$seconds"
