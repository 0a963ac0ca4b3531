# Shared by scripts/test.sh and scripts/demo.sh: the tree's location, the
# Debian packages each build needs, and how a build folder is configured.
# Sourced, not run.

KINFOLD_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

KINFOLD_NATIVE_PACKAGES=(cmake ninja-build g++ make python3 libgtest-dev googletest)
if grep -qs 'find_package(benchmark' "$KINFOLD_ROOT/bench/CMakeLists.txt"; then
  KINFOLD_NATIVE_PACKAGES+=(libbenchmark-dev)
fi
# libwine-dev holds the system .idl files widl imports (Debian's mingw-w64
# packages ship only the headers made from them).
KINFOLD_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix mingw-w64-tools
                          wine wine64 libwine-dev)

# Installs those of the named packages that are missing. The package lists
# are refreshed only when an install fails, which on a fresh machine means
# there were none yet.
EnsurePackages() {
  local missing=() package
  for package in "$@"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${missing[*]} (run as root to install them)" >&2
    return 1
  fi
  echo "== installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -q "${missing[@]}" ||
    { apt-get update -q && apt-get install -y -q "${missing[@]}"; }
}

# Configures build folder $1 (kept between runs, so rebuilds are incremental)
# with the remaining arguments as cache settings.
Configure() {
  local dir=$1
  shift
  local args=(-S "$KINFOLD_ROOT" -B "$dir")
  [ -f "$dir/CMakeCache.txt" ] || args+=(-G Ninja)
  # Prefer the system's interpreter over any user-level shim on PATH.
  [ -x /usr/bin/python3 ] && args+=(-DPython3_EXECUTABLE=/usr/bin/python3)
  cmake "${args[@]}" "$@"
}

ConfigureNative() {
  Configure "$KINFOLD_ROOT/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo
}
