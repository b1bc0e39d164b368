#!/bin/sh
# Builds Allegro 4.4 and AllegroGL as static libraries for 64-bit Windows
# from Allegro's upstream tarball as Debian ships it, with the changes in
# patches/allegro/, and installs them with pkg-config files into
# build/windows-libs/prefix.
# Later runs reuse that build until this script, the toolchain file or a
# patch changes.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
libs=$root/build/windows-libs
prefix=$libs/prefix
toolchain=$root/cmake/windows-toolchain.cmake

recipe=$(cat "$0" "$toolchain" "$root"/patches/allegro/*.patch | sha256sum)
recipe=${recipe%% *}
[ "$(cat "$prefix/recipe" 2>/dev/null || true)" = "$recipe" ] && exit 0

# Sets orig to Allegro's upstream tarball, the one file of Debian's
# source package that the build needs (the mirror may not serve the
# Debian part of an older revision). apt's source index, signed like
# the rest of the archive, gives its address, size and SHA-256; apt's
# own download helper fetches it through apt's configured sources and
# checks the hash. scripts/deps.sh windows adds the deb-src entry that
# the index needs.
fetch_source() {
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
  mkdir -p "$libs/download"
  orig=$libs/download/$2
  hash=$4
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

build_library() {
  rm -rf "$libs/src" "$libs/build" "$prefix"
  mkdir -p "$libs/src"
  tar -xzf "$orig" -C "$libs/src" --strip-components=1
  for p in "$root"/patches/allegro/*.patch; do
    patch -d "$libs/src" -p1 --forward --quiet <"$p"
  done
  cmake -S "$libs/src" -B "$libs/build" -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DSHARED=OFF -DWANT_ALLEGROGL=ON \
    -DWANT_LOADPNG=OFF -DWANT_LOGG=OFF -DWANT_JPGALLEG=OFF \
    -DWANT_EXAMPLES=OFF -DWANT_TESTS=OFF -DWANT_TOOLS=OFF -DWANT_DOCS=OFF \
    >"$libs/configure.log" 2>&1 || { cat "$libs/configure.log" >&2; exit 1; }
  # The library's own code warns a great deal; the log keeps it.
  cmake --build "$libs/build" -j "$(nproc)" >"$libs/build.log" 2>&1 ||
    { tail -40 "$libs/build.log" >&2; exit 1; }
  cmake --install "$libs/build" >/dev/null
}

# The library installs pkg-config files only on Unix. These link it
# statically (ALLEGRO_STATICLINK) with the Windows libraries it uses, in
# the order the linker needs: AllegroGL, then Allegro, then the system.
write_pkgconfig() {
  mkdir -p "$prefix/lib/pkgconfig"
  cat >"$prefix/lib/pkgconfig/allegro.pc" <<EOF
prefix=$prefix
Name: allegro
Description: Allegro 4.4, static, for Windows
Version: 4.4.3
Libs: -L\${prefix}/lib -lalleg -lkernel32 -luser32 -lgdi32 -lcomdlg32 -lole32 -ldinput -lddraw -ldxguid -lwinmm -ldsound
Cflags: -I\${prefix}/include -DALLEGRO_STATICLINK
EOF
  cat >"$prefix/lib/pkgconfig/allegrogl.pc" <<EOF
prefix=$prefix
Name: allegrogl
Description: AllegroGL, static, for Windows
Version: 4.4.3
Requires: allegro
Libs: -L\${prefix}/lib -lalleggl -lopengl32 -lglu32
Cflags: -I\${prefix}/include
EOF
}

echo "== Allegro 4.4 for Windows (once)"
fetch_source
build_library
write_pkgconfig
echo "$recipe" >"$prefix/recipe"
