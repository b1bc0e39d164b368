#!/bin/bash
# The zip holds one folder with drive.exe and the two images, the images
# are the committed ones, and drive.exe is a 64-bit program of the Windows
# GUI subsystem (no console window) that needs no DLL beyond those every
# Windows ships: the C runtime msvcrt, the core system DLLs, OpenGL and
# GLU, and the DirectX and multimedia DLLs that Allegro uses.
#   zip_test.sh ZIP DATA_DIR OBJDUMP
set -u
zip=$1 data=$2 objdump=$3
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$zip") || fail "cannot unzip $zip"
folder=$(basename "$zip" .zip)
listing=$(cd "$work" && find . -type f | sort | tr '\n' ' ')
expected="./$folder/drive.exe ./$folder/emblem.bmp ./$folder/lep.bmp "
[ "$listing" = "$expected" ] || fail "zip holds $listing"
for image in lep.bmp emblem.bmp; do
  cmp -s "$data/$image" "$work/$folder/$image" || fail "$image differs"
done

headers=$("$objdump" -p "$work/$folder/drive.exe") || fail "not a PE file"
grep -q 'file format pei-x86-64' <<<"$headers" || fail "not 64-bit"
grep -qE '^Subsystem[[:space:]]+00000002' <<<"$headers" ||
  fail "not a GUI program: $(grep '^Subsystem' <<<"$headers")"

system_dlls=" advapi32.dll comdlg32.dll ddraw.dll dinput.dll dinput8.dll \
dsound.dll gdi32.dll glu32.dll kernel32.dll msvcrt.dll ole32.dll \
opengl32.dll user32.dll winmm.dll "
dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z')
[ -n "$dlls" ] || fail "no imports found"
for dll in $dlls; do
  case "$system_dlls" in *" $dll "*) ;; *) fail "needs $dll" ;; esac
done
echo "ok: $folder.zip; GUI, 64-bit; imports" $dlls
