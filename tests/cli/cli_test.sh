#!/usr/bin/env bash
# Usage: cli_test.sh QUILLON_CLI [EMULATOR]
# Runs each case with a fresh scratch folder and reports "N passed, N failed".
set -u
cli=$1
emulator=${2:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
passed=0
failed=0

run() { $emulator "$cli" "$@"; }

# expect NAME STATUS EXPECTED_STDOUT STDERR_PATTERN -- ARGS...   (standard input from $input)
# An expected output of "*" is not compared; an empty pattern is not checked.
expect() {
  local name=$1 status=$2 want=$3 errpat=$4
  shift 5
  local out err got
  out=$(run "$@" < "${input:-/dev/null}" 2> err.txt)
  got=$?
  err=$(tr -d '\r' < err.txt)
  out=$(printf '%s' "$out" | tr -d '\r')
  if [ "$got" != "$status" ] || { [ "$want" != "*" ] && [ "$out" != "$want" ]; } || { [ -n "$errpat" ] && ! grep -qE -e "$errpat" <<< "$err"; }; then
    failed=$((failed + 1))
    printf 'FAIL %s\n  status %s (want %s)\n  stdout: %s\n  want:   %s\n  stderr: %s\n' \
      "$name" "$got" "$status" "$out" "$want" "$err"
  else
    passed=$((passed + 1))
  fi
}

# A small dictionary; one line is Greek, which Windows-1252 cannot spell.
printf 'the\ncat\ncats\nsat\non\nmat\nna\xc3\xafve\nParis\nzebra\n\xce\xb1\xce\xb2\n' > words.txt
expect "compile tells what it left out" 0 "*" "left out 1 words" -- compile --title "Small" words.txt small.ovm
printf 'dog\n' > other.txt
run compile other.txt other.ovm > /dev/null 2>&1

all=$(run words small.ovm | tr -d '\r' | LC_ALL=C sort)
want=$(printf 'Paris\ncat\ncats\nmat\nna\xc3\xafve\non\nsat\nthe\nzebra' | LC_ALL=C sort)
if [ "$all" = "$want" ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL words lists the whole tree: $all"; fi
expect "words under a prefix" 0 "$(printf 'cat\ncats')" "" -- words small.ovm ca
expect "words under a missing prefix" 0 "" "" -- words small.ovm q

printf 'The cat sat on the mat.\nThe na\xc3\xafve zebra.\n' > clean.txt
expect "no misspelt word" 0 "" "" -- -l -d small.ovm clean.txt

printf 'The catt sat on teh mat, na\xc3\xafv Paris.\nA dog and a cat.\n' > text.txt
expect "misspelt words in order, UTF-8 out" 1 "$(printf 'catt\nteh\nna\xc3\xafv\ndog\nand\na')" "" -- \
  -l -d small.ovm text.txt
expect "every dictionary is asked" 1 "$(printf 'catt\nteh\nna\xc3\xafv\nand\na')" "" -- \
  -l -d small.ovm -d other.ovm text.txt
input=text.txt expect "standard input" 1 "$(printf 'catt\nteh\nna\xc3\xafv\ndog\nand\na')" "" -- -l -d small.ovm
input=text.txt expect "dash is standard input" 1 "$(printf 'catt\nteh\nna\xc3\xafv\ndog\nand\na')" "" -- \
  -l -d small.ovm -

# The default filters: upper case, numbers, markup and internet addresses.
printf 'NATO catz42 <b>mat</b> &nbsp; http://www.example.com/a/b mail@example.org www.example.org\n' > filtered.txt
expect "default filters" 0 "" "" -- -l -d small.ovm filtered.txt
printf 'Cat CAT cAT\n' > case.txt
expect "only the first letter is lowered" 1 "cAT" "" -- -l -d small.ovm case.txt

expect "missing dictionary" 2 "" "^quillon-cli: cannot open nothing.ovm" -- -l -d nothing.ovm text.txt
expect "not a dictionary" 2 "" "words.txt is not a main dictionary" -- -l -d words.txt text.txt
expect "missing input" 2 "" "^quillon-cli: cannot open nothing.txt" -- -l -d small.ovm nothing.txt
expect "missing input lists nothing" 2 "" "" -- -l -d small.ovm text.txt nothing.txt
head -c 2000 small.ovm > cut.ovm
expect "damaged dictionary" 2 "" "cut.ovm is damaged" -- -l -d cut.ovm text.txt
expect "unknown command" 2 "" "unknown command frobnicate" -- frobnicate
expect "unknown option" 2 "" "unknown option -x" -- -l -x
expect "no arguments" 2 "" "usage:" --
expect "compile without output" 2 "" "wants a word list and an output file" -- compile words.txt
expect "compile with a bad language" 2 "" "--language wants a number" -- compile --language en words.txt x.ovm
printf '%0600d\n' 0 | tr 0 a > long.txt
expect "compile refuses an overlong word" 2 "" "longer than 512 bytes" -- compile long.txt long.ovm
[ ! -e long.ovm ] || { failed=$((failed + 1)); echo "FAIL a refused compile left a file"; }

# The shipped dictionary beside the program is the default.
printf 'This sentence is spelled correctly, but this one has a mispeling.\n' > prose.txt
expect "shipped dictionary by default" 1 "mispeling" "" -- -l prose.txt

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
