/*
 * The LCD screen window. Every paint starts from a fresh copy of the LCD
 * background, draws the lines in view and the marker on it off screen, and
 * copies the result to the window in one transfer.
 */
#include "tape/lcd_window.h"

#include <string.h>

#include "amount/platform.h"
#include "res/bitmaps.h"
#include "res/resource.h"
#include "tape/tape.h"

HBITMAP g_hGlyphs[GLYPH_COUNT];

namespace {

HWND g_hLcdScreen; /* the window that the immediate repaint draws into */
PlainAmount g_szLcdText; /* what its window text was last set to */

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

enum { NO_GLYPH = -1 };

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
    CopyBitmap(dc, x, y, width, g_nGlyphHeight, g_hGlyphs[glyph]);
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
        if (glyph != NO_GLYPH) {
            DrawGlyph(dc, glyph, LCD_FIRST_CELL_X + g_nGlyphWidth * j, y, g_nGlyphWidth);
        }
    }
}

/* Darkens the line that carries the marker: each pixel ANDed with the
   complement of the marker colour. */
void DrawMarker(HDC dc)
{
    int lineTop = LCD_FIRST_LINE_TOP + (g_nGlyphHeight + g_nLineGap) * g_nMarkerRow;
    HBRUSH brush = CreateSolidBrush(RGB(LCD_MARKER_RED, LCD_MARKER_GREEN, LCD_MARKER_BLUE));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    int oldRop = SetROP2(dc, R2_MASKNOTPEN);
    int oldBkMode = SetBkMode(dc, TRANSPARENT);
    Rectangle(dc, LCD_MARKER_LEFT, lineTop - LCD_MARKER_OVERHANG, LCD_MARKER_RIGHT,
              lineTop + g_nGlyphHeight + LCD_MARKER_OVERHANG);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    SetBkMode(dc, oldBkMode);
    SetROP2(dc, oldRop);
}

/* The window text is the current amount in its plain form, for screen
   readers; set only when it changes, so that most keys cost no message. */
void UpdateLcdText(HWND hwnd)
{
    if (g_nTapeCur < 0 || g_nTapeCur >= TAPE_ENTRIES) {
        return;
    }
    PlainAmount text;
    FormatPlainAmount(g_Tape[g_nTapeCur] + 1, text);
    if (strcmp(text, g_szLcdText) != 0) {
        strcpy(g_szLcdText, text);
        SetWindowTextA(hwnd, text);
    }
}

LRESULT OnCreate(HWND hwnd)
{
    g_hLcdScreen = hwnd;
    LoadLcdGlyphs();
    g_szLcdText[0] = '\0';
    UpdateLcdText(hwnd);
    return 0;
}

LRESULT OnPaint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    PaintLcd(hwnd, dc);
    EndPaint(hwnd, &ps);
    UpdateLcdText(hwnd);
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

WPARAM LcdCommandOf(int buttonId)
{
    switch (KeyGroupOf(buttonId)) {
    case KEY_GROUP_OPERATOR: return LCD_OPERATOR;
    case KEY_GROUP_SCROLL: return LCD_SCROLL;
    default: return LCD_ENTRY;
    }
}

void LoadLcdGlyphs(void)
{
    ResetTape();
    for (int i = 0; i < GLYPH_COUNT; i++) {
        g_hGlyphs[i] = LoadBitmapA(g_hInstance, MAKEINTRESOURCEA(GLYPH_BITMAPS[i]));
    }
}

void FreeLcdGlyphs(void)
{
    for (int i = 0; i < GLYPH_COUNT; i++) {
        DeleteObject(g_hGlyphs[i]);
        g_hGlyphs[i] = nullptr;
    }
}

void PaintLcd(HWND, HDC dc)
{
    HDC memDc = CreateCompatibleDC(dc);
    HBITMAP background = LoadBitmapA(g_hInstance, MAKEINTRESOURCEA(IDB_LCD_BACKGROUND));
    HGDIOBJ oldObject = SelectObject(memDc, background);

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
    SelectObject(memDc, oldObject);
    DeleteDC(memDc);
    DeleteObject(background);
}

void RepaintLcd(void)
{
    if (!g_hLcdScreen) {
        return;
    }
    HDC dc = GetDC(g_hLcdScreen);
    PaintLcd(g_hLcdScreen, dc);
    ReleaseDC(g_hLcdScreen, dc);
    UpdateLcdText(g_hLcdScreen);
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
