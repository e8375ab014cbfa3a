#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time, seeded from the
# test builders' files: fuzz.sh DIR [SECONDS]. Exits non-zero when a fuzzer finds a crash, a
# hang or excessive memory use; the input that did it is left in DIR/findings.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
seconds=${2:-25}
fuzzers=(pe ne ani ico png loadicons shortcut msi)

cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
    -DMARROWBY_GUI=OFF -DMARROWBY_SANITIZE=ON -DMARROWBY_FUZZ=ON >/dev/null
cmake --build "$dir" -j "$(nproc)" --target make_fuzz_seeds "${fuzzers[@]/#/fuzz_}"

"$dir/tests/fuzz/make_fuzz_seeds" "$dir/seeds"
mkdir -p "$dir/findings"
for name in "${fuzzers[@]}"; do
    mkdir -p "$dir/corpus/$name"
    echo "fuzz_$name: ${seconds} s"
    "$dir/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
        -artifact_prefix="$dir/findings/$name-" -print_final_stats=0 \
        "$dir/corpus/$name" "$dir/seeds/$name" >"$dir/fuzz_$name.log" 2>&1 ||
        { tail -n 40 "$dir/fuzz_$name.log"; exit 1; }
    grep -E '^Done' "$dir/fuzz_$name.log" || true
done
