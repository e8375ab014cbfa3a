#!/usr/bin/env bash
# The subdirectory scan dialog's walk (folders and icon files) beside `find FOLDER -type d`, warm cache: both
# run once to warm the cache, then the fastest of five runs of each is printed.
# Usage: bench/folder-walk.sh [BUILD_DIR [FOLDER]]   (BUILD_DIR configured with -DMARROWBY_BENCH=ON)
set -euo pipefail
build=${1:-build}
folder=${2:-/usr/lib}
find "$folder" -type d > /dev/null 2>&1 || true
best=
for _ in 1 2 3 4 5; do
    start=$(date +%s%N)
    find "$folder" -type d > /dev/null 2>&1 || true
    ms=$(( ($(date +%s%N) - start) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
done
echo "find $folder -type d: $(find "$folder" -type d 2>/dev/null | wc -l) folders, $best ms"
QT_QPA_PLATFORM=offscreen "$build/bench/bench_scandirs" "$folder" 5
