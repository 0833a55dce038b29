/*
 * What every window needs to draw the program's bitmaps: the module instance
 * that each resource is loaded from, and bitmaps and resources kept selected
 * for quick copies. The lowest layer of the Windows program; it includes
 * nothing of the windows above it.
 */
#ifndef ORVANTA_BITMAPS_H
#define ORVANTA_BITMAPS_H

#include <windows.h>

/* Set first thing at start-up; every resource load uses it. */
extern HINSTANCE g_hInstance;

/* The whole factor the face is drawn at: each pixel of the artwork an n x n
   block, every rectangle n times its size. 1 until the main window takes
   its display's; the resource pictures below are drawn at it. */
extern int g_nScale;

inline int Scaled(int length)
{
    return length * g_nScale;
}

/* The factor for a display of dpi dots per inch: dpi / 96 to the nearest
   whole number, halves up (96 and 120 give 1, 144 and 192 give 2), at most
   MAX_SCALE. */
enum { MAX_SCALE = 8 };
int ScaleFactorOfDpi(int dpi);

/* The DPI of the monitor the window is on (GetDpiForWindow, where Windows
   has it), else the system's. */
int DpiOfWindow(HWND hwnd);

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

/* A 32-bit top-down bitmap kept selected, with its pixels (0x00RRGGBB, top
   row first) at hand: drawn on in memory, copied out with one blit. */
struct Surface {
    KeptBitmap kept;
    DWORD *pixels; /* null when the surface could not be made */
    int width;
    int height;
};

void KeepSurface(int width, int height, Surface *surface);
void FreeSurface(Surface *surface);

/* Draws 8-bit bitmap resource resourceId at (x, y) of surface by copying its
   pixels through its colour table, without a call into GDI: the pixels that
   LoadBitmapA gives. The program's bitmaps are all 8-bit (the About
   picture, drawn by its dialog, aside); any other kind, and a bitmap that
   does not fit, draws nothing. */
void DrawResourceOn(Surface *surface, int x, int y, int resourceId);

/* Bitmap resource resourceId on a surface of its own size at g_nScale. */
void KeepBitmapResource(int resourceId, Surface *surface);

#endif
