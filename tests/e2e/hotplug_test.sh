#!/usr/bin/env bash
# Plugging the simulated watch in and out of the real tempovia, under a
# virtual X server with a notification area: SIGUSR1 unplugs it, SIGUSR2
# plugs it back in, and the windows hear it as they hear a real watch.
# Every wait is for a window or a trace line, never for a time.
# hotplug_test.sh TEMPOVIA TEMPOVIA_CLI XWAIT
set -euo pipefail

tempovia=$1 cli=$2 xwait=$3
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
need_tools Xvfb xdotool
start_display
start_tray
TEMPOVIA_PASSWORD=secret "$cli" add-user --name Ann --height 168 --weight 61 >/dev/null

# Sends signal, waits for its trace line and then for a new trace line that
# says the program acted on it, or fails with why.
signal_watch() {
  local signal=$1 said=$2 acted=$3 why=$4 before
  before=$(trace_count "$acted")
  kill "-$signal" "$app_pid"
  trace_line "$said"
  for _ in $(seq 1 600); do
    [[ $(trace_count "$acted") -gt $before ]] && return 0
    sleep 0.1
  done
  fail "$why"
}
unplug() {
  signal_watch USR1 "SIGUSR1: the simulated watch is unplugged" "Trekmo Closed" \
    "the driver was not let go after the unplug"
}
plug() {
  signal_watch USR2 "SIGUSR2: the simulated watch is plugged in" "Reconnected to device" \
    "the watch was not found again after the plug-in"
}

# 1. At the login window: the program keeps running, the window stays, and
#    logging in then works.
start_program --simulate-watch --simulate-instant
login=$(window Login 1000x440)
unplug
plug
running || fail "the program ended when the watch was plugged in at the login window"
shown Login 1000x440 || fail "the login window went when the watch was plugged in"
type_password secret

# 2. Unplugged and plugged in while the main window shows: the window stays,
#    and UPLOAD then stores the week.
unplug
shown Tempovia 1000x709 || fail "the main window went when the watch was unplugged"
plug
shown Tempovia 1000x709 || fail "the main window went when the watch was plugged in"
upload
trace_line "Download ended"
[[ $(stored_days) -eq 7 ]] || fail "UPLOAD after the plug-in stored $(stored_days) days, not 7"
days=$(stored_days)
sessions=$(stored_sessions)

# 3. Hidden in the notification area (EXIT): plugging the watch in logs out
#    and the login window comes back.
click "$main" 890 90
gone Tempovia 1000x709
unplug
plug
window Login 1000x440 >/dev/null
running || fail "the program ended when the watch was plugged in while hidden"
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true

# 4. Unplugged in the middle of a download in real time, after its first
#    progress line: the download fails and says so, the program runs on, and
#    nothing stored is lost or half written; plugged in again, UPLOAD stores.
start_program --simulate-watch
type_password secret
upload
trace_line "Update Progress : "
unplug
answer_box
trace_line "Download ended"
running || fail "the program ended when the watch was unplugged during a download"
grep -qF "Retry Count = 10" "$work/app.log" || fail "the download did not end with its last attempt"
[[ $(stored_days) -eq $days ]] || fail "the interrupted download changed the stored days"
[[ $(stored_sessions) -eq $sessions ]] || fail "the interrupted download changed the stored sessions"
for file in 100.dat:648 100_exercise.dat:88; do
  size=$(stat -c %s "$TEMPOVIA_HOME/data/${file%%:*}")
  (( size % ${file##*:} == 0 )) || fail "${file%%:*} holds a part of a record ($size bytes)"
done
plug
upload
# A real-time download takes a few seconds.
for _ in $(seq 1 600); do
  [[ $(trace_count "Download ended") -ge 2 ]] && break
  sleep 0.1
done
[[ $(trace_count "Download ended") -ge 2 ]] || fail "the download after the plug-in never ended"
running || fail "the program ended after the download"
[[ $(stored_days) -ge $days ]] || fail "the download after the plug-in lost days"
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=""
echo "passed"
