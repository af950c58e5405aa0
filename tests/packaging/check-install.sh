#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop needs of
# it: the programs, the program folder, a valid desktop entry, the icon at
# every size, and no path of the build folder inside the editor.
# Usage: check-install.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$(dirname "$0")/../.." && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
fail=0
need() { [ -e "$prefix/$1" ] || { echo "missing: $1"; fail=1; }; }

need bin/tupalo
for f in DEFAULT.CNF DEFAULT.CDI DEFAULT.AIN TUPA_HELP.html CMD_B_IMG.bmp UNDO_B_IMG.bmp WAIT_CUR.bmp \
  CONVERT.AIP SCANNER.AIP tupaconv tupascan; do
  need "lib/tupalo/$f"
done
need share/applications/tupalo.desktop
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/tupalo.desktop" || fail=1
else
  echo "desktop-file-validate not installed (scripts/setup.sh installs it)"
  fail=1
fi
for size in 16 22 24 32 48 64 128 256; do
  icon="share/icons/hicolor/${size}x${size}/apps/tupalo.png"
  need "$icon"
  # The PNG header's width and height, each a 4-byte big-endian number.
  dims=$(od -An -tu1 -j16 -N8 "$prefix/$icon" 2>/dev/null |
    awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
  [ "$dims" = "${size}x${size}" ] || { echo "$icon is $dims"; fail=1; }
done
# The installed editor finds its files from where it is, not from the build.
for folder in "$build" "$source"; do
  if grep -qF "$folder" "$prefix/bin/tupalo"; then
    echo "bin/tupalo names $folder"
    fail=1
  fi
done
# The test programs stay in the build.
extra=$(find "$prefix/bin" -type f ! -name tupalo ! -name tuparun)
[ -z "$extra" ] || { echo "installed beyond the programs: $extra"; fail=1; }
exit $fail
