# Sourced after scripts/wine-env: runs one session of the wizard, E:\Setup.exe
# driven by WizardDriver.exe, and answers the driver's questions.
#
#   wizard_session DRIVER_EXE TALK_FOLDER LOG STEP...
#
# starts E:\Setup.exe and the driver with the steps (see WizardDriver.cpp),
# answers each question of the driver with the steps that the caller's
# function `answer_request QUESTION` leaves in the variable `answer` (UTF-8,
# one a line; it runs in this shell, so it may change the caller's state),
# and returns
# the driver's status once it has ended and every Wine process is gone;
# setup_status is then Setup.exe's exit code.
# "shot NAME GEOMETRY" is answered here: that rectangle of the display into
# $SHOTS/NAME.png when SHOTS is set. The session is stopped after
# SESSION_TIMEOUT seconds (default 150).

wizard_session() {
  local driver=$1 talk=$2 log=$3
  shift 3
  rm -rf "$talk"
  mkdir -p "$talk"
  local talk_win
  talk_win=$(winepath -w "$talk" | tr -d '\r')

  wine 'E:\Setup.exe' >/dev/null 2>&1 &
  local setup_pid=$!
  wine "$driver" "$talk_win" "$@" >"$log" 2>&1 &
  local driver_pid=$!

  local deadline=$((SECONDS + ${SESSION_TIMEOUT:-150})) question name geometry
  while kill -0 "$driver_pid" 2>/dev/null; do
    if ((SECONDS > deadline)); then
      echo "the session did not end in ${SESSION_TIMEOUT:-150} s" >>"$log"
      wineserver -k 2>/dev/null || true
      break
    fi
    if [ -f "$talk/request" ]; then
      question=$(cat "$talk/request")
      rm -f "$talk/request"
      if [[ $question == "shot "* ]]; then
        answer=
        if [ -n "${SHOTS:-}" ]; then
          read -r _ name geometry <<<"$question"
          sleep 0.3  # let the window finish painting
          import -window root -crop "$geometry" +repage "$SHOTS/$name.png"
        fi
      else
        answer=
        answer_request "$question"
      fi
      printf '%s\n' "$answer" >"$talk/answer.tmp"
      mv "$talk/answer.tmp" "$talk/answer"
    fi
    sleep 0.05
  done
  local status=0
  wait "$driver_pid" || status=$?
  setup_status=0
  wait "$setup_pid" 2>/dev/null || setup_status=$?
  # The wizard closes itself at the end of a good session; a failed one
  # leaves it open.
  timeout 20 wineserver -w 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  return "$status"
}
