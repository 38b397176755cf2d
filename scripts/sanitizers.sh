# The sanitizer build (sourced by test.sh and fuzz.sh, after setup.sh): clang
# with AddressSanitizer and UndefinedBehaviorSanitizer in its own build folder,
# the unit tests run in it, and the fuzzers run on their corpora. Any finding
# fails: a sanitizer report aborts its program.
#
#   STOMPVALE_SANITIZE_DIR  build folder (default: build-asan, beside the sources)

STOMPVALE_SANITIZE_BUILD="${STOMPVALE_SANITIZE_DIR:-$STOMPVALE_SOURCE/build-asan}"
STOMPVALE_FUZZERS=(gif_picture history_text monster_name monster_build tag_reader width_file
    recorded_game controls_file settings_file stats_file sound_decoder monster_check)

# Leaks are reported, except the named ones inside system libraries.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$STOMPVALE_SOURCE/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# Configures the folder and builds the given targets; without any, the unit
# tests (with the programs they run) and the fuzzers, not the game itself.
stompvale_build_sanitized() {
    local jobs="${STOMPVALE_JOBS:-$(nproc)}" targets=()
    local target
    # -O1 and line tables: quick to build, and reports still name file and line.
    CC=clang CXX=clang++ cmake -S "$STOMPVALE_SOURCE" -B "$STOMPVALE_SANITIZE_BUILD" \
        -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
        -DCMAKE_C_FLAGS_DEBUG="-O1 -gline-tables-only" -DSTOMPVALE_FUZZ=ON -DSTOMPVALE_E2E=OFF
    local wanted=("$@")
    if [ ${#wanted[@]} -eq 0 ]; then
        mapfile -t wanted < <(cmake --build "$STOMPVALE_SANITIZE_BUILD" --target help |
            sed -n 's/^\.\.\. \(test_[a-z_]*\|fuzz_[a-z_]*\)$/\1/p')
    fi
    for target in "${wanted[@]}"; do targets+=(--target "$target"); done
    cmake --build "$STOMPVALE_SANITIZE_BUILD" -j"$jobs" "${targets[@]}"
}

# The unit tests of the sanitizer build (it builds no end-to-end tests).
stompvale_sanitized_tests() {
    (cd "$STOMPVALE_SANITIZE_BUILD" && ctest --output-on-failure -j"${STOMPVALE_JOBS:-$(nproc)}")
}

# Runs every fuzzer for the given seconds on its committed seeds and the inputs
# it found before (kept in the build folder). Fails when any finds something;
# the input that shows it lands in build-asan/fuzz/findings/.
stompvale_fuzz() {
    local seconds="$1" name failed=()
    local out="$STOMPVALE_SANITIZE_BUILD/fuzz"
    mkdir -p "$out/findings"
    for name in "${STOMPVALE_FUZZERS[@]}"; do
        local found="$out/corpus/$name" seeds="$STOMPVALE_SOURCE/fuzz/corpus/$name"
        local limit=512
        local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048
            -print_final_stats=1 -artifact_prefix="$out/findings/$name-")
        mkdir -p "$found"
        if [ -f "$STOMPVALE_SOURCE/fuzz/$name.dict" ]; then
            options+=(-dict="$STOMPVALE_SOURCE/fuzz/$name.dict")
        fi
        # The loader must never reserve memory for a size its data cannot
        # hold: 16 kB of data stand for at most 40 million pixels.
        if [ "$name" = gif_picture ]; then
            options+=(-max_len=16384)
            limit=128
        fi
        options+=(-malloc_limit_mb="$limit")
        echo "== fuzz_$name for ${seconds} s"
        if ! "$out/fuzz_$name" "${options[@]}" "$found" "$seeds" >"$out/$name.log" 2>&1; then
            failed+=("$name")
            tail -n 60 "$out/$name.log"
        fi
        grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done)' "$out/$name.log" || true
    done
    if [ ${#failed[@]} -ne 0 ]; then
        echo "Fuzzers with findings: ${failed[*]} (inputs in $out/findings)" >&2
        return 1
    fi
}
