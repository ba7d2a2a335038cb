#!/usr/bin/env bash
# hardening-check on the program in the Release package: PIE, stack
# protector, fortified libc calls, full RELRO. Control-flow protection is
# checked in our own code: hardening-check reads it from the program's
# IBT/SHSTK property, which no program linked on Debian 12 has (glibc's start
# files crti.o and Scrt1.o carry none, /usr/bin/ls neither), so there it
# always says "no"; -fcf-protection shows as endbr64 at our functions' entry,
# counted in the unstripped program of the same build.
# Usage: hardening.sh DEB UNSTRIPPED_PROGRAM
set -euo pipefail
deb=$1
unstripped=$2
source "$(dirname "$0")/scratch.sh"
dpkg-deb -x "$deb" "$work"
exe=$work/usr/games/bimzo

report=$(hardening-check "$exe" || true)
echo "$report"
no=$(grep ': no' <<<"$report" | grep -v 'Control flow integrity' || true)
[ -z "$no" ] || fail "not hardened: $no"
for line in 'Position Independent Executable: yes' 'Stack protected: yes' \
            'Fortify Source functions: yes' 'Read-only relocations: yes' 'Immediate binding: yes'; do
    grep -qF "$line" <<<"$report" || fail "hardening-check does not say '$line'"
done
entries=$(objdump -d --no-show-raw-insn -j .text "$unstripped" | awk '/^[0-9a-f]+ <.*>:$/ {getline; n++; if ($2 == "endbr64") e++} END {print e + 0, n + 0}')
read -r endbr functions <<<"$entries"
[ "$functions" -gt 0 ] && [ $((endbr * 2)) -ge "$functions" ] \
    || fail "only $endbr of $functions functions start with endbr64: no -fcf-protection"
echo "control-flow protection: $endbr of $functions functions start with endbr64"
