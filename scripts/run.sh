#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"
if [ -x "$root/build/marrowby2" ]; then
    exec "$root/build/marrowby2"
fi
exec "$root/build/marrowby2-cli" list "$root/build/sample.ico"
