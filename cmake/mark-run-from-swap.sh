#!/bin/sh
# Marks a PE executable so that Windows copies it into the swap file and runs
# it from there when it is started from removable media or from the network
# (IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP 0x0400 and IMAGE_FILE_NET_RUN_FROM_SWAP
# 0x0800 in the COFF header's Characteristics): the first launch waits for
# the relaunched copy without holding the disc, which can then be swapped.
# GNU ld has no option for these flags.
#
# Usage: mark-run-from-swap.sh FILE.exe
set -eu
file=$1
byte_at() { od -An -tu1 -j "$1" -N 1 "$file" | tr -d ' '; }
# e_lfanew, the PE header's offset, at 0x3C (little-endian).
pe=$(($(byte_at 60) + 256 * $(byte_at 61) + 65536 * $(byte_at 62) + 16777216 * $(byte_at 63)))
[ "$(od -An -c -j "$pe" -N 2 "$file" | tr -d ' ')" = PE ] || { echo "$file: no PE header" >&2; exit 1; }
# Characteristics: 2 bytes at PE + 4 (signature) + 18; both flags are in the high byte.
offset=$((pe + 23))
high=$(($(byte_at "$offset") | 0x0C))
printf "$(printf '\\%03o' "$high")" | dd of="$file" bs=1 seek="$offset" conv=notrunc status=none
