#!/usr/bin/env bash
# Runs one fuzz target over a fresh work folder: the seed corpus is replayed,
# then the target runs as the remaining libFuzzer arguments say (-runs and
# -seed for a repeatable run; -max_total_time for an open-ended one). New
# inputs and any crashing input land in the work folder, never in the
# repository's corpus.
#   run_fuzzer.sh FUZZER CORPUS WORK [libFuzzer options...]
set -euo pipefail
fuzzer=$1 corpus=$2 work=$3
shift 3
rm -rf "$work"
mkdir -p "$work/new" "$work/tmp"
# The targets write files for every input; memory is quicker than a disk.
if [[ -d /dev/shm && -w /dev/shm ]]; then
  scratch=$(mktemp -d /dev/shm/tempovia-fuzz.XXXXXX)
  trap 'rm -rf "$scratch"' EXIT
  export TMPDIR=$scratch
else
  export TMPDIR=$work/tmp
fi
# LeakSanitizer: Qt's and fontconfig's own allocations are not ours.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/tests/lsan.supp}
cd "$work"
"$fuzzer" -artifact_prefix="$work/" -print_final_stats=1 "$@" "$work/new" "$corpus"
