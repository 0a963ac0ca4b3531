#!/usr/bin/env bash
# Runs one fuzz target for a bounded time, after replaying the inputs that
# once crashed it (tests/data/fuzz/TARGET). Its working corpus lives in the
# build folder and grows from run to run; it starts from the seeds:
#   load_walk_fuzz         tests/fuzz/seeds/load_walk_fuzz: small pieces of the
#                          corpus files, each behind two option bytes (the
#                          database's options; tolerant reading and decoding)
#   export_fuzz            the same pieces behind one option byte (reading,
#                          who is hidden): the second option byte of each
#   level_rules_fuzz       tests/fuzz/seeds/level_rules_fuzz: short records
#   footnote_pattern_fuzz  tests/fuzz/seeds/footnote_pattern
#   check_fuzz             the corpus files of at most 16 KB, as they are
# Crashing inputs are written to BUILD/fuzz-artifacts/.
#
#   tests/fuzz/run_fuzz.sh BUILD TARGET SECONDS [libFuzzer options...]
set -euo pipefail

[ $# -ge 3 ] || { echo "usage: $0 BUILD TARGET SECONDS [options...]" >&2; exit 2; }
build=$1 target=$2 seconds=$3
shift 3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
data=$here/../data
program=$build/tests/$target
corpus=$build/fuzz-corpus/$target
artifacts=$build/fuzz-artifacts
mkdir -p "$corpus" "$artifacts"

if [ -z "$(ls -A "$corpus")" ]; then
  case $target in
    load_walk_fuzz|level_rules_fuzz)
      cp "$here/seeds/$target"/* "$corpus"/ ;;
    export_fuzz)
      for seed in "$here"/seeds/load_walk_fuzz/*; do
        tail -c +2 "$seed" >"$corpus/$(basename "$seed")"
      done ;;
    footnote_pattern_fuzz)
      cp "$here"/seeds/footnote_pattern/* "$corpus"/ ;;
    check_fuzz)
      for file in "$data"/corpus/*.ged "$data"/corpus/*.GED; do
        [ "$(stat -c %s "$file")" -le 16384 ] && cp "$file" "$corpus"/
      done ;;
    *) echo "no seeds for $target" >&2; exit 2 ;;
  esac
fi

# A fuzzed file grows slower to walk with its size: the walk takes inputs
# of at most 1 KB (the size of the seed pieces), so that it runs a thousand
# times a second over a whole run, not only at its start.
# The entropic schedule weighs every feature of the corpus after each input:
# with the tens of thousands of features of a load and walk, that takes most
# of the time, so that target runs without it.
dict=$here/gedcom.dict max_len=16384 schedule=()
case $target in
  load_walk_fuzz|export_fuzz) max_len=1024 schedule=(-entropic=0) ;;
  level_rules_fuzz) dict= max_len=64 ;;
  footnote_pattern_fuzz) dict=$here/footnote_pattern.dict max_len=4096 ;;
esac

# The targets write each input to a file: in memory, where there is room.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm

# Past crashes first: each must now pass.
shopt -s nullglob
crashes=("$data/fuzz/$target"/*)
shopt -u nullglob
if [ ${#crashes[@]} -gt 0 ]; then
  "$program" -runs=1 "${crashes[@]}"
fi

# The progress lines of new coverage are many; the rest is kept.
set +e
"$program" "$corpus" ${dict:+-dict="$dict"} "${schedule[@]}" -max_total_time="$seconds" -max_len="$max_len" -timeout=60 \
  -rss_limit_mb=4096 -artifact_prefix="$artifacts/" -print_final_stats=1 "$@" 2>&1 |
  grep -v '^#[0-9]*.*\(NEW\|REDUCE\) '
status=${PIPESTATUS[0]}
set -e
exit "$status"
