#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for SECONDS (default 60), seeded with the crafted
# fixtures, the WAV files of the Python installation's tests and tests/corpus/. Fails on any
# crash, leak or timeout, leaving the input in build-fuzz/artifacts/; copy it to
# tests/corpus/ with a test for the fix. Prints executions per second and the totals.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-60}
source scripts/deps.sh
ensure_build_tools
ensure_tool clang++ clang
ensure_packages libclang-rt-dev

build="build-fuzz"
CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWAVSLICE_FUZZ=ON \
    -DBUILD_TESTING=OFF "$(werror_option)" >/dev/null
cmake --build "$build" -j"$(nproc)" --target wavslice_fuzz_header wavslice_fuzz_split

seeds=$root/$build/seeds
rm -rf "$seeds"
python3 fuzz/make_seeds.py "$seeds"
# Python's own tests carry a few WAV files; Debian ships them in a separate package.
python_wavs() {
    local py
    for py in python3 /usr/bin/python3; do
        command -v "$py" >/dev/null 2>&1 || continue
        find "$("$py" -c 'import sysconfig; print(sysconfig.get_paths()["stdlib"])')" \
            -name '*.wav' -size -1000k -print0 2>/dev/null
    done
}
if [ -z "$(python_wavs | head -c1)" ] && [ -x /usr/bin/python3 ]; then
    ensure_packages "libpython$(/usr/bin/python3 -c 'import sys; print("%d.%d" % sys.version_info[:2])')-testsuite" ||
        echo "no Python test suite to take WAV seeds from"
fi
found=0
while IFS= read -r -d '' wav; do
    cp "$wav" "$seeds/python-$found-$(basename "$wav")"
    found=$((found + 1))
done < <(python_wavs)
echo "seeds: $(find "$seeds" -type f | wc -l) files, $found of them from Python's tests"

# The split target writes its files in a scratch directory: in memory where there is room.
if [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
corpora=("$seeds")
[ -d tests/corpus ] && corpora+=("$root/tests/corpus")
mkdir -p "$build/artifacts"
summary=()
for target in header split; do
    corpus=$root/$build/corpus-$target
    log=$root/$build/fuzz-$target.log
    mkdir -p "$corpus"
    echo "== fuzz $target for ${seconds}s =="
    status=0
    "$build/fuzz/wavslice_fuzz_$target" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -max_len=65536 -close_fd_mask=3 -print_final_stats=1 \
        -artifact_prefix="$root/$build/artifacts/$target-" \
        "$corpus" "${corpora[@]}" 2>"$log" || status=$?
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        echo "fuzz $target failed (status $status); the input is in $build/artifacts/" >&2
        exit 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    inputs=$(find "$corpus" -type f | wc -l)
    summary+=("$target: $runs executions, $rate exec/s, corpus $inputs inputs")
done
printf '%s\n' "${summary[@]}"
