#!/usr/bin/env bash
# `make install` and `make uninstall` into a scratch DESTDIR: exactly the
# expected files go in, the launcher hands the installed game to Wine in the
# player's own prefix, the menu entry points at the launcher, the icons are
# real PNG pictures, and uninstalling takes all of it away but leaves the
# scores in the player's Wine prefix and anything else in the folders alone.
#
#   linux-install.sh SOURCE_DIR BUILD_DIR Corvanta.exe ship_start_probe.exe
set -eu
source_dir=$1
build_dir=$2
game=$3

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

work=$(mktemp -d "$build_dir/ship-linux.XXXXXX")
trap 'rm -rf "$work"' EXIT
destdir=$work/root
prefix="/opt/Corvanta test"
home=$work/home

# A player's home with a score table in the default Wine prefix.
score="$home/.wine/drive_c/users/player/AppData/Local/Corvanta/Score/Classifica.txt"
mkdir -p "$(dirname "$score")"
printf '00000042 ANNA         Livello 1\r\n' >"$score"
cp "$score" "$work/expected-score"

run_make() { # target
    HOME=$home make --no-print-directory -C "$source_dir" "$1" \
        WINDOWS_BUILD="$build_dir" EXE="$game" PREFIX="$prefix" DESTDIR="$destdir"
}

expected_files() {
    printf '%s\n' \
        bin/corvanta \
        lib/corvanta/Corvanta.exe \
        share/applications/corvanta.desktop \
        share/doc/corvanta/LICENSE \
        share/icons/hicolor/16x16/apps/corvanta.png \
        share/icons/hicolor/32x32/apps/corvanta.png \
        share/icons/hicolor/48x48/apps/corvanta.png |
        sed "s|^|$destdir$prefix/|" | sort
}
files_now() { find "$destdir" -type f -o -type l | sort; }

echo "== make install"
run_make install >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "make install failed"; }
diff <(expected_files) <(files_now) >&2 || fail "make install put down other files than expected"
cmp -s "$game" "$destdir$prefix/lib/corvanta/Corvanta.exe" || fail "the installed game is not the built one"
[ -x "$destdir$prefix/bin/corvanta" ] || fail "the launcher is not executable"

echo "== the launcher"
# A stand-in for wine that tells how it was called.
mkdir "$work/fakebin"
cat >"$work/fakebin/wine" <<'EOF'
#!/bin/sh
printf 'args=%s\n' "$*"
printf 'prefix=%s\n' "${WINEPREFIX-unset}"
printf 'overrides=%s\n' "$WINEDLLOVERRIDES"
EOF
chmod +x "$work/fakebin/wine"
launch() { # environment assignments for the launcher
    env -i HOME="$home" PATH="$work/fakebin:/usr/bin:/bin" "$@" "$destdir$prefix/bin/corvanta"
}
out=$(launch DISPLAY=:7) || fail "the launcher failed with a display"
[ "$out" = "args=$prefix/lib/corvanta/Corvanta.exe
prefix=unset
overrides=mscoree,mshtml=" ] || fail "the launcher ran: $out"
out=$(launch DISPLAY=:7 WINEPREFIX=/elsewhere) || fail "the launcher failed with WINEPREFIX"
grep -qx 'prefix=/elsewhere' <<<"$out" || fail "the launcher did not keep the player's WINEPREFIX: $out"
status=0
launch >/dev/null 2>&1 || status=$?
[ $status -eq 2 ] || fail "without a display the launcher ended with $status, not 2"
status=0
env -i HOME="$home" PATH=/nonexistent DISPLAY=:7 /bin/sh "$destdir$prefix/bin/corvanta" \
    >/dev/null 2>&1 || status=$?
[ $status -eq 127 ] || fail "without Wine the launcher ended with $status, not 127"

echo "== the menu entry and the icons"
python3 - "$destdir$prefix" "$prefix" <<'EOF' || fail "menu entry or icons"
import struct, sys, zlib
root, prefix = sys.argv[1:]
entry = {}
with open(root + "/share/applications/corvanta.desktop", encoding="utf-8") as f:
    lines = f.read().splitlines()
if lines[0] != "[Desktop Entry]":
    sys.exit("the entry does not start with its group")
for line in lines[1:]:
    key, _, value = line.partition("=")
    entry[key] = value
want = {"Type": "Application", "Name": "Corvanta", "Icon": "corvanta", "Terminal": "false",
        "Exec": '"%s/bin/corvanta"' % prefix}
for key, value in want.items():
    if entry.get(key) != value:
        sys.exit("%s=%r, not %r" % (key, entry.get(key), value))
for size in (16, 32, 48):
    with open("%s/share/icons/hicolor/%dx%d/apps/corvanta.png" % (root, size, size), "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        sys.exit("%d: not a PNG file" % size)
    width, height, depth, kind = struct.unpack(">IIBB", data[16:26])
    if (width, height, depth, kind) != (size, size, 8, 6):
        sys.exit("%d: a %dx%d picture of depth %d, colour type %d" % (size, width, height, depth, kind))
    # The picture decodes, and it is not blank: some pixels are see-through,
    # some are solid.
    pos, idat = 8, b""
    while pos < len(data):
        length, = struct.unpack(">I", data[pos:pos + 4])
        if data[pos + 4:pos + 8] == b"IDAT":
            idat += data[pos + 8:pos + 8 + length]
        pos += 12 + length
    raw = zlib.decompress(idat)
    rows = [raw[y * (4 * size + 1) + 1:(y + 1) * (4 * size + 1)] for y in range(size)]
    alphas = {row[x * 4 + 3] for row in rows for x in range(size)}
    if 0 not in alphas or 255 not in alphas:
        sys.exit("%d: the picture has no clear background around a solid trio" % size)
EOF

echo "== make uninstall"
# Something of the player's own beside the game stays.
echo "appunti" >"$destdir$prefix/lib/corvanta/appunti.txt"
run_make uninstall >"$work/uninstall.log" 2>&1 || { cat "$work/uninstall.log"; fail "make uninstall failed"; }
diff <(echo "$destdir$prefix/lib/corvanta/appunti.txt") <(files_now) >&2 ||
    fail "make uninstall left other files than the player's own"
rm "$destdir$prefix/lib/corvanta/appunti.txt"
run_make uninstall >"$work/uninstall.log" 2>&1 || fail "make uninstall a second time failed"
[ ! -e "$destdir$prefix/lib/corvanta" ] || fail "the emptied game folder stays"
[ ! -e "$destdir$prefix/share/doc/corvanta" ] || fail "the emptied licence folder stays"
cmp -s "$work/expected-score" "$score" || fail "the score table changed"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all install checks passed"
