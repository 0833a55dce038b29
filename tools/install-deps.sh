#!/bin/sh
# Installs, with apt-get, whatever of the build and test tools is missing on a
# Debian 12 machine. Quick and silent when everything is there already.
#
# Two steps. First the tools every path needs (compilers, both MinGW
# toolchains, 64-bit Wine, Xvfb, the Python packages, the fonts), in one
# apt-get install: if that fails, set-up fails and says which packages.
# Then, only where the host runs 32-bit code, 32-bit Wine (wine32:i386,
# which needs the i386 architecture): a bonus that lets the 32-bit program be
# run and tested too. If it cannot be had (a foreign architecture refused, an
# i386 index mid-sync, held packages), one line says why and set-up goes on:
# the x86-64 program is run and tested instead. That failure is remembered in
# build/ so that every make does not try again; `make deps` (which passes
# --retry) or removing build/ does.
#
# An index that apt-get update cannot fetch is a warning, not an error: the
# lists apt already has may serve, and the install decides.
set -u

REQUIRED="cmake make g++ googletest libgtest-dev
g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
wine wine64 xvfb xauth xdotool xclip ghostscript poppler-utils locales
python3 python3-pil python3-pefile python3-matplotlib fonts-nanum fonts-nanum-extra fonts-dejavu-core"
OPTIONAL=wine32:i386
MEMO=build/.wine32-unavailable

retry=no
[ "${1:-}" = --retry ] && retry=yes

installed() {
    case "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" in
        *"install ok installed"*) return 0 ;;
    esac
    return 1
}

# Runs a tiny i386 ELF program (exit(0) through int 0x80): it starts only
# where the kernel runs 32-bit user code.
host_runs_32bit() {
    probe=$(mktemp "${TMPDIR:-/tmp}/orvanta-ia32.XXXXXX") || return 1
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\061\333\315\200' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null
    status=$?
    rm -f "$probe"
    return $status
}

# apt-get update, once more if it fails; a failure left is only a warning.
update_lists() {
    $SUDO apt-get update -q && return 0
    echo "install-deps: apt-get update failed; trying once more" >&2
    sleep 5
    $SUDO apt-get update -q && return 0
    echo "install-deps: warning: some package lists could not be updated; going on with the lists apt has" >&2
    return 0
}

apt_install() {
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "$@"
}

missing=""
for p in $REQUIRED; do
    installed "$p" || missing="$missing $p"
done

want_optional=no
if ! installed "$OPTIONAL" && { [ "$retry" = yes ] || [ ! -f "$MEMO" ]; } && host_runs_32bit; then
    want_optional=yes
fi
[ -z "$missing" ] && [ "$want_optional" = no ] && exit 0

SUDO=""
if [ "$(id -u)" != 0 ]; then
    if command -v sudo >/dev/null 2>&1; then SUDO=sudo; else
        if [ -n "$missing" ]; then
            echo "install-deps: need root (or sudo) to install:$missing" >&2
            exit 1
        fi
        SUDO=none
    fi
fi

updated=no
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    update_lists
    updated=yes
    # shellcheck disable=SC2086
    if ! apt_install $missing; then
        echo "install-deps: could not install the packages every build needs:$missing" >&2
        exit 1
    fi
fi

[ "$want_optional" = yes ] || exit 0

# The optional step: any failure is told in one line and remembered.
give_up() {
    mkdir -p "$(dirname "$MEMO")"
    echo "$1" >"$MEMO"
    echo "install-deps: 32-bit Wine could not be installed ($1): the x86-64 program is run and tested instead" >&2
    exit 0
}
[ "$SUDO" = none ] && give_up "no root or sudo to install it"
added=no
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386 || give_up "the i386 architecture could not be added"
    added=yes
    updated=no
fi
echo "Installing: $OPTIONAL"
[ "$updated" = yes ] || update_lists
if ! apt_install "$OPTIONAL"; then
    # Leave the host as it was: an i386 architecture with nothing installed
    # from it would only make every later apt-get update fetch its lists.
    [ "$added" = yes ] && $SUDO dpkg --remove-architecture i386 2>/dev/null
    give_up "apt-get install $OPTIONAL failed"
fi
rm -f "$MEMO"
exit 0
