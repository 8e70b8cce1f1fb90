#!/usr/bin/env bash
# The gateway search end to end, in two network namespaces of its own: the "PC" namespace has
# 192.168.4.20/24 with its default route via 192.168.4.1, the "unit" namespace holds
# 192.168.4.1, where the simulated unit listens on port 8899. `sonvela-cli probe` without a link
# option must find the unit through the search. Both namespaces (and the veth pair between them)
# are removed again however the test ends. Skipped (exit 77) unless run as root with `ip netns`.
#
# usage: gateway_search_netns.sh SONVELA_CLI TQ640V_SIM
set -u
cli=$1
sim=$2
skip() {
    echo "skipped: $1"
    exit 77
}
fail() {
    echo "FAILED: $1"
    exit 1
}

[ "$(id -u)" = 0 ] || skip "needs root"
command -v ip >/dev/null || skip "needs the ip tool"

pc=sonvela-pc-$$
unit=sonvela-unit-$$
ip netns add "$pc" 2>/dev/null || skip "cannot create network namespaces"
simpid=
cleanup() {
    [ -n "$simpid" ] && kill "$simpid" 2>/dev/null && wait "$simpid" 2>/dev/null
    ip netns del "$pc" 2>/dev/null
    ip netns del "$unit" 2>/dev/null
}
trap cleanup EXIT
ip netns add "$unit" || fail "cannot create the unit's namespace"
ip link add "svp$$" netns "$pc" type veth peer name "svu$$" netns "$unit" ||
    fail "cannot create the veth pair"
ip -n "$pc" addr add 192.168.4.20/24 dev "svp$$"
ip -n "$unit" addr add 192.168.4.1/24 dev "svu$$"
for ns in "$pc" "$unit"; do
    ip -n "$ns" link set lo up
done
ip -n "$pc" link set "svp$$" up
ip -n "$unit" link set "svu$$" up
ip -n "$pc" route add default via 192.168.4.1 || fail "cannot add the default route"

ip netns exec "$unit" "$sim" --tcp 192.168.4.1:8899 &
simpid=$!
for _ in $(seq 50); do
    ip netns exec "$pc" bash -c 'exec 3<>/dev/tcp/192.168.4.1/8899' 2>/dev/null && break
    sleep 0.1
done

out=$(ip netns exec "$pc" "$cli" probe 2>&1)
rc=$?
echo "$out"
[ "$rc" = 0 ] || fail "probe exited with $rc"
echo "$out" | grep -q "^tcp 192.168.4.1:8899$" || fail "the unit was not found at the gateway"
echo "passed"
