/*
 * The LCD screen window. A paint composes the picture off screen and copies
 * it to the window in one transfer.
 *
 * The background, the glyphs and the surface a paint composes on are made
 * once, when the window is created: 32-bit device-independent bitmaps kept
 * selected in memory contexts. Beside them the art keeps a darkened copy of
 * the background and of the glyphs, the look under the marker, so that no
 * paint darkens a pixel: it copies rows of the background and the glyphs in
 * memory, exactly as the blits and the raster operation would, and makes a
 * single blit: the window. A blit of its own for each glyph would cost more
 * than all the rest of a key.
 *
 * The surface keeps the last picture, line by line: a paint redraws only the
 * lines whose picture changed, and a repaint after a key that changed nothing
 * on the screen draws nothing.
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

/* The pristine background, below it the background darkened as the marker
   darkens it, and below that the 19 glyphs side by side, each in a slot as
   wide as the widest, plain and then darkened. */
Surface g_LcdArt;
/* Where a paint composes the picture; it keeps the last one. */
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
    DARK_BACKGROUND_Y = LCD_DRAWN_HEIGHT,
    GLYPH_STRIP_Y = 2 * LCD_DRAWN_HEIGHT,
    DARK_GLYPH_STRIP_Y = GLYPH_STRIP_Y + LCD_GLYPH_HEIGHT,
    LCD_ART_WIDTH = GLYPH_SLOT * GLYPH_COUNT,
    LCD_ART_HEIGHT = DARK_GLYPH_STRIP_Y + LCD_GLYPH_HEIGHT
};
static_assert(LCD_ART_WIDTH >= LCD_DRAWN_WIDTH, "the glyph strip is the wider part");
/* The marker covers a line's glyphs whole and no glyph of another line, so
   a line's glyphs are either all darkened or none. */
static_assert(LCD_MARKER_OVERHANG >= 1 && LCD_MARKER_OVERHANG <= LCD_LINE_GAP,
              "the marker reaches into the gaps only");
static_assert(LCD_MARKER_LEFT <= LCD_MARK_X &&
                  LCD_FIRST_CELL_X + LCD_GLYPH_WIDTH * LCD_CELLS <= LCD_MARKER_RIGHT - 1,
              "the marker is as wide as the lines");

/* What one line's band of the surface shows (the bands split the picture
   from top to bottom, each holding one line's glyphs). */
struct BandPicture {
    bool drawn;
    TapeEntry entry; /* empty: no tape line here */
    bool darkGlyphs; /* the line carries the marker */
    int darkTop;     /* the rows (at the face's factor) the marker darkens */
    int darkBottom;  /* here, none when they are equal */
};

/* What the surface holds; nothing until the first paint after the art is
   made. */
BandPicture g_LcdBands[LCD_LINES];

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

void DrawGlyph(Surface &work, int glyph, bool dark, int x, int y, int width)
{
    CopyPixels(g_LcdArt, Scaled(GLYPH_SLOT * glyph),
               Scaled(dark ? DARK_GLYPH_STRIP_Y : GLYPH_STRIP_Y), Scaled(width),
               Scaled(LCD_GLYPH_HEIGHT), work, Scaled(x), Scaled(y));
}

/* One tape line: the mark, then the amount with its leading zeros shown as
   unlit cells. */
void DrawTapeLine(Surface &work, const char *entry, bool dark, int y)
{
    int mark = GlyphOf(entry[0], MARK_CELL);
    if (mark != NO_GLYPH) {
        DrawGlyph(work, mark, dark, LCD_MARK_X, y, LCD_MARK_WIDTH);
    }
    TapeEntry shown;
    FormatShownEntry(entry, shown);
    for (int j = 1; j < LCD_CELLS; j++) {
        int glyph = GlyphOf(shown[j], AMOUNT_CELL);
        /* The background already shows the unlit figure in every digit
           cell, exactly as the blank glyph has it: a blank needs no copy. */
        if (glyph != NO_GLYPH && glyph != GLYPH_BLANK) {
            DrawGlyph(work, glyph, dark, LCD_FIRST_CELL_X + LCD_GLYPH_WIDTH * j, y,
                      LCD_GLYPH_WIDTH);
        }
    }
}

/* Each pixel ANDed with the complement of the marker colour, as the mix
   mode R2_MASKNOTPEN does. */
void Darken(Surface &surface, int left, int top, int right, int bottom)
{
    const DWORD keep = ~(DWORD)((LCD_MARKER_RED << 16) | (LCD_MARKER_GREEN << 8) | LCD_MARKER_BLUE);
    for (int y = top; y < bottom; y++) {
        for (int x = left; x < right; x++) {
            surface.pixels[y * surface.width + x] &= keep;
        }
    }
}

/* The first row of line row's band; the last band ends with the picture. */
int BandTop(int row)
{
    if (row >= LCD_LINES) {
        return LCD_DRAWN_HEIGHT;
    }
    return row == 0 ? 0 : LineTop(row) - LCD_LINE_GAP;
}

/* The picture that line row's band should show now. The marker darkens
   what Rectangle fills without a pen (its right column and bottom row stay
   out) from (LCD_MARKER_LEFT, top) to (LCD_MARKER_RIGHT, bottom). */
