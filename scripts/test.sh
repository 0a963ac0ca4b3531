#!/usr/bin/env bash
# Builds Kinfold and runs every test suite:
#   native       build/native, the GoogleTest suite and any other CTest tests
#   sanitizers   build/asan, the same under AddressSanitizer and UBSan
#   injection    build/asan again: every allocation and file read of loads
#                and walks of a few corpus files fails in turn
#   soak         build/native: a 1 MB file loaded and released 1,000 times
#   threads      build/tsan, ThreadSanitizer: 8 hosts at once
#   fuzz         build/fuzz, clang and libFuzzer: each target for 60 s
#   windows      build/windows, cross-built with mingw-w64, run under Wine in
#                a fresh prefix; then, against the registered kinfold.dll,
#                the COM client suite, the comparison of the type library's
#                members with the native dispatch tables, and the scripts in
#                tests/scripts through Wine's cscript
# Missing tools are installed with apt-get when run as root (Debian 12).
# Build folders are kept, so a second run rebuilds only what changed.
set -euo pipefail

Usage() {
  cat <<'EOF'
usage: scripts/test.sh [--native-only] [--no-sanitize] [--no-reliability] [--jobs N]
  --native-only     skip the Windows cross build and Wine
  --no-sanitize     skip the AddressSanitizer/UBSan build and fault injection
  --no-reliability  skip the soak, ThreadSanitizer and fuzz stages
  --jobs N        parallel compile jobs (default 2)
EOF
}

source "$(dirname "${BASH_SOURCE[0]}")/build_common.sh"
cd "$KINFOLD_ROOT"

windows=1
sanitize=1
reliability=1
jobs=2
while [ $# -gt 0 ]; do
  case $1 in
    --native-only) windows=0 ;;
    --no-sanitize) sanitize=0 ;;
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

# CTest tests other than the GoogleTest program (consumers of the installed
# package and the like); nothing to do when there are none.
RunOtherTests() {
  local dir=$1
  if ctest --test-dir "$dir" -N -E '^kinfold_tests$' | grep -q 'Test *#'; then
    ctest --test-dir "$dir" -E '^kinfold_tests$' --output-on-failure
  fi
}

StageNative() {
  EnsurePackages "${KINFOLD_NATIVE_PACKAGES[@]}"
  ConfigureNative
  cmake --build build/native --parallel "$jobs"
  RunGoogleTest build/native/tests/kinfold_tests
  RunOtherTests build/native
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
  cmake --build build/fuzz --parallel "$jobs" --target load_walk_fuzz footnote_pattern_fuzz
  export ASAN_OPTIONS=detect_leaks=1
  local target
  for target in load_walk_fuzz footnote_pattern_fuzz; do
    echo "== $target"
    if tests/fuzz/run_fuzz.sh build/fuzz "$target" 60; then Count 1 0; else Count 0 1; return 1; fi
  done
}

# kinfold.dll is 64-bit. Once wine32 is installed beside wine64, Debian's
# `wine` starts Wine's own programs (cscript, regsvr32) as 32-bit ones, which
# see the 32-bit half of the registry and so not the class; a `wine` first on
# the PATH that always takes the 64-bit loader keeps every run 64-bit.
UseWine64Loader() {
  [ -x /usr/lib/wine/wine64 ] && [ -x /usr/lib/wine/wine ] || return 0
  local bin=$KINFOLD_ROOT/build/windows/bin
  mkdir -p "$bin"
  printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' \
    >"$bin/wine"
  chmod +x "$bin/wine"
  export PATH=$bin:$PATH
}

# A new prefix for every run, so nothing registered by an earlier run can
# make a test pass. mscoree/mshtml are disabled so that Wine does not offer
# to install Mono or Gecko.
MakeWinePrefix() {
  UseWine64Loader
  export WINEPREFIX=$KINFOLD_ROOT/build/windows/wineprefix
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  rm -rf "$WINEPREFIX"
  local start=$SECONDS
  timeout 300 wine wineboot -i </dev/null >/dev/null 2>&1
  echo "== wine prefix ready in $((SECONDS - start)) s"
}

