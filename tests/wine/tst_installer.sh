#!/usr/bin/env bash
# The installer and the zip of a Windows build, under Wine: a silent install
# for the current user puts the program folder, the Start-menu shortcut, the
# .cmdat association and the uninstall entry in place, the installed player
# runs, and the uninstaller takes all of it away again but the user's
# settings. The zip holds the same folder.
# Usage: tst_installer.sh SESSION_FOLDER BUILD_FOLDER VERSION
set -uo pipefail
session=$1
build=$2
version=$3
here=$(cd "$(dirname "$0")" && pwd)
setup=$build/Kestrun-$version-setup.exe
zip=$build/Kestrun-$version-win64.zip
deploy=$build/deploy/Kestrun-$version-win64

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
wine() { "$here/wine-run.sh" "$session" "$@"; }
registry() { wine reg query "$@" 2>/dev/null | tr -d '\r'; }

[ -f "$setup" ] && [ -f "$zip" ] || fail "no installer or zip in $build (build the windows_packages target)"

# The zip holds the program folder, file for file.
listed=$(cmake -E tar tf "$zip" | grep -v '/$' | sort)
expected=$(cd "$build/deploy" && find "Kestrun-$version-win64" -type f | sort)
[ "$listed" = "$expected" ] || fail "the zip and the program folder differ"

user=$(wine cmd /c 'echo %USERNAME%' | tr -d '\r')
profile=$session/prefix/drive_c/users/$user
installed=$profile/AppData/Local/Programs/Kestrun
shortcut="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Kestrun.lnk"

wine "$setup" /S /CurrentUser || fail "the installer failed"
for file in $(cd "$deploy" && find . -type f); do
    cmp -s "$deploy/$file" "$installed/$file" || fail "$file was not installed"
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
command=$(registry 'HKCU\Software\Classes\Kestrun.Project\shell\open\command' /ve)
echo "$command" | grep -qF '\Programs\Kestrun\kestrun.exe" "%1"' || fail "no open command: $command"
registry 'HKCU\Software\Classes\.cmdat' /ve | grep -q 'Kestrun.Project' || fail ".cmdat is not associated"
registry 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrun' /v DisplayVersion \
    | grep -q "$version" || fail "no uninstall entry"
# The size Apps & features shows, in KiB, within 10 % of the folder's.
size=$(registry 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrun' /v EstimatedSize \
    | awk '/EstimatedSize/ { print $3 }')
folder_size=$(du -sk "$installed" | cut -f1)
[ -n "$size" ] && [ $((size * 10)) -gt $((folder_size * 9)) ] && [ $((size * 10)) -lt $((folder_size * 11)) ] \
    || fail "estimated size ${size:-missing}, folder $folder_size KiB"
strings -el "$installed/kestrun.exe" | grep -q LegalCopyright || fail "no LegalCopyright"
# Qt's Japanese texts, for its dialogs' buttons.
[ -f "$installed/translations/qtbase_ja.qm" ] || fail "no translations\\qtbase_ja.qm"
# The console holds the player's own lines only.
played=$(wine "$installed/kestrun-play.exe" --version 2>&1 | tr -d '\r')
[ "$played" = "kestrun-play $version" ] || fail "the installed player said: $played"
recorder=$(wine "$installed/kestrun-record.exe" --version 2>&1 | tr -d '\r')
[ "$recorder" = "kestrun-record $version" ] || fail "the installed recorder said: $recorder"

# The user's settings outlive the program.
settings=$profile/AppData/Local/kestrun/kestrun_free.json
[ -f "$settings" ] || { mkdir -p "$(dirname "$settings")" && echo '{}' >"$settings"; }

# _?= keeps the uninstaller in place, so it is waited for.
wine "$installed/uninstall.exe" /S /CurrentUser "_?=Z:${installed//\//\\}" || fail "the uninstaller failed"
remaining=$(find "$installed" -type f ! -name uninstall.exe 2>/dev/null)
[ -z "$remaining" ] || fail "left behind: $remaining"
[ ! -e "$shortcut" ] || fail "the shortcut stayed"
registry 'HKCU\Software\Classes\Kestrun.Project' >/dev/null && fail "the association stayed"
registry 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrun' >/dev/null \
    && fail "the uninstall entry stayed"
[ -f "$settings" ] || fail "the uninstaller removed the settings"
echo "installer and zip: PASS"
