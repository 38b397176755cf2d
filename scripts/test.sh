#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite. The
# end-to-end tests start their own X server, so no display is needed. Then the
# sanitizer build: the unit tests again under ASan and UBSan, each fuzzer for
# 30 seconds (STOMPVALE_FUZZ_SECONDS), and the soak for 20,000 frames. Then
# the browser page, built with Emscripten and played in Chromium beside the
# native game. Last, the Debian package is built, installed, started and
# removed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
(cd "$STOMPVALE_BUILD" && ctest --output-on-failure)

source "$STOMPVALE_SOURCE/scripts/sanitizers.sh"
stompvale_build_sanitized
stompvale_sanitized_tests
stompvale_fuzz "${STOMPVALE_FUZZ_SECONDS:-30}"

STOMPVALE_BUILD_DIR="$STOMPVALE_BUILD" bash "$STOMPVALE_SOURCE/scripts/web_test.sh"

# The Debian package from the test build's programs: installed, started from
# its desktop entry, and removed again.
bash "$STOMPVALE_SOURCE/scripts/package.sh" --check --build "$STOMPVALE_BUILD"
