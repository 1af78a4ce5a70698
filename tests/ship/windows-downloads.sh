#!/usr/bin/env bash
# The two Windows downloads, built by tools/make-dist and used under Wine the
# way a player uses them:
#   - the installer, silent, for one user, for all users, and into the very
#     folder that holds the score table: the game lands where it should, starts,
#     has its shortcuts and its "Installed apps" entry; the silent uninstaller
#     takes all of that away again and leaves the score table byte for byte;
#   - the zip: it holds the game and its two texts, and the game in it starts.
#
#   windows-downloads.sh SOURCE_DIR BUILD_DIR Corvanta.exe ship_start_probe.exe
#
# Runs inside tools/wine-session (the build tree's test prefix); alone, the
# Wine runner prepares that prefix itself.
set -eu
source_dir=$1
build_dir=$2
game=$3
probe=$4

export CORVANTA_WINE_BUILD=${CORVANTA_WINE_BUILD:-$build_dir}
prefix=${WINEPREFIX_TEST:-$CORVANTA_WINE_BUILD/wineprefix}
wine_run() { "$source_dir/tools/wine-run" "$@"; }

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
check() { # description, command...
    local what=$1
    shift
    "$@" || fail "$what"
}

work=$(mktemp -d "$build_dir/ship-downloads.XXXXXX")
user=$(id -un)
home="$prefix/drive_c/users/$user"
score_dir="$home/AppData/Local/Corvanta/Score"
score="$score_dir/Classifica.txt"
saved_score="$work/saved-Classifica.txt"

restore() {
    # Put back whatever score table the prefix had before this test.
    rm -f "$score"
    if [ -f "$saved_score" ]; then cp -p "$saved_score" "$score"; fi
    rm -rf "$work"
}
trap restore EXIT

echo "== building the downloads"
python3 "$source_dir/tools/make-dist" "$game" "$work/dist"
version=$(sed -nE 's/.*project\(\s*Corvanta\s+VERSION\s+([0-9.]+).*/\1/p' "$source_dir/CMakeLists.txt")
setup="$work/dist/Corvanta-$version-setup.exe"
zip="$work/dist/Corvanta-$version-win64.zip"
[ -f "$setup" ] && [ -f "$zip" ] || { echo "FAIL: make-dist made no downloads" >&2; exit 1; }

# Keep Wine inside the prefix: no menu entries for the Linux desktop, and
# profile folders (Desktop...) of their own instead of links to $HOME.
wine_run reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d '' /f >/dev/null
while IFS= read -r -d '' link; do
    rm "$link" && mkdir "$link"
done < <(find "$prefix/drive_c/users" -maxdepth 6 -type l -print0)

# A score table with its own bytes: CR LF, a byte above 127, no end of line.
mkdir -p "$score_dir"
if [ -f "$score" ]; then cp -p "$score" "$saved_score"; fi
printf '00001250 ANNA         Livello 3\r\n00000980 MARCO\xc8       Livello 2\r\n00000007 Z' >"$score"
cp "$score" "$work/expected-Classifica.txt"

