#!/usr/bin/env bash
# End-to-end installs under Wine: the real Setup.exe, started from drive E:
# holding disc 1 of a set of three, driven through its windows with real
# mouse clicks and keys by WizardDriver.exe; this script swaps the discs when
# a disc prompt asks for one and checks the installed library afterwards.
#
# The disc set: "国标"/"土建" on CD1 and CD2, "浙江省标"/"市政" on CD1 and
# CD3, with blanks and Chinese text in folder names, read-only files, nested
# and empty folders, a different .PAK file on every disc of a pack and files
# of several MB, so that a copy lasts long enough to be cancelled or killed.
#
# Usage: run-e2e.sh SCENARIO Setup.exe WizardDriver.exe WriteDescriptor.exe
#                   cdtool.exe WORK_FOLDER
# Scenarios: full_install cancel_and_resume cancel_in_large_file
#            copy_error_abort copy_error_ignore wrong_disc_folder
#            killed_and_resume killed_at_prompt killed_between_packs
#            killed_after_pack disc_found_by_itself iso_images
#            silent_install silent_missing_disc silent_copy_error
set -euo pipefail
scenario=$1 setup=$(realpath "$2") driver=$(realpath "$3") write_descriptor=$(realpath "$4") cdtool=$(realpath "$5")
mkdir -p "$6"
work=$(realpath "$6")
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

# One prefix for all scenarios (made once; ctest runs them one at a time).
export WINEPREFIX=$work/wineprefix
source "$root/scripts/wine-env"
source "$here/wizard-session.sh"
trap 'wineserver -k 2>/dev/null || true' EXIT
# The scenario before this one killed its Wine server on its way out; a
# program started while that server is still going away is killed with it
# (seen as a disc descriptor that cannot be written, or a disc set cdtool
# refuses), so this one waits until it is gone.
wineserver -w 2>/dev/null || true
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
winpath() { winepath -w "$1" | tr -d '\r'; }

# ---------------------------------------------------------------- discs

discs=$work/discs-$scenario
data_file() {  # PATH SIZE [ro]
  mkdir -p "$(dirname "$1")"
  head -c "$2" /dev/urandom >"$1"
  if [ "${3:-}" = ro ]; then chmod a-w "$1"; fi
}
small_files() {  # FOLDER COUNT: files of 4 KiB
  mkdir -p "$1"
  head -c $(($2 * 4096)) /dev/urandom | split -b 4096 -a 3 --additional-suffix=.dwg - "$1/图块 "
}
build_discs() {
  chmod -R u+w "$discs" 2>/dev/null || true
  rm -rf "$discs"
  local tujian=MatterLib/国标/土建 shizheng=MatterLib/浙江省标/市政
  # Another .PAK file on every disc of its pack, read-only as on a disc: a
  # clean install ends with the last disc's.
  data_file "$discs/CD1/$tujian/土建.PAK" 3000 ro
  data_file "$discs/CD2/$tujian/土建.PAK" 3100 ro
  data_file "$discs/CD1/$shizheng/市政.PAK" 2500 ro
  data_file "$discs/CD3/$shizheng/市政.PAK" 2600 ro

  data_file "$discs/CD1/$tujian/基础 说明.txt" 3000 ro
  data_file "$discs/CD1/$tujian/大图 A.dwg" 8M
  data_file "$discs/CD1/$tujian/大图 B.dwg" 8M
  data_file "$discs/CD1/$tujian/门窗 详图/M1 门.dwg" 50000
  data_file "$discs/CD1/$tujian/门窗 详图/节点 大样/深层 节点.dwg" 20000 ro
  # Many small files, so that the pass over CD1 lasts a few seconds.
  small_files "$discs/CD1/$tujian/门窗 详图/小 图块" 300
  small_files "$discs/CD1/$shizheng/小 图块" 100
  data_file "$discs/CD1/$shizheng/管线 综合.dwg" 8M
  data_file "$discs/CD1/$shizheng/说明 文件.txt" 1500 ro

  data_file "$discs/CD2/$tujian/结构 图/梁 详图.dwg" 4M
  data_file "$discs/CD2/$tujian/结构 图/柱.dwg" 10000 ro
  mkdir -p "$discs/CD2/$tujian/空 文件夹"

  data_file "$discs/CD3/$shizheng/道路 断面/横断面.dwg" 4M
  data_file "$discs/CD3/$shizheng/道路 断面/纵断面.dwg" 900 ro

  for disc in CD1 CD2 CD3; do
    cp "$setup" "$discs/$disc/Setup.exe"
    wine "$write_descriptor" "$(winpath "$discs/$disc/CDFile.Dat")" "$disc" \
      '国标/土建=CD1,CD2' '浙江省标/市政=CD1,CD3'
  done
  wine "$cdtool" verify "$(winpath "$discs/CD1")" "$(winpath "$discs/CD2")" "$(winpath "$discs/CD3")" |
    tr -d '\r' || { echo "FAIL: cdtool verify refuses the disc set"; exit 1; }
}

