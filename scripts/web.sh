#!/usr/bin/env bash
# Builds the browser page into build-web/site/ (a static site: any web server
# can host it) and serves it on http://127.0.0.1:8080/. Installs Emscripten
# and builds the libraries from Debian's sources first when they are missing.
#
#   bash scripts/web.sh            build and serve
#   bash scripts/web.sh --build    build only
#
#   STOMPVALE_WEB_PORT  the port to serve on (default 8080)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/web_deps.sh"
web_main

site="$web_dir/site"
build="$web_dir/build"
web_say "building the page into $site"
emcmake cmake -S "$web_source_root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DSTOMPVALE_WEB_DEPS="$web_prefix" -DSTOMPVALE_SITE_DIR="$site" >"$web_dir/logs/configure.log" ||
    { cat "$web_dir/logs/configure.log" >&2; exit 1; }
cmake --build "$build" -j"$web_jobs" --target page frame_bench
web_say "the page: $(du -ch "$site"/stompvale.{wasm,data,js} | tail -n 1 | cut -f1) of wasm, data and script"

if [ "${1:-}" = "--build" ]; then
    exit 0
fi
port="${STOMPVALE_WEB_PORT:-8080}"
web_say "serving $site on http://127.0.0.1:$port/ (Ctrl+C stops)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site"
