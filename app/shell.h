/*
 * The application shell: start-up, the main window, keyboard translation and
 * the About dialog.
 */
#ifndef ORVANTA_SHELL_H
#define ORVANTA_SHELL_H

#include <windows.h>

#define MAIN_WINDOW_CLASS "Orvanta_Calculator"
#define MAIN_WINDOW_TEXT "Orvanta Calculator"

enum {
    MAIN_WINDOW_X = 100,  /* every start opens here */
    MAIN_WINDOW_Y = 100,
    SKIN_WIDTH = 226,     /* the skin bitmap and the main window */
    SKIN_HEIGHT = 282,
    /* The round-cornered window region: CreateRoundRectRgn arguments. */
    REGION_RIGHT = 227,
    REGION_BOTTOM = 283,
    REGION_CORNER_WIDTH = 7,
    REGION_CORNER_HEIGHT = 8,
    KEY_PRESS_DELAY_MS = 80  /* a typed key shows pressed at least this long */
};

extern HINSTANCE g_hInstance;
extern HBITMAP g_hSkinBitmap;
extern int g_bKeyHandled;  /* the last WM_KEYDOWN pressed a button */

/* Start-up, shared by WinMain and the tests: registers the three window
   classes (0 when one fails) and creates the hidden main window. */
int RegisterWindowClasses(void);
HWND CreateMainWindow(void);

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
/* The main window's child with control id id (GetDlgItem, but quick). */
HWND FindChild(HWND mainWindow, int id);
/* Copies the whole skin into dc; nothing without a skin. */
void PaintSkin(HWND hwnd, HDC dc, HBITMAP skin);

/* Copies width x height pixels of bitmap, from its origin, to (x, y) of dest
   through a memory context of its own. */
void CopyBitmap(HDC dest, int x, int y, int width, int height, HBITMAP bitmap);

/* Draws bitmap resource resourceId at (x, y) of dc straight from the
   program's resource data: the pixels that LoadBitmapA would give, without
   making a bitmap of them first (a fortieth of the time under Wine). */
void DrawBitmapResource(HDC dc, int x, int y, int resourceId);

/* Describes a 32-bit top-down device-independent bitmap of width x height,
   whose pixels read 0x00RRGGBB, top row first. */
void DescribeTopDown32(BITMAPINFO *info, int width, int height);

/* A bitmap kept selected in a memory context of its own: copying from it (or
   drawing on it) costs one blit, where selecting a bitmap for each copy costs
   a hundred times more. */
struct KeptBitmap {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
};

/* Keeps bitmap (owned from now on) selected in a new screen-compatible memory
   context; a null bitmap keeps nothing. */
void KeepBitmap(HBITMAP bitmap, KeptBitmap *kept);
/* Deletes the context and the bitmap; the record is empty again. */
void FreeKeptBitmap(KeptBitmap *kept);

int TranslateKeyDown(HWND mainWindow, WPARAM virtualKey, LPARAM keyData);
void TranslateChar(HWND mainWindow, WPARAM character, LPARAM keyData);
void SimulateButtonPress(HWND button, WPARAM wParam, LPARAM lParam);

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

#endif
