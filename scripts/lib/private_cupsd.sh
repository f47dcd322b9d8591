#!/bin/bash
# A private CUPS scheduler for tests: its own configuration, spool and logs in one folder,
# reachable only through a unix socket in that folder, with printers whose backend writes
# each job to a file. It never touches the machine's own scheduler or printers.
#
#   private_cupsd.sh start DIR             start it; prints the environment lines clients need
#   private_cupsd.sh add-printer DIR NAME  add a raw queue writing jobs to DIR/jobs/NAME/<id>.job
#   private_cupsd.sh set-default DIR NAME  make NAME the scheduler's default (lpadmin -d)
#   private_cupsd.sh stop DIR              stop the scheduler started in DIR, by its process id
#
# Clients reach it with the environment lines that `start` prints: the socket, a clean home
# (no stale ~/.cups/lpoptions) and the scheduler's own configuration folder in place of
# /etc/cups (no system-wide lpoptions or client.conf).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd -P)
source "$here/wait.sh"

die() {
    echo "private_cupsd: $*" >&2
    exit 1
}

# The folder as an absolute path; it must be usable inside a URI and a unix socket address.
resolve_dir() {
    [[ -n ${1:-} ]] || die "missing folder"
    dir=$(cd -- "$1" 2>/dev/null && pwd -P) || die "no such folder: $1"
    [[ $dir != / ]] || die "refusing to use / as the scheduler folder"
    [[ $dir =~ ^[A-Za-z0-9/._+-]+$ ]] || die "folder path must not need quoting: $dir"
    (( ${#dir} + 10 <= 100 )) || die "folder path too long for a unix socket: $dir"
}

client_env() {
    export CUPS_SERVER="$dir/cups.sock" HOME="$dir/home" CUPS_SERVERROOT="$dir/etc"
    unset LPDEST PRINTER XDG_CONFIG_HOME XDG_STATE_HOME
}

# Prints the pid of the scheduler recorded in the folder if that process still runs it.
running_pid() {
    local pid state
    [[ -f $dir/cupsd.pid ]] || return 1
    pid=$(<"$dir/cupsd.pid")
    [[ $pid =~ ^[0-9]+$ ]] || return 1
    # A recycled pid is not ours: the command line must name our configuration.
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qF -- "$dir/cupsd.conf" || return 1
    # A zombie has ended; its parent just has not reaped it.
    state=$(sed -n 's/^State:[[:space:]]*\([A-Z]\).*/\1/p' "/proc/$pid/status" 2>/dev/null)
    [[ -n $state && $state != Z ]] || return 1
    echo "$pid"
}

scheduler_ended() { ! running_pid >/dev/null; }

stop_scheduler() {
    local pid
    pid=$(running_pid) || { rm -f -- "$dir/cupsd.pid"; return 0; }
    kill -TERM "$pid" 2>/dev/null || true
    if ! pressvale_wait 10 scheduler_ended; then
        echo "private_cupsd: scheduler $pid did not stop within 10 s; killing it" >&2
        kill -KILL "$pid" 2>/dev/null || true
        pressvale_wait 5 scheduler_ended || true
    fi
    rm -f -- "$dir/cupsd.pid"
}

write_config() {
    cat >"$dir/cupsd.conf" <<CONF
# Private test scheduler: a unix socket only, no browsing, every operation without login.
Listen $dir/cups.sock
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
LogLevel info
MaxLogSize 0
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir/etc
StateDir $dir/state
CacheDir $dir/cache
RequestRoot $dir/spool
TempDir $dir/tmp
ServerBin $dir/bin
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/printcap
FileDevice No
CONF
}

# The system's filters and helpers, and a backend folder that holds only the capture backend
# (so nothing reachable through this scheduler can probe the network).
write_server_bin() {
    local entry
    mkdir -p "$dir/bin/backend"
    for entry in /usr/lib/cups/*; do
        [[ $(basename "$entry") == backend ]] || ln -s "$entry" "$dir/bin/"
    done
    cp "$here/capture-backend" "$dir/bin/backend/capture"
    # Mode 0700 makes the scheduler run it as its own user (root included) rather than as lp,
    # so it can write wherever the test can.
    chmod 0700 "$dir/bin/backend/capture"
}

cmd_start() {
    local pid i
    stop_scheduler
    rm -rf -- "$dir/etc" "$dir/state" "$dir/cache" "$dir/spool" "$dir/tmp" "$dir/bin" \
              "$dir/log" "$dir/home" "$dir/jobs" "$dir/printcap" "$dir/cups.sock"
    mkdir -p "$dir/etc" "$dir/state" "$dir/cache" "$dir/spool" "$dir/tmp" "$dir/log" \
             "$dir/home" "$dir/jobs"
    write_config
    write_server_bin

    cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" \
        </dev/null >"$dir/log/cupsd.out" 2>&1 &
    pid=$!
    echo "$pid" >"$dir/cupsd.pid"

    client_env
    for ((i = 0; i < 100; i++)); do
        if [[ $(lpstat -r 2>/dev/null) == "scheduler is running" ]]; then
            echo "CUPS_SERVER=$CUPS_SERVER"
            echo "HOME=$HOME"
            echo "CUPS_SERVERROOT=$CUPS_SERVERROOT"
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "private_cupsd: the scheduler did not start; its output and log:" >&2
    cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
    stop_scheduler
    exit 1
}

cmd_add_printer() {
    local name=${1:-}
    [[ $name =~ ^[A-Za-z0-9_.+-]{1,100}$ ]] || die "unusable printer name: '$name'"
    running_pid >/dev/null || die "no scheduler runs in $dir"
    mkdir -p "$dir/jobs/$name"
    client_env
    # No driver: a raw queue that hands every job to the backend unchanged.
    lpadmin -p "$name" -E -v "capture://$dir/jobs/$name"
}

cmd_set_default() {
    running_pid >/dev/null || die "no scheduler runs in $dir"
    client_env
    lpadmin -d "${1:-}"
}

case ${1:-} in
    start)       mkdir -p -- "${2:?missing folder}"; resolve_dir "$2"; cmd_start ;;
    add-printer) resolve_dir "${2:-}"; cmd_add_printer "${3:-}" ;;
    set-default) resolve_dir "${2:-}"; cmd_set_default "${3:-}" ;;
    stop)        [[ -d ${2:?missing folder} ]] || exit 0; resolve_dir "$2"; stop_scheduler ;;
    *)           die "usage: $0 start|add-printer|set-default|stop DIR [NAME]" ;;
esac
