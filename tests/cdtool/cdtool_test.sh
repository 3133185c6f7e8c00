#!/usr/bin/env bash
# End-to-end checks of cdtool: a small library with GBK names and blanks is
# built into discs, verified and inspected; then the errors each command must
# name, and bad usage.
#   cdtool_test.sh WORKDIR TOOL...
# TOOL is the program with anything that runs it, e.g. scripts/wine-run
# build/win32/cdtool.exe; a Windows build writes its texts in code page 936.
set -u
work=$1
shift
tool=()
for part in "$@"; do  # absolute paths, as the checks run in WORKDIR
  if [ -f "$part" ]; then part=$(cd "$(dirname "$part")" && pwd)/$(basename "$part"); fi
  tool+=("$part")
done
[ -f "${tool[-1]}" ] || { echo "no program ${tool[-1]}"; exit 1; }
windows=
case "${tool[-1]}" in *.exe) windows=1 ;; esac

rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Runs the tool; status, out and err hold its exit status and output (UTF-8).
# A Windows build prints texts in the console code page but JSON in UTF-8.
run() {
  local json=
  if [ "${1:-}" = --json-output ]; then json=1; shift; fi
  "${tool[@]}" "$@" >out.raw 2>err.raw
  status=$?
  if [ -n "$windows" ]; then
    if [ -n "$json" ]; then tr -d '\r' <out.raw >out.txt; else tr -d '\r' <out.raw | iconv -f GBK -t UTF-8 >out.txt; fi
    tr -d '\r' <err.raw | iconv -f GBK -t UTF-8 >err.txt
  else
    cp out.raw out.txt
    cp err.raw err.txt
  fi
  out=$(cat out.txt)
  err=$(cat err.txt)
}

# expect STATUS PATTERN STREAM WHAT: the last run ended with STATUS and
# STREAM (out or err) matches the extended regular expression PATTERN.
# Paths are written [/\\]: the Windows build joins names with "\".
expect() {
  local want=$1 pattern=$2 stream=$3 what=$4
  [ "$status" = "$want" ] || fail "$what: status $status, expected $want; stderr: $err"
  grep -Eq -- "$pattern" "$stream.txt" || fail "$what: $stream lacks /$pattern/; it reads: $(cat "$stream.txt")"
}

# file PATH SIZE: a file of SIZE bytes whose contents tell it from the others.
file() {
  mkdir -p "$(dirname "$1")"
  yes "$1" | head -c "$2" >"$1"
}

# The library: 国标/土建 工程 takes 3010 bytes in files, and with 4000 bytes a
# disc, less 2063 for CDFile.Dat (two packs, three labels), 1937 are left: the
# pack spans CD1 and CD2, and 浙江 省标/市政 comes after it on CD2 alone.
make_library() {
  local lib=$1
  file "$lib/国标/土建 工程/a b.dwg" 1500
  file "$lib/国标/土建 工程/z.PAK" 10
  chmod a-w "$lib/国标/土建 工程/z.PAK"
  file "$lib/国标/土建 工程/图 块/c.dwg" 1500
  mkdir -p "$lib/国标/土建 工程/空 夹"
  file "$lib/浙江 省标/市政/m.PAK" 100
}

# --- Round trip ---------------------------------------------------------------
make_library lib
run build lib discs --capacity 4000 --tag 7
expect 0 '^CD2 +2 +3663 +91\.6%  国标.土建 工程 \(2 of 2\), 浙江 省标.市政$' out "build"
[ "$(ls discs)" = "$(printf 'CD1\nCD2')" ] || fail "build: discs are $(ls discs | tr '\n' ' ')"

# Which disc holds what; every file arrives unchanged.
on_cd1=("国标/土建 工程/a b.dwg" "国标/土建 工程/z.PAK")
on_cd2=("国标/土建 工程/图 块/c.dwg" "浙江 省标/市政/m.PAK")
for f in "${on_cd1[@]}"; do
  cmp -s "lib/$f" "discs/CD1/MatterLib/$f" || fail "spread: $f is not on CD1"
  [ ! -e "discs/CD2/MatterLib/$f" ] || fail "spread: $f is on CD2 as well"
done
for f in "${on_cd2[@]}"; do
  cmp -s "lib/$f" "discs/CD2/MatterLib/$f" || fail "spread: $f is not on CD2"
  [ ! -e "discs/CD1/MatterLib/$f" ] || fail "spread: $f is on CD1 as well"
done
[ -d "discs/CD2/MatterLib/国标/土建 工程/空 夹" ] || fail "spread: the empty folder is not on CD2"
[ ! -e "discs/CD1/MatterLib/浙江 省标" ] || fail "spread: 浙江 省标 has a folder on CD1"

