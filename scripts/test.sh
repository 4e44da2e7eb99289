#!/usr/bin/env bash
# Installs what is missing, builds both character-set variants (UTF-8 and CP932) and runs
# every test in each. WAVSLICE_WERROR=ON turns compiler warnings into errors.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_build_tools
ensure_packages libgtest-dev

jobs=$(nproc)
for charset in UTF-8 CP932; do
    dir=build-test-$charset
    echo "== $charset build =="
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
        -DWAVSLICE_CHARSET="$charset" -DWAVSLICE_WARNINGS_AS_ERRORS="${WAVSLICE_WERROR:-OFF}" \
        >/dev/null
    cmake --build "$dir" -j"$jobs"
    (cd "$dir" && ctest --output-on-failure --no-tests=error -j"$jobs")
done
