#!/usr/bin/env bash
# Installs the Debian 12 packages Kadenzo needs to build, test and run.
# Installs only what is missing, so it is quick and safe to run again.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkgconf
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev
  xvfb xauth xdotool libx11-dev imagemagick fonts-dejavu-core
  mawk dpkg-dev clang libclang-rt-14-dev
  dbus at-spi2-core python3-pyatspi
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
