#!/usr/bin/env bash
# Installs what is missing, builds, and runs Stakora.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
exec ./build/src/qt/stakora "$@"
