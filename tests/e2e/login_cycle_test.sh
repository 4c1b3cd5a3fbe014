#!/usr/bin/env bash
# The real tempovia under a virtual X server, driven as a person would: start,
# log in by typing the password, see the main window, log out, see the login
# window again, a second start refused while the first runs, and the end.
# login_cycle_test.sh TEMPOVIA TEMPOVIA_CLI
set -euo pipefail

tempovia=$1 cli=$2
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
need_tools Xvfb xdotool
start_display
TEMPOVIA_PASSWORD=secret "$cli" add-user --name Ann --height 168 --weight 61 >/dev/null

# Without a notification area the run says so once, when its first window
# opens; the box is answered and waited out.
dismiss_tray_notice() {
  local box
  box=$(window Tempovia)
  [[ "$(xdotool getwindowgeometry "$box")" != *"1000x709"* ]] || fail "the main window opened before its notice"
  xdotool windowfocus --sync "$box" 2>/dev/null || true
  xdotool key Return
  for _ in $(seq 1 300); do
    xdotool search --onlyvisible --name '^Tempovia$' 2>/dev/null | grep -qx "$box" || return 0
    sleep 0.1
  done
  fail "the notification-area notice did not close"
}
# Fails when a notice of the notification area shows now: one a run is all.
# A window opens only after its notice was answered, so once it shows, a
# notice it gave would be on screen.
no_second_notice() {
  if xdotool search --onlyvisible --name '^Tempovia$' 2>/dev/null | while read -r id; do
    [[ "$(xdotool getwindowgeometry "$id")" != *"1000x709"* ]] && echo "$id"
  done | grep -q .; then
    fail "the missing notification area was told again"
  fi
}
# Logs in as Ann at a run's start, answering the one notice of a desktop
# without a notification area on the way; the main window is then $main.
log_in() {
  dismiss_tray_notice
  local login
  login=$(window Login 1000x440)
  xdotool windowfocus --sync "$login" 2>/dev/null || true
  xdotool type --delay 20 secret
  xdotool key Return
  main=$(window Tempovia 1000x709)
  no_second_notice
}

"$tempovia" --simulate-watch --simulate-instant >"$work/first.log" 2>&1 &
app_pid=$!
log_in

# A second copy while the first runs: one warning, then it ends by itself.
"$tempovia" >"$work/second.log" 2>&1 &
second=$!
refusal=$(window Tempovix)
xdotool windowfocus --sync "$refusal" 2>/dev/null || true
xdotool key Return
timeout 30 tail --pid="$second" -f /dev/null || fail "the second copy did not end"
wait "$second" || fail "the second copy ended with an error"
kill -0 "$app_pid" 2>/dev/null || fail "the first copy ended when the second started"

# LOGOUT, then the login window again, without a second notice.
click "$main" 687 366
login=$(window Login 1000x440)
no_second_notice
kill -0 "$app_pid" 2>/dev/null || fail "the program ended at logout"

# Escape at the login window ends the program.
xdotool windowfocus --sync "$login" 2>/dev/null || true
xdotool key Escape
timeout 30 tail --pid="$app_pid" -f /dev/null || fail "the program did not end after Escape"
wait "$app_pid" || fail "the program ended with an error: $(cat "$work/first.log")"

# A copy killed outright leaves its lock behind; the next start takes it over.
"$tempovia" >"$work/killed.log" 2>&1 &
app_pid=$!
window Tempovia >/dev/null
kill -9 "$app_pid"
wait "$app_pid" 2>/dev/null || true
"$tempovia" >"$work/after.log" 2>&1 &
app_pid=$!
dismiss_tray_notice
window Login 1000x440 >/dev/null
xdotool search --onlyvisible --name '^Tempovix$' >/dev/null 2>&1 && fail "a dead copy's lock refused the start"
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true

# Ended by the session (SIGTERM) in the middle of a download from the
# simulator, which pauses as a watch does: the transfer stops at its next
# report, the program ends by itself, and the user's files are whole.
"$tempovia" --simulate-watch >"$work/download.log" 2>&1 &
app_pid=$!
log_in
click "$main" 100 90
options=$(window "Upload and Download")
xdotool windowfocus --sync "$options" 2>/dev/null || true
xdotool key Return
window "Uploading Data" >/dev/null
kill -TERM "$app_pid"
timeout 20 tail --pid="$app_pid" -f /dev/null || fail "the program did not end after SIGTERM during a download"
wait "$app_pid" || fail "the program ended with an error after SIGTERM: $(cat "$work/download.log")"
app_pid=""
TEMPOVIA_PASSWORD=secret "$cli" days --user Ann >/dev/null || fail "the user's files are not readable after the interrupted download"
echo "passed"
