#!/usr/bin/env bash
# Installs what is missing, cross-builds wavslice.exe with MinGW-w64 in build-windows/,
# checks that it needs no DLL beyond the system's, runs the Windows end-to-end tests
# against it under Wine in a Japanese locale (code page 932), and packs the Windows zip.
# Wine's prefix, home and temporary files live in a scratch directory that is removed
# afterwards, once the Wine server has ended; a process of that prefix still running then
# fails the script. WAVSLICE_WERROR=ON turns compiler warnings into errors.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_build_tools
ensure_packages libgtest-dev g++-mingw-w64-x86-64 mingw-w64 wine64 locales

jobs=$(nproc)

# Wine takes its ANSI code page from the locale: ja_JP.UTF-8 gives code page 932.
if ! locale -a | grep -qix 'ja_JP\.utf-\?8'; then
    echo "generating the ja_JP.UTF-8 locale"
    if grep -q '^# *ja_JP\.UTF-8 UTF-8' /etc/locale.gen; then
        as_root sed -i 's/^# *\(ja_JP\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    else
        echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    fi
    as_root locale-gen >/dev/null
fi

echo "== Windows cross-build =="
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF "$(werror_option)" >/dev/null
cmake --build build-windows -j"$jobs"
exe=$PWD/build-windows/wavslice.exe

# A static build imports only from DLLs that every Windows has.
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ { print $3 }')
for dll in $imports; do
    case "${dll,,}" in
        kernel32.dll | msvcrt.dll) ;;
        *)
            echo "wavslice.exe needs $dll, which is not part of Windows" >&2
            exit 1
            ;;
    esac
done
echo "wavslice.exe imports only: $(paste -sd " " <<<"$imports")"

# The test program runs on Linux and starts wavslice.exe under Wine; it shares the CP932
# test build with scripts/test.sh.
echo "== Windows end-to-end tests under Wine =="
tests=build-test-CP932
cmake -S . -B "$tests" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DWAVSLICE_CHARSET=CP932 \
    "$(werror_option)" >/dev/null
cmake --build "$tests" -j"$jobs" --target wavslice_wine_tests

wine=$(wine64_loader)
wineserver=$(dirname "$wine")/wineserver64

# What Wine would write into a home directory, to prove it wrote nothing there.
wine_home_paths=(.wine .config/menus .local/share/applications .local/share/mime
    .local/share/desktop-directories .cache/wine)
home_before=$(for p in "${wine_home_paths[@]}"; do [ ! -e "$HOME/$p" ] || echo "$p"; done)

scratch=$(mktemp -d "${TMPDIR:-/tmp}/wavslice-wine.XXXXXX")
prefix=$scratch/prefix

# The environment of every Wine command, the tests' and the cleanup's alike: Wine keeps
# the server's socket under TMPDIR, so a command run without it cannot reach the server.
wine_environment() {
    export HOME="$scratch/home" TMPDIR="$scratch/tmp"
    export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
    export XDG_CACHE_HOME="$HOME/.cache"
    export WINEPREFIX="$prefix" WINEDEBUG=-all
    # No menu entries, and no offer to install .NET or a browser engine.
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    unset DISPLAY WAYLAND_DISPLAY
}

# Prints "PID command" for each live process that runs with our prefix. Zombies are left
# out: they hold nothing open, and under some init nobody reaps them.
wine_leftovers() {
    local environ pid state
    for environ in /proc/[0-9]*/environ; do
        pid=${environ#/proc/}
        pid=${pid%/environ}
        tr '\0' '\n' 2>/dev/null <"$environ" | grep -Fxq "WINEPREFIX=$prefix" || continue
        state=$(awk '$1 == "State:" { print $2 }' "/proc/$pid/status" 2>/dev/null) || continue
        case $state in '' | Z) continue ;; esac
        echo "$pid $(tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline" | sed 's/ *$//')"
    done
}

# Ends the server, which takes the prefix's processes with it, and waits until it is gone;
# then fails if any process of the prefix is still there, after killing it.
end_wine() {
    [ -d "$prefix" ] || return 0
    (
        wine_environment
        "$wineserver" -k 2>/dev/null || true
        "$wineserver" -w 2>/dev/null || true
    )
    local left
    left=$(wine_leftovers)
    [ -n "$left" ] || return 0
    printf 'Wine processes of %s outlived the server:\n%s\n' "$prefix" "$left" >&2
    local pid
    while read -r pid _; do
        kill -KILL "$pid" 2>/dev/null || true
    done <<<"$left"
    return 1
}

cleanup() {
    local status=$?
    end_wine || status=1
    rm -rf "$scratch"
    exit "$status"
}
trap cleanup EXIT
mkdir -p "$scratch/home" "$scratch/tmp" "$prefix"

(
    wine_environment
    # One server for the whole run, so that each test's start does not wait for a new one.
    # Its output goes to a file: a server that outlived us must not hold our caller's pipes.
    start=$SECONDS
    "$wineserver" -p >"$scratch/wineserver.log" 2>&1
    "$wine" wineboot --init >/dev/null 2>&1
    echo "Wine prefix $prefix made in $((SECONDS - start)) s"

    WAVSLICE_TOOL="$PWD/tests/wine_run.sh" WAVSLICE_WINE="$wine" WAVSLICE_WINDOWS_EXE="$exe" \
        "$tests/tests/wavslice_wine_tests"
)
end_wine
echo "Wine server ended, no process of its prefix left"

home_after=$(for p in "${wine_home_paths[@]}"; do [ ! -e "$HOME/$p" ] || echo "$p"; done)
if [ "$home_after" != "$home_before" ]; then
    written=$(comm -13 <(echo "$home_before") <(echo "$home_after") | paste -sd " ")
    echo "Wine wrote into $HOME: $written" >&2
    exit 1
fi

echo "== Windows zip =="
rm -f build-windows/wavslice-*.zip
(cd build-windows && cpack -G ZIP >/dev/null)
zip=$(ls build-windows/wavslice-*.zip)
python3 - "$zip" <<'EOF'
import sys
import zipfile

names = sorted(n.split("/", 1)[1] for n in zipfile.ZipFile(sys.argv[1]).namelist())
assert names == ["LICENSE", "README.md", "wavslice.exe"], names
print(sys.argv[1] + ":", ", ".join(names))
EOF
