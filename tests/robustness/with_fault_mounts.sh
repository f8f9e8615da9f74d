#!/usr/bin/env bash
# Runs a test program with two directories in which saving fails as it does
# on a real disk: a full one and a read-only one holding a copy of the
# editor. They are mounted for the run and handed over in CURLIN_FULL_DIR and
# CURLIN_READONLY_DIR; where this machine does not allow mounting, the
# variable is left unset and the test program skips those cases.
#   with_fault_mounts.sh WINERUN TEST.exe EDITOR.exe
set -u
winerun=$1 test=$2 editor=$3
base="$(dirname "$test")/fault-mounts"
full="$base/full" readonly="$base/readonly"

cleanup() {
  umount -l "$full" 2>/dev/null
  umount -l "$readonly" 2>/dev/null
  rm -rf "$base"
}
cleanup
mkdir -p "$full" "$readonly"
trap cleanup EXIT

# A small empty file system; the test fills it up itself.
if mount -t tmpfs -o size=4m tmpfs "$full" 2>/dev/null; then
  export CURLIN_FULL_DIR="$full"
fi
cp "$editor" "$readonly/curset.exe"
if mount --bind "$readonly" "$readonly" 2>/dev/null &&
   mount -o remount,bind,ro "$readonly" 2>/dev/null; then
  export CURLIN_READONLY_DIR="$readonly"
fi

"$winerun" "$test"