# Images of the discs CD2 and CD3 as cdtool build --iso writes them (Joliet
# names from the UTF-8 names of the folders), in a folder of their own: no
# prefix of an image's path, typed a key at a time, names a disc's folder.
images=$discs/images
disc_images() {
  mkdir -p "$images"
  local disc
  for disc in CD2 CD3; do
    xorriso -report_about SORRY -abort_on FAILURE -local_charset UTF-8 -outdev "$images/$disc.iso" -volid "$disc" \
      -joliet on -compliance joliet_long_names -map "$discs/$disc" / >/dev/null 2>&1 ||
      { echo "FAIL: xorriso cannot make $disc.iso"; exit 1; }
  done
}

# ---------------------------------------------------------------- the application

app=$WINEPREFIX/drive_c/Tavrin
library=$app/DLL/VEXA/MatterLib
fresh_application() {
  chmod -R u+w "$app" 2>/dev/null || true
  rm -rf "$app"
  mkdir -p "$app/DLL/VEXA"
  touch "$app/DLL/VEXA/Nolt.exe"
  wine reg add 'HKLM\SOFTWARE\HUXO\MIRKE' /v InstallPath /d 'C:\Tavrin\' /f /reg:32 >/dev/null 2>&1
}

# ---------------------------------------------------------------- sessions

