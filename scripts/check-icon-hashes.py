#!/usr/bin/python3
"""Checks marrowby2-cli's icon group hashes against icoutils and Pillow.

For every executable in a folder, lists it with `list --json --hash` and extracts its icon
groups with `wrestool -x -t14`. Each group's "md5" must equal the MD5 of wrestool's .ico less
the 6 + 14 x N bytes wrestool appends to it, and each "dhash" must equal the difference hash
Pillow computes on that .ico (null where Pillow fails). Prints the counts and every mismatch.

Usage: check-icon-hashes.py MARROWBY2_CLI FOLDER
"""

import hashlib
import io
import json
import os
import subprocess
import sys
import tempfile

from PIL import Image


def pillow_dhash(data):
    try:
        image = Image.open(io.BytesIO(data)).convert("L").resize((9, 8), Image.LANCZOS)
    except Exception:
        return None
    digits = []
    for row in range(8):
        byte = 0
        for col in range(8):
            if image.getpixel((col, row)) > image.getpixel((col + 1, row)):
                byte |= 1 << col
        digits.append("%02x" % byte)
    return "".join(digits)


def extracted_groups(path, scratch):
    """The .ico wrestool writes for each icon group, by group name, first language only."""
    for name in os.listdir(scratch):
        os.unlink(os.path.join(scratch, name))
    subprocess.run(["wrestool", "-x", "-t14", "-o", scratch, path],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    groups = {}
    prefix = os.path.basename(path) + "_14_"
    for name in sorted(os.listdir(scratch)):
        stem = name[len(prefix):-len(".ico")]
        group, _, language = stem.rpartition("_")
        key = group if not group.isdigit() else "#" + group
        groups.setdefault(key, []).append((int(language), os.path.join(scratch, name)))
    return {key: min(files)[1] for key, files in groups.items()}


def main():
    cli, folder = sys.argv[1], sys.argv[2]
    listing = json.loads(subprocess.run([cli, "list", "--json", "--hash", "-r", "--mask", "*.*",
                                         folder], capture_output=True, check=False).stdout)
    counts = {"groups": 0, "md5 equal": 0, "md5 different": 0, "dhash equal": 0,
              "dhash different": 0, "dhash null (both)": 0, "not extracted": 0}
    with tempfile.TemporaryDirectory() as scratch:
        for entry in listing["files"]:
            icon = entry.get("icon")
            if not icon or not icon.get("groups"):
                continue
            extracted = extracted_groups(entry["path"], scratch)
            for group in icon["groups"]:
                counts["groups"] += 1
                where = extracted.get(group["resourceName"])
                if where is None:
                    counts["not extracted"] += 1
                    print("not extracted:", entry["path"], group["resourceName"])
                    continue
                data = open(where, "rb").read()
                count = int.from_bytes(data[4:6], "little")
                data = data[:len(data) - (6 + 14 * count)]
                same = hashlib.md5(data).hexdigest() == group["md5"]
                counts["md5 equal" if same else "md5 different"] += 1
                if not same:
                    print("md5 differs:", entry["path"], group["resourceName"])
                expected = pillow_dhash(data)
                if expected == group["dhash"]:
                    counts["dhash null (both)" if expected is None else "dhash equal"] += 1
                else:
                    counts["dhash different"] += 1
                    print("dhash differs:", entry["path"], group["resourceName"], group["dhash"],
                          "Pillow:", expected)
    for key, value in counts.items():
        print(f"{key}: {value}")
    return 0 if counts["md5 different"] == counts["dhash different"] == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
