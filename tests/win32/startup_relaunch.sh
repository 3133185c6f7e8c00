#!/usr/bin/env bash
# The start-up end to end under Wine. Setup.exe, started from a CD-ROM drive,
# copies itself into the temporary folder, starts the copy with its two
# arguments and waits for it; the copy runs the wizard and does not relaunch
# again; a stale
# read-only copy in the temporary folder is replaced, and the disc's
# read-only attribute does not travel; a second start while the wizard runs
# starts nothing; and DLLs that someone left in the temporary folder under
# the names of DLLs the program loads are not loaded.
#
# Usage: startup_relaunch.sh Setup.exe process_probe.exe load_library_probe.exe
#                            planted_dll.dll work-folder
set -euo pipefail
setup=$1 process_probe=$2 load_library_probe=$3 planted_dll=$4 work=$5
root=$(cd "$(dirname "$0")/../.." && pwd)

# A prefix of its own: the test ends by stopping every process in it.
mkdir -p "$work"
export WINEPREFIX=$work/wineprefix
source "$root/scripts/wine-env"

stop_wine() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}
trap stop_wine EXIT
# A crash must fail the test, not wait for a click on Wine's crash dialog.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

temp=$(wine cmd /c echo %TEMP% | tr -d '\r')\\   # as GetTempPathA gives it
temp_unix=$(winepath -u "$temp" | tr -d '\r')
tab=$'\t'

# The disc: Setup.exe in the root and in a folder with a blank in its name.
disc=$work/disc
rm -rf "$disc"
mkdir -p "$disc/Disc One"
cp "$setup" "$disc/Setup.exe"
cp "$setup" "$disc/Disc One/Setup.exe"
wine_cdrom e "$disc"

# One line per running Setup.exe: id, image path, arguments, tab-separated.
setup_processes() { wine "$process_probe" Setup.exe | tr -d '\r'; }
# Those that run from the temporary folder: relaunched copies.
# (The folder goes through the environment: awk -v would read its "\" as escapes.)
relaunched_copies() { setup_processes | TEMP_FOLDER=$temp awk -F'\t' 'index($2, ENVIRON["TEMP_FOLDER"]) == 1'; }

# Waits for the relaunched copy and checks that it runs from the temporary
# folder with the expected arguments, that it stays the only copy, and that
# the first launch (image firstImage) still waits for it.
expect_relaunch() {
  local what=$1 argument1=$2 argument2=$3 firstImage=$4
  local listing="" expected="${temp}Setup.exe${tab}${argument1}${tab}${argument2}"
  for _ in $(seq 60); do
    listing=$(relaunched_copies)
    [ -n "$listing" ] && break
    sleep 0.5
  done
  # A copy that started yet another one would have done so by now.
  sleep 3
  local later
  later=$(relaunched_copies)
  if [ "$(cut -f2- <<<"$listing")" != "$expected" ]; then
    fail "$what: expected the single relaunched copy '$expected', found '$listing'"
  elif [ "$later" != "$listing" ]; then
    fail "$what: the relaunched copy did not stay the only one: '$listing' then '$later'"
  fi
  setup_processes | cut -f2 | grep -qxF "$firstImage" || fail "$what: the first launch $firstImage does not wait"
  cmp -s "$setup" "$temp_unix/Setup.exe" || fail "$what: no copy of Setup.exe in $temp"
}

# Runs a command line through cmd, which passes it on unchanged (quotes and
# all), as a user's shortcut or console would.
run_command_line() {
  local batch=$work/launch.bat
  printf '%s\r\n' "$1" >"$batch"
  wine cmd /c "$(winepath -w "$batch" | tr -d '\r')" >/dev/null
}

# The first launch waits for the wizard: it is started in the background.
relaunch_case() {
  local what=$1 argument1=$2 argument2=$3 firstImage=$4
  shift 4
  rm -f "$temp_unix/Setup.exe"
  "$@" &
  expect_relaunch "$what" "$argument1" "$argument2" "$firstImage"
  stop_wine
  echo "ok: $what"
}

