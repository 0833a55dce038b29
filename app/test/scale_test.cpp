// The face at the display's whole factor n (run at 96 DPI, n = 1, and again
// with the Wine prefix at 192 DPI, n = 2): the window's size, the children's
// rectangles, the region, the skin and the LCD as n x n blocks of their pictures at factor 1, and a click at the
// centre of each key pressing that key; zoom by keys, wheel and menu between
// 1 and the largest factor that fits the work area.
#include <stdlib.h>

#include <initializer_list>
#include <string.h>

#include "app/commands.h"
#include "app/shell.h"
#include "app/test/win_test.h"
#include "buttons/img_button.h"
#include "lcd/lcd_window.h"
#include "res/resource.h"
#include "res/skin.h"
#include "tape/keys.h"
#include "tape/tape_text.h"

namespace {

int g_nExpected;

/* Whether big is small with each pixel an n x n block; the first pixel that
   is not goes to the context. */
bool IsBlownUp(const Surface &small, const DWORD *big, int bigWidth, int n, const char *what)
{
    for (int y = 0; y < small.height * n; y++) {
        for (int x = 0; x < small.width * n; x++) {
            DWORD want = small.pixels[(y / n) * small.width + x / n];
            if ((big[y * bigWidth + x] & 0xFFFFFF) != want) {
                CHECK(false, "%s: (%d,%d) is %06lx, not %06lx", what, x, y,
                      big[y * bigWidth + x] & 0xFFFFFF, want);
                return false;
            }
        }
    }
    return true;
}

void TestGeometry(HWND mainWindow)
{
    int n = g_nScale;
    CHECK(n == g_nExpected, "factor %d for the display's %d DPI", n, DpiOfWindow(mainWindow));
    RECT rc;
    GetWindowRect(mainWindow, &rc);
    CHECK(rc.right - rc.left == SKIN_WIDTH * n && rc.bottom - rc.top == SKIN_HEIGHT * n,
          "window %ldx%ld", rc.right - rc.left, rc.bottom - rc.top);
    /* The keys: TestClicks. */
    RECT want = { LCD_X * n, LCD_Y * n, (LCD_X + LCD_WIDTH) * n, (LCD_Y + LCD_HEIGHT) * n };
    GetWindowRect(FindChild(mainWindow, IDC_LCDSCREEN), &rc);
    MapWindowPoints(nullptr, mainWindow, (POINT *)&rc, 2);
    CHECK(EqualRect(&rc, &want), "the LCD at (%ld,%ld)-(%ld,%ld)", rc.left, rc.top, rc.right,
          rc.bottom);
    /* The region: each pixel of the factor-1 region an n x n block (the
       corners are where it is not a rectangle). */
    HRGN small = CreateRoundRectRgn(0, 0, REGION_RIGHT, REGION_BOTTOM, REGION_CORNER_WIDTH,
                                    REGION_CORNER_HEIGHT);
    HRGN big = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(mainWindow, big);
    int wrong = 0;
    for (int y = 0; y < SKIN_HEIGHT * n; y++) {
        for (int x = 0; x < SKIN_WIDTH * n; x++) {
            wrong += (PtInRegion(big, x, y) != 0) != (PtInRegion(small, x / n, y / n) != 0);
        }
    }
    CHECK(wrong == 0, "%d pixels of the region differ from the factor-1 region's blocks", wrong);
    DeleteObject(big);
    DeleteObject(small);
}

void TestPictures(HWND mainWindow)
{
    int n = g_nScale;
    /* The skin that every paint and released key copies. */
    Surface shown, skin;
    KeepSurface(SKIN_WIDTH * n, SKIN_HEIGHT * n, &shown);
    PaintSkin(shown.kept.dc);
    GdiFlush();
    int scale = g_nScale;
    g_nScale = 1;
    KeepBitmapResource(IDB_SKIN, &skin);
    g_nScale = scale;
    IsBlownUp(skin, shown.pixels, shown.width, n, "the skin");
    FreeSurface(&skin);

    /* The LCD with lines, a negative amount and the marker, at 1 and at n. */
    for (int key : { KEY_1, KEY_2, KEY_POINT, KEY_5, KEY_PLUS, KEY_7, KEY_SIGN, KEY_EQUALS })
        SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, key);
    HWND lcd = FindChild(mainWindow, IDC_LCDSCREEN);
    Surface small, big;
    g_nScale = 1;
    LoadLcdGlyphs();
    KeepSurface(LCD_DRAWN_WIDTH, LCD_DRAWN_HEIGHT, &small);
    PaintLcd(lcd, small.kept.dc);
    g_nScale = scale;
    LoadLcdGlyphs();
    KeepSurface(LCD_DRAWN_WIDTH * n, LCD_DRAWN_HEIGHT * n, &big);
    PaintLcd(lcd, big.kept.dc);
    GdiFlush();
    IsBlownUp(small, big.pixels, big.width, n, "the LCD");
    FreeSurface(&big);
    FreeSurface(&small);
    FreeSurface(&shown);
}

