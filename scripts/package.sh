#!/usr/bin/env bash
# Installs what is missing, builds the Linux release in build-package/, checks the install
# tree and that the manual renders without warnings, makes the .deb with cpack, installs
# it with dpkg, cuts a generated sample with /usr/bin/wavslice, reads `man wavslice`, and
# removes the package again. WAVSLICE_WERROR=ON turns compiler warnings into errors.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_build_tools
ensure_packages groff man-db dpkg-dev

if package_installed wavslice; then
    echo "wavslice is installed as a package already; remove it first (dpkg -r wavslice)" >&2
    exit 1
fi

echo "== manual =="
# preconv (-k) reads the UTF-8 source; the utf8 device has the Japanese glyphs.
warnings=$(groff -k -Tutf8 -man -ww -z man/wavslice.1 2>&1)
if [ -n "$warnings" ]; then
    echo "$warnings" >&2
    exit 1
fi
echo "man/wavslice.1 renders without warnings"

echo "== Linux release and install tree =="
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr "$(werror_option)" >/dev/null
cmake --build build-package -j"$(nproc)"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/wavslice-package.XXXXXX")
cleanup() {
    if [ -n "${we_installed:-}" ] && package_installed wavslice; then
        as_root dpkg -r wavslice >/dev/null
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

cmake --install build-package --prefix "$scratch/stage" >/dev/null
(cd "$scratch/stage" && find . -type f | sort) >"$scratch/tree"
printf '%s\n' ./bin/wavslice ./share/doc/wavslice/README.md ./share/doc/wavslice/changelog.gz \
    ./share/doc/wavslice/copyright ./share/man/man1/wavslice.1.gz | diff - "$scratch/tree"
echo "cmake --install puts: $(paste -sd " " "$scratch/tree")"
# Made with gzip -9n from the sources: no name or time inside, so every build is the same.
same_gzip() {
    if ! cmp -s <(gzip -9nc "$1") "$scratch/stage/$2"; then
        echo "$2 is not gzip -9n of $1" >&2
        exit 1
    fi
}
same_gzip man/wavslice.1 share/man/man1/wavslice.1.gz
same_gzip packaging/changelog share/doc/wavslice/changelog.gz
echo "the manual and the changelog are gzip -9n of man/wavslice.1 and packaging/changelog"

echo "== .deb =="
rm -f build-package/wavslice_*.deb
(cd build-package && cpack -G DEB >/dev/null)
deb=$(ls build-package/wavslice_*.deb)
dpkg-deb --info "$deb" | sed -n 's/^ \(Package\|Version\|Section\|Depends\|Maintainer\):/  &/p'

we_installed=1
as_root dpkg -i "$deb" >/dev/null
[ "$(command -v wavslice)" = /usr/bin/wavslice ]

repo=$PWD
mkdir "$scratch/run"
(
    cd "$scratch/run"
    python3 "$repo/scripts/make_sample.py" take.wav 25.4
    /usr/bin/wavslice take.wav 10 >out.txt 2>&1
    grep -q '20 -  25 (5sec)' out.txt
    [ "$(stat -c %s take000.wav take001.wav take002.wav | tr '\n' ' ')" = \
        "1764044 1764044 882044 " ]
)
echo "/usr/bin/wavslice cut a 25.4 s sample into take000.wav take001.wav take002.wav"

man --warnings wavslice >"$scratch/man.txt" 2>"$scratch/man.err"
if [ -s "$scratch/man.err" ] || ! grep -q 'cut a stereo PCM WAV file' "$scratch/man.txt"; then
    cat "$scratch/man.err" >&2
    echo "man wavslice did not render the manual" >&2
    exit 1
fi
echo "man wavslice renders $(wc -l <"$scratch/man.txt") lines"

as_root dpkg -r wavslice >/dev/null
if package_installed wavslice || [ -e /usr/bin/wavslice ] ||
    [ -e /usr/share/man/man1/wavslice.1.gz ] || [ -e /usr/share/doc/wavslice ]; then
    echo "dpkg -r wavslice left the package or its files behind" >&2
    exit 1
fi
echo "dpkg -r wavslice removed it"
