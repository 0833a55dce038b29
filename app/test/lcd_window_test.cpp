// The LCD's pixels, compared with a picture put together here from the glyph
// bitmaps: each line written out as the glyphs it must show, placed cell by
// cell on the LCD background, with the marker's darkening applied per pixel.
#include <stdio.h>
#include <string.h>

#include "buttons/img_button.h"
#include "res/resource.h"
#include "app/shell.h"
#include "app/test/win_test.h"
#include "lcd/lcd_window.h"
#include "tape/tape.h"

namespace {

/* A line as the LCD must show it: position 0 the mark (' ' none), 1 to 15
   the amount cells, ' ' meaning an unlit cell. */
typedef const char *Shown;

/* The bitmap of the glyph that shows c in a cell of the given kind, from the
   glyph table itself; 0 for none. */
int GlyphBitmap(char c, GlyphCell cell)
{
#define GLYPH_ROW(name, character, glyphCell, bitmap) \
    if (c == character && cell == glyphCell) {        \
        return bitmap;                                \
    }
#include "res/glyphs.def"
#undef GLYPH_ROW
    return 0;
}

int LineTop(int row)
{
    return LCD_FIRST_LINE_TOP + (LCD_GLYPH_HEIGHT + LCD_LINE_GAP) * row;
}

void PlaceGlyph(int bitmapId, int x, int y, Image *lcd)
{
    static Image glyph;
    CHECK(LoadBitmapImage(bitmapId, &glyph), "glyph bitmap %d", bitmapId);
    CopyImageArea(&glyph, 0, 0, glyph.width, glyph.height, lcd, x, y);
}

/* The expected 184 x 63 picture. */
void ComposeLcd(const Shown lines[LCD_LINES], int markerRow, Image *lcd)
{
    CHECK(LoadBitmapImage(IDB_LCD_BACKGROUND, lcd), "LCD background");
    for (int r = 0; r < LCD_LINES; r++) {
        if (!lines[r]) {
            continue;
        }
        CHECK(strlen(lines[r]) == LCD_CELLS, "pattern '%s' has %d cells", lines[r], LCD_CELLS);
        int y = LineTop(r);
        if (lines[r][0] != ' ') {
            PlaceGlyph(GlyphBitmap(lines[r][0], MARK_CELL), LCD_MARK_X, y, lcd);
        }
        for (int j = 1; j < LCD_CELLS; j++) {
            PlaceGlyph(GlyphBitmap(lines[r][j], AMOUNT_CELL), LCD_FIRST_CELL_X + LCD_GLYPH_WIDTH * j, y,
                       lcd);
        }
    }
    /* The marker darkens from two rows above the line's glyphs to one row
       above its end (a rectangle drawn without a pen leaves out its last
       column and row). */
    const DWORD markerRgb = (LCD_MARKER_RED << 16) | (LCD_MARKER_GREEN << 8) | LCD_MARKER_BLUE;
    int top = LineTop(markerRow) - LCD_MARKER_OVERHANG;
    int bottom = LineTop(markerRow) + LCD_GLYPH_HEIGHT + LCD_MARKER_OVERHANG;
    for (int y = top; y < bottom - 1; y++) {
        for (int x = LCD_MARKER_LEFT; x < LCD_MARKER_RIGHT - 1; x++) {
            lcd->px[y * lcd->width + x] &= ~markerRgb;
        }
    }
}

void DrawLcd(HDC dc)
{
    PaintLcd(nullptr, dc);
}

void CompareLcd(const char *name, const Image *shown, const Image *expected)
{
    int x = 0, y = 0;
    int differences = CountDifferences(shown, expected, &x, &y);
    CHECK(differences == 0, "%s: %d pixels differ, first at (%d,%d): %06lx, expected %06lx", name,
          differences, x, y, differences ? PixelAt(shown, x, y) : 0,
          differences ? PixelAt(expected, x, y) : 0);
}

struct PaintCase {
    const char *name;
    const char *tape[12]; /* lines 0 to tapeCur */
    int tapeCur;
    int viewTop;
    int markerRow;
    Shown shown[LCD_LINES];
};

const PaintCase PAINT_CASES[] = {
    { "fresh tape", { "_000000000000000" }, 0, 0, 0,
      { "               0", nullptr, nullptr } },
    { "point, small fraction, negative fraction",
      { "_0000000000012.5", "=000000000000.05", "-0000000000-0.50" }, 2, 0, 2,
      { "            12.5", "=           0.05", "-          -0.50" } },
    { "zeros after a digit, trailing point, the other marks",
      { "*000000000001400", "%00000000000000.", "/000000000000007" }, 2, 0, 0,
      { "*           1400", "%             0.", "/              7" } },
    { "two lines: the third is bare background",
      { "+000000000000003", "_000000000000000" }, 1, 0, 1,
      { "+              3", "               0", nullptr } },
    { "scrolled view, marker stays on its row",
      { "_000000000000000", "_000000000000001", "_000000000000002", "_000000000000003",
        "_000000000000004", "_000000000000005", "_000000000000006", "+000000000000007",
        "=000000000000008", "_000000000000009", "_000000000000010" },
      10, 6, 2,
      { "               6", "+              7", "=              8" } },
    { "mark-only negative: multiplication's form",
      { "_00000000000-.25" }, 0, 0, 0, { "            -.25" } },
    { "every digit, each from its own place among the glyphs",
      { "_987654321000.12" }, 0, 0, 0, { " 987654321000.12", nullptr, nullptr } },
};

void TestPaintCases(void)
{
    static Image shown, expected;
    for (const PaintCase &c : PAINT_CASES) {
        ResetTape();
        for (int i = 0; i <= c.tapeCur; i++) {
            strcpy(g_Tape.entries[i], c.tape[i]);
        }
        g_Tape.tapeCur = c.tapeCur;
        g_Tape.viewTop = c.viewTop;
        g_Tape.markerRow = c.markerRow;
        RenderImage(LCD_DRAWN_WIDTH, LCD_DRAWN_HEIGHT, DrawLcd, &shown);
        ComposeLcd(c.shown, c.markerRow, &expected);
        CompareLcd(c.name, &shown, &expected);
    }
}

/* Keys through the main window: the LCD is drawn before each key returns. */
struct KeyCase {
    const char *name;
    int keys[12]; /* ButtonIds, 0 ends */
    int markerRow;
    Shown shown[LCD_LINES];
};

const KeyCase KEY_CASES[] = {
    { "12 + 3 =", { KEY_1, KEY_2, KEY_PLUS, KEY_3, KEY_EQUALS }, 2,
      { "              12", "+              3", "=             15" } },
    { "power, then 1.5", { KEY_POWER, KEY_1, KEY_POINT, KEY_5 }, 0, { "             1.5", nullptr, nullptr } },
    { "power, 0000 types one zero", { KEY_POWER, KEY_0000 }, 0, { "               0", nullptr, nullptr } },
    { "sign of 7", { KEY_POWER, KEY_7, KEY_SIGN }, 0, { "              -7", nullptr, nullptr } },
};

void TestKeySequences(void)
{
    /* The paint cases leave a tape behind: a new LCD starts afresh. */
    HWND mainWindow = StartCalculator();
    HWND lcd = GetDlgItem(mainWindow, IDC_LCDSCREEN);
    CHECK(g_Tape.tapeCur == 0 && strcmp(g_Tape.entries[0], BLANK_ENTRY) == 0,
          "creating the LCD resets the tape");
    static Image shown, expected;
    for (const KeyCase &c : KEY_CASES) {
        PumpPending();
        for (int i = 0; c.keys[i]; i++) {
            SendMessageA(mainWindow, WM_COMMAND, CMD_KEY, c.keys[i]);
        }
        /* No message is dispatched in between: what shows was drawn by the
           keys themselves. */
        CaptureWindow(lcd, 0, 0, LCD_DRAWN_WIDTH, LCD_DRAWN_HEIGHT, &shown);
        ComposeLcd(c.shown, c.markerRow, &expected);
        CompareLcd(c.name, &shown, &expected);
    }
    /* A key that comes with another group's command presses nothing. */
    const TapeState before = g_Tape;
    SendMessageA(lcd, WM_COMMAND, LCD_ENTRY, KEY_PLUS);
    SendMessageA(lcd, WM_COMMAND, LCD_SCROLL, KEY_5);
    CHECK(memcmp(&before, &g_Tape, sizeof before) == 0, "a key with a foreign command is ignored");
    /* A full repaint from the message loop shows the same. */
    InvalidateRect(mainWindow, nullptr, TRUE);
    PumpPending();
    CaptureWindow(lcd, 0, 0, LCD_DRAWN_WIDTH, LCD_DRAWN_HEIGHT, &shown);
    CompareLcd("after a full repaint", &shown, &expected);
    StopCalculator(mainWindow);
}

} // namespace

int main()
{
    UseOwnResources();
    LoadLcdGlyphs();
    TestPaintCases();
    FreeLcdGlyphs();

    TestKeySequences();
    return TestResult("lcd_window_test");
}
