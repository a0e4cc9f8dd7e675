#!/bin/sh
# run-fuzzer.sh FUZZER WORKDIR SECONDS [SEEDDIR]: a short libFuzzer run; any finding fails the test.
# The test run may start it at idle priority, so one input may take a while in wall time.
set -eu
fuzzer=$1; work=$2; seconds=$3; seeds=${4:-}
mkdir -p "$work"
if [ -n "$seeds" ] && [ -d "$seeds" ]; then
  exec "$fuzzer" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$work/" "$work" "$seeds"
fi
exec "$fuzzer" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -print_final_stats=1 \
     -artifact_prefix="$work/" "$work"
