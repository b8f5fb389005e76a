#!/usr/bin/env bash
# Runs the real game binary on a copy of the program folder, under a virtual
# display of its own, and drives it with real mouse clicks:
#  - a click on the question button, then on the exit label "خروج": the game
#    ends with status 0 and the mark of the drawn question stays in the bank;
#  - a second copy started beside a running one refuses to start, says why,
#    and ends with status 1 once its message is closed.
set -euo pipefail
app=${1:?usage: run_real_game.sh PROGRAM_FOLDER}

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
cp "$app/mathcontest" "$app/db1.sqlite" "$work/"
cp -r "$app/img" "$work/img"

# A display of its own: Xvfb picks a free number and writes it once it is
# ready to take clients.
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

used_marks() {
  sqlite3 "$work/db1.sqlite" 'select count(*) from soaal where YN=1' 
}

"$work/mathcontest" </dev/null >"$work/first.out" 2>"$work/first.err" &
game=$!
pids+=($game)
quiz=$(window_of "$game" 792) || fail "the quiz window did not open: $(cat "$work/first.err")"

# A second copy on the same program folder.
"$work/mathcontest" </dev/null >"$work/second.out" 2>"$work/second.err" &
second=$!
pids+=($second)
window_of "$second" >/dev/null || fail "the second copy showed no message: $(cat "$work/second.err")"
grep -q "Another copy of the contest is already running" "$work/second.err" || fail "the second copy did not refuse: $(cat "$work/second.err")"
# Close its message with the Enter key (OK), as a player would.
for _ in $(seq 1 50); do
  kill -0 "$second" 2>/dev/null || break
  for w in $(xdotool search --onlyvisible --pid "$second" 2>/dev/null); do
    xdotool windowfocus "$w" 2>/dev/null && xdotool key Return 2>/dev/null || true
  done
  sleep 0.1
done
wait_for_end "$second"
[ "$status" = 1 ] || fail "the second copy ended with status $status, not 1"
[ "$(used_marks)" = 0 ] || fail "the second copy changed the bank"

# Draw a question (the question button's centre), then exit at once.
xdotool mousemove --window "$quiz" 725 165 click 1
for _ in $(seq 1 100); do [ "$(used_marks)" = 1 ] && break; sleep 0.05; done
[ "$(used_marks)" = 1 ] || fail "the click on the question button drew no question"
xdotool mousemove --window "$quiz" 726 107 click 1
wait_for_end "$game"
[ "$status" = 0 ] || fail "the exit label ended the game with status $status, not 0: $(cat "$work/first.err")"
[ "$(used_marks)" = 1 ] || fail "the mark written before the exit was lost"
[ ! -e "$work/mathcontest.lock" ] || fail "the game left its lock file behind"
echo "PASS: real game: exit label ends with status 0, marks kept; a second copy is refused"
