#!/usr/bin/env bash
# Builds the native library and example if needed, then lists what
# kinfold_demo finds in a GEDCOM file (default: the bundled sample).
#   scripts/demo.sh [FILE]
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/build_common.sh"

file=${1:-$KINFOLD_ROOT/examples/data/sample.ged}
if [ ! -f "$file" ]; then
  echo "no such file: $file" >&2
  exit 1
fi

EnsurePackages "${KINFOLD_NATIVE_PACKAGES[@]}"
[ -f "$KINFOLD_ROOT/build/native/CMakeCache.txt" ] || ConfigureNative >&2
cmake --build "$KINFOLD_ROOT/build/native" --target kinfold_demo --parallel 2 >&2
exec "$KINFOLD_ROOT/build/native/examples/kinfold_demo" "$file"
