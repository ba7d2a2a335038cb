#!/usr/bin/env bash
# Configures a Release build as a packager and a player would, and reads what
# it would run: the packager's own CXXFLAGS and LDFLAGS win over our
# hardening of the same kind while the other kinds stay; an install folder
# given without a type stays relative to the prefix, and the desktop entry
# names the program there.
# Usage: configure_options.sh SOURCE_DIR
set -euo pipefail
src=$1
source "$(dirname "$0")/scratch.sh"
CXXFLAGS="-fno-stack-protector -U_FORTIFY_SOURCE" LDFLAGS="-Wl,-z,lazy" \
    cmake -S "$src" -B "$work" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_INSTALL_PREFIX=/opt/bimzo -DCMAKE_INSTALL_BINDIR=bin >"$work.log" 2>&1 \
    || { cat "$work.log"; rm -f "$work.log"; fail "configure"; }
rm -f "$work.log"

compile=$(grep -o '"command": "[^"]*app/main.cpp"' "$work/compile_commands.json")
has() { [[ " $1 " == *" $2 "* ]]; }
has "$compile" -fno-stack-protector || fail "the packager's -fno-stack-protector is gone: $compile"
! has "$compile" -fstack-protector-strong || fail "-fstack-protector-strong overrides the packager's choice"
! has "$compile" -D_FORTIFY_SOURCE=2 || fail "_FORTIFY_SOURCE=2 overrides the packager's -U_FORTIFY_SOURCE"
has "$compile" -fstack-clash-protection || fail "the hardening the packager left alone is missing"
link=$(awk '/^build bimzo:/ {on=1} on && /LINK_FLAGS/ {print; exit}' "$work/build.ninja")
[[ $link == *-z,relro* && $link != *-z,now* ]] || fail "link flags: $link (the packager asked for -z,lazy)"

grep -qx 'CMAKE_INSTALL_BINDIR:PATH=bin' "$work/CMakeCache.txt" \
    || fail "CMAKE_INSTALL_BINDIR: $(grep CMAKE_INSTALL_BINDIR: "$work/CMakeCache.txt")"
grep -qx 'Exec=/opt/bimzo/bin/bimzo' "$work/desktop/configured/org.example.Bimzo.desktop" \
    || fail "the desktop entry for /opt/bimzo does not name /opt/bimzo/bin/bimzo"
echo "the packager's flags win; an untyped install folder stays under the prefix"
