# Used by scripts/test.sh: runs a command in a fresh, minimal Debian root of another release
# (or of this one), to prove the project where nothing of this machine helps. Source it from the
# repository's top folder.
#
# mmdebstrap makes the root, mounts what it needs, runs the command in it through its own hooks
# and throws the root away itself: no folder with /dev bound into it is ever left for a script
# to remove. The command's exit status comes out through a file, so that every hook succeeds
# and each process that the command left running is ended, by its id, before mmdebstrap
# unmounts.

# pressvale_in_clean_root RELEASE APT_CACHE COMMAND...: copies this source tree into /pressvale
# of a new root of Debian RELEASE (bookworm, trixie) and runs COMMAND there as root, from that
# folder. Files of the tree's build folders can be named as build*/...: those named in
# PRESSVALE_ROOT_FILES (paths relative to the tree) go in too. The root's downloaded packages
# are kept in the folder APT_CACHE, and taken from it the next time. Returns COMMAND's status.
pressvale_in_clean_root() {
    local release=$1 cache=$2 work status
    shift 2
    pressvale_install_packages "${PRESSVALE_ROOT_PACKAGES[@]}"
    mkdir -p "$cache"
    cache=$(cd "$cache" && pwd -P)
    work=$(mktemp -d)
    tar -cf "$work/tree.tar" --exclude=./.git --exclude='./build*' .
    [ ${#PRESSVALE_ROOT_FILES[@]} -eq 0 ] || tar -rf "$work/tree.tar" "${PRESSVALE_ROOT_FILES[@]}"
    { printf 'cd /pressvale && '; printf '%q ' "$@"; printf '\necho $? >/pressvale.status\n'; } >"$work/run.sh"
    # The root's own apt keeps what it downloads (mmdebstrap's would drop it).
    printf 'APT::Keep-Downloaded-Packages "true";\nBinary::apt::APT::Keep-Downloaded-Packages "true";\n' \
        >"$work/keep-packages.conf"
    mmdebstrap --quiet --variant=apt --mode=root --skip=essential/unlink \
        --setup-hook='mkdir -p "$1/var/cache/apt/archives"' \
        --setup-hook="sync-in $cache /var/cache/apt/archives" \
        --customize-hook="copy-in $work/keep-packages.conf /etc/apt/apt.conf.d" \
        --customize-hook='mkdir "$1/pressvale"' \
        --customize-hook="tar-in $work/tree.tar /pressvale" \
        --customize-hook="copy-in $work/run.sh /" \
        --customize-hook='chroot "$1" env -i HOME=/root LANG=C.UTF-8 PATH=/usr/sbin:/usr/bin:/sbin:/bin bash /run.sh </dev/null || true' \
        --customize-hook='for p in /proc/[0-9]*; do [ "$(readlink "$p/root")" = "$1" ] && kill -9 "${p#/proc/}"; done; true' \
        --customize-hook="sync-out /var/cache/apt/archives $cache" \
        --customize-hook="copy-out /pressvale.status $work" \
        "$release" /dev/null || { rm -rf "$work"; return 1; }
    status=$(cat "$work/pressvale.status" 2>/dev/null || echo 1)
    rm -rf "$work"
    return "$status"
}
