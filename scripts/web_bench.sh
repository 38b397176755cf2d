#!/usr/bin/env bash
# The page's speed beside the native game's, measured in this one run:
#   - a whole 1023 x 768 frame with the Colossus in view: the frame benchmark
#     built for WebAssembly and run by Node, against the native one, taken in
#     turns three times (medians); aim within 2.0x the native time;
#   - the page at its title after a fresh load from a loopback server (median
#     of five, Chromium with an empty profile each time); aim under 2 s;
#   - the page's files (wasm, data, script) together; aim under 6 MB.
#
#   STOMPVALE_BUILD_DIR     the native build (default: build); its frame_bench
#                           is built if missing
#   STOMPVALE_BENCH_FRAMES  frames per view size (default 200)
set -euo pipefail
source_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
native="${STOMPVALE_BUILD_DIR:-$source_root/build}"
web_dir="${STOMPVALE_WEB_DIR:-$source_root/build-web}"
frames="${STOMPVALE_BENCH_FRAMES:-200}"

if [ ! -f "$native/CMakeCache.txt" ]; then
    echo "web_bench: no native build in $native: run scripts/play.sh or scripts/test.sh first" >&2
    exit 1
fi
cmake --build "$native" -j2 --target frame_bench >/dev/null
bash "$source_root/scripts/web.sh" --build
[ -d "$source_root/tests/web/node_modules" ] ||
    (cd "$source_root/tests/web" && npm ci --no-audit --no-fund --loglevel=error)

# The microseconds of the 1023 x 768 whole frame in one run's output.
frame_micros() {
    local line
    line="$("$@" --frames "$frames" | grep '^whole frame 1023x768')" || {
        echo "web_bench: no 1023x768 frame from $*" >&2
        return 1
    }
    sed -E 's/.*: ([0-9]+) us = .*/\1/' <<<"$line"
}
median3() { printf '%s\n' "$@" | sort -n | sed -n 2p; }

native_runs=() web_runs=()
for turn in 1 2 3; do
    native_runs+=("$(frame_micros "$native/bin/frame_bench")")
    web_runs+=("$(frame_micros node --no-experimental-fetch "$web_dir/build/bin/frame_bench.js")")
    echo "turn $turn: native ${native_runs[-1]} us, WebAssembly ${web_runs[-1]} us"
done
native_us="$(median3 "${native_runs[@]}")"
web_us="$(median3 "${web_runs[@]}")"
awk -v n="$native_us" -v w="$web_us" 'BEGIN {
    r = w / n
    printf "whole frame 1023x768 with the Colossus: WebAssembly %d us = %.2fx native %d us; aim within 2.0x: %s\n",
        w, r, n, (r <= 2.0 ? "met" : "not met")
}'

node "$source_root/tests/web/page_load_bench.mjs" "$web_dir/site" 5

bytes="$(stat -c %s "$web_dir/site"/stompvale.{wasm,data,js} | awk '{ s += $1 } END { print s }')"
awk -v b="$bytes" -v w="$(stat -c %s "$web_dir/site/stompvale.wasm")" \
    -v d="$(stat -c %s "$web_dir/site/stompvale.data")" -v j="$(stat -c %s "$web_dir/site/stompvale.js")" 'BEGIN {
    printf "the page'"'"'s files: %.2f MB (wasm %.2f, data %.2f, script %.2f); aim under 6 MB: %s\n",
        b / 1e6, w / 1e6, d / 1e6, j / 1e6, (b < 6e6 ? "met" : "not met")
}'