void WantedBand(int row, BandPicture *band)
{
    *band = {};
    band->drawn = true;
    int line = g_Tape.viewTop + row;
    int last = g_Tape.viewTop + LCD_LINES - 1;
    if (last > g_Tape.tapeCur) {
        last = g_Tape.tapeCur;
    }
    if (line <= last && line >= 0 && line < TAPE_ENTRIES) {
        strncpy(band->entry, g_Tape.entries[line], TAPE_ENTRY_SIZE - 1);
    }
    band->darkGlyphs = row == g_Tape.markerRow;
    int lineTop = LineTop(g_Tape.markerRow);
    int top = lineTop - LCD_MARKER_OVERHANG;
    int bottom = lineTop + LCD_GLYPH_HEIGHT + LCD_MARKER_OVERHANG - 1;
    top = top < BandTop(row) ? BandTop(row) : top;
    bottom = bottom > BandTop(row + 1) ? BandTop(row + 1) : bottom;
    if (top < bottom) {
        band->darkTop = Scaled(top);
        band->darkBottom = Scaled(bottom);
    }
}

bool SameBand(const BandPicture &a, const BandPicture &b)
{
    return a.drawn == b.drawn && a.darkGlyphs == b.darkGlyphs && a.darkTop == b.darkTop &&
           a.darkBottom == b.darkBottom && strcmp(a.entry, b.entry) == 0;
}

/* Rows top to bottom of the work surface from the art's background, plain
   or darkened. */
void CopyBackgroundRows(bool dark, int top, int bottom)
{
    if (top < bottom) {
        CopyPixels(g_LcdArt, 0, (dark ? Scaled(DARK_BACKGROUND_Y) : 0) + top, g_LcdWork.width,
                   bottom - top, g_LcdWork, 0, top);
    }
}

void DrawBand(int row, const BandPicture &band)
{
    int top = Scaled(BandTop(row));
    int bottom = Scaled(BandTop(row + 1));
    if (band.darkTop < band.darkBottom) {
        CopyBackgroundRows(false, top, band.darkTop);
        CopyBackgroundRows(true, band.darkTop, band.darkBottom);
        CopyBackgroundRows(false, band.darkBottom, bottom);
    } else {
        CopyBackgroundRows(false, top, bottom);
    }
    if (band.entry[0]) {
        DrawTapeLine(g_LcdWork, band.entry, band.darkGlyphs, LineTop(row));
    }
}

/* Brings the work surface to the tape's picture; false when it showed it
   already. */
bool ComposeLcd(void)
{
    bool changed = false;
    for (int row = 0; row < LCD_LINES; row++) {
        BandPicture wanted;
        WantedBand(row, &wanted);
        if (!SameBand(wanted, g_LcdBands[row])) {
            DrawBand(row, wanted);
            g_LcdBands[row] = wanted;
            changed = true;
        }
    }
    return changed;
}

/* The picture to the window, in one transfer. */
void CopyLcdPicture(HDC dc)
{
    BitBlt(dc, 0, 0, g_LcdWork.width, g_LcdWork.height, g_LcdWork.kept.dc, 0, 0, SRCCOPY);
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

WPARAM LcdCommandOf(int buttonId)
{
    switch (KeyGroupOf(buttonId)) {
    case KEY_GROUP_OPERATOR: return LCD_OPERATOR;
    case KEY_GROUP_SCROLL: return LCD_SCROLL;
    default: return LCD_ENTRY;
    }
}

/* The background and the glyphs, plain and darkened, and the surface to
   compose on. */
void LoadLcdGlyphs(void)
{
    FreeLcdGlyphs(); /* a second LCD screen replaces the first one's */
    for (BandPicture &band : g_LcdBands) {
        band = {};
    }
    KeepSurface(Scaled(LCD_ART_WIDTH), Scaled(LCD_ART_HEIGHT), &g_LcdArt);
    KeepSurface(Scaled(LCD_DRAWN_WIDTH), Scaled(LCD_DRAWN_HEIGHT), &g_LcdWork);
    if (!g_LcdArt.pixels || !g_LcdWork.pixels) {
        FreeSurface(&g_LcdArt);
        FreeSurface(&g_LcdWork);
        return;
    }
    DrawResourceOn(&g_LcdArt, 0, 0, IDB_LCD_BACKGROUND);
    DrawResourceOn(&g_LcdArt, 0, DARK_BACKGROUND_Y, IDB_LCD_BACKGROUND);
    for (int i = 0; i < GLYPH_COUNT; i++) {
        DrawResourceOn(&g_LcdArt, GLYPH_SLOT * i, GLYPH_STRIP_Y, GLYPHS[i].bitmap);
        DrawResourceOn(&g_LcdArt, GLYPH_SLOT * i, DARK_GLYPH_STRIP_Y, GLYPHS[i].bitmap);
    }
    Darken(g_LcdArt, Scaled(LCD_MARKER_LEFT), Scaled(DARK_BACKGROUND_Y),
           Scaled(LCD_MARKER_RIGHT - 1), Scaled(DARK_BACKGROUND_Y + LCD_DRAWN_HEIGHT));
    Darken(g_LcdArt, 0, Scaled(DARK_GLYPH_STRIP_Y), g_LcdArt.width, g_LcdArt.height);
}

void FreeLcdGlyphs(void)
{
    FreeSurface(&g_LcdWork);
    FreeSurface(&g_LcdArt);
}

void PaintLcd(HWND, HDC dc)
{
    if (!g_LcdWork.pixels) {
        return;
    }
    GdiFlush(); /* whatever GDI still has to do on the surfaces is done */
    ComposeLcd();
    CopyLcdPicture(dc);
}

/* The window shows the last picture composed (a paint always copies it
   whole, and whatever covers the window makes it paint again), so a key
   that changes no line, marker or view leaves it as it is. */
void RepaintLcd(void)
{
    if (!g_hLcdScreen) {
        return;
    }
    if (g_LcdWork.pixels) {
        GdiFlush();
        if (ComposeLcd()) {
            HDC dc = GetDC(g_hLcdScreen);
            CopyLcdPicture(dc);
            ReleaseDC(g_hLcdScreen, dc);
        }
    }
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
