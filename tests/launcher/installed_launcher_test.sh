#!/usr/bin/env bash
# The installed `kelmora` command as a new player meets it: scratch HOME and XDG_DATA_HOME,
# a stand-in game that records where it was started, and the real game once, headless.
set -euo pipefail
umask 022

# Permissions mean nothing to root, so those cases run as nobody. Nobody may not be able to
# enter the build tree at all (a checkout in a private home folder), so the cases run in a
# scratch folder of their own under /tmp, on a copy of the installed tree.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/kelmora-launcher-test.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
cp -a "$1" "$scratch/prefix"
prefix=$scratch/prefix
launcher=$prefix/games/kelmora
cd "$scratch"

# Messages then come on stderr only: a dialog would wait for a click that never comes.
unset DISPLAY WAYLAND_DISPLAY KELMORA_DIR XDG_DATA_HOME
export LC_ALL=C.UTF-8

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

as_player=()
if [[ $(id -u) -eq 0 ]]; then
  as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
player_owns() { if [[ $(id -u) -eq 0 ]]; then chown -R nobody:nogroup "$@"; fi; }
# Without a way in for the player (TMPDIR in a private folder) those cases are skipped, and
# the test reports itself skipped rather than passed.
skipped=
if ! "${as_player[@]}" test -x "$launcher"; then
  skipped="the cases run as $("${as_player[@]}" id -un) cannot reach $launcher (TMPDIR=${TMPDIR:-})"
fi

records=$scratch/records
mkdir -m 1777 "$records"
fake=$scratch/fake-game
cat >"$fake" <<'FAKE'
#!/bin/sh
{ pwd; echo "arguments: $#"; } >"$KELMORA_TEST_RECORD"
FAKE
chmod 755 "$fake"

# run NAME [env...] -- launcher-args: runs the launcher with a fresh record; sets rc and err.
run() {
  local name=$1
  shift
  local vars=()
  while [[ $1 != -- ]]; do vars+=("$1"); shift; done
  shift
  record=$records/$name
  rm -f "$record"
  set +e
  err=$(env "${vars[@]}" KELMORA_TEST_RECORD="$record" "$@" 2>&1 >/dev/null)
  rc=$?
  set -e
}

expect_seeded() {
  local folder=$1
  local listing
  listing=$(cd "$folder" && stat -c '%a %n' account.ini help.txt kelmora.db log.txt res.res zamen.db)
  [[ "$listing" == $'600 account.ini\n644 help.txt\n644 kelmora.db\n644 log.txt\n644 res.res\n644 zamen.db' ]] ||
    fail "modes in $folder: $listing"
  for f in kelmora.db zamen.db res.res help.txt; do
    cmp -s "$prefix/share/games/kelmora/$f" "$folder/$f" || fail "$folder/$f is not the default"
  done
  [[ ! -s $folder/log.txt && ! -s $folder/account.ini ]] || fail "log.txt or account.ini not empty"
  [[ $(find "$folder" -mindepth 1 | wc -l) -eq 6 ]] || fail "extra files in $folder: $(ls -A "$folder")"
}

# --help says where the folder is.
home=$scratch/home-a
folder=$home/.local/share/kelmora
help=$(HOME=$home "$launcher" --help) || fail "--help exited with $?"
grep -qF "  $folder" <<<"$help" || fail "--help does not name $folder"

# First start: the folder is made and seeded, and the game runs in it with no arguments.
run first HOME="$home" XDG_DATA_HOME= -- "$launcher" --program "$fake"
[[ $rc -eq 0 ]] || fail "first start: exit $rc: $err"
[[ "$(cat "$record" 2>/dev/null)" == "$folder"$'\narguments: 0' ]] || fail "first start ran: $(cat "$record" 2>&1)"
expect_seeded "$folder"
[[ $(stat -c %a "$folder") == 700 ]] || fail "the folder is not private"

# Second start after the player's files changed: they stay byte for byte; a deleted default
# comes back.
printf 'player one\0' >"$folder/account.ini"
printf 'records' >"$folder/res.res"
printf 'old log\r\n' >"$folder/log.txt"
printf 'my own questions\r\n' >"$folder/kelmora.db"
rm "$folder/help.txt"
mkdir "$scratch/saved"
cp -p "$folder"/{account.ini,res.res,log.txt,kelmora.db} "$scratch/saved/"
run second HOME="$home" -- "$launcher" --program "$fake"
[[ $rc -eq 0 && -f $record ]] || fail "second start: exit $rc: $err"
for f in account.ini res.res log.txt kelmora.db; do
  cmp -s "$scratch/saved/$f" "$folder/$f" || fail "second start changed $f"
