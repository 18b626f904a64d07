#!/usr/bin/env bash
# Checking speed and memory: quillon-cli -l, hunspell -l and aspell list over the same
# prose text, all three with the same word list, in one run.
#   bench/check_speed.sh [TEXT] [RUNS]
# TEXT defaults to the 6.5 MB prose collection of the evaluation data; each engine runs
# RUNS times (default 5) and the best time counts. Peak memory is the largest resident
# set of the best run, from GNU time.
set -euo pipefail
cd "$(dirname "$0")/.."
text=${1:-../shared/eval/data/big.txt}
runs=${2:-5}
work=build/bench
mkdir -p "$work"

scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native --target quillon-cli quillon_data >/dev/null

# One word list for all: wamerican without its possessive entries, as shipped.
words="$work/words.txt"
sed "/'s$/d" /usr/share/dict/american-english > "$words"
printf 'SET UTF-8\n' > "$work/wamerican.aff"
{ wc -l < "$words"; cat "$words"; } > "$work/wamerican.dic"
aspell --lang=en --encoding=utf-8 create master "$PWD/$work/wamerican.rws" < "$words"

declare -A command=(
  [quillon]="build/native/bin/quillon-cli -l $text"
  [hunspell]="hunspell -d $work/wamerican -l $text"
  [aspell]="aspell --master=$PWD/$work/wamerican.rws --lang=en --encoding=utf-8 list < $text"
)
engines=(quillon aspell hunspell)

text_words=$(wc -w < "$text")
printf 'Text: %s (%s bytes, %s words by wc -w); same word list: %s words; best of %s runs\n\n' \
  "$text" "$(wc -c < "$text")" "$text_words" "$(wc -l < "$words")" "$runs"

declare -A seconds memory flagged
for engine in "${engines[@]}"; do
  best=""
  for ((run = 0; run < runs; run++)); do
    # The spell checkers exit 1 when they find misspelt words.
    stats=$( { /usr/bin/time -f '%e %M' sh -c "${command[$engine]} > $work/$engine.out" || true; } 2>&1 | tail -n 1)
    read -r s m <<< "$stats"
    if [ -z "$best" ] || awk -v a="$s" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$s; memory[$engine]=$m; fi
  done
  seconds[$engine]=$best
  flagged[$engine]=$(wc -l < "$work/$engine.out")
done

printf '%-9s %9s %14s %12s %10s %12s %12s\n' engine seconds words/s peak-KB flagged speed-ratio memory-ratio
for engine in "${engines[@]}"; do
  awk -v e="$engine" -v s="${seconds[$engine]}" -v m="${memory[$engine]}" -v f="${flagged[$engine]}" \
      -v w="$text_words" -v qs="${seconds[quillon]}" -v qm="${memory[quillon]}" 'BEGIN {
    if (s <= 0) s = 0.005
    if (qs <= 0) qs = 0.005
    printf "%-9s %9.2f %14.0f %12d %10d %12s %12s\n", e, s, w / s, m, f,
      (e == "quillon" ? "1.00" : sprintf("%.2fx", s / qs)),
      (e == "quillon" ? "1.00" : sprintf("%.2fx", m / qm))
  }'
done
echo
echo "speed-ratio: the engine's time over quillon's (above 1: quillon is faster)."
echo "memory-ratio: the engine's peak memory over quillon's (above 1: quillon uses less)."
