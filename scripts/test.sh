#!/usr/bin/env bash
# Builds Kinfold and runs every test suite:
#   native       build/native, the GoogleTest suite (twice: the second time
#                every load runs on two threads) and any other CTest tests,
#                then the kinfold tool's tests and, installed with pip into a
#                virtual environment, the Python binding's tests (pytest)
#   sanitizers   build/asan, the same under AddressSanitizer and UBSan
#   injection    build/asan again: every allocation and file read of loads
#                and walks of a few corpus files fails in turn
#   soak         build/native: a 1 MB file loaded and released 1,000 times
#   threads      build/tsan, ThreadSanitizer: 8 hosts at once
#   fuzz         build/fuzz, clang and libFuzzer: each target for 60 s
#   windows      build/windows, cross-built with mingw-w64, run under Wine in
#                a fresh prefix; then, against the registered kinfold.dll,
#                the COM client suite (the progress window among it), the
#                comparison of the type library's members with the native
#                dispatch tables, the scripts in tests/scripts through Wine's
#                cscript and the kinfold.exe tests
#   windows32    build/windows32, the same for the 32-bit kinfold.dll with the
#                32-bit regsvr32 and cscript (the shared GoogleTest suite runs
#                on the 64-bit build only)
# Missing tools are installed with apt-get when run as root (Debian 12).
# Build folders are kept, so a second run rebuilds only what changed.
set -euo pipefail

Usage() {
  cat <<'EOF'
usage: scripts/test.sh [--native-only] [--no-sanitize] [--no-reliability] [--no-windows32]
                       [--jobs N]
  --native-only     skip the Windows cross builds and Wine
  --no-windows32    skip the 32-bit Windows build
  --no-sanitize     skip the AddressSanitizer/UBSan build and fault injection
  --no-reliability  skip the soak, ThreadSanitizer and fuzz stages
  --jobs N          parallel compile jobs (default 2)
EOF
}

source "$(dirname "${BASH_SOURCE[0]}")/build_common.sh"
cd "$KINFOLD_ROOT"

windows=1
windows32=1
sanitize=1
reliability=1
jobs=2
while [ $# -gt 0 ]; do
  case $1 in
    --native-only) windows=0 ;;
    --no-sanitize) sanitize=0 ;;
    --no-windows32) windows32=0 ;;
    --no-reliability) reliability=0 ;;
    --jobs) [ $# -ge 2 ] || { Usage >&2; exit 2; }; jobs=$2; shift ;;
    --jobs=*) jobs=${1#--jobs=} ;;
    -h|--help) Usage; exit 0 ;;
    *) Usage >&2; exit 2 ;;
  esac
  shift
done
[[ $jobs =~ ^[1-9][0-9]*$ ]] || { echo "--jobs needs a positive number" >&2; exit 2; }

# Every suite run appends "passed failed" here; the stages run in subshells.
counts_file=$(mktemp)
trap 'rm -f "$counts_file"' EXIT

Count() {
  echo "$1 $2" >>"$counts_file"
}

# Runs a GoogleTest program (the command and its arguments) and records its
# counts; fails when the program fails or reports no summary.
RunGoogleTest() {
  local log status=0
  log=$(mktemp)
  "$@" --gtest_brief=1 2>&1 | tee "$log" || status=$?
  # The brief output omits the list of failures; what ran and did not pass failed.
  local ran passed
  ran=$(sed -n 's/^\[==========\] \([0-9]*\) tests\{0,1\} from .* ran\..*/\1/p' "$log" | tail -n 1)
  passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$log" | tail -n 1)
  rm -f "$log"
  if [ -z "$ran" ]; then
    echo "no test summary from $*" >&2
    Count 0 1
    return 1
  fi
  Count "${passed:-0}" $((ran - ${passed:-0}))
  return "$status"
}

# Runs pytest (the interpreter, then its arguments) and records its counts
# from the closing line; no test run counts as a failure.
RunPytest() {
  local python=$1 log status=0
  shift
  log=$(mktemp)
  "$python" -m pytest -q -p no:cacheprovider "$@" 2>&1 | tee "$log" || status=$?
  local line passed failed
  line=$(grep -E '[0-9]+ (passed|failed|errors?)' "$log" | tail -n 1)
  rm -f "$log"
  read -r passed failed < <(awk '{
      for (i = 2; i <= NF; ++i) {
        word = $i; sub(/[,=]+$/, "", word)
        if (word == "passed") p += $(i - 1)
        if (word == "failed" || word == "error" || word == "errors") f += $(i - 1)
      }
    } END { print p + 0, f + 0 }' <<<"$line")
  if [ "$passed" -eq 0 ]; then
    echo "no tests passed in pytest $*" >&2
    Count 0 $((failed > 0 ? failed : 1))
    return 1
  fi
  Count "$passed" "$failed"
  return "$status"
}

