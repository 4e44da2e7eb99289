#!/usr/bin/env bash
# Times wavslice against one plain copy of the input (the limit), the least work that
# writes the same pieces ("floor": create, header, kernel copy, timed inside one process,
# so without the cost of starting a program, which "start" shows) and, where installed, sox
# and ffmpeg doing the same cut. Prints the median time and peak
# memory of each tool and the median ratios of wavslice to each.
#
# usage: bench/bench.sh [SIZE_MIB] [PIECE_SECONDS]      (defaults 256 and 10)
#   ROUNDS=N sets the number of rounds (default 9).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
size_mib=${1:-256}
piece=${2:-10}
rounds=${ROUNDS:-9}

source scripts/deps.sh
ensure_build_tools
ensure_tool /usr/bin/time time

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench --target wavslice -j"$(nproc)" >/dev/null
tool=$root/build-bench/wavslice

# The input is made once and kept; the runs go beside it, on the same file system.
cache=${TMPDIR:-/tmp}/wavslice-bench
mkdir -p "$cache"
input=$cache/take${size_mib}m.wav
if [ ! -f "$input" ]; then
    echo "making $input"
    python3 bench/bench_input.py make "$input" "$size_mib"
fi
work=$(mktemp -d "$cache/runs.XXXXXX")
trap 'rm -rf "$work"' EXIT
cat "$input" >/dev/null  # into the page cache

# The cut, for each tool, run in an empty directory under /usr/bin/time for its peak memory.
run() {
    local rss=(/usr/bin/time -f %M -o "$work/rss")
    case $1 in
    wavslice) "${rss[@]}" "$tool" "$input" "$piece" ;;
    copy) "${rss[@]}" cat "$input" >copy.wav ;;
    start) "${rss[@]}" true ;;
    floor) python3 "$root/bench/bench_input.py" floor "$input" "$piece" >"$work/floor" ;;
    sox) "${rss[@]}" sox "$input" piece.wav trim 0 "$piece" : newfile : restart ;;
    ffmpeg)
        "${rss[@]}" ffmpeg -nostdin -loglevel error -i "$input" -f segment \
            -segment_time "$piece" -c copy piece%03d.wav
        ;;
    esac
}

tools=(wavslice copy floor start)
command -v sox >/dev/null && tools+=(sox)
command -v ffmpeg >/dev/null && tools+=(ffmpeg)

echo "checking the pieces of a first run"
mkdir "$work/check"
(cd "$work/check" && run wavslice >/dev/null 2>&1)
python3 bench/bench_input.py check "$input" "$piece" "$work/check"
rm -rf "$work/check"

results=$work/results.tsv
: >"$results"
# One timed run. The directory is made and removed outside the timed part.
timed() {
    local name=$1 dir start end
    dir=$(mktemp -d "$work/run.XXXXXX")
    cd "$dir"
    start=$(date +%s%N)
    run "$name" >/dev/null 2>&1
    end=$(date +%s%N)
    cd "$work"
    rm -rf "$dir"
    if [ "$name" = floor ]; then
        # Its own figure, without the interpreter's start; its memory is the interpreter's.
        printf 'floor\t%s\t-\n' "$(cat "$work/floor")" >>"$results"
    else
        printf '%s\t%s\t%s\n' "$name" "$((end - start))" "$(tail -n 1 "$work/rss")" >>"$results"
    fi
}

echo "timing ${rounds} rounds: $size_mib MiB, $piece s pieces, $(nproc) cores, ${tools[*]}"
for ((r = 0; r < rounds; r++)); do
    # Each round starts with a different tool, so no tool always follows the same one.
    for ((i = 0; i < ${#tools[@]}; i++)); do
        timed "${tools[$(((r + i) % ${#tools[@]}))]}"
    done
done

python3 - "$results" "$rounds" <<'PY'
import collections, statistics, sys
rows = [line.split("\t") for line in open(sys.argv[1]).read().split("\n") if line]
times, rss = collections.defaultdict(list), collections.defaultdict(list)
for name, ns, kib in rows:
    times[name].append(int(ns) / 1e9)
    if kib != "-":
        rss[name].append(int(kib))
print(f"{'tool':10} {'median s':>9} {'min s':>7} {'peak RSS':>10}")
for name in times:
    print(f"{name:10} {statistics.median(times[name]):9.3f} {min(times[name]):7.3f} "
          + (f"{max(rss[name]) / 1024:7.1f} MiB" if rss[name] else f"{'-':>10}"))
# Ratios per round, then their median: a slow moment of the machine hits one round only.
# "start" is what starting a program costs here; every timed figure but the floor holds it.
for other in [n for n in times if n not in ("wavslice", "start")]:
    ratios = [a / b for a, b in zip(times["wavslice"], times[other])]
    print(f"wavslice/{other}: {statistics.median(ratios):.2f}")
PY
