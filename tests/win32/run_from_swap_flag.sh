#!/bin/sh
# The built Setup.exe carries the flags by which Windows runs it from the
# swap file when it is started from a disc or from the network, and is still
# an executable image.
# Usage: run_from_swap_flag.sh Setup.exe
set -eu
file=$1
byte_at() { od -An -tu1 -j "$1" -N 1 "$file" | tr -d ' '; }
pe=$(($(byte_at 60) + 256 * $(byte_at 61) + 65536 * $(byte_at 62) + 16777216 * $(byte_at 63)))
[ "$(od -An -c -j "$pe" -N 2 "$file" | tr -d ' ')" = PE ] || { echo "FAIL: $file has no PE header"; exit 1; }
characteristics=$(($(byte_at $((pe + 22))) + 256 * $(byte_at $((pe + 23)))))
printf 'Characteristics: 0x%04X\n' "$characteristics"
status=0
check() {  # FLAG NAME
  if [ $((characteristics & $1)) -eq 0 ]; then
    echo "FAIL: $2 is not set"
    status=1
  fi
}
check 0x0002 IMAGE_FILE_EXECUTABLE_IMAGE
check 0x0400 IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP
check 0x0800 IMAGE_FILE_NET_RUN_FROM_SWAP
exit $status
