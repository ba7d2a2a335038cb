#!/usr/bin/env bash
# Installs the Debian 12 packages Bimzo needs to build, run and test.
# Idempotent: returns at once when everything is present. Never prompts.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools
  libgl-dev libxkbcommon-dev
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-dejavu-core
  xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick libx11-dev libxtst-dev
  clang libclang-rt-14-dev libbenchmark-dev valgrind
  desktop-file-utils appstream appstream-compose dpkg-dev file
  lintian mandoc groff-base devscripts ccache
  qt6-base-private-dev libxfixes-dev
  xclip python3
  openbox
  weston qt6-wayland dbus at-spi2-core python3-pyatspi
  qt6-gtk-platformtheme qt6ct adwaita-qt6
  sway wtype grim mutter xwayland
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
# Another apt (an unattended upgrade, say) may hold the locks for a while.
# apt-get waits for dpkg's lock itself; `update` does not wait for the lists'
# lock, so it is tried again while another apt holds that.
lock_wait=600
deadline=$((SECONDS + lock_wait))
until out=$($SUDO apt-get -o DPkg::Lock::Timeout=$lock_wait update -qq </dev/null 2>&1); do
  if [[ $out != *"Could not get lock"* ]] || ((SECONDS >= deadline)); then
    echo "$out" >&2
    exit 1
  fi
  sleep 5
done
$SUDO apt-get -o DPkg::Lock::Timeout=$lock_wait install -y -qq --no-install-recommends "${missing[@]}" </dev/null
