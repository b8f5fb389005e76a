#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and runs the installed game and
# tool from there, as a teacher would after installing the package, under a
# virtual display of its own, driven by real mouse clicks:
#  - no argument: the first start makes the player's own contest folder from
#    the sample (and never fills its gaps again; two first starts at once
#    make it whole, one of them refused as a second copy); a second copy beside it is refused, says why and ends with
#    status 1 once its message is closed, and the tool's reset, create and
#    import refuse to change it;
#  - a contest folder (its name with blanks and Arabic letters) and a CSV
#    question file: the game starts on them;
#  - each time the title bar shows nothing, a click on the question button
#    and one on the exit label "خروج" (once: the window destroyed from
#    outside) end the game with status 0, the mark of the drawn question kept
#    and no lock file left;
#  - a read-only contest folder is refused with a message naming it;
#  - started again without an argument, the game opens the contest opened
#    last, and the player's own folder once that is gone; killed right after
#    an answer, the answer stays in the contest's record;
#  - --version and usage errors; help, a usage error and a failure report in
#    Arabic under an Arabic locale; nothing of Qt's own on a normal run;
#    nothing under the prefix changes;
#  - the manual pages in both languages are named after their programs, the
#    question template makes a bank;
#  - the desktop entry and the metadata pass their validators, and the Debian
#    package holds the installed files and names its dependencies, and
#    lintian (where it is installed) finds no error or warning in it.
# Run it on a display of its own: xvfb-run -a run_installed.sh BUILD_FOLDER.
set -euo pipefail
build=${1:?usage: run_installed.sh BUILD_FOLDER}
unset QT_QPA_PLATFORM

fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT

# The visible window of process $1 that is $2 pixels wide (any width when $2
# is empty); waits up to 10 s.
window_of() {
  for _ in $(seq 1 200); do
    for w in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
      eval "$(xdotool getwindowgeometry --shell "$w")"
      if [ -z "${2:-}" ] || [ "$WIDTH" = "$2" ]; then echo "$w"; return 0; fi
    done
    sleep 0.05
  done
  return 1
}

# Waits for process $1, which must end within 5 s, and puts its exit status
# in $status (run in this shell, not a subshell: only the parent can wait).
wait_for_end() {
  for _ in $(seq 1 100); do kill -0 "$1" 2>/dev/null || break; sleep 0.05; done
  kill -0 "$1" 2>/dev/null && { kill -9 "$1"; fail "process $1 did not end"; }
  set +e; wait "$1"; status=$?; set -e
}

# Closes the message box of process $1 with the Enter key (OK), as a player
# would, and waits for the process to end.
close_message() {
  window_of "$1" >/dev/null || fail "process $1 showed no message"
  for _ in $(seq 1 50); do
    kill -0 "$1" 2>/dev/null || break
    for w in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
      xdotool windowfocus "$w" 2>/dev/null && xdotool key Return 2>/dev/null || true
    done
    sleep 0.1
  done
  wait_for_end "$1"
}

# Runs a command that must end with status $1 and say $2 on standard error
# (any status and anything when they are empty): expect STATUS TEXT -- COMMAND...
expect() {
  local want=$1 text=$2; shift 3
  set +e; "$@" >/dev/null 2>"$work/expect.err"; status=$?; set -e
  { [ -z "$want" ] || [ "$status" = "$want" ]; } && { [ -z "$text" ] || grep -qF -- "$text" "$work/expect.err"; } \
    || fail "'$*' ended with $status, saying: $(cat "$work/expect.err")"
}

used_marks() { sqlite3 "$1/db1.sqlite" 'select count(*) from soaal where YN=1'; }

