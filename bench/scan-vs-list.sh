#!/usr/bin/env bash
# The window's Scan Subdirectories beside the tool's recursive listing of the same tree, warm
# cache: `marrowby2-cli list -r FOLDER` (the fastest of RUNS runs, wall and CPU time) and the
# window's folder-tree scan from the command to the filled grid (subdirectory scan dialog, load
# run, grid), with the longest stretch in which its event loop did not turn. The window's time
# should stay within 1.2 times the tool's, its longest gap under 50 ms.
# Usage: bench/scan-vs-list.sh [BUILD_DIR [FOLDER [RUNS]]]   (BUILD_DIR configured with
# -DMARROWBY_BENCH=ON)
set -euo pipefail
build=${1:-build}
folder=${2:-/usr/lib}
runs=${3:-3}
cli=${CLI:-$build/marrowby2-cli}  # CLI=PATH takes the tool from another build
"$cli" list -r "$folder" > /dev/null 2>&1 || true
best_wall= best_cpu=
for ((i = 0; i < runs; i++)); do
    read -r wall user sys < <(/usr/bin/time -f "%e %U %S" "$cli" list -r "$folder" \
        2>&1 >/dev/null | tail -1)
    cpu=$(echo "$user + $sys" | bc)
    if [ -z "$best_wall" ] || (( $(echo "$wall < $best_wall" | bc) )); then best_wall=$wall; fi
    if [ -z "$best_cpu" ] || (( $(echo "$cpu < $best_cpu" | bc) )); then best_cpu=$cpu; fi
done
echo "marrowby2-cli list -r $folder: ${best_wall} s (CPU ${best_cpu} s), fastest of $runs"
best_window=
for ((i = 0; i < runs; i++)); do
    line=$(QT_QPA_PLATFORM=offscreen "$build/bench/bench_window" /dev/null "$folder" 2>/dev/null |
        grep folder-tree)
    echo "$line"
    ms=$(sed -E 's/.* cells, ([0-9.]+) ms.*/\1/' <<<"$line")
    if [ -z "$best_window" ] || (( $(echo "$ms < $best_window" | bc) )); then best_window=$ms; fi
done
echo "window, fastest of $runs: $best_window ms, $(echo "scale=2; $best_window / ($best_wall * 1000)" |
    bc) times the tool's wall time"
