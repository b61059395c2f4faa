#!/usr/bin/env bash
# Installs every Debian package that building, testing, benchmarking and fuzzing need.
# Idempotent: when everything is present it changes nothing and asks no registry.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git clang clang-format libclang-rt-14-dev
  libicu-dev nlohmann-json3-dev libcli11-dev libqrcodegencpp-dev
  libcairo2-dev libpango1.0-dev zlib1g-dev fonts-dejavu-core
  fonts-inter fonts-noto-ui-core fonts-droid-fallback python3-cairo
  googletest libgtest-dev libgmock-dev libbenchmark-dev libzxing-dev python3
  libsdl2-dev poppler-utils librsvg2-bin
  libgtk-4-dev xvfb xauth xdotool imagemagick zbar-tools
  python3-dev python3-pip python3-setuptools python3-pybind11 python3-pytest
  python3-zxing-cpp python3-pil python3-dask python3-distributed
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: run as root or install sudo (missing: ${missing[*]})" >&2; exit 1; }
  sudo=sudo
fi
echo "setup: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
