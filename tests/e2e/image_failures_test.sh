#!/bin/bash
# Each unreadable image ends the program with one message that names the
# file and the cause, status 1 and no crash.
#   image_failures_test.sh DRIVE DATA_DIR
DRIVE=$1 DATA_DIR=$2
. "$(dirname "$0")/lib.sh"

# Breaks the working directory's images in one way.
break_images() {
  case "$1" in
  lep_missing) rm "$WORKDIR/lep.bmp" ;;
  emblem_missing) rm "$WORKDIR/emblem.bmp" ;;
  lep_truncated) head -c 100 "$DATA_DIR/lep.bmp" >"$WORKDIR/lep.bmp" ;;
  emblem_truncated) head -c 100 "$DATA_DIR/emblem.bmp" >"$WORKDIR/emblem.bmp" ;;
  lep_text) echo "not an image at all" >"$WORKDIR/lep.bmp" ;;
  esac
}

check_case() {
  local name=$1 file=$2 cause=$3
  CASE=$name
  make_workdir
  break_images "$name"
  start_drive
  answer_message
  wait_exit
  [ "$STATUS" -eq 1 ] || fail "exit status $STATUS, expected 1"
  case "$MESSAGE" in
  *"imagen $file:"*"$cause"*) ;;
  *) fail "unexpected message: $MESSAGE" ;;
  esac
  echo "ok: $name: $MESSAGE" | tr '\n' ' '
  echo
  rm -rf "$WORKDIR"
}

check_case lep_missing lep.bmp "no se puede abrir el archivo"
check_case emblem_missing emblem.bmp "no se puede abrir el archivo"
check_case lep_truncated lep.bmp "el archivo esta incompleto"
check_case emblem_truncated emblem.bmp "el archivo esta incompleto"
check_case lep_text lep.bmp "el archivo no es una imagen BMP"