log_number=0
# Prompts expected by the current session, in order: the labels each asks
# for, and the answer: a disc inserted (CD1 to CD3; the prompt must take it
# by itself within 3 s), "foreign:CDn" for a foreign disc first (the prompt
# must stay) and then CDn, either followed by "|STEP" for steps of the
# driver to run then; "image:CDn" for the path of the disc's .iso image
# typed into the prompt (see disc_images); "kill" to kill Setup.exe with the
# prompt open; or a folder typed into the prompt (see below).
expected_prompts=()
prompt_answer=()
after_insert=()
prompt_shot=
answer_request() {
  local question=$1
  case $question in
    "prompt "*)
      local labels=${question#prompt }
      if ((${#expected_prompts[@]} == 0)); then
        fail "an unexpected disc prompt asks for '$labels'"
        answer='click=prompt:取消'
        return
      fi
      local expected=${expected_prompts[0]} disc=${prompt_answer[0]%%|*} then=()
      [[ ${prompt_answer[0]} != *"|"* ]] || IFS='|' read -r -a then <<<"${prompt_answer[0]#*|}"
      expected_prompts=("${expected_prompts[@]:1}")
      prompt_answer=("${prompt_answer[@]:1}")
      [ "$labels" = "$expected" ] || fail "the disc prompt asks for '$labels', expected '$expected'"
      if [ "$disc" = kill ]; then
        kill_setup
      elif [[ $disc == CD* ]]; then
        # The prompt takes a needed disc by itself (a click on OK could come
        # after it closed); the picture is taken before the disc goes in.
        after_insert=("${then[@]}")
        answer=$(printf '%s\n' $prompt_shot "ask=insert $disc")
        prompt_shot=
      elif [[ $disc == image:* ]]; then
        # The image's path typed into the edit box: the prompt takes it by
        # itself (a click on OK could come after it closed).
        answer=$(printf '%s\n' "type=prompt:$(winpath "$images/${disc#image:}.iso")" taken=3000)
      elif [[ $disc == foreign:* ]]; then
        wine_cdrom e "$discs/foreign"
        after_insert=("${then[@]}")
        answer=$(printf '%s\n' stays=prompt:3000 "ask=insert ${disc#foreign:}")
      else
        # A folder typed into the prompt's edit box and confirmed: without a
        # CDFile.Dat the prompt says so and stays, and the user cancels.
        answer=$(printf '%s\n' "type=prompt:$disc" 'click=prompt:确定' 'label=prompt:光盘配置文件不存在，请检查光盘。' \
          'click=prompt:取消')
      fi
      ;;
    "insert "*)
      # The prompt finds the disc by itself, about once a second.
      wine_cdrom e "$discs/${question#insert }"
      answer=$(printf '%s\n' taken=3000 "${after_insert[@]}")
      after_insert=()
      ;;
    kill)
      # Kills Setup.exe while a drawing of several MB is on its way under its
      # temporary name (in a pack's top folder, where the big files are).
      local deadline=$((SECONDS + 60))
      while ((SECONDS < deadline)); do
        partial=()
        for pack in 国标/土建 浙江省标/市政; do
          [ ! -e "$library/$pack/~" ] || partial+=("$library/$pack/~")
        done
        ((${#partial[@]} == 0)) || break
      done
      kill_setup
      ;;
    large-file-in-copy)
      # Answers once the large file of the first pack is well on its way
      # under its temporary name.
      local deadline=$((SECONDS + 60))
      while ((SECONDS < deadline)); do
        (($(stat -c %s "$library/国标/土建/~" 2>/dev/null || echo 0) < 20000000)) || break
        sleep 0.01
      done
      ((SECONDS < deadline)) || fail "the large file was not seen in copy"
      ;;
    copy-stopped)
      # Cancel was answered Yes: the copy of the large file stops and its
      # temporary file goes within a second.
      local stop_by=$(($(date +%s%N) + 1000000000))
      while [ -e "$library/国标/土建/~" ] && (($(date +%s%N) < stop_by)); do sleep 0.02; done
      [ ! -e "$library/国标/土建/~" ] || fail "the large file's copy did not stop within a second of the cancel"
      ;;
    kill-between-packs)
      # Kills Setup.exe as soon as the first pack is done on this disc.
      local deadline=$((SECONDS + 60))
      while ((SECONDS < deadline)) && [ ! -e "$library/国标/土建/Install.Dat" ]; do :; done
      kill_setup
      ;;
    *) fail "unknown request '$question'" ;;
  esac
}

# Kills the relaunched Setup.exe: its Linux process, found by its command
# line and this prefix, then the rest of the prefix.
kill_setup() {
  local pid
  pid=$(setup_process_id)
  [ -n "$pid" ] || fail "no Setup.exe process to kill"
  [ -z "$pid" ] || kill -9 "$pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
}

# The Linux process id of the Setup.exe that runs in this prefix.
setup_process_id() {
  local proc
  for proc in /proc/[0-9]*; do
    tr '\0' ' ' <"$proc/cmdline" 2>/dev/null | grep -q 'Setup\.exe' || continue
    tr '\0' '\n' <"$proc/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    echo "${proc#/proc/}"
    return
  done
}

# Runs one session from CD1 with the given steps; the prompts it must meet
# are set in expected_prompts/prompt_answer beforehand.
session() {
  local what=$1
  shift
  log_number=$((log_number + 1))
  local log=$work/$scenario-$log_number.log
  wine_cdrom e "$discs/CD1"
  echo "--- $what"
  local status=0
  wizard_session "$driver" "$work/talk" "$log" "$@" || status=$?
  sed 's/^/    /' "$log"
  ((${#expected_prompts[@]} == 0)) || fail "$what: the disc prompts for ${expected_prompts[*]} did not come"
  return "$status"
}

to_page2=(page=0 click=wizard:下一步 page=1 'edit=wizard:C:\Tavrin\' click=wizard:下一步 page=2 tick-all)
# Page 4 with its title, and the failure text after a failed run.
finish_as() {
  echo page=4 "label=wizard:$1"
  [ "$1" = 安装完成 ] || echo label=wizard:安装时发生了错误，素材库可能没有完全安装。
  echo click=wizard:完成 gone=wizard
}

# A session that completes the installation, meeting the prompts set in
# expected_prompts/prompt_answer.
completing_session() {
  session "$1" "${to_page2[@]}" click=wizard:下一步 discs label=wizard:复制完成 click=wizard:下一步 \
    $(finish_as 安装完成) ||
    fail "$1: the driver failed"
  expect_exit 0
}

full_session() {
  expected_prompts=("CD2或CD3" "CD2") prompt_answer=(CD3 CD2)
  completing_session "$1"
}

# The full install once more, with a screenshot of every page and of the
# first disc prompt (kept when SHOTS names a folder).
full_session_with_shots() {
  expected_prompts=("CD2或CD3" "CD2") prompt_answer=(CD3 CD2)
  prompt_shot=shot=disc-prompt:prompt
  session "$1" page=0 shot=page0-welcome click=wizard:下一步 page=1 'edit=wizard:C:\Tavrin\' shot=page1-folder \
    click=wizard:下一步 page=2 tick-all shot=page2-specialties click=wizard:下一步 copying shot=page3-progress \
    discs label=wizard:复制完成 click=wizard:下一步 page=4 label=wizard:安装完成 shot=page4-finish click=wizard:完成 gone=wizard ||
    fail "$1: the driver failed"
}

# ---------------------------------------------------------------- unattended runs

# Runs E:\Setup.exe from CD1 with the given switches, as a deployment tool
# does, and sets setup_status to its exit code (the first launch waits for
# the relaunched copy). With windows=none first, no window may show while it
# runs.
setup_status=
unattended_run() {
  local watch_windows=
  if [ "$1" = windows=none ]; then
    watch_windows=1
    shift
  fi
  wine_cdrom e "$discs/CD1"
  echo "--- Setup.exe $*"
  wine 'E:\Setup.exe' "$@" >/dev/null 2>&1 &
  local pid=$! deadline=$((SECONDS + ${SESSION_TIMEOUT:-150})) shown=
  while kill -0 "$pid" 2>/dev/null; do
    if ((SECONDS > deadline)); then
      fail "Setup.exe $*: did not end in ${SESSION_TIMEOUT:-150} s"
      wineserver -k 2>/dev/null || true
      break
    fi
    if [ -n "$watch_windows" ] && [ -z "$shown" ]; then
      # (xdotool finds nothing: status 1)
      shown=$(xdotool search --onlyvisible --name . 2>/dev/null | while read -r id; do xdotool getwindowname "$id"; done) ||
        true
      [ -z "$shown" ] || fail "Setup.exe $*: a window showed: $shown"
    fi
    sleep 0.2
  done
  setup_status=0
  wait "$pid" || setup_status=$?
  timeout 20 wineserver -w 2>/dev/null || true
  echo "    exit code $setup_status"
}

# The exit code of the last unattended run, and the last line of its log.
expect_exit() {  # CODE LOG
  [ "$setup_status" = "$1" ] || fail "Setup.exe ended with exit code $setup_status, expected $1"
  [ -z "${2:-}" ] || {
    local last
    last=$(tail -n 1 "$2" | tr -d '\r')
    [[ $last == *"   Exit code: $1" ]] || fail "the log's last line is '$last'"
  }
}

silent_log=$WINEPREFIX/drive_c/setup.log
discs_switch() {  # LABEL...: /DISCS for those discs of the set
  local map= disc
  for disc in "$@"; do map+="${map:+;}$disc=$(winpath "$discs/$disc")"; done
  echo "/DISCS=$map"
}
silent_switches=(/VERYSILENT /SUPPRESSMSGBOXES '/DIR=C:\Tavrin' '/COMPONENTS=国标\土建,浙江省标\市政' '/LOG=C:\setup.log')

# ---------------------------------------------------------------- checks

# The installed library is the union of the discs' MatterLib folders, byte
# for byte, every pack has an Install.Dat with no pending disc, and nothing
# copied kept the discs' read-only attribute.
expect_complete_library() {
  local expected=$work/expected
  chmod -R u+w "$expected" 2>/dev/null || true
  rm -rf "$expected"
  mkdir -p "$expected"
  for disc in CD1 CD2 CD3; do cp -r --no-preserve=mode "$discs/$disc/MatterLib/." "$expected/"; done
  diff -r -x Install.Dat "$expected" "$library" || fail "the installed library differs from the discs"
  for pack in 国标/土建 浙江省标/市政; do
    cmp -s <(head -c 4 /dev/zero) "$library/$pack/Install.Dat" ||
      fail "$pack/Install.Dat does not hold an empty list: $(od -An -tx1 "$library/$pack/Install.Dat" 2>&1 | head -2)"
  done
  local read_only
  read_only=$(find "$library" -type f ! -perm -u+w)
  [ -z "$read_only" ] || fail "copied files are read-only: $read_only"
}

# An Install.Dat listing the single label $2.
expect_pending() {
  cmp -s <(printf "\\x01\\x00\\x00\\x00\\x$(printf %02x "${#2}")%s" "$2"; head -c $((255 - ${#2})) /dev/zero) \
    "$library/$1/Install.Dat" || fail "$1/Install.Dat does not list just $2"
}

# Every file under its final name is whole: equal to its source on a disc
# (a .PAK file to that of one of its discs).
expect_no_truncated_file() {
  local file relative found whole
  while IFS= read -r -d '' file; do
    relative=${file#"$library"/}
    case $relative in */~ | */~[0-9]* | */Install.Dat) continue ;; esac
    found= whole=
    for disc in CD1 CD2 CD3; do
      if [ -f "$discs/$disc/MatterLib/$relative" ]; then
        found=1
        ! cmp -s "$discs/$disc/MatterLib/$relative" "$file" || whole=1
      fi
    done
    [ -n "$found" ] || fail "$relative is on no disc"
    [ -z "$found" ] || [ -n "$whole" ] || fail "$relative is not whole after the kill"
  done < <(find "$library" -type f -print0)
}

# Nothing is left under a temporary name.
expect_no_temporary_copy() {
  local leftovers
  leftovers=$(find "$library" -name '~' -o -name '~[0-9]*')
  [ -z "$leftovers" ] || fail "temporary copies are left: $leftovers"
}

# A session killed by the request of its last step (ask=... or a prompt
# answered "kill"), then a session from CD1 that completes the installation
# with the prompts given as "LABELS:DISC" arguments: the library is then
# that of a clean install.
killed_then_resumed() {
  local what=$1 last_step=$2
  shift 2
  partial=()
  session "killed $what" "${to_page2[@]}" click=wizard:下一步 $last_step || true
  if ((${#partial[@]})); then echo "killed while copying: ${partial[*]#"$library"/}"; fi
  expect_no_truncated_file
  expected_prompts=() prompt_answer=()
  local prompt
  for prompt in "$@"; do
    expected_prompts+=("${prompt%%:*}") prompt_answer+=("${prompt#*:}")
  done
  completing_session "the run from CD1 after the kill completes"
  expect_complete_library
  expect_no_temporary_copy
}

# ---------------------------------------------------------------- scenarios

build_discs
fresh_application
started=$SECONDS

case $scenario in
  full_install)
    full_session_with_shots "a full install over three discs"
    expect_exit 0
    expect_complete_library
    ;;

  cancel_and_resume)
    expected_prompts=() prompt_answer=()
    session "cancel during the copy" "${to_page2[@]}" click=wizard:下一步 click=wizard:取消 \
      dialog=警告:是否中断安装过程？ 'click=警告:是(&Y)' run-end label=wizard:复制中断 click=wizard:下一步 \
      $(finish_as 安装失败) ||
      fail "cancel: the driver failed"
    expect_exit 5
    [ ! -e "$library/浙江省标/市政/Install.Dat" ] || fail "the cancelled run finished the second pack"
    full_session "the second run resumes"
    expect_complete_library
    ;;

  cancel_in_large_file)
    # A file of 1.5 GB on CD1, cancelled while it copies; the window answers
    # the click on Cancel and the question within the copy of that file.
    large="$discs/CD1/MatterLib/国标/土建/大图 全景.dwg"
    # Large enough that the rest of it outlasts the click on Cancel (some
    # 150 ms) even when it copies from the page cache at a few GB/s.
    data_file "$large" 1500M
    expected_prompts=() prompt_answer=()
    session "cancel during the copy of a large file" "${to_page2[@]}" click=wizard:下一步 ask=large-file-in-copy \
      click=wizard:取消 dialog=警告:是否中断安装过程？ 'click=警告:是(&Y)' ask=copy-stopped run-end \
      label=wizard:复制中断 click=wizard:下一步 $(finish_as 安装失败) ||
      fail "cancel in a large file: the driver failed"
    [ ! -e "$library/国标/土建/大图 全景.dwg" ] || fail "the cancelled large file stands under its name"
    [ ! -e "$library/国标/土建/Install.Dat" ] || fail "the cancelled pack has an Install.Dat"
    expect_no_temporary_copy
    full_session "the second run completes the packs"
    expect_complete_library
    ;;

  copy_error_abort)
    # A folder where a file of the first pack is to go: its copy fails.
    blocked="$library/国标/土建/门窗 详图/M1 门.dwg"
    mkdir -p "$blocked"
    expected_prompts=() prompt_answer=()
    session "a failed copy answered with Enter (Abort)" "${to_page2[@]}" click=wizard:下一步 \
      "dialog=错误:复制:'M1 门.dwg'出错。" shot=copy-error:错误 key=enter run-end \
      label=wizard:CD1-国标-土建安装失败 label=wizard:复制中断 click=wizard:下一步 \
      $(finish_as 安装失败) || fail "abort: the driver failed"
    expect_exit 5
    [ -d "$blocked" ] || fail "the folder in the way is gone"
    [ ! -e "$library/国标/土建/Install.Dat" ] || fail "the aborted pack has an Install.Dat"
    [ ! -e "$library/浙江省标" ] || fail "the pass went on after the abort"
    expect_no_temporary_copy
    ;;

  copy_error_ignore)
    # A folder where a file of the first pack's second disc is to go.
    blocked="$library/国标/土建/结构 图/柱.dwg"
    mkdir -p "$blocked"
    expected_prompts=("CD2或CD3" "CD2")
    prompt_answer=(CD3 "CD2|dialog=错误:复制:'柱.dwg'出错。|click=错误:忽略(&I)")
    session "a failed copy answered Ignore" "${to_page2[@]}" click=wizard:下一步 discs \
      label=wizard:复制完成 click=wizard:下一步 $(finish_as 安装失败) || fail "ignore: the driver failed"
    expect_exit 10
    # The disc stays pending for the pack with the missing file.
    expect_pending 国标/土建 CD2
    rmdir "$blocked"
    expected_prompts=("CD2") prompt_answer=(CD2)
    completing_session "the second run completes the pack"
    expect_complete_library
    expect_no_temporary_copy
    ;;

  wrong_disc_folder)
    expected_prompts=("CD2或CD3") prompt_answer=('C:\Tavrin\')
    session "a folder without CDFile.Dat confirmed in the disc prompt" "${to_page2[@]}" click=wizard:下一步 \
      discs click=wizard:下一步 $(finish_as 安装失败) || fail "wrong folder: the driver failed"
    expect_exit 10
    ! grep -q '^error box:' "$work/$scenario-$log_number.log" || fail "an error box was shown"
    expect_pending 国标/土建 CD2
    expect_pending 浙江省标/市政 CD3
    ;;

  disc_found_by_itself)
    # A disc of another set in E: first: the prompt must not take it.
    mkdir -p "$discs/foreign"
    wine "$write_descriptor" "$(winpath "$discs/foreign/CDFile.Dat")" CD9 '国标/土建=CD9'
    expected_prompts=("CD2或CD3" "CD2") prompt_answer=(foreign:CD3 CD2)
    session "discs found by the prompt itself" "${to_page2[@]}" click=wizard:下一步 discs label=wizard:复制完成 \
      click=wizard:下一步 $(finish_as 安装完成) || fail "found by itself: the driver failed"
    expect_complete_library
    ;;

  iso_images)
    # CD2 and CD3 given as .iso files typed into the disc prompt: the same
    # library as from the discs' folders.
    disc_images
    expected_prompts=("CD2或CD3" "CD2") prompt_answer=(image:CD3 image:CD2)
    completing_session "CD2 and CD3 as .iso images"
    expect_complete_library
    # The same images named by /DISCS, then found by /SOURCE in their folder,
    # with nobody at the PC.
    for where in "/DISCS=CD2=$(winpath "$images/CD2.iso");CD3=$(winpath "$images/CD3.iso")" \
                 "/SOURCE=$(winpath "$images")"; do
      fresh_application
      unattended_run windows=none "${silent_switches[@]}" "$where"
      expect_exit 0 "$silent_log"
      expect_complete_library
      grep -q "Disc CD3 read from .*CD3.iso" "$silent_log" || fail "$where: the log does not name CD3.iso"
    done
    ;;

  killed_and_resume)
    killed_then_resumed "during the copy" ask=kill "CD2或CD3:CD3" "CD2:CD2"
    ;;

  killed_at_prompt)
    expected_prompts=("CD2或CD3") prompt_answer=(kill)
    killed_then_resumed "with the disc prompt open" discs "CD2或CD3:CD3" "CD2:CD2"
    ;;

  killed_between_packs)
    killed_then_resumed "once the first pack is done on CD1" ask=kill-between-packs "CD2或CD3:CD3" "CD2:CD2"
    ;;

  killed_after_pack)
    # Killed with the second pack complete: the run from CD1 must not give
    # it CD1's .PAK file again.
    expected_prompts=("CD2或CD3" "CD2") prompt_answer=(CD3 kill)
    killed_then_resumed "after a pack was completed" discs "CD2:CD2"
    ;;

  silent_install)
    # No window, no question: the same library as the interactive install.
    unattended_run windows=none "${silent_switches[@]}" "$(discs_switch CD2 CD3)"
    expect_exit 0 "$silent_log"
    expect_complete_library
    grep -q "Disc CD3 read from" "$silent_log" || fail "the log does not name where CD3 was read"
    ;;

  silent_missing_disc)
    unattended_run windows=none '/STATUS' '/DIR=C:\Tavrin'
    expect_exit 0
    # CD3 is nowhere: its pack waits for it, and the run says so.
    unattended_run windows=none "${silent_switches[@]}" "$(discs_switch CD2)"
    expect_exit 10 "$silent_log"
    expect_pending 浙江省标/市政 CD3
    grep -q "No disc found for CD3" "$silent_log" || fail "the log does not name the missing CD3"
    unattended_run windows=none '/STATUS' '/DIR=C:\Tavrin' '/LOG=C:\status.log'
    expect_exit 10 "$WINEPREFIX/drive_c/status.log"
    grep -qF "Pack 浙江省标\\市政 still needs discs CD3" "$WINEPREFIX/drive_c/status.log" ||
      fail "/STATUS does not list the pending pack"
    # A second run that finds CD3 (in the disc-set folder) completes it.
    unattended_run windows=none "${silent_switches[@]}" "/SOURCE=$(winpath "$discs")"
    expect_exit 0 "$silent_log"
    expect_complete_library
    unattended_run windows=none '/STATUS' '/DIR=C:\Tavrin'
    expect_exit 0
    ;;

  silent_copy_error)
    # A folder where a file of the first pack is to go: its copy fails, and
    # the question is answered Abort without a box.
    blocked="$library/国标/土建/门窗 详图/M1 门.dwg"
    mkdir -p "$blocked"
    unattended_run /SILENT /SUPPRESSMSGBOXES '/COMPONENTS=*' '/LOG=C:\setup.log' "$(discs_switch CD2 CD3)"
    expect_exit 5 "$silent_log"
    grep -q "Answer: Abort (by default)" "$silent_log" || fail "the log does not give the default answer"
    [ ! -e "$library/国标/土建/Install.Dat" ] || fail "the aborted pack has an Install.Dat"
    expect_no_temporary_copy
    ;;

  *)
    echo "unknown scenario $scenario" >&2
    exit 2
    ;;
esac

echo "$scenario: $((SECONDS - started)) s of sessions"
if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
# What a passed scenario leaves is of no further use (a failed one keeps it).
chmod -R u+w "$discs" "$work/expected" "$app" 2>/dev/null || true
rm -rf "$discs" "$work/expected" "$app/DLL/VEXA/MatterLib"
echo "$scenario: all checks passed"
