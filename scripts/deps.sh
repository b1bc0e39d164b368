#!/bin/sh
# Installs the Debian packages that the named needs call for, when any is
# missing. As root it runs apt-get; otherwise it prints the apt-get line
# to run and fails. Safe to run again: with nothing missing it does nothing.
#   scripts/deps.sh build   compiler, CMake, Allegro 4 and AllegroGL
#   scripts/deps.sh test    the above, GoogleTest, Google Benchmark, Xvfb,
#                           Mesa's software OpenGL, xdotool, ImageMagick,
#                           clang with libFuzzer, libpng (the icon
#                           generator), Debian's packaging tools and the
#                           validators of desktop files and manual pages
#   scripts/deps.sh windows the Windows cross-build and its tests: mingw-w64,
#                           Wine, GoogleTest's sources, Xvfb, xdotool, and
#                           apt's entry for Debian's sources
#   scripts/deps.sh web     the web build: emscripten (with node),
#                           GoogleTest's sources
#   scripts/deps.sh webtest the above and its tests: Chromium, Xvfb,
#                           ImageMagick, xdotool (the Linux build's first
#                           frame, from the test need, is compared)
#   scripts/deps.sh fresh-root  mmdebstrap and git, for scripts/fresh-root.sh
set -eu

build_packages="g++ cmake make pkg-config liballegro4-dev liballeggl4-dev \
libgl-dev libglu1-mesa-dev"
test_packages="libx11-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth \
libgl1-mesa-dri libglx-mesa0 x11-utils xdotool imagemagick procps strace \
clang-format git clang libclang-rt-dev \
libpng-dev desktop-file-utils appstream man-db dpkg-dev file lintian devscripts \
diffoscope-minimal"
windows_packages="g++-mingw-w64-x86-64-posix cmake make pkg-config patch \
wine wine64 libgtest-dev xvfb xauth libgl1-mesa-dri libglx-mesa0 x11-utils \
xdotool imagemagick zip"
web_packages="emscripten cmake make libgtest-dev"
webtest_packages="chromium python3 xvfb xauth libgl1-mesa-dri libglx-mesa0 \
xdotool imagemagick"
fresh_root_packages="mmdebstrap git"

wanted=""
for need in "$@"; do
  case "$need" in
  build) wanted="$wanted $build_packages" ;;
  test) wanted="$wanted $build_packages $test_packages" ;;
  windows) wanted="$wanted $windows_packages" ;;
  web) wanted="$wanted $web_packages" ;;
  webtest) wanted="$wanted $web_packages $webtest_packages" ;;
  fresh-root) wanted="$wanted $fresh_root_packages" ;;
  *) echo "deps.sh: unknown need '$need' (build, test, windows, web, webtest or fresh-root)" >&2; exit 2 ;;
  esac
done

missing=""
for p in $wanted; do
  case " $missing " in *" $p "*) continue ;; esac
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing="$missing $p"
done

# The Windows build fetches Allegro's source with apt-get source, which
# needs a deb-src entry: one made from the machine's own Debian entry.
sources=""
case " $* " in
*" windows "*)
  if ! apt-get source --print-uris allegro4.4 >/dev/null 2>&1; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sources="sed -e \"s/^Types: deb$/Types: deb-src/\" \
/etc/apt/sources.list.d/debian.sources \
>/etc/apt/sources.list.d/drive-deb-src.sources"
    else
      sources="sed -n -e \"s/^deb /deb-src /p\" /etc/apt/sources.list \
>/etc/apt/sources.list.d/drive-deb-src.list"
    fi
  fi
  ;;
esac
[ -z "$missing$sources" ] && exit 0

line="apt-get update && apt-get install -y$missing"
[ -n "$sources" ] && line="$sources && $line"
if [ "$(id -u)" -ne 0 ]; then
  [ -n "$missing" ] && echo "Missing Debian packages:$missing" >&2
  [ -n "$sources" ] && echo "Missing: apt's entry for Debian's sources" >&2
  echo "Install them as root, then run this again:" >&2
  # A Debian installed with a root password has no sudo.
  if command -v sudo >/dev/null 2>&1; then
    echo "  sudo sh -c '$line'" >&2
    echo "or, with the root password:" >&2
  fi
  echo "  su -c '$line'" >&2
  exit 1
fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
[ -n "$sources" ] && sh -c "$sources"
apt-get update -q
# shellcheck disable=SC2086 # the list is meant to split into names
apt-get install -y -q $missing
