#!/usr/bin/env bash
# A second editor started without a display must not wait for a click on "The program is
# running!": it prints the message to standard error and exits 1, and the first one keeps
# running. Usage: second_instance_test.sh SONVELA
set -uo pipefail
sonvela=$1

runtime=$(mktemp -d)
first=
cleanup() {
    if [[ -n $first ]]; then
        kill "$first" 2>/dev/null
        wait "$first" 2>/dev/null
    fi
    rm -rf "$runtime"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=offscreen

# Port 1 on loopback refuses at once: the first editor runs unconnected.
"$sonvela" --tcp 127.0.0.1:1 >/dev/null 2>&1 &
first=$!
for _ in $(seq 100); do
    [[ -e $runtime/TQ640V.lock ]] && break
    sleep 0.1
done
[[ -e $runtime/TQ640V.lock ]] || { echo "FAIL: the first editor took no lock"; exit 1; }

timeout 20 "$sonvela" --tcp 127.0.0.1:1 >/dev/null 2>"$runtime/second.err"
code=$?
echo "second editor: exit $code, stderr: $(cat "$runtime/second.err")"
[[ $code -eq 1 ]] || { echo "FAIL: the second editor exited $code, not 1"; exit 1; }
grep -qx "sonvela: Prompt: The program is running!" "$runtime/second.err" ||
    { echo "FAIL: the message is not on standard error"; exit 1; }
kill -0 "$first" 2>/dev/null || { echo "FAIL: the first editor ended"; exit 1; }
echo "PASS"
