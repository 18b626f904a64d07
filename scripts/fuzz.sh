#!/usr/bin/env bash
# Runs the .ovm reader fuzzer (libFuzzer, ASan, UBSan) for a bounded time.
#   scripts/fuzz.sh [SECONDS]      default 600
# Seeds are compiled from small word lists; the corpus grows in fuzz-corpus/ovm.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}

scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native --target quillon-cli
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target ovm_reader_fuzz

corpus=fuzz-corpus/ovm
seeds=build/fuzz/seeds
mkdir -p "$corpus" "$seeds"
printf 'a\nI\ncat\ncats\ncatalogue\nParis\n' > "$seeds/small.txt"
printf 'ab\nac\nad\nae\naf\nag\nah\nai\naj\nb\n' > "$seeds/wide.txt"
head -n 3000 /usr/share/dict/american-english > "$seeds/list.txt"
for list in "$seeds"/*.txt; do
  build/native/bin/quillon-cli compile "$list" "$corpus/$(basename "$list" .txt).ovm" >/dev/null
done

build/fuzz/bin/ovm_reader_fuzz -max_total_time="$seconds" -max_len=200000 -timeout=10 \
  -print_final_stats=1 "$corpus"