relaunch_case "started from E:\\ without arguments" '!' 'E:\' 'E:\Setup.exe' wine 'E:\Setup.exe'
relaunch_case "started from E:\\ with D:\\App\\" 'D:\App\' 'E:\' 'E:\Setup.exe' \
  run_command_line 'E:\Setup.exe "D:\App\"'
relaunch_case "a disc folder with a blank" '!' 'E:\Disc One\' 'E:\Disc One\Setup.exe' \
  run_command_line '"E:\Disc One\Setup.exe"'
relaunch_case "switches follow the two arguments" '!' "E:\\${tab}/DISCS=CD2=D:\\My App\\${tab}/LOG" \
  'E:\Setup.exe' run_command_line 'E:\Setup.exe /log "/discs=CD2=D:\My App"'

# A read-only Setup.exe on the disc, and a read-only stale copy left in the
# temporary folder by an earlier run from a disc.
read_only() { [ $((0$(stat -c %a "$1") & 0222)) = 0 ]; }
printf 'MZ stale copy' >"$temp_unix/Setup.exe"
chmod a-w "$temp_unix/Setup.exe" "$disc/Setup.exe"
wine 'E:\Setup.exe' &
expect_relaunch "over a stale read-only copy" '!' 'E:\' 'E:\Setup.exe'
read_only "$temp_unix/Setup.exe" && fail "the copy in $temp kept the disc's read-only attribute"
# A second start, from the disc or from the temporary folder, while the
# wizard runs: it ends, installing nothing (exit code 1), and leaves the
# running wizard alone.
wizard=$(setup_processes)
for second in 'E:\Setup.exe' "${temp}Setup.exe"; do
  status=0
  wine "$second" || status=$?
  [ "$status" = 1 ] || fail "a second start of $second ended with exit code $status, expected 1"
done
sleep 3
[ "$(setup_processes)" = "$wizard" ] || fail "a second start changed the running Setup.exe: '$wizard' then '$(setup_processes)'"
stop_wine
chmod u+w "$disc/Setup.exe"
echo "ok: a stale read-only copy is replaced; a second start leaves the running wizard alone"

# DLLs left in the temporary folder under the names of the DLLs that the
# program loads by name and that are no KnownDLLs. Each copy of planted_dll
# leaves <its path>.loaded when some process loads it.
planted=(uxtheme comctl32)
export WINEDLLOVERRIDES="uxtheme,comctl32=n,b;mscoree,mshtml="
for name in "${planted[@]}"; do
  cp "$planted_dll" "$temp_unix/$name.dll"
  rm -f "$temp_unix/$name.dll.loaded"
done

# Control: a program in that folder that loads them with the ordinary search
# order takes the planted ones.
cp "$load_library_probe" "$temp_unix/load_library_probe.exe"
for name in "${planted[@]}"; do
  wine "${temp}load_library_probe.exe" "$name.dll" || true
  [ -f "$temp_unix/$name.dll.loaded" ] || fail "control: $name.dll was not taken from $temp"
  rm -f "$temp_unix/$name.dll.loaded"
done
rm -f "$temp_unix/load_library_probe.exe"
stop_wine

# The relaunched Setup.exe runs from that folder and loads the same names,
# from the system.
wine 'E:\Setup.exe' &
expect_relaunch "with DLLs planted in the temporary folder" '!' 'E:\' 'E:\Setup.exe'
modules=$(wine "$process_probe" --modules Setup.exe | tr -d '\r')
for name in "${planted[@]}"; do
  [ -f "$temp_unix/$name.dll.loaded" ] && fail "the planted $name.dll was loaded: $(cat "$temp_unix/$name.dll.loaded")"
  grep -qi "\\\\$name\\.dll\$" <<<"$modules" || fail "Setup.exe did not load $name.dll at all"
  grep -qiF "$temp$name.dll" <<<"$modules" && fail "Setup.exe holds $temp$name.dll"
  rm -f "$temp_unix/$name.dll" "$temp_unix/$name.dll.loaded"
done
stop_wine
echo "ok: DLLs planted in the temporary folder are not loaded"

if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all start-up checks passed"
