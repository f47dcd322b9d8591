#!/bin/bash
# zip_test.sh BUILD_DIR ASSETS_DIR RUN...: makes the Windows zip with CPack in a fresh folder,
# checks that it holds one folder with exactly pressvale.exe, pressvale-guard.exe and the files
# of ASSETS_DIR, unpacks
# it and starts the unpacked program with the window probe: RUN is the command that runs the
# probe under Wine, given the program and the screenshot as Windows paths.
set -euo pipefail
build=$1
assets=$2
shift 2

work=$(mktemp -d "$build/zip-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
zips=("$work"/pressvale-*-windows-x64.zip)
[[ ${#zips[@]} -eq 1 && -f ${zips[0]} ]] || { echo "zip_test: no zip made" >&2; exit 1; }
top=$(basename "${zips[0]}" .zip)

expected=$( (echo "$top/pressvale.exe"; echo "$top/pressvale-guard.exe"; cd "$assets" && find . -type f | sed "s|^\./|$top/|") | sort)
actual=$(unzip -Z1 "${zips[0]}" | grep -v '/$' | sort)
if [[ $expected != "$actual" ]]; then
    echo "zip_test: the zip holds other files than expected:" >&2
    diff <(echo "$expected") <(echo "$actual") >&2 || true
    exit 1
fi

unzip -q "${zips[0]}" -d "$work/unpacked"
windows() { echo "Z:$1" | tr / '\\'; }
"$@" "$(windows "$work/unpacked/$top/pressvale.exe")" "$(windows "$work/shot.bmp")"
echo "zip_test: $(basename "${zips[0]}") unpacks and runs"
