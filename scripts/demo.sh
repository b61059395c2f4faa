#!/usr/bin/env bash
# Installs what is needed, builds, and runs the main job with the built-in demo merchant: the QR
# code in the terminal, the screens and the share image as PNG files under build/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target zelto_cli -j2
./build/zelto demo --out build/demo "$@"
