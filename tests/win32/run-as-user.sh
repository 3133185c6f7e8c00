#!/usr/bin/env bash
# Runs a Windows test program under Wine as an ordinary user, in a Wine
# prefix of that user's own. Wine run as root writes to read-only files and
# ignores access rules, so the tests that depend on them run this way.
# Run by root, it switches to the user of scripts/test-user; run by anyone
# else, it runs as that user.
#
# Usage: run-as-user.sh work-folder program.exe [arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$1
shift
mkdir -p "$work"
prefix=$work/wineprefix

if [ "$(id -u)" != 0 ]; then
  export WINEPREFIX=$prefix
  exec "$root/scripts/wine-run" "$@"
fi

user=$("$root/scripts/test-user")
# Wine refuses a prefix that its user does not own.
chown "$user:" "$work"
# The shims go into the build folder, where the user cannot write; the user
# reads and runs them, as the build folder and the caller's display.
"$root/scripts/wine64-shims" >/dev/null
args=$(printf '%q ' "$@")
exec runuser -u "$user" -- env -i HOME="$(getent passwd "$user" | cut -d: -f6)" PATH="$PATH" \
  DISPLAY="${DISPLAY:-}" XVFB_DISPLAY="${XVFB_DISPLAY:-}" WINEPREFIX="$prefix" \
  bash -c "source '$root/scripts/wine-env' && wine $args; status=\$?; wineserver -k 2>/dev/null; exit \$status"
