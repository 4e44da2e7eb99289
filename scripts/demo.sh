#!/usr/bin/env bash
# Installs what is missing, builds wavslice, writes a 25.4 s sample and cuts it into
# 10-second pieces in out/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_build_tools

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target wavslice -j"$(nproc)" >/dev/null

rm -rf out/demo
mkdir -p out/demo
cd out/demo
python3 ../../scripts/make_sample.py take.wav 25.4
status=0
../../build/wavslice take.wav 10 || status=$?
echo
echo
echo "exit status $status; pieces in out/demo:"
ls -l
exit "$status"
