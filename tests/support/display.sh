# Shared by the scripts that drive the real game: a work folder removed at the
# end, a virtual display of its own, and waiting for windows and processes.
# Source it; it sets $work and $DISPLAY and fills $pids with what to stop.

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it once it takes clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 1 200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "the virtual display did not start"
export DISPLAY=":$(head -n 1 "$work/display")"
unset QT_QPA_PLATFORM

# The visible window of process $1 that is $2 pixels wide (any width when $2
# is empty); waits up to 10 s.
window_of() {
  local pid=$1 width=${2:-}
  for _ in $(seq 1 200); do
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
      eval "$(xdotool getwindowgeometry --shell "$w")"
      if [ -z "$width" ] || [ "$WIDTH" = "$width" ]; then echo "$w"; return 0; fi
    done
    sleep 0.05
  done
  return 1
}

# Waits for process $1, which must end within 5 s, and puts its exit status
# in $status (run in this shell, not a subshell: only the parent can wait).
wait_for_end() {
  local pid=$1
  for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  if kill -0 "$pid" 2>/dev/null; then
    kill -9 "$pid"
    fail "process $pid did not end"
  fi
  set +e; wait "$pid"; status=$?; set -e
}

# Closes the message box of process $1 with the Enter key (OK), as a player
# would, and waits for the process to end.
close_message() {
  local pid=$1
  window_of "$pid" >/dev/null || fail "process $pid showed no message"
  for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
      xdotool windowfocus "$w" 2>/dev/null && xdotool key Return 2>/dev/null || true
    done
    sleep 0.1
  done
  wait_for_end "$pid"
}

# The number of used marks in the bank of contest folder $1.
used_marks() {
  sqlite3 "$1/db1.sqlite" 'select count(*) from soaal where YN=1'
}

# Clicks the question button of quiz window $1 and waits until contest
# folder $2 has $3 used marks.
draw_question() {
  xdotool mousemove --window "$1" 725 165 click 1
  for _ in $(seq 1 100); do [ "$(used_marks "$2")" = "$3" ] && return 0; sleep 0.05; done
  fail "the click on the question button drew no question in $2"
}

# Clicks the exit label of quiz window $1.
click_exit() {
  xdotool mousemove --window "$1" 726 107 click 1
}
