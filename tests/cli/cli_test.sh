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

# "A" passes as upper case and "a" as a one-letter word.
printf 'The catt sat on teh mat, na\xc3\xafv Paris.\nA dog and a cat.\n' > text.txt
expect "misspelt words in order, UTF-8 out" 1 "$(printf 'catt\nteh\nna\xc3\xafv\ndog\nand')" "" -- \
  -l -d small.ovm text.txt
expect "every dictionary is asked" 1 "$(printf 'catt\nteh\nna\xc3\xafv\nand')" "" -- \
  -l -d small.ovm -d other.ovm text.txt
input=text.txt expect "standard input" 1 "$(printf 'catt\nteh\nna\xc3\xafv\ndog\nand')" "" -- -l -d small.ovm
input=text.txt expect "dash is standard input" 1 "$(printf 'catt\nteh\nna\xc3\xafv\ndog\nand')" "" -- \
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

# dict: a custom dictionary edited entry by entry; list prints KIND<TAB>ENTRY in table order.
same() { [ "$(od -An -tx1 "$1")" = "$(od -An -tx1 "$2")" ]; }
expect "dict list wants an existing file" 2 "" "^quillon-cli: cannot open mine.ovu: no such file" -- dict mine.ovu list
expect "dict refuses an empty word" 2 "" "an empty word cannot be added" -- dict mine.ovu add ""
[ ! -e mine.ovu ] || { failed=$((failed + 1)); echo "FAIL a refused add made a file"; }
expect "dict add makes the file" 0 "" "" -- dict mine.ovu add quillon
expect "dict exclude" 0 "" "" -- dict mine.ovu exclude colour
expect "dict autocorrect" 0 "" "" -- dict mine.ovu autocorrect teh "the end"
expect "dict add, then remove" 0 "" "" -- dict mine.ovu add Paris
expect "dict remove takes any kind" 0 "" "" -- dict mine.ovu remove Paris
expect "dict list in table order" 0 "$(printf 'added\tquillon\nexcluded\tcolour\nautocorrect\tteh\tthe end')" "" -- \
  dict mine.ovu list
expect "dict refuses a word already there" 2 "" "colour is already an excluded word" -- dict mine.ovu add colour
expect "dict names the replacement" 2 "" "teh is already corrected to the end" -- dict mine.ovu exclude teh
expect "dict remove of a missing word" 2 "" "Paris is not in mine.ovu" -- dict mine.ovu remove Paris
expect "dict refuses an overlong pair" 2 "" "longer than 500 bytes" -- dict mine.ovu autocorrect "$(printf '%0300d' 0)" "$(printf '%0201d' 0)"
expect "dict unknown action" 2 "" "unknown dict action frob" -- dict mine.ovu frob x
expect "dict counts the words" 2 "" "dict autocorrect wants 2 words" -- dict mine.ovu autocorrect teh
expect "dict wants an action" 2 "" "wants a dictionary file and an action" -- dict mine.ovu
cp words.txt words.before
expect "dict refuses another kind of file" 2 "" "words.txt is not a custom dictionary" -- dict words.txt add x
same words.txt words.before || { failed=$((failed + 1)); echo "FAIL dict wrote over another kind of file"; }
head -c 150 mine.ovu > cut.ovu
cp cut.ovu cut.before
expect "dict refuses a damaged file" 2 "" "cut.ovu is damaged; it is left as it is" -- dict cut.ovu add x
same cut.ovu cut.before || { failed=$((failed + 1)); echo "FAIL dict wrote over a damaged file"; }
expect "dict refuses what Windows-1252 cannot spell" 2 "" "cannot be written in Windows-1252" -- \
  dict greek.ovu add "$(printf '\xce\xb1\xce\xb2')"
[ ! -e greek.ovu ] || { failed=$((failed + 1)); echo "FAIL a refused word made a file"; }
# Windows hands programs their arguments in the ANSI code page, not UTF-8, until the
# tool reads its wide command line; UTF-8 words are checked natively meanwhile.
if [ -z "$emulator" ]; then
  expect "dict takes UTF-8 in" 0 "" "" -- dict accents.ovu add "$(printf 'na\xc3\xafve')"
  expect "dict gives UTF-8 out" 0 "$(printf 'added\tna\xc3\xafve')" "" -- dict accents.ovu list
fi

# -l with custom dictionaries: the first is the active one; excluded words are reported
# even when a main dictionary has them.
run dict other.ovu add catt > /dev/null 2>&1
run dict mine.ovu exclude sat > /dev/null 2>&1
printf 'The quillon and the catt sat in colour, like the cat.\n' > custom.txt
expect "custom dictionaries accept and exclude" 1 "$(printf 'and\nsat\nin\ncolour\nlike')" "" -- \
  -l -d small.ovm --custom mine.ovu --custom other.ovu custom.txt
expect "missing custom dictionary" 2 "" "^quillon-cli: cannot open none.ovu" -- -l -d small.ovm --custom none.ovu custom.txt
expect "not a custom dictionary" 2 "" "small.ovm is not a custom dictionary" -- -l -d small.ovm --custom small.ovm custom.txt

# -l with a stored configuration: its dictionaries and options, read and never written.
printf '[Default]\r\n_FirstRun=+\r\n_Main_count=1\r\n_Main_0=./small.ovm\r\n_Custom_count=1\r\n_Custom_0=./mine.ovu\r\n_ActiveCustom=./mine.ovu\r\n_soUpcase=-\r\n_soInternet=+\r\n' > spell.cfg
cp spell.cfg spell.before
printf 'NATO quillon sat teh www.example.org\n' > configured.txt
expect "configured dictionaries and options" 1 "$(printf 'NATO\nsat\nteh')" "" -- -l --config spell.cfg configured.txt
same spell.cfg spell.before || { failed=$((failed + 1)); echo "FAIL -l wrote to its configuration"; }
expect "missing configuration" 2 "" "cannot read the configuration none.cfg" -- -l --config none.cfg configured.txt

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
