#!/bin/sh
# Builds Allegro 4.4 and AllegroGL as static libraries for 64-bit Windows
# from Debian's source package, with the changes in patches/allegro/, and
# installs them with pkg-config files into build/windows-libs/prefix.
# Later runs reuse that build until this script, the toolchain file or a
# patch changes. apt-get source needs a deb-src entry in apt's sources,
# which scripts/deps.sh windows adds.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
libs=$root/build/windows-libs
prefix=$libs/prefix
toolchain=$root/cmake/windows-toolchain.cmake

recipe=$(cat "$0" "$toolchain" "$root"/patches/allegro/*.patch | sha256sum)
recipe=${recipe%% *}
[ "$(cat "$prefix/recipe" 2>/dev/null || true)" = "$recipe" ] && exit 0

# The package's source must be known to apt: scripts/deps.sh windows adds
# the deb-src entry that this needs.
ensure_source_index() {
  apt-get source --print-uris allegro4.4 >/dev/null 2>&1 && return 0
  echo "apt knows no source of allegro4.4: run scripts/deps.sh windows" >&2
  exit 1
}

# Sets orig to the upstream tarball, checked against the .dsc's SHA-256.
# Only the upstream part is needed; apt-get fails when the Debian part
# cannot be had, so its result is judged by the files it leaves.
fetch_source() {
  mkdir -p "$libs/download"
  cd "$libs/download"
  if ! ls allegro4.4_*.dsc >/dev/null 2>&1; then
    ensure_source_index
    apt-get source --download-only allegro4.4 >apt-source.log 2>&1 || true
  fi
  dsc=$(ls allegro4.4_*.dsc 2>/dev/null | tail -1)
  [ -n "$dsc" ] || { cat apt-source.log >&2; exit 1; }
  line=$(sed -n '/^Checksums-Sha256:/,/^[^ ]/p' "$dsc" |
    grep -E '\.orig\.tar\.(gz|xz|bz2)$')
  orig=${line##* }
  sum=$(echo "$line" | awk '{print $1}')
  if [ ! -f "$orig" ] || ! echo "$sum  $orig" | sha256sum -c --quiet; then
    echo "allegro_windows.sh: $orig missing or not as $dsc says" >&2
    rm -f "$dsc" "$orig"
    exit 1
  fi
  orig=$libs/download/$orig
  cd "$root"
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
