#!/usr/bin/env bash
# Runs scripts/windows.sh as a caller that captures its output does, out=$(... 2>&1), and
# fails unless it passes, the capture returns (a process of it that lived on would hold the
# pipe open) and no process of its Wine prefix is left. The script makes its prefix under
# TMPDIR, so it gets a scratch TMPDIR of its own here, where any leftover is looked for.
# WINDOWS_LIMIT (seconds, default 1200) bounds the wait for a capture that never returns.
set -euo pipefail
cd "$(dirname "$0")/.."
limit=${WINDOWS_LIMIT:-1200}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/wavslice-windows-run.XXXXXX")
log=$scratch/windows.log

# Prints "PID command" for each live process whose WINEPREFIX lies in the scratch directory.
# Zombies are left out: they hold nothing open, and under some init nobody reaps them.
leftovers() {
    local environ pid state
    for environ in /proc/[0-9]*/environ; do
        pid=${environ#/proc/}
        pid=${pid%/environ}
        tr '\0' '\n' 2>/dev/null <"$environ" |
            want="WINEPREFIX=$scratch/" awk 'index($0, ENVIRON["want"]) == 1 { found = 1 }
                END { exit !found }' || continue
        state=$(awk '$1 == "State:" { print $2 }' "/proc/$pid/status" 2>/dev/null) || continue
        case $state in '' | Z) continue ;; esac
        echo "$pid $(tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline" | sed 's/ *$//')"
    done
}

kill_leftovers() {
    local pid
    while read -r pid _; do
        kill -KILL "$pid" 2>/dev/null || true
    done < <(leftovers)
}
trap 'kill_leftovers; rm -rf "$scratch"' EXIT

# The capture is made in a child shell, so that a pipe held open keeps the child waiting and
# not this script; timeout then ends the child. tee keeps a copy to show.
status=0
# shellcheck disable=SC2016  # the child expands it
TMPDIR=$scratch timeout --kill-after=30 "$limit" \
    bash -c 'set -o pipefail; out=$(bash scripts/windows.sh 2>&1 | tee "$0")' "$log" \
    >/dev/null 2>&1 || status=$?
cat "$log"

echo "== what scripts/windows.sh left =="
failed=0
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "out=\$(bash scripts/windows.sh 2>&1) did not return within $limit s" >&2
    failed=1
elif [ "$status" -ne 0 ]; then
    echo "scripts/windows.sh failed (status $status)" >&2
    failed=1
fi
# Without this, a script that put its prefix elsewhere would pass the search below unseen.
prefix=$(sed -n 's/^Wine prefix \(.*\) made in .*/\1/p' "$log")
case $prefix in
"$scratch"/*) ;;
*)
    echo "scripts/windows.sh did not report a Wine prefix under its TMPDIR ($prefix)" >&2
    failed=1
    ;;
esac
left=$(leftovers)
if [ -n "$left" ]; then
    printf 'Wine processes of scripts/windows.sh outlived it:\n%s\n' "$left" >&2
    failed=1
fi
[ "$failed" -eq 0 ] || exit 1
echo "the capture returned, and no process of its Wine prefix is left"
