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

# The Korean faces that the calculator's text is drawn in, stood in by the
# Nanum fonts (tools/install-deps.sh installs them); without a Korean
# Windows font Wine draws Hangul as boxes. The About dialog asks for 굴림체;
# in a Korean locale the system font (menu, message boxes, tooltips) is
# Gulim, and Wine asks for Dotum, Batang and Malgun Gothic elsewhere; each
# by its English and its Korean name. Tahoma, the system font elsewhere, is
# linked to NanumGothic for its Hangul. Written into the prefix only when
# the list differs from what it has (each write starts Wine); 1 when the
# fonts are not there.
install_korean_fonts() {
    fc-list 2>/dev/null | grep -q NanumGothic || return 1
    fonts_reg="$WINEPREFIX/orvanta-fonts.reg"
    fonts_new="$fonts_reg.new"
    {
        printf '\377\376'
        printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
            '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
            '"굴림체"="NanumGothicCoding"' '"GulimChe"="NanumGothicCoding"' \
            '"굴림"="NanumGothic"' '"Gulim"="NanumGothic"' \
            '"돋움체"="NanumGothicCoding"' '"DotumChe"="NanumGothicCoding"' \
            '"돋움"="NanumGothic"' '"Dotum"="NanumGothic"' \
            '"바탕체"="NanumGothicCoding"' '"BatangChe"="NanumGothicCoding"' \
            '"바탕"="NanumMyeongjo"' '"Batang"="NanumMyeongjo"' \
            '"맑은 고딕"="NanumGothic"' '"Malgun Gothic"="NanumGothic"' '' \
            '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]' \
            '"Tahoma"=hex(7):4e,00,61,00,6e,00,75,00,6d,00,47,00,6f,00,74,00,68,00,69,00,63,00,2e,00,74,00,74,00,66,00,00,00,00,00' \
            | iconv -f UTF-8 -t UTF-16LE
    } >"$fonts_new"
    if cmp -s "$fonts_new" "$fonts_reg"; then
        rm -f "$fonts_new"
    elif "$WINELOADER" regedit /S "$fonts_new" >/dev/null 2>&1; then
        mv "$fonts_new" "$fonts_reg"
    else
        rm -f "$fonts_new"
        return 1
    fi
}