# The binding installed as a user installs it, with pip from the repository
# root into a virtual environment (one that sees Debian's pytest and
# setuptools); no build isolation, since the machine reaches no package
# index for Python. The extension is built in build/native.
TestPythonBinding() {
  local venv=build/python-venv
  [ -x "$venv/bin/python" ] || /usr/bin/python3 -m venv --system-site-packages "$venv"
  KINFOLD_BUILD_DIR=$KINFOLD_ROOT/build/native KINFOLD_JOBS=$jobs \
    "$venv/bin/pip" install --no-build-isolation --no-index -q "$KINFOLD_ROOT"
  RunPytest "$venv/bin/python" python/tests
}

# CTest tests other than the GoogleTest program (consumers of the installed
# package and the like); nothing to do when there are none.
RunOtherTests() {
  local dir=$1 list
  # Read into a variable first: grep -q at the end of a pipe may stop ctest
  # early, and pipefail then reads that as "no tests".
  list=$(ctest --test-dir "$dir" -N -E '^kinfold_tests$')
  if grep -q 'Test *#' <<<"$list"; then
    ctest --test-dir "$dir" -E '^kinfold_tests$' --output-on-failure
  fi
}

StageNative() {
  EnsurePackages "${KINFOLD_NATIVE_PACKAGES[@]}"
  ConfigureNative
  cmake --build build/native --parallel "$jobs"
  RunGoogleTest build/native/tests/kinfold_tests
  # Again with every file, however small, loaded on two threads.
  KINFOLD_TEST_TWO_THREADS_FROM=0 RunGoogleTest build/native/tests/kinfold_tests
  RunOtherTests build/native
  KINFOLD_CLI=$KINFOLD_ROOT/build/native/apps/kinfold/kinfold RunPytest /usr/bin/python3 tests/cli
  TestPythonBinding
}

StageSanitizers() {
  EnsurePackages "${KINFOLD_NATIVE_PACKAGES[@]}"
  # The fault hooks are compiled in but stay idle outside the injection suite.
  Configure build/asan -DCMAKE_BUILD_TYPE=Debug -DKINFOLD_SANITIZE=ON -DKINFOLD_BUILD_BENCH=OFF \
    -DKINFOLD_FAULT_INJECTION=ON
  cmake --build build/asan --parallel "$jobs"
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  RunGoogleTest build/asan/tests/kinfold_tests
  RunOtherTests build/asan
  # Every run of the tool ends with a leak check, so a reference it forgets
  # fails its test.
  KINFOLD_CLI=$KINFOLD_ROOT/build/asan/apps/kinfold/kinfold RunPytest /usr/bin/python3 tests/cli
}

StageInjection() {
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  RunGoogleTest build/asan/tests/kinfold_injection_tests
}

# Runs a program that ends with a line "...: N passed, M failed" and records
# those counts; fails when the program fails or prints no such line.
RunCountingProgram() {
  local log status=0 counts
  log=$(mktemp)
  "$@" 2>&1 | tee "$log" || status=$?
  counts=$(sed -n 's/.*: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' "$log" | tail -n 1)
  rm -f "$log"
  if [ -z "$counts" ]; then
    echo "no counts from $*" >&2
    Count 0 1
    return 1
  fi
  Count $counts
  return "$status"
}

StageSoak() {
  cmake --build build/native --parallel "$jobs" --target gedcom_replicate long_running_host
  build/native/bench/gedcom_replicate tests/data/corpus/kennedy.ged build/native/soak-1mb.ged 1
  RunCountingProgram build/native/tests/long_running_host build/native/soak-1mb.ged 1000
}

StageThreads() {
  Configure build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKINFOLD_THREAD_SANITIZE=ON \
    -DKINFOLD_BUILD_BENCH=OFF
  cmake --build build/tsan --parallel "$jobs" --target kinfold_thread_tests
  TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
    RunCountingProgram build/tsan/tests/kinfold_thread_tests
}

# libFuzzer comes with Debian's clang; without clang (and no root to install
# it) the stage says so and passes.
StageFuzz() {
  EnsurePackages clang libclang-rt-dev || true
  if ! command -v clang++ >/dev/null; then
    echo "== no clang: fuzz targets not run"
    return 0
  fi
  CC=clang CXX=clang++ Configure build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKINFOLD_FUZZ=ON \
    -DKINFOLD_BUILD_BENCH=OFF
  cmake --build build/fuzz --parallel "$jobs" --target load_walk_fuzz level_rules_fuzz footnote_pattern_fuzz check_fuzz \
    export_fuzz
  export ASAN_OPTIONS=detect_leaks=1
  local target
  for target in load_walk_fuzz level_rules_fuzz footnote_pattern_fuzz check_fuzz export_fuzz; do
    echo "== $target"
    if tests/fuzz/run_fuzz.sh build/fuzz "$target" 60; then Count 1 0; else Count 0 1; return 1; fi
  done
}

