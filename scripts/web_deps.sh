#!/usr/bin/env bash
# The browser build's libraries, built with Emscripten from Debian's own
# source packages into one prefix: build-web/deps/{include,lib,lib/pkgconfig}.
# Emscripten's ports would download at build time, which we never do.
#
#   zlib      PNG writing and recordings
#   FreeType  fonts; no HarfBuzz, PNG, bzip2 or Brotli behind it
#   giflib    writing pictures (reading is our own decoder)
#   SDL2      static, no threads; Emscripten video, audio and joystick
#   libogg, libvorbis (vorbisfile)  the game's Ogg Vorbis sounds
#
# Sound without libsndfile: its CMake build takes external codecs only all
# together (FLAC, Ogg, Vorbis with its encoder, and Opus), and it links every
# format it knows, while the game's sounds are all Ogg Vorbis. Measured, that
# chain made the page's .wasm 1 MB larger (2.1 MB against 1.1 MB) and decoded
# the game's sounds to exactly the samples that vorbisfile behind the same
# decoder seam (audio/decoder_vorbis.cpp) gives, which is what this builds.
#
# Each library is built once per Debian version (a stamp in deps/stamps/); a
# second run only checks and takes seconds. Run as root on Debian 12 (apt is
# needed only while something is missing), or source it and call
# web_main (which sets -euo pipefail in the shell that sources it).
#
#   STOMPVALE_WEB_DIR   where sources/, src/ and deps/ go (default: build-web)
#   STOMPVALE_JOBS      parallel build jobs (default: 2)
set -euo pipefail

web_source_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
web_dir="${STOMPVALE_WEB_DIR:-$web_source_root/build-web}"
web_sources="$web_dir/sources" # Debian's .dsc and tarballs, as downloaded
web_src="$web_dir/src"         # unpacked, one folder per version
web_prefix="$web_dir/deps"
web_jobs="${STOMPVALE_JOBS:-2}"
web_apt_updated=0

# emcc's JavaScript optimizer needs Debian's acorn.
export NODE_PATH=/usr/share/nodejs

# On stderr: functions whose output is captured print their messages too.
web_say() { printf 'web_deps: %s\n' "$*" >&2; }

web_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "web_deps: this needs root: $*" >&2
        return 1
    fi
}

web_apt_update() {
    if [ "$web_apt_updated" -eq 0 ]; then
        web_as_root apt-get update -qq >&2
        web_apt_updated=1
    fi
}

web_install_tools() {
    local missing=() package
    for package in emscripten dpkg-dev python3 cmake make pkg-config xz-utils fonts-liberation; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    web_say "installing ${missing[*]}"
    web_apt_update
    web_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >&2
}

# True when apt already has an enabled deb-src entry anywhere.
web_has_deb_src() {
    local file
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] && grep -Eq '^[[:space:]]*deb-src[[:space:]]' "$file" && return 0
    done
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        awk 'BEGIN { RS = ""; found = 1 }
             /(^|\n)Types:[^\n]*deb-src/ && !/(^|\n)Enabled:[[:space:]]*no/ { found = 0 }
             END { exit found }' "$file" && return 0
    done
    return 1
}

# One-line entries of Debian's archive (what follows "deb") as deb-src
# stanzas, their signing key and architectures kept.
web_list_to_deb822() {
    awk '{
        n = split($0, w, " "); i = 1; extra = ""
        if (w[1] ~ /^\[/) {
            for (; i <= n; i++) {
                option = w[i]; gsub(/[][]/, "", option)
                if (option ~ /^signed-by=/) extra = extra "Signed-By: " substr(option, 11) "\n"
                if (option ~ /^arch=/) extra = extra "Architectures: " substr(option, 6) "\n"
                if (w[i] ~ /\]$/) { i++; break }
            }
        }
        components = ""
        for (j = i + 2; j <= n; j++) components = components (components == "" ? "" : " ") w[j]
        if (w[i] ~ /\/debian(-security)?\/?$/)
            printf "Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\n%s\n", w[i], w[i + 1], components, extra
    }'
}

