#!/usr/bin/env bash
# Runs one fuzzer (libFuzzer, ASan, UBSan) for a bounded time.
#   scripts/fuzz.sh [TARGET] [SECONDS]      TARGET defaults to ovm_reader_fuzz, SECONDS to 600
# The corpus of TARGET grows in fuzz-corpus/NAME, NAME being TARGET without "_reader_fuzz".
# Seeds: .ovm files compiled from small word lists; .ovu files edited with quillon-cli dict.
set -euo pipefail
cd "$(dirname "$0")/.."
target=ovm_reader_fuzz
if [ $# -gt 0 ] && ! [[ $1 =~ ^[0-9]+$ ]]; then
  target=$1
  shift
fi
seconds=${1:-600}
name=${target%_reader_fuzz}
corpus=fuzz-corpus/$name
seeds=build/fuzz/seeds/$name
cli=build/native/bin/quillon-cli

scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native --target quillon-cli
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "$target"
mkdir -p "$corpus" "$seeds"

seed_ovm() {
  printf 'a\nI\ncat\ncats\ncatalogue\nParis\n' > "$seeds/small.txt"
  printf 'ab\nac\nad\nae\naf\nag\nah\nai\naj\nb\n' > "$seeds/wide.txt"
  head -n 3000 /usr/share/dict/american-english > "$seeds/list.txt"
  for list in "$seeds"/*.txt; do
    "$cli" compile "$list" "$corpus/$(basename "$list" .txt).ovm" >/dev/null
  done
}

# A few kinds of entry with a deleted slot; and one grown past its first table.
seed_ovu() {
  local small=$seeds/small.ovu grown=$seeds/grown.ovu
  rm -f "$small" "$grown"
  "$cli" dict "$small" add cat
  "$cli" dict "$small" exclude colour
  "$cli" dict "$small" autocorrect teh the
  "$cli" dict "$small" add gone
  "$cli" dict "$small" remove gone
  for i in $(seq 1 70); do "$cli" dict "$grown" add "word$i"; done
  "$cli" dict "$grown" remove word7
  cp "$small" "$grown" "$corpus/"
}

case $name in
  ovm) seed_ovm ;;
  ovu) seed_ovu ;;
esac

build/fuzz/bin/"$target" -max_total_time="$seconds" -max_len=200000 -timeout=10 \
  -print_final_stats=1 "$corpus"
