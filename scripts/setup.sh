#!/usr/bin/env bash
# Installs the Debian 12 packages of one set, each set holding the one before:
#   run    building and running the game (scripts/run.sh)
#   test   and every test (scripts/test.sh)
#   bench  and the benchmarks (bench/run.sh)
# Idempotent: returns at once when everything is present. Never prompts.
#   scripts/setup.sh run|test|bench [--list]   (--list: print the names only)
set -euo pipefail

# Qt's xcb and offscreen platforms come with qt6-base-dev, its Wayland one
# with qt6-wayland; the windows ask for IPA Gothic and Mincho by name. cpack
# reads the program's libraries with file.
run=(
  build-essential cmake ninja-build qt6-base-dev qt6-wayland
  fonts-ipafont-gothic fonts-ipafont-mincho file
)
# By what uses them: the accessibility test (Qt's private headers), the
# pictures' Latin letters, X servers and their tools, packaging checks, the
# fuzz build, window managers and compositors, the dark styles.
test=(
  "${run[@]}"
  qt6-base-private-dev python3 fonts-dejavu-core
  xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick xclip libx11-dev libxfixes-dev
  desktop-file-utils appstream appstream-compose dpkg-dev lintian mandoc groff-base devscripts
  clang libclang-rt-14-dev ccache
  openbox weston dbus at-spi2-core python3-pyatspi sway wtype grim mutter xwayland
  qt6-gtk-platformtheme qt6ct adwaita-qt6
)
bench=("${test[@]}" libbenchmark-dev libxtst-dev valgrind)

case ${1:-} in
  run | test | bench) declare -n packages=$1 ;;
  *) echo "usage: $0 run|test|bench [--list]" >&2; exit 2 ;;
esac
[ "${2:-}" != --list ] || { printf '%s\n' "${packages[@]}"; exit 0; }

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
