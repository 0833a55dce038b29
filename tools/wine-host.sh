# Sourced by the scripts that run Windows programs (tools/headless-wine.sh,
# tools/run.sh, bench/run.sh): decides which Wine this host can run.
#
# Debian's wine wrapper takes the 32-bit loader whenever wine32 is installed,
# even on a kernel that runs 64-bit user code only (no IA-32 emulation),
# where it fails with "Exec format error". So the choice is made by trying
# to start the 32-bit loader, not from uname: where it starts, 32-bit Wine
# runs the 32-bit program; where it does not, 64-bit Wine, through its own
# loader and server, runs the x86-64 one. ORVANTA_WINE=64 (or 32) forces
# the choice, so that either path can be tried on any host.
#
# Sets and exports: ORVANTA_WINE (32 or 64), WINELOADER and WINESERVER (the
# loader and server to run), WINEARCH (win32 or win64); sets ORVANTA_WINE_WHY
# (why, in a few words) and ORVANTA_EXE (the program that Wine runs).

WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64

case "${ORVANTA_WINE:-}" in
    32) ORVANTA_WINE_WHY="ORVANTA_WINE=32 asks for it" ;;
    64) ORVANTA_WINE_WHY="ORVANTA_WINE=64 asks for it" ;;
    "")
        if [ ! -x "$WINE32_LOADER" ]; then
            ORVANTA_WINE=64
            ORVANTA_WINE_WHY="32-bit Wine ($WINE32_LOADER) is not installed"
            # tools/install-deps.sh remembers why it could not install it.
            if [ -f build/.wine32-unavailable ]; then
                ORVANTA_WINE_WHY="$ORVANTA_WINE_WHY: $(cat build/.wine32-unavailable)"
            fi
        elif "$WINE32_LOADER" --version >/dev/null 2>&1; then
            ORVANTA_WINE=32
            ORVANTA_WINE_WHY="this host runs 32-bit code"
        else
            ORVANTA_WINE=64
            ORVANTA_WINE_WHY="this host cannot run 32-bit code ($WINE32_LOADER does not start)"
        fi ;;
    *)
        echo "ORVANTA_WINE must be 32 or 64, not '$ORVANTA_WINE'" >&2
        exit 2 ;;
esac

if [ "$ORVANTA_WINE" = 32 ]; then
    WINELOADER=$WINE32_LOADER
    WINESERVER=/usr/lib/wine/wineserver32
    WINEARCH=win32
    ORVANTA_EXE=build/orvanta.exe
else
    WINELOADER=$WINE64_LOADER
    WINESERVER=/usr/lib/wine/wineserver64
    WINEARCH=win64
    ORVANTA_EXE=build/x64/orvanta.exe
fi
export ORVANTA_WINE WINELOADER WINESERVER WINEARCH
if [ ! -x "$WINELOADER" ] || [ ! -x "$WINESERVER" ]; then
    echo "$ORVANTA_WINE-bit Wine is not installed ($WINELOADER, $WINESERVER); tools/install-deps.sh installs it" >&2
    exit 1
fi

# The display's DPI that the prefix's programs see (Wine reads LogPixels).
set_wine_dpi() {
    "$WINELOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
