#!/usr/bin/env bash
# Builds the native library and examples if needed, then lists what
# kinfold_demo finds in a GEDCOM file (default: the bundled sample); with
# --relatives ID, kinfold_relatives prints that individual's ancestors and
# descendants with their generations and the individuals whose surname has
# the same Soundex code.
#   scripts/demo.sh [FILE] [--relatives ID]
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/build_common.sh"

file=$KINFOLD_ROOT/examples/data/sample.ged
relatives=
while [ $# -gt 0 ]; do
  case $1 in
    --relatives)
      [ $# -ge 2 ] || { echo "--relatives needs an individual's ID, such as @I1@" >&2; exit 2; }
      relatives=$2
      shift ;;
    *) file=$1 ;;
  esac
  shift
done
if [ ! -f "$file" ]; then
  echo "no such file: $file" >&2
  exit 1
fi

program=kinfold_demo
[ -n "$relatives" ] && program=kinfold_relatives
EnsurePackages "${KINFOLD_NATIVE_PACKAGES[@]}"
[ -f "$KINFOLD_ROOT/build/native/CMakeCache.txt" ] || ConfigureNative >&2
cmake --build "$KINFOLD_ROOT/build/native" --target "$program" --parallel 2 >&2
if [ -n "$relatives" ]; then
  exec "$KINFOLD_ROOT/build/native/examples/kinfold_relatives" "$file" "$relatives"
fi
exec "$KINFOLD_ROOT/build/native/examples/kinfold_demo" "$file"
