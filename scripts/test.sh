#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"
export QT_QPA_PLATFORM=offscreen
summary=$(mktemp)
trap 'rm -f "$summary"' EXIT
ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)" | tee "$summary"

# The core's unit tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
"$root/scripts/build.sh" "$root/build-asan" -DMARROWBY_GUI=OFF -DMARROWBY_SANITIZE=ON
ctest --test-dir "$root/build-asan" --output-on-failure -j "$(nproc)" | tee -a "$summary"

# Every reader and the loading entry point under libFuzzer, about 25 seconds each.
"$root/scripts/fuzz.sh" "$root/build-fuzz" "${MARROWBY_FUZZ_SECONDS:-25}"

# One closing line over both test runs (ctest stops the script before this on any failure).
passed=$(grep -Eo 'out of [0-9]+' "$summary" | awk '{n += $3} END {print n + 0}')
echo "tests: $passed passed, 0 failed"
