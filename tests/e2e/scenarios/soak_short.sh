# A short soak: a dozen questions with the settings screen and Alt+Enter between leave the
# memory, the open files, the threads and the log as they were (tests/e2e/soak.sh runs 200).
exec bash "$(dirname "$0")/../soak.sh" - 10
