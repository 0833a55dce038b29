// With the fonts of make run (tools/wine-host.sh), the system fonts of the menu,
// the message boxes and the tooltips and the Korean faces that Wine asks for
// (Gulim is the system font in a Korean locale) have a menu item's Hangul: a
// face the prefix lacks is left to the host, which may draw boxes.
#include <wchar.h>

#include "app/commands.h"
#include "app/test/win_test.h"

int main()
{
    wchar_t text[64] = L"";
    LoadStringW(GetModuleHandleW(nullptr), IDM_ALWAYS_ON_TOP, text, 64);
    int count = (int)wcscspn(text, L"("); /* the Hangul, before the mnemonic */
    NONCLIENTMETRICSW m = {};
    m.cbSize = sizeof m;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0);
    const wchar_t *FACES[] = { m.lfMenuFont.lfFaceName, m.lfMessageFont.lfFaceName, m.lfStatusFont.lfFaceName,
                               L"Gulim", L"Dotum", L"Batang", L"Malgun Gothic", L"\uAD74\uB9BC\uCCB4" };
    HDC dc = CreateCompatibleDC(nullptr);
    for (const wchar_t *const &face : FACES) {
        LOGFONTW font = m.lfMenuFont;
        lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
        HGDIOBJ before = SelectObject(dc, CreateFontIndirectW(&font));
        WORD glyphs[64];
        GetGlyphIndicesW(dc, text, count, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
        bool whole = count > 1;
        for (int i = 0; i < count; i++)
            whole = whole && glyphs[i] != 0xFFFF;
        CHECK(whole, "face %d of the list: a syllable of %d missing", (int)(&face - FACES), count);
        DeleteObject(SelectObject(dc, before));
    }
    DeleteDC(dc);
    return TestResult("hangul_test");
}
