# What the end-to-end tests share: a virtual X server of their own, a
# runtime and a base folder of their own, and the steps a person takes.
# Sourced by each test after setting tempovia, cli and (optionally) xwait.

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
tray_pid=""
cleanup() {
  [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null || true
  [[ -n "$tray_pid" ]] && kill "$tray_pid" 2>/dev/null || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  [[ -n "${KEEP_WORK:-}" ]] || rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*" >&2
  for log in "$work"/*.log; do
    echo "--- $(basename "$log")" >&2
    cat "$log" >&2
  done
  exit 1
}

need_tools() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "SKIPPED: $tool is missing (scripts/setup installs it)"
      exit 77
    fi
  done
}

# Xvfb on a display of its own; DISPLAY, XDG_RUNTIME_DIR (so the
# single-instance lock of one test never meets another's) and TEMPOVIA_HOME
# point into the work folder.
start_display() {
  exec 5>"$work/display"
  Xvfb -displayfd 5 -screen 0 1280x900x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    [[ -s "$work/display" ]] && break
    sleep 0.1
  done
  [[ -s "$work/display" ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$(head -n 1 "$work/display")"
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  export TEMPOVIA_HOME="$work/home"
  unset QT_QPA_PLATFORM
}

# An (empty) notification area, so windows hide into it as on most desktops.
start_tray() {
  coproc tray { "$xwait" tray; }
  tray_pid=$tray_PID
  read -r _ <&"${tray[0]}"
}

# Waits (up to 30 s) for a shown window with this name and, when given, this
# size; prints its id. Qt keeps a few tiny helper windows of the same name.
window() {
  local id size
  for _ in $(seq 1 300); do
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
      size=$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/.*Geometry: //p')
      [[ -n "$size" ]] || continue
      if [[ -n "${2:-}" && "$size" != "$2" ]]; then continue; fi
      [[ "${size%%x*}" -gt 10 ]] || continue
      echo "$id"
      return 0
    done
    sleep 0.1
  done
  fail "no window named \"$1\"${2:+ of $2} appeared"
}
# True while a window with this name and size is shown.
shown() {
  local id
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    [[ "$(xdotool getwindowgeometry "$id" 2>/dev/null)" == *"$2"* ]] && return 0
  done
  return 1
}
# Waits (up to 30 s) until no window of this name and size is shown.
gone() {
  for _ in $(seq 1 300); do
    shown "$1" "$2" || return 0
    sleep 0.1
  done
  fail "the window \"$1\" of $2 did not go"
}
# Waits (up to 60 s) for a line of the program's trace.
trace_line() {
  for _ in $(seq 1 600); do
    grep -qF -- "$1" "$work/app.log" 2>/dev/null && return 0
    sleep 0.1
  done
  fail "the trace never said \"$1\""
}
# How often the trace has said this so far.
trace_count() {
  grep -cF -- "$1" "$work/app.log" 2>/dev/null || true
}
# Waits (up to 30 s) for a message box (a window named Tempovia that is not
# the main window), answers it with its default button and waits for it to
# close. Its text is not visible to X: callers know from the trace what it is.
answer_box() {
  local box="" id
  for _ in $(seq 1 300); do
    for id in $(xdotool search --onlyvisible --name '^Tempovia$' 2>/dev/null); do
      local size
      size=$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/.*Geometry: //p')
      [[ -n "$size" && "$size" != "1000x709" && "${size%%x*}" -gt 10 ]] || continue
      box=$id
      break 2
    done
    sleep 0.1
  done
  [[ -n "$box" ]] || fail "no message box appeared"
  xdotool windowfocus --sync "$box" 2>/dev/null || true
  xdotool key Return
  for _ in $(seq 1 300); do
    xdotool search --onlyvisible --name '^Tempovia$' 2>/dev/null | grep -qx "$box" || return 0
    sleep 0.1
  done
  fail "the message box did not close"
}
# Types the password into the login window, as a user would, and waits for
# the main window ($main).
type_password() {
  local login
  login=$(window Login 1000x440)
  xdotool windowfocus --sync "$login" 2>/dev/null || true
  xdotool type --delay 20 "$1"
  xdotool key Return
  main=$(window Tempovia 1000x709)
}
# Clicks a point of a window's client area.
click() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
}
# UPLOAD with the options dialog's remembered choice (downloading the data).
upload() {
  local options
  click "$main" 100 90
  options=$(window "Upload and Download")
  xdotool windowfocus --sync "$options" 2>/dev/null || true
  xdotool key Return
}
# Starts the program with the simulated watch and the trace in app.log.
start_program() {
  "$tempovia" --trace "$@" >"$work/app.log" 2>&1 &
  app_pid=$!
}
running() {
  kill -0 "$app_pid" 2>/dev/null
}
# Stored days and sessions of Ann (user 100), counted from the files' sizes:
# while the program runs it holds the user database, so the tool waits.
stored_days() {
  echo $(($(stat -c %s "$TEMPOVIA_HOME/data/100.dat" 2>/dev/null || echo 0) / 648))
}
stored_sessions() {
  echo $(($(stat -c %s "$TEMPOVIA_HOME/data/100_exercise.dat" 2>/dev/null || echo 0) / 88))
}
