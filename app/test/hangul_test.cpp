// With the fonts that make run installs (tools/wine-host.sh), every font that
// the calculator's Korean text is drawn in has each Hangul syllable of the
// menu's items: the menu's, the message boxes' and the tooltips' system
// fonts, and the Korean faces that Wine asks for by name (Gulim is the
// system font in a Korean locale). A face that the prefix lacks is left to
// whatever the host offers, and where that has no Hangul, boxes are drawn.
// Run by tools/wine-tests.sh in the C and the ko_KR locale, never with the
// other tests, whose prefix has no such fonts.
#include "app/commands.h"
#include "app/shell.h"
#include "app/test/win_test.h"

namespace {

enum { HANGUL_MAX = 256 };

/* The Hangul syllables of the menu's item texts. */
int CollectMenuHangul(HWND mainWindow, wchar_t *hangul)
{
    HMENU menu = BuildCommandMenu(mainWindow);
    int count = 0;
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
        wchar_t text[64] = L"";
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        for (const wchar_t *c = text; *c && count < HANGUL_MAX; c++) {
            if (*c >= 0xAC00 && *c <= 0xD7A3) {
                hangul[count++] = *c;
            }
        }
    }
    DestroyMenu(menu);
    return count;
}

/* How many of the count characters at text font has no glyph for. */
int CountMissing(const LOGFONTW &font, const wchar_t *text, int count, char face[LF_FACESIZE * 3])
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT made = CreateFontIndirectW(&font);
    HGDIOBJ before = SelectObject(dc, made);
    wchar_t given[LF_FACESIZE] = L"";
    GetTextFaceW(dc, LF_FACESIZE, given);
    WideCharToMultiByte(CP_UTF8, 0, given, -1, face, LF_FACESIZE * 3, nullptr, nullptr);
    WORD glyphs[HANGUL_MAX];
    GetGlyphIndicesW(dc, text, count, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
    int missing = 0;
    for (int i = 0; i < count; i++) {
        missing += glyphs[i] == 0xFFFF;
    }
    SelectObject(dc, before);
    DeleteObject(made);
    DeleteDC(dc);
    return missing;
}

void TestFonts(HWND mainWindow)
{
    wchar_t hangul[HANGUL_MAX];
    int count = CollectMenuHangul(mainWindow, hangul);
    CHECK(count > 0, "the menu has Hangul");
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const struct { const char *name; const LOGFONTW *font; const wchar_t *face; } FONTS[] = {
        { "the menu's font", &metrics.lfMenuFont, nullptr },
        { "the message boxes' font", &metrics.lfMessageFont, nullptr },
        { "the tooltips' font", &metrics.lfStatusFont, nullptr },
        { "Gulim", &metrics.lfMenuFont, L"Gulim" },
        { "Dotum", &metrics.lfMenuFont, L"Dotum" },
        { "Batang", &metrics.lfMenuFont, L"Batang" },
        { "Malgun Gothic", &metrics.lfMenuFont, L"Malgun Gothic" },
        { "the About dialog's", &metrics.lfMenuFont, L"\uAD74\uB9BC\uCCB4" },
    };
    for (const auto &f : FONTS) {
        LOGFONTW font = *f.font;
        if (f.face) {
            lstrcpynW(font.lfFaceName, f.face, LF_FACESIZE);
        }
        char face[LF_FACESIZE * 3];
        int missing = CountMissing(font, hangul, count, face);
        CHECK(missing == 0, "%s: drawn in %s, %d of %d syllables missing", f.name, face, missing, count);
    }
}

} // namespace

int main()
{
    HWND mainWindow = StartCalculator();
    TestFonts(mainWindow);
    StopCalculator(mainWindow);
    return TestResult("hangul_test");
}
