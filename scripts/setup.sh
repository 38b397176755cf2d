# Shared set-up of play.sh and test.sh (sourced, not run): installs the Debian
# packages that are missing, then configures and builds the game and its tests.
#
#   STOMPVALE_BUILD_DIR  build folder (default: build, beside the sources)
#   STOMPVALE_JOBS       parallel build jobs (default: all processors)
#   STOMPVALE_NO_BUILD   set to 1: install the packages only

STOMPVALE_SOURCE="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
STOMPVALE_BUILD="${STOMPVALE_BUILD_DIR:-$STOMPVALE_SOURCE/build}"

stompvale_packages=(
    build-essential cmake pkg-config
    libsdl2-dev libgif-dev libfreetype-dev libfontconfig-dev fonts-liberation
    libsndfile1-dev zlib1g-dev
    desktop-file-utils
    libgtest-dev xvfb xdotool x11-utils imagemagick
    clang libclang-rt-14-dev llvm
)

stompvale_install_packages() {
    local missing=() package
    for package in "${stompvale_packages[@]}"; do
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

stompvale_build() {
    local jobs="${STOMPVALE_JOBS:-$(nproc)}"
    cmake -S "$STOMPVALE_SOURCE" -B "$STOMPVALE_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$STOMPVALE_BUILD" -j"$jobs"
}

stompvale_install_packages
if [ "${STOMPVALE_NO_BUILD:-0}" != 1 ]; then
    stompvale_build
fi
