#!/bin/bash
# msi_test.sh BUILD_DIR VERSION SUPPORT_ADDRESS PROBE ENV...: in a private Wine prefix with a
# wineserver of its own, the installer of BUILD_DIR installs silently, its program shows its
# window (the window probe PROBE, run through ENV..., which gives it the printers), installing
# it again changes nothing, the next patch version replaces it, and silent removal leaves the
# machine as it was.
set -euo pipefail
build=$1 version=$2 support=$3 probe=$4
shift 4
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "$build/msi-test.XXXXXX")
export WINEPREFIX=$work/prefix WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "msi_test: $*" >&2; exit 1; }
windows() { echo "Z:$1" | tr / '\\'; }
wine() { /usr/lib/wine/wine64 "$@" | tr -d '\r'; }
msiexec() { wine msiexec "$1" "$(windows "$work/$2.msi")" /qn || fail "msiexec $1 of $2 ended with $?"; }
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

newer=$(awk -F. -v OFS=. '{ $3 += 1; print }' <<<"$version")
for v in "$version" "$newer"; do
    cmake -DBUILD_DIR="$build" -DVERSION="$v" -DSUPPORT_ADDRESS="$support" -DOUTPUT="$work/$v.msi" \
        -P "$here/../../../packaging/windows/msi.cmake"
done
cmake --install "$build" --prefix "$work/program" >/dev/null
# Started here, Wine's background services hold no pipe of a later call open.
mkdir -p "$WINEPREFIX" && wineserver -p
"$here/../../../scripts/lib/run_in_wine.sh" "$WINEPREFIX" wineboot >/dev/null 2>&1
drive=$WINEPREFIX/drive_c

# Drive C: but Windows' folder (folders, and files by checksum; shortcuts by name, as Wine
# writes a shortcut again on a repeat install, with its target's file times), Windows
# Installer's copies of the installed packages and the list of installed programs.
state() {
    (cd "$drive" && { find . -path ./windows -prune -o -type d -print -o -name '*.lnk' -print \
                          -o -type f -exec md5sum {} +
                      find ./windows/Installer -mindepth 1 2>/dev/null || true; } | sort)
    wine reg query "$uninstall" /s
}
unchanged() { local now; now=$(state); [[ $now == "$1" ]] || { diff <(echo "$1") <(echo "$now"); fail "$2"; }; }
# VERSION is installed: the build's files, one shortcut on the program, one entry of VERSION
# with the program's icon.
installed() {
    diff -r "$work/program" "$drive/Program Files/Pressvale" || fail "the installed files are not the build's"
    local link entries icon
    link=$(cd "$drive" && find . -name Pressvale.lnk)
    [[ $link != *$'\n'* ]] && grep -aqF 'C:\Program Files\Pressvale\pressvale.exe' "$drive/$link" ||
        fail "not one shortcut on the installed program: $link"
    entries=$(wine reg query "$uninstall" /s)
    [[ $(grep -c 'DisplayName *REG_SZ *Pressvale$' <<<"$entries") == 1 ]] || fail "not one entry: $entries"
    for value in "DisplayVersion $1" "Publisher Quillmark" "Contact $support"; do
        grep -q "^ *${value%% *} *REG_SZ *${value#* }\$" <<<"$entries" || fail "the entry lacks $value"
    done
    icon=$(wine reg query 'HKLM\Software\Classes\Installer\Products' /s | sed -n 's/^ *ProductIcon *REG_SZ *//p')
    cmp -s "$here/../../../assets/icons/pressvale.ico" "$(wine winepath -u "$icon")" || fail "the entry's icon is $icon"
}

before=$(state)
msiexec /i "$version"
installed "$version"
"$@" /usr/lib/wine/wine64 "$probe" 'C:\Program Files\Pressvale\pressvale.exe' "$(windows "$work/shot.bmp")"
once=$(state)
msiexec /i "$version"
unchanged "$once" "installing again changed the machine"
msiexec /i "$newer"
installed "$newer"
msiexec /x "$newer"
unchanged "$before" "the removal left something behind"
echo "msi_test: $version installs, runs, installs again unchanged, $newer replaces it, and is removed cleanly"
