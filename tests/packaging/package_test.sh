#!/usr/bin/env bash
# Builds the Debian package of a build tree, checks it with lintian, desktop-file-validate and
# appstreamcli, installs it with dpkg, runs the installed programs (versions; tq640v-sim dumped
# by sonvela-cli over loopback and shown by the editor offscreen), then purges it and checks
# that none of its files is left.
# The package is never left installed, also when a step fails.
# Usage: package_test.sh BUILD_DIR CPACK VERSION. Exit 77 (skipped) where it cannot run.
set -uo pipefail
build=$1
cpack=$2
version=$3
package=sonvela

skip() {
    echo "SKIPPED: $*"
    exit 77
}
fail() {
    echo "FAIL: $*"
    exit 1
}

[[ $(id -u) -eq 0 ]] || skip "the package test installs a package with dpkg and must run as root"
for tool in dpkg dpkg-deb dpkg-shlibdeps lintian desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || skip "$tool is missing (scripts/install-deps.sh installs it)"
done
if dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null | grep -q '^.[^n]'; then
    skip "$package is already installed on this system; the test would replace and remove it"
fi

work=$(mktemp -d)
sim=
installed=0
cleanup() {
    if [[ -n $sim ]]; then
        kill "$sim" 2>/dev/null
        wait "$sim" 2>/dev/null
    fi
    if ((installed)); then
        dpkg --purge "$package" >/dev/null 2>&1 || echo "cannot purge $package"
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

echo "== cpack"
timeout 90 "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
debs=("$work"/out/"$package"_"$version"_*.deb)
deb=${debs[0]}
[[ -f $deb ]] || fail "cpack wrote no $package $version package"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'

echo "== lintian"
timeout 90 lintian --fail-on error "$deb" || fail "lintian reports errors"

echo "== files"
dpkg-deb -x "$deb" "$work/root"
outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -vE '^\./(usr|lib)(/|$)|^\./$')
[[ -z $outside ]] || fail "files outside /usr and /lib: $outside"
desktop-file-validate "$work"/root/usr/share/applications/*.desktop || fail "desktop entry"
appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.xml || fail "metainfo"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print substr($6, 2)}')
for file in /usr/bin/sonvela /usr/bin/sonvela-cli /usr/bin/tq640v-sim \
    /usr/lib/udev/rules.d/70-sonvela-unit.rules; do
    grep -qx "$file" <<<"$files" || fail "$file is not in the package"
done

echo "== dpkg -i"
installed=1
timeout 60 dpkg -i "$deb" || fail "dpkg -i failed"

echo "== installed programs"
[[ $(/usr/bin/sonvela --version) == "sonvela $version" ]] || fail "sonvela --version"
/usr/bin/sonvela-cli --version | grep -q "$version" || fail "sonvela-cli --version"
/usr/bin/tq640v-sim --tcp 127.0.0.1:0 >"$work/sim.out" 2>&1 &
sim=$!
port=
for _ in $(seq 100); do
    port=$(sed -n 's/^tcp 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$work/sim.out")
    [[ -n $port ]] && break
    sleep 0.1
done
[[ -n $port ]] || fail "the installed tq640v-sim does not listen: $(cat "$work/sim.out")"
timeout 30 /usr/bin/sonvela-cli dump --tcp "127.0.0.1:$port" >"$work/dump.txt" ||
    fail "sonvela-cli dump of the simulated unit failed"
grep -q "m_nMusicVol" "$work/dump.txt" || fail "the dump holds no volume record"
echo "dump: $(wc -l <"$work/dump.txt") lines from tq640v-sim on port $port"
# The installed editor connects and draws the unit; what it writes goes to the user's folders
# (here a private home), never beside the executable, even for root, who could write there.
mkdir -p "$work/home" "$work/run"
chmod 700 "$work/run"
ls -A /usr/bin >"$work/bin.before"
HOME=$work/home XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=offscreen \
    SONVELA_SCREENSHOT=$work/shot.png SONVELA_SCREENSHOT_TIMEOUT_MS=20000 \
    timeout 30 /usr/bin/sonvela --tcp "127.0.0.1:$port" || fail "the installed editor read no unit"
[[ -s $work/shot.png ]] || fail "the installed editor wrote no screenshot"
ls -A /usr/bin | diff "$work/bin.before" - || fail "the editor wrote beside its executable"

echo "== dpkg --purge"
timeout 60 dpkg --purge "$package" || fail "dpkg --purge failed"
installed=0
dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null | grep -q '^.[^n]' &&
    fail "$package is still known to dpkg"
left=()
while read -r file; do
    [[ -e $file || -L $file ]] && left+=("$file")
done <<<"$files"
((${#left[@]} == 0)) || fail "left behind: ${left[*]}"
echo "PASS: $(wc -l <<<"$files") files installed and removed"