root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
bin=$root/usr/bin
sums() { (cd "$root" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
before=$(sums)
export HOME=$work/home XDG_DATA_HOME=$work/home/data
mine=$XDG_DATA_HOME/mathcontest

"$bin/mathcontest" --version | grep -qx "mathcontest [0-9.]*" || fail "--version"
"$bin/mathcontest-bank" --version | grep -qx "mathcontest-bank [0-9.]*" || fail "the tool's --version"
# The installed tool finds its Access helper in libexec (this file has no
# table soaal: the helper read it and said so).
access=$(realpath "$(dirname "$0")/../../../shared/fixtures/access/V2000-test.mdb")
expect "" "soaal" -- "$bin/mathcontest-bank" import "$access" --out "$work/imported"
# Under an Arabic locale: the help, a usage error and a failure report.
arabic=(env LANG=ar_EG.UTF-8 LANGUAGE=)
"${arabic[@]}" "$bin/mathcontest" --help | grep -q "يعرض هذه المساعدة ويخرج" || fail "the game's help is not in Arabic"
"${arabic[@]}" "$bin/mathcontest-bank" --help | grep -q "يُعِدّ بنوك الأسئلة" || fail "the tool's help is not in Arabic"
expect 2 "جرّب" -- "${arabic[@]}" "$bin/mathcontest" --bogus
"${arabic[@]}" "$bin/mathcontest" "$work/none" </dev/null 2>"$work/arabic.err" &
pids+=($!)
close_message "$!"
[ "$status" = 1 ] && grep -qF "$(printf '\342\201\250%s\342\201\251' "$work/none")" "$work/arabic.err" && grep -q "لم يُعثر على مجلد المسابقة" "$work/arabic.err" \
  || fail "the failure report is not in Arabic with its path kept whole: $(cat "$work/arabic.err")"
# Each manual page is named after its program, in both languages.
for page in man6/mathcontest.6 man1/mathcontest-bank.1 ar/man6/mathcontest.6 ar/man1/mathcontest-bank.1; do
  name=$(basename "$page" | sed 's/\.[0-9]$//; s/-/\\-/g')
  line=$(zcat "$root/usr/share/man/$page.gz" | sed -n '/^\.SH NAME$/{n;p;q}')
  [[ "$line" == "$name \\- "* ]] || fail "the manual page $page is not named $name: $line"
done
expect 0 "" -- "$bin/mathcontest-bank" create --from "$root/usr/share/doc/mathcontest/examples/questions-template.csv" --out "$work/template"
expect 0 "" -- "$bin/mathcontest-bank" create --from "$root/usr/share/doc/mathcontest/examples/questions-template.xlsx" --out "$work/template-xlsx"
cmp -s "$work/template/db1.sqlite" "$work/template-xlsx/db1.sqlite" || sqlite3 "$work/template-xlsx/db1.sqlite" "select a1 from soaal where ID=3" | grep -qx "7/8" \
  || fail "the spreadsheet template does not make the bank the CSV one makes"

expect 2 "Try 'mathcontest --help'" -- "$bin/mathcontest" --bogus
expect 2 "Try 'mathcontest --help'" -- "$bin/mathcontest" one two

# Starts the installed game with the given arguments (and a second copy
# beside it when $second is set), draws one question in contest folder $1,
# and ends the game with the exit label.
play_in() {
  local folder=$1; shift
  "$bin/mathcontest" "$@" </dev/null >"$work/game.out" 2>"$work/game.err" &
  local game=$!
  pids+=($game)
  local quiz
  quiz=$(window_of "$game" 792) || fail "the quiz window did not open ($*): $(cat "$work/game.err")"
  # A folder made from a question file is named after it and a digest of
  # its path: given as NAME-*, it is the one folder of that name.
  case "$folder" in *-\*) folder=$(compgen -G "$folder") || fail "no folder $folder" ;; esac
  # The title the window system shows has nothing visible (a zero-width space).
  [ -z "$(xdotool getwindowname "$quiz" | sed 's/\xe2\x80\x8b//g')" ] || fail "the quiz window's title is \"$(xdotool getwindowname "$quiz")\""
  if [ -n "${second:-}" ]; then
    "$bin/mathcontest" "$@" </dev/null 2>"$work/second.err" &
    pids+=($!)
    close_message "$!"
    [ "$status" = 1 ] && grep -q "Another copy of the contest is already running" "$work/second.err" \
      || fail "the second copy did not refuse: status $status, $(cat "$work/second.err")"
    # Nor does the tool change a running contest.
    for command in "reset $folder" "create --from $csv --out $folder --force" "import $access --out $folder --force"; do
      expect 1 "A contest is running on this folder (process $game)" -- "$bin/mathcontest-bank" $command
    done
  fi
  # The question button, then the exit label (or, with $destroy set, the
  # window destroyed from outside, as a tool's "close window" does).
  xdotool mousemove --window "$quiz" 725 165 click 1
  for _ in $(seq 1 100); do [ "$(used_marks "$folder")" = 1 ] && break; sleep 0.05; done
  if [ -n "${destroy:-}" ]; then
    xdotool windowclose "$quiz"
  else
    xdotool mousemove --window "$quiz" 726 107 click 1
  fi
  wait_for_end "$game"
  [ "$status" = 0 ] || fail "the game ($*) ended with status $status"
  [ "$(used_marks "$folder")" = 1 ] || fail "the mark written before the exit was lost ($*)"
  [ ! -e "$folder/mathcontest.lock" ] || fail "the game left its lock file behind ($*)"
  # Qt's own notices tell the player nothing (the runtime folder it picks
  # where XDG_RUNTIME_DIR is not set, font look-ups).
  [ ! -s "$work/game.err" ] || fail "the game ($*) printed: $(cat "$work/game.err")"
}

csv=$work/q.csv; printf "question,a1,a2,a3,a4\nq,1,2,3,4\n" >"$csv"
second=1 play_in "$mine/contest"
# A picture the player removed from the own folder stays removed: the
# sample fills only a folder without a bank.
rm "$mine/contest/img/5.jpg"

# Two first starts at once on a fresh account: one plays, the other is
# refused as a second copy, and the folder is made whole.
(
  export HOME=$work/fresh XDG_DATA_HOME=$work/fresh/data
  "$bin/mathcontest" </dev/null 2>"$work/first.err" & one=$!
  "$bin/mathcontest" </dev/null 2>"$work/other.err" & two=$!
  pids+=($one $two)
  sleep 1
  for p in $one $two; do
    if quiz=$(window_of "$p" 792); then
      xdotool mousemove --window "$quiz" 726 107 click 1
      wait_for_end "$p"
    else
      close_message "$p"
    fi
    statuses+="$status "
  done
  [ "$(tr ' ' '\n' <<<"$statuses" | sort | tr -d '\n')" = "01" ] || fail "two first starts ended with $statuses: $(cat "$work/first.err" "$work/other.err")"
  grep -qh "Another copy of the contest is already running" "$work/first.err" "$work/other.err" || fail "the second first start was not refused as a copy: $(cat "$work/first.err" "$work/other.err")"
  "$bin/mathcontest-bank" check "$XDG_DATA_HOME/mathcontest/contest" >/dev/null || fail "two first starts left a half-made folder"
)
folder="$work/مسابقة الصف الأول"
cp -r "$root/usr/share/mathcontest/sample" "$folder"
play_in "$folder" "$folder"
# Started again without an argument: the contest opened last (five marks
# set there beforehand, which only a game started on it clears).
mark_five() { sqlite3 "$1/db1.sqlite" 'update soaal set YN=1 where ID<=5'; }
mark_five "$folder"
destroy=1 play_in "$folder"
# Killed right after an answer: the answer is in the record, the contest
# has no ending, and the record is whole.
"$bin/mathcontest" </dev/null 2>"$work/game.err" &
game=$!
pids+=($game)
quiz=$(window_of "$game" 792) || fail "the quiz window did not open: $(cat "$work/game.err")"
answered() { sqlite3 "$folder/results.sqlite" "select count(chosen) || '|' || ifnull(max(c.ending), '') from contest c left join asked a on a.contest = c.number where c.number = (select max(number) from contest)"; }
xdotool mousemove --window "$quiz" 725 165 click 1
sleep 0.3
xdotool mousemove --window "$quiz" 380 276 click 1
for _ in $(seq 1 100); do [ "$(answered)" = "1|" ] && break; sleep 0.05; done
kill -9 "$game"; wait "$game" 2>/dev/null || true
[ "$(answered)" = "1|" ] && [ "$(sqlite3 "$folder/results.sqlite" 'PRAGMA integrity_check')" = ok ] || fail "the answer before the kill was not kept whole: $(answered)"
{ echo "question,a1,a2,a3,a4"; for i in $(seq 1 30); do echo "كم يساوي $i + 1 ؟,$((i + 1)),$((i + 2)),$((i + 3)),$i"; done; } >"$work/my questions.csv"
play_in "$mine/csv/my questions-*" "$work/my questions.csv"
mark_five "$mine"/csv/"my questions"-*
play_in "$mine/csv/my questions-*"
# Once it is gone, the player's own folder.
rm "$work/my questions.csv"
mark_five "$mine/contest"
play_in "$mine/contest"
[ ! -e "$mine/contest/img/5.jpg" ] || fail "the sample's picture filled a gap of the player's own bank"

# A read-only contest folder, read-only for root too (a read-only bind mount
# in a mount namespace of its own; chmod is enough for anyone else).
readonly_folder=$work/readonly
cp -r "$root/usr/share/mathcontest/sample" "$readonly_folder"
if [ "$(id -u)" != 0 ]; then
  chmod -R a-w "$readonly_folder"
  "$bin/mathcontest" "$readonly_folder" </dev/null 2>"$work/ro.err" &
elif unshare -m true 2>/dev/null; then
  unshare -m sh -c 'mount --bind -o ro "$1" "$1" && exec "$2" "$1"' - "$readonly_folder" "$bin/mathcontest" </dev/null 2>"$work/ro.err" &
else
  fail "cannot make a read-only folder here: run as another user than root, or where unshare -m is allowed"
fi
ro=$!
pids+=($ro)
close_message "$ro"
[ "$status" = 1 ] && grep -q "the game writes into its bank" "$work/ro.err" && grep -qF "$readonly_folder" "$work/ro.err" \
  || fail "the read-only folder was not refused: status $status, $(cat "$work/ro.err")"
chmod -R u+w "$readonly_folder"

# A full disk while marks are written (room for the lock, none for the bank's
# journal) and a read-only one: the tool says what really happened (root
# only: a small file system of its own).
if [ "$(id -u)" = 0 ] && unshare -m true 2>/dev/null; then
  mkdir "$work/small"
  cp "$root/usr/share/mathcontest/sample/db1.sqlite" "$work/small.sqlite"
  sqlite3 "$work/small.sqlite" 'update soaal set YN=1 where ID=1'
  unshare -m sh -c 'mount -t tmpfs -o size=256k tmpfs "$1" && cp "$2" "$1/db1.sqlite" &&
    dd if=/dev/zero of="$1/spare" bs=4k count=1 2>/dev/null && { dd if=/dev/zero of="$1/filler" bs=4k 2>/dev/null || true; } &&
    rm "$1/spare" && "$3" reset "$1";
    mount -o remount,ro "$1" && "$3" reset "$1"' - "$work/small" "$work/small.sqlite" "$bin/mathcontest-bank" 2>"$work/small.err" || true
  grep -q "The disk is full" "$work/small.err" || fail "a full disk was not named: $(cat "$work/small.err")"
  grep -q "cannot be written to" "$work/small.err" || fail "a read-only bank was not named: $(cat "$work/small.err")"
fi

# The name prompt, over the full-screen game: cancelled at the start, and
# after Ctrl+N in a window, the contest goes on without a name (a cancelled
# prompt once ended the game, recording an empty contest as an exit).
names=$work/names
cp -r "$root/usr/share/mathcontest/sample" "$names"
"$bin/mathcontest" --names --fullscreen "$names" </dev/null 2>"$work/names.err" &
game=$!
pids+=($game)
window_of "$game" >/dev/null || fail "the game with names did not open: $(cat "$work/names.err")"
sleep 1
for keys in Escape space Escape ctrl+n "Tab Return" Escape; do
  xdotool key $keys; sleep 0.7
done
kill -0 "$game" 2>/dev/null || fail "cancelling the name prompt ended the game: $(cat "$work/names.err")"
[ "$(sqlite3 "$names/results.sqlite" "select group_concat(ifnull(player, '-') || ':' || ifnull(ending, ''), ' ') from contest")" = "-:new contest -:" ] \
  || fail "the contests around a cancelled name prompt were recorded as $(sqlite3 "$names/results.sqlite" 'select * from contest')"
xdotool key ctrl+q
wait_for_end "$game"

[ "$before" = "$(sums)" ] || fail "files under the install prefix changed"

# The teacher's window, on the contest made from the template, shows its
# questions; its manual pages and menu entry are installed.
"$bin/mathcontest-teacher" "$root/usr/share/doc/mathcontest/examples/questions-template.xlsx" 2>"$work/teacher.err" &
teacher=$!; pids+=("$teacher")
window_of "$teacher" >/dev/null || fail "the teacher's window did not show: $(cat "$work/teacher.err")"
xdotool search --onlyvisible --pid "$teacher" --name "questions-template.xlsx" >/dev/null || fail "the teacher's window does not name its file"
kill "$teacher"; wait "$teacher" 2>/dev/null || true
for f in usr/share/applications/org.mathcontest.MathContest.Teacher.desktop usr/share/man/man1/mathcontest-teacher.1.gz \
         usr/share/man/ar/man1/mathcontest-teacher.1.gz usr/share/icons/hicolor/scalable/apps/org.mathcontest.MathContest.Teacher.svg; do
  [ -f "$root/$f" ] || fail "$f is not installed"
done

desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null || fail "the AppStream metadata does not validate"

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/mathcontest_*_*.deb) || fail "cpack made no package"
files=$(dpkg-deb -c "$deb")
for f in usr/bin/mathcontest usr/bin/mathcontest-bank usr/libexec/mathcontest/mathcontest-mdb usr/share/mathcontest/sample/db1.sqlite \
         usr/share/applications/ usr/share/metainfo/ usr/share/icons/hicolor/scalable/apps/ usr/share/man/man6/mathcontest.6.gz; do
  grep -q "\./$f" <<<"$files" || fail "the package lacks $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6sql6-sqlite libmdb3 liborcus libfreexl1 libxlsxwriter4 qt6-image-formats-plugins fonts-hosny-amiri fonts-noto-core; do
  grep -q "$d" <<<"$depends" || fail "the package does not depend on $d: $depends"
done
for f in usr/share/doc/mathcontest/copyright usr/share/doc/mathcontest/changelog.gz usr/share/doc/mathcontest/guide.md \
         usr/share/doc/mathcontest/examples/questions-template.csv usr/share/doc/mathcontest/examples/questions-template.xlsx \
         usr/share/man/ar/man1/mathcontest-bank.1.gz; do
  grep -q "\./$f" <<<"$files" || fail "the package lacks $f"
done
grep -q "qt6-translations-l10n" <<<"$depends" || fail "the package does not depend on Qt's translations: $depends"
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" >"$work/lintian.out" 2>&1 || fail "lintian: $(grep -v 'root privileges' "$work/lintian.out")"
fi
echo "PASS: installed game and tool, desktop files, Debian package"
