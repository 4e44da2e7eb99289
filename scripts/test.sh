#!/usr/bin/env bash
# Installs what is missing, builds both character-set variants (UTF-8 and CP932) and runs
# every test in each. WAVSLICE_WERROR=ON turns compiler warnings into errors;
# WAVSLICE_SANITIZE=ON builds and runs everything under AddressSanitizer and
# UndefinedBehaviorSanitizer, stopping at the first report.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_build_tools
ensure_packages libgtest-dev

sanitize=${WAVSLICE_SANITIZE:-OFF}
suffix=
build_type=Release
if [ "$sanitize" = ON ]; then
    suffix=-sanitize
    build_type=RelWithDebInfo
    # The tool's child processes inherit these from the test executables.
    export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
    export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
fi

jobs=$(nproc)
for charset in UTF-8 CP932; do
    dir=build-test-$charset$suffix
    echo "== $charset build${suffix:+ (sanitizers)} =="
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$build_type" -DBUILD_TESTING=ON \
        -DWAVSLICE_CHARSET="$charset" "$(werror_option)" \
        -DWAVSLICE_SANITIZE="$sanitize" >/dev/null
    cmake --build "$dir" -j"$jobs"
    (cd "$dir" && ctest --output-on-failure --no-tests=error -j"$jobs")
done
