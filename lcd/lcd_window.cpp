/*
 * The LCD screen window. Every paint starts from a fresh copy of the LCD
 * background, draws the lines in view and the marker on it off screen, and
 * copies the result to the window in one transfer.
 *
 * The background, the glyphs and the surface a paint composes on are made
 * once, when the window is created: 32-bit device-independent bitmaps kept
 * selected in memory contexts. A paint copies the background and the glyphs
 * and darkens the marker pixel by pixel in memory, exactly as the blits and
 * the raster operation would, and makes a single blit: the window. A blit of
 * its own for each glyph would cost more than all the rest of a key.
 */
#include "lcd/lcd_window.h"

#include <string.h>

#include "amount/platform.h"
#include "res/bitmaps.h"
#include "res/resource.h"
#include "tape/press_key.h"
#include "tape/tape.h"
#include "tape/tape_text.h"
#include "tape/undo.h"

namespace {

HWND g_hLcdScreen; /* the window that the immediate repaint draws into */
PlainAmount g_szLcdText; /* its window text as the last repaint showed it */

/* The pristine background, and below it the 19 glyphs side by side, each in
   a slot as wide as the widest. */
Surface g_LcdArt;
/* Where a paint composes the picture. */
Surface g_LcdWork;

/* The glyphs in glyph-index order: the character each shows, in which
   cell, and its bitmap resource. */
struct Glyph {
    char character;
    GlyphCell cell;
    int bitmap;
};

const Glyph GLYPHS[GLYPH_COUNT] = {
#define GLYPH_ROW(name, character, cell, bitmap) { character, cell, bitmap },
#include "res/glyphs.def"
#undef GLYPH_ROW
};

enum {
    NO_GLYPH = -1,
    GLYPH_SLOT = LCD_MARK_WIDTH,
    GLYPH_STRIP_Y = LCD_DRAWN_HEIGHT,
    LCD_ART_WIDTH = GLYPH_SLOT * GLYPH_COUNT,
    LCD_ART_HEIGHT = LCD_DRAWN_HEIGHT + LCD_GLYPH_HEIGHT
};
static_assert(LCD_ART_WIDTH >= LCD_DRAWN_WIDTH, "the glyph strip is the wider part");

/* The glyph that shows character c in a cell of the given kind: a mark in
   the mark cell (a plain line's "_" has none), in an amount cell a digit,
   "-", "." or the blank of a suppressed leading zero. */
int GlyphOf(char c, GlyphCell cell)
{
    for (int i = 0; i < GLYPH_COUNT; i++) {
        if (GLYPHS[i].character == c && GLYPHS[i].cell == cell) {
            return i;
        }
    }
    return NO_GLYPH;
}

bool Holds(const Surface &surface, int x, int y, int width, int height)
{
    return x >= 0 && y >= 0 && width >= 0 && height >= 0 && x + width <= surface.width &&
           y + height <= surface.height;
}

/* All of the LCD below is at the face's factor: the art is kept scaled, and
   each position and size is the layout's times g_nScale. */

/* What a blit with SRCCOPY between the two would do (an area that does not
   fit is left out: the geometry is fixed, and memory is not a clipped DC). */
void CopyPixels(const Surface &from, int fromX, int fromY, int width, int height, Surface &to,
                int x, int y)
{
    if (!Holds(from, fromX, fromY, width, height) || !Holds(to, x, y, width, height)) {
        return;
    }
    for (int row = 0; row < height; row++) {
        memcpy(&to.pixels[(y + row) * to.width + x], &from.pixels[(fromY + row) * from.width + fromX],
               width * sizeof(DWORD));
    }
}

/* Where the glyphs of LCD line row (0 to 2) start. */
int LineTop(int row)
{
    return LCD_FIRST_LINE_TOP + (LCD_GLYPH_HEIGHT + LCD_LINE_GAP) * row;
}

void DrawGlyph(Surface &work, int glyph, int x, int y, int width)
{
    CopyPixels(g_LcdArt, Scaled(GLYPH_SLOT * glyph), Scaled(GLYPH_STRIP_Y), Scaled(width),
               Scaled(LCD_GLYPH_HEIGHT), work, Scaled(x), Scaled(y));
}

/* One tape line: the mark, then the amount with its leading zeros shown as
   unlit cells. */
void DrawTapeLine(Surface &work, const char *entry, int y)
{
    int mark = GlyphOf(entry[0], MARK_CELL);
    if (mark != NO_GLYPH) {
        DrawGlyph(work, mark, LCD_MARK_X, y, LCD_MARK_WIDTH);
    }
    TapeEntry shown;
    FormatShownEntry(entry, shown);
    for (int j = 1; j < LCD_CELLS; j++) {
        int glyph = GlyphOf(shown[j], AMOUNT_CELL);
        /* The background already shows the unlit figure in every digit
           cell, exactly as the blank glyph has it: a blank needs no copy. */
        if (glyph != NO_GLYPH && glyph != GLYPH_BLANK) {
            DrawGlyph(work, glyph, LCD_FIRST_CELL_X + LCD_GLYPH_WIDTH * j, y, LCD_GLYPH_WIDTH);
        }
    }
}

/* Darkens the line that carries the marker: each pixel ANDed with the
   complement of the marker colour, as the mix mode R2_MASKNOTPEN does, over
   what Rectangle fills without a pen (its right column and bottom row stay
   out) from (LCD_MARKER_LEFT, top) to (LCD_MARKER_RIGHT, bottom). */
void DrawMarker(Surface &work)
{
    const DWORD keep = ~(DWORD)((LCD_MARKER_RED << 16) | (LCD_MARKER_GREEN << 8) | LCD_MARKER_BLUE);
    int lineTop = LineTop(g_Tape.markerRow);
    int top = lineTop - LCD_MARKER_OVERHANG;
    int bottom = lineTop + LCD_GLYPH_HEIGHT + LCD_MARKER_OVERHANG - 1;
    top = Scaled(top < 0 ? 0 : top);
    bottom = Scaled(bottom > LCD_DRAWN_HEIGHT ? LCD_DRAWN_HEIGHT : bottom);
    for (int y = top; y < bottom; y++) {
        for (int x = Scaled(LCD_MARKER_LEFT); x < Scaled(LCD_MARKER_RIGHT - 1); x++) {
            work.pixels[y * work.width + x] &= keep;
        }
    }
}

/* The window text, which screen readers read, is made when it is asked for
   (WM_GETTEXT), so a key costs no trip to the window server to store it;
   when a repaint changes it, readers are told its name has changed, as
   setting a window text would tell them. */
void UpdateLcdText(HWND hwnd)
{
    PlainAmount text;
    FormatCurrentAmount(text);
    if (strcmp(text, g_szLcdText) != 0) {
        strcpy(g_szLcdText, text);
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd, OBJID_WINDOW, CHILDID_SELF);
    }
}

