#!/usr/bin/env bash
# One Trenmoor per session: a second start ends at once and leaves the first running; message 0x1500
# posted to the main window ends the first. Every wait is bounded.
set -u
BIN="$1"
EXE="$BIN/Trenmoor.exe"
POST="$BIN/post_window_message.exe"
SETTINGS='HKCU\Software\Trenmoor'
FIRST_PID=""
CREATED_SETTINGS=0

log() { echo "single_instance: $*"; }
window_count() { xwininfo -root -tree 2>/dev/null | grep -c '"Trenmoor": (' || true; }
cleanup() {
  if [ -n "$FIRST_PID" ] && kill -0 "$FIRST_PID" 2>/dev/null; then
    wine "$POST" TTrenmoorForm Trenmoor 0x1500 </dev/null >/dev/null 2>&1
    sleep 2
    kill "$FIRST_PID" 2>/dev/null
  fi
  # The settings key is left as it was found.
  [ "$CREATED_SETTINGS" = 1 ] && timeout 30 wine reg delete "$SETTINGS" /f </dev/null >/dev/null 2>&1
}
fail() { log "FAIL: $*"; cleanup; exit 1; }
wait_for() {  # wait_for <seconds> <command...>
  local limit=$(( $1 * 4 )); shift
  for _ in $(seq 1 "$limit"); do "$@" && return 0; sleep 0.25; done
  return 1
}
one_window() { [ "$(window_count)" -eq 1 ]; }
no_window() { [ "$(window_count)" -eq 0 ]; }
first_ended() { ! kill -0 "$FIRST_PID" 2>/dev/null; }

[ -f "$EXE" ] || fail "no $EXE"
[ -f "$POST" ] || fail "no $POST"
[ -n "${DISPLAY:-}" ] || fail "no DISPLAY"
no_window || fail "a Trenmoor window is already open"

# Mark the weekly task as made, so this run leaves the scheduler of the test machine alone.
if ! timeout 30 wine reg query "$SETTINGS" </dev/null >/dev/null 2>&1; then CREATED_SETTINGS=1; fi
timeout 30 wine reg add "$SETTINGS" /v OneScheduleOfWeek /t REG_DWORD /d 1 /f </dev/null >/dev/null 2>&1 \
  || fail "cannot prepare the settings key"

timeout 120 wine "$EXE" </dev/null >/dev/null 2>&1 &
FIRST_PID=$!
wait_for 60 one_window || fail "the first instance showed no window \"Trenmoor\""
log "first instance runs"

start=$(date +%s)
timeout 30 wine "$EXE" </dev/null >/dev/null 2>&1
rc=$?
took=$(( $(date +%s) - start ))
[ "$rc" -ne 124 ] || fail "the second instance did not end"
[ "$rc" -eq 0 ] || fail "the second instance ended with $rc"
log "second instance ended after ${took}s"
sleep 1
one_window || fail "expected exactly one window after the second start, found $(window_count)"
kill -0 "$FIRST_PID" 2>/dev/null || fail "the first instance ended too"

timeout 30 wine "$POST" TTrenmoorForm Trenmoor 0x1500 </dev/null >/dev/null 2>&1 || fail "could not post 0x1500"
wait_for 30 first_ended || fail "the first instance did not end on 0x1500"
wait_for 10 no_window || fail "the window stayed after the program ended"
FIRST_PID=""
log "message 0x1500 ended the first instance"
cleanup
log "PASS"
