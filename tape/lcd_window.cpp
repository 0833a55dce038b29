/*
 * The LCD screen window. Every paint starts from a fresh copy of the LCD
 * background, draws the lines in view and the marker on it off screen, and
 * copies the result to the window in one transfer.
 *
 * The background, the glyphs and the surface a paint composes on are made
 * once, when the window is created, and kept selected in memory contexts:
 * a paint is then a few dozen blits between contexts that are ready, with
 * no bitmap loaded and no context made.
 */
#include "tape/lcd_window.h"

#include "amount/platform.h"
#include "app/commands.h"
#include "app/shell.h"
#include "res/resource.h"
#include "tape/tape.h"

namespace {

HWND g_hLcdScreen; /* the window that the immediate repaint draws into */

/* The pristine background, and below it the 19 glyphs side by side, each in
   a slot as wide as the widest. */
KeptBitmap g_LcdArt;
/* Where a paint composes the picture; it keeps the marker's brush, null pen
   and mix modes selected as well. */
KeptBitmap g_LcdWork;
HBRUSH g_hMarkerBrush;
HGDIOBJ g_hWorkPen;
HGDIOBJ g_hWorkBrush;

/* Bitmap resource of each glyph index. */
const int GLYPH_BITMAPS[GLYPH_COUNT] = {
    IDB_GLYPH_DIGIT0 + 0, IDB_GLYPH_DIGIT0 + 1, IDB_GLYPH_DIGIT0 + 2, IDB_GLYPH_DIGIT0 + 3,
    IDB_GLYPH_DIGIT0 + 4, IDB_GLYPH_DIGIT0 + 5, IDB_GLYPH_DIGIT0 + 6, IDB_GLYPH_DIGIT0 + 7,
    IDB_GLYPH_DIGIT0 + 8, IDB_GLYPH_DIGIT0 + 9,
    IDB_GLYPH_MINUS,      /* GLYPH_MINUS */
    IDB_GLYPH_POINT,      /* GLYPH_POINT */
    IDB_GLYPH_PLUS,       /* GLYPH_MARK_PLUS */
    IDB_GLYPH_MINUS_MARK, /* GLYPH_MARK_MINUS */
    IDB_GLYPH_MULTIPLY,   /* GLYPH_MARK_MULTIPLY */
    IDB_GLYPH_DIVIDE,     /* GLYPH_MARK_DIVIDE */
    IDB_GLYPH_EQUALS,     /* GLYPH_MARK_EQUALS */
    IDB_GLYPH_PERCENT,    /* GLYPH_MARK_PERCENT */
    IDB_GLYPH_BLANK,      /* GLYPH_BLANK */
};

struct MarkGlyph {
    char mark;
    int glyph;
};

/* The operator column; a plain line ("_") shows no mark. */
const MarkGlyph MARK_GLYPHS[] = {
    { '%', GLYPH_MARK_PERCENT },
    { '*', GLYPH_MARK_MULTIPLY },
    { '+', GLYPH_MARK_PLUS },
    { '-', GLYPH_MARK_MINUS },
    { '/', GLYPH_MARK_DIVIDE },
    { '=', GLYPH_MARK_EQUALS },
};

enum {
    NO_GLYPH = -1,
    MARKER_LEFT = 1,
    MARKER_RIGHT = 182,
    MARKER_OVERHANG = 2, /* the marker reaches this far above and below a line */
    GLYPH_SLOT = LCD_MARK_WIDTH,
    GLYPH_STRIP_Y = LCD_DRAWN_HEIGHT,
    LCD_ART_WIDTH = GLYPH_SLOT * GLYPH_COUNT,
    LCD_ART_HEIGHT = LCD_DRAWN_HEIGHT + LCD_GLYPH_HEIGHT
};
static_assert(LCD_ART_WIDTH >= LCD_DRAWN_WIDTH, "the glyph strip is the wider part");

int MarkGlyphOf(char mark)
{
    for (const MarkGlyph &row : MARK_GLYPHS) {
        if (row.mark == mark) {
            return row.glyph;
        }
    }
    return NO_GLYPH;
}

void DrawGlyph(HDC dc, int glyph, int x, int y, int width)
{
    BitBlt(dc, x, y, width, g_nGlyphHeight, g_LcdArt.dc, GLYPH_SLOT * glyph, GLYPH_STRIP_Y, SRCCOPY);
}

/* The glyph of an amount character as the LCD shows it (a blank for a
   suppressed leading zero). */
int AmountGlyphOf(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    switch (c) {
    case ' ': return GLYPH_BLANK;
    case '-': return GLYPH_MINUS;
    case '.': return GLYPH_POINT;
    default: return NO_GLYPH;
    }
}

/* One tape line: the mark, then the amount with its leading zeros shown as
   unlit cells. */
void DrawTapeLine(HDC dc, const char *entry, int y)
{
    int mark = MarkGlyphOf(entry[0]);
    if (mark != NO_GLYPH) {
        DrawGlyph(dc, mark, LCD_MARK_X, y, LCD_MARK_WIDTH);
    }
    TapeEntry shown;
    FormatShownEntry(entry, shown);
    for (int j = 1; j < LCD_CELLS; j++) {
        int glyph = AmountGlyphOf(shown[j]);
        /* The background already shows the unlit figure in every digit
           cell, exactly as the blank glyph has it: a blank needs no copy. */
        if (glyph != NO_GLYPH && glyph != GLYPH_BLANK) {
            DrawGlyph(dc, glyph, LCD_FIRST_CELL_X + g_nGlyphWidth * j, y, g_nGlyphWidth);
        }
    }
}

/* Darkens the line that carries the marker: each pixel ANDed with the
   complement of the marker colour (the work context has the brush, the null
   pen and the mix mode R2_MASKNOTPEN selected). */
void DrawMarker(HDC dc)
{
    int lineTop = LCD_FIRST_LINE_TOP + (g_nGlyphHeight + g_nLineGap) * g_nMarkerRow;
    Rectangle(dc, MARKER_LEFT, lineTop - MARKER_OVERHANG, MARKER_RIGHT,
              lineTop + g_nGlyphHeight + MARKER_OVERHANG);
}

/* The background and the glyphs into one kept bitmap, and the work surface
   with what the marker draws with. */
void KeepLcdArt(void)
{
    KeepNewBitmap(LCD_ART_WIDTH, LCD_ART_HEIGHT, &g_LcdArt);
    if (g_LcdArt.dc) {
        DrawBitmapResource(g_LcdArt.dc, 0, 0, IDB_LCD_BACKGROUND);
        for (int i = 0; i < GLYPH_COUNT; i++) {
            DrawBitmapResource(g_LcdArt.dc, GLYPH_SLOT * i, GLYPH_STRIP_Y, GLYPH_BITMAPS[i]);
        }
    }
    KeepNewBitmap(LCD_DRAWN_WIDTH, LCD_DRAWN_HEIGHT, &g_LcdWork);
    g_hMarkerBrush = CreateSolidBrush(RGB(LCD_MARKER_RED, LCD_MARKER_GREEN, LCD_MARKER_BLUE));
    if (g_LcdWork.dc) {
        g_hWorkPen = SelectObject(g_LcdWork.dc, GetStockObject(NULL_PEN));
        g_hWorkBrush = SelectObject(g_LcdWork.dc, g_hMarkerBrush);
        SetROP2(g_LcdWork.dc, R2_MASKNOTPEN);
        SetBkMode(g_LcdWork.dc, TRANSPARENT);
    }
}

void FreeLcdArt(void)
{
    if (g_LcdWork.dc) {
        SelectObject(g_LcdWork.dc, g_hWorkBrush);
        SelectObject(g_LcdWork.dc, g_hWorkPen);
    }
    FreeKeptBitmap(&g_LcdWork);
    FreeKeptBitmap(&g_LcdArt);
    if (g_hMarkerBrush) {
        DeleteObject(g_hMarkerBrush);
        g_hMarkerBrush = nullptr;
    }
}

LRESULT OnCreate(HWND hwnd)
{
    g_hLcdScreen = hwnd;
    LoadLcdGlyphs();
    return 0;
}

LRESULT OnPaint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    PaintLcd(hwnd, dc);
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnDestroy(HWND hwnd)
{
    FreeLcdGlyphs();
    if (g_hLcdScreen == hwnd) {
        g_hLcdScreen = nullptr;
    }
    return 0;
}

LRESULT OnCommand(WPARAM wParam, LPARAM lParam)
{
    /* wParam is compared whole; anything else is ignored. */
    switch (wParam) {
    case LCD_SCROLL:
        HandleScrollKey((int)lParam);
        break;
    case LCD_OPERATOR:
        HandleOperatorKey((int)lParam);
        break;
    case LCD_ENTRY:
        HandleEntryKey((int)lParam);
        break;
    default:
        break;
    }
    return 0;
}

} // namespace

