/*
 * What every window needs to draw the program's bitmaps: the module instance
 * that each resource is loaded from, and a copy of a bitmap into a device
 * context. The lowest layer of the Windows program; it includes nothing of
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

#endif
