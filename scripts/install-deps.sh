#!/usr/bin/env bash
# Installs the Debian packages Brelvane needs to build, run and test, when
# any of them is missing. apt-get as root, sudo otherwise.
set -euo pipefail

packages=(g++ cmake make pkg-config qt6-base-dev libmediainfo-dev mencoder ffmpeg xdg-utils
          desktop-file-utils qt6-svg-dev libavformat-dev libavcodec-dev libavutil-dev
          dpkg-dev file appstream man-db qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
