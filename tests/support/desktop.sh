# Shared by the scripts that run the real program as a person would. Source it from bash
# after setting `work` to a temporary folder the caller removes; the caller stops $xvfb_pid.

# Starts a private virtual X server and points DISPLAY at it; sets xvfb_pid.
pressvale_start_display() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
    [[ -s $work/display ]] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; return 1; }
    export DISPLAY=:$(head -n1 "$work/display")
}

# Gives the program a clean home and settings folder, the private CUPS scheduler in the
# folder $1, and a stand-in opener: about one start in a hundred opens the home page, which
# the stand-in records in $work/opened.
pressvale_private_session() {
    mkdir -p "$work/home" "$work/config" "$work/opener"
    printf '#!/bin/sh\necho "$@" >>"%s/opened"\n' "$work" >"$work/opener/xdg-open"
    chmod +x "$work/opener/xdg-open"
    export PATH=$work/opener:$PATH
    export HOME=$work/home XDG_CONFIG_HOME=$work/config
    export CUPS_SERVER=$1/cups.sock CUPS_SERVERROOT=$1/etc
    unset LPDEST PRINTER
}