# The descriptor holds the names in GBK: the first pack's standard at 261.
printf '\x04\xb9\xfa\xb1\xea' >gbk.expected
head -c 266 discs/CD1/CDFile.Dat | tail -c 5 | cmp -s - gbk.expected || fail "CDFile.Dat: 国标 is not in GBK at offset 261"
# Both discs carry the same catalogue behind their own labels.
cmp -s <(tail -c +258 discs/CD1/CDFile.Dat) <(tail -c +258 discs/CD2/CDFile.Dat) ||
  fail "CDFile.Dat: the catalogues of CD1 and CD2 differ"

run verify discs/CD1 discs/CD2
expect 0 '^2 discs \(CD1, CD2\) with one catalogue of 2 packs' out "verify of the built set"

run inspect discs/CD1/CDFile.Dat
expect 0 'tag 7, disc label "CD1", 2 packs' out "inspect"
expect 0 '^  pack 1: "国标" / "土建 工程", selected no, discs CD1, CD2$' out "inspect: a pack on two discs"
expect 0 '^  pack 2: "浙江 省标" / "市政", selected no, discs CD2$' out "inspect: a pack on one disc"

run --json-output inspect discs/CD2/CDFile.Dat --json
expect 0 '"type": "CDFile.Dat", "size": 2063, "tag": 7, "label": "CD2", "packs": \[\{"standard": "国标", "specialty": "土建 工程", "selected": false, "labels": \["CD1", "CD2"\]\}, \{"standard": "浙江 省标", "specialty": "市政", "selected": false, "labels": \["CD2"\]\}\], "unread_bytes": 0\}$' out "inspect --json"

# The installer copy counts against the capacity: 1000 bytes more room for
# a 1000-byte installer give the same spread, with the copy on every disc.
file setup/Setup.exe 1000
run build lib with-setup --capacity 5000 --setup setup/Setup.exe
expect 0 'every disc keeps 2063 bytes for CDFile.Dat and 1000 for Setup.exe' out "build --setup"
for disc in CD1 CD2; do
  cmp -s setup/Setup.exe "with-setup/$disc/Setup.exe" || fail "build --setup: no installer on $disc"
done
# (all but the tag byte)
cmp -s <(tail -c +2 discs/CD2/CDFile.Dat) <(tail -c +2 with-setup/CD2/CDFile.Dat) ||
  fail "build --setup: another catalogue than without"

# Sizes with a suffix; a label prefix of one's own.
run build lib suffixed --capacity 4k --label-prefix '光盘 '
expect 0 '^2 discs of 4096 bytes' out "build --capacity 4k"
[ -f "suffixed/光盘 2/CDFile.Dat" ] || fail "build --label-prefix: no disc folder '光盘 2'"
run inspect "suffixed/光盘 1/CDFile.Dat"
expect 0 'disc label "光盘 1"' out "inspect of a disc with a GBK label"

if [ -z "$windows" ]; then
  run build lib images --capacity 4000 --iso
  expect 0 '^CD2 ' out "build --iso"
  xorriso -indev images/CD2.iso -pvd_info 2>&1 | grep -q "^Volume Id *: CD2$" || fail "--iso: volume label of CD2.iso"
  xorriso -local_charset UTF-8 -rockridge off -indev images/CD2.iso -find / 2>/dev/null >joliet.txt
  grep -qx "'/MatterLib/国标/土建 工程/图 块/c.dwg'" joliet.txt || fail "--iso: Joliet names of CD2.iso: $(cat joliet.txt)"
else
  run build lib images --capacity 4000 --iso
  expect 2 'only the Linux build' err "build --iso on Windows"
fi

