#!/usr/bin/env bash
# Start-up time of the game (501-question base, signing in by itself) against a bare Qt main
# window, median of N runs each, and the game's peak memory. Runs in a virtual X display.
set -euo pipefail
if [[ -z "${KELMORA_IN_XVFB:-}" ]]; then
  KELMORA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/default/bench
runs=${1:-15}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for i in $(seq 0 500); do printf 'Вопрос номер %d?\\ответ%d/\r\n' "$i" "$i"; done |
  iconv -f UTF-8 -t CP1251 >"$work/kelmora.db"
cp "$root/build/default/data/zamen.db" "$root/build/default/data/res.res" "$work/"
: >"$work/log.txt"
{
  printf '\x05Igrok'; head -c 15 /dev/zero
  printf '\x02pw'; head -c 8 /dev/zero
  head -c 32 /dev/zero
} >"$work/account.ini"

measure() {
  local -a times=()
  local rss=0 t0 t1 out
  for _ in $(seq "$runs"); do
    t0=$(date +%s%N)
    out=$(cd "$work" && "$bin/kelmora_startup_probe" "$@" 2>/dev/null)
    t1=$(date +%s%N)
    times+=($(((t1 - t0) / 1000)))
    rss=$(awk '/peak-rss-kib/ {print $2}' <<<"$out")
  done
  printf '%s\n' "${times[@]}" | sort -n | awk -v rss="$rss" '{a[NR]=$1} END {print a[int((NR+1)/2)], rss}'
}

read -r bare bare_rss < <(measure bare)
read -r text text_rss < <(measure bare-text)
read -r game game_rss < <(measure game)
echo "bare Qt window:           median ${bare} us, peak ${bare_rss} KiB"
echo "bare window with a label: median ${text} us, peak ${text_rss} KiB"
echo "game to idle:             median ${game} us, peak ${game_rss} KiB"
awk -v g="$game" -v b="$bare" -v t="$text" \
  'BEGIN {printf "ratio to the bare window %.2f, to the window with a label %.2f\n", g / b, g / t}'
