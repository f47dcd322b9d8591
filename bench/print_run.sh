#!/usr/bin/env bash
# The cost of a print run beyond the reader and its fixed pause: ten files printed through a
# private CUPS scheduler, the reader found in a tree of 3,000 files below "Adobe", the printer
# guard started and released, and the program's CPU time during the run. Prints figures only.
#
#   bench/print_run.sh [BUILD_DIR] [FILES]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
count=${2:-10}
cmake --build "$build" --target pressvale_reader pressvale_guard bench_print_run >/dev/null

work=$(mktemp -d /tmp/pressvale-bench.XXXXXX)
cleanup() {
    scripts/lib/private_cupsd.sh stop "$work/cupsd" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/cupsd"
scripts/lib/private_cupsd.sh start "$work/cupsd" >/dev/null
scripts/lib/private_cupsd.sh add-printer "$work/cupsd" office
scripts/lib/private_cupsd.sh add-printer "$work/cupsd" label
scripts/lib/private_cupsd.sh set-default "$work/cupsd" office
export CUPS_SERVER=$work/cupsd/cups.sock CUPS_SERVERROOT=$work/cupsd/etc HOME=$work/cupsd/home
export XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state
unset LPDEST PRINTER

# <prefix>/libexec/Adobe: 3,000 files in 60 folders two levels deep (half of them .exe, so
# that the search's pattern takes them in), and the reader where an install puts it.
adobe=$work/prefix/libexec/Adobe
mkdir -p "$work/prefix/bin" "$adobe/Reader"
for group in $(seq 1 6); do
    for folder in $(seq 1 10); do
        dir=$adobe/Group$group/Folder$folder
        mkdir -p "$dir"
        for file in $(seq 1 50); do
            (( file % 2 )) && ext=exe || ext=dll
            : >"$dir/part$file.$ext"
        done
    done
done
cp "$build/libexec/Adobe/Reader/AcroRd32.exe" "$adobe/Reader/"
cp "$build/bin/pressvale-guard" "$work/prefix/bin/"
echo "files below Adobe: $(find "$adobe" -type f | wc -l)"

files=()
for i in $(seq 1 "$count"); do
    printf '%%PDF-1.4\n%% bench document %d\n%%%%EOF\n' "$i" >"$work/document$i.pdf"
    files+=("$work/document$i.pdf")
done

"$build/bench/bench_print_run" "$work/prefix/bin" label "${files[@]}"
echo "jobs received by label: $(ls "$work/cupsd/jobs/label" | grep -c '\.job$')"
echo "jobs received by office (the reader timed on its own prints there): $(ls "$work/cupsd/jobs/office" | grep -c '\.job$')"