# --- Install.Dat ------------------------------------------------------------------
label() { printf "\\x$(printf %02x ${#1})%s" "$1"; head -c $((255 - ${#1})) /dev/zero; }
{ printf '\x02\x00\x00\x00'; label CD1; label CD3; } >Install.Dat
run inspect Install.Dat
expect 0 '^  2 discs pending: CD1, CD3$' out "inspect of an Install.Dat"
printf '\x00\x00\x00\x00' >complete.dat
run --json-output inspect complete.dat --json
expect 0 '"type": "Install.Dat", "size": 4, "labels": \[\]\}$' out "inspect of a complete pack's Install.Dat"
mkdir short
head -c 200 Install.Dat >short/Install.Dat
run inspect short/Install.Dat
expect 1 'Install.Dat: malformed pending-disc file: reading failed at offset 0' err "inspect of a short Install.Dat"

# --- What build must refuse, each naming the culprit ----------------------------
# case: name | what to add to a fresh copy of the library | pattern in stderr
build_cases=(
  "file over capacity|file 'lib/国标/土建 工程/大 图.dwg' 2000|大 图\.dwg: 2000 bytes, larger than a disc"
  "name without GBK form|file 'lib/国标/土建 工程/表情😀.dwg' 10|表情.*\.dwg: the name cannot be written in GBK"
  "standard the installer refuses|file 'lib/国标 /土建/a.dwg' 10|国标 : the installer refuses this name"
  "file name Windows cannot hold|file 'lib/国标/土建 工程/a?.dwg' 10|a\?\.dwg: Windows cannot hold this name"
  "names differing in case|file 'lib/国标/土建 工程/A B.dwg' 10|a b\.dwg: differs from A B\.dwg only in letter case"
)
for c in "${build_cases[@]}"; do
  IFS='|' read -r what setup pattern <<<"$c"
  rm -rf lib bad-discs
  make_library lib
  eval "$setup"
  run build lib bad-discs --capacity 4000
  expect 1 "$pattern" err "build: $what"
  [ ! -e bad-discs ] || fail "build: $what: discs were written"
done
rm -rf lib
make_library lib
run build lib discs --capacity 4000
expect 1 'discs: is not empty' err "build into a used folder"

# --- What verify must find -------------------------------------------------------
# case: name | how to spoil a copy of the set | discs to verify | pattern in stderr
verify_cases=(
  "corrupted descriptor|head -c 1300 discs/CD2/CDFile.Dat >x && mv x set/CD2/CDFile.Dat|CD1 CD2|CD2[/\\\\]CDFile\.Dat: malformed disc descriptor: reading failed at offset 1290"
  "missing pack folder|rm -r 'set/CD2/MatterLib/浙江 省标'|CD1 CD2|CD2[/\\\\]MatterLib[/\\\\]浙江 省标/市政: missing; the catalogue lists this disc \(CD2\)"
  "pack folder on a disc not listed for it|mkdir -p 'set/CD1/MatterLib/浙江 省标/市政'|CD1 CD2|CD1[/\\\\]MatterLib[/\\\\]浙江 省标[/\\\\]市政: a pack folder on CD1"
  "missing descriptor|rm set/CD1/CDFile.Dat|CD1 CD2|CD1[/\\\\]CDFile\.Dat: missing"
  "disc missing from the set|true|CD1|lists disc CD2 \(for 国标/土建 工程\), but no disc of the set has that label"
  "same label twice|cp -r set/CD1 set/CD1b|CD1 CD1b CD2|CD1b[/\\\\]CDFile\.Dat: label CD1 is also the label of"
  "different catalogues|cp suffixed/'光盘 1'/CDFile.Dat set/CD2/CDFile.Dat|CD1 CD2|CD2[/\\\\]CDFile\.Dat: its catalogue differs"
)
for c in "${verify_cases[@]}"; do
  IFS='|' read -r what spoil discs pattern <<<"$c"
  rm -rf set
  cp -r discs set
  eval "$spoil"
  args=()
  for d in $discs; do args+=("set/$d"); done
  run verify "${args[@]}"
  expect 1 "$pattern" err "verify: $what"
done
# Cut inside the second pack's standard, which starts at 261 + 517 + 2 * 256.
head -c 1300 discs/CD2/CDFile.Dat >broken.dat
run inspect broken.dat
expect 1 'broken\.dat: malformed disc descriptor: reading failed at offset 1290 \(the file has 1300 bytes\)' err \
  "inspect of a corrupted descriptor"

# --- Usage -------------------------------------------------------------------------
usage_cases=(
  "|no command given"
  "frob|unknown command 'frob'"
  "build lib out|--capacity is required"
  "build lib out --capacity 12Q|'12Q' is no size"
  "build lib out --capacity 0|'0' is no size"
  "build lib out --capacity 4000 --tag 256|'256' is no number from 0 to 255"
  "build lib out --capacity 4000 --label-prefix a/b|'a/b' cannot start a disc label"
  "build lib --capacity 4000|missing arguments"
  "inspect a b|too many arguments: b"
  "inspect --yaml x|unknown option --yaml"
  "verify|missing arguments"
)
for c in "${usage_cases[@]}"; do
  IFS='|' read -r line pattern <<<"$c"
  read -ra args <<<"$line"
  run "${args[@]}"
  expect 2 "$pattern" err "usage: cdtool $line"
done
for command in inspect build verify; do
  run "$command" --help
  expect 0 "^Usage: cdtool $command" out "$command --help"
done
run --help
expect 0 '^Usage: cdtool COMMAND' out "--help"

if [ "$failures" -gt 0 ]; then
  echo "$failures checks failed"
  exit 1
fi
echo "all checks passed"
