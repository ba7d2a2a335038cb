#!/usr/bin/env bash
# A software centre finds the installed game by what it is, in English and
# in Japanese, from the metainfo alone (no composed catalogue, as after a
# local install): appstreamcli search over the installed metainfo, put in
# place of the system's own in a private mount namespace.
# Usage: appstream_search.sh BUILD_DIR APP_ID   (exit 77: no mount namespace here)
set -euo pipefail
build=$1
app_id=$2
source "$(dirname "$0")/scratch.sh"
unshare -m --propagation private true 2>/dev/null || skip "no mount namespace"
DESTDIR="$work" cmake --install "$build" --prefix /usr >/dev/null

unshare -m --propagation private bash -c '
    set -euo pipefail
    mount --bind "$0/usr/share/metainfo" /usr/share/metainfo
    # Whether the search for $3 (language $2) lists the game $1.
    finds() { [[ $(appstreamcli search "$3" --no-cache --cachepath "$0/cache-$2" 2>&1) == *"$1"* ]]; }
    for term in reflex shooting arcade "high score"; do
        finds "$1" en "$term" || { echo "FAIL: no match for $term" >&2; exit 1; }
    done
    export LANGUAGE=ja
    for term in 反射神経 シューティング アーケード ハイスコア; do
        finds "$1" ja "$term" || { echo "FAIL: no match for $term" >&2; exit 1; }
    done
    ! finds "$1" en zzyzx || { echo "FAIL: a word it does not hold matches" >&2; exit 1; }
    echo "appstreamcli search finds it by its keywords in English and Japanese"' "$work" "$app_id"
