#!/usr/bin/env bash
# The Debian package as a user gets it: checks the package (lintian, the menu entry, the
# AppStream data), installs it on this machine with apt-get, starts the `pressvale` command
# under a private virtual X server, prints one sample file through the installed stand-in
# reader on a capture printer of a private CUPS scheduler, removes the package and expects
# none of its files left behind. It installs and removes the package as root (or through
# sudo), and refuses to run where the package is installed already.
#
#   package_test.sh [--clean-system] PACKAGE.deb X11_WINDOW
#
# --clean-system: for a bare root (scripts/lib/clean_root.sh): the package's own checks are
# left to the machine that built it; the test's tools are installed after the package.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd -P)
source "$here/../../scripts/lib/desktop.sh"
clean_system=
[[ ${1:-} == --clean-system ]] && { clean_system=yes; shift; }
deb=$(realpath "$1") probe=$(realpath "$2")
window_icons=$here/../../assets/icons/hicolor
private_cupsd=$here/../../scripts/lib/private_cupsd.sh
apt=(env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 -y -qq)
[[ $(id -u) -eq 0 ]] || apt=(sudo "${apt[@]}")

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if dpkg-query -W -f='${Status}' pressvale 2>/dev/null | grep -q "ok installed"; then
    fail "pressvale is already installed on this machine; this test installs and removes it, so remove it first"
fi

installed_by_us=
pressvale_make_work_folder
cupsd_dir=$work/cupsd
package_test_clean_up() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null
    "$private_cupsd" stop "$cupsd_dir" 2>/dev/null || true
    if [[ -n $installed_by_us ]]; then
        "${apt[@]}" purge pressvale >/dev/null 2>&1 || true
    fi
    pressvale_clean_up
}
trap package_test_clean_up EXIT

# --- The package file itself -----------------------------------------------------------
[[ $(basename "$deb") =~ ^pressvale_[0-9][0-9.]*-[0-9]+_amd64\.deb$ ]] || fail "unexpected package name: $(basename "$deb")"
depends=$(dpkg-deb -f "$deb" Depends)
# Debian 13 names some libraries with a "t64" suffix (libqt6core6t64, libcups2t64).
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libcups2 qt6-qpa-plugins; do
    pattern=", $needed(t64)?[ ,]"
    [[ ", $depends," =~ $pattern ]] || fail "the package does not depend on $needed: $depends"
done
if [[ -n $clean_system ]]; then
    "${apt[@]}" update >/dev/null
else
    lintian --no-tag-display-limit "$deb" >"$work/lintian.txt" 2>&1 || true
    if grep -q '^E:' "$work/lintian.txt"; then
        cat "$work/lintian.txt"
        fail "lintian reports errors"
    fi
    mkdir "$work/unpacked"
    dpkg-deb -x "$deb" "$work/unpacked"
    desktop_files=("$work"/unpacked/usr/share/applications/*.desktop)
    [[ ${#desktop_files[@]} -eq 1 && -f ${desktop_files[0]} ]] || fail "expected one menu entry"
    desktop-file-validate "${desktop_files[0]}" || fail "the menu entry is not valid"
    appstreamcli validate --no-net "$work"/unpacked/usr/share/metainfo/*.metainfo.xml >"$work/appstream.txt" 2>&1 ||
        { cat "$work/appstream.txt"; fail "appstreamcli rejects the AppStream data"; }
    echo "package checks passed (lintian: $(grep -c '^[EW]:' "$work/lintian.txt" || true) warnings, no errors)"
fi

# --- Installed ---------------------------------------------------------------------------
installed_by_us=yes
"${apt[@]}" install --no-install-recommends "$deb" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get could not install the package"; }
dpkg -L pressvale >"$work/package-files"
if [[ -n $clean_system ]]; then
    # Only the package and what it declares are installed yet: every library that its programs
    # and Qt's X11 plugin load must be there.
    missing=$(grep -e '^/usr/lib/pressvale/' -e '^/usr/bin/' "$work/package-files" |
        { ls /usr/lib/*/qt6/plugins/platforms/libqxcb.so; cat; } | xargs -d '\n' ldd 2>/dev/null | grep 'not found' | sort -u || true)
    [[ -z $missing ]] || fail "libraries the package does not bring: $missing"
    "${apt[@]}" install --no-install-recommends xvfb cups cups-client dbus procps x11-utils imagemagick \
        >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get could not install the test's tools"; }
fi

