#!/bin/sh
# same_answers.sh NATIVE_ORACLE BROWSER_ORACLE_JS DATA QUESTIONS: the oracle built for the
# browser, run under Node, gives byte for byte the answers of the Linux build to the same
# questions with the same seeds. Each build runs once per seed over all questions.
set -eu
native=$1 browser=$2 data=$3 questions=$4
node=${NODE:-/usr/bin/node}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The questions of the end-to-end run join the file's, the umlaut as Windows-1252.
{ cat "$questions"; printf 'Werde ich gl\374cklich heiraten?\nLiebt sie mich wirklich?\n\n'; } >"$work/questions"
for seed in 4711 20040214; do
  "$native" --raw --seed "$seed" --data "$data" <"$work/questions" >"$work/linux.$seed"
  "$node" --no-experimental-fetch "$browser" --raw --seed "$seed" --data "$data" <"$work/questions" >"$work/browser.$seed"
  # Each answer ends with a NUL byte.
  answers=$(tr -cd '\000' <"$work/linux.$seed" | wc -c)
  if [ "$answers" -lt 40 ]; then
    echo "the Linux build gave only $answers answers for seed $seed" >&2
    exit 1
  fi
  if ! cmp "$work/linux.$seed" "$work/browser.$seed"; then
    diff "$work/linux.$seed" "$work/browser.$seed" | head -20 >&2
    exit 1
  fi
done
echo "same answers to $(wc -l <"$work/questions") questions with two seeds"