# A new prefix for every run, so nothing registered by an earlier run can
# make a test pass. mscoree/mshtml are disabled so that Wine does not offer
# to install Mono or Gecko.
# Once wine32 is installed beside wine64, Debian's `wine` starts Wine's own
# programs (regsvr32, cscript) as 32-bit ones, which see the 32-bit half of
# the registry. A stage therefore puts first on its PATH a `wine` that always
# takes the loader of its own width ($2: wine64 or wine); with one width
# installed, `wine` has no choice to make.
UseWineLoader() {
  local loader=/usr/lib/wine/$2 bin=$KINFOLD_ROOT/$1/bin
  [ -x /usr/lib/wine/wine ] && [ -x /usr/lib/wine/wine64 ] || return 0
  mkdir -p "$bin"
  printf '#!/bin/sh\nexport WINELOADER=%s\nexec %s "$@"\n' "$loader" "$loader" >"$bin/wine"
  chmod +x "$bin/wine"
  export PATH=$bin:$PATH
}

# Windows are made with Wine's null display driver: they exist, have a
# place and a caption and take messages, with no X display (the progress
# window test needs that; message boxes go to standard error anyway).
MakeWinePrefix() {
  export WINEPREFIX=$KINFOLD_ROOT/$1/wineprefix
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  local start=$SECONDS
  timeout 300 wine wineboot -i </dev/null >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /reg:64 /f </dev/null >/dev/null
  # The desktop takes its driver when it starts: let the prefix's programs
  # end, so that the next one starts it anew. (A server kept alive would
  # keep the desktop too, and with it the output pipe of whichever test
  # started it.)
  wineserver -w
  echo "== wine prefix ready in $((SECONDS - start)) s"
}

# Registers kinfold.dll in the prefix once for everything that follows: the
# client suite, the member listing and the scripts. It comes after
# kinfold_tests.exe, whose registration tests unregister the class again.
# $1 is the build folder, $2 the folder of Wine's own programs of the same
# width (system32, or syswow64 for 32-bit ones).
RegisterDll() {
  wine "C:\\windows\\$2\\regsvr32.exe" /s "$(winepath -w "$1/src/kinfold.dll")" </dev/null
}

# The members of every dual interface with their DISPIDs and invoke kinds, as
# the registered type library shows them under Wine and as the native
# dispatch tables hold them, must be the same lines.
CompareMemberListings() {
  local build=$1 native windows status=0
  native=$(mktemp)
  windows=$(mktemp)
  cmake --build build/native --parallel "$jobs" --target kinfold_dispatch_listing &&
    build/native/tests/client/kinfold_dispatch_listing >"$native" &&
    timeout 300 wine "$build/tests/client/kinfold_typelib_listing.exe" </dev/null |
    tr -d '\r' >"$windows" || status=1
  if [ "$status" -eq 0 ] && [ -s "$native" ] && diff -u "$native" "$windows"; then
    echo "[ listing ok ] $(wc -l <"$native") members agree natively and in the $build type library"
    Count 1 0
  else
    echo "[ listing FAILED ] native dispatch tables (-) and type library (+) differ" >&2
    Count 0 1
    status=1
  fi
  rm -f "$native" "$windows"
  return "$status"
}

