#!/usr/bin/env bash
# Times the real tempovia under a virtual X server on a 30-year history: from
# the launch to the login window mapped, and from the Enter that logs in to
# the main window mapped (the X server's own map events, through xwait). Ten
# runs each; prints every run and the medians.
#   bench/startup_timing.sh [BUILD_DIR]
set -euo pipefail

build=${1:-build/dev}
tempovia="$build/src/app/tempovia"
cli="$build/src/cli/tempovia-cli"
xwait="$build/tests/support/xwait"
[[ -x "$xwait" ]] || xwait="$build/bench/xwait"
for tool in Xvfb xdotool; do command -v "$tool" >/dev/null || { echo "$tool is missing"; exit 1; }; done

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
exec 5>"$work/display"
Xvfb -displayfd 5 -screen 0 1280x900x24 -nolisten tcp -noreset >/dev/null 2>&1 &
while [[ ! -s "$work/display" ]]; do sleep 0.05; done
export DISPLAY=":$(head -n 1 "$work/display")"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export TEMPOVIA_HOME="$work/home"
unset QT_QPA_PLATFORM

# One user with a record a day from 2000 to 2029 (the benchmarks' history),
# and a notification area, so no window opens with a notice first.
TEMPOVIA_PASSWORD=pw "$cli" add-user --name Ann --height 168 --weight 61 >/dev/null
"$build/bench/write_history" "$TEMPOVIA_HOME/data/100.dat" "$TEMPOVIA_HOME/data/100_exercise.dat"
coproc tray { "$xwait" tray; }
read -r _ <&"${tray[0]}"

# Starts waiting for a window (name, size); the result is read with finish.
watch_for() {
  coproc waiter { "$xwait" map "$1" "$2"; }
  read -r _ <&"${waiter[0]}"
}
finish() {
  local ms
  read -r ms <&"${waiter[0]}"
  wait "$waiter_PID" 2>/dev/null || true
  echo "$ms"
}
median() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

starts=()
logins=()
for run in $(seq 1 10); do
  watch_for Login 1000x440
  "$tempovia" >/dev/null 2>&1 &
  app=$!
  starts+=("$(finish)")
  login=$(xdotool search --onlyvisible --name '^Login$' | head -n 1)
  xdotool windowfocus --sync "$login" 2>/dev/null || true
  xdotool type --delay 0 pw
  watch_for Tempovia 1000x709
  xdotool key Return
  logins+=("$(finish)")
  echo "run $run: start to login window ${starts[-1]} ms, login to main window ${logins[-1]} ms"
  kill "$app"
  wait "$app" 2>/dev/null || true
done
echo "median: start to login window $(printf '%s\n' "${starts[@]}" | median) ms," \
  "login to main window $(printf '%s\n' "${logins[@]}" | median) ms"
