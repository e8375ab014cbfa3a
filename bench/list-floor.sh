#!/usr/bin/env bash
# How close a listing comes to the file system's floor.
#  1. Side by side, warm cache, over the Wine folder: `list --json -r --mask *.*` at -j1 and at
#     the default jobs against `wrestool -x -t14 *` (target: at most 1/10) and `cat *` reading
#     every byte (target: at most 0.15).
#  2. Over a large tree of hard links of the Wine folder (FILES files, default 100000, in
#     folders of 694): files per second of `list --jsonl -r --mask *.*` at -j1 and -j2, and the
#     peak memory, set against a tree a tenth the size (it must not grow with the files).
#  3. Over the Wine folder: `list --jsonl --hash` at -j1 and at the default jobs against
#     `openssl dgst -sha256` of the same files (reported, no target).
# Each figure is the fastest of RUNS runs (default 5; the large tree runs once), as wall time
# and as CPU time (user + system): on a machine shared with other work the CPU time is the
# steadier of the two.
# Usage: [BENCH_TMP=DIR] bench/list-floor.sh [path/to/marrowby2-cli] [RUNS] [FILES]
# BENCH_TMP (default /tmp) must be on the file system that holds the Wine folder, for the links.
# Needs icoutils (wrestool) and Debian's libwine.
set -euo pipefail
cli=$(realpath "${1:-build/marrowby2-cli}")
runs=${2:-5}
files=${3:-100000}
wine=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
work=$(mktemp -d -p "${BENCH_TMP:-/tmp}")
trap 'rm -rf "$work"' EXIT

# "wall-seconds cpu-seconds peak-kilobytes" of the fastest of N runs of a shell command; its
# exit status is not looked at (wrestool fails on the files that hold no icons).
fastest() {
    local n=$1 command=$2 best="" i
    for ((i = 0; i < n; i++)); do
        /usr/bin/time -f "%e %U %S %M" -o "$work/time" sh -c "$command" >/dev/null 2>&1 || true
        local line
        line=$(tail -n 1 "$work/time" | awk '{printf "%.3f %.3f %d\n", $1, $2 + $3, $4}')
        if [ -z "$best" ] || awk -v a="$line" -v b="$best" 'BEGIN{split(a,x," ");split(b,y," ");exit !(x[1]<y[1])}'; then
            best=$line
        fi
    done
    echo "$best"
}

ratio() {  # name ours peer target
    awk -v name="$1" -v a="$2" -v b="$3" -v t="$4" 'BEGIN{
        split(a, o, " "); split(b, p, " ");
        rw = o[1] / p[1]; rc = o[2] / p[2];
        printf "  %-34s wall %.3f  cpu %.3f  (target <= %.2f: %s)\n", name, rw, rc, t,
               (rw <= t && rc <= t) ? "met" : (rw <= t || rc <= t) ? "met by one measure" : "NOT met"}'
}

cd "$wine"
cat -- * >/dev/null  # warm the cache
list="'$cli' list --json -r --mask '*.*'"
echo "Wine folder, $(ls | wc -l) files, fastest of $runs runs: wall s, cpu s, peak kB"
j1=$(fastest "$runs" "$list -j 1 '$wine'")
jd=$(fastest "$runs" "$list '$wine'")
wres=$(fastest "$runs" "cd '$wine' && wrestool -x -t14 *")
catall=$(fastest "$runs" "cd '$wine' && cat *")
printf "  %-34s %s\n" "list -j1" "$j1" "list (default jobs)" "$jd" "wrestool -x -t14 *" "$wres" \
    "cat *" "$catall"
ratio "list -j1 / wrestool" "$j1" "$wres" 0.10
ratio "list / wrestool" "$jd" "$wres" 0.10
ratio "list -j1 / cat" "$j1" "$catall" 0.15
ratio "list / cat" "$jd" "$catall" 0.15

hashing="'$cli' list --jsonl --hash -r --mask '*.*'"
h1=$(fastest "$runs" "$hashing -j 1 '$wine'")
hd=$(fastest "$runs" "$hashing '$wine'")
digest=$(fastest "$runs" "cd '$wine' && openssl dgst -sha256 *")
echo "Hashing the Wine folder, fastest of $runs runs: wall s, cpu s, peak kB"
printf "  %-34s %s\n" "list --hash -j1" "$h1" "list --hash (default jobs)" "$hd" \
    "openssl dgst -sha256 *" "$digest"

# The trees: folders of hard links to the Wine folder's files.
count=$(ls | wc -l)
copies=$(((files + count - 1) / count))
mkdir -p "$work/large" "$work/small"
for ((i = 0; i < copies; i++)); do cp -al "$wine" "$work/large/d$i"; done
for ((i = 0; i < (copies + 9) / 10; i++)); do cp -al "$wine" "$work/small/d$i"; done
echo "Trees of hard links: $((copies * count)) files and $(((copies + 9) / 10 * count)) files"
for jobs in 1 2; do
    for tree in small large; do
        n=$(find "$work/$tree" -type f | wc -l)
        figures=$(fastest 1 "'$cli' list --jsonl -r --mask '*.*' -j $jobs '$work/$tree'")
        awk -v f="$figures" -v n="$n" -v j="$jobs" 'BEGIN{split(f, x, " ");
            printf "  -j%d %7d files: %8.0f files/s (wall), %8.0f files/s (cpu), peak %d kB\n",
                   j, n, n / x[1], n / x[2], x[3]}'
    done
done
