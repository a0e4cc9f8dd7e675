#!/bin/sh
# check_test_script.sh SCRIPT CMAKELISTS: every configure in SCRIPT sets the build type and
# every option CMAKELISTS declares (a cache left by another configure must not decide what is
# built), and every ctest call in it fails when it finds no tests.
set -eu
script=$1
cmakelists=$2
failed=0

options=$(sed -n 's/^option(\(MINNE_[A-Z0-9_]*\).*/\1/p' "$cmakelists")
[ -n "$options" ] || { echo "no options found in $cmakelists"; exit 1; }

# One command per line: comments dropped, backslash continuations joined.
commands=$(sed -e 's/^[[:space:]]*#.*//' -e ':a' -e '/\\$/N; s/\\\n//; ta' "$script")

configures=$(printf '%s\n' "$commands" | grep -E '(^|[[:space:]])cmake[[:space:]]+-S' || true)
[ -n "$configures" ] || { echo "$script configures nothing"; exit 1; }
while IFS= read -r line; do
  for name in CMAKE_BUILD_TYPE $options; do
    case "$line" in
      *"-D$name="*) ;;
      *) echo "leaves $name to the cache: $line"; failed=1 ;;
    esac
  done
done <<LINES
$configures
LINES

tests=$(printf '%s\n' "$commands" | grep -E '(^|[[:space:];&|])ctest([[:space:]]|$)' || true)
[ -n "$tests" ] || { echo "$script runs no ctest"; exit 1; }
while IFS= read -r line; do
  case "$line" in
    *--no-tests=error*) ;;
    *) echo "passes when it finds no tests: $line"; failed=1 ;;
  esac
done <<LINES
$tests
LINES

exit $failed
