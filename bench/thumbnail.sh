#!/usr/bin/env bash
# Times `marrowby2-cli thumbnail` against Debian's icoextract-thumbnailer (exe-thumbnailer) on
# the same files, side by side, as a file manager runs them: 256 pixels, one file each.
# Usage: bench/thumbnail.sh [BUILD_DIR [FILE...]]   (needs hyperfine and icoextract-thumbnailer)
set -euo pipefail
build=${1:-build}
shift || true
wine=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
files=("$@")
[ ${#files[@]} -gt 0 ] || files=("$wine/shell32.dll" "$wine/notepad.exe")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for file in "${files[@]}"; do
    echo "== $file ($(stat -c %s "$file") bytes)"
    hyperfine -N --warmup 3 --min-runs 20 \
        -n marrowby2-cli "$build/marrowby2-cli thumbnail -s 256 $file $out/marrowby2.png" \
        -n exe-thumbnailer "exe-thumbnailer -s 256 $file $out/icoextract.png"
done