LRESULT OnGetText(WPARAM size, LPARAM buffer)
{
    PlainAmount text;
    FormatCurrentAmount(text);
    char *out = (char *)buffer;
    if (!out || size == 0) {
        return 0;
    }
    size_t length = strlen(text);
    if (length > size - 1) {
        length = size - 1;
    }
    memcpy(out, text, length);
    out[length] = '\0';
    return (LRESULT)length;
}

LRESULT OnGetTextLength(void)
{
    PlainAmount text;
    FormatCurrentAmount(text);
    return (LRESULT)strlen(text);
}

LRESULT OnCreate(HWND hwnd)
{
    g_hLcdScreen = hwnd;
    ResetTape(); /* a new LCD shows a fresh tape, with nothing to undo */
    ForgetTapeChanges();
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
    /* wParam is compared whole: only the key's own command presses it. */
    int buttonId;
    if (ButtonIdOfWord(lParam, &buttonId) && wParam == LcdCommandOf(buttonId)) {
        PressTapeKey(buttonId);
    }
    return 0;
}

} // namespace

/* The background and the glyphs, and the surface to compose on. */
void LoadLcdGlyphs(void)
{
    FreeLcdGlyphs(); /* a second LCD screen replaces the first one's */
    KeepSurface(Scaled(LCD_ART_WIDTH), Scaled(LCD_ART_HEIGHT), &g_LcdArt);
    KeepSurface(Scaled(LCD_DRAWN_WIDTH), Scaled(LCD_DRAWN_HEIGHT), &g_LcdWork);
    if (!g_LcdArt.pixels || !g_LcdWork.pixels) {
        FreeSurface(&g_LcdArt);
        FreeSurface(&g_LcdWork);
        return;
    }
    DrawResourceOn(&g_LcdArt, 0, 0, IDB_LCD_BACKGROUND);
    for (int i = 0; i < GLYPH_COUNT; i++) {
        DrawResourceOn(&g_LcdArt, GLYPH_SLOT * i, GLYPH_STRIP_Y, GLYPHS[i].bitmap);
    }
}

void FreeLcdGlyphs(void)
{
    FreeSurface(&g_LcdWork);
    FreeSurface(&g_LcdArt);
}

WPARAM LcdCommandOf(int buttonId)
{
    switch (KeyGroupOf(buttonId)) {
    case KEY_GROUP_OPERATOR: return LCD_OPERATOR;
    case KEY_GROUP_SCROLL: return LCD_SCROLL;
    default: return LCD_ENTRY;
    }
}

void PaintLcd(HWND, HDC dc)
{
    if (!g_LcdWork.pixels) {
        return;
    }
    GdiFlush(); /* whatever GDI still has to do on the surfaces is done */
    CopyPixels(g_LcdArt, 0, 0, g_LcdWork.width, g_LcdWork.height, g_LcdWork, 0, 0);

    int last = g_Tape.viewTop + LCD_LINES - 1;
    if (last > g_Tape.tapeCur) {
        last = g_Tape.tapeCur;
    }
    for (int i = g_Tape.viewTop; i <= last; i++) {
        if (i < 0 || i >= TAPE_ENTRIES) {
            continue;
        }
        int row = i - g_Tape.viewTop;
        DrawTapeLine(g_LcdWork, g_Tape.entries[i], LineTop(row));
    }
    DrawMarker(g_LcdWork);

    BitBlt(dc, 0, 0, g_LcdWork.width, g_LcdWork.height, g_LcdWork.kept.dc, 0, 0, SRCCOPY);
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
    case WM_GETTEXT:
        return OnGetText(wParam, lParam);
    case WM_GETTEXTLENGTH:
        return OnGetTextLength();
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
