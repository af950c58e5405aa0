#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screenshots need,
# skipping those already installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-image-formats-plugins qt6-translations-l10n libgl1-mesa-dev
  sane-utils
  libgtest-dev googletest libbenchmark-dev
  clang-14 libclang-rt-14-dev
  fonts-noto-cjk poppler-utils
  xvfb xdotool wmctrl imagemagick x11-utils openbox xclip
  dpkg-dev file desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