# Every tests/scripts/*.vbs and *.js is run by cscript against the registered
# DLL. Wine's cscript exits with 0 and prints nothing when a script stops on
# a run-time error, so a script passes only when its last line of output is
# PASS (its final statement: WScript.Echo "PASS").
RunHostScripts() {
  local system=$1 scripts=()
  shopt -s nullglob
  scripts=(tests/scripts/*.vbs tests/scripts/*.js)
  shopt -u nullglob
  [ ${#scripts[@]} -eq 0 ] && return 0
  local script output failures=0
  for script in "${scripts[@]}"; do
    output=$(timeout 300 wine "C:\\windows\\$system\\cscript.exe" //nologo \
             "$(winepath -w "$script")" </dev/null 2>&1) || true
    printf '%s\n' "$output"
    if [ "$(printf '%s\n' "$output" | tr -d '\r' | tail -n 1)" = PASS ]; then
      Count 1 0
      echo "[ script ok ] $script ($system)"
    else
      Count 0 1
      failures=$((failures + 1))
      echo "[ script FAILED ] $script ($system)"
    fi
  done
  [ "$failures" -eq 0 ]
}

# The runtimes are linked in: kinfold.dll must import system DLLs only, and
# export exactly the four entry points.
CheckDll() {
  local build=$1 triplet=$2 dump imports exports
  dump=$("$triplet-objdump" -p "$build/src/kinfold.dll")
  imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr '\n' ' ')
  exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' <<<"$dump" |
            sort | tr '\n' ' ')
  echo "== $build/src/kinfold.dll imports: $imports"
  echo "== $build/src/kinfold.dll exports: $exports"
  if grep -Eiq 'libstdc|libgcc|winpthread' <<<"$imports"; then
    echo "kinfold.dll depends on MinGW runtime DLLs" >&2
    return 1
  fi
  if [ "$exports" != "DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer " ]; then
    echo "kinfold.dll exports other than the four entry points" >&2
    return 1
  fi
}

# One Windows build: $1 the build folder, $2 the processor (x86_64 or
# i686), $3 the folder of Wine's programs of that width; further arguments
# are the targets to build. The shared GoogleTest suite runs when every
# target was built (none named).
TestWindowsBuild() {
  local build=$1 arch=$2 system=$3
  shift 3
  local targets=()
  for target in "$@"; do targets+=(--target "$target"); done
  Configure "$build" -DCMAKE_TOOLCHAIN_FILE="$KINFOLD_ROOT/cmake/mingw-w64-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DKINFOLD_BUILD_BENCH=OFF
  cmake --build "$build" --parallel "$jobs" "${targets[@]}"
  CheckDll "$build" "$arch-w64-mingw32"
  UseWineLoader "$build" "$([ "$arch" = i686 ] && echo wine || echo wine64)"
  MakeWinePrefix "$build"
  # Message boxes would wait for a click; the tests read the messages on
  # standard error instead.
  export KINFOLD_MESSAGES=stderr
  local status=0
  if [ $# -eq 0 ]; then
    RunGoogleTest timeout 1800 wine "$build/tests/kinfold_tests.exe" </dev/null || status=$?
  fi
  if RegisterDll "$build" "$system"; then
    RunGoogleTest timeout 600 wine "$build/tests/client/kinfold_client_tests.exe" </dev/null ||
      status=$?
    CompareMemberListings "$build" || status=1
    RunHostScripts "$system" || status=1
  else
    echo "regsvr32 $build/src/kinfold.dll failed" >&2
    Count 0 1
    status=1
  fi
  KINFOLD_CLI="wine $KINFOLD_ROOT/$build/apps/kinfold/kinfold.exe" \
    RunPytest /usr/bin/python3 tests/cli || status=1
  wineserver -k || true
  return "$status"
}

StageWindows() {
  EnsurePackages "${KINFOLD_NATIVE_PACKAGES[@]}" "${KINFOLD_WINDOWS_PACKAGES[@]}"
  TestWindowsBuild build/windows x86_64 system32
}

# The 32-bit DLL and the hosts that drive it; the shared GoogleTest suite
# is the 64-bit stage's, the code being the same.
StageWindows32() {
  EnsurePackages "${KINFOLD_NATIVE_PACKAGES[@]}" "${KINFOLD_WINDOWS_PACKAGES[@]}"
  EnsureArchitecture i386
  EnsurePackages --no-recommends "${KINFOLD_WINDOWS32_PACKAGES[@]}"
  TestWindowsBuild build/windows32 i686 syswow64 \
    kinfold kinfold_client_tests kinfold_typelib_listing kinfold_cli
}

summary=()
failed_stages=0

# Runs a stage in a subshell with errexit in force (it would be ignored in a
# condition) and notes its result and time.
RunStage() {
  local name=$1 function=$2 start=$SECONDS status
  echo "== stage $name"
  set +e
  (
    set -e
    "$function"
  )
  status=$?
  set -e
  local result=ok
  if [ "$status" -ne 0 ]; then
    result="FAILED (exit $status)"
    failed_stages=$((failed_stages + 1))
  fi
  summary+=("$(printf '%-11s %-18s %4d s' "$name" "$result" $((SECONDS - start)))")
}

RunStage native StageNative
[ "$sanitize" -eq 1 ] && RunStage sanitizers StageSanitizers
[ "$sanitize" -eq 1 ] && RunStage injection StageInjection
[ "$reliability" -eq 1 ] && RunStage soak StageSoak
[ "$reliability" -eq 1 ] && RunStage threads StageThreads
[ "$reliability" -eq 1 ] && RunStage fuzz StageFuzz
[ "$windows" -eq 1 ] && RunStage windows StageWindows
[ "$windows" -eq 1 ] && [ "$windows32" -eq 1 ] && RunStage windows32 StageWindows32

echo
echo "== summary"
printf '%s\n' "${summary[@]}"
read -r tests_passed tests_failed < <(awk '{ p += $1; f += $2 } END { print p + 0, f + 0 }' "$counts_file")
echo "Tests: $tests_passed passed, $tests_failed failed"
[ "$failed_stages" -eq 0 ]