done
cmp -s "$prefix/share/games/kelmora/help.txt" "$folder/help.txt" || fail "help.txt not restored"

# A mistyped command line: the status --help promises (2, not the 1 of a game that could not
# start), the option named, and nothing started or made.
for args in "--fodler x" "--folder" "kelmora.db"; do
  # shellcheck disable=SC2086 # each case is a few words
  run mistyped HOME="$scratch/home-typo" -- "$launcher" $args --program "$fake"
  [[ $rc -eq 2 && $err == *"Справка: kelmora --help"* ]] || fail "kelmora $args: exit $rc: $err"
  [[ ! -e $record && ! -e $scratch/home-typo ]] || fail "kelmora $args: something was started or made"
done

# XDG_DATA_HOME and KELMORA_DIR choose the folder.
run xdg HOME="$home" XDG_DATA_HOME="$scratch/xdg" -- "$launcher" --program "$fake"
[[ $rc -eq 0 ]] || fail "XDG_DATA_HOME start: exit $rc: $err"
expect_seeded "$scratch/xdg/kelmora"
run kelmora-dir HOME="$home" KELMORA_DIR="$scratch/own" -- "$launcher" --program "$fake"
[[ $rc -eq 0 && $(head -1 "$record") == "$scratch/own" ]] || fail "KELMORA_DIR start: exit $rc: $err"

# The defaults missing from an installed tree: a message, nothing started, nothing made.
cp -a "$prefix" "$scratch/broken"
rm -r "$scratch/broken/share/games/kelmora"
run no-defaults HOME="$scratch/home-b" -- "$scratch/broken/games/kelmora" --program "$fake"
[[ $rc -eq 1 && $err == *"Не найдены файлы игры по умолчанию: «$scratch/broken/share/games/kelmora/kelmora.db»"* ]] ||
  fail "missing defaults: exit $rc: $err"
[[ ! -e $record && ! -e $scratch/home-b ]] || fail "missing defaults: something was started or made"

if [[ -z $skipped ]]; then
  # A data home the player cannot write to.
  mkdir -m 555 "$scratch/read-only"
  run read-only HOME="$scratch/home-c" XDG_DATA_HOME="$scratch/read-only" -- \
    "${as_player[@]}" "$launcher" --program "$fake"
  [[ $rc -eq 1 && $err == *"Не удалось создать папку игры «$scratch/read-only/kelmora»"* ]] ||
    fail "unwritable data home: exit $rc: $err"
  [[ ! -e $record ]] || fail "unwritable data home: the game was started"

  # A file of the player's that cannot be read.
  mkdir -p "$scratch/home-d"
  player_owns "$scratch/home-d"
  run seed-d HOME="$scratch/home-d" -- "${as_player[@]}" "$launcher" --program "$fake"
  [[ $rc -eq 0 ]] || fail "seeding as the player: exit $rc: $err"
  accounts=$scratch/home-d/.local/share/kelmora/account.ini
  printf 'secret' >"$accounts"
  chmod 000 "$accounts"
  run unreadable HOME="$scratch/home-d" -- "${as_player[@]}" "$launcher" --program "$fake"
  [[ $rc -eq 1 && $err == *"Файл «$accounts» в папке игры не читается"* ]] ||
    fail "unreadable account.ini: exit $rc: $err"
  # Outside root the test cannot read the file either until it allows itself.
  [[ $(stat -c %a "$accounts") == 0 ]] || fail "unreadable account.ini: its mode changed"
  chmod 600 "$accounts"
  [[ ! -e $record && $(cat "$accounts") == secret ]] || fail "unreadable account.ini: started or changed"
fi

# The real game, installed, headless: it runs from the game folder until it is stopped.
home=$scratch/home-e
QT_QPA_PLATFORM=offscreen HOME=$home "$launcher" >"$scratch/game.log" 2>&1 &
pid=$!
game=$(readlink -f "$prefix/lib/games/kelmora/kelmora")
running=no
for _ in $(seq 100); do
  if [[ $(readlink /proc/$pid/exe 2>/dev/null) == "$game" &&
        $(readlink /proc/$pid/cwd 2>/dev/null) == "$home/.local/share/kelmora" ]]; then
    running=yes
    break
  fi
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
sleep 1
kill -0 $pid 2>/dev/null || running="no, it ended: $(cat "$scratch/game.log")"
kill $pid 2>/dev/null || true
wait $pid 2>/dev/null || true
[[ $running == yes ]] || fail "the installed game did not run in its folder: $running"
expect_seeded "$home/.local/share/kelmora"

if [[ $failures -ne 0 ]]; then exit 1; fi
if [[ -n $skipped ]]; then
  echo "SKIPPED: $skipped"
  exit 77
fi
echo "installed launcher: every case passed"
