#!/usr/bin/env bash
# Installs what KVIRO 13 needs to build, test and run on Debian 12 (only what is missing).
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build g++ clang libclang-rt-14-dev
  qt6-base-dev qt6-translations-l10n libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-liberation poppler-utils
  cups cups-bsd printer-driver-cups-pdf
  # the icon, the Debian package and its checks (scripts/package-check.sh)
  librsvg2-bin dpkg-dev file lintian desktop-file-utils appstream xdotool x11-utils strace
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
