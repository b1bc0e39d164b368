#!/bin/bash
# The zip holds one folder with drive.exe, the two images and licences/,
# the images are the committed ones, licences/ holds our licence and the
# notice of each library linked into the program, and drive.exe is a
# 64-bit program of the Windows GUI subsystem (no console window), built
# for address-space layout randomisation and no-execute data, that needs
# no DLL beyond those every Windows ships: the C runtime msvcrt, the core
# system DLLs, OpenGL and GLU, and the DirectX and multimedia DLLs that
# Allegro uses.
#   zip_test.sh ZIP SOURCE_DIR OBJDUMP
set -u
zip=$1 source=$2 objdump=$3
. "$(dirname "$0")/../support/checks.sh"
fail_stops=1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$zip") || fail "cannot unzip $zip"
folder=$(basename "$zip" .zip)
listing=$(cd "$work" && find . -type f | LC_ALL=C sort | tr '\n' ' ')
expected=""
for file in drive.exe emblem.bmp lep.bmp licences/README.txt \
  licences/allegro.txt licences/allegrogl.txt licences/drive.txt \
  licences/gcc.txt licences/mingw-w64.txt; do
  expected="$expected./$folder/$file "
done
[ "$listing" = "$expected" ] || fail "zip holds $listing"
for image in lep.bmp emblem.bmp; do
  cmp -s "$source/data/$image" "$work/$folder/$image" || fail "$image differs"
done

# Each notice is the text it should be: a phrase that only it has.
cmp -s "$source/LICENSE" "$work/$folder/licences/drive.txt" ||
  fail "licences/drive.txt is not LICENSE"
while read -r file phrase; do
  grep -qF "$phrase" "$work/$folder/licences/$file" ||
    fail "licences/$file lacks '$phrase'"
done <<'NOTICES'
README.txt uses it under the zlib licence
allegro.txt Allegro is gift-ware.
allegrogl.txt Copyright (C) 1999-2006 AllegroGL contributors
mingw-w64.txt Files: mingw-w64-libraries/winpthreads/*
gcc.txt GCC RUNTIME LIBRARY EXCEPTION
NOTICES

headers=$("$objdump" -p "$work/$folder/drive.exe") || fail "not a PE file"
grep -q 'file format pei-x86-64' <<<"$headers" || fail "not 64-bit"
grep -qE '^Subsystem[[:space:]]+00000002' <<<"$headers" ||
  fail "not a GUI program: $(grep '^Subsystem' <<<"$headers")"
# Address-space layout randomisation, with 64-bit addresses, and
# no-execute data, as the toolchain file asks of the linker.
for flag in DYNAMIC_BASE HIGH_ENTROPY_VA NX_COMPAT; do
  grep -qE "^[[:space:]]+$flag\$" <<<"$headers" || fail "not $flag"
done

system_dlls=" advapi32.dll comdlg32.dll ddraw.dll dinput.dll dinput8.dll \
dsound.dll gdi32.dll glu32.dll kernel32.dll msvcrt.dll ole32.dll \
opengl32.dll user32.dll winmm.dll "
dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z')
[ -n "$dlls" ] || fail "no imports found"
for dll in $dlls; do
  case "$system_dlls" in *" $dll "*) ;; *) fail "needs $dll" ;; esac
done
echo "ok: $folder.zip; GUI, 64-bit, ASLR, NX; licences; imports" $dlls
