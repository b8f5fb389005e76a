#!/usr/bin/env bash
# Runs the real game binary on a copy of the program folder, under a virtual
# display of its own, and drives it with real mouse clicks:
#  - the title bar of the quiz window shows nothing;
#  - a click on the question button, then on the exit label "خروج": the game
#    ends with status 0 and the mark of the drawn question stays in the bank;
#  - a second copy started beside a running one refuses to start, says why,
#    and ends with status 1 once its message is closed.
set -euo pipefail
app=${1:?usage: run_real_game.sh PROGRAM_FOLDER}
source "$(dirname "$0")/../support/display.sh"

cp "$app/mathcontest" "$app/db1.sqlite" "$work/"
cp -r "$app/img" "$work/img"

"$work/mathcontest" </dev/null >"$work/first.out" 2>"$work/first.err" &
game=$!
pids+=($game)
quiz=$(window_of "$game" 792) || fail "the quiz window did not open: $(cat "$work/first.err")"
# The title the window system shows has nothing visible (a zero-width space).
[ -z "$(xdotool getwindowname "$quiz" | sed 's/\xe2\x80\x8b//g')" ] || fail "the quiz window's title is \"$(xdotool getwindowname "$quiz")\""

# A second copy on the same program folder.
"$work/mathcontest" </dev/null >"$work/second.out" 2>"$work/second.err" &
second=$!
pids+=($second)
close_message "$second"
grep -q "Another copy of the contest is already running" "$work/second.err" || fail "the second copy did not refuse: $(cat "$work/second.err")"
[ "$status" = 1 ] || fail "the second copy ended with status $status, not 1"
[ "$(used_marks "$work")" = 0 ] || fail "the second copy changed the bank"

# Draw a question, then exit at once.
draw_question "$quiz" "$work" 1
click_exit "$quiz"
wait_for_end "$game"
[ "$status" = 0 ] || fail "the exit label ended the game with status $status, not 0: $(cat "$work/first.err")"
[ "$(used_marks "$work")" = 1 ] || fail "the mark written before the exit was lost"
[ ! -e "$work/mathcontest.lock" ] || fail "the game left its lock file behind"
echo "PASS: real game: exit label ends with status 0, marks kept; a second copy is refused"
