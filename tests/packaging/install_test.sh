#!/usr/bin/env bash
# Installs the build into a temporary prefix with `cmake --install` and checks the result as a
# distribution would: every file where the standards put it and nothing else, the launcher and
# the AppStream metadata valid, the icons at their sizes, the man pages compressed, and the
# installed programs running from there with no display.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1 source=$2 version=$3
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$root/usr" >/dev/null

app=org.corvane.corvane
expected=(
    usr/bin/corvane usr/bin/corvane-bot usr/bin/corvane-lobby usr/bin/corvane-sim
    usr/share/applications/$app.desktop
    usr/share/metainfo/$app.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/$app.svg
    usr/share/corvane/corvane.htm usr/share/corvane/corvane_fr.htm
    usr/share/corvane/translations/corvane_fr.qm usr/share/corvane/translations/corvane_en.qm
    usr/share/doc/corvane/copyright usr/share/doc/corvane/changelog.Debian.gz
    usr/share/man/man6/corvane.6.gz usr/share/man/man1/corvane-lobby.1.gz
    usr/share/man/man1/corvane-bot.1.gz usr/share/man/man1/corvane-sim.1.gz
)
for size in 16 24 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app.png")
done
if [ -f "$source/server/corvane-lobby.service" ]; then
    expected+=(usr/lib/systemd/system/corvane-lobby.service)
fi

# Exactly these files, no more and no fewer.
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f | sed 's|^\./||' | sort) \
    || fail "the installed files differ from the expected list (< expected, > installed)"

for program in corvane corvane-bot corvane-lobby corvane-sim; do
    [ -x "$root/usr/bin/$program" ] || fail "$program is not executable"
done
cmp -s "$source/LICENSE" "$root/usr/share/doc/corvane/copyright" || fail "copyright is not LICENSE"

desktop-file-validate "$root/usr/share/applications/$app.desktop" || fail "desktop file"
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/$app.metainfo.xml" ||
    fail "metainfo"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$app.metainfo.xml" ||
    fail "metainfo names no release $version"

# Each PNG is as large as the folder it sits in says (width and height from the IHDR chunk).
for png in "$root"/usr/share/icons/hicolor/*x*/apps/$app.png; do
    size=$(basename "$(dirname "$(dirname "$png")")")
    got=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]))' "$png")
    [ "$got" = "$size" ] || fail "$png is $got"
done

for page in "$root"/usr/share/man/man*/*.gz; do
    gzip -t "$page" || fail "$page is not gzip"
    zcat "$page" | grep -q "^\.TH .*\"Corvane $version\"" || fail "$page has no title line for $version"
done

# The installed programs, with no display at all.
unset DISPLAY WAYLAND_DISPLAY
out=$("$root/usr/bin/corvane" --version) || fail "corvane --version exited $?"
[ "$out" = "corvane $version" ] || fail "corvane --version said \"$out\""
out=$("$root/usr/bin/corvane" --help) || fail "corvane --help exited $?"
grep -q -- "--server" <<<"$out" || fail "corvane --help names no --server"
set +e
out=$("$root/usr/bin/corvane" --no-such-option 2>&1)
code=$?
set -e
[ "$code" -eq 2 ] || fail "corvane --no-such-option exited $code"
grep -q "no-such-option" <<<"$out" || fail "corvane --no-such-option said \"$out\""
out=$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/corvane" --version) || fail "offscreen --version"
[ "$out" = "corvane $version" ] || fail "offscreen corvane --version said \"$out\""
out=$("$root/usr/bin/corvane-lobby" --help 2>&1) || fail "corvane-lobby --help exited $?"
grep -q -- "--list-port" <<<"$out" || fail "corvane-lobby --help names no --list-port"
for tool in corvane-bot corvane-sim; do
    out=$("$root/usr/bin/$tool" --version) || fail "$tool --version exited $?"
    [ "$out" = "$tool $version" ] || fail "$tool --version said \"$out\""
done

# The rules page sits where the installed program looks for it: the data folder beside bin/.
[ -f "$root/usr/bin/../share/corvane/corvane.htm" ] || fail "no rules page beside the program"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "installed tree checked: ${#expected[@]} files"
