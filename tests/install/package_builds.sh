#!/usr/bin/env bash
# Builds the package as the README does, three times, for the checks that
# follow (reproducible.sh, hardening.sh, read_only_install.sh, lintian):
#   a/  a copy of the tracked files, umask 022, TZ=UTC, LC_ALL=C, 2 jobs,
#       build folder beside the sources, SOURCE_DATE_EPOCH set;
#   b/  another copy at a longer path, checked out under umask 002 at another
#       time, TZ=Asia/Tokyo, LC_ALL=C.UTF-8, 3 jobs, build folder inside the
#       sources, the same SOURCE_DATE_EPOCH;
#   c   copy b (its checkout times are not a's), build folder beside it,
#       TZ=America/New_York, 1 job, no SOURCE_DATE_EPOCH.
# Only what the package needs is built (no tests). a and b compile everything:
# a through a fresh private ccache (so the compiler sees relative paths), b
# without (absolute paths). c takes a's objects from that cache, which is
# sound for what c changes: the compiler reads SOURCE_DATE_EPOCH only for
# __DATE__ and __TIME__, and ccache reuses no object whose source uses those,
# nor one whose sources (generated ones too, such as the resources) differ.
# Usage: package_builds.sh SOURCE_DIR OUT_DIR   (exit 77: not a git checkout)
set -euo pipefail
src=$1
out=$(realpath -m "$2")
epoch=1700000000
source "$(dirname "$0")/scratch.sh"
git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1 || skip "not a git checkout"

[ ! -d "$out" ] || chmod -R u+w "$out"
rm -rf "$out"
mkdir -p "$out"
# The working tree's tracked files, edits included; the copy's times are now.
copy_sources() {
    mkdir -p "$1"
    git -C "$src" ls-files -z | tar -C "$src" --null -T - -cf - | tar -C "$1" -xmf - --no-same-permissions
}

# Builds the package from sources $1 in build folder $2, with the rest of the
# arguments as the environment; the .deb is left as $2.deb.
build() {
    local sources=$1 build=$2; shift 2
    local start=$SECONDS
    mkdir -p "$build"
    env -u CXXFLAGS -u CPPFLAGS -u LDFLAGS -u CMAKE_CXX_COMPILER_LAUNCHER -u SOURCE_DATE_EPOCH "$@" bash -c '
        set -e
        umask "$UMASK"
        cmake -S "$0" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release ${LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$LAUNCHER} >"$1.log" 2>&1
        cmake --build "$1" -j "$JOBS" >>"$1.log" 2>&1
        (cd "$1" && cpack -G DEB) >>"$1.log" 2>&1' "$sources" "$build" \
        || { tail -30 "$build.log"; fail "the package build in $build"; }
    mv "$build"/bimzo_*.deb "$build.deb"
    echo "built $build.deb in $((SECONDS - start)) s"
}

# a's and c's build folders sit beside sources named alike, so that the
# paths ccache makes relative match.
ccache_env=()
if command -v ccache >/dev/null; then
    ccache_env=(LAUNCHER=ccache CCACHE_DIR="$out/ccache" CCACHE_BASEDIR="$out" CCACHE_NOHASHDIR=1)
fi

copy_sources "$out/a/bimzo"
build "$out/a/bimzo" "$out/a/build" UMASK=022 TZ=UTC LC_ALL=C JOBS=2 SOURCE_DATE_EPOCH=$epoch "${ccache_env[@]}"

b=$out/b/a/longer/path/bimzo
copy_sources "$b"
chmod -R g+w "$b"
find "$b" -exec touch -h -d @1000000000 {} +
build "$b" "$b/build/pkg" UMASK=002 TZ=Asia/Tokyo LC_ALL=C.UTF-8 JOBS=3 SOURCE_DATE_EPOCH=$epoch

build "$b" "$b/../build-c" UMASK=022 TZ=America/New_York LC_ALL=C JOBS=1 "${ccache_env[@]}"

ln -s "$out/a/build.deb" "$out/a.deb"
ln -s "$b/build/pkg.deb" "$out/b.deb"
ln -s "$b/../build-c.deb" "$out/c.deb"
ln -s "$out/a/build" "$out/a.build"
echo "$epoch" >"$out/epoch"