/* The key under the centre of each scaled key takes the click there. */
void TestClicks(HWND mainWindow)
{
    RecordLcdCommands(mainWindow, false);
    for (int id = 1; id <= LAST_CALCULATOR_KEY; id++) {
        const ButtonSpec *spec = ButtonSpecOf(id);
        POINT centre = { Scaled(spec->x) + Scaled(spec->width) / 2,
                         Scaled(spec->y) + Scaled(spec->height) / 2 };
        HWND key = ChildWindowFromPoint(mainWindow, centre);
        MapWindowPoints(mainWindow, key, &centre, 1);
        g_nLcdCommands = 0;
        SendMessageA(key, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
        SendMessageA(key, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
        SendMessageA(key, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
        CHECK(g_nLcdCommands == 1 && g_LcdCommands[0].buttonId == id,
              "a click at the centre of key %d: %d command(s), key %Id", id, g_nLcdCommands,
              g_LcdCommands[0].buttonId);
    }
    StopRecordingLcd(mainWindow);
}

/* Moved to a monitor of another scale: the face is made again there, where
   the system suggests, and the tape stays as it was. */
void TestDpiChange(HWND mainWindow)
{
    char before[TAPE_TEXT_SIZE], after[TAPE_TEXT_SIZE];
    FormatTapeText("\n", before);
    int other = g_nScale == 1 ? 2 : 1;
    RECT suggested = { 300, 200, 300 + SKIN_WIDTH * other, 200 + SKIN_HEIGHT * other };
    SendMessageA(mainWindow, WM_DPICHANGED, MAKEWPARAM(96 * other, 96 * other), (LPARAM)&suggested);
    g_nExpected = other;
    TestGeometry(mainWindow);
    RECT rc;
    GetWindowRect(mainWindow, &rc);
    CHECK(rc.left == 300 && rc.top == 200, "at the suggested place: (%ld,%ld)", rc.left, rc.top);
    FormatTapeText("\n", after);
    CHECK(strcmp(before, after) == 0, "the tape is unchanged: %s", after);
    TestClicks(mainWindow);
}

/* The factor, the window's size and its top-left corner after what. */
void CheckZoom(HWND mainWindow, int factor, LONG left, LONG top, const char *what)
{
    RECT rc;
    GetWindowRect(mainWindow, &rc);
    CHECK(g_nScale == factor && rc.left == left && rc.top == top &&
              rc.right - rc.left == SKIN_WIDTH * factor && rc.bottom - rc.top == SKIN_HEIGHT * factor,
          "%s: factor %d, window (%ld,%ld)-(%ld,%ld); wanted factor %d at (%ld,%ld)", what,
          g_nScale, rc.left, rc.top, rc.right, rc.bottom, factor, left, top);
}

void TestZoom(HWND mainWindow)
{
    int n = g_nScale;
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int across = (work.right - work.left) / SKIN_WIDTH, down = (work.bottom - work.top) / SKIN_HEIGHT;
    int largest = across < down ? across : down; /* 3 on the tests' 1280 x 1024 display */
    char before[TAPE_TEXT_SIZE], after[TAPE_TEXT_SIZE];
    FormatTapeText("\n", before);
    SetWindowPos(mainWindow, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    /* Up one at a time to the largest and no further, down to 1 and no
       further, then back to the display's own factor. */
    for (int i = 1; i <= largest; i++) {
        PressWithModifiers(mainWindow, VK_OEM_PLUS, true, i % 2 == 0);
        CheckZoom(mainWindow, n + i < largest ? n + i : largest, 100, 100, "Ctrl+=");
    }
    HMENU menu = BuildCommandMenu(mainWindow);
    CHECK((GetMenuState(menu, IDM_ZOOM_1 + largest - 1, MF_BYCOMMAND) & MF_CHECKED) &&
              (GetMenuState(menu, IDM_ZOOM_IN, MF_BYCOMMAND) & MF_GRAYED) &&
              (GetMenuState(menu, IDM_ZOOM_1 + largest, MF_BYCOMMAND) & MF_GRAYED),
          "the menu: factor %d checked, zooming in and factor %d greyed", largest, largest + 1);
    DestroyMenu(menu);
    g_nExpected = largest;
    TestGeometry(mainWindow);
    TestClicks(mainWindow);
    for (int i = 1; i <= largest; i++) {
        PressWithModifiers(mainWindow, VK_OEM_MINUS, true, false);
        CheckZoom(mainWindow, largest - i > 1 ? largest - i : 1, 100, 100, "Ctrl+minus");
    }
    PressWithModifiers(mainWindow, '0', true, false);
    CheckZoom(mainWindow, n, 100, 100, "Ctrl+0");

    /* The wheel with Ctrl over the face: half notches summed. */
    static const struct { int delta; WORD keys; int steps; } WHEEL[] = {
        { 60, MK_CONTROL, 0 }, { 60, MK_CONTROL, 1 }, { -WHEEL_DELTA, MK_CONTROL, 0 }, { 240, 0, 0 },
    };
    for (const auto &turn : WHEEL) {
        SendMessageA(mainWindow, WM_MOUSEWHEEL, MAKEWPARAM(turn.keys, turn.delta), MAKELPARAM(110, 110));
        CheckZoom(mainWindow, n + turn.steps, 100, 100, "the wheel");
    }

    /* A factor from the menu; at the corner of the work area the larger
       window moves in just enough. */
    RunCommand(mainWindow, IDM_ZOOM_1);
    SetWindowPos(mainWindow, nullptr, work.right - SKIN_WIDTH, work.bottom - SKIN_HEIGHT, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    PressWithModifiers(mainWindow, VK_OEM_PLUS, true, false);
    CheckZoom(mainWindow, 2, work.right - 2 * SKIN_WIDTH, work.bottom - 2 * SKIN_HEIGHT, "at the corner");

    /* One step above the display's factor stays one step above another's. */
    PressWithModifiers(mainWindow, '0', true, false);
    PressWithModifiers(mainWindow, VK_OEM_PLUS, true, false);
    int other = n == 1 ? 2 : 1;
    RECT suggested = { 300, 200, 300 + SKIN_WIDTH * other, 200 + SKIN_HEIGHT * other };
    SendMessageA(mainWindow, WM_DPICHANGED, MAKEWPARAM(96 * other, 96 * other), (LPARAM)&suggested);
    CheckZoom(mainWindow, other + 1, 300, 200, "a new display scale");
    PressWithModifiers(mainWindow, '0', true, false);
    FormatTapeText("\n", after);
    CHECK(strcmp(before, after) == 0, "zoomed, the tape is unchanged: %s", after);
}

} // namespace

int main()
{
    /* The run at another DPI says which factor it set up, so that a DPI not
       taken cannot pass as factor 1. */
    const char *expected = getenv("ORVANTA_EXPECT_FACTOR");
    g_nExpected = expected ? atoi(expected) : 1;
    /* Halves up, and a DPI no display has asks for no gigabyte surfaces. */
    CHECK(ScaleFactorOfDpi(143) == 1 && ScaleFactorOfDpi(144) == 2 &&
              ScaleFactorOfDpi(100000) == MAX_SCALE, "the factors of 143, 144 and 100000 DPI");
    HWND mainWindow = StartCalculator();
    TestGeometry(mainWindow);
    TestPictures(mainWindow);
    TestClicks(mainWindow);
    TestZoom(mainWindow);
    g_nExpected = g_nScale;
    TestDpiChange(mainWindow);
    StopCalculator(mainWindow);
    return TestResult("scale_test");
}
