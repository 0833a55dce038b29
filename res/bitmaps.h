/*
 * What every window needs to draw the program's bitmaps: the module instance
 * that each resource is loaded from, copies of bitmaps and bitmap resources
 * into a device context, and bitmaps kept selected for quick copies. The lowest layer of the Windows program; it includes nothing of
 * the windows above it.
 */
#ifndef ORVANTA_BITMAPS_H
#define ORVANTA_BITMAPS_H

#include <windows.h>

/* Set first thing at start-up; every resource load uses it. */
extern HINSTANCE g_hInstance;

/* Copies width x height pixels of bitmap, from its origin, to (x, y) of dest
   through a memory context of its own. */
void CopyBitmap(HDC dest, int x, int y, int width, int height, HBITMAP bitmap);

/* Draws bitmap resource resourceId at (x, y) of dc straight from the
   program's resource data: the pixels that LoadBitmapA would give, without
   making a bitmap of them first (a fortieth of the time under Wine). */
void DrawBitmapResource(HDC dc, int x, int y, int resourceId);

/* The pixels of a 32-bit top-down bitmap, 0x00RRGGBB, top row first. */
struct TopDown32 {
    DWORD *pixels;
    int width;
    int height;
};

/* Copies the pixels of 8-bit bitmap resource resourceId to (x, y) of dest,
   turned through its colour table: what drawing the resource gives, without
   a call into GDI. 0 (nothing copied) for any other kind of bitmap or one
   that does not fit. */
int CopyBitmapResource(const TopDown32 *dest, int x, int y, int resourceId);

/* Bitmap resource resourceId, width x height: the pixels LoadBitmapA gives,
   in a 32-bit bitmap made the quick way. */
HBITMAP LoadScreenBitmap(int resourceId, int width, int height);

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

#endif
