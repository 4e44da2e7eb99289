#!/usr/bin/env bash
# Installs what is missing and checks the formatting of every tracked C++ source against
# .clang-format and every shell script with shellcheck; any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_tool git git
ensure_tool clang-format clang-format
ensure_tool shellcheck shellcheck

echo "== clang-format =="
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
[ ${#sources[@]} -gt 0 ] || { echo "no C++ sources tracked" >&2; exit 1; }
clang-format --dry-run -Werror "${sources[@]}"
echo "${#sources[@]} C++ files formatted as .clang-format says"

echo "== shellcheck =="
# -x follows the scripts into the deps.sh they source.
mapfile -t scripts < <(git ls-files 'scripts/*.sh' 'bench/*.sh' 'tests/*.sh' .ci/run)
[ ${#scripts[@]} -gt 0 ] || { echo "no shell scripts tracked" >&2; exit 1; }
shellcheck -x "${scripts[@]}"
echo "shellcheck finds nothing in ${scripts[*]}"
