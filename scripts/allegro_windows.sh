#!/bin/sh
# Builds Allegro 4.4 and AllegroGL as static libraries for 64-bit Windows
# from Allegro's upstream tarball as Debian ships it, with the changes in
# patches/allegro/, and installs them with pkg-config files. The build is
# kept per machine, outside the clone, so that every clone and every
# fresh root (scripts/fresh-root.sh) reuses it:
#   as root:     /var/cache/drive-windows-libs/KEY
#   as a user:   ${XDG_CACHE_HOME:-~/.cache}/drive-windows-libs/KEY
#   (or DRIVE_WINDOWS_LIBS_CACHE/KEY)
# KEY is the SHA-256 of this script, the toolchain file, the patches, the
# tarball's SHA-256 and the mingw-w64 compilers' versions, so that a
# change to any of them builds anew. build/windows-libs, which the
# toolchain file reads, links to the one in use.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
toolchain=$root/cmake/windows-toolchain.cmake
if [ -n "${DRIVE_WINDOWS_LIBS_CACHE:-}" ]; then
  cache=$DRIVE_WINDOWS_LIBS_CACHE
elif [ "$(id -u)" -eq 0 ]; then
  cache=/var/cache/drive-windows-libs
else
  cache=${XDG_CACHE_HOME:-$HOME/.cache}/drive-windows-libs
fi

# Sets uri, tarball and hash to the address, file name and SHA-256 of
# Allegro's upstream tarball, the one file of Debian's source package
# that the build needs (the mirror may not serve the Debian part of an
# older revision). apt's source index, signed like the rest of the
# archive, gives them; scripts/deps.sh windows adds the deb-src entry
# that the index needs.
find_source() {
  uris=$(apt-get source --print-uris allegro4.4 2>/dev/null) || {
    echo "apt knows no source of allegro4.4: run scripts/deps.sh windows" >&2
    exit 1
  }
  # Each file: 'URI' NAME SIZE SHA256:HEX
  line=$(echo "$uris" | grep -E "^'[^']*' allegro4\.4_[^ ]*\.orig\.tar\.gz " |
    head -1)
  [ -n "$line" ] || { echo "no upstream tarball in: $uris" >&2; exit 1; }
  # shellcheck disable=SC2086 # the line is meant to split into fields
  set -- $line
  uri=$(echo "$1" | tr -d "'")
  tarball=$2
  hash=$4
}

# Each compiler of the toolchain file: its own version line and the
# Debian package that ships it, with that package's version.
compiler_versions() {
  for tool in x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-g++-posix; do
    path=$(command -v "$tool") ||
      { echo "no $tool: run scripts/deps.sh windows" >&2; exit 1; }
    "$tool" --version | head -1
    package=$(dpkg -S "$(realpath "$path")" | cut -d: -f1)
    dpkg-query -W -f='${Package} ${Version}\n' "$package"
  done
}

# Sets orig to the tarball, kept in the cache's download/. apt's own
# download helper fetches it through apt's configured sources and checks
# its hash.
fetch_source() {
  mkdir -p "$cache/download"
  orig=$cache/download/$tarball
  if [ -f "$orig" ] && echo "${hash#*:}  $orig" | sha256sum -c --quiet 2>/dev/null; then
    return 0
  fi
  rm -f "$orig"
  # As root, apt would hand the download to its _apt user, who may not
  # reach this folder: it warns and goes on as root; say so up front.
  sandbox=""
  [ "$(id -u)" -ne 0 ] || sandbox="-o APT::Sandbox::User=root"
  # shellcheck disable=SC2086 # an option and its value, or nothing
  /usr/lib/apt/apt-helper $sandbox download-file "$uri" "$orig.part" "$hash" ||
    { rm -f "$orig.part" "$orig.part.FAILED"; exit 1; }
  mv "$orig.part" "$orig"
}

# Builds and installs into $work/prefix, for use from $entry/prefix. Of
# the sources only the two licence notices that the zip carries are kept.
build_library() {
  src=$work/src
  mkdir -p "$src"
  tar -xzf "$orig" -C "$src" --strip-components=1
  for p in "$root"/patches/allegro/*.patch; do
    patch -d "$src" -p1 --forward --quiet <"$p"
  done
  cmake -S "$src" -B "$work/build" -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$work/prefix" -DSHARED=OFF -DWANT_ALLEGROGL=ON \
    -DWANT_LOADPNG=OFF -DWANT_LOGG=OFF -DWANT_JPGALLEG=OFF \
    -DWANT_EXAMPLES=OFF -DWANT_TESTS=OFF -DWANT_TOOLS=OFF -DWANT_DOCS=OFF \
    >"$work/configure.log" 2>&1 || { cat "$work/configure.log" >&2; exit 1; }
  # The library's own code warns a great deal; the log keeps it.
  cmake --build "$work/build" -j "$(nproc)" >"$work/build.log" 2>&1 ||
    { tail -40 "$work/build.log" >&2; exit 1; }
  cmake --install "$work/build" >/dev/null
  rm -rf "$work/build"
  find "$src" -type f ! -path "$src/docs/txt/license.txt" \
    ! -path "$src/addons/allegrogl/zlib.txt" -delete
  find "$src" -type d -empty -delete
}

# The library installs pkg-config files only on Unix. These link it
# statically (ALLEGRO_STATICLINK) with the Windows libraries it uses, in
# the order the linker needs: AllegroGL, then Allegro, then the system.
write_pkgconfig() {
  mkdir -p "$work/prefix/lib/pkgconfig"
  cat >"$work/prefix/lib/pkgconfig/allegro.pc" <<EOF
prefix=$entry/prefix
Name: allegro
Description: Allegro 4.4, static, for Windows
Version: 4.4.3
Libs: -L\${prefix}/lib -lalleg -lkernel32 -luser32 -lgdi32 -lcomdlg32 -lole32 -ldinput -lddraw -ldxguid -lwinmm -ldsound
Cflags: -I\${prefix}/include -DALLEGRO_STATICLINK
EOF
  cat >"$work/prefix/lib/pkgconfig/allegrogl.pc" <<EOF
prefix=$entry/prefix
Name: allegrogl
Description: AllegroGL, static, for Windows
Version: 4.4.3
Requires: allegro
Libs: -L\${prefix}/lib -lalleggl -lopengl32 -lglu32
Cflags: -I\${prefix}/include
EOF
}

find_source
key=$({
  cat "$root/scripts/allegro_windows.sh" "$toolchain" "$root"/patches/allegro/*.patch
  echo "$hash"
  compiler_versions
} | sha256sum)
entry=$cache/${key%% *}
mkdir -p "$cache"
# One build at a time per cache: another clone may be making this one.
exec 9>"$cache/lock"
flock 9
if [ ! -d "$entry" ]; then
  echo "== Allegro 4.4 for Windows (once per machine) into $entry"
  work=$(mktemp -d "$cache/new.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  fetch_source
  build_library
  write_pkgconfig
  # Whole or not at all: a build that was cut short leaves no entry.
  chmod 755 "$work"
  mv "$work" "$entry"
  trap - EXIT
fi
flock -u 9
# build/windows-libs of an older clone was a folder of its own.
[ -L "$root/build/windows-libs" ] || rm -rf "$root/build/windows-libs"
mkdir -p "$root/build"
ln -sfn "$entry" "$root/build/windows-libs"
