# Printer set-up for running Pressvale on this machine. Source it from bash:
#     source scripts/lib/cups.sh && pressvale_ensure_printer

source "$(dirname "${BASH_SOURCE[0]}")/wait.sh"

# Makes sure the CUPS scheduler answers and has at least one printer: starts the system's
# scheduler if it is down, and, when it has no destination at all, creates the virtual PDF
# printer "PDF" (printer-driver-cups-pdf; its output goes to ~/PDF of the job's user) and makes
# it the default if none is set. Returns non-zero, with a message, when that cannot be done.
pressvale_ensure_printer() {
    _pressvale_scheduler_answers || _pressvale_start_system_scheduler || return 1
    if [[ -n $(lpstat -e 2>/dev/null) ]]; then
        return 0
    fi
    _pressvale_add_pdf_printer
}

_pressvale_scheduler_answers() {
    # lpstat -r exits 0 whether or not the scheduler runs: read its text.
    [[ $(lpstat -r 2>/dev/null) == "scheduler is running" ]]
}

_pressvale_start_system_scheduler() {
    local i
    if [[ -n ${CUPS_SERVER:-} ]]; then
        echo "pressvale: no CUPS scheduler answers at CUPS_SERVER=$CUPS_SERVER" >&2
        return 1
    fi
    if (( EUID != 0 )); then
        echo "pressvale: the CUPS scheduler is not running; start it as root (cupsd)" >&2
        return 1
    fi
    # The machine's own service, in its normal daemon mode; it keeps running afterwards.
    cupsd || { echo "pressvale: cupsd failed to start" >&2; return 1; }
    if pressvale_wait 10 _pressvale_scheduler_answers; then
        echo "pressvale: started the system CUPS scheduler"
        return 0
    fi
    echo "pressvale: the CUPS scheduler did not answer within 10 s" >&2
    return 1
}

_pressvale_add_pdf_printer() {
    local ppd output
    # lpinfo -m only asks the scheduler's driver list; it probes no device.
    ppd=$(lpinfo -m 2>/dev/null | awk 'tolower($0) ~ /cups-pdf/ { print $1; exit }')
    if [[ -z $ppd ]]; then
        echo "pressvale: no printer is installed and the cups-pdf driver is missing" \
             "(install printer-driver-cups-pdf)" >&2
        return 1
    fi
    # lpadmin warns that drivers are deprecated; show what it says only when it fails.
    if ! output=$(lpadmin -p PDF -E -v cups-pdf:/ -m "$ppd" 2>&1); then
        echo "pressvale: could not create the PDF printer: $output" >&2
        return 1
    fi
    if [[ $(lpstat -d 2>/dev/null) == "no system default destination" ]]; then
        lpadmin -d PDF || return 1
        echo "pressvale: created the virtual printer \"PDF\" (output in ~/PDF), now the default"
    else
        echo "pressvale: created the virtual printer \"PDF\" (output in ~/PDF)"
    fi
}
