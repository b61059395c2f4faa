#!/usr/bin/env bash
# Checks the library as a host gets it: installs a static and a shared build into scratch
# prefixes and, for each, builds and runs the examples against the prefix alone: the C++ host
# through find_package(zelto) (setting no C++ standard of its own), the GTK host through
# find_package (run on a virtual X display, clicked and typed into, its code read back), the C
# host through pkg-config, and (shared) the Python ctypes script. The examples are copied out of the source tree first. Also checks that nothing
# installed names the source folder, that every installed header compiles on its own, and that
# the shared library has a SONAME and exports only the public API.
#
# Both builds come from one build folder (default build/, as scripts/test.sh leaves it): the
# objects are the same, so the shared library is only a relink. The folder is switched back to a
# static library at the end.
#   scripts/check_install.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build=${1:-build}
scratch=$(mktemp -d)
library_kind() { cmake -S . -B "$build" -DBUILD_SHARED_LIBS="$1" >/dev/null; }
trap 'library_kind OFF; rm -rf "$scratch"' EXIT
fail() { echo "check_install: $*" >&2; exit 1; }

[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
for kind in static shared; do
  library_kind "$([ $kind = shared ] && echo ON || echo OFF)"
  cmake --build "$build" -j2 --target zelto_sdk zelto_cli
  cmake --install "$build" --prefix "$scratch/$kind" >/dev/null
done
cp -r examples "$scratch/examples"

for kind in static shared; do
  prefix=$scratch/$kind
  echo "== $kind"
  if grep -rIl -e "$source_dir" "$prefix"; then
    fail "$kind: the files above name the source or build folder"
  fi
  [ -x "$prefix/bin/zelto" ] || fail "$kind: the zelto tool is not installed"
  "$prefix/bin/zelto" crc 123456789 | grep -qx 29B1 || fail "$kind: the installed tool fails"

  # Every installed C++ header compiles alone with nothing but the prefix on the include path.
  (cd "$prefix/include/zelto" && find . -name '*.h' | sort) |
    while read -r header; do
      echo "#include \"${header#./}\"" |
        g++ -std=c++20 -fsyntax-only -Wall -Werror -I"$prefix/include" -I"$prefix/include/zelto" \
          -x c++ - || fail "$kind: $header does not compile on its own"
    done
  echo '#include <zelto/zelto.h>' |
    gcc -std=c11 -fsyntax-only -Wall -Wpedantic -Werror -I"$prefix/include" -x c - ||
    fail "$kind: <zelto/zelto.h> is not C11"

  cmake -S "$scratch/examples/cpp_host" -B "$scratch/cpp-$kind" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$scratch/cpp-$kind" >/dev/null
  "$scratch/cpp-$kind/cpp_host"

  pkg=pkg-config
  [ $kind = static ] && pkg="pkg-config --static"
  cmake -S "$scratch/examples/gtk_host" -B "$scratch/gtk-$kind" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$scratch/gtk-$kind" >/dev/null
  LD_LIBRARY_PATH=$prefix/lib "$scratch/examples/gtk_host/test_under_xvfb.sh" \
    "$scratch/gtk-$kind/gtk_host" "$prefix/bin/zelto"

  rm -f "$scratch/examples/c_host/c_host"
  PKG_CONFIG_PATH=$prefix/lib/pkgconfig make -s -C "$scratch/examples/c_host" PKG_CONFIG="$pkg"
  LD_LIBRARY_PATH=$prefix/lib "$scratch/examples/c_host/c_host"
done

library=$(readlink -f "$scratch/shared/lib/libzelto.so")
readelf -d "$library" | grep -q 'SONAME.*\[libzelto\.so\.1\]' || fail "libzelto.so has no SONAME"
exported=$(nm -D --defined-only "$library" | awk '{print $3}' | c++filt)
unexpected=$(grep -v -E '^(zelto_|ZeltoMerchantSDKVersion|zelto::|(typeinfo|typeinfo name|vtable|non-virtual thunk) (for|to) zelto::)' <<<"$exported" || true)
[ -z "$unexpected" ] || fail "libzelto.so exports more than the public API:
$unexpected"
for internal in ZeltoSession ZELTOMerchantSDKManager TLVMapParser 'zelto::capi::' 'zelto::json::' \
  paymentRequestFromJson tagDictionaryFromJson; do
  grep -q "$internal" <<<"$exported" && fail "libzelto.so exports the internal $internal"
done
echo "libzelto.so exports $(grep -c '^zelto_' <<<"$exported") C functions and" \
  "$(grep -c -v '^zelto_' <<<"$exported") other symbols"

python3 "$scratch/examples/python/decode_validate.py" "$library" "$("$scratch/shared/bin/zelto" encode <<<'{"merchantName": "ABC"}')"
echo "check_install: the installed packages work"
