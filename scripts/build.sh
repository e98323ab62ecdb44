#!/usr/bin/env bash
# Configures and builds everything into build/ (two jobs: a two-core machine).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build build -j2
