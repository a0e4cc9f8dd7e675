# A short soak: five questions, the settings screen and Alt+Enter after the fifth, leave the
# memory, the open files, the threads and the log as they were after the first (tests/e2e/soak.sh
# runs 200).
exec bash "$(dirname "$0")/../soak.sh" - 5
