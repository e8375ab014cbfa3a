#!/bin/sh
# Spreads a listing over two "hosts" with GNU parallel, as the README shows for many machines,
# and checks that its lines equal one local run's. The hosts are reached through a stand-in for
# ssh that drops the host name and runs the command here, so parallel's remote protocol is used
# without a daemon.
#   ParallelPipeline.sh CLI MAKE_SAMPLE_ICON WORK_FOLDER
set -eu
cli=$1 make_icon=$2 work=$3

if ! command -v parallel >/dev/null 2>&1; then
    echo "GNU parallel is not installed (scripts/install-deps.sh installs it): test skipped"
    exit 77
fi

rm -rf "$work"
mkdir -p "$work/in"
"$make_icon" "$work/sample.ico"
for folder in a b c d; do
    mkdir -p "$work/in/$folder"
    for name in one two "three four" five; do cp "$work/sample.ico" "$work/in/$folder/$name.ico"; done
done
echo "not an icon" >"$work/in/b/notes.txt"

cat >"$work/ssh" <<SCRIPT
#!/bin/sh
echo "\$1" >>"$work/hosts"
shift
[ "\$1" = "--" ] && shift
exec sh -c "\$*"
SCRIPT
chmod +x "$work/ssh"

# Sorted, with one path that is gone by the time it is read.
{ find "$work/in" -type f -print0 | sort -z; printf '%s\0' "$work/in/gone.ico"; } >"$work/paths"

"$cli" list --jsonl --files-from - -0 <"$work/paths" >"$work/local.jsonl" 2>/dev/null || true
# parallel quotes the remote command for $SHELL; CI may leave it unset, and the stand-in runs sh.
SHELL=/bin/sh PARALLEL_HOME="$work/parallel-home" parallel --will-cite --ssh "$work/ssh" -S host1,host2 \
    --pipe --recend '\0' --block 300 -k "$cli" list --jsonl --files-from - -0 \
    <"$work/paths" >"$work/spread.jsonl" 2>"$work/spread.err" || true

lines=$(wc -l <"$work/local.jsonl")
[ "$lines" -eq 18 ] || { echo "local run printed $lines lines, not 18"; exit 1; }
cmp "$work/local.jsonl" "$work/spread.jsonl" || {
    echo "the spread run's lines differ; parallel said:"
    cat "$work/spread.err"
    exit 1
}
for host in host1 host2; do
    grep -qx "$host" "$work/hosts" || { echo "$host ran no job"; exit 1; }
done
echo "18 lines equal over $(grep -c . "$work/hosts") connections to two hosts"
