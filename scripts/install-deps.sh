#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and benchmarks need.
# Only missing packages are installed, so a second run takes a moment.
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libginac-dev libsodium-dev
  fonts-ipafont-mincho fonts-ipafont-gothic fonts-urw-base35
  poppler-utils qpdf
  python3
)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
