# Waiting, for every script of the project. Source it from bash.

# pressvale_wait SECONDS COMMAND...: runs COMMAND every tenth of a second until it succeeds;
# fails when it has not within SECONDS.
pressvale_wait() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# Succeeds once the process $1 has ended (a zombie not yet collected has ended too).
pressvale_ended() { [[ $(ps -o stat= -p "$1" || echo Z) == Z* ]]; }
