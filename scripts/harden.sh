#!/usr/bin/env bash
# The hardening checks: every test of both charset builds under ASan and UBSan, clang-tidy
# and cppcheck over all our sources (any finding fails), and the end-to-end tests with the
# tool under valgrind. WAVSLICE_WERROR=ON turns compiler warnings into errors.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_build_tools
ensure_packages libgtest-dev
ensure_tool clang++ clang
ensure_tool clang-tidy clang-tidy
ensure_tool cppcheck cppcheck
ensure_tool valgrind valgrind
ensure_packages libclang-rt-dev
jobs=$(nproc)
sources=(app platform wav split fuzz tests)

echo "== sanitizers =="
WAVSLICE_SANITIZE=ON bash scripts/test.sh

echo "== clang-tidy =="
# The fuzz targets are configured too, so that their sources have compile commands.
CXX=clang++ cmake -S . -B build-analyse -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON \
    -DWAVSLICE_FUZZ=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# One file per run: clang 14's analyser has reported phantom findings across files.
if ! find "${sources[@]}" -name '*.cpp' -print0 |
    xargs -0 -n1 -P"$jobs" clang-tidy -p build-analyse --quiet >build-analyse/clang-tidy.log 2>&1; then
    grep -E -A3 'warning:|error:' build-analyse/clang-tidy.log || cat build-analyse/clang-tidy.log
    echo "clang-tidy found problems" >&2
    exit 1
fi
echo "clean"

echo "== cppcheck =="
# useStlAlgorithm: a loop of push_back reads better than std::transform with an inserter.
cppcheck --std=c++17 --language=c++ --library=googletest --library=posix \
    --enable=warning,style,performance,portability --inline-suppr --error-exitcode=1 --quiet \
    -I . --suppress=missingIncludeSystem --suppress=useStlAlgorithm "${sources[@]}"
echo "clean"

echo "== valgrind =="
# ASan sees the tool's memory errors; valgrind also sees reads of uninitialised memory. Each
# tool run the end-to-end tests start runs under it, and a report fails the run.
cmake -S . -B build-valgrind -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
    "$(werror_option)" >/dev/null
cmake --build build-valgrind -j"$jobs" --target wavslice wavslice_e2e_tests
# Valgrind cannot start where the tool can: with only four descriptors (it keeps some of its
# own), or with standard error closed (where its reports go). Those runs are left to ASan.
valgrind --trace-children=yes --error-exitcode=1 --leak-check=full \
    --errors-for-leak-kinds=definite -q build-valgrind/tests/wavslice_e2e_tests \
    --gtest_filter=-ToolInput.InputThatCannotBeReopenedFailsThePiece:*ToolClosedStream*/StandardError:*ToolClosedStream*/AllThree
