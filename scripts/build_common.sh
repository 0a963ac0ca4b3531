# Shared by scripts/test.sh and scripts/demo.sh: the tree's location, the
# Debian packages each build needs, and how a build folder is configured.
# Sourced, not run.

KINFOLD_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

KINFOLD_NATIVE_PACKAGES=(cmake ninja-build g++ make python3 libgtest-dev googletest pkg-config)
# The Python binding: its headers, pip and venv to install it, pytest for it
# and for the command-line tool's tests.
KINFOLD_NATIVE_PACKAGES+=(python3-dev python3-venv python3-pip python3-setuptools python3-wheel
                          python3-pytest)
if grep -qs 'find_package(benchmark' "$KINFOLD_ROOT/bench/CMakeLists.txt"; then
  KINFOLD_NATIVE_PACKAGES+=(libbenchmark-dev)
fi
# libwine-dev holds the system .idl files widl imports (Debian's mingw-w64
# packages ship only the headers made from them).
KINFOLD_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix mingw-w64-tools
                          wine wine64 libwine-dev)
# The 32-bit DLL: the i686 cross compiler and the 32-bit half of Wine, which
# needs the i386 architecture in dpkg (EnsureArchitecture).
KINFOLD_WINDOWS32_PACKAGES=(g++-mingw-w64-i686-posix wine32:i386)

# Installs those of the named packages that are missing; --no-recommends
# first leaves out what they only recommend. The package lists are refreshed
# only when an install fails, which on a fresh machine means there were none
# yet.
EnsurePackages() {
  local missing=() package options=(-y -q)
  if [ "${1-}" = --no-recommends ]; then
    options+=(--no-install-recommends)
    shift
  fi
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
  apt-get install "${options[@]}" "${missing[@]}" ||
    { apt-get update -q && apt-get install "${options[@]}" "${missing[@]}"; }
}

# Adds a foreign architecture to dpkg (for wine32) and refreshes the
# package lists once when it was not there yet.
EnsureArchitecture() {
  dpkg --print-foreign-architectures | grep -qx "$1" && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "dpkg lacks the $1 architecture (run as root to add it)" >&2
    return 1
  fi
  dpkg --add-architecture "$1" && apt-get update -q
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
  Configure "$KINFOLD_ROOT/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKINFOLD_BUILD_PYTHON=ON
}
