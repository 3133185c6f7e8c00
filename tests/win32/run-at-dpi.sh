#!/usr/bin/env bash
# Runs Windows tests on a screen of another scale: in a Wine prefix of its
# own whose display has DPI dots per inch (the DWORD LogPixels under
# HKCU\Control Panel\Desktop, set before the tests start). The tests get
# the scale in EXPECTED_DPI, and fail on a display of another one.
#
# Usage: run-at-dpi.sh DPI TESTS.exe WORK_FOLDER GTEST_FILTER
set -euo pipefail
dpi=$1 tests=$(realpath "$2") filter=$4
mkdir -p "$3"
work=$(realpath "$3")
root=$(cd "$(dirname "$0")/../.." && pwd)

export WINEPREFIX=$work/wineprefix-$dpi
source "$root/scripts/wine-env"
trap 'wineserver -k 2>/dev/null || true' EXIT
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
# The scale is read when a program starts: a fresh server for the tests.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
EXPECTED_DPI=$dpi wine "$tests" --gtest_filter="$filter"
