#!/usr/bin/env bash
# Installs what is missing, checks that the manual renders without warnings (groff, and
# mandoc's lint), builds the Linux release in build-package/ with Debian's hardening flags,
# checks the install tree, makes the .deb with cpack and has lintian check it (any error or
# warning fails), installs it with dpkg, cuts a generated sample with /usr/bin/wavslice,
# reads `man wavslice`, and removes the package again. WAVSLICE_WERROR=ON turns compiler
# warnings into errors.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_build_tools
ensure_packages groff man-db mandoc dpkg-dev lintian

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
# mandoc's lint also knows the man macros' rules; its style notes are below warning level.
warnings=$(mandoc -Tlint -Wwarning man/wavslice.1 2>&1) || true
if [ -n "$warnings" ]; then
    echo "$warnings" >&2
    exit 1
fi
echo "man/wavslice.1 renders without warnings, and mandoc -Tlint finds none"

echo "== Linux release and install tree =="
# The flags a Debian package is built with: fortified functions, full RELRO and the rest.
# CMake has no CPPFLAGS, so those go with the compiler's flags.
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr "$(werror_option)" \
    -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
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

# The changelog and the manual name the version they describe.
version=$(dpkg-deb -f "$deb" Version)
logged=$(dpkg-parsechangelog -l packaging/changelog -S Version)
if [ "$logged" != "$version" ]; then
    echo "packaging/changelog's latest entry is $logged, the package is $version" >&2
    exit 1
fi
if ! grep -q "^\.TH .* \"wavslice $version\"" man/wavslice.1; then
    echo "man/wavslice.1's .TH line does not name wavslice $version" >&2
    exit 1
fi
echo "packaging/changelog and man/wavslice.1 are of version $version"

echo "== lintian =="
# The info and pedantic tags are shown too; errors and warnings fail.
status=0
lintian --fail-on error,warning --display-info --pedantic "$deb" >"$scratch/lintian" 2>&1 ||
    status=$?
grep -v '^running with root privileges is not recommended!$' "$scratch/lintian" || true
if [ "$status" -ne 0 ]; then
    echo "lintian does not accept $deb (status $status)" >&2
    exit 1
fi
echo "lintian accepts $deb"

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
