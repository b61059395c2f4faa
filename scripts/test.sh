#!/usr/bin/env bash
# Installs what is needed, builds everything, and runs every test.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
dir=build
flags=(-DCMAKE_BUILD_TYPE=Release)
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  flags=(-DCMAKE_BUILD_TYPE=Debug -DZELTO_SANITIZE=ON)
fi
cmake -S . -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" -j2
ctest --test-dir "$dir" --output-on-failure -j2

# The Python package, built over this build's core and installed for Debian's Python (which has
# pybind11, pytest and Dask), then its tests, Dask's included. Not in the sanitizer build: the
# interpreter is not built with the sanitizers.
if [ "$dir" = build ]; then
  python=/usr/bin/python3
  pip_flags=(--no-build-isolation --quiet --root-user-action=ignore)
  # Debian's Python refuses packages pip installs unless told (PEP 668).
  if [ -e "$($python -c 'import sysconfig; print(sysconfig.get_path("stdlib"))')/EXTERNALLY-MANAGED" ]; then
    pip_flags+=(--break-system-packages)
  fi
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo env ZELTO_BUILD_DIR="$PWD/build" $python -m pip install "${pip_flags[@]}" ./python
  (cd / && ZELTO_CLI="$OLDPWD/build/zelto" timeout 600 $python -m pytest -q -p no:cacheprovider \
    "$OLDPWD/python/tests")
fi
