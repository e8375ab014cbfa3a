#!/usr/bin/env bash
# Times marrowby2-cli against the usual peers, side by side in one run, warm cache, every run
# writing into a fresh folder, and prints the ratios the speed targets name:
#   listing      <= 1/10 of `wrestool -x -t14 *` and <= 1/2 of `cat *` over the Wine folder
#   PNG export   <= 1/3 of wrestool + icotool over shell32.dll
#   GIF export   <= 1/4 of Pillow quantising (256 colours, Floyd-Steinberg) the same PNGs
# Usage: [BENCH_TMP=DIR] bench/compare-peers.sh [path/to/marrowby2-cli] [runs]
# The fresh folders go below BENCH_TMP (default /tmp): on a file system where creating a file
# costs more than writing it (an ext4 /tmp full of recently deleted files), that cost weighs on
# both sides; /dev/shm shows what the programs themselves cost.
# Needs hyperfine, icoutils (wrestool, icotool), python3-pil (for /usr/bin/python3) and
# Debian's libwine.
set -euo pipefail
cli=$(realpath "${1:-build/marrowby2-cli}")
runs=${2:-10}
wine=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
work=$(mktemp -d -p "${BENCH_TMP:-/tmp}")
trap 'rm -rf "$work"' EXIT
cd "$wine"

# Mean seconds of one command, as hyperfine measures it (three warm-up runs). The peers' exit
# status is not looked at: wrestool fails on the files that hold no icons.
mean() {
    hyperfine -N -i -w 3 -r "$runs" --export-json "$work/t.json" "$1" >/dev/null 2>&1
    python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["results"][0]["mean"])' "$work/t.json"
}

# A fresh folder for each timed run; creating it costs next to nothing.
fresh='d=$(mktemp -d -p '"$work"')'

# The PNG files the GIF peer reads: icotool's output, made once.
mkdir -p "$work/peer/ICO" "$work/peer/PNG"
wrestool -x -t14 -o "$work/peer/ICO" shell32.dll
for f in "$work"/peer/ICO/*.ico; do icotool -x -o "$work/peer/PNG/" "$f"; done
cat >"$work/pillow.py" <<'PY'
import glob, os, sys, tempfile
from PIL import Image
out = tempfile.mkdtemp(dir=sys.argv[2])
for f in sorted(glob.glob(os.path.join(sys.argv[1], "*.png"))):
    gif = os.path.join(out, os.path.basename(f)[:-4] + ".gif")
    Image.open(f).convert("RGB").quantize(256, dither=Image.Dither.FLOYDSTEINBERG).save(gif)
PY

list=$(mean "$cli list --json -r --mask *.* $wine")
wrestool=$(mean "sh -c 'wrestool -x -t14 * > /dev/null'")
catall=$(mean "sh -c 'cat * > /dev/null'")
png=$(mean "sh -c '$fresh; $cli export --format png -o \$d shell32.dll > /dev/null'")
icotool=$(mean "sh -c '$fresh; mkdir \$d/ICO \$d/PNG; wrestool -x -t14 -o \$d/ICO shell32.dll && for f in \$d/ICO/*.ico; do icotool -x -o \$d/PNG/ \$f; done'")
gif=$(mean "sh -c '$fresh; $cli export --format gif -o \$d shell32.dll > /dev/null'")
pillow=$(mean "/usr/bin/python3 $work/pillow.py $work/peer/PNG $work")

python3 - "$list" "$wrestool" "$catall" "$png" "$icotool" "$gif" "$pillow" <<'PY'
import sys
l, w, c, p, i, g, pil = map(float, sys.argv[1:])
def row(name, ours, peer, peer_name, target):
    ratio = ours / peer
    verdict = "met" if ratio <= target else "NOT met"
    print(f"{name:<12} {ours*1000:8.1f} ms  {peer_name:<18} {peer*1000:8.1f} ms  "
          f"ratio {ratio:5.3f} (target <= {target:.3f}, {verdict})")
row("list", l, w, "wrestool -x -t14", 1 / 10)
row("list", l, c, "cat", 1 / 2)
row("export png", p, i, "wrestool+icotool", 1 / 3)
row("export gif", g, pil, "Pillow", 1 / 4)
PY