void LoadLcdGlyphs(void)
{
    ResetTape();
    FreeLcdArt(); /* a second LCD screen replaces the first one's */
    KeepLcdArt();
}

void FreeLcdGlyphs(void)
{
    FreeLcdArt();
}

void PaintLcd(HWND, HDC dc)
{
    HDC memDc = g_LcdWork.dc;
    if (!memDc) {
        return;
    }
    BitBlt(memDc, 0, 0, LCD_DRAWN_WIDTH, LCD_DRAWN_HEIGHT, g_LcdArt.dc, 0, 0, SRCCOPY);

    int last = g_nViewTop + LCD_LINES - 1;
    if (last > g_nTapeCur) {
        last = g_nTapeCur;
    }
    for (int i = g_nViewTop; i <= last; i++) {
        if (i < 0 || i >= TAPE_ENTRIES) {
            continue;
        }
        int row = i - g_nViewTop;
        DrawTapeLine(memDc, g_Tape[i], LCD_FIRST_LINE_TOP + row * (g_nGlyphHeight + g_nLineGap));
    }
    DrawMarker(memDc);

    BitBlt(dc, 0, 0, LCD_DRAWN_WIDTH, LCD_DRAWN_HEIGHT, memDc, 0, 0, SRCCOPY);
}

void RepaintLcd(void)
{
    if (!g_hLcdScreen) {
        return;
    }
    HDC dc = GetDC(g_hLcdScreen);
    PaintLcd(g_hLcdScreen, dc);
    ReleaseDC(g_hLcdScreen, dc);
}

LRESULT CALLBACK LcdScreenWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate(hwnd);
    case WM_PAINT:
        return OnPaint(hwnd);
    case WM_DESTROY:
        return OnDestroy(hwnd);
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
