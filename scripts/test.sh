#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite. The
# end-to-end tests start their own X server, so no display is needed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$STOMPVALE_BUILD"
ctest --output-on-failure
