#!/usr/bin/env bash
# The weekly "One-Click Tweak" task on the real task scheduler: the first start creates it, a later start
# that finds it creates no second one, and a task whose name merely contains it counts as existing.
# Each start is ended by posting message 0x1500 to the main window. Every wait is bounded.
set -u
BIN="$1"
EXE="$BIN/Trenmoor.exe"
POST="$BIN/post_window_message.exe"
SETTINGS='HKCU\Software\Trenmoor'
TASKS="$WINEPREFIX/drive_c/windows/tasks"
SAVED="$(mktemp -d)"
PID=""

log() { echo "one_click_task: $*"; }
window_count() { xwininfo -root -tree 2>/dev/null | grep -c '"Trenmoor": (' || true; }
cleanup() {
  if [ -n "$PID" ] && kill -0 "$PID" 2>/dev/null; then
    wine "$POST" TTrenmoorForm Trenmoor 0x1500 </dev/null >/dev/null 2>&1
    sleep 2
    kill "$PID" 2>/dev/null
  fi
  # The machine's tasks and settings are put back as they were found.
  rm -f "$TASKS"/*.job
  cp -p "$SAVED"/*.job "$TASKS"/ 2>/dev/null
  timeout 30 wine reg delete "$SETTINGS" /f </dev/null >/dev/null 2>&1
  [ -f "$SAVED/settings.reg" ] && timeout 30 wine regedit /s "$(winepath -w "$SAVED/settings.reg")" </dev/null >/dev/null 2>&1
  rm -rf "$SAVED"
}
fail() { log "FAIL: $*"; cleanup; exit 1; }
wait_for() {  # wait_for <seconds> <command...>
  local limit=$(( $1 * 4 )); shift
  for _ in $(seq 1 "$limit"); do "$@" && return 0; sleep 0.25; done
  return 1
}
one_window() { [ "$(window_count)" -eq 1 ]; }
ended() { ! kill -0 "$PID" 2>/dev/null; }
task_files() { find "$TASKS" -maxdepth 1 -iname '*.job' 2>/dev/null | wc -l; }
weekly_flag() {
  timeout 30 wine reg query "$SETTINGS" /v OneScheduleOfWeek </dev/null 2>/dev/null | tr -d '\r' |
    awk '/OneScheduleOfWeek/ {print $3}'
}

# One start of the program: wait for its window, give the first show time to finish, end it by 0x1500.
start_and_end() {
  timeout 120 wine "$EXE" </dev/null >/dev/null 2>&1 &
  PID=$!
  wait_for 60 one_window || fail "no window \"Trenmoor\" ($1)"
  sleep 3
  timeout 30 wine "$POST" TTrenmoorForm Trenmoor 0x1500 </dev/null >/dev/null 2>&1 || fail "could not post 0x1500"
  wait_for 30 ended || fail "the program did not end on 0x1500 ($1)"
  PID=""
}
reset_flag() {
  timeout 30 wine reg add "$SETTINGS" /v OneScheduleOfWeek /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1 ||
    fail "cannot reset the settings value"
}

[ -f "$EXE" ] && [ -f "$POST" ] || fail "programs missing in $BIN"
[ "$(window_count)" -eq 0 ] || fail "a Trenmoor window is already open"
mkdir -p "$TASKS"
cp -p "$TASKS"/*.job "$SAVED"/ 2>/dev/null
timeout 30 wine regedit /e "$(winepath -w "$SAVED/settings.reg")" "HKEY_CURRENT_USER\\Software\\Trenmoor" \
  </dev/null >/dev/null 2>&1
[ -s "$SAVED/settings.reg" ] || rm -f "$SAVED/settings.reg"
rm -f "$TASKS"/*.job
timeout 30 wine reg delete "$SETTINGS" /f </dev/null >/dev/null 2>&1

# 1. First start on a clean account: the task appears and the flag becomes 1.
start_and_end "first start"
[ -f "$TASKS/One-Click Tweak.job" ] || fail "the first start created no task \"One-Click Tweak\" ($(ls "$TASKS"))"
[ "$(task_files)" -eq 1 ] || fail "expected one task, found $(task_files)"
[ "$(weekly_flag)" = "0x1" ] || fail "OneScheduleOfWeek is '$(weekly_flag)', expected 0x1"
log "first start created the task and set OneScheduleOfWeek"

# 2. The flag is lost but the task exists: the start finds it and creates no second one.
reset_flag
before=$(md5sum "$TASKS/One-Click Tweak.job")
start_and_end "second start"
[ "$(task_files)" -eq 1 ] || fail "a second start made $(task_files) tasks"
[ "$(md5sum "$TASKS/One-Click Tweak.job")" = "$before" ] || fail "the existing task was rewritten"
[ "$(weekly_flag)" = "0x1" ] || fail "OneScheduleOfWeek was not set after finding the task"
log "a start that finds the task creates none"

# 3. Only a task whose name contains the text exists: it counts, nothing is created.
mv "$TASKS/One-Click Tweak.job" "$TASKS/Old One-Click Tweak copy.job"
reset_flag
start_and_end "third start"
[ ! -f "$TASKS/One-Click Tweak.job" ] || fail "a task was created beside \"Old One-Click Tweak copy\""
[ "$(task_files)" -eq 1 ] || fail "expected one task, found $(task_files)"
log "a task whose name merely contains \"One-Click Tweak\" counts as existing"

cleanup
log "PASS"