# The command in PATH starts the program in its folder (checked as it runs, below), and the
# reader sits below the Program Files folder that the program derives from it (the program
# folder's parent + /libexec).
command=$(command -v pressvale) || fail "no pressvale command in PATH"
program=/usr/lib/pressvale/bin/pressvale
program_folder=$(dirname "$program")
reader=$(dirname "$program_folder")/libexec/Adobe/Reader/AcroRd32.exe
[[ $command == /usr/bin/pressvale && -x $program ]] || fail "pressvale is $command, and no program $program"
[[ -x $reader ]] || fail "no reader at $reader"
for file in HAND-M.CUR drag.ico x/o.cjs "Samples/Sample Letter.pdf"; do
    cmp -s "$program_folder/$file" "$here/../../assets/program/$file" || fail "$program_folder/$file is missing or differs"
done

# The menu entry starts the command and shows the window's own picture at every usual size.
entry=$(grep -m1 '^/usr/share/applications/.*\.desktop$' "$work/package-files") || fail "the package has no menu entry"
entry_value() { sed -n "s/^$1=//p" "$entry"; }
[[ $(command -v "$(entry_value Exec)") == "$command" ]] || fail "the menu entry runs '$(entry_value Exec)'"
icon=$(entry_value Icon)
for size in 16 24 32 48 64 128 256; do
    file=/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
    [[ $(identify -format '%wx%h' "$file" 2>/dev/null) == "${size}x${size}" ]] || fail "no ${size}-pixel menu icon $file"
done
# The window carries the same pictures from 16 to 64 pixels.
for size in 16 24 32 48 64; do
    cmp -s /usr/share/icons/hicolor/${size}x${size}/apps/"$icon".png "$window_icons/${size}x${size}/apps/pressvale.png" ||
        fail "the ${size}-pixel menu icon is not the window's icon"
done
echo "installed: $command -> $program, reader $reader"

# --- The window -------------------------------------------------------------------------
"$private_cupsd" start "$cupsd_dir" >/dev/null
"$private_cupsd" add-printer "$cupsd_dir" office
"$private_cupsd" set-default "$cupsd_dir" office
pressvale_start_desktop x11
pressvale_private_session "$cupsd_dir"
unset QT_QPA_PLATFORM

(cd "$work" && exec pressvale) >"$work/program.log" 2>&1 &
program_pid=$!
shown_ms=$(pressvale_wait_window Pressvale 30) || { cat "$work/program.log"; fail "the window \"Pressvale\" was not shown"; }
[[ $(readlink "/proc/$program_pid/exe") == "$program" ]] || fail "the running program is $(readlink "/proc/$program_pid/exe")"
# The desktop matches the window to the menu entry by its class.
xprop -name Pressvale WM_CLASS | grep -q "\"$(entry_value StartupWMClass)\"\$" ||
    fail "the window's class is not the entry's StartupWMClass: $(xprop -name Pressvale WM_CLASS)"
# The skin in the program folder colours the window: proof that the program found its folder
# through the link.
pressvale_wait_for_window_colour Pressvale EEF1F5 "$work/window.png" || fail "the window lacks the skin's background"
pressvale_close_and_expect_clean_end
echo "window shown after ${shown_ms} ms with the skin of its program folder; closed cleanly"

# --- Printing through the installed reader ------------------------------------------------
sample="$program_folder/Samples/Sample Letter.pdf"
"$reader" /p /h "$sample" || fail "the installed reader failed"
job=
job_arrived() { job=$(find "$cupsd_dir/jobs/office" -name '*.job' | head -n1) && [[ -n $job ]]; }
pressvale_wait 10 job_arrived || fail "no job reached the printer"
cmp -s "$job" "$sample" || fail "the printed job differs from $sample"
echo "printed $(basename "$sample") through $reader"

# --- Removed -----------------------------------------------------------------------------
"${apt[@]}" purge pressvale >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get could not remove the package"; }
installed_by_us=
! dpkg-query -W -f='${Status}' pressvale 2>/dev/null | grep -q "ok installed" || fail "still installed"
left=()
while IFS= read -r path; do
    [[ -e $path || -L $path ]] || continue
    # Folders that other packages own (/usr/share/applications, the icon theme's) stay.
    if [[ -d $path && ! -L $path ]] && dpkg -S "$path" >/dev/null 2>&1; then
        continue
    fi
    left+=("$path")
done <"$work/package-files"
[[ ${#left[@]} -eq 0 ]] || fail "left behind after removal: ${left[*]}"
echo "removed; nothing left behind"
echo "PASS"
