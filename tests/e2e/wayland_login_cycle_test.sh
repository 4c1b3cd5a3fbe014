#!/usr/bin/env bash
# The login cycle of the real windows under a headless Wayland compositor
# (weston) with Qt's Wayland platform; the steps are in WaylandLoginCycle.cpp.
#   wayland_login_cycle_test.sh CYCLE_PROGRAM TEMPOVIA_CLI
set -euo pipefail
cycle=$1
cli=$2

if ! command -v weston >/dev/null; then
  echo "SKIPPED: weston is missing (scripts/setup installs it)"
  exit 77
fi

work=$(mktemp -d)
weston_pid=""
cleanup() {
  [[ -n "$weston_pid" ]] && kill "$weston_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*" >&2
  echo "--- weston.log" >&2
  cat "$work/weston.log" >&2
  exit 1
}

# A compositor of our own: its socket in a runtime folder of our own, no
# notification area (weston has none) and no session bus to find one on.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM
weston --backend=headless-backend.so --socket=wayland-tempovia --idle-time=0 >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 1 300); do
  [[ -S "$XDG_RUNTIME_DIR/wayland-tempovia" ]] && break
  kill -0 "$weston_pid" 2>/dev/null || fail "weston ended before it opened its socket"
  sleep 0.1
done
[[ -S "$XDG_RUNTIME_DIR/wayland-tempovia" ]] || fail "weston opened no socket in 30 s"

home="$work/home"
TEMPOVIA_PASSWORD=pw "$cli" --home "$home" add-user --name Ann --height 168 --weight 61 >/dev/null
TEMPOVIA_PASSWORD=pw "$cli" --home "$home" --simulate-watch 1 --simulate-instant download --user Ann >/dev/null

# Qt's Wayland input method speaks to the seat's text input, and a headless
# weston has no seat at all (Qt 6.4 then crashes on the first cursor it
# draws); a desktop always has one. The compose input method needs none.
mkdir -p "$work/user-home"
HOME="$work/user-home" WAYLAND_DISPLAY=wayland-tempovia QT_QPA_PLATFORM=wayland QT_IM_MODULE=compose \
  "$cycle" "$home" || fail "the login cycle under Wayland did not complete"
