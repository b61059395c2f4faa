#!/usr/bin/env bash
# Installs what is needed, builds, and runs the main job with the built-in demo merchant: in a
# window (`zelto app`) when a display is available and SDL can open a window on it, else in the
# terminal (`zelto demo`: the QR code in the terminal, the screens and the share image as PNG
# files under build/demo/). Arguments go to whichever of the two runs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target zelto_cli -j2
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && ./build/zelto app --check 2>/dev/null; then
  exec ./build/zelto app "$@"
fi
echo "demo: no display to open a window on; showing the flow in the terminal" >&2
exec ./build/zelto demo --out build/demo "$@"
