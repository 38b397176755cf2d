#!/usr/bin/env bash
# The browser page's tests: builds the page (scripts/web.sh --build), takes
# puppeteer-core from the committed lock file, and drives Debian's Chromium
# against the native test build's game. The test command runs it last but
# one; alone, it needs that build first.
#
#   STOMPVALE_BUILD_DIR  the native test build (default: build)
set -euo pipefail
source_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
native="${STOMPVALE_BUILD_DIR:-$source_root/build}"
for program in tests/web_native_game bin/Stompvale_v1.6_1024x768; do
    if [ ! -x "$native/$program" ]; then
        echo "web_test: $native/$program is missing: run scripts/test.sh (or build it) first" >&2
        exit 1
    fi
done
if ! command -v node >/dev/null || ! command -v npm >/dev/null || ! command -v chromium >/dev/null; then
    missing=(chromium)
    command -v node >/dev/null || missing+=(nodejs)
    command -v npm >/dev/null || missing+=(npm)
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

bash "$source_root/scripts/web.sh" --build
(cd "$source_root/tests/web" && npm ci --no-audit --no-fund --loglevel=error)
node "$source_root/tests/web/page_test.mjs" "${STOMPVALE_WEB_DIR:-$source_root/build-web}/site" \
    "$native/tests/web_native_game" "$native/bin/Stompvale_v1.6_1024x768" "$native/bin"
