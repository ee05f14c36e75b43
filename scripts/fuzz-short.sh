#!/usr/bin/env bash
# A short run of every fuzz target on a scratch copy of its seed corpus.
# Usage: scripts/fuzz-short.sh [seconds per target]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-15}
build="$here/build-fuzz"
cmake -S "$here/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for target in "$here"/fuzz/fuzz_*.cpp; do
  name=$(basename "$target" .cpp)
  mkdir -p "$scratch/$name"
  cp -r "$here/fuzz/corpus/$name/." "$scratch/$name/" 2>/dev/null || true
  echo "fuzz: $name for ${seconds}s"
  status=0
  "$build/$name" -max_total_time="$seconds" -print_final_stats=1 "$scratch/$name" >"$scratch/$name.log" 2>&1 || status=$?
  grep -E 'stat::number_of_executed_units|ERROR|SUMMARY' "$scratch/$name.log" || true
  if [ "$status" -ne 0 ]; then tail -40 "$scratch/$name.log"; exit "$status"; fi
done
