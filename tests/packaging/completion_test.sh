#!/usr/bin/env bash
# The bash completion offers exactly the commands sonvela-cli has: a command added to the tool
# and forgotten in the completion (or the reverse) fails here.
# Usage: completion_test.sh SONVELA_CLI COMPLETION_FILE
set -euo pipefail
cli=$1
completion=$2

known=$({ "$cli" help | sed -n '/^commands:/,/^$/p' | awk 'NR > 1 && $1 ~ /^[a-z]/ {print $1}'; echo help; } |
    sort -u)
offered=$(sed -n 's/^ *local commands="\(.*\)"$/\1/p' "$completion" | tr ' ' '\n' | sort -u)
echo "sonvela-cli: $(echo $known)"
echo "completion:  $(echo $offered)"
[[ -n $known && $known == "$offered" ]] || { echo "FAIL: the command lists differ"; exit 1; }
echo "PASS"
