# Shared set-up of the scripts (sourced, not run): installs the Debian
# packages that the command needs and are missing, then builds what it needs.
#
#   STOMPVALE_COMMAND    play: the games and their data only; package: what
#                        the Debian package needs, built by package.sh itself;
#                        test (the default): everything, the test suite too
#   STOMPVALE_BUILD_DIR  build folder (default: build, beside the sources)
#   STOMPVALE_JOBS       parallel build jobs (default: all processors)
#   STOMPVALE_NO_BUILD   set to 1: install the packages only

STOMPVALE_SOURCE="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
STOMPVALE_BUILD="${STOMPVALE_BUILD_DIR:-$STOMPVALE_SOURCE/build}"
STOMPVALE_GAMES=(Stompvale_v1.6_1024x768 Stompvale_v1.6_FullScreen)

# What each command installs; the README's Dependencies says why each is there.
stompvale_packages_play=(
    build-essential cmake pkg-config
    libsdl2-dev libgif-dev libfreetype-dev libfontconfig-dev fonts-liberation
    libsndfile1-dev zlib1g-dev
)
stompvale_packages_package=(
    "${stompvale_packages_play[@]}"
    dpkg-dev file help2man appstream desktop-file-utils
    xvfb xdotool
)
stompvale_packages_test=(
    "${stompvale_packages_package[@]}"
    libgtest-dev x11-utils imagemagick
    clang libclang-rt-14-dev llvm
)

stompvale_install_packages() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "These packages are missing and installing them needs root: ${missing[*]}" >&2
            return 1
        fi
        as_root=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${as_root[@]}" apt-get update
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}"
}

# Everything, the test suite included (a folder the play command made had the
# tests switched off).
stompvale_build() {
    local jobs="${STOMPVALE_JOBS:-$(nproc)}"
    cmake -S "$STOMPVALE_SOURCE" -B "$STOMPVALE_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DSTOMPVALE_TESTS=ON
    cmake --build "$STOMPVALE_BUILD" -j"$jobs"
}

# The two games and their data. A new folder is made without the tests (they
# need GoogleTest, which the play command does not install); a folder the
# test command made keeps them.
stompvale_build_games() {
    local jobs="${STOMPVALE_JOBS:-$(nproc)}" options=()
    if [ ! -f "$STOMPVALE_BUILD/CMakeCache.txt" ]; then
        options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTOMPVALE_TESTS=OFF)
    fi
    cmake -S "$STOMPVALE_SOURCE" -B "$STOMPVALE_BUILD" "${options[@]}"
    cmake --build "$STOMPVALE_BUILD" -j"$jobs" --target "${STOMPVALE_GAMES[@]}" game_data
}

case "${STOMPVALE_COMMAND:-test}" in
play)
    stompvale_install_packages "${stompvale_packages_play[@]}"
    if [ "${STOMPVALE_NO_BUILD:-0}" != 1 ]; then
        stompvale_build_games
    fi
    ;;
package)
    stompvale_install_packages "${stompvale_packages_package[@]}"
    ;;
test)
    stompvale_install_packages "${stompvale_packages_test[@]}"
    if [ "${STOMPVALE_NO_BUILD:-0}" != 1 ]; then
        stompvale_build
    fi
    ;;
*)
    echo "STOMPVALE_COMMAND must be play, package or test, not '$STOMPVALE_COMMAND'" >&2
    return 2
    ;;
esac
