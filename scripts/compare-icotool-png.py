#!/usr/bin/python3
"""Compares the PNG export of marrowby2-cli with icotool's over one executable or library.

Every pixel that icotool writes with alpha above 0 must be equal (colour and alpha) in the
tool's file. Run from the top folder after building:

    scripts/compare-icotool-png.py build/marrowby2-cli /usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll

It extracts the icon groups with wrestool, writes them with icotool -x and exports the file
with the tool's numeric naming (file N is image N of `list --json`), then prints the counts.
Exit status 1 when any compared pixel differs.
"""
import json
import subprocess
import sys
import tempfile
from collections import Counter
from pathlib import Path

from PIL import Image


def icotool_files(source, work):
    groups, pictures = work / "groups", work / "icotool"
    groups.mkdir()
    pictures.mkdir()
    subprocess.run(["wrestool", "-x", "-t14", "-o", str(groups), str(source)], check=True)
    for group in sorted(groups.glob("*.ico")):
        subprocess.run(["icotool", "-x", "-o", str(pictures), str(group)], check=True)
    # <file>_14_<resource>_<language>_<index>_<W>x<H>x<D>.png
    files = {}
    for png in pictures.glob("*.png"):
        head, _language, index, _size = png.stem.rsplit("_", 3)
        files[(head.split("_14_", 1)[1], int(index))] = png
    return files


def tool_files(tool, source, work):
    listing = json.loads(subprocess.run([tool, "list", "--json", str(source)], check=True,
                                        capture_output=True, text=True).stdout)
    images = listing["files"][0]["icon"]["images"]
    out = work / "tool"
    subprocess.run([tool, "export", "--style", "numeric", "-o", str(out), str(source)],
                   check=True, capture_output=True)
    seen = Counter()
    files = {}
    for number, image in enumerate(images, start=1):
        resource = image["resourceName"].lstrip("#")
        seen[resource] += 1
        files[(resource, seen[resource])] = out / f"{number}.png"
    return files


def compare(ours, theirs):
    a = Image.open(ours).convert("RGBA")
    b = Image.open(theirs).convert("RGBA")
    if a.size != b.size:
        return None
    compared = [(p, q) for p, q in zip(a.getdata(), b.getdata()) if q[3] > 0]
    return len(compared), sum(p != q for p, q in compared)


def main():
    tool, source = sys.argv[1], Path(sys.argv[2])
    with tempfile.TemporaryDirectory() as folder:
        work = Path(folder)
        theirs = icotool_files(source, work)
        ours = tool_files(tool, source, work)
        differ, compared, pixels, missing = 0, 0, 0, 0
        for key, picture in sorted(theirs.items()):
            if key not in ours or not ours[key].exists():
                missing += 1
                continue
            counts = compare(ours[key], picture)
            if counts is None:
                differ += 1
                print(f"differs in size: {picture.name}")
                continue
            compared += counts[0]
            if counts[1]:
                differ += 1
                pixels += counts[1]
                print(f"differs: {picture.name} ({counts[1]} pixels)")
        print(f"{len(theirs)} icotool images, {len(ours)} exported, {missing} unmatched; "
              f"{compared} pixels with alpha above 0 compared, {pixels} differ "
              f"in {differ} images")
        return 1 if differ or missing else 0


if __name__ == "__main__":
    sys.exit(main())
