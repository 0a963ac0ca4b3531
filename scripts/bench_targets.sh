#!/usr/bin/env bash
# Prints the load, memory and walk targets beside what this machine measures,
# on 100 MB copies of kennedy.ged and IvarKingOfDublin.ged (and 10 MB copies
# for the growth), each load the best of three beside md5sum of the same file.
#
#     scripts/bench_targets.sh [BUILD] [--gigabyte] [--wine]
#
# BUILD is a native build folder with the benchmarks (default build/native);
# --gigabyte also loads a 1 GB copy of kennedy.ged; --wine also cross-builds
# load_bench.exe in build/windows-bench and loads the 100 MB copies under
# Wine, in the prefix that scripts/test.sh made in build/windows. The copies go to /dev/shm
# when it exists (else the temporary folder) and are removed at the end.
set -euo pipefail

build=build/native
gigabyte=0
wine=0
for argument in "$@"; do
  case $argument in
    --gigabyte) gigabyte=1 ;;
    --wine) wine=1 ;;
    *) build=$argument ;;
  esac
done
cd "$(dirname "${BASH_SOURCE[0]}")/.."
cmake --build "$build" --parallel 2 --target gedcom_replicate load_bench walk_bench >/dev/null
if [ "$wine" = 1 ]; then
  source scripts/build_common.sh
  Configure build/windows-bench -DCMAKE_TOOLCHAIN_FILE="$KINFOLD_ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DKINFOLD_BUILD_BENCH=ON >/dev/null
  cmake --build build/windows-bench --parallel 2 --target load_bench >/dev/null
  [ -x build/windows/bin/wine ] && export PATH=$PWD/build/windows/bin:$PATH
  export WINEPREFIX=$PWD/build/windows/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export KINFOLD_MESSAGES=stderr
fi

folder=$([ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")
# Copy runs in a command substitution, where it cannot add to a list of this
# shell's, so the copies are removed by their names.
trap 'rm -f "$folder"/kinfold-bench-*.ged' EXIT

Copy() {  # source megabytes -> path
  local path="$folder/kinfold-bench-$(basename "$1" .ged)-$2.ged"
  "$build/bench/gedcom_replicate" "$1" "$path" "$2" >/dev/null
  echo "$path"
}

Md5Seconds() {
  local best=999 start end seconds
  for _ in 1 2 3; do
    start=$(date +%s.%N)
    md5sum "$1" >/dev/null
    end=$(date +%s.%N)
    seconds=$(echo "$end - $start" | bc -l)
    best=$(echo "if ($seconds < $best) $seconds else $best" | bc -l)
  done
  printf '%.3f' "$best"
}

# "seconds MBps rss-ratio" of load_bench's summary lines, over `repeats`
# loads in one process (default 3): the time is the best load's, the peak the
# process's.
LoadFigures() {
  "$build/bench/load_bench" "$1" "${2:-3}" |
    awk '/^load\+link:/ {s=$2; m=$4} /^peak RSS:/ {gsub(/\(/, "", $5); r=$5} END {print s, m, r}'
}

# "one-load-ratio (three-load-ratio)": the peak of a process that loads the
# file once, as a host opening a file has it, and of one that loads it three
# times, where the allocator's reuse of freed memory adds to it.
PeakRatios() {
  local one
  read -r _ _ one <<<"$(LoadFigures "$1" 1)"
  echo "$one ($2 over 3 loads)"
}

declare -A figure
for name in kennedy IvarKingOfDublin; do
  big=$(Copy "tests/data/corpus/$name.ged" 100)
  small=$(Copy "tests/data/corpus/$name.ged" 10)
  md5=$(Md5Seconds "$big")
  read -r seconds speed rss <<<"$(LoadFigures "$big")"
  read -r small_seconds _ _ <<<"$(LoadFigures "$small")"
  figure[$name.speed]="$speed MB/s"
  figure[$name.md5]="$(printf '%.2f' "$(echo "$seconds / $md5" | bc -l)") ($seconds s / $md5 s)"
  figure[$name.rss]="$(PeakRatios "$big" "$rss")"
  figure[$name.growth]="$(printf '%.1f' "$(echo "$seconds / $small_seconds" | bc -l)")"
  if [ "$wine" = 1 ]; then
    wine_seconds=$(wine build/windows-bench/bench/load_bench.exe "$(winepath -w "$big")" 3 2>/dev/null |
      awk '/^load\+link:/ {print $2}')
    figure[$name.wine]="$(printf '%.2f' "$(echo "$wine_seconds / $seconds" | bc -l)") ($wine_seconds s / $seconds s)"
  fi
  if [ "$name" = IvarKingOfDublin ]; then
    walk=$("$build/bench/walk_bench" "$big" 3)
    figure[walk]=$(awk '/early-bound:/ {print $(NF-5), "s"}' <<<"$walk")
    figure[footnote]=$(awk '/^Footnote/ {print $(NF-6) / 1000, "us"}' <<<"$walk")
  fi
  rm -f "$big" "$small"
done

echo "| measure | target | kennedy x 100 MB | Ivar x 100 MB |"
echo "|---|---|---|---|"
echo "| load + link | >= 300 MB/s | ${figure[kennedy.speed]} | ${figure[IvarKingOfDublin.speed]} |"
echo "| load / md5sum | <= 1.75 | ${figure[kennedy.md5]} | ${figure[IvarKingOfDublin.md5]} |"
echo "| peak RSS / file | <= 1.0 | ${figure[kennedy.rss]} | ${figure[IvarKingOfDublin.rss]} |"
echo "| time 100 MB / 10 MB | <= 11 | ${figure[kennedy.growth]} | ${figure[IvarKingOfDublin.growth]} |"
echo "| typical walk, early-bound | <= 0.5 s | | ${figure[walk]} |"
echo "| one footnote | <= 3 us | | ${figure[footnote]} |"
if [ "$wine" = 1 ]; then
  echo "| load under Wine / native | <= 1.5 | ${figure[kennedy.wine]} | ${figure[IvarKingOfDublin.wine]} |"
fi
if [ "$gigabyte" = 1 ]; then
  huge=$(Copy tests/data/corpus/kennedy.ged 1000)
  read -r seconds speed rss <<<"$(LoadFigures "$huge")"
  ratios=$(PeakRatios "$huge" "$rss")
  rm -f "$huge"
  echo "| 1 GB kennedy: load, RSS / file | linear, <= 1.0 | $seconds s, $speed MB/s, $ratios | |"
fi