# deb-src twins of the machine's enabled entries of Debian's archive (other
# archives may have no sources), in one file of our own, taken away again if
# apt cannot use it.
web_add_deb_src() {
    web_has_deb_src && return 0
    local target=/etc/apt/sources.list.d/stompvale-deb-src.sources file entries=""
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        entries+="$(awk 'BEGIN { RS = ""; ORS = "\n\n" }
            /(^|\n)Types:[^\n]*(^|[[:space:]])deb([[:space:]]|$)/ && !/(^|\n)Enabled:[[:space:]]*no/ &&
            /(^|\n)URIs:[^\n]*\/debian(-security)?\/?([[:space:]]|$)/ {
                n = split($0, lines, "\n"); out = ""
                for (i = 1; i <= n; i++) {
                    if (lines[i] ~ /^#/) continue
                    if (lines[i] ~ /^Types:/) lines[i] = "Types: deb-src"
                    out = out lines[i] "\n"
                }
                printf "%s\n", out
            }' "$file")"$'\n\n'
    done
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        entries+="$(sed -n 's/^[[:space:]]*deb[[:space:]]\+\(.*\)$/\1/p' "$file" | web_list_to_deb822)"$'\n\n'
    done
    if [ -z "${entries//[[:space:]]/}" ]; then
        echo "web_deps: no Debian deb entry in /etc/apt to make a deb-src entry from" >&2
        return 1
    fi
    web_say "adding $target"
    printf '%s' "$entries" | cat -s | web_as_root tee "$target" >/dev/null
    if ! web_as_root apt-get update -qq >&2; then
        echo "web_deps: apt cannot use $target; it is taken away again" >&2
        web_as_root rm -f "$target"
        web_as_root apt-get update -qq >&2 || true
        return 1
    fi
    web_apt_updated=1
}

# The versions of source package $1 that apt knows, newest first.
web_versions() {
    apt-cache showsrc --only-source "$1" 2>/dev/null | sed -n 's/^Version: //p' |
        sort -u | sort -rV || true
}

# Prints the version of source package $1 whose files are in sources/: the
# newest that is there or can be downloaded (a mirror may list a security
# update whose files it does not serve).
web_fetch() {
    local name="$1" versions version file
    versions="$(web_versions "$name")"
    if [ -z "$versions" ]; then
        web_add_deb_src
        web_apt_update
        versions="$(web_versions "$name")"
    fi
    if [ -z "$versions" ]; then
        echo "web_deps: apt has no source package $name" >&2
        return 1
    fi
    mkdir -p "$web_sources"
    for version in $versions; do
        file="$web_sources/${name}_${version#*:}.dsc"
        if [ -f "$file" ] && [ -f "$file.complete" ]; then
            printf '%s\n' "$version"
            return 0
        fi
        if (cd "$web_sources" && apt-get source --download-only -qq "$name=$version") \
            >"$web_dir/logs/fetch-$name.log" 2>&1; then
            touch "$file.complete"
            web_say "downloaded $name $version"
            printf '%s\n' "$version"
            return 0
        fi
        rm -f "$file"
    done
    echo "web_deps: no version of $name could be downloaded; $web_dir/logs/fetch-$name.log:" >&2
    cat "$web_dir/logs/fetch-$name.log" >&2
    return 1
}

# Unpacks source package $1 of version $2 (patches applied); prints its folder.
web_unpack() {
    local name="$1" version="${2#*:}" folder
    folder="$web_src/$name-$version"
    if [ ! -f "$folder/.unpacked" ]; then
        rm -rf "$folder"
        mkdir -p "$web_src"
        dpkg-source --no-check -x "$web_sources/${name}_${version}.dsc" "$folder" >/dev/null
        rm -f "$web_src"/*.tar.* "$web_src"/*.asc # copies of what sources/ has
        touch "$folder/.unpacked"
    fi
    printf '%s\n' "$folder"
}

web_stamp() { printf '%s/stamps/%s' "$web_prefix" "$1"; }

# What a library's stamp holds: its Debian version, and a digest of how it is
# built here, so that a changed recipe builds it again.
web_stamp_text() {
    printf '%s %s\n' "$2" "$(declare -f "web_build_$1" web_cmake | sha1sum | cut -c1-12)"
}

# Builds library $1 (source package $2) with web_build_$1 unless the stamp
# says this version is in the prefix already; reports time and size.
web_library() {
    local lib="$1" package="$2" version folder stamp start seconds
    version="$(web_fetch "$package")"
    stamp="$(web_stamp "$lib")"
    if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$(web_stamp_text "$lib" "$version")" ]; then
        web_say "$lib $version is built"
        return 0
    fi
    folder="$(web_unpack "$package" "$version")"
    web_say "building $lib $version"
    start=$(date +%s)
    touch "$web_dir/logs/$lib.start"
    rm -rf "$folder/web-build"
    "web_build_$lib" "$folder" >"$web_dir/logs/$lib.log" 2>&1 || {
        echo "web_deps: $lib failed; the end of $web_dir/logs/$lib.log:" >&2
        tail -n 30 "$web_dir/logs/$lib.log" >&2
        return 1
    }
    seconds=$(($(date +%s) - start))
    mkdir -p "$(dirname "$stamp")"
    web_stamp_text "$lib" "$version" >"$stamp"
    web_say "$lib $version built in ${seconds}s: $(web_archives_since "$web_dir/logs/$lib.start")"
}

# The archives installed since file $1 was touched, with their sizes.
web_archives_since() {
    find "$web_prefix/lib" -name '*.a' -newer "$1" -printf '%f %s bytes\n' | sort | paste -sd ',' |
        sed 's/,/, /g'
}

web_cmake() {
    local folder="$1"
    shift
    # Configure checks run their programs under node. emcmake's own choice
    # passes an option that node 20 refuses, and this Emscripten's loader
    # takes node 18's fetch for a browser's and fails to read its .wasm: every
    # size check would fail.
    emcmake cmake -S "$folder" -B "$folder/web-build" -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node);--no-experimental-fetch" -DCMAKE_INSTALL_PREFIX="$web_prefix" -DCMAKE_PREFIX_PATH="$web_prefix" \
        -DCMAKE_FIND_ROOT_PATH="$web_prefix" -DBUILD_SHARED_LIBS=OFF \
        -DCMAKE_C_FLAGS_MINSIZEREL="-Oz -DNDEBUG" "$@"
    cmake --build "$folder/web-build" -j"$web_jobs"
    cmake --install "$folder/web-build"
}

web_build_zlib() {
    local folder="$1"
    # zlib's own configure knows Emscripten's emcc; static only.
    (cd "$folder" && CFLAGS="-Oz" emconfigure ./configure --static --prefix="$web_prefix" &&
        emmake make -j"$web_jobs" libz.a && emmake make install)
}

web_build_freetype() {
    # TrueType alone (the page ships its fonts as .ttf): the other drivers
    # would add 180 kB to the page. Hinting and rendering as natively.
    cat >"$1/include/freetype/config/ftmodule.h" <<'EOF'
FT_USE_MODULE( FT_Module_Class, autofit_module_class )
FT_USE_MODULE( FT_Driver_ClassRec, tt_driver_class )
FT_USE_MODULE( FT_Module_Class, psnames_module_class )
FT_USE_MODULE( FT_Module_Class, sfnt_module_class )
FT_USE_MODULE( FT_Renderer_Class, ft_smooth_renderer_class )
FT_USE_MODULE( FT_Renderer_Class, ft_raster1_renderer_class )
EOF
    web_cmake "$1" -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_BZIP2=ON \
        -DFT_DISABLE_BROTLI=ON -DFT_REQUIRE_ZLIB=ON
}

web_build_giflib() {
    local folder="$1" objects=() file
    mkdir -p "$folder/web-build"
    # Only the library: its Makefile also builds tools and documentation.
    for file in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray quantize; do
        emcc -Oz -DNDEBUG -c "$folder/$file.c" -o "$folder/web-build/$file.o"
        objects+=("$folder/web-build/$file.o")
    done
    mkdir -p "$web_prefix/lib" "$web_prefix/include"
    rm -f "$web_prefix/lib/libgif.a"
    emar rcs "$web_prefix/lib/libgif.a" "${objects[@]}"
    cp "$folder/gif_lib.h" "$web_prefix/include/"
}

web_build_sdl2() {
    web_cmake "$1" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_THREADS=OFF -DSDL_TEST=OFF
}

web_build_ogg() {
    web_cmake "$1" -DINSTALL_DOCS=OFF -DBUILD_TESTING=OFF
}

web_build_vorbis() {
    web_cmake "$1" -DBUILD_TESTING=OFF
}

web_main() {
    web_install_tools
    mkdir -p "$web_dir/logs" "$web_prefix"
    web_library zlib zlib
    web_library freetype freetype
    web_library giflib giflib
    web_library sdl2 libsdl2
    web_library ogg libogg
    web_library vorbis libvorbis
    web_say "all in $web_prefix ($(du -sh "$web_prefix/lib" | cut -f1) of libraries)"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    web_main "$@"
fi
