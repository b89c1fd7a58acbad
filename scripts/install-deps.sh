#!/usr/bin/env bash
# Installs the Debian 12 packages the tool needs to build, run, be tested and be packaged.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  # a fast build: Ninja, a compiler cache and a fast linker
  ninja-build ccache mold
  qt6-base-dev qt6-serialport-dev libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  # the optimiser of the EQ fitted to a measurement
  libnlopt-cxx-dev
  fonts-dejavu-core fonts-droid-fallback xvfb xauth poppler-utils locales-all
  # installation and the Debian package: manual pages, icons, their checks, dpkg-shlibdeps
  help2man librsvg2-bin desktop-file-utils appstream libxml2-utils shared-mime-info xdg-utils
  libfile-mimeinfo-perl file dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
