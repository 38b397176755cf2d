#!/usr/bin/env bash
# Builds the Debian package, stompvale_VERSION-1_ARCH.deb, in the build
# folder: a Release build without the tests in build-pkg/ unless --build names
# a folder that is already configured (the test command's). With --check it
# then installs the package, starts the game from its desktop entry and
# removes it again (tests/packaging/check.sh).
#
#   bash scripts/package.sh [--check] [--build FOLDER]
set -euo pipefail
check=0 folder=""
while [ $# -gt 0 ]; do
    case "$1" in
    --check) check=1 ;;
    --build)
        [ $# -ge 2 ] || { echo "package.sh: --build needs a folder" >&2; exit 2; }
        folder="$2"
        shift
        ;;
    -h | --help)
        sed -n '2,8s/^# \{0,1\}//p' "${BASH_SOURCE[0]}"
        exit 0
        ;;
    *)
        echo "package.sh: unknown argument $1 (try --help)" >&2
        exit 2
        ;;
    esac
    shift
done

STOMPVALE_COMMAND=package source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
folder="${folder:-$STOMPVALE_SOURCE/build-pkg}"
jobs="${STOMPVALE_JOBS:-$(nproc)}"

if [ -f "$folder/CMakeCache.txt" ]; then
    cmake "$folder" >/dev/null # brings the package's settings up to date
else
    cmake -S "$STOMPVALE_SOURCE" -B "$folder" -DCMAKE_BUILD_TYPE=Release \
        -DSTOMPVALE_TESTS=OFF >/dev/null
fi
cmake --build "$folder" -j"$jobs" --target package_files
if [ ! -f "$folder/man/stompvale.6.gz" ]; then
    echo "package.sh: no manual pages in $folder/man (is help2man installed?)" >&2
    exit 1
fi

log="$folder/cpack.log"
if ! (cd "$folder" && cpack -G DEB) >"$log" 2>&1; then
    cat "$log" >&2
    exit 1
fi
deb="$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' "$log")"
if [ ! -f "$deb" ]; then
    cat "$log" >&2
    echo "package.sh: cpack named no package" >&2
    exit 1
fi
echo "Package: $deb ($(du -k "$deb" | cut -f1) kB)"
dpkg-deb --field "$deb" Package Version Architecture Depends

if [ "$check" = 1 ]; then
    bash "$STOMPVALE_SOURCE/tests/packaging/check.sh" "$deb"
fi