# Registers kinfold.dll in the prefix once for everything that follows: the
# client suite, the member listing and the scripts. It comes after
# kinfold_tests.exe, whose registration tests unregister the class again.
RegisterDll() {
  wine regsvr32 /s "$(winepath -w build/windows/src/kinfold.dll)" </dev/null
}

# The members of every dual interface with their DISPIDs and invoke kinds, as
# the registered type library shows them under Wine and as the native
# dispatch tables hold them, must be the same lines.
CompareMemberListings() {
  local native windows status=0
  native=$(mktemp)
  windows=$(mktemp)
  cmake --build build/native --parallel "$jobs" --target kinfold_dispatch_listing &&
    build/native/tests/client/kinfold_dispatch_listing >"$native" &&
    timeout 300 wine build/windows/tests/client/kinfold_typelib_listing.exe </dev/null |
    tr -d '\r' >"$windows" || status=1
  if [ "$status" -eq 0 ] && [ -s "$native" ] && diff -u "$native" "$windows"; then
    echo "[ listing ok ] $(wc -l <"$native") members agree natively and in the type library"
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
  local scripts=()
  shopt -s nullglob
  scripts=(tests/scripts/*.vbs tests/scripts/*.js)
  shopt -u nullglob
  [ ${#scripts[@]} -eq 0 ] && return 0
  local script output failures=0
  for script in "${scripts[@]}"; do
    output=$(timeout 300 wine cscript //nologo "$(winepath -w "$script")" </dev/null 2>&1) || true
    printf '%s\n' "$output"
    if [ "$(printf '%s\n' "$output" | tr -d '\r' | tail -n 1)" = PASS ]; then
      Count 1 0
      echo "[ script ok ] $script"
    else
      Count 0 1
      failures=$((failures + 1))
      echo "[ script FAILED ] $script"
    fi
  done
  [ "$failures" -eq 0 ]
}

# The runtimes are linked in: kinfold.dll must import system DLLs only, and
# export exactly the four entry points.
CheckDll() {
  local dump imports exports
  dump=$(x86_64-w64-mingw32-objdump -p build/windows/src/kinfold.dll)
  imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr '\n' ' ')
  exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' <<<"$dump" |
            sort | tr '\n' ' ')
  echo "== kinfold.dll imports: $imports"
  echo "== kinfold.dll exports: $exports"
  if grep -Eiq 'libstdc|libgcc|winpthread' <<<"$imports"; then
    echo "kinfold.dll depends on MinGW runtime DLLs" >&2
    return 1
  fi
  if [ "$exports" != "DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer " ]; then
    echo "kinfold.dll exports other than the four entry points" >&2
    return 1
  fi
}

StageWindows() {
  EnsurePackages "${KINFOLD_NATIVE_PACKAGES[@]}" "${KINFOLD_WINDOWS_PACKAGES[@]}"
  Configure build/windows -DCMAKE_TOOLCHAIN_FILE="$KINFOLD_ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DKINFOLD_BUILD_BENCH=OFF
  cmake --build build/windows --parallel "$jobs"
  CheckDll
  MakeWinePrefix
  # Message boxes would wait for a click; the tests read the messages on
  # standard error instead.
  export KINFOLD_MESSAGES=stderr
  local status=0
  RunGoogleTest timeout 1800 wine build/windows/tests/kinfold_tests.exe </dev/null || status=$?
  if RegisterDll; then
    RunGoogleTest timeout 600 wine build/windows/tests/client/kinfold_client_tests.exe </dev/null ||
      status=$?
    CompareMemberListings || status=1
    RunHostScripts || status=1
  else
    echo "regsvr32 kinfold.dll failed" >&2
    Count 0 1
    status=1
  fi
  wineserver -k || true
  return "$status"
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

echo
echo "== summary"
printf '%s\n' "${summary[@]}"
read -r tests_passed tests_failed < <(awk '{ p += $1; f += $2 } END { print p + 0, f + 0 }' "$counts_file")
echo "Tests: $tests_passed passed, $tests_failed failed"
[ "$failed_stages" -eq 0 ]