win_path() { # a Linux path inside the prefix's drive C as a Windows path
    local rest=${1#"$prefix/drive_c/"}
    printf 'C:\\%s' "${rest//\//\\}"
}

uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvanta'
declare -A entry
read_entry() { # root: the values of the "Installed apps" entry into $entry
    entry=()
    local line
    while IFS= read -r line; do
        if [[ $line =~ ^\ +([A-Za-z]+)\ +REG_[A-Z_]+\ +(.*)$ ]]; then
            entry[${BASH_REMATCH[1]}]=${BASH_REMATCH[2]}
        fi
    done < <(wine_run reg query "$1\\$uninstall_key" 2>/dev/null | tr -d '\r')
}
has_key() { wine_run reg query "$1\\$uninstall_key" >/dev/null 2>&1; }

installed_files="Corvanta.exe LEGGIMI.txt LICENZA.txt Disinstalla.exe"

# One installation and removal. Arguments: a name for the messages, the
# installer's options, the registry root, the expected folder, the Start menu
# folder and the desktop folder (Linux paths inside the prefix), and how the
# player removes it: "entry" (the silent command of "Installed apps") or
# "folder" (the uninstaller in the game's folder, started with /S alone, which
# has to find out by itself how the game was installed).
install_case() {
    local name=$1 options=$2 root=$3 dir=$4 menu=$5 desktop=$6 removal=$7
    local other_root=HKLM
    [ "$root" = HKCU ] || other_root=HKCU
    local windir f
    windir=$(win_path "$dir")
    echo "== installing $name ($options)"
    # shellcheck disable=SC2086
    check "$name: the installer reports success" wine_run "$setup" /S $options
    for f in $installed_files; do
        check "$name: $f in $dir" test -f "$dir/$f"
    done
    check "$name: the installed game is the built one" cmp -s "$game" "$dir/Corvanta.exe"
    check "$name: Start menu shortcut" test -f "$menu/Corvanta.lnk"
    check "$name: desktop shortcut" test -f "$desktop/Corvanta.lnk"

    local -A expected=(
        [DisplayName]=Corvanta
        [DisplayVersion]=$version
        [DisplayIcon]="$windir\\Corvanta.exe,0"
        [Publisher]="Gli autori di Corvanta"
        [InstallLocation]=$windir
        [NoModify]=0x1
        [NoRepair]=0x1
    )
    local v
    read_entry "$root"
    for v in "${!expected[@]}"; do
        [ "${entry[$v]-}" = "${expected[$v]}" ] ||
            fail "$name: $root $v is '${entry[$v]-}', not '${expected[$v]}'"
    done
    local size=${entry[EstimatedSize]-} uninstall=${entry[UninstallString]-}
    local quiet=${entry[QuietUninstallString]-}
    [[ $size =~ ^0x[0-9a-f]+$ ]] && [ $((size)) -ge $(($(stat -c %s "$game") / 1024)) ] ||
        fail "$name: EstimatedSize '$size' is not the game's size in KB"
    case $uninstall in
    "\"$windir\\Disinstalla.exe\""*) ;;
    *) fail "$name: UninstallString '$uninstall'" ;;
    esac
    [ "$quiet" = "$uninstall /S" ] || fail "$name: QuietUninstallString '$quiet'"
    has_key "$other_root" && fail "$name: an Installed apps entry in $other_root too"

    echo "== starting the installed game ($name)"
    check "$name: the installed game starts and closes" wine_run "$probe" "$windir\\Corvanta.exe"

    echo "== uninstalling $name (from the $removal)"
    # The uninstaller carries on from a copy in the temporary folder, so wait
    # for its last step: the registry entry going away.
    if [ "$removal" = entry ]; then
        eval "wine_run $(printf '%s' "$quiet" | sed 's/\\/\\\\/g')" ||
            fail "$name: the uninstaller reports failure"
    else
        wine_run "$windir\\Disinstalla.exe" /S || fail "$name: the uninstaller reports failure"
    fi
    local waited=0
    while has_key "$root" && [ $waited -lt 60 ]; do
        sleep 1
        waited=$((waited + 1))
    done
    has_key "$root" && fail "$name: the Installed apps entry is still there"
    sleep 1
    for f in $installed_files; do
        check "$name: $f removed" test ! -e "$dir/$f"
    done
    check "$name: Start menu shortcut removed" test ! -e "$menu/Corvanta.lnk"
    check "$name: desktop shortcut removed" test ! -e "$desktop/Corvanta.lnk"
    check "$name: the score table is untouched" cmp -s "$work/expected-Classifica.txt" "$score"
}

install_case "for this user" /CurrentUser HKCU \
    "$home/AppData/Local/Programs/Corvanta" \
    "$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs" "$home/Desktop" entry
check "for this user: the program folder is gone" test ! -e "$home/AppData/Local/Programs/Corvanta"

install_case "for all users" /AllUsers HKLM \
    "$prefix/drive_c/Program Files/Corvanta" \
    "$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs" \
    "$prefix/drive_c/users/Public/Desktop" folder
check "for all users: the program folder is gone" test ! -e "$prefix/drive_c/Program Files/Corvanta"

# Installed right into the folder of the score table: removing the program
# must still leave the table (and its folder) alone.
install_case "into the score table's folder" \
    "/CurrentUser /D=$(win_path "$home/AppData/Local/Corvanta")" HKCU \
    "$home/AppData/Local/Corvanta" \
    "$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs" "$home/Desktop" folder
check "into the score table's folder: only the score folder is left" \
    test "$(ls -A "$home/AppData/Local/Corvanta")" = Score

echo "== the zip"
mkdir "$work/unzipped"
python3 - "$zip" "$work/unzipped" "$game" <<'EOF' || fail "zip contents"
import sys, zipfile
path, out, game = sys.argv[1:]
with zipfile.ZipFile(path) as z:
    names = sorted(z.namelist())
    expected = ["Corvanta/Corvanta.exe", "Corvanta/LEGGIMI.txt", "Corvanta/LICENZA.txt"]
    if names != expected:
        sys.exit("the zip holds %s" % names)
    if z.testzip() is not None:
        sys.exit("a damaged member")
    z.extractall(out)
    with open(game, "rb") as f:
        if z.read("Corvanta/Corvanta.exe") != f.read():
            sys.exit("the zipped game is not the built one")
    for name in expected[1:]:
        data = z.read(name)
        # Windows text that Notepad reads right: UTF-8 with BOM, CR LF only.
        if not data.startswith(b"\xef\xbb\xbf") or b"\n" in data.replace(b"\r\n", b""):
            sys.exit("%s is not Windows text" % name)
        data.decode("utf-8")
EOF
unzipped="$work/unzipped/Corvanta/Corvanta.exe"
check "the unzipped game starts and closes" wine_run "$probe" "Z:${unzipped//\//\\}"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all download checks passed"
