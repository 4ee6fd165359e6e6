#!/bin/bash
# Remakes the reference pictures in fixtures/ with another implementation of
# the classic graphics device: Wine's, driven by GdiReplay.c cross-compiled
# with mingw-w64. A developer tool, not part of CI; the fixtures it writes are
# committed, so the comparison test needs neither Wine nor the cross compiler.
#
#   tests/reference/make-references.sh [BUILD_DIR]    (default build/default)
#
# Installs wine64 and mingw-w64 from Debian's packages when they are missing
# (as root). Uses a Wine prefix inside the build folder, never ~/.wine.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "$root" && mkdir -p "${1:-build/default}" && cd "${1:-build/default}" && pwd)
work="$build/reference"
mkdir -p "$work"

missing=()
for package in wine64 mingw-w64; do
  dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if ((${#missing[@]})); then
  if [ "$(id -u)" -ne 0 ]; then
    echo "make-references: missing Debian packages: ${missing[*]} (run as root, or install them with apt-get)" >&2
    exit 1
  fi
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
fi

x86_64-w64-mingw32-gcc -O2 -Wall -Wextra -o "$work/GdiReplay.exe" "$here/GdiReplay.c" -lgdi32
cmake --build "$build" --target reference_images
"$build/tests/reference/reference_images" --script > "$work/calls.txt"

export WINEPREFIX="${WINEPREFIX:-$work/wine}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine "$work/GdiReplay.exe" < "$work/calls.txt" > "$work/pixels.bin"

mkdir -p "$here/fixtures"
"$build/tests/reference/reference_images" --pictures "$work/pixels.bin" "$here/fixtures"
echo "make-references: fixtures written to $here/fixtures"
