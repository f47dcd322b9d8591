#!/usr/bin/env bash
# Sets up this machine (packages, build) and runs the tests.
#
#   scripts/test.sh           every test (what CI runs): the suite, the Debian package, the
#                             same suite in a build checked by AddressSanitizer and
#                             UndefinedBehaviorSanitizer, a bounded fuzzing run, the Windows
#                             build's tests under Wine; then, in clean roots that mmdebstrap
#                             makes, the suite and the Windows build's tests on Debian 13, and
#                             the Debian package on clean Debian 12 and 13 systems
#   scripts/test.sh --quick   the suite alone, in build/
#   scripts/test.sh --suites  the suite and the Windows build's tests (what runs on Debian 13)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh

case ${1:-} in
    "") mode=all ;;
    --quick) mode=quick ;;
    --suites) mode=suites ;;
    *) echo "usage: scripts/test.sh [--quick | --suites]" >&2; exit 2 ;;
esac

if [[ $mode != all ]]; then
    pressvale_install_packages "${PRESSVALE_PACKAGES[@]}" "${PRESSVALE_TEST_PACKAGES[@]}"
else
    pressvale_install_packages "${PRESSVALE_PACKAGES[@]}" "${PRESSVALE_TEST_PACKAGES[@]}" \
        "${PRESSVALE_FUZZ_PACKAGES[@]}" "${PRESSVALE_PACKAGE_CHECKERS[@]}"
fi
# The sources' format, as .clang-format sets it, checked with the one clang-format that the tree
# is formatted with, Debian 12's version 14: other versions format the same file differently.
if grep -qx 'VERSION_ID="12"' /etc/os-release && git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    pressvale_install_packages "${PRESSVALE_FORMAT_PACKAGES[@]}"
    unformatted=$(git ls-files '*.cpp' '*.h' | { xargs clang-format-14 --dry-run --Werror 2>&1 || true; } |
        sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: .*/\1/p' | sort -u)
    if [[ -n $unformatted ]]; then
        printf 'Not formatted as .clang-format says (clang-format-14 -i FILE...):\n%s\n' "$unformatted" >&2
        exit 1
    fi
fi

# run_suite BUILD_DIR [CTEST_OPTION...]: every ctest test of that build; adds their number to
# `passed`.
passed=0
run_suite() {
    local dir=$1
    shift
    ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" --timeout 600 "$@" | tee "$dir/ctest.log"
    passed=$((passed + $(sed -n 's/^100% tests passed, 0 tests failed out of \([0-9]*\)$/\1/p' "$dir/ctest.log")))
}

pressvale_build build
run_suite build
if [[ $mode == quick ]]; then
    echo "Summary: ${passed} passed, 0 failed (the suite alone: scripts/test.sh without --quick runs every test)"
    exit 0
fi

if [[ $mode == all ]]; then
    # The Debian package as scripts/package.sh makes it: installed on this machine, started, printed
    # through and removed again.
    started=$SECONDS
    scripts/package.sh build-package
    tests/package/package_test.sh build-package/pressvale_*.deb build/tests/e2e/x11_window
    passed=$((passed + 1))
    echo "Package build and test: $((SECONDS - started)) s"

    # The checked build stops at the first memory error, undefined behaviour or leak. Its programs
    # carry their options and the few leak suppressions for outside libraries themselves
    # (tests/sanitizers/sanitizer_defaults.cpp says which and why).
    started=$SECONDS
    pressvale_build build-asan -DPRESSVALE_SANITIZE=ON
    run_suite build-asan
    echo "Sanitizer build and suite: $((SECONDS - started)) s"

    # Each fuzz target under libFuzzer for ten seconds. Where clang's libFuzzer is missing, the
    # suites above have already run the same targets on generated inputs.
    started=$SECONDS
    libfuzzer_probe=$(mktemp -d)
    printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
        >"$libfuzzer_probe/probe.cpp"
    if clang++ -fsanitize=fuzzer "$libfuzzer_probe/probe.cpp" -o "$libfuzzer_probe/probe" 2>/dev/null; then
        rm -rf "$libfuzzer_probe"
        fuzz/run.sh build-fuzz 10
        echo "Fuzzing: $((SECONDS - started)) s"
    else
        rm -rf "$libfuzzer_probe"
        echo "clang with libFuzzer is not installed: the fuzz targets ran on generated inputs only."
    fi
fi

# The Windows build (scripts/build-windows.sh) and its tests under Wine: the core's unit tests
# and the Win32 services, in the build's own Wine prefix, wineserver and virtual X server.
started=$SECONDS
scripts/build-windows.sh
echo "Windows build: $((SECONDS - started)) s"
started=$SECONDS
source scripts/lib/wine.sh
pressvale_wine_start build-windows
# Each start of a Windows program, with its time and exit status: build-windows/wine-starts.log.
export PRESSVALE_WINE_START_LOG=$PWD/build-windows/wine-starts.log
rm -f "$PRESSVALE_WINE_START_LOG"
run_suite build-windows
pressvale_wine_stop
echo "Windows suite under Wine: $((SECONDS - started)) s"

if [[ $mode == all ]]; then
    # Debian 13 in a clean root: the suite, and the Windows build that its toolchain makes with
    # the tests under its Wine. Each root keeps the packages it downloaded for the next one.
    source scripts/lib/clean_root.sh
    started=$SECONDS
    PRESSVALE_ROOT_FILES=()
    # (mmdebstrap gives its hooks' output on its standard error.)
    pressvale_in_clean_root trixie build/clean-roots/trixie scripts/test.sh --suites 2>&1 | tee build/debian13.log
    debian13_passed=$(sed -n 's/^Summary: \([0-9]*\) passed, 0 failed$/\1/p' build/debian13.log)
    [[ -n $debian13_passed ]] || { echo "The Debian 13 suites ended without their summary." >&2; exit 1; }
    passed=$((passed + debian13_passed))
    echo "Debian 13 suites in a clean root: $((SECONDS - started)) s"

    # The package built here on clean Debian 12 and 13 systems, with only what it brings.
    started=$SECONDS
    PRESSVALE_ROOT_FILES=(build-package/pressvale_*.deb build/tests/e2e/x11_window)
    for release in bookworm trixie; do
        pressvale_in_clean_root "$release" "build/clean-roots/$release" \
            tests/package/package_test.sh --clean-system "${PRESSVALE_ROOT_FILES[@]}"
        passed=$((passed + 1))
    done
    echo "Package on clean Debian 12 and 13 systems: $((SECONDS - started)) s"
fi

# Every suite passed in full (a failure stops this script before here).
echo "Summary: ${passed} passed, 0 failed"
